#include "document/BlankEditorsAmount.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int CurrencyDecimals = 4;
// Beyond this the digits could not change the result: every amount in range
// has fewer digits.
constexpr int ExponentCap = 100;

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Skips one of the given texts at pos when it is there.
bool Skip(const QString& text, int& pos, const QString& what)
{
    if (what.isEmpty() || !QStringView(text).mid(pos).startsWith(what))
        return false;
    pos += int(what.size());
    return true;
}

bool ReadSign(const QString& text, int& pos, const QLocale& locale, bool& negative)
{
    negative = false;
    if (Skip(text, pos, QStringLiteral("-")) || Skip(text, pos, locale.negativeSign())) {
        negative = true;
        return true;
    }
    return Skip(text, pos, QStringLiteral("+")) || Skip(text, pos, locale.positiveSign());
}

QString ReadDigits(const QString& text, int& pos)
{
    const int start = pos;
    while (pos < text.size() && IsDigit(text.at(pos)))
        ++pos;
    return text.mid(start, pos - start);
}

// digits times ten to the power scale, rounded half to even; false on overflow.
bool ScaleDigits(const QString& digits, int scale, std::uint64_t limit, std::uint64_t& result)
{
    const int kept = int(digits.size()) + std::min(scale, 0);
    std::uint64_t value = 0;
    const auto push = [&](int digit) {
        if (value > (limit - std::uint64_t(digit)) / 10)
            return false;
        value = value * 10 + std::uint64_t(digit);
        return true;
    };
    for (int i = 0; i < kept; ++i)
        if (!push(digits.at(i).unicode() - '0'))
            return false;
    for (int i = 0; i < scale; ++i)
        if (!push(0))
            return false;
    if (kept < int(digits.size())) {
        // The first dropped digit decides; a tie goes to the even neighbour.
        const int first = kept >= 0 ? digits.at(kept).unicode() - '0' : 0;
        bool restNonZero = false;
        for (int i = std::max(kept + 1, 0); i < digits.size(); ++i)
            restNonZero = restNonZero || digits.at(i) != QLatin1Char('0');
        if (first > 5 || (first == 5 && (restNonZero || value % 2 == 1))) {
            if (value == limit)
                return false;
            ++value;
        }
    }
    result = value;
    return true;
}

} // namespace

QString AmountToEditorText(Currency amount, const QLocale& locale)
{
    const bool negative = amount < 0;
    // The magnitude of the most negative amount does not fit a signed number.
    const std::uint64_t magnitude = negative ? std::uint64_t(0) - std::uint64_t(amount) : std::uint64_t(amount);
    QString text = QString::number(magnitude / CurrencyScale);
    QString fraction = QStringLiteral("%1").arg(magnitude % CurrencyScale, CurrencyDecimals, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return negative ? QLatin1Char('-') + text : text;
}

bool EditorTextToAmount(const QString& text, const QLocale& locale, Currency& amount)
{
    int pos = 0;
    bool negative = false;
    ReadSign(text, pos, locale, negative);
    const QString whole = ReadDigits(text, pos);
    QString fraction;
    if (Skip(text, pos, locale.decimalPoint()))
        fraction = ReadDigits(text, pos);
    if (whole.isEmpty() && fraction.isEmpty())
        return false;
    int exponent = 0;
    if (Skip(text, pos, QStringLiteral("E")) || Skip(text, pos, QStringLiteral("e"))) {
        bool negativeExponent = false;
        ReadSign(text, pos, locale, negativeExponent);
        const QString digits = ReadDigits(text, pos);
        if (digits.isEmpty())
            return false;
        for (const QChar d : digits)
            exponent = std::min(exponent * 10 + (d.unicode() - '0'), ExponentCap);
        if (negativeExponent)
            exponent = -exponent;
    }
    if (pos != text.size())
        return false;

    const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<Currency>::max()) + 1
                                         : std::uint64_t(std::numeric_limits<Currency>::max());
    std::uint64_t magnitude = 0;
    if (!ScaleDigits(whole + fraction, exponent + CurrencyDecimals - int(fraction.size()), limit, magnitude))
        return false;
    amount = negative ? Currency(std::uint64_t(0) - magnitude) : Currency(magnitude);
    return true;
}
