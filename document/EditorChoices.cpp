#include "document/EditorChoices.h"

#include "drawing/BlankTypes.h"

#include <initializer_list>

namespace {

struct Choice {
    const char* caption;
    const char* code;
};

EditorChoiceList ListOf(std::initializer_list<Choice> choices)
{
    EditorChoiceList list;
    for (const Choice& c : choices) {
        list.captions << QString::fromUtf8(c.caption);
        list.codes << QString::fromUtf8(c.code);
    }
    return list;
}

// The digit that picks one of the four ZUS accounts sits at the 21st place.
constexpr int ZusAccountDigitPos = 20;

} // namespace

bool EditorChoiceList::CodeAt(int index, QString& code) const
{
    if (index < 0 || index >= codes.size())
        return false;
    code = codes.at(index);
    return true;
}

EditorChoiceList ZusAccountChoices()
{
    // Blanks stand in for the check digits and the account's digit.
    return ListOf({
        {"<Nie wybrano>", "  101010230000261395 00000"},
        {"1 - Ubezpieczenie społeczne", "83101010230000261395100000"},
        {"2 - Ubezpieczenie zdrowotne", "78101010230000261395200000"},
        {"3 - FP i FGŚP", "73101010230000261395300000"},
        {"4 - FEP", "68101010230000261395400000"},
    });
}

EditorChoiceList IdentifierTypeChoices(quint16 kind)
{
    if (kind == bkTransferTax)
        return ListOf({
            {"N - NIP", "N"},
            {"R - REGON", "R"},
            {"P - PESEL", "P"},
            {"1 - Dowód osobisty", "1"},
            {"2 - Paszport", "2"},
            {"3 - Inny dokument", "3"},
        });
    return ListOf({
        {"<Nie wybrano>", " "},
        {"R - REGON", "R"},
        {"P - PESEL", "P"},
        {"1 - Dowód osobisty", "1"},
        {"2 - Paszport", "2"},
    });
}

EditorChoiceList PaymentTypeChoices()
{
    return ListOf({
        {"<Nie wybrano>", " "},
        {"S - Składka za 1 miesiąc", "S"},
        {"M - Składka dłuższa niż miesiąc", "M"},
        {"U - Układ ratalny", "U"},
        {"T - Odroczenie terminu", "T"},
        {"D - Dodatkowa opłata", "D"},
        {"E - Koszty egzekucyjne", "E"},
        {"A - Dodatkowa opłata za błędy płatnika", "A"},
    });
}

QStringList FormSymbolChoices()
{
    return {QStringLiteral("VAT-7")};
}

int ZusAccountIndex(const QString& odbRach)
{
    if (odbRach.size() <= ZusAccountDigitPos)
        return 0;
    const QChar digit = odbRach.at(ZusAccountDigitPos);
    return digit >= QLatin1Char('1') && digit <= QLatin1Char('4') ? digit.unicode() - '0' : 0;
}

int IdentifierTypeIndex(QChar code)
{
    // One index table serves both kinds: their lists agree from index 1 on.
    static constexpr char Codes[] = " RP123";
    for (int i = 1; Codes[i] != '\0'; ++i)
        if (code == QLatin1Char(Codes[i]))
            return i;
    return 0;
}

int PaymentTypeIndex(QChar code)
{
    static constexpr char Codes[] = " SMUTDEA";
    for (int i = 1; Codes[i] != '\0'; ++i)
        if (code == QLatin1Char(Codes[i]))
            return i;
    return 0;
}
