#include "layouts/untBlCzerwony.h"

#include "layouts/PreviewPage.h"

void PaintTransferForm(const TBlankData& Data, TBlankObj& Obj, TBlankSide Side)
{
    PaintPreviewPage(Obj, CouponWidthMm, CouponHeightMm, [&] {
        if (Side == bsTop)
            DrawTransferCoupon(Data, Obj, 0);
        else
            DrawTransferReceipt(Data, Obj, 2);
    });
}
