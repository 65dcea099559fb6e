// The drawing object at 254 pixels per inch: ten device pixels to the millimetre,
// so every expected pixel follows from the millimetres by a factor of ten.
#include "helpers/PixelProbe.h"
#include "helpers/QtPrinters.h"
#include "drawing/untBlankObj.h"
#include "platform/Bitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr TColor Paper = clWhite;
constexpr TColor Ink = 0x00993366;
constexpr TColor Fill = 0x0000AAFF;
constexpr int TenPerMm = 254;

class BlankObjTest : public ::testing::Test {
protected:
    BlankObjTest() : bmp(1200, 600)
    {
        obj.SetCanvas(&bmp.Canvas());
        obj.SetDPI(TenPerMm);
        canvas().Pen.Color = Ink;
        canvas().Brush.Color = Fill;
    }
    TCanvas& canvas() { return bmp.Canvas(); }
    const QImage& image() const { return bmp.Image(); }
    // Opaque cells show exactly where a text's cell begins and ends.
    void UseTextFont(TBrushStyle cell = bsClear)
    {
        obj.SetFont(12, Ink, 0, QStringLiteral("Arial CE"));
        canvas().Brush.Style = cell;
    }
    TBitmap bmp;
    TBlankObj obj;
};

TEST(BlankObjConversionTest, ExactHalvesGoToTheEvenPixelAndHugeLengthsAreClamped)
{
    TBlankObj obj;
    obj.SetDPI(TenPerMm);
    const struct {
        double mm;
        int pixels;
    } cases[] = {{0.25, 2},  {0.75, 8}, {1.25, 12}, {-0.25, -2}, {0.26, 3}, {150.0, 1500},
                 {1e300, std::numeric_limits<int>::max()}, {-1e300, std::numeric_limits<int>::min()},
                 {std::nan(""), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(obj.MM2Pixel(c.mm), c.pixels) << c.mm << " mm";
    EXPECT_DOUBLE_EQ(obj.Pixel2MM(100), 10.0);
    obj.SetIntOrigin(35, -120);
    EXPECT_DOUBLE_EQ(obj.OriginX(), 3.5);
    EXPECT_DOUBLE_EQ(obj.OriginY(), -12.0);
}

TEST(BlankObjConversionTest, ObjectWithoutResolutionOrCanvasIsHarmless)
{
    TBlankObj obj;
    EXPECT_EQ(obj.MM2Pixel(123.4), 0);
    EXPECT_EQ(obj.Pixel2MM(500), 0.0);
    obj.SetDPI(TenPerMm);
    obj.FillRect(0, 0, 10, 10);
    EXPECT_EQ(obj.TextWidth(QStringLiteral("abc")), 0.0);
}

TEST_F(BlankObjTest, ShapesCoverTheirPixelsWithBoxEdgesInAndLineEndsOut)
{
    const struct {
        const char* name;
        std::function<void(TBlankObj&)> draw;
        QRect ink;
    } cases[] = {
        {"box keeps its right and bottom edge", [](TBlankObj& o) { o.FillRect(0, 0, 10, 5); }, {0, 0, 101, 51}},
        {"outline", [](TBlankObj& o) { o.Rectangle(2, 3, 12, 8); }, {20, 30, 101, 51}},
        {"ellipse inscribed in its box", [](TBlankObj& o) { o.Ellipse(10, 10, 30, 20); }, {100, 100, 201, 101}},
        {"horizontal line leaves out its end", [](TBlankObj& o) { o.HorizLine(0, 10, 5); }, {0, 50, 100, 1}},
        {"vertical line leaves out its end", [](TBlankObj& o) { o.VertLine(4, 2, 7); }, {40, 20, 1, 50}},
        {"origin shifts every coordinate",
         [](TBlankObj& o) {
             o.SetOriginX(30);
             o.SetOriginY(15.5);
             o.FillRect(0, 0, 1, 1);
         },
         {300, 155, 11, 11}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bmp.Image().fill(Qt::white);
        obj.SetOriginX(0);
        obj.SetOriginY(0);
        c.draw(obj);
        EXPECT_EQ(InkBounds(image(), Paper), c.ink);
    }
}

TEST_F(BlankObjTest, PenWidthIsConvertedBeforeEveryLineAndCentredOnIt)
{
    const struct {
        double penMm;
        int dpi;
        int penPixels;
    } cases[] = {{0, TenPerMm, 1}, {-1, TenPerMm, 1}, {0.1, 100, 0}, {0.6, TenPerMm, 6}, {0.15, 600, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.penMm << " mm at " << c.dpi << " ppi");
        obj.SetDPI(c.dpi);
        obj.SetPenWidth(c.penMm);
        obj.HorizLine(1, 2, 1);
        EXPECT_EQ(canvas().Pen.Width, c.penPixels);
    }
    // A pen rounded to zero pixels still draws one.
    obj.SetDPI(100);
    obj.SetPenWidth(0.1);
    bmp.Image().fill(Qt::white);
    obj.HorizLine(0, 25.4, 2.54);
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(0, 10), QPoint(99, 10)));
    // A thick line is centred on its millimetre line.
    obj.SetDPI(TenPerMm);
    obj.SetPenWidth(0.5);
    bmp.Image().fill(Qt::white);
    obj.HorizLine(10, 50, 20);
    EXPECT_EQ(InkBounds(image(), Paper).top(), 198);
    EXPECT_EQ(InkBounds(image(), Paper).bottom(), 202);
}

TEST_F(BlankObjTest, FontPointsAreScaledOnceToTheResolution)
{
    obj.SetFont(12, Ink, 0, QStringLiteral("Arial CE"));
    EXPECT_EQ(canvas().Font.Height(), 42); // 12 / 72 inch at 254 ppi = 42.3 px
    // Liberation Sans: win ascent 1854 and descent 434 per 2048 units; 42 px em.
    EXPECT_NEAR(obj.TextHeight(), (1854 + 434) / 2048.0 * 4.2, 0.1);
    // Changing the resolution leaves the current font alone until it is set again.
    obj.SetDPI(600);
    EXPECT_EQ(canvas().Font.Height(), 42);
    obj.SetFont(12, clNone, 0, QString());
    EXPECT_EQ(canvas().Font.Height(), 100);
}

TEST_F(BlankObjTest, SetFontKeepsFaceAndColourButTurnsTextUpright)
{
    obj.SetFont(8, Ink, fsBold, QStringLiteral("Arial Black"));
    obj.DrawText(QStringLiteral("Ab"), 10, 30, -1, 90);
    EXPECT_EQ(canvas().Font.Orientation(), 900);
    obj.SetFont(10, clNone, 0, QString());
    EXPECT_EQ(canvas().Font.Name(), QStringLiteral("Arial Black"));
    EXPECT_EQ(canvas().Font.Color(), Ink);
    EXPECT_EQ(canvas().Font.Style(), 0u);
    EXPECT_EQ(canvas().Font.Orientation(), 0);
}

TEST_F(BlankObjTest, TurnedTextHangsFromItsCornerCounterClockwise)
{
    UseTextFont();
    const int cellPx = canvas().TextAscent() + canvas().TextDescent();
    for (int angle : {0, 90, 180}) {
        SCOPED_TRACE(angle);
        bmp.Image().fill(Qt::white);
        const double width = obj.DrawText(QStringLiteral("HH"), 50, 40, -1, angle);
        EXPECT_NEAR(width, 2 * 1479.0 / 2048 * 4.2, 0.2); // the H advance is 1479 units
        const int w = obj.MM2Pixel(width) + 1;
        const QRect cell = angle == 0 ? QRect(500, 400, w, cellPx)
                           : angle == 90 ? QRect(500, 400 - w, cellPx + 1, w + 1)
                                         : QRect(500 - w, 400 - cellPx, w + 1, cellPx + 1);
        const QRect ink = InkBounds(image(), Paper);
        if (angle == 0)
            EXPECT_EQ(ink.bottom(), 400 + canvas().TextAscent() - 1); // on the baseline
        EXPECT_TRUE(cell.contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
        EXPECT_EQ(ink.height() > ink.width(), angle == 90);
    }
}

TEST_F(BlankObjTest, ClippedTextIsCutAtTheLimit)
{
    UseTextFont(bsSolid);
    const double advance = obj.DrawText(QStringLiteral("Bardzo długi tytuł przelewu"), 10, 10, 30, 0);
    EXPECT_DOUBLE_EQ(advance, 20.0);
    const QRect ink = InkBounds(image(), Paper);
    EXPECT_EQ(ink.left(), 100);
    EXPECT_EQ(ink.right(), 299);
}

TEST_F(BlankObjTest, CentredTextIsCentredOrFallsBackToTheLeftBound)
{
    UseTextFont(bsSolid);
    const QString t = QStringLiteral("Wpłata");
    obj.DrawCenteredText(t, 10, 60, 10);
    QRect ink = InkBounds(image(), Paper);
    EXPECT_EQ(ink.width(), canvas().TextWidth(t));
    EXPECT_NEAR(ink.left() + ink.width() / 2.0, 350, 1.0); // the middle of 10..60 mm

    // Too wide: it starts at the left bound and is cut at the right one.
    bmp.Image().fill(Qt::white);
    obj.DrawCenteredText(QStringLiteral("Polecenie przelewu"), 10, 20, 10);
    ink = InkBounds(image(), Paper);
    EXPECT_EQ(ink.left(), 100);
    EXPECT_EQ(ink.right(), 199);

    // A right bound left of the origin means no bound at all.
    bmp.Image().fill(Qt::white);
    obj.SetOriginX(20);
    obj.DrawCenteredText(t, 0, -5, 10);
    ink = InkBounds(image(), Paper);
    EXPECT_EQ(ink.left(), 200);
    EXPECT_EQ(ink.width(), canvas().TextWidth(t));
}

TEST_F(BlankObjTest, WrapTextCutsCarriesAndPads)
{
    // A fixed-pitch face makes every character equally wide.
    obj.SetFont(10, Ink, 0, QStringLiteral("Liberation Mono"));
    const double charMm = obj.TextWidth(QStringLiteral("a"));
    const QString a = QStringLiteral("abcdefghij"), none;
    const struct {
        const char* name;
        QStringList lines;
        double widthChars;
        int maxLines;
        QStringList wrapped;
    } cases[] = {
        {"cut anywhere, the tail carried into a padded line", {a}, 7.5, 3, {"abcdefg", "hij ", none}},
        {"the tail goes in front of the next line", {a, "xyz"}, 7.5, 2, {"abcdefg", "hij xyz", none}},
        {"cut at a blank trims the line, the tail keeps it",
         {"Jan Kowalski ul. Długa"}, 12.5, 2, {"Jan Kowalski", " ul. Długa ", none}},
        {"what overflows the last line is carried past it, not re-flowed",
         {"aaaaaaaaaabbbbbbbbbbcccccc"}, 10.5, 2, {"aaaaaaaaaa", "bbbbbbbbbb", "cccccc  "}},
        {"a line keeps at least five characters", {"abcdefgh"}, 3, 2, {"abcdefgh", none}},
        {"an empty first line only pads", {none, "abcdefghijklmnop"}, 5.5, 4, {none, "abcdefghijklmnop", none, none}},
        {"no lines changes nothing", {"abcdefghijklmnop"}, 5.5, 0, {"abcdefghijklmnop"}},
        {"an empty list is padded", {}, 5.5, 3, {none, none, none}},
        {"a blank line ends the re-flow", {"abc", none, "klmnopqrstuv"}, 7.5, 3, {"abc", none, "klmnopqrstuv"}},
        {"a carried tail fills a blank line and the re-flow goes on",
         {a, none, "klmnopqrstuv"}, 7.5, 3, {"abcdefg", "hij ", "klmnopq", "rstuv "}},
        {"a line of any length is cut alike", {QString(100'000, 'a')}, 7.5, 1, {"aaaaaaa", QString(99'993, 'a') + " "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList s = c.lines;
        obj.WrapText(s, c.widthChars * charMm, c.maxLines);
        EXPECT_EQ(s, c.wrapped);
    }
}

} // namespace
