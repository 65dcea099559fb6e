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
#include <tuple>

namespace {

constexpr int TenPerMm = 254;

TEST(BlankObjConversion, ExactHalvesGoToTheEvenPixelHugeLengthsAreClampedAndNoCanvasIsHarmless)
{
    TBlankObj obj;
    EXPECT_EQ(std::pair(obj.MM2Pixel(123.4), obj.Pixel2MM(500)), std::pair(0, 0.0)); // no resolution yet
    obj.SetDPI(TenPerMm);
    obj.FillRect(0, 0, 10, 10);
    EXPECT_EQ(obj.TextWidth(QStringLiteral("abc")), 0.0);
    const struct { double mm; int pixels; } cases[] = {{0.25, 2}, {0.75, 8}, {-0.25, -2}, {0.26, 3}, {150.0, 1500},
                 {1e300, std::numeric_limits<int>::max()}, {-1e300, std::numeric_limits<int>::min()},
                 {std::nan(""), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(obj.MM2Pixel(c.mm), c.pixels) << c.mm << " mm";
    obj.SetIntOrigin(35, -120);
    EXPECT_EQ(std::tuple(obj.Pixel2MM(100), obj.OriginX(), obj.OriginY()), std::tuple(10.0, 3.5, -12.0));
}

TEST(BlankObjDrawing, PenAndFontAreScaledToTheResolutionAndTextIsCutOrCentredWithinItsBounds)
{
    TBitmap bmp(1200, 600);
    TBlankObj obj;
    obj.SetCanvas(&bmp.Canvas());
    TCanvas& canvas = bmp.Canvas();
    for (const auto& [penMm, dpi, penPixels] : {std::tuple{0.0, TenPerMm, 1}, {-1.0, TenPerMm, 1}, {0.1, 100, 0},
                                                {0.6, TenPerMm, 6}, {0.15, 600, 4}}) {
        obj.SetDPI(dpi), obj.SetPenWidth(penMm);
        obj.HorizLine(1, 2, 1);
        EXPECT_EQ(canvas.Pen.Width, penPixels) << penMm << " mm at " << dpi;
    }
    obj.SetDPI(TenPerMm);
    obj.SetFont(12, clBlack, 0, QStringLiteral("Arial CE"));
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
    QRect ink = inkAfter([&] { EXPECT_DOUBLE_EQ(obj.DrawText(u"Bardzo długi tytuł"_qs, 10, 10, 30, 0), 20); });
    EXPECT_EQ(std::pair(ink.left(), ink.right()), std::pair(100, 299));
    ink = inkAfter([&] { obj.DrawCenteredText(QStringLiteral("Wpłata"), 10, 60, 10); });
    EXPECT_EQ(ink.width(), canvas.TextWidth(QStringLiteral("Wpłata")));
    EXPECT_NEAR(ink.left() + ink.width() / 2.0, 350, 1.0); // the middle of 10..60 mm
    // Too wide: it starts at the left bound and is cut at the right one.
    ink = inkAfter([&] { obj.DrawCenteredText(QStringLiteral("Polecenie przelewu"), 10, 20, 10); });
    EXPECT_EQ(std::pair(ink.left(), ink.right()), std::pair(100, 199));
    EXPECT_EQ(inkAfter([&] { obj.FillRect(1, 1, 2, 2.5); }), QRect(QPoint(10, 10), QPoint(20, 25))); // edges in
}

TEST(BlankObjWrap, WrapTextCutsCarriesAndPads)
{
    // A fixed-pitch face makes every character equally wide.
    TBlankObj obj;
    TBitmap bmp(10, 10);
    obj.SetCanvas(&bmp.Canvas()), obj.SetDPI(TenPerMm);
    obj.SetFont(10, clBlack, 0, QStringLiteral("Liberation Mono"));
    const double charMm = obj.TextWidth(QStringLiteral("a"));
    const QString a = QStringLiteral("abcdefghij"), none;
    const struct { QStringList lines; double widthChars; int maxLines; QStringList wrapped; } cases[] = {
        {{a}, 7.5, 3, {"abcdefg", "hij ", none}}, // cut anywhere, the tail carried into a padded line
        {{a, "xyz"}, 7.5, 2, {"abcdefg", "hij xyz", none}}, // the tail goes in front of the next line
        {{"Jan Kowalski ul. Długa"}, 12.5, 2, {"Jan Kowalski", " ul. Długa ", none}}, // a cut at a blank trims
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

// Amounts are written as whole złote plus ten-thousandths, as a Currency holds them.
constexpr Currency Amount(qint64 zl, qint64 tenThousandths = 0) { return zl * CurrencyScale + tenThousandths; }

QString U8(const char* utf8) { return QString::fromUtf8(utf8); }

// How an amount is spelt, from a table of amounts and their Polish words.
TEST(InWords, SpellsAmountsInPolish)
{
    QFile table(QStringLiteral(WPLATOMAT_TEST_DATA "/inwords.tsv"));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text));
    int rows = 0;
    for (const QString& line : QString::fromUtf8(table.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList row = line.split(QLatin1Char('\t'));
        if (line.startsWith(QLatin1Char('#')) || row.size() != 3)
            continue;
        ++rows;
        const Currency value = row[1].toLongLong();
        const bool blankZero = row[0].endsWith(u"BlankZero"_qs), full = row[0].startsWith(u"Full"_qs);
        EXPECT_EQ(row[0] == u"SimpleFull"_qs ? TBlankObj::InWordsSimpleFull(value)
                  : full ? TBlankObj::InWordsFull(value, blankZero) : TBlankObj::InWords(value, blankZero), row[2])
            << line.toStdString();
    }
    EXPECT_EQ(rows, 26 + 36);
    EXPECT_EQ(TBlankObj::InWordsSimple(-7, 1), U8(u8"zer*"));
    EXPECT_EQ(TBlankObj::InWordsSimple(9876543210, 0), U8(u8"dzi*osi*sie*sze*pię*czt*trz*dwa*jed*zer*"));
}

// The rule as a grammar book puts it: the singular after a bare "one", the nominative plural after numbers ending in 2,
// 3 or 4 except 12-14, the genitive plural after all others.
TEST(InWords, EveryGroupTakesTheGrammaticalForm)
{
    const struct { qint64 scale; const char *one, *few, *many; } table[] = {
        {1000, u8"tysiąc", u8"tysiące", u8"tysięcy"},
        {1000000, u8"milion", u8"miliony", u8"milionów"},
        {1000000000, u8"miliard", u8"miliardy", u8"miliardów"},
        {1000000000000, u8"bilion", u8"biliony", u8"bilionów"},
    };
    for (const auto& forms : table) {
        // Bilions stop where a Currency does, at 922.
        const int lastGroup = int(std::min<qint64>(999, INT64_MAX / Amount(forms.scale + 7)));
        for (int group = 1; group <= lastGroup; ++group) {
            const int last = group % 10;
            const bool few = last >= 2 && last <= 4 && group / 10 % 10 != 1;
            const QString expected = U8(group == 1 ? forms.one : few ? forms.few : forms.many);
            const Currency value = Amount(group * forms.scale);
            const QString text = TBlankObj::InWords(value, false);
            EXPECT_EQ(text.section(QLatin1Char(' '), -1), expected) << text.toStdString();
            // Units after the group word leave it unchanged, with one blank between.
            EXPECT_EQ(TBlankObj::InWords(value + Amount(7), false), text + U8(u8" siedem"));
            if (::testing::Test::HasFailure())
                return;
        }
    }
    EXPECT_EQ(TBlankObj::InWords(Amount(-22000000), false), U8(u8"minus dwadzieścia dwa miliony"));
}

} // namespace
