#pragma once

#include "drawing/Currency.h"

#include <QLocale>
#include <QString>

// The amount as the editor shows it: the locale's decimal separator, no
// grouping, no trailing zero decimals ("123,45", "100" in Polish).
QString AmountToEditorText(Currency amount, const QLocale& locale);

// Reads an amount written with the locale's decimal separator, an optional
// sign and an optional decimal exponent, exactly to the ten-thousandth; the
// digits beyond it are rounded half to even. False when the text is not a
// number or the amount does not fit the currency range.
bool EditorTextToAmount(const QString& text, const QLocale& locale, Currency& amount);
