// The document window's preview: page sizes per zoom step, fitting the window
// within the main window and the repaint timer.
#include "document/BlankFormUnit.h"
#include "document/MainFormLink.h"
#include "helpers/TempConfig.h"
#include "platform/PaintBox.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class FakeMainForm : public TMainFormLink {
public:
    FakeMainForm() { SetMainFormLink(this); }
    ~FakeMainForm() override { SetMainFormLink(nullptr); }
    QSize ClientSize() const override { return {1000, 700}; }
    int StatusBarHeight() const override { return 20; }
    int ToolBarHeight() const override { return 30; }
    void SetStatusPanel1(const QString&) override {}
};

class BlankWindowTest : public ::testing::Test {
protected:
    static TPaintBox* Page(TfrmBlank& form) { return form.findChild<TPaintBox*>(QStringLiteral("PaintBox")); }
    TempConfig config;
};

TEST_F(BlankWindowTest, PageIsTheFormsMillimetresAtTheZoom)
{
    // 150 x 105 mm, 210 x 100 mm and 70 x 100 mm at dpi / 25.4 pixels per mm, rounded.
    const struct {
        quint16 kind;
        int dpi;
        QSize page;
    } cases[] = {{5, 50, {295, 207}}, {5, 500, {2953, 2067}}, {7, 140, {827, 579}}, {2, 100, {827, 394}},
                 {1, 100, {276, 394}}, {9, 100, {0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " at " << c.dpi);
        TfrmBlank form(nullptr, c.kind);
        form.SetPixelsPerInch(c.dpi);
        EXPECT_EQ(Page(form)->size(), c.page);
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

// A print job owns the drawing object: the preview must not point it at the
// screen, whatever paints the window system asks for meanwhile; a burst of
// edits repaints once at the timer's next tick.
TEST_F(BlankWindowTest, NoDrawingWhilePrintingAndOneRepaintAfterABurstOfEdits)
{
    TfrmBlank form(nullptr, bkTransfer);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(300);
    int paints = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Paint && ++*count < 0; }
    } counter(&paints);
    Page(form)->installEventFilter(&counter);
    TCanvas printerStandIn;
    form.BlankObj.SetCanvas(&printerStandIn);
    form.BlankObj.SetPrinting(true);
    for (int i = 1; i <= 20; ++i)
        form.SetKwota(i * 10000);
    form.SetPixelsPerInch(140); // asks for an immediate paint, which must wait
    form.update();
    QTest::qWait(600); // the timer ticks at least twice
    EXPECT_EQ(form.BlankObj.Canvas(), &printerStandIn);
    EXPECT_TRUE(form.NeedRefresh());
    const int paintsWhilePrinting = paints;
    form.BlankObj.SetPrinting(false);
    QTest::qWait(600);
    EXPECT_EQ(paints, paintsWhilePrinting + 1);
    EXPECT_NE(form.BlankObj.Canvas(), &printerStandIn);
    EXPECT_FALSE(form.NeedRefresh());
    QTest::qWait(600);
    EXPECT_EQ(paints, paintsWhilePrinting + 1);
}

} // namespace
