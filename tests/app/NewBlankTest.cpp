// The new-document chooser on its own: what each button gives, the ways of
// choosing nothing, and its owner-drawn buttons probed by pixel.
#include "app/untNewBlank.h"

#include "drawing/untCommon.h"
#include "helpers/PixelProbe.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

constexpr int ButtonHeightPx = 68;
// R, the drawn box, is the button less its top and bottom rows.
constexpr int RTopOffset = 1;
constexpr int RHeight = ButtonHeightPx - 2;

QPoint CentreOfButton(const TButtonGroup* group, int index)
{
    return QPoint(group->width() / 2, index * ButtonHeightPx + ButtonHeightPx / 2);
}

class NewBlankTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        group1 = dialog.findChild<TButtonGroup*>(QStringLiteral("ButtonGroup1"));
        group2 = dialog.findChild<TButtonGroup*>(QStringLiteral("ButtonGroup2"));
        cancel = dialog.findChild<QPushButton*>(QStringLiteral("Button1"));
        ASSERT_TRUE(group1 && group2 && cancel);
        ASSERT_NE(H, F);
    }

    // Shown and active, as a user meets it; window-modal so the test goes on.
    void ShowActive()
    {
        dialog.open();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, 2000));
    }

    TfrmNewBlank dialog;
    TButtonGroup* group1 = nullptr;
    TButtonGroup* group2 = nullptr;
    QPushButton* cancel = nullptr;
    const TColor H = FromQColor(dialog.palette().color(QPalette::Active, QPalette::Highlight));
    const TColor F = FromQColor(dialog.palette().color(QPalette::Active, QPalette::Button));
    const TColor DarkFrame = BlendColors(clBlack, F, 9, 10);
};

TEST_F(NewBlankTest, ButtonClickedAcceptsWithItsKind)
{
    // The group is 275 pixels high, its four buttons 272: below them, no choice.
    ShowActive();
    QTest::mouseClick(group1, Qt::LeftButton, {}, QPoint(100, 273));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.BlankKind, TfrmNewBlank::NoChoice);
    const struct {
        TButtonGroup* group;
        int index;
        int kind;
    } cases[] = {{group1, 0, 5}, {group1, 1, 6}, {group1, 2, 7}, {group1, 3, 2}, {group2, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ShowActive();
        QTest::mouseClick(c.group, Qt::LeftButton, {}, CentreOfButton(c.group, c.index));
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.BlankKind, c.kind);
    }
}

TEST_F(NewBlankTest, AnulujAndEscRejectWhateverBlankKindHolds)
{
    for (bool byEsc : {false, true}) {
        SCOPED_TRACE(byEsc ? "Esc" : "Anuluj");
        ShowActive();
        QTest::mouseClick(group1, Qt::LeftButton, {}, CentreOfButton(group1, byEsc ? 3 : 1));
        const int chosen = byEsc ? 2 : 6;
        ASSERT_EQ(dialog.BlankKind, chosen);
        ShowActive();
        if (byEsc) {
            ASSERT_EQ(QApplication::focusWidget(), cancel);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else {
            QTest::mouseClick(cancel, Qt::LeftButton);
        }
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.BlankKind, chosen);
    }
}

void ExpectButtonBox(const QImage& shot, int top, TColor fill, TColor frame, TColor face)
{
    const int width = shot.width();
    const int rTop = top + RTopOffset;
    const int rBottom = rTop + RHeight - 1;
    EXPECT_EQ(CountPixels(shot, QRect(0, top, width, 1), face), width) << "row above R at " << top;
    EXPECT_EQ(CountPixels(shot, QRect(0, rBottom + 1, width, 1), face), width) << "row below R at " << top;
    EXPECT_EQ(CountPixels(shot, QRect(0, rTop, width, 1), frame), width) << "top edge at " << top;
    EXPECT_EQ(CountPixels(shot, QRect(0, rBottom, width, 1), frame), width) << "bottom edge at " << top;
    EXPECT_EQ(CountPixels(shot, QRect(0, rTop, 1, RHeight), frame), RHeight) << "left edge at " << top;
    EXPECT_EQ(CountPixels(shot, QRect(width - 1, rTop, 1, RHeight), frame), RHeight) << "right edge at " << top;
    // Corners of the inside and the gap between picture and caption.
    for (const QPoint& p : {QPoint(1, rTop + 1), QPoint(width - 2, rTop + 1), QPoint(width - 2, rBottom - 1),
                            QPoint(1, rBottom - 1), QPoint(86, rTop + 32)})
        EXPECT_EQ(PixelAt(shot, p.x(), p.y()), fill) << DescribePixel(shot, p.x(), p.y()).toStdString();
}

// The caption's part of a button, right of the picture and inside the frame.
QRect CaptionArea(const QImage& shot, int top)
{
    return QRect(84, top + RTopOffset + 1, shot.width() - 85, RHeight - 2);
}

int InkCount(const QImage& shot, const QRect& area, TColor fill)
{
    return area.width() * area.height() - CountPixels(shot, area, fill);
}

TEST_F(NewBlankTest, NormalButtonsAreFaceColouredWithADarkFrame)
{
    const QImage shot = group1->grab().toImage();
    for (int i = 0; i < group1->Count(); ++i)
        ExpectButtonBox(shot, i * ButtonHeightPx, F, DarkFrame, F);
    EXPECT_EQ(CountPixels(shot, QRect(0, 272, shot.width(), 3), F), 3 * shot.width()) << "below the last button";
    ExpectButtonBox(group2->grab().toImage(), 0, F, DarkFrame, F);
}

TEST_F(NewBlankTest, CaptionStartsNinetyPixelsInAndSitsAtTheBottom)
{
    const TColor text = BlendColors(clBlack, F, 6, 10);
    for (TButtonGroup* group : {group1, group2}) {
        const QImage shot = group->grab().toImage();
        for (int i = 0; i < group->Count(); ++i) {
            SCOPED_TRACE(testing::Message() << group->objectName().toStdString() << " button " << i);
            const int top = i * ButtonHeightPx;
            const QRect area = CaptionArea(shot, top);
            const QRect ink = InkBounds(shot, area, F);
            ASSERT_FALSE(ink.isNull()) << "no caption";
            EXPECT_GE(ink.left(), 90);
            EXPECT_LE(ink.left(), 93);
            EXPECT_LE(ink.right(), shot.width() - 4);
            EXPECT_LE(ink.bottom(), top + ButtonHeightPx - 5) << "bottom of the caption box";
            EXPECT_GE(ink.bottom(), top + ButtonHeightPx - 9) << "aligned to the bottom";
            EXPECT_EQ(CountPixels(shot, area, text), InkCount(shot, area, F)) << "all ink in the text colour";
        }
    }
}

TEST_F(NewBlankTest, HotButtonTakesATenthOfTheHighlight)
{
    ShowActive();
    QTest::mouseMove(group1, CentreOfButton(group1, 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return group1->StateOf(1) & bdsHot; }, 1000));
    const QImage shot = group1->grab().toImage();
    const TColor fill = BlendColors(H, F, 9, 10);
    ExpectButtonBox(shot, ButtonHeightPx, fill, H, F);
    const QRect area = CaptionArea(shot, ButtonHeightPx);
    EXPECT_GT(InkCount(shot, area, fill), 0);
    EXPECT_EQ(CountPixels(shot, area, BlendColors(H, clBlack, 6, 10)), InkCount(shot, area, fill));
    ExpectButtonBox(shot, 0, F, DarkFrame, F);
}

TEST_F(NewBlankTest, PressedButtonTakesThreeTenthsAndAReleaseElsewhereClicksNothing)
{
    ShowActive();
    QTest::mousePress(group1, Qt::LeftButton, {}, CentreOfButton(group1, 2));
    ExpectButtonBox(group1->grab().toImage(), 2 * ButtonHeightPx, BlendColors(H, F, 7, 10), H, F);
    QTest::mouseRelease(group1, Qt::LeftButton, {}, CentreOfButton(group1, 3));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.BlankKind, TfrmNewBlank::NoChoice);
}

TEST_F(NewBlankTest, TabFocusesAGroupWhoseFocusedButtonIsFramedInsideAndClickedByKey)
{
    // The focus frame is R shrunk by a pixel: from row 2 of a button and column 1.
    const auto framed = [this](int index) {
        const QImage shot = group1->grab().toImage();
        return CountPixels(shot, QRect(1, index * ButtonHeightPx + 2, shot.width() - 2, 1), H) == shot.width() - 2
               && CountPixels(shot, QRect(1, index * ButtonHeightPx + 2, 1, RHeight - 2), H) == RHeight - 2;
    };
    ShowActive();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), group1);
    QTest::keyClick(group1, Qt::Key_Down);
    EXPECT_TRUE(framed(1) && !framed(0));
    QTest::keyClick(group1, Qt::Key_Space);
    EXPECT_EQ(dialog.BlankKind, 6);
}

TEST_F(NewBlankTest, EmptyRecentListPopsAnEmptyMenuBelowTheButton)
{
    ShowActive();
    // "Ostatnie pliki" sits at 300, 107 and is 26 pixels high.
    const QPoint expected = dialog.mapToGlobal(QPoint(300, 107 + 26));
    QTest::mouseClick(dialog.findChild<QToolButton*>(QStringLiteral("btnRecent")), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 2000));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions().isEmpty());
    EXPECT_EQ(menu->pos(), expected);
    menu->close();
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 2000));
    EXPECT_TRUE(dialog.isVisible());
}

} // namespace
