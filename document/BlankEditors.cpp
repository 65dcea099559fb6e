#include "document/BlankEditorsAmount.h"
#include "document/BlankEditorsBuilder.h"
#include "document/BlankEditorsControls.h"
#include "document/BlankEditorsTags.h"
#include "document/BlankFormUnit.h"
#include "document/EditorChoices.h"
#include "document/FieldLengths.h"
#include "ui_TFRMBLANK.h"

#include <QColorDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScrollArea>
#include <QSplitter>

namespace {

using namespace EditorTags;
namespace T = EditorTags;
using E = EditorClass;
namespace L = FieldLength;

constexpr int AmountEditWidthPx = 80;
constexpr int ColorPanelWidthPx = 60;
constexpr int PostalCodeWidthPx = 40;
constexpr int PairHalfGapPx = 4;
constexpr int MoneyOrderGroupGapPx = 8;
constexpr int CorrespondenceExtraPx = 20;

void AddDepositEditors(EditorPanelBuilder& b)
{
    b.AddRow(QStringLiteral("Wpłacający"), E::Memo, Nadawca, L::Name);
    b.AddRow(QStringLiteral("Nazwa banku"), E::Memo, Bank, L::Name);
    b.AddRow(QStringLiteral("Numer rachunku"), E::Edit, OdbRach, L::Account);
    b.AddRow(QStringLiteral("Nazwa rachunku"), E::Memo, Odbiorca, L::Name);
    b.AddRow(QStringLiteral("Tytułem"), E::Memo, Tytul, L::Title);
}

// The postal code and the post office share a row.
void AddPostalCodeAndOffice(EditorPanelBuilder& b, int codeTag, int officeTag)
{
    b.BeginPair();
    QWidget* code = b.AddRow(QStringLiteral("Kod"), E::Edit, codeTag, L::PostalCode);
    code->resize(PostalCodeWidthPx, code->height());
    b.WidenToShow(code, QString(L::PostalCode, QLatin1Char('0')));
    b.NextInPair(code, code->width());
    // The post office takes the rest of the row, ending where a full-width editor does.
    QWidget* office = b.AddRow(QStringLiteral("Poczta"), E::Edit, officeTag, L::Name);
    office->resize(code->x() + b.EditorWidth() - office->x(), office->height());
    b.EndPair();
}

void AddMoneyOrderEditors(EditorPanelBuilder& b)
{
    b.AddRow(QStringLiteral("Nadawca - nazwa"), E::Edit, Nadawca, L::Name);
    b.AddRow(QStringLiteral("Nadawca - adres"), E::Edit, NadAdres, L::Name);
    AddPostalCodeAndOffice(b, NadKod, NadPoczta);
    // The sender's block ends a little apart from the addressee's.
    b.AdvanceY(MoneyOrderGroupGapPx);
    b.AddRow(QStringLiteral("Adresat - nazwa"), E::Edit, Odbiorca, L::Name);
    b.AddRow(QStringLiteral("Adresat - adres"), E::Edit, OdbAdres, L::Name);
    AddPostalCodeAndOffice(b, OdbKod, OdbPoczta);
    QWidget* text = b.AddRow(QStringLiteral("Korespondencja"), E::Memo, Tytul, L::Correspondence);
    text->resize(text->width(), text->height() + CorrespondenceExtraPx);
    b.AdvanceY(CorrespondenceExtraPx);
}

void AddTransferEditors(EditorPanelBuilder& b)
{
    b.AddRow(QStringLiteral("Odbiorca"), E::Memo, Odbiorca, L::Name);
    b.AddRow(QStringLiteral("Numer rachunku odbiorcy"), E::Edit, OdbRach, L::Account);
    b.AddRow(QStringLiteral("Numer rachunku nadawcy"), E::Edit, NadRach, L::Account);
    b.AddRow(QStringLiteral("Nadawca"), E::Memo, Nadawca, L::Name);
    b.AddRow(QStringLiteral("Tytułem"), E::Memo, Tytul, L::Title);
    b.AddPaymentKindChecks(true);
}

void AddZusEditors(EditorPanelBuilder& b)
{
    b.AddChoices(b.AddRow(QStringLiteral("Numer rachunku ZUS"), E::ChoiceList, ZusAccount, 0),
                 ZusAccountChoices().captions);
    b.AddRow(QStringLiteral("Numer rachunku płatnika"), E::Edit, NadRach, L::Account);
    b.AddRow(QStringLiteral("Nazwa płatnika"), E::Memo, Nadawca, L::Name);
    b.AddRow(QStringLiteral("NIP płatnika"), E::Edit, NadNIP, L::Nip);
    b.AddChoices(b.AddRow(QStringLiteral("Typ drugiego identyfikatora"), E::ChoiceList, NadTypId2, 0),
                 IdentifierTypeChoices(bkTransferZus).captions);
    b.AddRow(QStringLiteral("Drugi identyfikator"), E::Edit, NadId2, L::SecondId);
    b.AddChoices(b.AddRow(QStringLiteral("Typ wpłaty"), E::ChoiceList, NadTypWplaty, 0),
                 PaymentTypeChoices().captions);
    b.BeginPair();
    QWidget* number = b.AddRow(QStringLiteral("Numer deklaracji"), E::Edit, NadNrDeklar, L::DeclarationNumber);
    // Both halves are as wide as the wider of the two values needs.
    number->resize(b.EditorWidth() / 2 - PairHalfGapPx, number->height());
    b.WidenToShow(number, QString(qMax(L::DeclarationNumber, L::Declaration), QLatin1Char('0')));
    b.NextInPair(number, number->width());
    QWidget* period = b.AddRow(QStringLiteral("Deklaracja"), E::Edit, NadDeklaracja, L::Declaration);
    period->resize(number->width(), period->height());
    b.EndPair();
    b.AddRow(QStringLiteral("Numer decyzji"), E::Edit, NadNrDecyzji, L::DecisionNumber);
    b.AddPaymentKindChecks(false);
}

void AddTaxEditors(EditorPanelBuilder& b)
{
    b.AddRow(QStringLiteral("Nazwa organu podatkowego"), E::Memo, Odbiorca, L::Name);
    b.AddRow(QStringLiteral("Numer rachunku organu podatkowego"), E::Edit, OdbRach, L::Account);
    b.AddRow(QStringLiteral("Numer rachunku zobowiązanego"), E::Edit, NadRach, L::Account);
    b.AddRow(QStringLiteral("Nazwa i adres zobowiązanego"), E::Memo, Nadawca, L::Name);
    b.AddRow(QStringLiteral("NIP lub identyfikator uzupełniający"), E::Edit, NadId2, L::SecondId);
    b.AddChoices(b.AddRow(QStringLiteral("Typ identyfikatora"), E::ChoiceList, NadTypId2, 0),
                 IdentifierTypeChoices(bkTransferTax).captions);
    b.AddRow(QStringLiteral("Okres"), E::Edit, NadOkres, L::TaxPeriod);
    b.AddChoices(b.AddRow(QStringLiteral("Symbol formularza"), E::EditableChoiceList, NadSymbolForm, L::FormSymbol),
                 FormSymbolChoices());
    b.AddRow(QStringLiteral("Identyfikacja zobowiązania"), E::Edit, NadIdZobow, L::ObligationId);
    b.AddPaymentKindChecks(false);
}

// A caption on the left and its control at the right edge of the same row,
// wide enough to show the widest value given.
QWidget* AddRightEdgeRow(EditorPanelBuilder& b, const QString& caption, E cls, int tag, int width,
                         const QString& widest = {})
{
    const int top = b.Y();
    b.AddLabel(caption);
    b.SetY(top);
    QWidget* control = b.AddEditor(cls, tag, 0);
    control->resize(width, control->height());
    b.WidenToShow(control, widest);
    b.PlaceAtRightEdge(control);
    return control;
}

} // namespace

void TfrmBlank::CreateEditors()
{
    QWidget* panel = ui->EditorPanel;
    // Before the window is first shown its panes have no geometry yet; the
    // panel is given the width it will have then, which the editors start from.
    if (layout())
        layout()->activate();
    ui->Splitter1->refresh();
    panel->resize(ui->ScrollBox2->maximumViewportSize().width(), panel->height());
    const QList<QWidget*> old = panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (auto it = old.rbegin(); it != old.rend(); ++it)
        delete *it;
    // The designed check boxes went with the rest; the built ones take their place.
    ui->cbxWplata = nullptr;
    ui->cbxPrzelew = nullptr;

    EditorPanelBuilder b(panel, {[this](QObject* sender) { EditorChange(sender); },
                                 [this](QWidget* sender) { ColorPanelClick(sender); }});
    AddRightEdgeRow(b, QStringLiteral("Kwota"), E::Edit, T::Kwota, AmountEditWidthPx,
                    AmountToEditorText(MaxKwota, QLocale()));
    switch (F.FKind) {
    case bkDeposit: AddDepositEditors(b); break;
    case bkMoneyOrder: AddMoneyOrderEditors(b); break;
    case bkTransfer: AddTransferEditors(b); break;
    case bkTransferZus: AddZusEditors(b); break;
    case bkTransferTax: AddTaxEditors(b); break;
    default: break;
    }
    AddRightEdgeRow(b, QStringLiteral("Kolor tekstu"), E::ColorPanel, T::KolTekst, ColorPanelWidthPx);
    AddRightEdgeRow(b, QStringLiteral("Kolor formularza"), E::ColorPanel, T::KolForm, ColorPanelWidthPx);
    b.FinishLayout();
    DataToEditors();
    // A new window takes what is typed at once: in its first editor, over the value there.
    if (auto* amount = qobject_cast<QLineEdit*>(EditorOfTag(T::Kwota))) {
        amount->setFocus();
        amount->selectAll();
    }
}

void TfrmBlank::StretchEditors()
{
    FollowPanelWidth(ui->EditorPanel);
}

QWidget* TfrmBlank::EditorOfTag(int tag) const
{
    const QObjectList& children = ui->EditorPanel->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto* control = qobject_cast<QWidget*>(*it);
        if (control && EditorTag(control) == tag)
            return control;
    }
    return nullptr;
}

void TfrmBlank::ColorPanelClick(QWidget* sender)
{
    auto* panel = dynamic_cast<TColorPanel*>(sender);
    const int tag = EditorTag(sender);
    if (!panel || (tag != T::KolTekst && tag != T::KolForm))
        return;
    TColor& color = tag == T::KolTekst ? F.FKolTekst : F.FKolForm;
    ColorDialog->setCurrentColor(ToQColor(color));
    if (ColorDialog->exec() != QDialog::Accepted)
        return;
    color = FromQColor(ColorDialog->selectedColor());
    panel->SetColor(color);
    // The colours are the kind's defaults from now on; they are no edit of the document.
    SaveColors();
    FNeedRefresh = true;
}
