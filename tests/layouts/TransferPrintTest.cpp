// The three print layouts of the transfer form through PDF-file printers at
// 600 pixels per inch whose printable area starts inside the sheet, read back
// from the files: which coupon lands where on which page, the cut lines,
// fitting the four-coupon block to the printable area, jobs in a row.
#include "helpers/PdfText.h"
#include "helpers/TempConfig.h"
#include "drawing/Exception.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Printer.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int Dpi = 600;
// Margins of whole points, so the printable area starts on whole pixels.
constexpr double L = 12 * MmPerPoint, T = 18 * MmPerPoint;
const char* const Captions[4] = {"odcinek dla banku odbiorcy", "odcinek dla odbiorcy", "odcinek dla zleceniodawcy",
                                 "odcinek dla banku zleceniodawcy"};
using Layout = void (*)(const TBlankData&, TBlankObj&, const TCouponChoice&);

struct Placed {
    int page, coupon;
    double x, y; // the coupon's corner in mm from the sheet's corner
};
struct CutLine {
    int page;
    bool vertical;
    double at, from, to; // mm from the sheet's corner
    bool drawn;
};

class TransferPrintTest : public ::testing::Test {
protected:
    TransferPrintTest()
    {
        InitializeCommonUnit();
        UsePrinter(QPageSize(QPageSize::A4), QMarginsF(L, T, L, T));
        data.FKind = bkTransfer;
        SetDocumentDefaults(data, QDate::currentDate());
        // The transfer mode keeps "kwota" out of row 4, so "waluta" stands once per coupon.
        data.FPrzelewWplata = pwPrzelew;
        data.FKwota = 1234'5000;
    }
    void UsePrinter(const QPageSize& paper, const QMarginsF& margins)
    {
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{QStringLiteral("pdf")}, Dpi, paper, margins));
    }
    QString JobFile(int job) const { return dir.filePath(QStringLiteral("pdf-%1.pdf").arg(job)); }

    // Each coupon's corner from its "waluta" label, 63.5 mm right of it plus
    // the label's leading blank, top 27.5 mm down; its number from the caption along its right edge.
    QVector<Placed> Coupons(int job, double scale = 1.0)
    {
        words = ReadPdfWords(JobFile(job), PdfWordOrder::Drawing).words;
        const std::optional<PdfFontMetrics> sans = ReadPdfFont(JobFile(job), QStringLiteral("LiberationSans"));
        QImage scratch(10, 10, QImage::Format_RGB32);
        TCanvas canvas(&scratch);
        TBlankObj measure;
        measure.SetCanvas(&canvas);
        measure.SetDPI(int(std::lround(Dpi * scale)));
        measure.SetFont(5, clBlack, 0, QStringLiteral("Arial CE"));
        const double blank = measure.TextWidth(QStringLiteral(" ")), ascent = measure.Pixel2MM(canvas.TextAscent());
        QVector<Placed> found;
        for (const PdfWordRun& label : FindPhrase(words, QStringLiteral("waluta"))) {
            Placed p{label.box.page, -1, PointsToMm(label.box.xMin) - (63.5 * scale + blank),
                     sans ? PointsToMm(Baseline(label.box, *sans)) - (27.5 * scale + ascent) : -1};
            for (int n = 0; n < 4; ++n)
                for (const PdfWordRun& run : FindPhrase(words, QString::fromUtf8(Captions[n])))
                    if (run.box.page == p.page && PointsToMm(run.box.xMin) > p.x + 140 * scale && PointsToMm(run.box.xMax) < p.x + 151 * scale
                        && PointsToMm(run.box.yMin) > p.y && PointsToMm(run.box.yMax) < p.y + 90 * scale)
                        p.coupon = n;
            found.append(p);
        }
        return found;
    }
    // A page of the job rasterised by poppler; a strip of it when area is given (mm).
    QImage Page(int job, int page, int dpi, const QRectF& area = QRectF())
    {
        const auto px = [dpi](double mm) { return QString::number(std::lround(mm / 25.4 * dpi)); };
        QStringList arguments{QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page),
                              QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"), QStringLiteral("-png")};
        if (!area.isNull())
            arguments << QStringLiteral("-x") << px(area.x()) << QStringLiteral("-y") << px(area.y()) << QStringLiteral("-W")
                      << px(area.width()) << QStringLiteral("-H") << px(area.height());
        QFile::remove(dir.filePath(QStringLiteral("page.png")));
        QProcess::execute(QStringLiteral("pdftoppm"), arguments << JobFile(job) << dir.filePath(QStringLiteral("page")));
        return QImage(dir.filePath(QStringLiteral("page.png")));
    }
    // A line along a 0.3 mm strip: one row (or column) of it inked along 95 % of its length.
    bool Drawn(int job, const CutLine& l)
    {
        const QImage strip = Page(job, l.page, Dpi, l.vertical ? QRectF(l.at - 0.15, l.from, 0.3, l.to - l.from)
                                                              : QRectF(l.from, l.at - 0.15, l.to - l.from, 0.3));
        const int lines = l.vertical ? strip.width() : strip.height(), length = l.vertical ? strip.height() : strip.width();
        for (int i = 0; i < lines; ++i) {
            int inked = 0;
            for (int j = 0; j < length; ++j)
                inked += qGray(l.vertical ? strip.pixel(i, j) : strip.pixel(j, i)) < 250;
            if (inked > 0.95 * length)
                return true;
        }
        return false;
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
    c.all = false;
    for (int n = 0; n < 4; ++n)
        c.selected[n] = std::find(coupons.begin(), coupons.end(), n) != coupons.end();
    return c;
}

TEST_F(TransferPrintTest, EachLayoutPutsTheChosenCouponsInTheirPlacesWithCutLines)
{
    const struct {
        Layout layout;
        TCouponChoice choice;
        QVector<Placed> placed;
        QVector<CutLine> lines; // cut lines run 5 mm beyond the coupons' edges, and only with a page's second coupon
        QStringList receipts;
    } rows[] = {
        {PrintTransferPortrait, Only({0, 1}), {{1, 0, L + 10, T + 10}, {1, 1, L + 10, T + 115}},
         {{1, false, T + 10, L + 5.2, L + 9.8, true}, {1, false, T + 115, L + 160.2, L + 164.8, true},
          {1, false, T + 220, L + 5.2, L + 9.8, true}, {1, true, L + 160, T + 5.2, T + 9.8, true},
          {1, false, T + 4.5, L + 5.2, L + 9.8, false}}},
        {PrintTransferPortrait, Only({2}), {{1, 2, L + 10, T + 10}}, {{1, false, T + 10, L + 5.2, L + 9.8, false}}},
        {PrintTransferPortrait, Only({0, 1, 3}), {{1, 0, L + 10, T + 10}, {1, 1, L + 10, T + 115}, {2, 3, L + 10, T + 10}},
         {{2, false, T + 10, L + 5.2, L + 9.8, false}}},
        {PrintTransferPortrait, TCouponChoice{}, {{1, 0, L + 10, T + 10}, {1, 1, L + 10, T + 115}, {2, 2, L + 10, T + 10},
                                                  {2, 3, L + 10, T + 115}}, {{2, false, T + 115, L + 5.2, L + 9.8, true}}},
        // In landscape the block starts at the sheet's corner, cut lines at x 150 and y 105 whatever is printed.
        {PrintTransferLandscape, Only({2}), {{1, 2, 0, 0}}, {}},
        {PrintTransferLandscape, Only({0, 2}), {{1, 0, 0, 0}, {1, 2, 0, 105}},
         {{1, true, 150, 120, 130, true}, {1, false, 105, 160, 200, true}}},
        // (The line at x 207 falls off this sheet.)
        {PrintTransferWithReceipt, TCouponChoice{}, {{1, 0, L + 57, T}, {1, 3, L + 57, T + 105}},
         {{1, true, L + 2, T + 106, T + 209, true}, {1, true, L + 57, T + 106, T + 209, true}, {1, false, T + 105, L + 1, L + 56, true}},
         {QStringLiteral("ZLECENIODAWCY"), QStringLiteral("ODBIORCY")}},
        {PrintTransferWithReceipt, Only({0, 2}), {{1, 0, L + 57, T}}, {}, {QStringLiteral("ZLECENIODAWCY")}},
    };
    int job = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(job);
        r.layout(data, obj, r.choice);
        const QVector<Placed> placed = Coupons(++job);
        ASSERT_EQ(placed.size(), r.placed.size());
        for (int i = 0; i < placed.size(); ++i) {
            EXPECT_EQ(QPoint(placed[i].page, placed[i].coupon), QPoint(r.placed[i].page, r.placed[i].coupon)) << i;
            EXPECT_NEAR(placed[i].x, r.placed[i].x, 0.3) << i;
            EXPECT_NEAR(placed[i].y, r.placed[i].y, 0.3) << i;
        }
        EXPECT_EQ(Page(job, r.placed.last().page + 1, 10).isNull(), true) << "a page too many";
        for (const CutLine& line : r.lines)
            EXPECT_EQ(Drawn(job, line), line.drawn) << line.at;
        for (const QString& who : {QStringLiteral("ZLECENIODAWCY"), QStringLiteral("ODBIORCY")})
            EXPECT_EQ(AllText(words).contains(QStringLiteral("DOWÓD/POKWITOWANIE DLA ") + who), r.receipts.contains(who));
        EXPECT_FALSE(obj.Printing());
        EXPECT_FALSE(Printer().Printing());
    }
}

TEST_F(TransferPrintTest, FitToPageShrinksTheBlockToThePrintableAreaButNeverEnlargesIt)
{
    // A4 landscape less 5 mm margins is 287 x 200 mm, so 600 ppi draws at
    // round(600 / (210 / 200)) = 571; 230 x 320 mm holds the 300 x 210 mm block.
    const struct {
        QPageSize paper;
        double scale;
    } rows[] = {{QPageSize(QPageSize::A4), 571.0 / 600}, {QPageSize(QSizeF(240, 330), QPageSize::Millimeter), 1}};
    int job = 0;
    for (const auto& r : rows) {
        UsePrinter(r.paper, QMarginsF(5, 5, 5, 5));
        TCouponChoice c;
        c.autoScale = true;
        PrintTransferLandscape(data, obj, c);
        const QVector<Placed> placed = Coupons(++job, r.scale);
        ASSERT_EQ(placed.size(), 4);
        // From the printable area's corner, no offsets taken off.
        for (int k = 0; k < 4; ++k) {
            EXPECT_NEAR(placed[k].x, 5 + 150 * r.scale * (k / 2), 0.3) << k;
            EXPECT_NEAR(placed[k].y, 5 + 105 * r.scale * (k % 2), 0.3) << k;
        }
    }
}

// Each row's second job must come out as from a printer that has printed
// nothing yet: turned or clipped text ending the first leaves the one
// printer's engine nothing that moves or cuts the next.
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
        UsePrinter(QPageSize(QPageSize::A4), QMarginsF(L, T, L, T));
        row.second();
        row.first();
        row.second();
        jobs += 3;
        const QImage alone = Page(jobs - 2, 1, 100);
        ASSERT_FALSE(alone.isNull());
        EXPECT_TRUE(Page(jobs, 1, 100) == alone);
    }
}

TEST_F(TransferPrintTest, PrinterThatRefusesTheJobIsNamedAndNothingStaysMarked)
{
    // A queue whose files would go to a folder that does not exist.
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.filePath(QStringLiteral("brak")), QStringList{QStringLiteral("Biuro")},
                                                           Dpi, QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5)));
    try {
        PrintTransferLandscape(data, obj, TCouponChoice{});
        ADD_FAILURE() << "the job started";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Biuro"))) << e.Message().toStdString();
    }
    EXPECT_FALSE(obj.Printing());
    EXPECT_FALSE(Printer().Printing());
}

} // namespace
