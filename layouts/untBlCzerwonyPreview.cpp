#include "layouts/untBlCzerwony.h"

#include "document/BackBuffer.h"
#include "document/BlankFormUnit.h"

void PaintTransferForm(TfrmBlank* Form, TBlankSide Side)
{
    TBlankObj& obj = Form->BlankObj;
    TCanvas* screen = obj.Canvas();
    TBitmap* buffer = BackBuffer();
    if (!screen || !buffer || !screen->Device())
        return;
    // Only the part to repaint is drawn, off screen, then copied in one go.
    const QRect r = screen->ClipRect();
    buffer->SetSize(r.width(), r.height());
    obj.SetCanvas(&buffer->Canvas());
    obj.SetDPI(Form->PixelsPerInch());
    obj.SetIntOrigin(-r.left(), -r.top());

    TCanvas& canvas = buffer->Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWhite;
    canvas.Pen.Style = psClear;
    obj.SetPenWidth(0);
    obj.Rectangle(0, 0, CouponWidthMm, CouponHeightMm);
    if (Side == bsTop)
        DrawTransferCoupon(Form, 0);
    else
        DrawTransferReceipt(Form, 2);

    obj.SetCanvas(screen);
    buffer->Canvas().End();
    screen->Draw(r.left(), r.top(), buffer->Image());
}
