// The transfer form's print layouts through 600 dpi PDF-file printers with margins: where each coupon and receipt
// lands, the cut lines, fitting to the printable area, jobs in a row.
#include "helpers/PageRaster.h"
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

using namespace Qt::StringLiterals;

namespace {

constexpr int Dpi = 600;
// Margins of whole points, so the printable area starts on whole pixels.
constexpr double L = 12 * MmPerPoint, T = 18 * MmPerPoint;
// Coupons by number, receipts by 10 + which, each named by its caption: of a transfer, or of a cash deposit.
const char* const Captions[2][4] = {
    {"odcinek dla banku odbiorcy", "odcinek dla odbiorcy", "odcinek dla zleceniodawcy",
     "odcinek dla banku zleceniodawcy"},
    {"odcinek dla banku", "odcinek dla posiadacza rachunku", "odcinek dla wpłacającego",
     "odcinek dla instytucji przyjmującej zlecenie"}};
const char* const Receipts[] = {"DOWÓD/POKWITOWANIE DLA ODBIORCY", "DOWÓD/POKWITOWANIE DLA ZLECENIODAWCY"};

// A coupon's or receipt's page, number and corner in mm from the sheet's corner.
struct Placed {
    int page, coupon;
    double x, y;
};

class TransferPrintTest : public ::testing::Test {
protected:
    TransferPrintTest()
    {
        InitializeCommonUnit();
        UsePrinter(QPageSize(QPageSize::A4), QMarginsF(L, T, L, T));
        data.FKind = bkTransfer;
        SetDocumentDefaults(data, QDate::currentDate());
    }
    void UsePrinter(const QPageSize& paper, const QMarginsF& margins, const QString& folder = {})
    {
        const QString into = folder.isEmpty() ? dir.path() : folder;
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(into, QStringList{u"pdf"_s}, Dpi, paper, margins));
    }
    QString JobFile(int job) const { return dir.filePath(u"pdf-%1.pdf"_s.arg(job)); }

    // Corners from the captions: a coupon's at x 144.5 centred on y 43.75, a receipt's from (3.5, 74.5).
    QVector<Placed> Coupons(int job)
    {
        words = ReadPdfWords(JobFile(job), PdfWordOrder::Drawing).words;
        QVector<Placed> found;
        const char* const* captions = Captions[data.FPrzelewWplata == pwWplata];
        for (int n = 0; n < 4; ++n)
            for (const PdfWordRun& r : FindPhrase(words, QString::fromUtf8(captions[n]))) {
                const double middle = PointsToMm(r.box.yMin + r.box.yMax) / 2;
                found.append({r.box.page, n, PointsToMm(r.box.xMin) - 144.5, middle - 43.75});
            }
        for (int which = 1; which <= 2; ++which)
            for (const PdfWordRun& r : FindPhrase(words, QString::fromUtf8(Receipts[which - 1])))
                found.append({r.box.page, 10 + which, PointsToMm(r.box.xMin) - 3.5, PointsToMm(r.box.yMax) - 74.5});
        return found;
    }
    // Whether a row (or column) of a 0.3 mm strip from (x, y) along length mm is inked along 95 %.
    bool Line(int job, int page, double x, double y, double length, bool vertical)
    {
        const QRectF area = vertical ? QRectF(x - 0.15, y, 0.3, length) : QRectF(x, y - 0.15, length, 0.3);
        const auto px = [](double mm) { return QString::number(std::lround(mm / 25.4 * Dpi)); };
        const QString png = dir.filePath(u"page"_s);
        QFile::remove(png + u".png"_s);
        QStringList arguments = u"-singlefile -png -r %1 -f %2 -l %2"_s.arg(Dpi).arg(page).split(u' ');
        arguments << u"-x"_s << px(area.x()) << u"-y"_s << px(area.y());
        arguments << u"-W"_s << px(area.width()) << u"-H"_s << px(area.height()) << JobFile(job) << png;
        QProcess::execute(u"pdftoppm"_s, arguments);
        const QImage across = QImage(png + u".png"_s).transformed(QTransform().rotate(vertical ? 90 : 0));
        for (int i = 0; i < across.height(); ++i) {
            int inked = 0;
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
    using Layout = void (*)(const TBlankData&, TBlankObj&, const TCouponChoice&);
    // Paper: A4 with the margins above, or the size given with 5 mm margins.
    const struct {
        Layout layout;
        TCouponChoice choice;
        QVector<Placed> placed;
        QSizeF paper = {};
        TPrzelewWplata mode = pwNone;
    } rows[] = {
        {PrintTransferPortrait, Only({0, 1}), {{1, 0, L + 10, T + 10}, {1, 1, L + 10, T + 115}}},
        {PrintTransferPortrait, Only({0, 1, 3}),
         {{1, 0, L + 10, T + 10}, {1, 1, L + 10, T + 115}, {2, 3, L + 10, T + 10}}},
        {PrintTransferPortrait, Only({2}), {{1, 2, L + 10, T + 10}}},
        // In landscape the block starts at the sheet's corner.
        {PrintTransferLandscape, Only({0, 2}), {{1, 0, 0, 0}, {1, 2, 0, 105}}},
        // The orderer's receipt beside coupon 0, the recipient's beside coupon 3.
        {PrintTransferWithReceipt, TCouponChoice{},
         {{1, 0, L + 57, T}, {1, 3, L + 57, T + 105}, {1, 11, L + 2, T + 105}, {1, 12, L + 2, T}}},
        {PrintTransferWithReceipt, Only({0, 2}), {{1, 0, L + 57, T}, {1, 12, L + 2, T}}},
        // Fitted to the printable area's corner: 240 x 330 mm holds the block as it is.
        {PrintTransferLandscape, Only({0, 1, 2, 3}, true),
         {{1, 0, 5, 5}, {1, 1, 5, 110}, {1, 2, 155, 5}, {1, 3, 155, 110}}, {240, 330}},
        {PrintTransferPortrait, TCouponChoice{}, {{1, 0, 15, 15}, {1, 1, 15, 120}, {2, 2, 15, 15}, {2, 3, 15, 120}},
         {240, 330}, pwWplata},
    };
    int job = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(job);
        if (r.paper.isValid())
            UsePrinter(QPageSize(r.paper, QPageSize::Millimeter), QMarginsF(5, 5, 5, 5));
        data.FPrzelewWplata = r.mode;
        r.layout(data, obj, r.choice);
        const QVector<Placed> placed = Coupons(++job);
        ASSERT_EQ(placed.size(), r.placed.size());
        for (int i = 0; i < placed.size(); ++i) {
            EXPECT_EQ(placed[i].page, r.placed[i].page) << i;
            EXPECT_EQ(placed[i].coupon, r.placed[i].coupon) << i;
            EXPECT_NEAR(placed[i].x, r.placed[i].x, 0.3) << i;
            EXPECT_NEAR(placed[i].y, r.placed[i].y, 0.3) << i;
        }
        EXPECT_EQ(PdfInfo(JobFile(job), u"Pages"_s).toInt(), r.placed.last().page);
        EXPECT_TRUE(FindPhrase(words, u"PLN"_s).isEmpty()) << "no amount, no figures on the receipt";
        EXPECT_FALSE(obj.Printing());
        EXPECT_FALSE(Printer().Printing());
    }
    // Thin cut lines 5 mm beyond the coupons, only with a page's second coupon; in landscape at x 150 and y 105.
    const struct {
        int job, page;
        double x, y, length;
        bool vertical, inked;
    } lines[] = {
        {1, 1, L + 5.2, T + 10, 4.6, false, true},    {1, 1, L + 160.2, T + 10, 4.6, false, true},
        {1, 1, L + 5.2, T + 115, 4.6, false, true},   {1, 1, L + 160.2, T + 115, 4.6, false, true},
        {1, 1, L + 5.2, T + 220, 4.6, false, true},   {1, 1, L + 160.2, T + 220, 4.6, false, true},
        {1, 1, L + 160, T + 5.2, 4.6, true, true},    {1, 1, L + 5.2, T + 4.5, 4.6, false, false},
        {1, 1, L + 5.2, T + 10.3, 4.6, false, false}, {2, 2, L + 5.2, T + 10, 4.6, false, false},
        {3, 1, L + 5.2, T + 10, 4.6, false, false},   {4, 1, 150, 120, 10, true, true},
        {4, 1, 160, 105, 40, false, true},            {5, 1, L + 2, T + 106, 103, true, true},
        {5, 1, L + 57, T + 106, 103, true, true},     {5, 1, L + 1, T + 105, 55, false, true},
    };
    for (const auto& l : lines)
        EXPECT_EQ(Line(l.job, l.page, l.x, l.y, l.length, l.vertical), l.inked) << l.job << ": " << l.x << ", " << l.y;
}

TEST_F(TransferPrintTest, APrinterThatRefusesTheJobIsNamedAndNothingStaysMarked)
{
    // A queue whose files would go to a folder that does not exist.
    UsePrinter(QPageSize(QPageSize::A4), QMarginsF(), dir.filePath(u"brak"_s));
    try {
        PrintTransferLandscape(data, obj, TCouponChoice{});
        ADD_FAILURE() << "printed into a missing folder";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Nie można rozpocząć drukowania na drukarce „pdf”."_s);
    }
    EXPECT_FALSE(obj.Printing());
    EXPECT_FALSE(Printer().Printing());
}

} // namespace
