// The editor panel's layout: captions, tags and controls of each form kind in
// their order, the layout cursor's rows and pairs, the right edge, and how the
// editors follow the panel when it is resized.
#include "BlankEditorsTestSupport.h"

#include <QCheckBox>
#include <QColor>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>

#include <ostream>
#include <vector>

namespace {

constexpr int LabelHeight = 14;
constexpr int EditHeight = 15;
constexpr int MemoHeight = 40;
constexpr int ListHeight = 18;
constexpr int CheckHeight = 17;
constexpr int PanelHeight = 18;

// One control of the panel as the test sees it: a caption by its text, an
// editor by its class and tag (and a check box's own text).
std::string Describe(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return "caption \"" + label->text().toStdString() + '"';
    std::string text = std::string(w->metaObject()->className()) + " " + std::to_string(w->property("tag").toInt());
    if (auto* box = qobject_cast<QCheckBox*>(w))
        text += " \"" + box->text().toStdString() + '"';
    return text;
}

std::vector<std::string> PanelContents(const TfrmBlank& form)
{
    std::vector<std::string> contents;
    for (QObject* child : PanelOf(form)->children())
        if (auto* w = qobject_cast<QWidget*>(child))
            contents.push_back(Describe(w));
    return contents;
}

std::string Caption(const char* text) { return std::string("caption \"") + text + '"'; }
std::string Edit(int tag) { return "QLineEdit " + std::to_string(tag); }
std::string Memo(int tag) { return "QPlainTextEdit " + std::to_string(tag); }
std::string List(int tag) { return "QComboBox " + std::to_string(tag); }
std::string Check(int tag, const char* text) { return "QCheckBox " + std::to_string(tag) + " \"" + text + '"'; }
std::string Colours(int tag) { return "QFrame " + std::to_string(tag); }

std::vector<std::string> Framed(std::vector<std::string> rows)
{
    std::vector<std::string> all{Caption("Kwota"), Edit(1)};
    all.insert(all.end(), rows.begin(), rows.end());
    all.insert(all.end(), {Caption("Kolor tekstu"), Colours(256), Caption("Kolor formularza"), Colours(257)});
    return all;
}

struct KindContents {
    quint16 kind;
    std::vector<std::string> contents;
};

void PrintTo(const KindContents& c, std::ostream* os) { *os << "kind " << c.kind; }

class BlankEditorsKindContents : public BlankEditorsFixture, public ::testing::WithParamInterface<KindContents> {};

TEST_P(BlankEditorsKindContents, PanelHoldsTheKindsCaptionsAndEditorsInOrder)
{
    const auto form = NewForm(GetParam().kind);
    EXPECT_EQ(PanelContents(*form), Framed(GetParam().contents));
}

INSTANTIATE_TEST_SUITE_P(BlankEditorsKinds, BlankEditorsKindContents,
    ::testing::Values(
        KindContents{1, {Caption("Wpłacający"), Memo(32), Caption("Nazwa banku"), Memo(48),
                         Caption("Numer rachunku"), Edit(17), Caption("Nazwa rachunku"), Memo(16),
                         Caption("Tytułem"), Memo(64)}},
        KindContents{2, {Caption("Nadawca - nazwa"), Edit(32), Caption("Nadawca - adres"), Edit(35),
                         Caption("Kod"), Edit(34), Caption("Poczta"), Edit(36),
                         Caption("Adresat - nazwa"), Edit(16), Caption("Adresat - adres"), Edit(19),
                         Caption("Kod"), Edit(18), Caption("Poczta"), Edit(20),
                         Caption("Korespondencja"), Memo(64)}},
        KindContents{5, {Caption("Odbiorca"), Memo(16), Caption("Numer rachunku odbiorcy"), Edit(17),
                         Caption("Numer rachunku nadawcy"), Edit(33), Caption("Nadawca"), Memo(32),
                         Caption("Tytułem"), Memo(64), Check(81, "Wpłata"), Check(80, "Przelew"),
                         Check(82, "Małe pokwitowanie")}},
        KindContents{6, {Caption("Numer rachunku ZUS"), List(21), Caption("Numer rachunku płatnika"), Edit(33),
                         Caption("Nazwa płatnika"), Memo(32), Caption("NIP płatnika"), Edit(37),
                         Caption("Typ drugiego identyfikatora"), List(38), Caption("Drugi identyfikator"), Edit(39),
                         Caption("Typ wpłaty"), List(42), Caption("Numer deklaracji"), Edit(40),
                         Caption("Deklaracja"), Edit(41), Caption("Numer decyzji"), Edit(43),
                         Check(81, "Wpłata"), Check(80, "Przelew")}},
        KindContents{7, {Caption("Nazwa organu podatkowego"), Memo(16),
                         Caption("Numer rachunku organu podatkowego"), Edit(17),
                         Caption("Numer rachunku zobowiązanego"), Edit(33),
                         Caption("Nazwa i adres zobowiązanego"), Memo(32),
                         Caption("NIP lub identyfikator uzupełniający"), Edit(39),
                         Caption("Typ identyfikatora"), List(38), Caption("Okres"), Edit(44),
                         Caption("Symbol formularza"), List(45), Caption("Identyfikacja zobowiązania"), Edit(46),
                         Check(81, "Wpłata"), Check(80, "Przelew")}},
        // Kinds without a form of their own get the amount and the colours only.
        KindContents{0, {}}, KindContents{3, {}}, KindContents{8, {}}));

class BlankEditorsLayout : public BlankEditorsFixture {};

TEST_F(BlankEditorsLayout, DesignedCheckBoxesMakeWayForTheBuiltOnes)
{
    const auto form = NewForm(bkTransferZus);
    QWidget* panel = PanelOf(*form);
    EXPECT_EQ(panel->findChild<QWidget*>(QStringLiteral("cbxWplata")), nullptr);
    EXPECT_EQ(panel->findChild<QWidget*>(QStringLiteral("cbxPrzelew")), nullptr);
    EXPECT_EQ(panel->findChildren<QCheckBox*>().size(), 2);
}

TEST_F(BlankEditorsLayout, CaptionsAreArialEightPointBlackFourteenPixelsHigh)
{
    const auto form = NewForm(bkTransfer);
    const QList<QLabel*> labels = PanelOf(*form)->findChildren<QLabel*>();
    ASSERT_FALSE(labels.isEmpty());
    for (QLabel* label : labels) {
        SCOPED_TRACE(label->text().toStdString());
        // Arial is Liberation Sans here, with the same widths.
        EXPECT_EQ(label->font().family(), QStringLiteral("Liberation Sans"));
        EXPECT_EQ(label->font().pointSize(), 8);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        EXPECT_EQ(label->height(), LabelHeight);
    }
}

TEST_F(BlankEditorsLayout, AmountCaptionAndEditShareTheFirstRowAtTheRightEdge)
{
    for (const quint16 kind : {1, 2, 5, 6, 7, 0}) {
        SCOPED_TRACE(kind);
        const auto form = NewForm(kind);
        QLabel* caption = CaptionOf(*form, QStringLiteral("Kwota"));
        QWidget* amount = form->EditorOfTag(1);
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->pos(), QPoint(8, 8));
        EXPECT_EQ(amount->geometry(), QRect(PanelOf(*form)->width() - 24 - 80, 8, 80, EditHeight));
    }
}

TEST_F(BlankEditorsLayout, TransferRowsFollowTheCursor)
{
    const auto form = NewForm(bkTransfer);
    const int width = PanelOf(*form)->width() - 32;
    // Each caption is 14 high; an editor adds its height and 3.
    EXPECT_EQ(CaptionOf(*form, QStringLiteral("Odbiorca"))->pos(), QPoint(8, 26));
    EXPECT_EQ(form->EditorOfTag(16)->geometry(), QRect(8, 40, width, MemoHeight));
    EXPECT_EQ(CaptionOf(*form, QStringLiteral("Numer rachunku odbiorcy"))->pos(), QPoint(8, 83));
    EXPECT_EQ(form->EditorOfTag(17)->geometry(), QRect(8, 97, width, EditHeight));
    EXPECT_EQ(form->EditorOfTag(33)->geometry(), QRect(8, 129, width, EditHeight));
    EXPECT_EQ(form->EditorOfTag(32)->geometry(), QRect(8, 161, width, MemoHeight));
    EXPECT_EQ(form->EditorOfTag(64)->geometry(), QRect(8, 218, width, MemoHeight));
    // The payment checks start 3 lower, side by side, the small receipt below.
    EXPECT_EQ(form->EditorOfTag(81)->geometry(), QRect(8, 264, 70, CheckHeight));
    EXPECT_EQ(form->EditorOfTag(80)->geometry(), QRect(86, 264, 70, CheckHeight));
    EXPECT_EQ(form->EditorOfTag(82)->geometry(), QRect(8, 284, width, CheckHeight));
    const int right = PanelOf(*form)->width() - 24 - 60;
    EXPECT_EQ(CaptionOf(*form, QStringLiteral("Kolor tekstu"))->pos(), QPoint(8, 304));
    EXPECT_EQ(form->EditorOfTag(256)->geometry(), QRect(right, 304, 60, PanelHeight));
    EXPECT_EQ(CaptionOf(*form, QStringLiteral("Kolor formularza"))->pos(), QPoint(8, 325));
    EXPECT_EQ(form->EditorOfTag(257)->geometry(), QRect(right, 325, 60, PanelHeight));
}

TEST_F(BlankEditorsLayout, PostalCodeAndPostOfficeSitSideBySide)
{
    const auto form = NewForm(bkMoneyOrder);
    const int panel = PanelOf(*form)->width();
    QWidget* nadKod = form->EditorOfTag(34);
    QWidget* nadPoczta = form->EditorOfTag(36);
    // Kwota row 8..26, two name/address rows of 32 each: the pair starts at 90.
    EXPECT_EQ(nadKod->geometry(), QRect(8, 104, 40, EditHeight));
    EXPECT_EQ(nadPoczta->geometry(), QRect(56, 104, panel - 32 - 48, EditHeight));
    EXPECT_EQ(nadPoczta->geometry().right() + 1, panel - 24);
    // After the sender's pair 8 more before the addressee.
    EXPECT_EQ(form->EditorOfTag(16)->y(), 104 + EditHeight + 3 + 8 + LabelHeight);
    QWidget* odbKod = form->EditorOfTag(18);
    QWidget* odbPoczta = form->EditorOfTag(20);
    EXPECT_EQ(odbKod->y(), odbPoczta->y());
    EXPECT_EQ(odbKod->x(), 8);
    EXPECT_EQ(odbPoczta->x(), 56);
    QWidget* text = form->EditorOfTag(64);
    EXPECT_EQ(text->geometry(), QRect(8, odbKod->y() + EditHeight + 3 + LabelHeight, panel - 32, 60));
    EXPECT_EQ(CaptionOf(*form, QStringLiteral("Kolor tekstu"))->y(), text->y() + 60 + 3);
}

TEST_F(BlankEditorsLayout, DeclarationNumberAndPeriodShareARowInHalves)
{
    const auto form = NewForm(bkTransferZus);
    const int half = (PanelOf(*form)->width() - 32) / 2 - 4;
    QWidget* number = form->EditorOfTag(40);
    QWidget* period = form->EditorOfTag(41);
    EXPECT_EQ(number->geometry(), QRect(8, number->y(), half, EditHeight));
    EXPECT_EQ(period->geometry(), QRect(8 + half + 8, number->y(), half, EditHeight));
    EXPECT_EQ(CaptionOf(*form, QStringLiteral("Deklaracja"))->pos(), QPoint(8 + half + 8, number->y() - LabelHeight));
    // The next row starts below the pair.
    EXPECT_EQ(CaptionOf(*form, QStringLiteral("Numer decyzji"))->y(), number->y() + EditHeight + 3);
}

TEST_F(BlankEditorsLayout, EditorsHaveTheirHeights)
{
    const auto form = NewForm(bkTransferZus);
    EXPECT_EQ(form->EditorOfTag(21)->height(), ListHeight);
    EXPECT_EQ(form->EditorOfTag(33)->height(), EditHeight);
    EXPECT_EQ(form->EditorOfTag(32)->height(), MemoHeight);
    EXPECT_EQ(form->EditorOfTag(81)->height(), CheckHeight);
    auto* memo = EditorAs<QPlainTextEdit>(*form, 32);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(EditorAs<QComboBox>(*form, 21)->isEditable());
    const auto tax = NewForm(bkTransferTax);
    EXPECT_TRUE(EditorAs<QComboBox>(*tax, 45)->isEditable());
}

TEST_F(BlankEditorsLayout, ColourPanelsShowTheDocumentsColours)
{
    const auto form = NewForm(bkTransferTax);
    // Black text; the tax form's own colour (red 213, green 122, blue 0).
    EXPECT_EQ(form->EditorOfTag(256)->palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_EQ(form->EditorOfTag(257)->palette().color(QPalette::Window), QColor(213, 122, 0));
    EXPECT_EQ(form->GetEditorValue(257).toUInt(), RGBColor(213, 122, 0));
}

TEST_F(BlankEditorsLayout, WiderPanelStretchesEditorsAndKeepsTheRightEdge)
{
    const auto form = NewForm(bkMoneyOrder);
    form->resize(900, 600);
    auto* splitter = form->findChild<QSplitter*>(QStringLiteral("Splitter1"));
    ASSERT_NE(splitter, nullptr);
    QWidget* panel = PanelOf(*form);
    const int before = panel->width();
    splitter->setSizes({before + 100, 900 - before - 100});
    ASSERT_EQ(panel->width(), before + 100);
    const int width = panel->width();
    // Full-width editors keep 24 pixels on their right, the postal code its 40.
    EXPECT_EQ(form->EditorOfTag(32)->geometry(), QRect(8, form->EditorOfTag(32)->y(), width - 32, EditHeight));
    EXPECT_EQ(form->EditorOfTag(64)->geometry().right() + 1, width - 24);
    EXPECT_EQ(form->EditorOfTag(34)->width(), 40);
    EXPECT_EQ(form->EditorOfTag(36)->geometry().right() + 1, width - 24);
    EXPECT_EQ(form->EditorOfTag(36)->x(), 56);
    // The amount and the colours stay at the right edge as they are.
    EXPECT_EQ(form->EditorOfTag(1)->geometry(), QRect(width - 24 - 80, 8, 80, EditHeight));
    EXPECT_EQ(form->EditorOfTag(257)->geometry().right() + 1, width - 24);
    EXPECT_EQ(form->EditorOfTag(257)->width(), 60);
}

TEST_F(BlankEditorsLayout, PanelScrollsToItsLastControl)
{
    const auto form = NewForm(bkTransferZus);
    form->resize(600, 200);
    QWidget* panel = PanelOf(*form);
    QWidget* last = form->EditorOfTag(257);
    EXPECT_GE(panel->height(), last->geometry().bottom() + 1);
    EXPECT_TRUE(form->findChild<QScrollArea*>(QStringLiteral("ScrollBox2"))->verticalScrollBar()->maximum() > 0);
}

} // namespace
