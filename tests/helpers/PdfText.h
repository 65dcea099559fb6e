#pragma once

#include <QString>
#include <QVector>

#include <optional>

// A word of a PDF file as "pdftotext -bbox" sees it, in points from the page's
// top-left corner. Across the baseline the box runs from baseline - ascent x
// size to baseline - descent x size, as the font's descriptor declares them.
struct PdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int page = 0; // from 1
};

struct PdfWords {
    QVector<PdfWord> words;
    QString error; // empty when the words were read
};

// Reading merges words of a line that stand close; Drawing keeps every drawn
// piece of text its own word, as characters written one per cell are.
enum class PdfWordOrder { Reading, Drawing };
PdfWords ReadPdfWords(const QString& pdfPath, PdfWordOrder order = PdfWordOrder::Reading);

// Ascent and descent per 1000 units of the size, as the file's descriptor of
// the font (named without its subset tag) declares them.
struct PdfFontMetrics {
    double ascent = 0;
    double descent = 0;
};
std::optional<PdfFontMetrics> ReadPdfFont(const QString& pdfPath, const QString& fontName);
double FontSize(const PdfWord& word, const PdfFontMetrics& font);
double Baseline(const PdfWord& word, const PdfFontMetrics& font);

constexpr double MmPerPoint = 25.4 / 72.0;
inline double PointsToMm(double points) { return points * MmPerPoint; }

// A run of consecutive words of one page that spell a phrase, and its box.
struct PdfWordRun {
    int first = -1;
    PdfWord box;
};
QVector<PdfWordRun> FindPhrase(const QVector<PdfWord>& words, const QString& phrase);
// All words joined by blanks, for presence checks and messages.
QString AllText(const QVector<PdfWord>& words);
