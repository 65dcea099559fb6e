// The deposit coupon at 254 ppi (10 px to the mm) and in 600 dpi PDFs, its preview against pictures checked
// by eye (WPLATOMAT_WRITE_REFERENCES=1 rewrites them), and where its rows go on the sheet. The rows as printed
// are held to the sheet by the spooler tests.
#include "helpers/PdfText.h"
#include "helpers/PixelProbe.h"
#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "layouts/untBlWplata.h"
#include "platform/Bitmap.h"
#include "platform/PdfFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr TColor Form = 0x00A05020, Text = 0x002080C0;

TBlankData Deposit(Currency kwota = 0)
{
    TBlankData d;
    d.FKind = bkDeposit, d.FKolForm = Form, d.FKolTekst = Text, d.FKwota = kwota;
    return d;
}

// Coupon -1 is the upright back, -2 the turned back, else that coupon's front; at 254 ppi unless into a PDF.
QImage Coupon(const TBlankData& d, int coupon, TPdfFile* pdf = nullptr)
{
    TBitmap bitmap(700, 1000);
    TBlankObj obj;
    obj.SetDPI(pdf ? pdf->DPI() : 254);
    obj.SetCanvas(pdf ? &pdf->Canvas() : &bitmap.Canvas());
    coupon >= 0 ? DrawDepositCouponFront(d, obj, coupon) : DrawDepositCouponBack(d, obj, 0, coupon == -2);
    pdf ? pdf->Close() : bitmap.Canvas().End();
    return bitmap.Image().copy();
}

TEST(DepositFormTest, CouponLinesStandWhereTheFormPutsThem)
{
    // Separators, fee box's left edge, signature line, both word bands, the back's title line.
    const struct { int coupon; double x, y; bool ink; } probes[] = {
        {0, 35, 42, 1}, {2, 35, 78, 1}, {0, 51, 87, 1}, {3, 51, 87, 1}, {1, 51, 87, 0}, {2, 51, 87, 0},
        {0, 35, 90, 1}, {1, 35, 90, 0}, {1, 62, 14.8, 1}, {1, 62, 18.8, 1}, {1, 62, 19.2, 0}, {1, 50, 26.8, 1},
        {1, 58.3, 22.8, 0}, {-1, 35, 15, 1}, {-1, 35, 85, 0}, {-2, 35, 85, 1}, {-2, 35, 15, 0}, {-2, 7, 85, 0}};
    for (const auto& p : probes)
        EXPECT_EQ(PixelAt(Coupon(Deposit(), p.coupon), int(p.x * 10), int(p.y * 10)) == Form, p.ink) << p.coupon << ": " << p.x << ", " << p.y;
}

TEST(DepositFormTest, WordsOfEveryAmountStayWholeWithinTheirBands)
{
    const struct { Currency kwota; const char* words; } rows[] = {
        {5'0000, "pięć"}, {29979'0000, "dwadzieścia dziewięć tysięcy dziewięćset siedemdziesiąt dziewięć"},
        {9'9999'9999'9900, "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć "
                           "tysięcy dziewięćset dziewięćdziesiąt dziewięć"}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("coupon.pdf"));
    for (const auto& row : rows) {
        TPdfFile pdf(path, 70, 100, 600);
        Coupon(Deposit(row.kwota), 0, &pdf);
        // The words of each band: wholly within its span, their middle within its rows.
        QStringList found;
        for (const PdfWord& w : ReadPdfWords(path, PdfWordOrder::Drawing).words) {
            const double l = PointsToMm(w.xMin), r = PointsToMm(w.xMax), mid = PointsToMm(w.yMin + w.yMax) / 2;
            if (l > 2.9 && ((mid > 14 && mid < 19.5 && r < 67.1) || (mid > 22 && mid < 27.5 && r < 58.1)))
                found << w.text;
        }
        EXPECT_EQ(found.join(u' ').toStdString(), row.words);
    }
}

TEST(DepositFormTest, PreviewShowsCouponZeroAsThePicturesDo)
{
    TBlankData filled = Deposit(1234'0500);
    filled.FNadawca = filled.FTytul = {QStringLiteral("Józef Żółkiewski"), QStringLiteral("ul. Świętokrzyska 12/4, 31-042 Kraków")};
    filled.FBank = filled.FOdbiorca = {QStringLiteral("Spółdzielnia Mieszkaniowa „Zacisze”")};
    filled.FOdbRach = QStringLiteral("12 1020 2892 0000 5402 0123 4567 8901 2345"); // too long: cut at the span
    InitializeBackBuffer();
    for (const auto& [d, side, file] : {std::tuple{Deposit(), bsTop, "deposit-front-empty.png"}, {filled, bsTop, "deposit-front-filled.png"},
                                        {Deposit(), bsBottom, "deposit-back-empty.png"}, {filled, bsBottom, "deposit-back-filled.png"}}) {
        TBlankObj obj;
        obj.SetDPI(100);
        TBitmap window(obj.MM2Pixel(70), obj.MM2Pixel(100));
        obj.SetCanvas(&window.Canvas());
        PaintDepositForm(d, obj, side);
        window.Canvas().End();
        const QString path = QStringLiteral(WPLATOMAT_TEST_DATA "/reference/") + QLatin1String(file);
        const bool rewrite = qEnvironmentVariableIntValue("WPLATOMAT_WRITE_REFERENCES") == 1 && window.Image().save(path);
        EXPECT_TRUE(rewrite || window.Image() == QImage(path).convertToFormat(QImage::Format_RGB32)) << file;
    }
}

TEST(DepositFormTest, RowsKeepTheFartherMarginFromTheirOwnEdge)
{
    // 600 dpi, A4 across (210 mm: 4961 px), rows of 100 mm (2362 px); margins 5 and 10 mm are 118 and 236 px.
    for (const auto& [top, bottom] : {std::pair{118, 236}, {236, 118}, {118, 118}}) {
        const TDepositRows rows = DepositRowPlacement(top, 4961, 4961 - top - bottom, 2362);
        EXPECT_EQ(QPoint(top + rows.FrontTopPx, 4961 - (top + rows.BackTopPx + 2362)), QPoint(1, 1) * std::max(top, bottom));
    }
}

} // namespace
