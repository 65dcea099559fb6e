// The deposit form's coupon at 254 pixels per inch (ten pixels to the mm), its
// words as a 600 dpi PDF read back with pdftotext, its preview against
// pictures checked by eye (WPLATOMAT_WRITE_REFERENCES=1 rewrites them), and
// both sides through a 600 dpi PDF-file printer with unprintable margins.
#include "helpers/PdfText.h"
#include "helpers/PixelProbe.h"
#include "helpers/TempConfig.h"
#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "layouts/untBlWplata.h"
#include "platform/Bitmap.h"
#include "platform/PdfFile.h"
#include "platform/Printer.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr TColor Form = 0x00A05020, Text = 0x002080C0;

TBlankData Deposit(Currency kwota = 0)
{
    TBlankData d;
    d.FKind = bkDeposit;
    d.FKolForm = Form;
    d.FKolTekst = Text;
    d.FKwota = kwota;
    return d;
}

// -1 the upright back, -2 the turned back, else the front of that coupon.
QImage Coupon(const TBlankData& d, int coupon, int dpi = 254)
{
    TBlankObj obj;
    obj.SetDPI(dpi);
    TBitmap bitmap(obj.MM2Pixel(70), obj.MM2Pixel(100));
    obj.SetCanvas(&bitmap.Canvas());
    coupon >= 0 ? DrawDepositCouponFront(d, obj, coupon) : DrawDepositCouponBack(d, obj, 0, coupon == -2);
    bitmap.Canvas().End();
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
        EXPECT_EQ(PixelAt(Coupon(Deposit(), p.coupon), int(p.x * 10), int(p.y * 10)) == Form, p.ink)
            << p.coupon << ": " << p.x << ", " << p.y;
}

TEST(DepositFormTest, WordsOfEveryAmountStayWholeWithinTheirBands)
{
    const struct { Currency kwota; const char* words; } rows[] = {
        {5'0000, "pięć"}, {29979'0000, "dwadzieścia dziewięć tysięcy dziewięćset siedemdziesiąt dziewięć"},
        {9'9999'9999'9900, "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć "
                           "tysięcy dziewięćset dziewięćdziesiąt dziewięć"}};
    QTemporaryDir dir;
    for (const auto& row : rows) {
        const QString path = dir.filePath(QStringLiteral("coupon.pdf"));
        {
            TPdfFile pdf(path, 70, 100, 600);
            TBlankObj obj;
            obj.SetDPI(600);
            obj.SetCanvas(&pdf.Canvas());
            DrawDepositCouponFront(Deposit(row.kwota), obj, 0);
        }
        // Each band's words: wholly within its span, their middle within its rows.
        QStringList found;
        for (const auto& [x2, y1, y2] : {std::tuple{67.0, 14.0, 19.5}, std::tuple{58.0, 22.0, 27.5}})
            for (const PdfWord& w : ReadPdfWords(path, PdfWordOrder::Drawing).words) {
                const double mid = PointsToMm(w.yMin + w.yMax) / 2;
                if (PointsToMm(w.xMin) >= 3 - 0.1 && PointsToMm(w.xMax) <= x2 + 0.1 && mid > y1 && mid < y2)
                    found << w.text;
            }
        EXPECT_EQ(found.join(u' ').toStdString(), row.words);
    }
}

TEST(DepositFormTest, PreviewShowsCouponZeroAsThePicturesDo)
{
    TBlankData filled = Deposit(1234'0500);
    filled.FNadawca = {QStringLiteral("Józef Żółkiewski"), QStringLiteral("ul. Świętokrzyska 12/4, 31-042 Kraków")};
    filled.FBank = {QStringLiteral("Bank Spółdzielczy w Łańcucie")};
    filled.FOdbRach = QStringLiteral("12 1020 2892 0000 5402 0123 4567 8901 2345"); // too long: cut at the span
    filled.FOdbiorca = {QStringLiteral("Spółdzielnia Mieszkaniowa „Zacisze”")};
    filled.FTytul = {QStringLiteral("Czynsz za październik"), QStringLiteral("lokal nr 15")};
    InitializeBackBuffer();
    for (const auto& [d, side, file] : {std::tuple{Deposit(), bsTop, "deposit-front-empty.png"},
                                        {filled, bsTop, "deposit-front-filled.png"},
                                        {Deposit(), bsBottom, "deposit-back-empty.png"},
                                        {filled, bsBottom, "deposit-back-filled.png"}}) {
        TBlankObj obj;
        obj.SetDPI(100);
        QImage window(obj.MM2Pixel(70), obj.MM2Pixel(100), QImage::Format_RGB32);
        TCanvas canvas(&window);
        obj.SetCanvas(&canvas);
        PaintDepositForm(d, obj, side);
        canvas.End();
        const QString path = QStringLiteral(WPLATOMAT_TEST_DATA "/reference/") + QLatin1String(file);
        if (qEnvironmentVariableIntValue("WPLATOMAT_WRITE_REFERENCES") == 1)
            ASSERT_TRUE(window.save(path));
        EXPECT_TRUE(window == QImage(path).convertToFormat(QImage::Format_RGB32)) << file;
    }
}

TEST(DepositFormTest, RowsKeepTheFartherMarginFromTheirOwnEdge)
{
    // 600 dpi, A4 across (210 mm: 4961 px), rows of 100 mm (2362 px); margins 5 and 10 mm are 118 and 236 px.
    for (const auto& [top, bottom] : {std::pair{118, 236}, {236, 118}, {118, 118}}) {
        const TDepositRows rows = DepositRowPlacement(top, 4961, 4961 - top - bottom, 2362);
        EXPECT_EQ(top + rows.FrontTopPx, std::max(top, bottom));
        EXPECT_EQ(4961 - (top + rows.BackTopPx + 2362), std::max(top, bottom));
    }
}

// A strip (mm from the sheet's corner) of the job's page at 600 dpi: the largest share of
// a pixel line along it that is inked, 0.5 for a dotted line.
double Ink(const QString& pdf, double x, double y, double w, double h)
{
    const auto px = [](double mm) { return QString::number(std::lround(mm / 25.4 * 600)); };
    QProcess::execute(QStringLiteral("pdftoppm"), QStringLiteral("-singlefile -png -r 600 -x %1 -y %2 -W %3 -H %4")
                      .arg(px(x), px(y), px(w), px(h)).split(u' ') << pdf << pdf);
    const QImage image(pdf + QStringLiteral(".png"));
    const bool across = w > h;
    double most = image.isNull() ? -1 : 0;
    for (int i = 0; i < (across ? image.height() : image.width()); ++i) {
        const QRect line = across ? QRect(0, i, image.width(), 1) : QRect(i, 0, 1, image.height());
        most = std::max(most, 1 - double(CountPixels(image, line, clWhite)) / (line.width() * line.height()));
    }
    return most;
}

QString JobTitle(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QStringLiteral("Title:")))
            return line.mid(6).trimmed();
    return {};
}

TEST(DepositFormTest, BothSidesPrintAsLandscapeRowsTenMillimetresFromTheirEdge)
{
    TempConfig config;
    QTemporaryDir dir;
    constexpr double L = 4;
    TBlankData d = Deposit(29979'0000);
    d.FTytul = {QStringLiteral("Czynsz")};
    for (const auto& [top, bottom] : {std::pair{5.0, 10.0}, {10.0, 5.0}}) {
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{QStringLiteral("pdf")}, 600,
                                                               QPageSize(QPageSize::A4), QMarginsF(L, top, L, bottom)));
        int asked = 0;
        TBlankObj obj;
        PrintDepositForm(d, obj, {true, true, [&] { return ++asked == 1; }});
        const QString front = dir.filePath(QStringLiteral("pdf-1.pdf")), back = dir.filePath(QStringLiteral("pdf-2.pdf"));
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(JobTitle(front), "Blankiet - przód");
        EXPECT_EQ(JobTitle(back), "Blankiet - tył");
        // Dotted frames, every other pixel inked: the four coupons' edges and the row's top 10 mm down.
        for (int i = 0; i <= 4; ++i)
            EXPECT_NEAR(Ink(front, L + 3 + 70 * i - 0.15, 15, 0.3, 90), 0.5, 0.1) << i;
        EXPECT_EQ(Ink(front, L + 1, 15, 1.8, 90), 0);
        for (const double y : {10.0, 110.0})
            EXPECT_NEAR(Ink(front, L + 10, y - 0.15, 270, 0.3), 0.5, 0.1) << y;
        EXPECT_EQ(Ink(front, L + 10, 9.4, 270, 0.3), 0); // Qt puts margins on whole points: 0.1 mm leeway
        // The back: no frames, the title lines turned, at 85 mm of a row whose bottom is 10 mm up.
        EXPECT_EQ(Ink(back, L + 1, 100, 2.8, 90), 0);
        for (int i = 0; i < 4; ++i)
            EXPECT_GT(Ink(back, L + 3 + 70 * i + 9, 210 - 10 - 15 - 0.15, 52, 0.3), 0.99) << i;
        EXPECT_EQ(Ink(back, L, 210 - 10 - 85 - 0.4, 280, 0.8), 0);
        QFile::remove(front), QFile::remove(back);
        // Back only: one job and no question.
        PrintDepositForm(d, obj, {false, true, [&] { return ++asked > 0; }});
        EXPECT_EQ(JobTitle(front), "Blankiet - tył");
        EXPECT_EQ(asked, 1);
        QFile::remove(front);
    }
}

} // namespace
