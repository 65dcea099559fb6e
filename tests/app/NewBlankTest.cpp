#include "app/untNewBlank.h"

#include "drawing/untCommon.h"
#include "helpers/PixelProbe.h"

#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

constexpr int ButtonHeightPx = 68;

QImage Shot(QWidget* widget)
{
    return widget->grab().toImage();
}

QPoint CentreOfButton(const TButtonGroup* group, int index)
{
    return QPoint(group->width() / 2, index * ButtonHeightPx + ButtonHeightPx / 2);
}

class NewBlankTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = std::make_unique<TfrmNewBlank>();
        group1 = dialog->findChild<TButtonGroup*>(QStringLiteral("ButtonGroup1"));
        group2 = dialog->findChild<TButtonGroup*>(QStringLiteral("ButtonGroup2"));
        recent = dialog->findChild<QToolButton*>(QStringLiteral("btnRecent"));
        cancel = dialog->findChild<QPushButton*>(QStringLiteral("Button1"));
        ASSERT_TRUE(group1 && group2 && recent && cancel);
        H = FromQColor(dialog->palette().color(QPalette::Active, QPalette::Highlight));
        F = FromQColor(dialog->palette().color(QPalette::Active, QPalette::Button));
        ASSERT_NE(H, F);
    }

    // Shown and active, as a user meets it; window-modal so the test goes on.
    void ShowActive()
    {
        dialog->open();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get(), 2000));
    }

    std::unique_ptr<TfrmNewBlank> dialog;
    TButtonGroup* group1 = nullptr;
    TButtonGroup* group2 = nullptr;
    QToolButton* recent = nullptr;
    QPushButton* cancel = nullptr;
    TColor H = 0;
    TColor F = 0;
};

TEST_F(NewBlankTest, WindowHasItsCaptionAndFixedClientSize)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Wybierz blankiet"));
    EXPECT_EQ(dialog->size(), QSize(534, 310));
    EXPECT_EQ(dialog->minimumSize(), QSize(534, 310));
    EXPECT_EQ(dialog->maximumSize(), QSize(534, 310));
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowContextHelpButtonHint);
}

TEST_F(NewBlankTest, HeadingsAreItalicVerdanaOrItsStandInSixteenPixelsHigh)
{
    const std::pair<const char*, QString> headings[] = {{"Label1", QStringLiteral("Nowy")},
                                                        {"Label2", QStringLiteral("Zapisany")}};
    const QPoint positions[] = {{8, 8}, {300, 8}};
    for (int i = 0; i < 2; ++i) {
        const auto* label = dialog->findChild<QLabel*>(QLatin1String(headings[i].first));
        ASSERT_NE(label, nullptr) << headings[i].first;
        EXPECT_EQ(label->text(), headings[i].second);
        EXPECT_EQ(label->pos(), positions[i]);
        const QFontInfo face(label->font());
        EXPECT_TRUE(face.family() == QLatin1String("Verdana") || face.family() == QLatin1String("DejaVu Sans"))
            << face.family().toStdString();
        EXPECT_EQ(face.pixelSize(), 16);
        EXPECT_TRUE(face.italic());
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
    }
}

TEST_F(NewBlankTest, ButtonGroupsHaveTheirItemsGeometryAndNavyFonts)
{
    EXPECT_EQ(group1->geometry(), QRect(8, 26, 269, 275));
    EXPECT_EQ(group1->captions(),
              QStringList({QStringLiteral("Przelew / wpłata"), QStringLiteral("Przelew / wpłata do ZUS"),
                           QStringLiteral("Przelew / wpłata do US"), QStringLiteral("Przekaz pocztowy")}));
    EXPECT_EQ(group1->imageIndexes(), QStringList({"1", "2", "3", "5"}));
    EXPECT_EQ(group2->geometry(), QRect(300, 27, 225, 74));
    EXPECT_EQ(group2->captions(), QStringList({QStringLiteral("Otwórz z pliku")}));
    EXPECT_EQ(group2->imageIndexes(), QStringList({"0"}));
    const std::pair<TButtonGroup*, int> fonts[] = {{group1, 12}, {group2, 15}};
    for (const auto& [group, pixels] : fonts) {
        EXPECT_EQ(group->buttonHeight(), ButtonHeightPx);
        EXPECT_EQ(group->fontColor(), QColor(0, 0, 128));
        EXPECT_EQ(QFontInfo(group->font()).pixelSize(), pixels);
        EXPECT_FALSE(QFontInfo(group->font()).italic());
        const TRect first = group->ButtonRect(0);
        EXPECT_EQ(first.Right - first.Left, group->width()) << "buttons span the group";
    }
}

TEST_F(NewBlankTest, PicturesAreEightyOneBySixtyAndDistinct)
{
    std::vector<QImage> pictures;
    for (int i = 0; i < group1->Count(); ++i)
        pictures.push_back(group1->ImageOf(i));
    pictures.push_back(group2->ImageOf(0));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_EQ(pictures[i].size(), QSize(81, 60)) << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
    }
}

TEST_F(NewBlankTest, OtherControlsSitWhereTheWindowPutsThem)
{
    EXPECT_EQ(recent->geometry(), QRect(300, 107, 137, 26));
    EXPECT_EQ(recent->text(), QStringLiteral("Ostatnie pliki"));
    EXPECT_TRUE(recent->autoRaise());
    const auto* bevel = dialog->findChild<QFrame*>(QStringLiteral("Bevel1"));
    ASSERT_NE(bevel, nullptr);
    EXPECT_EQ(bevel->frameShape(), QFrame::VLine);
    EXPECT_EQ(bevel->geometry(), QRect(288, 8, 2, 293));
    EXPECT_EQ(cancel->geometry(), QRect(300, 269, 221, 29));
    EXPECT_EQ(cancel->text(), QStringLiteral("Anuluj"));
}

TEST_F(NewBlankTest, CancelButtonIsTheOnlyTabStop)
{
    QStringList tabStops;
    for (const QWidget* child : dialog->findChildren<QWidget*>())
        if (child->focusPolicy() & Qt::TabFocus)
            tabStops << child->objectName();
    EXPECT_EQ(tabStops, QStringList({QStringLiteral("Button1")}));
}

TEST_F(NewBlankTest, NoChoiceBeforeTheFirstShowing)
{
    EXPECT_EQ(dialog->BlankKind, TfrmNewBlank::NoChoice);
}

class KindButtonTest : public NewBlankTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(KindButtonTest, ClickingAKindButtonAcceptsWithItsKind)
{
    const auto [index, kind] = GetParam();
    ShowActive();
    QTest::mouseClick(group1, Qt::LeftButton, {}, CentreOfButton(group1, index));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->BlankKind, kind);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KindButtonTest,
                         ::testing::Values(std::pair(0, 5), std::pair(1, 6), std::pair(2, 7), std::pair(3, 2)),
                         [](const auto& info) { return "Button" + std::to_string(info.param.first); });

TEST_F(NewBlankTest, OpenFromFileAcceptsWithKindZero)
{
    ShowActive();
    QTest::mouseClick(group2, Qt::LeftButton, {}, CentreOfButton(group2, 0));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->BlankKind, 0);
}

TEST_F(NewBlankTest, ClickBelowTheLastButtonChoosesNothing)
{
    ShowActive();
    QTest::mouseClick(group1, Qt::LeftButton, {}, QPoint(100, 273));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->BlankKind, TfrmNewBlank::NoChoice);
}

TEST_F(NewBlankTest, AnUnknownIndexLeavesNoChoiceAndTheDialogOpen)
{
    ShowActive();
    dialog->BlankKind = 7;
    dialog->ButtonGroup1ButtonClicked(4);
    EXPECT_EQ(dialog->BlankKind, TfrmNewBlank::NoChoice);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(NewBlankTest, AnulujRejectsWhateverBlankKindHolds)
{
    ShowActive();
    QTest::mouseClick(group1, Qt::LeftButton, {}, CentreOfButton(group1, 1));
    ASSERT_EQ(dialog->BlankKind, 6);
    ShowActive();
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->BlankKind, 6);
}

TEST_F(NewBlankTest, EscRejectsWhateverBlankKindHolds)
{
    ShowActive();
    QTest::mouseClick(group2, Qt::LeftButton, {}, CentreOfButton(group2, 0));
    ASSERT_EQ(dialog->BlankKind, 0);
    ShowActive();
    ASSERT_EQ(QApplication::focusWidget(), cancel);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->BlankKind, 0);
}


// R, the drawn box, is the button less its top and bottom rows.
constexpr int RTopOffset = 1;
constexpr int RHeight = ButtonHeightPx - 2;

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
    const QImage shot = Shot(group1);
    const TColor frame = BlendColors(clBlack, F, 9, 10);
    for (int i = 0; i < group1->Count(); ++i)
        ExpectButtonBox(shot, i * ButtonHeightPx, F, frame, F);
    EXPECT_EQ(CountPixels(shot, QRect(0, 272, shot.width(), 3), F), 3 * shot.width()) << "below the last button";
    ExpectButtonBox(Shot(group2), 0, F, frame, F);
}

TEST_F(NewBlankTest, CaptionStartsNinetyPixelsInAndSitsAtTheBottom)
{
    const TColor text = BlendColors(clBlack, F, 6, 10);
    for (TButtonGroup* group : {group1, group2}) {
        const QImage shot = Shot(group);
        for (int i = 0; i < group->Count(); ++i) {
            const int top = i * ButtonHeightPx;
            const QRect area = CaptionArea(shot, top);
            const QRect ink = InkBounds(shot, area, F);
            ASSERT_FALSE(ink.isNull()) << "no caption on button " << i;
            EXPECT_GE(ink.left(), 90) << i;
            EXPECT_LE(ink.left(), 93) << i;
            EXPECT_LE(ink.right(), shot.width() - 4) << i;
            EXPECT_LE(ink.bottom(), top + ButtonHeightPx - 5) << "bottom of the caption box on " << i;
            EXPECT_GE(ink.bottom(), top + ButtonHeightPx - 9) << "aligned to the bottom on " << i;
            EXPECT_EQ(CountPixels(shot, area, text), InkCount(shot, area, F)) << "all ink in the text colour on " << i;
        }
    }
}

TEST_F(NewBlankTest, PictureSitsThreePixelsInsideR)
{
    const QImage shot = Shot(group1);
    for (int i = 0; i < group1->Count(); ++i) {
        const QImage picture = group1->ImageOf(i).convertToFormat(QImage::Format_ARGB32);
        const int left = 3;
        const int top = i * ButtonHeightPx + RTopOffset + 3;
        int opaque = 0;
        int matching = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (qAlpha(picture.pixel(x, y)) == 255) {
                    ++opaque;
                    matching += shot.pixel(left + x, top + y) == picture.pixel(x, y);
                }
        EXPECT_GT(opaque, 1000) << i;
        EXPECT_EQ(matching, opaque) << "picture of button " << i;
    }
}

TEST_F(NewBlankTest, HotButtonTakesATenthOfTheHighlight)
{
    ShowActive();
    QTest::mouseMove(group1, CentreOfButton(group1, 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return group1->StateOf(1) & bdsHot; }, 1000));
    const QImage shot = Shot(group1);
    const TColor fill = BlendColors(H, F, 9, 10);
    ExpectButtonBox(shot, ButtonHeightPx, fill, H, F);
    const QRect area = CaptionArea(shot, ButtonHeightPx);
    EXPECT_GT(InkCount(shot, area, fill), 0);
    EXPECT_EQ(CountPixels(shot, area, BlendColors(H, clBlack, 6, 10)), InkCount(shot, area, fill));
    ExpectButtonBox(shot, 0, F, BlendColors(clBlack, F, 9, 10), F);
}

TEST_F(NewBlankTest, HoverEventsLightAndDarkenAButton)
{
    ShowActive();
    QHoverEvent enter(QEvent::HoverEnter, CentreOfButton(group1, 2), group1->mapToGlobal(CentreOfButton(group1, 2)), QPointF(-1, -1));
    QApplication::sendEvent(group1, &enter);
    ExpectButtonBox(Shot(group1), 2 * ButtonHeightPx, BlendColors(H, F, 9, 10), H, F);
    QHoverEvent leave(QEvent::HoverLeave, QPointF(-1, -1), QPointF(-1, -1), CentreOfButton(group1, 2));
    QApplication::sendEvent(group1, &leave);
    ExpectButtonBox(Shot(group1), 2 * ButtonHeightPx, F, BlendColors(clBlack, F, 9, 10), F);
}

TEST_F(NewBlankTest, PressedButtonTakesThreeTenthsAndAReleaseElsewhereClicksNothing)
{
    ShowActive();
    QTest::mousePress(group1, Qt::LeftButton, {}, CentreOfButton(group1, 2));
    ExpectButtonBox(Shot(group1), 2 * ButtonHeightPx, BlendColors(H, F, 7, 10), H, F);
    QTest::mouseRelease(group1, Qt::LeftButton, {}, CentreOfButton(group1, 3));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->BlankKind, TfrmNewBlank::NoChoice);
}

TEST_F(NewBlankTest, FocusedButtonGetsAHighlightFrameInsideR)
{
    ShowActive();
    group1->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return group1->hasFocus(); }, 1000));
    const QImage shot = Shot(group1);
    const int inner = RTopOffset + 1;
    EXPECT_EQ(CountPixels(shot, QRect(1, inner, shot.width() - 2, 1), H), shot.width() - 2);
    EXPECT_EQ(CountPixels(shot, QRect(1, inner, 1, RHeight - 2), H), RHeight - 2);
    EXPECT_EQ(CountPixels(shot, QRect(0, RTopOffset, shot.width(), 1), BlendColors(clBlack, F, 9, 10)), shot.width());
    EXPECT_EQ(CountPixels(shot, QRect(1, ButtonHeightPx + 2, shot.width() - 2, 1), H), 0) << "only the focused one";
}

TEST_F(NewBlankTest, TooLongCaptionEndsInAnEllipsisInsideTheBox)
{
    TButtonGroup narrow;
    narrow.resize(160, ButtonHeightPx);
    narrow.setButtonHeight(ButtonHeightPx);
    narrow.setFont(group1->font());
    narrow.setCaptions({group1->Item(1).Caption});
    narrow.OnDrawButton = [this](TButtonGroup& s, int i, TCanvas& c, const TRect& r, TButtonDrawState st) {
        dialog->ButtonGroup1DrawButton(s, i, c, r, st);
    };
    const QImage shot = Shot(&narrow);
    const QRect ink = InkBounds(shot, CaptionArea(shot, 0), F);
    ASSERT_FALSE(ink.isNull());
    EXPECT_LE(ink.right(), 160 - 4);
    // The last glyph is a run of dots on the baseline, not a cut letter.
    const QRect lastColumns = InkBounds(shot, QRect(ink.right() - 1, ink.top(), 2, ink.height()), F);
    EXPECT_LE(lastColumns.height(), 3);
}

TEST_F(NewBlankTest, GroupWithoutADrawHandlerWritesInItsFontColour)
{
    TButtonGroup plain;
    plain.resize(200, ButtonHeightPx);
    plain.setButtonHeight(ButtonHeightPx);
    plain.setCaptions({QStringLiteral("Nowy")});
    plain.setFontColor(QColor(0, 0, 128));
    EXPECT_GT(CountPixels(Shot(&plain), plain.rect(), RGBColor(0, 0, 128)), 10);
}

TEST_F(NewBlankTest, EmptyRecentListPopsAnEmptyMenuBelowTheButton)
{
    ShowActive();
    const QPoint expected = dialog->mapToGlobal(QPoint(300, 107 + 26));
    QTest::mouseClick(recent, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 2000));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions().isEmpty());
    EXPECT_EQ(menu->pos(), expected);
    menu->close();
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 2000));
    EXPECT_TRUE(dialog->isVisible());
}

TEST(NewBlankRecentFiles, PickingARecentFileEndsTheChooserWithCancel)
{
    QWidget mainForm;
    mainForm.setGeometry(20, 20, 700, 500);
    mainForm.show();
    QMenu reOpen(&mainForm);
    QAction* file = reOpen.addAction(QStringLiteral("&1  /tmp/a.wpt"));
    TfrmNewBlank chooser(&mainForm);
    chooser.SetRecentMenu(&reOpen);
    chooser.BlankKind = 5;
    bool picked = false;
    QObject::connect(file, &QAction::triggered, &chooser, [&] {
        picked = true;
        if (chooser.isVisible())
            chooser.reject();
    });
    QMenu* shown = nullptr;
    QTimer::singleShot(0, &chooser, [&] {
        QTest::mouseClick(chooser.findChild<QToolButton*>(QStringLiteral("btnRecent")), Qt::LeftButton);
        if (!QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 2000))
            return;
        shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (shown)
            QTest::mouseClick(shown, Qt::LeftButton, {}, shown->actionGeometry(file).center());
    });
    QTimer::singleShot(5000, &chooser, [&] { chooser.done(99); }); // never hang the suite
    const int result = chooser.exec();
    EXPECT_EQ(shown, &reOpen);
    EXPECT_TRUE(picked);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(chooser.BlankKind, 5);
}

// The main window's outer size is the chooser's plus (dw, dh); the
// chooser's outer corner lands at the main window's plus offset.
struct Placement {
    int dw;
    int dh;
    QPoint offset;
};

class CentringTest : public ::testing::TestWithParam<Placement> {};

TEST_P(CentringTest, ChooserCentresOverItsMainWindowTruncatingTowardZero)
{
    QWidget mainForm;
    mainForm.move(40, 30);
    mainForm.show();
    TfrmNewBlank chooser(&mainForm);
    chooser.open();
    const QSize outer = chooser.frameGeometry().size();
    chooser.reject();
    const QSize frame = mainForm.frameGeometry().size() - mainForm.size();
    mainForm.resize(outer + QSize(GetParam().dw, GetParam().dh) - frame);
    ASSERT_EQ(mainForm.frameGeometry().size(), outer + QSize(GetParam().dw, GetParam().dh));
    chooser.open();
    EXPECT_EQ(chooser.frameGeometry().topLeft(), mainForm.frameGeometry().topLeft() + GetParam().offset);
    chooser.reject();
}

INSTANTIATE_TEST_SUITE_P(MainForms, CentringTest,
                         ::testing::Values(Placement{266, 290, QPoint(133, 145)},
                                           Placement{-233, -109, QPoint(-116, -54)}, // not -117, -55
                                           Placement{1, 1, QPoint(0, 0)}));

TEST(NewBlankInstance, MadeOnceForTheMainWindowAndReleased)
{
    QWidget mainForm;
    EXPECT_EQ(frmNewBlank(), nullptr);
    InitializeNewBlank(&mainForm);
    TfrmNewBlank* first = frmNewBlank();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->parentWidget(), &mainForm);
    InitializeNewBlank(&mainForm);
    EXPECT_EQ(frmNewBlank(), first);
    FinalizeNewBlank();
    EXPECT_EQ(frmNewBlank(), nullptr);
    EXPECT_TRUE(mainForm.findChildren<TfrmNewBlank*>().isEmpty());
}

} // namespace
