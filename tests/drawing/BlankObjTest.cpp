// The drawing object at 254 pixels per inch: ten device pixels to the millimetre,
// so every expected pixel follows from the millimetres by a factor of ten. The
// reference pictures of the forms cover the rest of its drawing.
#include "helpers/PixelProbe.h"
#include "helpers/QtPrinters.h"
#include "drawing/untBlankObj.h"
#include "platform/Bitmap.h"

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
        obj.SetDPI(dpi);
        obj.SetPenWidth(penMm);
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
}

TEST(BlankObjWrap, WrapTextCutsCarriesAndPads)
{
    // A fixed-pitch face makes every character equally wide.
    TBlankObj obj;
    TBitmap bmp(10, 10);
    obj.SetCanvas(&bmp.Canvas());
    obj.SetDPI(TenPerMm);
    obj.SetFont(10, clBlack, 0, QStringLiteral("Liberation Mono"));
    const double charMm = obj.TextWidth(QStringLiteral("a"));
    const QString a = QStringLiteral("abcdefghij"), none;
    const struct { QStringList lines; double widthChars; int maxLines; QStringList wrapped; } cases[] = {
        {{a}, 7.5, 3, {"abcdefg", "hij ", none}}, // cut anywhere, the tail carried into a padded line
        {{a, "xyz"}, 7.5, 2, {"abcdefg", "hij xyz", none}}, // the tail goes in front of the next line
        {{"Jan Kowalski ul. Długa"}, 12.5, 2, {"Jan Kowalski", " ul. Długa ", none}}, // a cut at a blank trims
        // What overflows the last line is carried past it, not re-flowed.
        {{"aaaaaaaaaabbbbbbbbbbcccccc"}, 10.5, 2, {"aaaaaaaaaa", "bbbbbbbbbb", "cccccc  "}},
        {{"abcdefgh"}, 3, 2, {"abcdefgh", none}}, // a line keeps at least five characters
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

} // namespace
