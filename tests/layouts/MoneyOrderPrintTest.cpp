#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/Exception.h"
#include "drawing/untBlankObj.h"
#include "layouts/untBlPrzekaz.h"
#include "layouts/untBlWplata.h"
#include "helpers/PageRaster.h"
#include "platform/Printer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(MoneyOrderPrintTest, OffsetsShiftTheStripByTheMarginsLessTheAllowances)
{
    // 600 ppi: 4 mm are 94 pixels, 7 mm 165; A4 is 4961 pixels wide.
    const struct {
        int L, T, R, dx, dy;
        QPoint front, back;
    } rows[] = {{0, 0, 0, 0, 0, {0, 0}, {0, 0}}, {150, 100, 150, 56, 0, {-94, -100}, {-206, -100}},
                {50, 0, 150, 100, 0, {50, 0}, {-150, 0}}, {150, 200, 150, 56, 365, {-94, 165}, {-206, 165}}};
    for (const auto& r : rows) {
        const TMoneyOrderOffsets o = GetMoneyOrderPrintOffsets(600, r.L, r.T, 4961, 4961 - r.L - r.R);
        EXPECT_EQ(QList<int>({o.L, o.T, o.dx, o.dy, o.Front().x(), o.Front().y(), o.Back().x(), o.Back().y()}),
                  QList<int>({r.L, r.T, r.dx, r.dy, r.front.x(), r.front.y(), r.back.x(), r.back.y()}));
    }
}

// A back wider than any picture may be: no job, and the user is told.
TEST(MoneyOrderPrintTest, ABackThatCannotBeDrawnStartsNoJobAndSaysSo)
{
    QTemporaryDir dir;
    InitializeBackBuffer();
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{u"pdf"_qs}, 10'000'000, QPageSize(QPageSize::A4), QMarginsF()));
    TBlankObj obj;
    EXPECT_THROW(try { PrintMoneyOrder(TBlankData{}, obj, TSideChoice{false, true, {}}); } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Za mało pamięci, by przygotować tył przekazu do wydruku. Tył przekazu nie został wydrukowany."_qs);
        throw;
    }, Exception);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"pdf-1.pdf"_qs)) || obj.Printing() || Printer().Printing());
    FinalizeBackBuffer();
}

// One job per row: both sides asked for by a caller with no question to put between them (nobody said the
// sheet was turned, so the front alone, on either form), or the back only; its title and the page's width in pt.
TEST(MoneyOrderPrintTest, EachSideChoiceGivesItsOneJob)
{
    QTemporaryDir dir;
    InitializeBackBuffer();
    const QPageSize a4(QPageSize::A4);
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{u"pdf"_qs}, 300, a4, QMarginsF()));
    using TPrint = void (*)(const TBlankData&, TBlankObj&, const TSideChoice&);
    const struct { TPrint print; bool front; QString job; } rows[] = {
        {PrintMoneyOrder, true, u"Przekaz - awers 595"_qs}, {PrintDepositForm, true, u"Blankiet - przód 842"_qs},
        {PrintDepositForm, false, u"Blankiet - tył 842"_qs}};
    for (int n = 0; n < 3; ++n) {
        TBlankObj obj;
        rows[n].print(TBlankData{}, obj, TSideChoice{rows[n].front, true, {}});
        const QString job = dir.filePath(u"pdf-%1.pdf"_qs.arg(n + 1));
        EXPECT_EQ(PdfInfo(job, u"Title"_qs) + u' ' + PdfInfo(job, u"Page size"_qs).left(3), rows[n].job);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(u"pdf-4.pdf"_qs)));
    FinalizeBackBuffer();
}

} // namespace
