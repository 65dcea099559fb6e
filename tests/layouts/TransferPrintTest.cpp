// The three print layouts of the transfer form through PDF-file printers at
// 600 pixels per inch whose printable area starts inside the sheet, read
// back from the files: which coupon lands where on which page, the cut
// lines, fitting the four-coupon block to the printable area.
#include "helpers/PdfText.h"
#include "helpers/TempConfig.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "drawing/Exception.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Printer.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

constexpr int Dpi = 600;
// Margins of whole points so the printable area starts on whole pixels:
// 12 pt = 100 px across, 18 pt = 150 px down.
constexpr double LeftMm = 12 * MmPerPoint;
constexpr double TopMm = 18 * MmPerPoint;

const char* const Captions[4] = {"odcinek dla banku odbiorcy", "odcinek dla odbiorcy", "odcinek dla zleceniodawcy",
                                 "odcinek dla banku zleceniodawcy"};

struct Placed {
    int page;
    int coupon;
    double x; // the coupon's corner in mm from the sheet's corner
    double y;
};

class TransferPrintTest : public ::testing::Test {
protected:
    TransferPrintTest()
    {
        InitializeCommonUnit();
        UsePrinter(QPageSize(QPageSize::A4), QMarginsF(LeftMm, TopMm, LeftMm, TopMm));
        data.FKind = bkTransfer;
        SetDocumentDefaults(data, QDate::currentDate());
        // The transfer mode keeps the word "kwota" out of row 4, so "waluta"
        // and "kwota" appear once per coupon.
        data.FPrzelewWplata = pwPrzelew;
        data.FKwota = 1234'5000;
    }

    void UsePrinter(const QPageSize& paper, const QMarginsF& margins)
    {
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{QStringLiteral("pdf")}, Dpi,
                                                               paper, margins));
    }

    QString JobFile(int job = 1) const { return dir.filePath(QStringLiteral("pdf-%1.pdf").arg(job)); }

    // Each coupon's corner, found from its "waluta" label: 63.5 mm right of
    // the corner plus the label's leading blank, its top 27.5 mm down.
    QVector<Placed> Coupons(int job = 1, double scale = 1.0)
    {
        const QString path = JobFile(job);
        const PdfWords read = ReadPdfWords(path, PdfWordOrder::Drawing);
        EXPECT_TRUE(read.error.isEmpty()) << read.error.toStdString();
        words = read.words;
        const QVector<PdfFontMetrics> fonts = ReadPdfFontMetrics(path);
        const PdfFontMetrics* sans = FindFont(fonts, QStringLiteral("LiberationSans"));
        EXPECT_NE(sans, nullptr);
        QVector<Placed> found;
        if (!sans)
            return found;
        TBlankObj measure;
        QImage scratch(10, 10, QImage::Format_RGB32);
        TCanvas canvas(&scratch);
        measure.SetCanvas(&canvas);
        measure.SetDPI(int(std::lround(Dpi * scale)));
        measure.SetFont(5, clBlack, 0, QStringLiteral("Arial CE"));
        const double blank = measure.TextWidth(QStringLiteral(" "));
        const double ascent = measure.Pixel2MM(canvas.TextAscent());
        for (int i : FindWords(words, QStringLiteral("waluta"))) {
            const PdfWord& w = words[i];
            Placed p{w.page, -1, PointsToMm(w.xMin) - (63.5 * scale + blank),
                     PointsToMm(Baseline(w, *sans)) - (27.5 * scale + ascent)};
            // The coupon's caption stands upright along its right edge.
            for (int n = 0; n < 4; ++n)
                for (const PdfWordRun& run : FindPhrase(words, QString::fromUtf8(Captions[n])))
                    if (run.box.page == p.page && PointsToMm(run.box.xMin) > p.x + 140 * scale
                        && PointsToMm(run.box.xMax) < p.x + 151 * scale
                        && PointsToMm(run.box.yMin) > p.y && PointsToMm(run.box.yMax) < p.y + 90 * scale)
                        p.coupon = n;
            found.append(p);
        }
        return found;
    }

    int Pages() const
    {
        int pages = 0;
        for (const PdfWord& w : words)
            pages = std::max(pages, w.page);
        return pages;
    }

    // How much of the best-covered row (or column) of a strip of the page,
    // rasterised at 600 ppi, is not white: 1 for a line along the strip.
    double Coverage(int job, int page, double x1Mm, double y1Mm, double x2Mm, double y2Mm, bool alongX)
    {
        const auto px = [](double mm) { return QString::number(int(std::lround(mm / 25.4 * Dpi))); };
        const QString out = dir.filePath(QStringLiteral("strip"));
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-gray"), QStringLiteral("-f"),
                           QString::number(page), QStringLiteral("-l"), QString::number(page), QStringLiteral("-x"),
                           px(x1Mm), QStringLiteral("-y"), px(y1Mm), QStringLiteral("-W"), px(x2Mm - x1Mm),
                           QStringLiteral("-H"), px(y2Mm - y1Mm), QStringLiteral("-singlefile"), QStringLiteral("-png"),
                           JobFile(job), out});
        const QImage strip(out + QStringLiteral(".png"));
        if (strip.isNull())
            return -1;
        const int lines = alongX ? strip.height() : strip.width();
        const int length = alongX ? strip.width() : strip.height();
        double best = 0;
        for (int i = 0; i < lines; ++i) {
            int inked = 0;
            for (int j = 0; j < length; ++j)
                inked += qGray(alongX ? strip.pixel(j, i) : strip.pixel(i, j)) < 250;
            best = std::max(best, double(inked) / length);
        }
        return best;
    }

    // A horizontal cut line at y from x1 to x2: a thin strip along it is
    // inked along its whole length.
    bool HorizontalLine(int job, int page, double y, double x1, double x2)
    {
        return Coverage(job, page, x1, y - 0.15, x2, y + 0.15, true) > 0.95;
    }
    bool VerticalLine(int job, int page, double x, double y1, double y2)
    {
        return Coverage(job, page, x - 0.15, y1, x + 0.15, y2, false) > 0.95;
    }

    TempConfig config;
    QTemporaryDir dir;
    TBlankData data;
    TBlankObj obj;
    QVector<PdfWord> words;
};

TCouponChoice Only(std::initializer_list<int> coupons)
{
    TCouponChoice c;
    for (bool& s : c.selected)
        s = false;
    for (int n : coupons)
        c.selected[n] = true;
    c.all = false;
    return c;
}

void ExpectPlaced(const QVector<Placed>& actual, const QVector<Placed>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].page, expected[i].page);
        EXPECT_EQ(actual[i].coupon, expected[i].coupon);
        EXPECT_NEAR(actual[i].x, expected[i].x, 0.3);
        EXPECT_NEAR(actual[i].y, expected[i].y, 0.3);
    }
}

TEST_F(TransferPrintTest, PortraitPutsTwoCouponsOnAPageWithCutLinesAndClearsThePrintingMark)
{
    PrintTransferPortrait(data, obj, Only({0, 1}));
    ExpectPlaced(Coupons(), {{1, 0, LeftMm + 10, TopMm + 10}, {1, 1, LeftMm + 10, TopMm + 115}});
    EXPECT_EQ(Pages(), 1);
    // Along the coupons' edges, 5 mm beyond them.
    for (double y : {10.0, 115.0, 220.0}) {
        EXPECT_TRUE(HorizontalLine(1, 1, TopMm + y, LeftMm + 5.2, LeftMm + 9.8)) << y;
        EXPECT_TRUE(HorizontalLine(1, 1, TopMm + y, LeftMm + 160.2, LeftMm + 164.8)) << y;
    }
    for (double x : {10.0, 160.0})
        EXPECT_TRUE(VerticalLine(1, 1, LeftMm + x, TopMm + 5.2, TopMm + 9.8)) << x;
    EXPECT_FALSE(HorizontalLine(1, 1, TopMm + 4.5, LeftMm + 5.2, LeftMm + 9.8));
    EXPECT_FALSE(obj.Printing());
    EXPECT_FALSE(Printer().Printing());
}

TEST_F(TransferPrintTest, OneCouponHasNoCutLinesAndOnlyCouponTwoTakesTheFirstPlace)
{
    // Cut lines come only with the second coupon of a page.
    PrintTransferPortrait(data, obj, Only({2}));
    ExpectPlaced(Coupons(), {{1, 2, LeftMm + 10, TopMm + 10}});
    EXPECT_EQ(Pages(), 1);
    EXPECT_FALSE(HorizontalLine(1, 1, TopMm + 10, LeftMm + 5.2, LeftMm + 9.8));
    // In landscape the block starts at the sheet's corner.
    PrintTransferLandscape(data, obj, Only({2}));
    ExpectPlaced(Coupons(2), {{1, 2, 0, 0}});
}

TEST_F(TransferPrintTest, PortraitGoesOnToASecondPageForTheThirdCoupon)
{
    PrintTransferPortrait(data, obj, Only({0, 1, 3}));
    ExpectPlaced(Coupons(), {{1, 0, LeftMm + 10, TopMm + 10}, {1, 1, LeftMm + 10, TopMm + 115},
                             {2, 3, LeftMm + 10, TopMm + 10}});
    EXPECT_EQ(Pages(), 2);
    EXPECT_TRUE(HorizontalLine(1, 1, TopMm + 220, LeftMm + 5.2, LeftMm + 9.8));
    EXPECT_FALSE(HorizontalLine(1, 2, TopMm + 10, LeftMm + 5.2, LeftMm + 9.8)); // a lone coupon has no cut lines

    PrintTransferPortrait(data, obj, TCouponChoice{});
    ExpectPlaced(Coupons(2), {{1, 0, LeftMm + 10, TopMm + 10}, {1, 1, LeftMm + 10, TopMm + 115},
                              {2, 2, LeftMm + 10, TopMm + 10}, {2, 3, LeftMm + 10, TopMm + 115}});
    EXPECT_TRUE(HorizontalLine(2, 2, TopMm + 115, LeftMm + 5.2, LeftMm + 9.8));
}

TEST_F(TransferPrintTest, LandscapeTwoCouponChoiceFillsTheLeftColumnFromTheSheetsCorner)
{
    PrintTransferLandscape(data, obj, Only({0, 2}));
    ExpectPlaced(Coupons(), {{1, 0, 0, 0}, {1, 2, 0, 105}});
    EXPECT_EQ(Pages(), 1);
    // Cut lines at x 150 and y 105 of the block, whichever coupons are printed.
    EXPECT_TRUE(VerticalLine(1, 1, 150, 120, 130));
    EXPECT_TRUE(HorizontalLine(1, 1, 105, 160, 200));
}

TEST_F(TransferPrintTest, FitToPageShrinksTheBlockToThePrintableArea)
{
    // A landscape A4 sheet with 5 mm margins: 287 x 200 mm, so a = 210 / 200
    // and 600 ppi draws at round(600 / 1.05) = 571.
    UsePrinter(QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5));
    TCouponChoice c;
    c.autoScale = true;
    PrintTransferLandscape(data, obj, c);
    const double scale = 571.0 / 600.0;
    const QVector<Placed> placed = Coupons(1, scale);
    ASSERT_EQ(placed.size(), 4);
    EXPECT_NEAR(placed[2].x - placed[0].x, 150 * scale, 0.1);
    EXPECT_NEAR(placed[1].y - placed[0].y, 105 * scale, 0.1);
    EXPECT_NEAR(placed[0].x, 5, 0.3); // the printable area's corner, no offsets taken off
    EXPECT_NEAR(placed[0].y, 5, 0.3);
}

TEST_F(TransferPrintTest, FitToPageNeverEnlarges)
{
    // A printable area larger than the 300 x 210 mm block keeps 600 ppi.
    UsePrinter(QPageSize(QSizeF(240, 330), QPageSize::Millimeter), QMarginsF(5, 5, 5, 5));
    TCouponChoice c;
    c.autoScale = true;
    PrintTransferLandscape(data, obj, c);
    const QVector<Placed> placed = Coupons();
    ASSERT_EQ(placed.size(), 4);
    EXPECT_NEAR(placed[2].x - placed[0].x, 150, 0.1);
    EXPECT_NEAR(placed[1].y - placed[0].y, 105, 0.1);
}

TEST_F(TransferPrintTest, ReceiptLayoutWithTwoStrips)
{
    TCouponChoice c;
    c.all = true;
    PrintTransferWithReceipt(data, obj, c);
    ExpectPlaced(Coupons(), {{1, 0, LeftMm + 57, TopMm}, {1, 3, LeftMm + 57, TopMm + 105}});
    EXPECT_EQ(Pages(), 1);
    const QString text = AllText(words);
    EXPECT_NE(text.indexOf(QStringLiteral("DOWÓD/POKWITOWANIE DLA ZLECENIODAWCY")), -1);
    EXPECT_NE(text.indexOf(QStringLiteral("DOWÓD/POKWITOWANIE DLA ODBIORCY")), -1);
    // (The line at x 207 falls off this sheet, 12 pt of margin plus 207 mm.)
    for (double x : {2.0, 57.0})
        EXPECT_TRUE(VerticalLine(1, 1, LeftMm + x, TopMm + 106, TopMm + 209)) << x;
    EXPECT_TRUE(HorizontalLine(1, 1, TopMm + 105, LeftMm + 1, LeftMm + 56));
}

TEST_F(TransferPrintTest, ReceiptLayoutWithOneStrip)
{
    PrintTransferWithReceipt(data, obj, Only({0, 2}));
    ExpectPlaced(Coupons(), {{1, 0, LeftMm + 57, TopMm}});
    const QString text = AllText(words);
    EXPECT_NE(text.indexOf(QStringLiteral("DOWÓD/POKWITOWANIE DLA ZLECENIODAWCY")), -1);
    EXPECT_EQ(text.indexOf(QStringLiteral("DOWÓD/POKWITOWANIE DLA ODBIORCY")), -1);
}

// Each row's second job must come out as it does from a printer that has
// printed nothing yet: turned or clipped text ending the first leaves the
// one printer's engine nothing that moves or cuts the next.
TEST_F(TransferPrintTest, AJobPrintsTheSameWhateverTheJobBeforeItEndedWith)
{
    const auto landscape = [this] { PrintTransferLandscape(data, obj, TCouponChoice{}); };
    const auto portrait = [this] { PrintTransferPortrait(data, obj, TCouponChoice{}); };
    const auto turnedText = [](bool clipped) {
        return [clipped] {
            ASSERT_TRUE(Printer().BeginDoc());
            TCanvas& canvas = Printer().Canvas();
            canvas.Font.SetOrientation(900);
            const QString text = QStringLiteral("Wpłata gotówkowa");
            clipped ? canvas.TextRect({2000, 2000, 2300, 2100}, 2000, 2000, text) : canvas.TextOut(2000, 2000, text);
            Printer().EndDoc();
        };
    };
    const auto page = [this](int job) {
        const QString out = dir.filePath(QStringLiteral("page%1").arg(job));
        QProcess::execute(QStringLiteral("pdftoppm"),
                          QStringLiteral("-r 100 -l 1 -singlefile -png").split(u' ') << JobFile(job) << out);
        return QImage(out + QStringLiteral(".png"));
    };
    const struct {
        const char* name;
        std::function<void()> first, second;
    } rows[] = {{"landscape, landscape", landscape, landscape},
                {"landscape, portrait", landscape, portrait},
                {"clipped text, landscape", turnedText(true), landscape},
                {"turned text, portrait", turnedText(false), portrait}};
    int jobs = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        UsePrinter(QPageSize(QPageSize::A4), QMarginsF(LeftMm, TopMm, LeftMm, TopMm));
        row.second();
        row.first();
        row.second();
        jobs += 3;
        const QImage alone = page(jobs - 2);
        ASSERT_FALSE(alone.isNull());
        EXPECT_TRUE(page(jobs) == alone);
    }
}

TEST_F(TransferPrintTest, PrinterThatRefusesTheJobIsNamedAndNothingStaysMarked)
{
    // A queue whose files would go to a folder that does not exist.
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.filePath(QStringLiteral("brak")),
                                                           QStringList{QStringLiteral("Biuro")}, Dpi,
                                                           QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5)));
    try {
        PrintTransferLandscape(data, obj, TCouponChoice{});
        FAIL() << "the job started";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().indexOf(QStringLiteral("Biuro")), -1) << e.Message().toStdString();
    }
    EXPECT_FALSE(obj.Printing());
    EXPECT_FALSE(Printer().Printing());
}

} // namespace
