#pragma once

#include "drawing/Currency.h"

#include <QString>

// An amount as the money order and the deposit form write it: rounded once to
// whole grosze, so that złote, grosze and words always tell the same sum.
struct TFormAmount {
    bool Shown = false; // false: figures and words stay blank
    QString Zlote;      // plain digits, no separators
    QString Grosze;     // always two digits
    QString Words;      // the whole złote in words; empty below 1 zł
};

// The largest amount these forms print: 999 999 999,99 zł, in grosze.
constexpr qint64 MaxFormGrosze = 99'999'999'999LL;

// Blank unless the amount rounds to more than 0 and at most MaxFormGrosze, so
// the words never need "minus" nor "miliard".
TFormAmount FormAmount(Currency Kwota);
