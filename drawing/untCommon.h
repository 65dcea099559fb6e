#pragma once

#include "drawing/Currency.h"
#include "platform/Bitmap.h"
#include "platform/Color.h"

#include <QChar>
#include <QString>

#include <memory>

// The number format the forms write amounts in figures with. Only the
// decimal separator takes effect; the other fields are kept for completeness.
struct TFormatSettings {
    quint8 CurrencyFormat = 0;
    quint8 NegCurrFormat = 0;
    QChar ThousandSeparator;
    QChar DecimalSeparator;
    quint8 CurrencyDecimals = 0;
    QChar DateSeparator;
    QChar TimeSeparator;
    QChar ListSeparator;
    QString CurrencyString;
    QString ShortDateFormat;
    QString LongDateFormat;
    QString TimeAMString;
    QString TimePMString;
    QString ShortTimeFormat;
    QString LongTimeFormat;
};

extern TFormatSettings AppFormatSettings;

// The current user's registry key of the program: window placement, recent
// files, the colours per form kind.
inline QString AppRegistryKey()
{
    return QStringLiteral("Software\\Korvex\\Wplatomat");
}

// Num/Den of the way from ColorA to ColorB, channel by channel.
TColor BlendColors(TColor ColorA, TColor ColorB, int Num, int Den);
// Num/Den of the way from Color to white.
TColor LightenColor(TColor Color, int Num, int Den);
bool IsVistaOrLater();
void GetLastErrorText(unsigned& Code, QString& Msg);
// 26: the per-user application data folder (created when missing); 40: the
// home folder; any other number leaves Path empty. Throws Exception on failure.
void GetFolder(int CSIDL, QString& Path);
// The per-user data folder, ending in "/"; looked up once per run.
QString GetUserDataDir();
// Turns the bitmap's picture by 180 degrees in place: a page-sized picture
// is never held twice.
void RotateBitmap180(TBitmap& Bitmap);

// An amount in figures with two decimals, as the forms write it.
QString FormatAmountFixed(Currency amount, const TFormatSettings& settings);
// An amount in figures in its shortest form ("12,5", "100").
QString FormatAmountGeneral(Currency amount, const TFormatSettings& settings);

// Unit start-up in its fixed order: version record, data folder, amount
// format. Throws Exception when the data folder cannot be had.
void InitializeCommonUnit();
void FinalizeCommonUnit();
