#include "layouts/PreviewPage.h"

#include "drawing/BackBuffer.h"
#include "drawing/untBlankObj.h"

void PaintPreviewPage(TBlankObj& Obj, double WidthMm, double HeightMm, const std::function<void()>& draw)
{
    TCanvas* screen = Obj.Canvas();
    TBitmap* buffer = BackBuffer();
    if (!screen || !buffer || !screen->Device())
        return;
    const QRect r = screen->ClipRect();
    buffer->SetSize(r.width(), r.height());
    Obj.SetCanvas(&buffer->Canvas());
    // The bitmap's fonts take the preview's resolution too.
    Obj.SetDPI(Obj.DPI());
    Obj.SetIntOrigin(-r.left(), -r.top());

    TCanvas& canvas = buffer->Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWhite;
    canvas.Pen.Style = psClear;
    Obj.SetPenWidth(0);
    Obj.Rectangle(0, 0, WidthMm, HeightMm);
    draw();

    Obj.SetCanvas(screen);
    buffer->Canvas().End();
    screen->Draw(r.left(), r.top(), buffer->Image());
}
