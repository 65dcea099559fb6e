#pragma once

#include "drawing/BlankTypes.h"
#include "drawing/Currency.h"
#include "platform/Color.h"

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>

// The data of one payment form document: what the file stores and the
// layouts draw. The document window holds one and exposes it as properties.
struct TBlankData {
    TColor FKolTekst = clBlack;
    TColor FKolForm = 0;
    quint16 FKind = 0;
    Currency FKwota = 0;
    QStringList FOdbiorca;
    QString FOdbRach;
    QString FOdbKod;
    QString FOdbAdres;
    QString FOdbPoczta;
    QStringList FBank;
    QStringList FNadawca;
    QString FNadRach;
    QString FNadKod;
    QString FNadAdres;
    QString FNadPoczta;
    QString FNadNIP;
    QString FNadId2;
    QChar FNadTypId2;
    quint8 FNadNrDeklar = 0;
    QChar FNadTypWplaty;
    QString FNadDeklaracja;
    QString FNadNrDecyzji;
    QString FNadOkres;
    QString FNadSymbolForm;
    QString FNadIdZobow;
    QStringList FTytul;
    TPrzelewWplata FPrzelewWplata = pwNone;
    bool FMalePokwit = false;
};

// The amount cap of the editor and of DDE: 999 999 999.99.
constexpr Currency MaxKwota = 9999999999900LL;
constexpr Currency KwotaCapThreshold = 10000000000000LL; // 1 000 000 000.00

// The default form colour of a kind.
TColor DefaultKolForm(quint16 kind);

// Fills the defaults of a new document of data.FKind, dated today (the
// declaration and tax periods are the month before today).
void SetDocumentDefaults(TBlankData& data, const QDate& today);
// "mmyyyy" and 'yy"M"mm' of the month before today, the day clamped.
QString DefaultDeklaracja(const QDate& today);
QString DefaultOkres(const QDate& today);
