// The editor panel's layout: captions, tags and controls of each form kind in
// their order, and the amount kept at the right edge when the panel is resized.
#include "BlankEditorsTestSupport.h"

#include <QCheckBox>
#include <QSplitter>

namespace {

constexpr int EditHeight = 15;

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

TEST_F(BlankEditorsLayout, AmountEndsTwentyFourPixelsFromTheRightEdgeOfAWiderPanel)
{
    const auto form = NewForm(bkMoneyOrder);
    form->resize(900, 600);
    auto* splitter = form->findChild<QSplitter*>(QStringLiteral("Splitter1"));
    ASSERT_NE(splitter, nullptr);
    QWidget* panel = PanelOf(*form);
    const int width = panel->width() + 100;
    splitter->setSizes({width, 900 - width});
    ASSERT_EQ(panel->width(), width);
    EXPECT_EQ(form->EditorOfTag(1)->geometry(), QRect(width - 24 - 80, 8, 80, EditHeight));
}

} // namespace
