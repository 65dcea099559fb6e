#pragma once

// The document every preview and print benchmark draws: each field of every kind filled, the amount at its
// longest words, so that a benchmark measures the whole picture a user can fill in.

#include "document/BlankFile.h"
#include "drawing/BlankData.h"
#include "drawing/untCommon.h"

#include <QFile>

inline TBlankData FilledDocument(quint16 kind)
{
    TBlankData d;
    d.FKind = kind;
    d.FPrzelewWplata = pwPrzelew;
    d.FKwota = IsTransferKind(kind) ? 1'234'567'891'200 : 9'9999'9999'9900;
    d.FKolForm = DefaultKolForm(kind);
    d.FKolTekst = clBlack;
    d.FNadawca = {QStringLiteral("Zażółć Gęślą Jaźń sp. z o.o."),
                  QStringLiteral("ul. Długa 15/3, 80-831 Gdańsk")};
    d.FNadAdres = QStringLiteral("ul. Długa 15/3");
    d.FNadPoczta = QStringLiteral("Gdańsk");
    d.FNadKod = QStringLiteral("80-831");
    d.FBank = {QStringLiteral("Bank Spółdzielczy w Łańcucie")};
    d.FOdbRach = QStringLiteral("12 1020 2892 0000 5402 0123 4567");
    d.FNadRach = QStringLiteral("34 1140 2004 0000 3102 7654 3210");
    d.FOdbiorca = {QStringLiteral("Spółdzielnia Mieszkaniowa „Zacisze”"),
                   QStringLiteral("ul. Wróblewskiego 27")};
    d.FOdbAdres = QStringLiteral("ul. Wróblewskiego 27");
    d.FOdbPoczta = QStringLiteral("Łódź");
    d.FOdbKod = QStringLiteral("94-103");
    d.FNadNIP = QStringLiteral("5250001234");
    d.FNadTypId2 = kind == bkTransferTax ? QLatin1Char('N') : QLatin1Char('P');
    d.FNadId2 = kind == bkTransferTax ? QStringLiteral("5250001234") : QStringLiteral("85010112345");
    d.FNadTypWplaty = QLatin1Char('S');
    d.FNadNrDeklar = 1;
    d.FNadDeklaracja = QStringLiteral("102026");
    d.FNadNrDecyzji = QStringLiteral("ZUS/2026/001234");
    d.FNadOkres = QStringLiteral("26M10");
    d.FNadSymbolForm = QStringLiteral("VAT-7");
    d.FNadIdZobow = QStringLiteral("decyzja nr 12/2026 z dnia 3");
    for (int n = 1; n <= 10; ++n)
        d.FTytul << QStringLiteral("Rata %1 za czesne, semestr zimowy").arg(n);
    return d;
}

// Writes the document of the kind to a file, as the program saves one, so that a benchmark opens it from there.
inline bool WriteFilledDocument(const QString& path, quint16 kind)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(WriteBlankFile(FilledDocument(kind))) >= 0;
}
