// The drawing object at 254 pixels per inch: ten device pixels to the millimetre,
// so every expected pixel follows from the millimetres by a factor of ten.
#include "helpers/PixelProbe.h"
#include "helpers/QtPrinters.h"
#include "drawing/untBlankObj.h"
#include "platform/Bitmap.h"

#include <QFontInfo>

#include <gtest/gtest.h>

#include <cmath>
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
    void UseTextFont(int points = 12)
    {
        obj.SetFont(points, Ink, 0, QStringLiteral("Arial CE"));
        canvas().Brush.Style = bsClear;
    }
    TBitmap bmp;
    TBlankObj obj;
};

// ---- conversions ---------------------------------------------------------------

struct RoundCase {
    double mm;
    int pixels;
};

void PrintTo(const RoundCase& c, std::ostream* os)
{
    *os << c.mm << " mm";
}

class MM2PixelTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(MM2PixelTest, ExactHalvesGoToTheEvenPixel)
{
    TBlankObj obj;
    obj.SetDPI(TenPerMm);
    EXPECT_EQ(obj.MM2Pixel(GetParam().mm), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(At254, MM2PixelTest,
    ::testing::Values(RoundCase{0.25, 2}, RoundCase{0.75, 8}, RoundCase{1.25, 12},
                      RoundCase{-0.25, -2}, RoundCase{-0.75, -8}, RoundCase{10.0, 100},
                      RoundCase{0.26, 3}, RoundCase{0.24, 2}, RoundCase{150.0, 1500}));

TEST(BlankObjConversionTest, PixelsBackToMillimetres)
{
    TBlankObj obj;
    obj.SetDPI(TenPerMm);
    EXPECT_DOUBLE_EQ(obj.Pixel2MM(100), 10.0);
    obj.SetDPI(600);
    EXPECT_DOUBLE_EQ(obj.Pixel2MM(600), 25.4);
    EXPECT_EQ(obj.MM2Pixel(25.4), 600);
}

TEST(BlankObjConversionTest, ZeroResolutionAnswersZeroWithoutDividing)
{
    TBlankObj obj;
    EXPECT_EQ(obj.DPI(), 0);
    EXPECT_EQ(obj.MM2Pixel(123.4), 0);
    EXPECT_EQ(obj.Pixel2MM(500), 0.0);
    obj.SetIntOrigin(40, 80);
    EXPECT_EQ(obj.OriginX(), 0.0);
    EXPECT_EQ(obj.OriginY(), 0.0);
}

TEST(BlankObjConversionTest, LengthsNoPixelCountHoldsAreClamped)
{
    TBlankObj obj;
    obj.SetDPI(600);
    EXPECT_EQ(obj.MM2Pixel(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(obj.MM2Pixel(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(obj.MM2Pixel(std::nan("")), 0);
    EXPECT_EQ(obj.MM2Pixel(std::numeric_limits<double>::infinity()), std::numeric_limits<int>::max());
}

TEST(BlankObjConversionTest, IntegerOriginIsConvertedToMillimetres)
{
    TBlankObj obj;
    obj.SetDPI(TenPerMm);
    obj.SetIntOrigin(35, -120);
    EXPECT_DOUBLE_EQ(obj.OriginX(), 3.5);
    EXPECT_DOUBLE_EQ(obj.OriginY(), -12.0);
}

TEST(BlankObjConstructionTest, EmptyObjectAndPageObject)
{
    TBlankObj empty;
    EXPECT_EQ(empty.Canvas(), nullptr);
    EXPECT_EQ(empty.DPI(), 0);
    EXPECT_FALSE(empty.Printing());
    EXPECT_EQ(empty.PenWidth(), 0.0);
    TBlankObj page(210, 297);
    EXPECT_EQ(page.DPI(), 300);
    EXPECT_EQ(page.Width(), 210.0);
    EXPECT_EQ(page.Height(), 297.0);
}

TEST(BlankObjConstructionTest, DrawingWithoutCanvasDoesNothing)
{
    TBlankObj obj;
    obj.SetDPI(TenPerMm);
    obj.FillRect(0, 0, 10, 10);
    obj.Rectangle(0, 0, 10, 10);
    obj.Ellipse(0, 0, 10, 10);
    obj.Line(0, 0, 10, 10);
    EXPECT_EQ(obj.TextWidth(QStringLiteral("abc")), 0.0);
}

// ---- boxes and lines -------------------------------------------------------------

TEST_F(BlankObjTest, BoxIncludesItsRightAndBottomEdgePixels)
{
    obj.FillRect(0, 0, 10, 5);
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(0, 0), QPoint(100, 50)));
    EXPECT_EQ(CountPixels(image(), QRect(0, 0, 101, 51), Fill), 101 * 51);
}

TEST_F(BlankObjTest, RectangleOutlineReachesTheEdgeGivenInMillimetres)
{
    canvas().Brush.Style = bsClear;
    obj.Rectangle(2, 3, 12, 8);
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(20, 30), QPoint(120, 80)));
    EXPECT_EQ(PixelAt(image(), 120, 55), Ink);
    EXPECT_EQ(PixelAt(image(), 70, 80), Ink);
    EXPECT_EQ(PixelAt(image(), 70, 55), Paper);
}

TEST_F(BlankObjTest, HorizontalLineLeavesOutItsEndPixel)
{
    obj.HorizLine(0, 10, 5);
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(0, 50), QPoint(99, 50)));
}

TEST_F(BlankObjTest, VerticalLineLeavesOutItsEndPixel)
{
    obj.VertLine(4, 2, 7);
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(40, 20), QPoint(40, 69)));
}

TEST_F(BlankObjTest, OriginShiftsEveryCoordinate)
{
    obj.SetOriginX(30);
    obj.SetOriginY(15.5);
    obj.FillRect(0, 0, 1, 1);
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(300, 155), QPoint(310, 165)));
}

TEST_F(BlankObjTest, EllipseIsInscribedInItsBoxEdgesIncluded)
{
    obj.Ellipse(10, 10, 30, 20);
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(100, 100), QPoint(300, 200)));
}

struct PenCase {
    double penMm;
    int dpi;
    int penPixels;
};

void PrintTo(const PenCase& c, std::ostream* os)
{
    *os << c.penMm << " mm at " << c.dpi << " ppi";
}

class PenWidthTest : public BlankObjTest, public ::testing::WithParamInterface<PenCase> {};

TEST_P(PenWidthTest, PenWidthIsConvertedBeforeEveryLine)
{
    obj.SetDPI(GetParam().dpi);
    obj.SetPenWidth(GetParam().penMm);
    obj.HorizLine(1, 2, 1);
    EXPECT_EQ(canvas().Pen.Width, GetParam().penPixels);
}

INSTANTIATE_TEST_SUITE_P(Widths, PenWidthTest,
    ::testing::Values(PenCase{0, TenPerMm, 1}, PenCase{-1, TenPerMm, 1}, PenCase{0.1, 100, 0},
                      PenCase{0.6, TenPerMm, 6}, PenCase{0.15, 600, 4}, PenCase{0.5, 100, 2}));

TEST_F(BlankObjTest, ThinPenBelowOnePixelStillDraws)
{
    obj.SetDPI(100);
    obj.SetPenWidth(0.1); // 0.39 px rounds to a zero-width pen
    obj.HorizLine(0, 25.4, 2.54);
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(0, 10), QPoint(99, 10)));
}

TEST_F(BlankObjTest, ThickLineIsCentredOnItsMillimetreLine)
{
    obj.SetPenWidth(0.5); // five pixels
    obj.HorizLine(10, 50, 20);
    const QRect ink = InkBounds(image(), Paper);
    EXPECT_EQ(ink.top(), 198);
    EXPECT_EQ(ink.bottom(), 202);
}

// ---- fonts and text ----------------------------------------------------------------

TEST_F(BlankObjTest, SetFontScalesPointsToTheResolution)
{
    obj.SetFont(12, Ink, 0, QStringLiteral("Arial CE"));
    EXPECT_EQ(canvas().Font.Height(), 42); // 12 / 72 inch at 254 ppi = 42.3 px
    obj.SetDPI(600);
    obj.SetFont(12, clNone, 0, QString());
    EXPECT_EQ(canvas().Font.Height(), 100);
}

TEST_F(BlankObjTest, SetFontKeepsFaceAndColourWhenNotGiven)
{
    obj.SetFont(8, Ink, fsBold, QStringLiteral("Arial Black"));
    obj.SetFont(10, clNone, 0, QString());
    EXPECT_EQ(canvas().Font.Name(), QStringLiteral("Arial Black"));
    EXPECT_EQ(canvas().Font.Color(), Ink);
    EXPECT_EQ(canvas().Font.Style(), 0u);
}

TEST_F(BlankObjTest, SetFontTurnsTextUprightAgain)
{
    UseTextFont();
    obj.DrawText(QStringLiteral("Ab"), 10, 30, -1, 90);
    EXPECT_EQ(canvas().Font.Orientation(), 900);
    obj.SetFont(12, clNone, 0, QString());
    EXPECT_EQ(canvas().Font.Orientation(), 0);
    EXPECT_EQ(canvas().Font.Escapement(), 0);
}

TEST_F(BlankObjTest, DpiChangeDoesNotRescaleTheCurrentFont)
{
    UseTextFont(12);
    obj.SetDPI(600);
    EXPECT_EQ(canvas().Font.PixelsPerInch(), 600);
    EXPECT_EQ(canvas().Font.Height(), 42);
}

TEST_F(BlankObjTest, TextHeightIsTheCellOfTheFace)
{
    UseTextFont(12);
    // Liberation Sans: win ascent 1854 and descent 434 per 2048 units; 42 px em.
    EXPECT_NEAR(obj.TextHeight(), (1854 + 434) / 2048.0 * 4.2, 0.1);
}

TEST_F(BlankObjTest, FreeTextStartsAtItsCornerAndReturnsItsWidth)
{
    UseTextFont();
    const double width = obj.DrawText(QStringLiteral("HH"), 20, 10, -1, 0);
    EXPECT_NEAR(width, obj.TextWidth(QStringLiteral("HH")), 1e-9);
    EXPECT_NEAR(width, 2 * 1479.0 / 2048 * 4.2, 0.2); // the H advance is 1479 units
    const QRect ink = InkBounds(image(), Paper);
    EXPECT_GE(ink.left(), 200);
    EXPECT_LE(ink.left(), 205);
    EXPECT_GE(ink.top(), 100);
    EXPECT_EQ(ink.bottom(), 100 + canvas().TextAscent() - 1);
}

TEST_F(BlankObjTest, QuarterTurnedTextRisesFromItsCorner)
{
    UseTextFont();
    obj.DrawText(QStringLiteral("Konto"), 50, 40, -1, 90);
    const QRect ink = InkBounds(image(), Paper);
    EXPECT_LE(ink.bottom(), 400);
    EXPECT_GE(ink.left(), 500);
    EXPECT_LE(ink.right(), 500 + canvas().TextAscent() + canvas().TextDescent());
    EXPECT_GT(ink.height(), ink.width()); // it reads upward, so it is tall
}

TEST_F(BlankObjTest, HalfTurnedTextHangsLeftAndAboveItsCorner)
{
    UseTextFont();
    const double width = obj.DrawText(QStringLiteral("Konto"), 80, 40, -1, 180);
    const QRect ink = InkBounds(image(), Paper);
    EXPECT_LE(ink.right(), 800);
    EXPECT_GE(ink.left(), 800 - obj.MM2Pixel(width) - 1);
    EXPECT_LE(ink.bottom(), 400);
    EXPECT_GE(ink.top(), 400 - canvas().TextAscent() - canvas().TextDescent());
}

TEST_F(BlankObjTest, ClippedTextIsCutAtTheLimit)
{
    UseTextFont();
    canvas().Brush.Style = bsSolid; // the opaque cell shows where the cut falls
    const double advance = obj.DrawText(QStringLiteral("Bardzo długi tytuł przelewu"), 10, 10, 30, 0);
    EXPECT_DOUBLE_EQ(advance, 20.0);
    const QRect ink = InkBounds(image(), Paper);
    EXPECT_EQ(ink.left(), 100);
    EXPECT_EQ(ink.right(), 299);
}

TEST_F(BlankObjTest, CentredTextIsCentredBetweenItsBounds)
{
    UseTextFont();
    canvas().Brush.Style = bsSolid;
    const QString t = QStringLiteral("Wpłata");
    const int w = canvas().TextWidth(t);
    obj.DrawCenteredText(t, 10, 60, 10);
    const QRect ink = InkBounds(image(), Paper);
    EXPECT_EQ(ink.width(), w);
    EXPECT_NEAR(ink.left() + ink.width() / 2.0, 350, 1.0); // the middle of 10..60 mm
}

TEST_F(BlankObjTest, CentredTextTooWideStartsAtTheLeftAndIsCut)
{
    UseTextFont();
    canvas().Brush.Style = bsSolid;
    obj.DrawCenteredText(QStringLiteral("Polecenie przelewu"), 10, 20, 10);
    const QRect ink = InkBounds(image(), Paper);
    EXPECT_EQ(ink.left(), 100);
    EXPECT_EQ(ink.right(), 199);
}

TEST_F(BlankObjTest, CentredTextExactlyAsWideAsTheSpaceStartsAtTheLeft)
{
    UseTextFont();
    canvas().Brush.Style = bsSolid;
    const QString t = QStringLiteral("Zł");
    const double w = obj.TextWidth(t);
    obj.DrawCenteredText(t, 10, 10 + w, 10);
    EXPECT_EQ(InkBounds(image(), Paper).left(), 100);
}

TEST_F(BlankObjTest, CentredTextWithNegativeRightBoundIsNotCut)
{
    UseTextFont();
    canvas().Brush.Style = bsSolid;
    obj.SetOriginX(20);
    const QString t = QStringLiteral("Odbiorca");
    obj.DrawCenteredText(t, 0, -5, 10); // falls back to the free mode from x1
    const QRect ink = InkBounds(image(), Paper);
    EXPECT_EQ(ink.left(), 200);
    EXPECT_EQ(ink.width(), canvas().TextWidth(t));
}

// ---- wrapping --------------------------------------------------------------------

class WrapTextTest : public BlankObjTest {
protected:
    WrapTextTest()
    {
        // A fixed-pitch face makes every character equally wide.
        obj.SetFont(10, Ink, 0, QStringLiteral("Liberation Mono"));
        charMm = obj.TextWidth(QStringLiteral("a"));
    }
    double charMm = 0;
};

TEST_F(WrapTextTest, LongLineIsCutAnywhereAndCarriedIntoTheNextLine)
{
    QStringList s{QStringLiteral("abcdefghij")};
    obj.WrapText(s, 7.5 * charMm, 3);
    EXPECT_EQ(s, (QStringList{QStringLiteral("abcdefg"), QStringLiteral("hij "), QString()}));
}

TEST_F(WrapTextTest, CarriedTailGoesInFrontOfTheNextLine)
{
    QStringList s{QStringLiteral("abcdefghij"), QStringLiteral("xyz")};
    obj.WrapText(s, 7.5 * charMm, 2);
    // The last line re-flowed gets an empty line after it to carry into.
    EXPECT_EQ(s, (QStringList{QStringLiteral("abcdefg"), QStringLiteral("hij xyz"), QString()}));
}

TEST_F(WrapTextTest, CutAtABlankTrimsTheLineButKeepsTheTailsBlank)
{
    QStringList s{QStringLiteral("Jan Kowalski ul. Długa")};
    obj.WrapText(s, 12.5 * charMm, 2);
    EXPECT_EQ(s, (QStringList{QStringLiteral("Jan Kowalski"), QStringLiteral(" ul. Długa "), QString()}));
}

TEST_F(WrapTextTest, TextOverflowingTheLastLineIsCarriedBeyondIt)
{
    QStringList s{QStringLiteral("aaaaaaaaaabbbbbbbbbbcccccc")};
    obj.WrapText(s, 10.5 * charMm, 2);
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0], QStringLiteral("aaaaaaaaaa"));
    EXPECT_EQ(s[1], QStringLiteral("bbbbbbbbbb"));
    EXPECT_EQ(s[2], QStringLiteral("cccccc  ")); // not re-flowed: it lies past MaxLines
}

TEST_F(WrapTextTest, ShortLineWiderThanTheSpaceIsNeverCut)
{
    QStringList s{QStringLiteral("abcde")};
    obj.WrapText(s, 2 * charMm, 2);
    EXPECT_EQ(s, (QStringList{QStringLiteral("abcde"), QString()}));
}

TEST_F(WrapTextTest, LineKeepsAtLeastFiveCharacters)
{
    QStringList s{QStringLiteral("abcdefgh")};
    obj.WrapText(s, 3 * charMm, 2);
    EXPECT_EQ(s, (QStringList{QStringLiteral("abcdefgh"), QString()}));
}

TEST_F(WrapTextTest, EmptyFirstLineOnlyPadsTheList)
{
    QStringList s{QString(), QStringLiteral("abcdefghijklmnop")};
    obj.WrapText(s, 5.5 * charMm, 4);
    EXPECT_EQ(s, (QStringList{QString(), QStringLiteral("abcdefghijklmnop"), QString(), QString()}));
}

TEST_F(WrapTextTest, ZeroLinesChangesNothing)
{
    QStringList s{QStringLiteral("abcdefghijklmnop")};
    obj.WrapText(s, 5.5 * charMm, 0);
    EXPECT_EQ(s, QStringList{QStringLiteral("abcdefghijklmnop")});
    QStringList empty;
    obj.WrapText(empty, 5.5 * charMm, 0);
    EXPECT_TRUE(empty.isEmpty());
}

TEST_F(WrapTextTest, EmptyListIsPaddedToMaxLines)
{
    QStringList s;
    obj.WrapText(s, 5.5 * charMm, 3);
    EXPECT_EQ(s, (QStringList{QString(), QString(), QString()}));
}

TEST_F(WrapTextTest, BlankLineEndsTheReflow)
{
    QStringList s{QStringLiteral("abc"), QString(), QStringLiteral("klmnopqrstuv")};
    obj.WrapText(s, 7.5 * charMm, 3);
    EXPECT_EQ(s, (QStringList{QStringLiteral("abc"), QString(), QStringLiteral("klmnopqrstuv")}));
}

TEST_F(WrapTextTest, CarriedTailFillsABlankLineAndTheReflowGoesOn)
{
    QStringList s{QStringLiteral("abcdefghij"), QString(), QStringLiteral("klmnopqrstuv")};
    obj.WrapText(s, 7.5 * charMm, 3);
    EXPECT_EQ(s, (QStringList{QStringLiteral("abcdefg"), QStringLiteral("hij "), QStringLiteral("klmnopq"),
                              QStringLiteral("rstuv ")}));
}

// ---- tints ---------------------------------------------------------------------

TEST(BlankObjTintTest, PaleTintsOfTheFormColour)
{
    EXPECT_EQ(TBlankObj::HalfColorA(clRed), 0x00E5E5FFu); // 90 % to white: 255 * 9 div 10 = 229
    EXPECT_EQ(TBlankObj::HalfColorB(clRed), 0x00CCCCFFu); // 80 %: 204
    EXPECT_EQ(TBlankObj::HalfColorA(clWhite), clWhite);
    EXPECT_EQ(TBlankObj::HalfColorB(clBlack), 0x00CCCCCCu);
}

} // namespace
