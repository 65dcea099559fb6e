#include "layouts/untBlWplata.h"

#include "layouts/PreviewPage.h"

void PaintDepositForm(const TBlankData& Data, TBlankObj& Obj, TBlankSide Side)
{
    PaintPreviewPage(Obj, DepositCouponWidthMm, DepositCouponHeightMm, [&] {
        // The post office's coupon stands for all four; its back upright.
        if (Side == bsTop)
            DrawDepositCouponFront(Data, Obj, 0);
        else
            DrawDepositCouponBack(Data, Obj, 0, false);
    });
}
