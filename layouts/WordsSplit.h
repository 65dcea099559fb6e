#pragma once

#include "platform/Canvas.h"

#include <QString>

#include <initializer_list>

class TBlankObj;

// An amount in words laid out on at most two lines, as the money order and
// the deposit form write it.
struct TWordsLines {
    int Points = 0;
    QString First;
    QString Second;
    bool Split = false;
    bool Fits = false; // both lines within their spans
};

// The words on one line when they fit FirstMm, else split at the last blank
// (of the first 20) before which the first line fits FirstMm, the first
// blank when none does. Tried at each size of Points in turn, in Style, until
// both lines fit their spans; the last size is taken whatever the result.
// Measured with the fonts of the canvas Obj draws on, so that the words stay
// whole there at whatever resolution; Obj's font is left at the size taken.
TWordsLines FitWords(TBlankObj& Obj, const QString& Words, std::initializer_list<int> Points, TFontStyles Style,
                     double FirstMm, double SecondMm);
