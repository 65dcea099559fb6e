#include "drawing/untBlankObj.h"

#include <QStringView>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace {

using Words = std::array<QStringView, 10>;

// Every word but the abbreviations carries its own leading blank, so that
// words can be strung together without checking what came before.
constexpr Words Units = {
    u"", u" jeden", u" dwa", u" trzy", u" cztery",
    u" pięć", u" sześć", u" siedem", u" osiem", u" dziewięć"};
constexpr Words Teens = {
    u" dziesięć", u" jedenaście", u" dwanaście", u" trzynaście", u" czternaście",
    u" piętnaście", u" szesnaście", u" siedemnaście", u" osiemnaście", u" dziewiętnaście"};
constexpr Words Tens = {
    u"", u"", u" dwadzieścia", u" trzydzieści", u" czterdzieści",
    u" pięćdziesiąt", u" sześćdziesiąt", u" siedemdziesiąt", u" osiemdziesiąt",
    u" dziewięćdziesiąt"};
constexpr Words Hundreds = {
    u"", u" sto", u" dwieście", u" trzysta", u" czterysta",
    u" pięćset", u" sześćset", u" siedemset", u" osiemset", u" dziewięćset"};
constexpr Words Abbreviations = {
    u"zer", u"jed", u"dwa", u"trz", u"czt", u"pię", u"sze", u"sie", u"osi", u"dzi"};

// Polish wants one form after "one", another after numbers ending in 2-4
// (but not 12-14), and the genitive plural after everything else.
struct GroupWord {
    QStringView one;
    QStringView few;
    QStringView many;
};

// Indexed by the power of a thousand; the units group takes no word.
constexpr std::array<GroupWord, 5> GroupWords = {{
    {u"", u"", u""},
    {u" tysiąc", u" tysiące", u" tysięcy"},
    {u" milion", u" miliony", u" milionów"},
    {u" miliard", u" miliardy", u" miliardów"},
    {u" bilion", u" biliony", u" bilionów"},
}};

constexpr std::uint64_t WordsLimit()
{
    std::uint64_t limit = 1;
    for (std::size_t i = 0; i < GroupWords.size(); ++i)
        limit *= 1000;
    return limit;
}

// The largest whole-złote count a Currency can carry, 2^63 / 10000, has 15
// digits; the group table above has to reach that far.
static_assert((std::uint64_t{1} << 63) / CurrencyScale < WordsLimit(),
              "a Currency's whole złote must fit the group words");

constexpr QStringView Zero = u"zero";
constexpr QStringView Minus = u"minus ";
constexpr QStringView Zloty = u" zł ";
constexpr QStringView Grosz = u" gr";
constexpr QStringView SimpleMinus = u"min*";
constexpr QStringView SimpleZloty = u"zł*";
constexpr QStringView SimpleGrosz = u"gr";
constexpr QStringView SimpleSeparator = u"*";

constexpr int GroupsWithWords = static_cast<int>(GroupWords.size());
constexpr int MaxInt64Digits = 19;
constexpr int MaxGroszeDigits = 3;  // rounding can reach 100

constexpr qsizetype Longest(const Words& words)
{
    qsizetype longest = 0;
    for (QStringView word : words)
        longest = std::max(longest, word.size());
    return longest;
}

constexpr qsizetype LongestGroupWord()
{
    qsizetype longest = 0;
    for (const GroupWord& word : GroupWords)
        longest = std::max({longest, word.one.size(), word.few.size(), word.many.size()});
    return longest;
}

constexpr qsizetype LongestGroup = Longest(Hundreds)
    + std::max(Longest(Tens) + Longest(Units), Longest(Teens)) + LongestGroupWord();
constexpr qsizetype LongestSimpleDigit = Longest(Abbreviations) + SimpleSeparator.size();

// Room for the longest amount a Currency can hold, taken from the tables so
// that a longer word can never write past the end.
constexpr qsizetype LongestText = std::max(
    Minus.size() + GroupsWithWords * LongestGroup + Zloty.size() + LongestGroup + Grosz.size(),
    SimpleMinus.size() + (MaxInt64Digits + MaxGroszeDigits) * LongestSimpleDigit
        + SimpleZloty.size() + SimpleGrosz.size());

// The words are gathered on the stack and copied into a string once, so an
// amount costs a single allocation.
class TextBuffer {
public:
    qsizetype size() const { return FLength; }

    TextBuffer& operator+=(QStringView word)
    {
        std::copy_n(word.utf16(), word.size(), FChars.begin() + FLength);
        FLength += word.size();
        return *this;
    }

    QString toString() const { return QStringView(FChars.data(), FLength).toString(); }

private:
    std::array<char16_t, LongestText> FChars;
    qsizetype FLength = 0;
};

// INT64_MIN has no signed absolute value, so the magnitude is taken unsigned.
std::uint64_t Magnitude(Currency value)
{
    const auto bits = static_cast<std::uint64_t>(value);
    return value < 0 ? std::uint64_t{0} - bits : bits;
}

// Grosze of the fraction, an exact half going to the even neighbour; 0.9999
// gives 100 grosze, the złote stay as they are.
int RoundedGrosze(std::uint64_t magnitude)
{
    const auto tenThousandths = static_cast<int>(magnitude % CurrencyScale);
    int grosze = tenThousandths / 100;
    const int rest = tenThousandths % 100;
    if (rest > 50 || (rest == 50 && grosze % 2 != 0))
        ++grosze;
    return grosze;
}

// The first word written after `start` loses its blank.
void AppendWord(TextBuffer& out, qsizetype start, QStringView word)
{
    if (word.isEmpty())
        return;
    out += out.size() == start ? word.mid(1) : word;
}

QStringView GroupWordFor(const GroupWord& word, int hundreds, int lastTwo)
{
    if (lastTwo == 1 && hundreds == 0)
        return word.one;
    const int last = lastTwo % 10;
    const bool endsInFew = last >= 2 && last <= 4;
    if ((lastTwo >= 2 && lastTwo <= 4) || (lastTwo >= 22 && endsInFew))
        return word.few;
    return word.many;
}

void AppendWholeWords(TextBuffer& out, std::uint64_t whole)
{
    const qsizetype start = out.size();
    if (whole == 0) {
        out += Zero;
        return;
    }
    std::array<int, GroupsWithWords> groups{};
    for (int& group : groups) {
        group = static_cast<int>(whole % 1000);
        whole /= 1000;
    }
    for (int power = GroupsWithWords - 1; power >= 0; --power) {
        const int group = groups[power];
        if (group == 0)
            continue;
        const int hundreds = group / 100;
        const int tens = group / 10 % 10;
        const int units = group % 10;
        AppendWord(out, start, Hundreds[hundreds]);
        if (tens == 1) {
            AppendWord(out, start, Teens[units]);
        } else {
            AppendWord(out, start, Tens[tens]);
            AppendWord(out, start, Units[units]);
        }
        AppendWord(out, start, GroupWordFor(GroupWords[power], hundreds, group % 100));
    }
}

// Works on a QString too, for callers that ask for any number of leading zeroes.
template <typename Text>
void AppendSimpleDigits(Text& out, qint64 value, int leadingZeroes)
{
    std::array<int, MaxInt64Digits> digits{};
    int count = 0;
    for (; value > 0; value /= 10)
        digits[count++] = static_cast<int>(value % 10);
    for (int padding = count; padding < leadingZeroes; ++padding) {
        out += Abbreviations[0];
        out += SimpleSeparator;
    }
    while (count > 0) {
        out += Abbreviations[digits[--count]];
        out += SimpleSeparator;
    }
}

} // namespace

QString TBlankObj::InWords(Currency Value, bool EmptyIfZero)
{
    const std::uint64_t whole = Magnitude(Value) / CurrencyScale;
    // A fraction of a złoty, even a negative one, has no whole złote to name.
    if (whole == 0)
        return EmptyIfZero ? QString() : Zero.toString();
    TextBuffer out;
    if (Value < 0)
        out += Minus;
    AppendWholeWords(out, whole);
    return out.toString();
}

QString TBlankObj::InWordsFull(Currency Value, bool EmptyIfZero)
{
    if (Value == 0 && EmptyIfZero)
        return QString();
    const std::uint64_t magnitude = Magnitude(Value);
    TextBuffer out;
    if (Value < 0)
        out += Minus;
    AppendWholeWords(out, magnitude / CurrencyScale);
    out += Zloty;
    AppendWholeWords(out, static_cast<std::uint64_t>(RoundedGrosze(magnitude)));
    out += Grosz;
    return out.toString();
}

QString TBlankObj::InWordsSimple(qint64 Value, int LeadingZeroes)
{
    QString out;
    AppendSimpleDigits(out, Value, LeadingZeroes);
    return out;
}

QString TBlankObj::InWordsSimpleFull(Currency Value)
{
    const std::uint64_t magnitude = Magnitude(Value);
    TextBuffer out;
    if (Value < 0)
        out += SimpleMinus;
    AppendSimpleDigits(out, static_cast<qint64>(magnitude / CurrencyScale), 0);
    out += SimpleZloty;
    AppendSimpleDigits(out, RoundedGrosze(magnitude), 2);
    out += SimpleGrosz;
    return out.toString();
}
