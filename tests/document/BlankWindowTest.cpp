// The document window's preview: page sizes per zoom step, fitting the window
// to the page within the main window, centring and the repaint timer.
#include "helpers/TempConfig.h"
#include "document/BlankFormUnit.h"
#include "document/MainFormLink.h"
#include "platform/PaintBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TPaintBox* PaintBoxOf(TfrmBlank& form)
{
    return form.findChild<TPaintBox*>(QStringLiteral("PaintBox"));
}

QScrollArea* PreviewOf(TfrmBlank& form)
{
    return form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
}

// Counts the paints the preview receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

class FakeMainForm : public TMainFormLink {
public:
    FakeMainForm() { SetMainFormLink(this); }
    ~FakeMainForm() override { SetMainFormLink(nullptr); }
    QSize ClientSize() const override { return {1000, 700}; }
    int StatusBarHeight() const override { return 20; }
    int ToolBarHeight() const override { return 30; }
    void SetStatusPanel1(const QString& text) override { panel1 = text; }
    QString panel1;
};

class BlankWindowTest : public ::testing::Test {
protected:
    TempConfig config;
};

TEST_F(BlankWindowTest, PageIsTheFormsMillimetresAtTheZoom)
{
    // 150 x 105 mm, 210 x 100 mm and 70 x 100 mm at dpi / 25.4 pixels per mm, rounded.
    const struct {
        quint16 kind;
        int dpi;
        QSize page;
    } cases[] = {{5, 50, {295, 207}}, {5, 100, {591, 413}}, {5, 500, {2953, 2067}}, {7, 140, {827, 579}},
                 {2, 100, {827, 394}}, {1, 100, {276, 394}}, {9, 100, {0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " at " << c.dpi);
        TfrmBlank form(nullptr, c.kind);
        form.SetPixelsPerInch(c.dpi);
        EXPECT_EQ(PaintBoxOf(form)->size(), c.page);
        EXPECT_EQ(form.BlankObj.DPI(), c.dpi);
    }
}

TEST_F(BlankWindowTest, WindowGrowsOnlyToFourPixelsInsideTheMainWindow)
{
    FakeMainForm main;
    TfrmBlank form(nullptr, bkTransfer);
    form.move(10, 20);
    form.resize(400, 300);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.SetPixelsPerInch(500);
    // 1000 - 4 - 10 wide; 700 - 20 - 30 - 4 - 20 high.
    EXPECT_EQ(form.size(), QSize(986, 626));
}

TEST_F(BlankWindowTest, WindowLargerThanItsPageShrinksToFitIt)
{
    // The editor panel keeps its width, so the whole shrink goes to the preview.
    TfrmBlank form(nullptr, bkTransfer);
    form.resize(1100, 900);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.SetPixelsPerInch(75);
    QApplication::processEvents();
    EXPECT_EQ(PreviewOf(form)->viewport()->size(), QSize(443, 310));
}

TEST_F(BlankWindowTest, PageIsCentredWhenTheWindowIsLargerAndItsPlaceShown)
{
    FakeMainForm main;
    TfrmBlank form(nullptr, bkTransfer);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.SetPixelsPerInch(50);
    form.resize(form.width() + 101, form.height() + 60);
    QApplication::processEvents();
    const QSize client = PreviewOf(form)->viewport()->size();
    const QPoint at = PaintBoxOf(form)->pos();
    EXPECT_EQ(at, QPoint((client.width() - 295) / 2, (client.height() - 207) / 2));
    EXPECT_EQ(main.panel1, QStringLiteral("%1,%2").arg(at.x()).arg(at.y()));
}

class RepaintTest : public BlankWindowTest {
protected:
    void SetUp() override
    {
        form = std::make_unique<TfrmBlank>(nullptr, bkTransfer);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QTest::qWait(300);
        counter = std::make_unique<PaintCounter>(PaintBoxOf(*form));
    }
    // Waits until the timer has had the chance to tick at least twice.
    void WaitTicks() { QTest::qWait(600); }
    std::unique_ptr<TfrmBlank> form;
    std::unique_ptr<PaintCounter> counter;
};

TEST_F(RepaintTest, BurstOfEditsRepaintsOnceAtTheNextTick)
{
    for (int i = 1; i <= 20; ++i)
        form->SetKwota(i * 10000);
    EXPECT_EQ(counter->count, 0); // edits only mark the preview stale
    WaitTicks();
    EXPECT_EQ(counter->count, 1);
    WaitTicks();
    EXPECT_EQ(counter->count, 1);
}

TEST_F(RepaintTest, NoDrawingWhilePrintingAndOneRepaintAfterIt)
{
    // A print job owns the drawing object: the preview must not point it at
    // the screen, whatever paints the window system asks for meanwhile.
    TCanvas printerStandIn;
    form->BlankObj.SetCanvas(&printerStandIn);
    form->BlankObj.SetPrinting(true);
    form->SetKwota(5'0000);
    form->SetPixelsPerInch(140); // asks for an immediate paint, which must wait
    form->update();
    WaitTicks();
    EXPECT_EQ(form->BlankObj.Canvas(), &printerStandIn);
    EXPECT_TRUE(form->NeedRefresh());
    const int paintsWhilePrinting = counter->count;
    form->BlankObj.SetPrinting(false);
    WaitTicks();
    EXPECT_EQ(counter->count, paintsWhilePrinting + 1);
    EXPECT_NE(form->BlankObj.Canvas(), &printerStandIn);
    EXPECT_FALSE(form->NeedRefresh());
}

} // namespace
