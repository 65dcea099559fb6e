#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The words of a PDF file as poppler's text extraction sees them, with their
// boxes. Along the baseline a box runs from the first glyph's origin to the
// end of the last glyph's advance; across it, from baseline - ascent x size
// to baseline - descent x size, where ascent and descent are the ones the
// file's font descriptor declares (not the ink, not the face's own tables).
// So the baseline and the font size follow from a box and its font's
// descriptor: see Baseline() and FontSize().
struct PdfWord {
    QString text;
    double xMin = 0; // points from the page's top-left corner
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
    int page = 0; // from 1
};

struct PdfWords {
    QVector<PdfWord> words;
    QString error; // empty when the words were read
};

// Reading: poppler's own reading order, in which words of one line that
// stand closer than the line's usual gap are merged (characters written one
// per cell come out as groups). Drawing: the order in which the file draws
// them, each separately drawn piece of text its own word or words.
enum class PdfWordOrder { Reading, Drawing };

// Runs "pdftotext -bbox" on the file; error names what went wrong (the
// program missing, a failed run, output that is not the expected XHTML).
PdfWords ReadPdfWords(const QString& pdfPath, PdfWordOrder order = PdfWordOrder::Reading);

// A font descriptor embedded in the file: its name and the vertical metrics
// the file declares, per 1000 units of the font size.
struct PdfFontMetrics {
    QString fontName; // without the subset tag, e.g. "LiberationSans"
    double ascent = 0;
    double descent = 0; // negative below the baseline
};
QVector<PdfFontMetrics> ReadPdfFontMetrics(const QString& pdfPath);
// The descriptor of the font of that name, or null.
const PdfFontMetrics* FindFont(const QVector<PdfFontMetrics>& fonts, const QString& fontName);

// For upright text: the baseline's y and the font size, in points, of a word
// box set in the font.
double Baseline(const PdfWord& word, const PdfFontMetrics& font);
double FontSize(const PdfWord& word, const PdfFontMetrics& font);

constexpr double MmPerPoint = 25.4 / 72.0;
inline double PointsToMm(double points)
{
    return points * MmPerPoint;
}

// A run of consecutive words that spell a phrase, with the box around them.
struct PdfWordRun {
    int first = -1; // index of the first word
    int count = 0;
    PdfWord box; // text: the words joined by single blanks
};

// Every word equal to text, in reading order.
QVector<int> FindWords(const QVector<PdfWord>& words, const QString& text);
// Every run of consecutive words on one page equal to the blank-separated
// words of phrase (leading, trailing and repeated blanks do not count).
QVector<PdfWordRun> FindPhrase(const QVector<PdfWord>& words, const QString& phrase);
// All words joined by blanks, page by page, for presence checks and messages.
QString AllText(const QVector<PdfWord>& words);
