#include "layouts/untBlWplata.h"

#include "drawing/BackBuffer.h"
#include "drawing/untBlankObj.h"

void PaintDepositForm(const TBlankData& Data, TBlankObj& Obj, TBlankSide Side)
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
    Obj.SetOriginX(0);
    Obj.SetOriginY(0);
    Obj.SetIntOrigin(-r.left(), -r.top());
    buffer->Canvas().Brush.Style = bsSolid;
    buffer->Canvas().Brush.Color = clWhite;
    Obj.FillRect(0, 0, DepositCouponWidthMm, DepositCouponHeightMm);
    // The post office's coupon stands for all four; its back upright.
    if (Side == bsTop)
        DrawDepositCouponFront(Data, Obj, 0);
    else
        DrawDepositCouponBack(Data, Obj, 0, false);
    Obj.SetCanvas(screen);
    buffer->Canvas().End();
    screen->Draw(r.left(), r.top(), buffer->Image());
}
