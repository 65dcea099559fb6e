// The canvas must reproduce the raster rules the forms were measured with:
// boxes without their right and bottom edges, lines without their end pixel,
// text placed by the top-left corner of its cell. Shapes and turned text in
// millimetres are probed through the drawing object.
#include "helpers/PixelProbe.h"
#include "helpers/QtPrinters.h"
#include "platform/Bitmap.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Paper = clWhite;
constexpr TColor Ink = 0x00336699;
constexpr TColor Fill = 0x0000CC00;

class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() : bmp(200, 200)
    {
        canvas().Pen.Color = Ink;
        canvas().Brush.Color = Fill;
    }
    TCanvas& canvas() { return bmp.Canvas(); }
    const QImage& image() const { return bmp.Image(); }
    TBitmap bmp;
};

TEST_F(CanvasTest, FillRectLeavesOutRightAndBottomEdgesAndAClearBrushPaintsNothing)
{
    canvas().FillRect({10, 20, 30, 25});
    EXPECT_EQ(CountPixels(image(), QRect(10, 20, 20, 5), Fill), 100);
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(10, 20), QPoint(29, 24)));
    canvas().Brush.Style = bsClear;
    canvas().FillRect({50, 50, 60, 60});
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(10, 20), QPoint(29, 24)));
}

TEST_F(CanvasTest, ThinLineLeavesOutItsEndPixelWhateverItsDirection)
{
    const struct {
        QPoint from;
        QPoint to;
        int pixels; // how many the line sets: its length without the end pixel
    } cases[] = {{{10, 50}, {110, 50}, 100}, {{110, 60}, {10, 60}, 100}, {{50, 160}, {50, 110}, 50},
                 {{10, 10}, {40, 40}, 30}, {{10, 10}, {20, 50}, 40}, {{190, 20}, {110, 40}, 80}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from.x() << "," << c.from.y() << " to " << c.to.x() << "," << c.to.y());
        bmp.Image().fill(Qt::white);
        canvas().MoveTo(c.from.x(), c.from.y());
        canvas().LineTo(c.to.x(), c.to.y());
        EXPECT_EQ(PixelAt(image(), c.from.x(), c.from.y()), Ink);
        EXPECT_EQ(PixelAt(image(), c.to.x(), c.to.y()), Paper);
        EXPECT_EQ(CountPixels(image(), image().rect(), Ink), c.pixels);
        EXPECT_EQ(canvas().PenPos(), c.to);
    }
}

TEST_F(CanvasTest, WideLineHasRoundCapsAtBothEnds)
{
    canvas().Pen.Width = 3;
    canvas().MoveTo(10, 50);
    canvas().LineTo(100, 50);
    // Three rows centred on the line; the caps reach one pixel past each end.
    EXPECT_EQ(InkBounds(image(), Paper), QRect(QPoint(9, 49), QPoint(101, 51)));
}

TEST_F(CanvasTest, DottedThinLineRepeatsThreeOnThreeOff)
{
    // The deposit form's coupons are framed with a dotted hairline.
    canvas().Pen.Style = psDot;
    canvas().MoveTo(0, 5);
    canvas().LineTo(24, 5);
    QString seen;
    for (int x = 0; x < 24; ++x)
        seen += PixelAt(image(), x, 5) == Ink ? QLatin1Char('#') : QLatin1Char('.');
    EXPECT_EQ(seen, QStringLiteral("###...###...###...###..."));
}

TEST(FontTest, PointsBecomePixelsRoundedHalfAwayFromZeroAndStayWhenThePpiChanges)
{
    const struct {
        int ppi;
        int points;
        int pixels;
    } cases[] = {{254, 5, 18},  // 17.64
                 {96, 9, 12},   // exact
                 {60, 3, 3},    // 2.5, a half goes up
                 {60, 15, 13}}; // 12.5, a half goes up, not to the even 12
    for (const auto& c : cases) {
        TFont font;
        font.SetPixelsPerInch(c.ppi);
        font.SetSize(c.points);
        EXPECT_EQ(font.Height(), c.pixels) << c.points << " pt at " << c.ppi << " ppi";
    }
    TFont font;
    font.SetPixelsPerInch(254);
    font.SetSize(12); // 42.33
    font.SetPixelsPerInch(100);
    EXPECT_EQ(font.Height(), 42);
}

TEST(FontTest, CellHeightFollowsTheFacesWinMetrics)
{
    // Liberation Sans, like Arial, has a win ascent of 1854 and descent of 434 per 2048 units.
    TFont font;
    font.SetName(QStringLiteral("Arial CE"));
    font.SetHeight(2048);
    EXPECT_EQ(font.Ascent(), 1854);
    EXPECT_EQ(font.Descent(), 434);
    font.SetHeight(42);
    EXPECT_EQ(font.Ascent(), 38);  // 38.02
    EXPECT_EQ(font.Descent(), 9);  // 8.90
}

class CanvasTextTest : public CanvasTest {
protected:
    CanvasTextTest()
    {
        canvas().Font.SetName(QStringLiteral("Arial CE"));
        canvas().Font.SetHeight(40);
        canvas().Font.SetColor(Ink);
        canvas().Brush.Style = bsClear;
    }
};

TEST_F(CanvasTextTest, TextSitsOnTheBaselineAscentBelowItsTop)
{
    canvas().TextOut(30, 40, QStringLiteral("H"));
    const QRect ink = InkBounds(image(), Paper);
    const int ascent = canvas().TextAscent();
    EXPECT_EQ(ink.bottom(), 40 + ascent - 1); // H stands on the baseline
    // Its cap height is 1409 of 2048 units of the em.
    EXPECT_NEAR(ink.top(), 40 + ascent - 1409.0 / 2048 * 40, 1.0);
    EXPECT_NEAR(ink.left(), 30 + 0.08 * 40, 2.0); // the H's left bearing
}

} // namespace
