#pragma once

#include <QString>
#include <QVector>

#include <optional>

// A word of a PDF file as "pdftotext -bbox" sees it, in points from the page's top-left corner; its box runs from
// baseline - ascent x size to baseline - descent x size, as the font's descriptor declares them.
struct PdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int page = 0; // from 1
};
struct PdfWords {
    QVector<PdfWord> words;
    QString error; // empty when the words were read
};
// Reading merges close words of a line; Drawing keeps each drawn piece of text its own word.
enum class PdfWordOrder { Reading, Drawing };
PdfWords ReadPdfWords(const QString& pdfPath, PdfWordOrder order = PdfWordOrder::Reading);

// Ascent and descent per 1000 units in the descriptor of the font (named without its subset tag); a word's size
// and baseline from them.
struct PdfFontMetrics {
    double ascent = 0, descent = 0;
    double Size(const PdfWord& w) const { return (w.yMax - w.yMin) * 1000 / (ascent - descent); }
    double Baseline(const PdfWord& w) const { return w.yMin + ascent / 1000 * Size(w); }
};
std::optional<PdfFontMetrics> ReadPdfFont(const QString& pdfPath, const QString& fontName);

constexpr double MmPerPoint = 25.4 / 72.0;
inline double PointsToMm(double points) { return points * MmPerPoint; }

// Runs of consecutive words of one page that spell the phrase: the first's index, the box around them.
struct PdfWordRun {
    int first = -1;
    PdfWord box;
};
QVector<PdfWordRun> FindPhrase(const QVector<PdfWord>& words, const QString& phrase);
// All words joined by blanks, for presence checks and messages.
QString AllText(const QVector<PdfWord>& words);
