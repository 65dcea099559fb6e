// The canvas must reproduce the raster rules the forms were measured with:
// boxes without their right and bottom edges, lines without their end pixel,
// text placed by the top-left corner of its cell (the reference pictures check text).
#include "helpers/PixelProbe.h"
#include "helpers/QtPrinters.h"
#include "platform/Bitmap.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Ink = 0x00336699, Fill = 0x0000CC00;

TEST(Canvas, BoxesLeaveOutTheirRightAndBottomEdgesAndLinesTheirEndPixel)
{
    TBitmap bmp(200, 200);
    TCanvas& canvas = bmp.Canvas();
    canvas.Pen.Color = Ink;
    canvas.Brush.Color = Fill;
    canvas.FillRect({10, 20, 30, 25});
    EXPECT_EQ(CountPixels(bmp.Image(), QRect(10, 20, 20, 5), Fill), 100);
    EXPECT_EQ(InkBounds(bmp.Image(), clWhite), QRect(QPoint(10, 20), QPoint(29, 24)));
    canvas.Brush.Style = bsClear;
    canvas.FillRect({50, 50, 60, 60});
    EXPECT_EQ(InkBounds(bmp.Image(), clWhite), QRect(QPoint(10, 20), QPoint(29, 24)));
    const struct {
        QPoint from, to;
        int pixels; // its length without the end pixel
    } cases[] = {{{10, 50}, {110, 50}, 100}, {{110, 60}, {10, 60}, 100}, {{50, 160}, {50, 110}, 50},
                 {{10, 10}, {40, 40}, 30}, {{10, 10}, {20, 50}, 40}, {{190, 20}, {110, 40}, 80}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from.x() << "," << c.from.y() << " to " << c.to.x() << "," << c.to.y());
        bmp.Image().fill(Qt::white);
        canvas.MoveTo(c.from.x(), c.from.y());
        canvas.LineTo(c.to.x(), c.to.y());
        EXPECT_EQ(PixelAt(bmp.Image(), c.from.x(), c.from.y()), Ink);
        EXPECT_EQ(PixelAt(bmp.Image(), c.to.x(), c.to.y()), clWhite);
        EXPECT_EQ(CountPixels(bmp.Image(), bmp.Image().rect(), Ink), c.pixels);
        EXPECT_EQ(canvas.PenPos(), c.to);
    }
    // A wide line has round caps reaching one pixel past each end.
    bmp.Image().fill(Qt::white);
    canvas.Pen.Width = 3;
    canvas.MoveTo(10, 50);
    canvas.LineTo(100, 50);
    EXPECT_EQ(InkBounds(bmp.Image(), clWhite), QRect(QPoint(9, 49), QPoint(101, 51)));
    // The deposit form's coupons are framed with a dotted hairline.
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psDot;
    canvas.MoveTo(0, 5);
    canvas.LineTo(24, 5);
    QString seen;
    for (int x = 0; x < 24; ++x)
        seen += PixelAt(bmp.Image(), x, 5) == Ink ? QLatin1Char('#') : QLatin1Char('.');
    EXPECT_EQ(seen, QStringLiteral("###...###...###...###..."));
}

TEST(Canvas, FontPointsBecomePixelsRoundedHalfAwayFromZeroAndStayWhenThePpiChanges)
{
    for (const auto& [ppi, points, pixels, laterPpi] : {std::tuple{254, 5, 18, 100}, {96, 9, 12, 96}, {60, 3, 3, 60},
                                                        {60, 15, 13, 60}}) { // 2.5 and 12.5 go up, not to even
        TFont font;
        font.SetPixelsPerInch(ppi);
        font.SetSize(points);
        font.SetPixelsPerInch(laterPpi);
        EXPECT_EQ(font.Height(), pixels) << points << " pt at " << ppi << " ppi";
    }
}

} // namespace
