// The editor panel's layout: captions, tags and controls of each form kind in
// their order, the layout cursor's rows, the right edge, and how the editors
// follow the panel when it is resized.
#include "BlankEditorsTestSupport.h"

#include <QCheckBox>
#include <QSplitter>


namespace {

constexpr int EditHeight = 15;
constexpr int MemoHeight = 40;
constexpr int CheckHeight = 17;
constexpr int PanelHeight = 18;

// The panel's controls in order: a caption by its text, an editor by a
// letter for its class and its tag (a check box with its own text), joined by " / ".
QString PanelContents(const TfrmBlank& form)
{
    QStringList contents;
    for (QObject* child : PanelOf(form)->children()) {
        const QString tag = child->property("tag").toString();
        if (auto* label = qobject_cast<QLabel*>(child))
            contents << label->text();
        else if (qobject_cast<QLineEdit*>(child))
            contents << QLatin1Char('E') + tag;
        else if (qobject_cast<QPlainTextEdit*>(child))
            contents << QLatin1Char('M') + tag;
        else if (qobject_cast<QComboBox*>(child))
            contents << QLatin1Char('L') + tag;
        else if (auto* box = qobject_cast<QCheckBox*>(child))
            contents << QLatin1Char('C') + tag + QLatin1Char(' ') + box->text();
        else if (child->isWidgetType())
            contents << QLatin1Char('F') + tag;
    }
    return contents.join(QStringLiteral(" / "));
}

class BlankEditorsLayout : public BlankEditorsFixture {};

TEST_F(BlankEditorsLayout, PanelHoldsTheKindsCaptionsAndEditorsInOrder)
{
    const struct {
        quint16 kind;
        const char* rows;
    } cases[] = {
        {1, "Wpłacający / M32 / Nazwa banku / M48 / Numer rachunku / E17 / Nazwa rachunku / M16 / Tytułem / M64 / "},
        {2, "Nadawca - nazwa / E32 / Nadawca - adres / E35 / Kod / E34 / Poczta / E36 / Adresat - nazwa / E16 / "
            "Adresat - adres / E19 / Kod / E18 / Poczta / E20 / Korespondencja / M64 / "},
        {5, "Odbiorca / M16 / Numer rachunku odbiorcy / E17 / Numer rachunku nadawcy / E33 / Nadawca / M32 / "
            "Tytułem / M64 / C81 Wpłata / C80 Przelew / C82 Małe pokwitowanie / "},
        {6, "Numer rachunku ZUS / L21 / Numer rachunku płatnika / E33 / Nazwa płatnika / M32 / NIP płatnika / E37 / "
            "Typ drugiego identyfikatora / L38 / Drugi identyfikator / E39 / Typ wpłaty / L42 / "
            "Numer deklaracji / E40 / Deklaracja / E41 / Numer decyzji / E43 / C81 Wpłata / C80 Przelew / "},
        {7, "Nazwa organu podatkowego / M16 / Numer rachunku organu podatkowego / E17 / "
            "Numer rachunku zobowiązanego / E33 / Nazwa i adres zobowiązanego / M32 / "
            "NIP lub identyfikator uzupełniający / E39 / Typ identyfikatora / L38 / Okres / E44 / "
            "Symbol formularza / L45 / Identyfikacja zobowiązania / E46 / C81 Wpłata / C80 Przelew / "},
        // Kinds without a form of their own get the amount and the colours only.
        {0, ""},
        {8, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(PanelContents(*NewForm(c.kind)), QStringLiteral("Kwota / E1 / ") + QString::fromUtf8(c.rows)
                                                       + QStringLiteral("Kolor tekstu / F256 / Kolor formularza / F257"));
    }
}

TEST_F(BlankEditorsLayout, TransferRowsFollowTheCursorAndTheAmountSitsAtTheRightEdge)
{
    const auto form = NewForm(bkTransfer);
    const int panel = PanelOf(*form)->width();
    const int width = panel - 32;
    EXPECT_EQ(CaptionOf(*form, QStringLiteral("Kwota"))->pos(), QPoint(8, 8));
    EXPECT_EQ(form->EditorOfTag(1)->geometry(), QRect(panel - 24 - 80, 8, 80, EditHeight));
    // Each caption is 14 high; an editor adds its height and 3.
    EXPECT_EQ(CaptionOf(*form, QStringLiteral("Odbiorca"))->pos(), QPoint(8, 26));
    EXPECT_EQ(form->EditorOfTag(16)->geometry(), QRect(8, 40, width, MemoHeight));
    EXPECT_EQ(form->EditorOfTag(17)->geometry(), QRect(8, 97, width, EditHeight));
    EXPECT_EQ(form->EditorOfTag(64)->geometry(), QRect(8, 218, width, MemoHeight));
    // The payment checks start 3 lower, side by side, the small receipt below.
    EXPECT_EQ(form->EditorOfTag(81)->geometry(), QRect(8, 264, 70, CheckHeight));
    EXPECT_EQ(form->EditorOfTag(80)->geometry(), QRect(86, 264, 70, CheckHeight));
    EXPECT_EQ(form->EditorOfTag(82)->geometry(), QRect(8, 284, width, CheckHeight));
    EXPECT_EQ(form->EditorOfTag(257)->geometry(), QRect(panel - 24 - 60, 325, 60, PanelHeight));
}

TEST_F(BlankEditorsLayout, WiderPanelStretchesEditorsAndKeepsTheRightEdge)
{
    const auto form = NewForm(bkMoneyOrder);
    form->resize(900, 600);
    auto* splitter = form->findChild<QSplitter*>(QStringLiteral("Splitter1"));
    ASSERT_NE(splitter, nullptr);
    QWidget* panel = PanelOf(*form);
    const int width = panel->width() + 100;
    splitter->setSizes({width, 900 - width});
    ASSERT_EQ(panel->width(), width);
    // Full-width editors keep 24 pixels on their right, the postal code its 40.
    EXPECT_EQ(form->EditorOfTag(64)->geometry().right() + 1, width - 24);
    EXPECT_EQ(form->EditorOfTag(34)->width(), 40);
    EXPECT_EQ(form->EditorOfTag(36)->geometry().right() + 1, width - 24);
    EXPECT_EQ(form->EditorOfTag(1)->geometry(), QRect(width - 24 - 80, 8, 80, EditHeight));
    EXPECT_EQ(form->EditorOfTag(257)->geometry().right() + 1, width - 24);
}

} // namespace
