// The transfer form's print layouts through 600 dpi PDF-file printers whose printable area starts inside the sheet:
// which coupon and receipt lands where on which page, the cut lines, fitting to the printable area, jobs in a row.
#include "helpers/PdfText.h"
#include "helpers/TempConfig.h"
#include "drawing/BlankData.h"
#include "drawing/Exception.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Printer.h"

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
const char* const Receipts[4] = {"", "DOWÓD/POKWITOWANIE DLA ODBIORCY", "DOWÓD/POKWITOWANIE DLA ZLECENIODAWCY", ""};

// The coupon's page, number and corner in mm from the sheet's corner.
struct Placed { int page, coupon; double x, y; };

class TransferPrintTest : public ::testing::Test {
protected:
    TransferPrintTest()
    {
        InitializeCommonUnit();
        UsePrinter(QPageSize(QPageSize::A4), QMarginsF(L, T, L, T));
        data.FKind = bkTransfer;
        SetDocumentDefaults(data, QDate::currentDate());
    }
    void UsePrinter(const QPageSize& paper, const QMarginsF& margins, QString name = u"pdf"_qs, QString folder = {})
    {
        folder = folder.isEmpty() ? dir.path() : folder;
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(folder, QStringList{name}, Dpi, paper, margins));
    }
    QString JobFile(int job) const { return dir.filePath(u"pdf-%1.pdf"_qs.arg(job)); }

    // Each coupon's corner from its " waluta " label (63.5 mm right, 27.5 mm down) numbered by its caption along its
    // right edge; each receipt's from its " odbiorca " label (18.5, 17.5), numbered 10 + which its caption names.
    QVector<Placed> Coupons(int job, double scale = 1.0)
    {
        words = ReadPdfWords(JobFile(job), PdfWordOrder::Drawing).words;
        const PdfFontMetrics sans = ReadPdfFont(JobFile(job), u"LiberationSans"_qs).value_or(PdfFontMetrics{});
        QImage scratch(10, 10, QImage::Format_RGB32);
        TCanvas canvas(&scratch);
        TBlankObj measure;
        measure.SetCanvas(&canvas), measure.SetDPI(int(std::lround(Dpi * scale)));
        QVector<Placed> found;
        const auto mm = [scale](double pt, double dx = 0) { return PointsToMm(pt) - dx * scale; };
        const auto place = [&](const char* label, int points, double dx, double dy, const char* const* captions,
                               int base, double cx1, double cx2, double cy2) {
            measure.SetFont(points, clBlack, 0, u"Arial CE"_qs);
            const double blank = measure.TextWidth(u" "_qs), ascent = measure.Pixel2MM(canvas.TextAscent());
            for (const PdfWordRun& at : FindPhrase(words, QLatin1String(label))) {
                Placed p{at.box.page, -1, mm(at.box.xMin, dx) - blank, mm(sans.Baseline(at.box), dy) - ascent};
                for (int n = 0; n < 4; ++n)
                    for (const PdfWordRun& r : FindPhrase(words, QString::fromUtf8(captions[n])))
                        if (r.box.page == p.page && mm(r.box.xMin, cx1) > p.x && mm(r.box.xMax, cx2) < p.x
                            && mm(r.box.yMin) > p.y && mm(r.box.yMax, cy2) < p.y)
                            p.coupon = base + n;
                found.append(p);
            }
        };
        place("waluta", 5, 63.5, 27.5, Captions, 0, 140, 151, 90);
        place("odbiorca", 6, 18.5, 17.5, Receipts, 10, 3, 7.5, 75);
        return found;
    }
    // A page of the job rasterised by poppler, or the area of it (mm); null beyond the last page.
    QImage Page(int job, int page, int dpi, const QRectF& area = QRectF(0, 0, 400, 400))
    {
        const auto px = [dpi](double mm) { return QString::number(std::lround(mm / 25.4 * dpi)); };
        QFile::remove(dir.filePath(u"page.png"_qs));
        QProcess::execute(u"pdftoppm"_qs, u"-singlefile -png -r %1 -f %2 -l %2 -x %3 -y %4 -W %5 -H %6"_qs.arg(dpi)
                              .arg(page).arg(px(area.x()), px(area.y()), px(area.width()), px(area.height()))
                              .split(u' ') << JobFile(job) << dir.filePath(u"page"_qs));
        return QImage(dir.filePath(u"page.png"_qs));
    }
    // A cut line from (x, y) mm, along x (or y) for length mm: a row (or column) of a 0.3 mm strip inked along 95 %.
    bool Line(int job, int page, double x, double y, double length, bool vertical = false)
    {
        const QRectF area = vertical ? QRectF(x - 0.15, y, 0.3, length) : QRectF(x, y - 0.15, length, 0.3);
        const QImage across = Page(job, page, Dpi, area).transformed(QTransform().rotate(vertical ? 90 : 0));
        for (int i = 0, inked = 0; i < across.height(); ++i, inked = 0) {
            for (int j = 0; j < across.width(); ++j)
                inked += qGray(across.pixel(j, i)) < 250;
            if (inked > 0.95 * across.width())
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

TCouponChoice Only(std::initializer_list<int> coupons, bool fit = false)
{
    TCouponChoice c{{false, false, false, false}, false, fit};
    for (int n : coupons)
        c.selected[n] = true;
    return c;
}

TEST_F(TransferPrintTest, EachLayoutPutsTheChosenCouponsInTheirPlaces)
{
    // Coupons by number, receipts by 10 + which; paper: else A4 with the margins above, this with 5 mm margins.
    const struct {
        void (*layout)(const TBlankData&, TBlankObj&, const TCouponChoice&);
        TCouponChoice choice;
        QVector<Placed> placed;
        double scale = 1;
        QSizeF paper = {};
    } rows[] = {
        {PrintTransferPortrait, Only({0, 1}), {{1, 0, L + 10, T + 10}, {1, 1, L + 10, T + 115}}},
        {PrintTransferPortrait, Only({0, 1, 3}),
         {{1, 0, L + 10, T + 10}, {1, 1, L + 10, T + 115}, {2, 3, L + 10, T + 10}}},
        {PrintTransferPortrait, Only({2}), {{1, 2, L + 10, T + 10}}},
        // In landscape the block starts at the sheet's corner.
        {PrintTransferLandscape, Only({0, 2}), {{1, 0, 0, 0}, {1, 2, 0, 105}}},
        // The orderer's receipt beside coupon 0, the recipient's beside coupon 3.
        {PrintTransferWithReceipt, TCouponChoice{},
         {{1, 0, L + 57, T}, {1, 3, L + 57, T + 105}, {1, 12, L + 2, T}, {1, 11, L + 2, T + 105}}},
        {PrintTransferWithReceipt, Only({0, 2}), {{1, 0, L + 57, T}, {1, 12, L + 2, T}}},
        // Fitted to the printable area's corner (the spooler tests shrink it): 240 x 330 mm holds the block as it is.
        {PrintTransferLandscape, Only({0, 1, 2, 3}, true),
         {{1, 0, 5, 5}, {1, 1, 5, 110}, {1, 2, 155, 5}, {1, 3, 155, 110}}, 1, {240, 330}},
    };
    int job = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(job);
        if (r.paper.isValid())
            UsePrinter(QPageSize(r.paper, QPageSize::Millimeter), QMarginsF(5, 5, 5, 5));
        r.layout(data, obj, r.choice);
        const QVector<Placed> placed = Coupons(++job, r.scale);
        ASSERT_EQ(placed.size(), r.placed.size());
        for (int i = 0; i < placed.size(); ++i) {
            EXPECT_EQ(QPoint(placed[i].page, placed[i].coupon), QPoint(r.placed[i].page, r.placed[i].coupon)) << i;
            EXPECT_NEAR(placed[i].x, r.placed[i].x, 0.3) << i;
            EXPECT_NEAR(placed[i].y, r.placed[i].y, 0.3) << i;
        }
        EXPECT_TRUE(Page(job, r.placed.last().page + 1, 10).isNull()) << "a page too many";
        EXPECT_TRUE(FindPhrase(words, u"PLN"_qs).isEmpty()) << "no amount, no figures on the receipt";
        EXPECT_FALSE(obj.Printing() || Printer().Printing());
    }
    // Cut lines run 5 mm beyond the coupons' edges and come only with a page's second coupon; in landscape they stand
    // at x 150 and y 105 whatever is printed. (The receipt's at x 207 falls off this sheet.)
    for (const double y : {10.0, 115.0, 220.0})
        EXPECT_TRUE(Line(1, 1, L + 5.2, T + y, 4.6) && Line(1, 1, L + 160.2, T + y, 4.6)) << y;
    EXPECT_TRUE(Line(1, 1, L + 160, T + 5.2, 4.6, true));
    EXPECT_FALSE(Line(1, 1, L + 5.2, T + 4.5, 4.6) || Line(1, 1, L + 5.2, T + 10.3, 4.6)); // nor a thick one
    EXPECT_FALSE(Line(2, 2, L + 5.2, T + 10, 4.6) || Line(3, 1, L + 5.2, T + 10, 4.6));
    EXPECT_TRUE(Line(4, 1, 150, 120, 10, true) && Line(4, 1, 160, 105, 40));
    EXPECT_TRUE(Line(5, 1, L + 2, T + 106, 103, true) && Line(5, 1, L + 57, T + 106, 103, true));
    EXPECT_TRUE(Line(5, 1, L + 1, T + 105, 55));
}

// Each row's second job must come out as from a printer that has printed nothing yet: turned or clipped text ending the
// first leaves the one printer's engine nothing that moves or cuts the next.
TEST_F(TransferPrintTest, AJobPrintsTheSameWhateverTheJobBeforeItEndedWith)
{
    const auto landscape = [this] { PrintTransferLandscape(data, obj, TCouponChoice{}); };
    const auto portrait = [this] { PrintTransferPortrait(data, obj, TCouponChoice{}); };
    const auto turned = [](bool clipped) {
        return [clipped] {
            ASSERT_TRUE(Printer().BeginDoc());
            TCanvas& canvas = Printer().Canvas();
            canvas.Font.SetOrientation(900);
            clipped ? canvas.TextRect({2000, 2000, 2300, 2100}, 2000, 2000, u"Wpłata gotówkowa"_qs)
                    : canvas.TextOut(2000, 2000, u"Wpłata gotówkowa"_qs);
            Printer().EndDoc();
        };
    };
    const std::function<void()> rows[][2] = {
        {landscape, landscape}, {landscape, portrait}, {turned(true), landscape}, {turned(false), portrait}};
    for (int job = 1; job < 12; job += 3) {
        const auto& [first, second] = rows[job / 3];
        second(), first(), second();
        const QImage alone = Page(job, 1, 100);
        ASSERT_FALSE(alone.isNull());
        EXPECT_TRUE(Page(job + 2, 1, 100) == alone) << "row " << job / 3;
    }
}

TEST_F(TransferPrintTest, PrinterThatRefusesTheJobIsNamedAndNothingStaysMarked)
{
    // A queue whose files would go to a folder that does not exist.
    UsePrinter(QPageSize(QPageSize::A4), QMarginsF(), u"Biuro"_qs, dir.filePath(u"brak"_qs));
    EXPECT_THROW(try { PrintTransferLandscape(data, obj, TCouponChoice{}); } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().contains(u"Biuro"_qs)) << e.Message().toStdString();
        throw;
    }, Exception);
    EXPECT_FALSE(obj.Printing() || Printer().Printing());
}

} // namespace
