#include "drawing/FormAmount.h"

#include "drawing/untBlankObj.h"

#include <limits>

namespace {

constexpr Currency UnitsPerGrosz = CurrencyScale / 100;

} // namespace

TFormAmount FormAmount(Currency Kwota)
{
    TFormAmount amount;
    // Half a grosz rounds up, as the transfer coupon's figures do; anything
    // that could overflow the addition is far out of range anyway.
    if (Kwota <= 0 || Kwota > std::numeric_limits<Currency>::max() - UnitsPerGrosz)
        return amount;
    const qint64 grosze = (Kwota + UnitsPerGrosz / 2) / UnitsPerGrosz;
    if (grosze <= 0 || grosze > MaxFormGrosze)
        return amount;
    amount.Shown = true;
    amount.Zlote = QString::number(grosze / 100);
    amount.Grosze = QStringLiteral("%1").arg(grosze % 100, 2, 10, QLatin1Char('0'));
    amount.Words = TBlankObj::InWords(grosze * UnitsPerGrosz, true);
    return amount;
}
