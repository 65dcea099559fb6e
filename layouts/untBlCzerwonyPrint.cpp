#include "layouts/untBlCzerwony.h"

#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "layouts/PrintJob.h"

#include <algorithm>
#include <cmath>

namespace {

const QString JobTitle = QStringLiteral("Blankiet");
constexpr double BlockWidthMm = 300.0;  // four coupons, two by two
constexpr double BlockHeightMm = 210.0;

void SetOrigin(TBlankObj& obj, double x, double y)
{
    obj.SetOriginX(x);
    obj.SetOriginY(y);
}

} // namespace

void PrintTransferPortrait(const TBlankData& Data, TBlankObj& Obj, const TCouponChoice& Choice)
{
    TPrintJob job(Obj, JobTitle, poPortrait);
    int k = 0;
    for (int n = 0; n < 4; ++n) {
        if (!Choice.selected[n])
            continue;
        if (k == 2)
            Printer().NewPage();
        SetOrigin(Obj, 10, 10 + CouponHeightMm * (k % 2));
        DrawTransferCoupon(Data, Obj, n);
        if (k % 2 == 1) {
            // Along the edges of the page's two coupons, 5 mm beyond them.
            SetOrigin(Obj, 0, 0);
            SetCutPen(Data, Obj, psSolid);
            for (double y : {10.0, 115.0, 220.0})
                Obj.HorizLine(5, 165, y);
            for (double x : {10.0, 160.0})
                Obj.VertLine(x, 5, 225);
        }
        ++k;
    }
}

void PrintTransferWithReceipt(const TBlankData& Data, TBlankObj& Obj, const TCouponChoice& Choice)
{
    TPrintJob job(Obj, JobTitle, poPortrait);
    const int strips = Choice.all ? 2 : 1;
    for (int s = 1; s <= strips; ++s) {
        const double y0 = CouponHeightMm * (s - 1);
        SetOrigin(Obj, 57, y0);
        DrawTransferCoupon(Data, Obj, (s - 1) * 3);
        SetOrigin(Obj, 2, y0);
        DrawTransferReceipt(Data, Obj, 3 - s);
        SetOrigin(Obj, 0, y0);
        SetCutPen(Data, Obj, psSolid);
        Obj.HorizLine(0, 210, 0);
        Obj.HorizLine(0, 210, CouponHeightMm);
        for (double x : {2.0, 57.0, 207.0})
            Obj.VertLine(x, -5, CouponHeightMm + 5);
    }
}

void PrintTransferLandscape(const TBlankData& Data, TBlankObj& Obj, const TCouponChoice& Choice)
{
    TPrintJob job(Obj, JobTitle, poLandscape);
    const TPrinter& printer = Printer();
    if (Choice.autoScale) {
        // Shrink the block to the printable area; never enlarge it.
        const int horz = printer.DeviceCaps(HORZSIZE);
        const int vert = printer.DeviceCaps(VERTSIZE);
        if (horz > 0 && vert > 0) {
            const double a = std::max(BlockWidthMm / horz, BlockHeightMm / vert);
            if (a > 1)
                Obj.SetDPI(int(std::nearbyint(Obj.DPI() / a)));
        }
    }
    int k = 0;
    for (int n = 0; n < 4; ++n) {
        if (!Choice.selected[n])
            continue;
        double x = CouponWidthMm * (k / 2);
        double y = CouponHeightMm * (k % 2);
        if (!Choice.autoScale) {
            // Placed from the sheet's corner rather than the printable area's.
            x -= Obj.Pixel2MM(printer.DeviceCaps(PHYSICALOFFSETX));
            y -= Obj.Pixel2MM(printer.DeviceCaps(PHYSICALOFFSETY));
        }
        SetOrigin(Obj, x, y);
        DrawTransferCoupon(Data, Obj, n);
        if (k == 0) {
            SetCutPen(Data, Obj, psSolid);
            Obj.HorizLine(0, 297, CouponHeightMm);
            Obj.VertLine(CouponWidthMm, 0, 297);
        }
        ++k;
    }
}
