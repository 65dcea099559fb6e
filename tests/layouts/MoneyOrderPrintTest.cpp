// The money order on paper: where its strip goes for the printer's margins,
// the jobs each side choice gives through a 600 ppi PDF-file printer, the
// cut line on the front only, and the turned back behind the front.
#include "helpers/PageRaster.h"
#include "helpers/TempConfig.h"
#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/Exception.h"
#include "drawing/untBlankObj.h"
#include "layouts/untBlPrzekaz.h"
#include "platform/Printer.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(MoneyOrderPrintTest, OffsetsShiftTheStripByTheMarginsLessTheAllowances)
{
    // 600 ppi: 4 mm are 94 pixels, 7 mm 165; A4 is 4961 pixels wide.
    const struct {
        int L, T, R, dx, dy;
        QPoint front, back;
    } rows[] = {{0, 0, 0, 0, 0, {0, 0}, {0, 0}},
                {150, 100, 150, 56, 0, {-94, -100}, {-206, -100}},
                {50, 0, 150, 100, 0, {50, 0}, {-150, 0}},
                {150, 200, 150, 56, 365, {-94, 165}, {-206, 165}}};
    for (const auto& r : rows) {
        const TMoneyOrderOffsets o = GetMoneyOrderPrintOffsets(600, r.L, r.T, 4961, 4961 - r.L - r.R);
        EXPECT_EQ(QList<int>({o.L, o.T, o.dx, o.dy}), QList<int>({r.L, r.T, r.dx, r.dy}));
        EXPECT_EQ(o.Front(), r.front);
        EXPECT_EQ(o.Back(), r.back);
    }
}

// Margins of whole points: left 150, top and right 200 pixels, so the strip
// lies dx 106 and dy 365 pixels from the sheet's corner.
TEST(MoneyOrderPrintTest, EachSideChoicePrintsItsJobsAndTheTurnedBackLiesBehindTheFront)
{
    constexpr int RasterDpi = 300;
    constexpr double Dx = 106 * 25.4 / 600, Dy = 365 * 25.4 / 600;
    TempConfig config;
    QTemporaryDir dir;
    InitializeBackBuffer();
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{u"pdf"_qs}, 600, QPageSize(QPageSize::A4),
                                                           QMarginsF(18 * 25.4 / 72, 24 * 25.4 / 72, 24 * 25.4 / 72, 18 * 25.4 / 72)));
    TBlankData data;
    data.FKind = bkMoneyOrder;
    data.FKolForm = clBlack;
    TBlankObj obj;
    const struct {
        bool front, back, answer;
        QStringList titles;
        int asked;
    } rows[] = {{true, true, true, {u"Przekaz - awers"_qs, u"Przekaz - rewers"_qs}, 1},
                {true, true, false, {u"Przekaz - awers"_qs}, 1},
                {true, false, true, {u"Przekaz - awers"_qs}, 0},
                {false, true, true, {u"Przekaz - rewers"_qs}, 0}};
    int job = 0;
    for (const auto& r : rows) {
        int asked = 0;
        const TSideChoice choice{r.front, r.back, [&] {
            // Asked once the front's job has ended, with the preview still kept off.
            EXPECT_TRUE(obj.Printing() && !Printer().Printing() && QFile::exists(dir.filePath(u"pdf-%1.pdf"_qs.arg(job + 1))));
            return ++asked, r.answer;
        }};
        PrintMoneyOrder(data, obj, choice);
        QStringList titles;
        const int jobs = static_cast<const TPdfFileSpooler&>(Printer().Spooler()).JobCount(u"pdf"_qs);
        while (job < jobs)
            titles << PdfInfo(dir.filePath(u"pdf-%1.pdf"_qs.arg(++job)), u"Title"_qs);
        EXPECT_EQ(titles, r.titles);
        EXPECT_EQ(asked, r.asked);
        EXPECT_FALSE(obj.Printing());
    }
    // The turned back reaches the spooler as drawn, not as a JPEG.
    QProcess images;
    images.start(u"pdfimages"_qs, {u"-list"_qs, dir.filePath(u"pdf-2.pdf"_qs)});
    const QByteArray list = images.waitForFinished() ? images.readAllStandardOutput() : QByteArray();
    EXPECT_TRUE(list.contains(" 4961  2362 ") && !list.contains("jpeg")) << list.toStdString();
    const QImage front = RasterisePdf(dir.filePath(u"pdf-1.pdf"_qs), RasterDpi);
    // Turned over about the sheet's vertical axis, the back's left and right change places.
    const QImage back = RasterisePdf(dir.filePath(u"pdf-2.pdf"_qs), RasterDpi).mirrored(true, false);
    ASSERT_FALSE(front.isNull() || back.isNull());
    // The thick outline of the front's main part and of the back's payment part: both at x 91,
    // the front's top at y 7 and the back's bottom at y 93.
    const auto where = [&](const QImage& page, bool horizontal, double at, double a, double b) {
        return DarkestLineMm(page, RasterDpi, horizontal, at - 1.5, at + 1.5, a, b);
    };
    const double x[] = {where(front, false, 91 + Dx, 25 + Dy, 65 + Dy), where(back, false, 91 + Dx, 25 + Dy, 65 + Dy)};
    const double y[] = {where(front, true, 7 + Dy, 10 + Dx, 60 + Dx), where(back, true, 7 + Dy, 10 + Dx, 60 + Dx)};
    EXPECT_NEAR(x[0], 91 + Dx, 0.5);
    EXPECT_NEAR(y[0], 7 + Dy, 0.5);
    EXPECT_NEAR(x[1], x[0], 0.5);
    EXPECT_NEAR(y[1], y[0], 0.5);
    // The hairline along y 100 runs the width of the sheet on the front; the back has none.
    double share = 0;
    EXPECT_NEAR(DarkestLineMm(front, RasterDpi, true, 99 + Dy, 101 + Dy, 10, 190, &share), 100 + Dy, 0.2);
    EXPECT_GT(share, 0.95);
    DarkestLineMm(back, RasterDpi, true, 99 + Dy, 101 + Dy, 10, 190, &share);
    EXPECT_LT(share, 0.5);
    FinalizeBackBuffer();
}

// A resolution whose back is wider than any picture may be: no job, a message.
TEST(MoneyOrderPrintTest, ABackThatCannotBeDrawnStartsNoJobAndSaysSo)
{
    TempConfig config;
    QTemporaryDir dir;
    InitializeBackBuffer();
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{u"pdf"_qs}, 10'000'000, QPageSize(QPageSize::A4), QMarginsF()));
    TBlankData data;
    data.FKind = bkMoneyOrder;
    TBlankObj obj;
    QString said;
    try {
        PrintMoneyOrder(data, obj, TSideChoice{false, true, {}});
    } catch (const Exception& e) {
        said = e.Message();
    }
    EXPECT_EQ(said, u"Za mało pamięci, by przygotować tył przekazu do wydruku. Tył przekazu nie został wydrukowany."_qs);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"pdf-1.pdf"_qs)) || obj.Printing() || Printer().Printing());
    FinalizeBackBuffer();
}

} // namespace
