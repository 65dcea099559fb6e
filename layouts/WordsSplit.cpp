#include "layouts/WordsSplit.h"

#include "drawing/untBlankObj.h"

#include <QList>

namespace {

constexpr int MaxRecordedBlanks = 20;

TWordsLines SplitWords(TBlankObj& obj, const QString& words, int points, TFontStyles style, double firstMm,
                       double secondMm)
{
    obj.SetFont(points, clNone, style, QString());
    const auto fits = [&](const QString& t, double widthMm) { return obj.TextWidth(t) <= widthMm; };
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

TWordsLines FitWords(TBlankObj& Obj, const QString& Words, std::initializer_list<int> Points, TFontStyles Style,
                     double FirstMm, double SecondMm)
{
    TWordsLines lines;
    for (int points : Points) {
        lines = SplitWords(Obj, Words, points, Style, FirstMm, SecondMm);
        if (lines.Fits)
            break;
    }
    return lines;
}
