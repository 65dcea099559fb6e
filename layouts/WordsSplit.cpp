#include "layouts/WordsSplit.h"

#include <QFontMetrics>
#include <QHash>
#include <QList>

namespace {

constexpr int MaxRecordedBlanks = 20;
// Split as the words fit at a 600 dpi printer's font heights, which round up
// the most of the usual resolutions, so every zoom and printer splits an
// amount alike and a 600 dpi printer never cuts it.
constexpr int WordsReferenceDpi = 600;
constexpr double MillimetresPerInch = 25.4;

TWordsLines SplitWords(const TFont& canvasFont, const QString& words, int points, double firstMm, double secondMm)
{
    TFont font = canvasFont;
    font.SetPixelsPerInch(WordsReferenceDpi);
    font.SetSize(points);
    const QFontMetrics metrics(font.ToQFont());
    const auto fits = [&](const QString& t, double widthMm) {
        return metrics.horizontalAdvance(t) * MillimetresPerInch / WordsReferenceDpi <= widthMm;
    };
    TWordsLines lines;
    lines.Points = points;
    lines.First = words;
    lines.Fits = fits(words, firstMm);
    QList<int> blanks;
    for (int at = words.indexOf(QLatin1Char(' ')); at >= 0 && blanks.size() < MaxRecordedBlanks;
         at = words.indexOf(QLatin1Char(' '), at + 1))
        blanks.append(at);
    if (lines.Fits || blanks.isEmpty())
        return lines;
    int chosen = blanks.first();
    for (int i = blanks.size() - 1; i >= 0; --i)
        if (fits(words.left(blanks[i]), firstMm)) {
            chosen = blanks[i];
            break;
        }
    lines.First = words.left(chosen);
    lines.Second = words.mid(chosen + 1);
    lines.Split = true;
    lines.Fits = fits(lines.First, firstMm) && fits(lines.Second, secondMm);
    return lines;
}

} // namespace

TWordsLines FitWords(const TFont& CanvasFont, const QString& Words, std::initializer_list<int> Points, double FirstMm,
                     double SecondMm)
{
    // Every repaint asks again for the same amount: measuring its prefixes
    // at three sizes would cost more than drawing them.
    static QHash<QString, TWordsLines> known;
    QString key = CanvasFont.Name() + QChar(0) + QString::number(CanvasFont.Style()) + QChar(0)
        + QString::number(FirstMm, 'g', 17) + QChar(0) + QString::number(SecondMm, 'g', 17) + QChar(0) + Words;
    for (int points : Points)
        key += QChar(0) + QString::number(points);
    if (const auto found = known.constFind(key); found != known.constEnd())
        return *found;
    TWordsLines lines;
    for (int points : Points) {
        lines = SplitWords(CanvasFont, Words, points, FirstMm, SecondMm);
        if (lines.Fits)
            break;
    }
    constexpr qsizetype KeptAmounts = 64;
    if (known.size() >= KeptAmounts)
        known.clear();
    known.insert(key, lines);
    return lines;
}
