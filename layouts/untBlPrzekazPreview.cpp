#include "layouts/untBlPrzekaz.h"

#include "layouts/PreviewPage.h"

void PaintMoneyOrder(const TBlankData& Data, TBlankObj& Obj, TBlankSide Side)
{
    PaintPreviewPage(Obj, MoneyOrderWidthMm, MoneyOrderHeightMm, [&] {
        // The back is shown upright; only the print turns it.
        if (Side == bsTop)
            DrawMoneyOrderFront(Data, Obj);
        else
            DrawMoneyOrderBack(Data, Obj);
    });
}
