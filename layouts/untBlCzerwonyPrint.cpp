#include "layouts/untBlCzerwony.h"

#include "document/BlankFormUnit.h"
#include "layouts/PrintJob.h"

#include <algorithm>
#include <cmath>

namespace {

const QString JobTitle = QStringLiteral("Blankiet");
constexpr double BlockWidthMm = 300.0;  // four coupons, two by two
constexpr double BlockHeightMm = 210.0;

void PrepareCutLines(TfrmBlank* form)
{
    TCanvas* canvas = form->BlankObj.Canvas();
    canvas->Brush.Style = bsClear;
    canvas->Pen.Style = psSolid;
    canvas->Pen.Color = form->KolForm();
    form->BlankObj.SetPenWidth(0);
}

void SetOrigin(TBlankObj& obj, double x, double y)
{
    obj.SetOriginX(x);
    obj.SetOriginY(y);
}

} // namespace

void PrintTransferPortrait(TfrmBlank* Form, const TCouponChoice& Choice)
{
    TPrintJob job(Form, JobTitle, poPortrait);
    TBlankObj& obj = Form->BlankObj;
    int k = 0;
    for (int n = 0; n < 4; ++n) {
        if (!Choice.selected[n])
            continue;
        if (k == 2)
            Printer().NewPage();
        SetOrigin(obj, 10, 10 + CouponHeightMm * (k % 2));
        DrawTransferCoupon(Form, n);
        if (k % 2 == 1) {
            // Along the edges of the page's two coupons, 5 mm beyond them.
            SetOrigin(obj, 0, 0);
            PrepareCutLines(Form);
            for (double y : {10.0, 115.0, 220.0})
                obj.HorizLine(5, 165, y);
            for (double x : {10.0, 160.0})
                obj.VertLine(x, 5, 225);
        }
        ++k;
    }
}

void PrintTransferWithReceipt(TfrmBlank* Form, const TCouponChoice& Choice)
{
    TPrintJob job(Form, JobTitle, poPortrait);
    TBlankObj& obj = Form->BlankObj;
    const int strips = Choice.all ? 2 : 1;
    for (int s = 1; s <= strips; ++s) {
        const double y0 = CouponHeightMm * (s - 1);
        SetOrigin(obj, 57, y0);
        DrawTransferCoupon(Form, (s - 1) * 3);
        SetOrigin(obj, 2, y0);
        DrawTransferReceipt(Form, 3 - s);
        SetOrigin(obj, 0, y0);
        PrepareCutLines(Form);
        obj.HorizLine(0, 210, 0);
        obj.HorizLine(0, 210, CouponHeightMm);
        for (double x : {2.0, 57.0, 207.0})
            obj.VertLine(x, -5, CouponHeightMm + 5);
    }
}

void PrintTransferLandscape(TfrmBlank* Form, const TCouponChoice& Choice)
{
    TPrintJob job(Form, JobTitle, poLandscape);
    TBlankObj& obj = Form->BlankObj;
    const TPrinter& printer = Printer();
    if (Choice.autoScale) {
        // Shrink the block to the printable area; never enlarge it.
        const int horz = printer.DeviceCaps(HORZSIZE);
        const int vert = printer.DeviceCaps(VERTSIZE);
        if (horz > 0 && vert > 0) {
            const double a = std::max(BlockWidthMm / horz, BlockHeightMm / vert);
            if (a > 1)
                obj.SetDPI(int(std::nearbyint(obj.DPI() / a)));
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
            x -= obj.Pixel2MM(printer.DeviceCaps(PHYSICALOFFSETX));
            y -= obj.Pixel2MM(printer.DeviceCaps(PHYSICALOFFSETY));
        }
        SetOrigin(obj, x, y);
        DrawTransferCoupon(Form, n);
        if (k == 0) {
            PrepareCutLines(Form);
            obj.HorizLine(0, 297, CouponHeightMm);
            obj.VertLine(CouponWidthMm, 0, 297);
        }
        ++k;
    }
}
