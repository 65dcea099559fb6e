#include "document/BlankEditorsAmount.h"
#include "document/BlankEditorsControls.h"
#include "document/BlankEditorsTags.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "document/EditorChoices.h"
#include "ui_TFRMBLANK.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace {

using namespace EditorTags;
namespace T = EditorTags;

// Blanks and control characters around a value are never meant.
QString TrimControls(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start).unicode() <= ' ')
        ++start;
    while (end > start && text.at(end - 1).unicode() <= ' ')
        --end;
    return text.mid(start, end - start);
}

QString TextOf(const QWidget* control)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return EditText(edit);
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control))
        return MemoText(memo);
    if (const auto* list = qobject_cast<const QComboBox*>(control))
        return list->isEditable() ? EditText(list->lineEdit()) : list->currentText();
    return {};
}

QString* StringFieldOfTag(TBlankData& F, int tag)
{
    switch (tag) {
    case OdbRach: return &F.FOdbRach;
    case OdbKod: return &F.FOdbKod;
    case OdbAdres: return &F.FOdbAdres;
    case OdbPoczta: return &F.FOdbPoczta;
    case NadRach: return &F.FNadRach;
    case NadKod: return &F.FNadKod;
    case NadAdres: return &F.FNadAdres;
    case NadPoczta: return &F.FNadPoczta;
    case NadNIP: return &F.FNadNIP;
    case NadId2: return &F.FNadId2;
    case NadDeklaracja: return &F.FNadDeklaracja;
    case NadNrDecyzji: return &F.FNadNrDecyzji;
    case NadOkres: return &F.FNadOkres;
    case NadSymbolForm: return &F.FNadSymbolForm;
    case NadIdZobow: return &F.FNadIdZobow;
    default: return nullptr;
    }
}

QStringList* ListFieldOfTag(TBlankData& F, int tag)
{
    switch (tag) {
    case Odbiorca: return &F.FOdbiorca;
    case Nadawca: return &F.FNadawca;
    case Bank: return &F.FBank;
    case Tytul: return &F.FTytul;
    default: return nullptr;
    }
}

Currency AmountOfText(const QString& text)
{
    // Either mark separates the decimals, whatever the locale's own one is.
    const QLocale locale;
    QString normal = TrimControls(text);
    normal.replace(QLatin1Char(','), locale.decimalPoint());
    normal.replace(QLatin1Char('.'), locale.decimalPoint());
    Currency amount = 0;
    return EditorTextToAmount(normal, locale, amount) ? amount : 0;
}

} // namespace

void TfrmBlank::EditorChange(QObject* sender)
{
    auto* control = qobject_cast<QWidget*>(sender);
    if (!control)
        return;
    const int tag = EditorTag(control);
    const auto* list = qobject_cast<const QComboBox*>(control);
    const int index = list ? list->currentIndex() : -1;
    const auto* box = qobject_cast<const QCheckBox*>(control);
    const bool checked = box && box->isChecked();
    QString code;

    if (tag == T::Kwota) {
        SetKwota(AmountOfText(TextOf(control)));
    } else if (QStringList* lines = ListFieldOfTag(F, tag)) {
        *lines = SplitLines(TextOf(control));
    } else if (QString* field = StringFieldOfTag(F, tag)) {
        *field = TextOf(control);
    } else if (tag == T::ZusAccount) {
        if (ZusAccountChoices().CodeAt(index, code))
            F.FOdbRach = code;
    } else if (tag == T::NadTypId2) {
        if (IdentifierTypeChoices(F.FKind).CodeAt(index, code))
            F.FNadTypId2 = code.at(0);
    } else if (tag == T::NadTypWplaty) {
        if (PaymentTypeChoices().CodeAt(index, code))
            F.FNadTypWplaty = code.at(0);
    } else if (tag == T::NadNrDeklar) {
        bool ok = false;
        const int number = TextOf(control).toInt(&ok);
        // The field holds one byte; what does not fit wraps round.
        F.FNadNrDeklar = ok ? quint8(number) : 0;
    } else if (tag == T::Przelew || tag == T::Wplata) {
        const int other = tag == T::Przelew ? T::Wplata : T::Przelew;
        if (checked) {
            if (GetEditorValue(other).toBool())
                SetEditorValue(other, false);
            F.FPrzelewWplata = tag == T::Przelew ? pwPrzelew : pwWplata;
        } else {
            F.FPrzelewWplata = pwNone;
        }
    } else if (tag == T::MalePokwit) {
        F.FMalePokwit = checked;
        // The small receipt is no longer part of the form to look at.
        if (!checked && ViewSide() == bsBottom)
            SetViewSide(bsTop);
    } else {
        return;
    }
    FNeedRefresh = true;
    SetModified(true);
}

void TfrmBlank::SetEditorValue(int tag, const QVariant& value)
{
    const QObjectList children = ui->EditorPanel->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto* control = qobject_cast<QWidget*>(*it);
        if (!control || EditorTag(control) != tag)
            continue;
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            SetEditText(edit, TrimControls(value.toString()));
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            const QString text = TrimControls(value.toString());
            // The same text again is no change.
            if (text != MemoText(memo))
                SetMemoText(memo, text);
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            box->setChecked(value.toBool());
        } else if (auto* panel = dynamic_cast<TColorPanel*>(control)) {
            panel->SetColor(TColor(value.toUInt()));
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            {
                // The list's own change signal would come only when the choice
                // moves; the handler runs once below either way.
                const QSignalBlocker blocker(list);
                if (value.typeId() != QMetaType::QString)
                    list->setCurrentIndex(value.toInt());
                else if (list->isEditable())
                    SetEditText(list->lineEdit(), value.toString());
                else
                    list->setCurrentIndex(list->findText(value.toString(), Qt::MatchExactly));
            }
            EditorChange(list);
        }
    }
}

QVariant TfrmBlank::GetEditorValue(int tag) const
{
    const QWidget* control = EditorOfTag(tag);
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return EditText(edit);
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control))
        return MemoText(memo);
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return box->isChecked();
    if (const auto* panel = dynamic_cast<const TColorPanel*>(control))
        return QVariant::fromValue(panel->Color());
    return {};
}

void TfrmBlank::DataToEditors()
{
    // Each editor writes its value back into its field as it is set, so a
    // later step reads what an earlier one left.
    SetEditorValue(T::Kwota, AmountToEditorText(F.FKwota, QLocale()));
    SetEditorValue(T::Odbiorca, JoinLines(F.FOdbiorca));
    SetEditorValue(T::OdbRach, F.FOdbRach);
    SetEditorValue(T::ZusAccount, ZusAccountIndex(F.FOdbRach));
    SetEditorValue(T::OdbKod, F.FOdbKod);
    SetEditorValue(T::OdbAdres, F.FOdbAdres);
    SetEditorValue(T::OdbPoczta, F.FOdbPoczta);
    SetEditorValue(T::Nadawca, JoinLines(F.FNadawca));
    SetEditorValue(T::NadRach, F.FNadRach);
    SetEditorValue(T::NadKod, F.FNadKod);
    SetEditorValue(T::NadAdres, F.FNadAdres);
    SetEditorValue(T::NadPoczta, F.FNadPoczta);
    SetEditorValue(T::NadNIP, F.FNadNIP);
    SetEditorValue(T::NadId2, F.FNadId2);
    SetEditorValue(T::NadTypId2, IdentifierTypeIndex(F.FNadTypId2));
    SetEditorValue(T::NadNrDeklar, QString::number(F.FNadNrDeklar));
    SetEditorValue(T::NadTypWplaty, PaymentTypeIndex(F.FNadTypWplaty));
    SetEditorValue(T::NadDeklaracja, F.FNadDeklaracja);
    SetEditorValue(T::NadNrDecyzji, F.FNadNrDecyzji);
    SetEditorValue(T::NadOkres, F.FNadOkres);
    SetEditorValue(T::NadSymbolForm, F.FNadSymbolForm);
    SetEditorValue(T::NadIdZobow, F.FNadIdZobow);
    SetEditorValue(T::Bank, JoinLines(F.FBank));
    SetEditorValue(T::Tytul, JoinLines(F.FTytul));
    SetEditorValue(T::Przelew, F.FPrzelewWplata == pwPrzelew);
    SetEditorValue(T::Wplata, F.FPrzelewWplata == pwWplata);
    SetEditorValue(T::MalePokwit, F.FMalePokwit);
    SetEditorValue(T::KolTekst, QVariant::fromValue(F.FKolTekst));
    SetEditorValue(T::KolForm, QVariant::fromValue(F.FKolForm));
}
