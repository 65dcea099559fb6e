#include "layouts/untBlPrzekaz.h"

#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"

void PaintMoneyOrder(const TBlankData& Data, TBlankObj& Obj, TBlankSide Side)
{
    TCanvas* screen = Obj.Canvas();
    TBitmap* buffer = BackBuffer();
    if (!screen || !buffer || !screen->Device())
        return;
    // Only the part to repaint is drawn, off screen, then copied in one go.
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
    Obj.Rectangle(0, 0, MoneyOrderWidthMm, MoneyOrderHeightMm);
    // The back is shown upright; only the print turns it.
    if (Side == bsTop)
        DrawMoneyOrderFront(Data, Obj);
    else
        DrawMoneyOrderBack(Data, Obj);

    Obj.SetCanvas(screen);
    buffer->Canvas().End();
    screen->Draw(r.left(), r.top(), buffer->Image());
}
