#include "drawing/BlankData.h"

TColor DefaultKolForm(quint16 kind)
{
    switch (kind) {
    case bkTransferZus: return 0x0000AA9D;
    case bkTransferTax: return 0x00007AD5;
    case bkDeposit: return 0x0006C61F;
    default: return 0x000058EA;
    }
}

QString DefaultDeklaracja(const QDate& today)
{
    // The declaration is due for the month before; addMonths clamps the day.
    return today.addMonths(-1).toString(QStringLiteral("MMyyyy"));
}

QString DefaultOkres(const QDate& today)
{
    return today.addMonths(-1).toString(QStringLiteral("yy'M'MM"));
}

void SetDocumentDefaults(TBlankData& data, const QDate& today)
{
    data.FKolTekst = clBlack;
    data.FKolForm = DefaultKolForm(data.FKind);
    data.FNadNrDeklar = 1;
    data.FNadTypWplaty = QLatin1Char('S');
    data.FNadDeklaracja = DefaultDeklaracja(today);
    data.FNadTypId2 = data.FKind == bkTransferTax ? QLatin1Char('N') : QChar(0);
    data.FNadOkres = DefaultOkres(today);
}
