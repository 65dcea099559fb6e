#include "layouts/untBlWplata.h"

#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "layouts/PrintJob.h"

namespace {

const QString FrontTitle = QStringLiteral("Blankiet - przód");
const QString BackTitle = QStringLiteral("Blankiet - tył");

// Device pixels of the current printer, from the printable area's top.
TDepositRows PrinterRows(const TBlankObj& obj)
{
    const TPrinter& printer = Printer();
    return DepositRowPlacement(printer.DeviceCaps(PHYSICALOFFSETY), printer.DeviceCaps(PHYSICALHEIGHT),
                               printer.PageHeight(), obj.MM2Pixel(DepositCouponHeightMm));
}

// Every coupon of a side, one job; the front's coupons get their cutting guide.
void PrintSide(const TBlankData& data, TBlankObj& obj, bool front)
{
    TPrintJob job(obj, front ? FrontTitle : BackTitle, poLandscape);
    const TDepositRows rows = PrinterRows(obj);
    const int topPx = front ? rows.FrontTopPx : rows.BackTopPx;
    for (int i = 0; i < DepositCoupons; ++i) {
        obj.SetOriginX(DepositRowLeftMm + DepositCouponWidthMm * i);
        obj.SetOriginY(obj.Pixel2MM(topPx));
        if (!front) {
            DrawDepositCouponBack(data, obj, i, true);
            continue;
        }
        DrawDepositCouponFront(data, obj, i);
        SetCutPen(data, obj, psDot);
        obj.Rectangle(0, 0, DepositCouponWidthMm, DepositCouponHeightMm);
    }
}

} // namespace

TDepositRows DepositRowPlacement(int OffsetYPx, int PhysicalHeightPx, int PageHeightPx, int RowHeightPx)
{
    const int top = OffsetYPx;
    const int bottom = PhysicalHeightPx - PageHeightPx - top;
    if (bottom > top)
        return {bottom - top, PageHeightPx - RowHeightPx};
    return {0, PageHeightPx - RowHeightPx - (top - bottom)};
}

void PrintDepositForm(const TBlankData& Data, TBlankObj& Obj, const TSideChoice& Choice)
{
    if (Choice.front)
        PrintSide(Data, Obj, true);
    if (Choice.BackFollows())
        PrintSide(Data, Obj, false);
}
