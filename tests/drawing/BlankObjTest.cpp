// The drawing object at 254 ppi, ten device pixels to the mm, so every expected pixel follows from the millimetres
// (the reference pictures of the forms cover the rest of its drawing); and the amounts it spells in words.
#include "helpers/PixelProbe.h"
#include "helpers/QtPrinters.h"
#include "drawing/untBlankObj.h"
#include "platform/Bitmap.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int TenPerMm = 254;

TEST(BlankObjConversion, ExactHalvesGoToTheEvenPixelHugeLengthsAreClampedAndNoCanvasIsHarmless)
{
    TBlankObj obj;
    // No resolution yet.
    EXPECT_EQ(obj.MM2Pixel(123.4), 0);
    EXPECT_EQ(obj.Pixel2MM(500), 0.0);
    obj.SetDPI(TenPerMm);
    obj.FillRect(0, 0, 10, 10);
    EXPECT_EQ(obj.TextWidth(u"abc"_s), 0.0);
    const struct { double mm; int pixels; } cases[] = {{0.25, 2}, {0.75, 8}, {-0.25, -2}, {0.26, 3}, {150.0, 1500},
                 {1e300, std::numeric_limits<int>::max()}, {-1e300, std::numeric_limits<int>::min()},
                 {std::nan(""), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(obj.MM2Pixel(c.mm), c.pixels) << c.mm << " mm";
    obj.SetIntOrigin(35, -120);
    EXPECT_EQ(obj.Pixel2MM(100), 10.0);
    EXPECT_EQ(obj.OriginX(), 3.5);
    EXPECT_EQ(obj.OriginY(), -12.0);
}

TEST(BlankObjDrawing, PenAndFontAreScaledToTheResolutionAndTextIsCutOrCentredWithinItsBounds)
{
    TBitmap bmp(1200, 600);
    TBlankObj obj;
    obj.SetCanvas(&bmp.Canvas());
    TCanvas& canvas = bmp.Canvas();
    for (const auto& [penMm, dpi, penPixels] : {std::tuple{0.0, TenPerMm, 1}, {-1.0, TenPerMm, 1}, {0.1, 100, 0},
                                                {0.6, TenPerMm, 6}, {0.15, 600, 4}}) {
        obj.SetDPI(dpi);
        obj.SetPenWidth(penMm);
        obj.HorizLine(1, 2, 1);
        EXPECT_EQ(canvas.Pen.Width, penPixels) << penMm << " mm at " << dpi;
    }
    obj.SetDPI(TenPerMm);
    obj.SetFont(12, clBlack, 0, u"Arial CE"_s);
    EXPECT_EQ(canvas.Font.Height(), 42); // 12 / 72 inch at 254 ppi = 42.3 px
    // Liberation Sans: win ascent 1854 and descent 434 per 2048 units; 42 px em.
    EXPECT_NEAR(obj.TextHeight(), (1854 + 434) / 2048.0 * 4.2, 0.1);
    canvas.Brush.Color = 0x0000AAFF;
    canvas.Brush.Style = bsSolid; // opaque cells show where a text's cell begins and ends
    const auto inkAfter = [&](const std::function<void()>& draw) {
        bmp.Image().fill(Qt::white);
        draw();
        return InkBounds(bmp.Image(), clWhite);
    };
    // Cut at the limit, with the limit as its advance.
    QRect ink = inkAfter([&] { EXPECT_DOUBLE_EQ(obj.DrawText(u"Bardzo długi tytuł"_s, 10, 10, 30, 0), 20); });
    EXPECT_EQ(ink.left(), 100);
    EXPECT_EQ(ink.right(), 299);
    ink = inkAfter([&] { obj.DrawCenteredText(u"Wpłata"_s, 10, 60, 10); });
    EXPECT_EQ(ink.width(), canvas.TextWidth(u"Wpłata"_s));
    EXPECT_NEAR(ink.left() + ink.width() / 2.0, 350, 1.0); // the middle of 10..60 mm
    // Too wide: it starts at the left bound and is cut at the right one.
    ink = inkAfter([&] { obj.DrawCenteredText(u"Polecenie przelewu"_s, 10, 20, 10); });
    EXPECT_EQ(ink.left(), 100);
    EXPECT_EQ(ink.right(), 199);
    EXPECT_EQ(inkAfter([&] { obj.FillRect(1, 1, 2, 2.5); }), QRect(QPoint(10, 10), QPoint(20, 25))); // edges in
}

TEST(BlankObjWrap, WrapTextCutsCarriesAndPads)
{
    // A fixed-pitch face makes every character equally wide.
    TBlankObj obj;
    TBitmap bmp(10, 10);
    obj.SetCanvas(&bmp.Canvas());
    obj.SetDPI(TenPerMm);
    obj.SetFont(10, clBlack, 0, u"Liberation Mono"_s);
    const double charMm = obj.TextWidth(u"a"_s);
    const QString a = u"abcdefghij"_s;
    const QString none;
    const struct { QStringList lines; double widthChars; int maxLines; QStringList wrapped; } cases[] = {
        {{a}, 7.5, 3, {"abcdefg", "hij ", none}}, // cut anywhere, the tail carried into a padded line
        {{a, "xyz"}, 7.5, 2, {"abcdefg", "hij xyz", none}}, // the tail goes in front of the next line
        // The line cut is trimmed, the tail carried is not.
        {{"Jan Kowalski ul. Długa"}, 12.5, 2, {"Jan Kowalski", " ul. Długa ", none}},
        {{"Jan Kowalski ul. Długa"}, 13.5, 2, {"Jan Kowalski", "ul. Długa ", none}},
        // What overflows the last line is carried past it, not re-flowed.
        {{"aaaaaaaaaabbbbbbbbbbcccccc"}, 10.5, 2, {"aaaaaaaaaa", "bbbbbbbbbb", "cccccc  "}},
        {{"abcdefgh"}, 4.5, 2, {"abcdefgh", none}}, // a line keeps at least five characters
        {{none, "abcdefghijklmnop"}, 5.5, 4, {none, "abcdefghijklmnop", none, none}}, // an empty first line pads
        {{"abcdefghijklmnop"}, 5.5, 0, {"abcdefghijklmnop"}},
        {{}, 5.5, 3, {none, none, none}},
        {{"abc", none, "klmnopqrstuv"}, 7.5, 3, {"abc", none, "klmnopqrstuv"}}, // a blank line ends the re-flow
        // A carried tail fills a blank line and the re-flow goes on.
        {{a, none, "klmnopqrstuv"}, 7.5, 3, {"abcdefg", "hij ", "klmnopq", "rstuv "}},
        {{QString(100'000, 'a')}, 7.5, 1, {"aaaaaaa", QString(99'993, 'a') + " "}}, // any length is cut alike
    };
    for (const auto& c : cases) {
        QStringList s = c.lines;
        obj.WrapText(s, c.widthChars * charMm, c.maxLines);
        EXPECT_EQ(s, c.wrapped) << c.lines.join('|').left(40).toStdString();
    }
}

// The words of an amount in ten-thousandths, by the spelling a row of the table names.
QString Spelt(const QString& spelling, Currency value)
{
    const bool blankZero = spelling.endsWith(u"BlankZero"_s);
    if (spelling == u"SimpleFull"_s)
        return TBlankObj::InWordsSimpleFull(value);
    if (spelling.startsWith(u"Full"_s))
        return TBlankObj::InWordsFull(value, blankZero);
    return TBlankObj::InWords(value, blankZero);
}

// How an amount is spelt, from a table of amounts and their Polish words.
TEST(InWords, SpellsAmountsInPolish)
{
    QFile table(QStringLiteral(WPLATOMAT_TEST_DATA "/inwords.tsv"));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text));
    int rows = 0;
    for (const QString& line : QString::fromUtf8(table.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList row = line.split(u'\t');
        if (line.startsWith(u'#') || row.size() != 3)
            continue;
        ++rows;
        EXPECT_EQ(Spelt(row[0], row[1].toLongLong()), row[2]) << line.toStdString();
    }
    EXPECT_EQ(rows, 90);
    EXPECT_EQ(TBlankObj::InWordsSimple(-7, 1), u"zer*"_s);
    EXPECT_EQ(TBlankObj::InWordsSimple(9876543210, 0), u"dzi*osi*sie*sze*pię*czt*trz*dwa*jed*zer*"_s);
}

} // namespace
