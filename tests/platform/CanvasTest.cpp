// The canvas must reproduce the raster rules the forms were measured with: boxes without their right and bottom
// edges, lines without their end pixel, text cut only where its box ends.
#include "helpers/PixelProbe.h"
#include "helpers/QtPrinters.h"
#include "platform/Bitmap.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr TColor Ink = 0x00336699;
constexpr TColor Fill = 0x0000CC00;

TEST(Canvas, BoxesLeaveOutTheirRightAndBottomEdgesAndLinesTheirEndPixel)
{
    TBitmap bmp(200, 200);
    TCanvas& canvas = bmp.Canvas();
    canvas.Pen.Color = Ink;
    canvas.Brush.Color = Fill;
    canvas.FillRect({10, 20, 30, 25});
    canvas.Brush.Style = bsClear;
    canvas.FillRect({50, 50, 60, 60});
    EXPECT_EQ(CountPixels(bmp.Image(), bmp.Image().rect(), Fill), 100);
    EXPECT_EQ(InkBounds(bmp.Image(), clWhite), QRect(QPoint(10, 20), QPoint(29, 24)));
    const struct {
        QPoint from;
        QPoint to;
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
}

// A text far longer than its box, cut before it is drawn, leaves the pixels the whole of it leaves, also of italic
// glyphs reaching back over the box's edge (at every edge over a few characters), upright and upside down.
TEST(Canvas, ALongTextInABoxDrawsWhatTheWholeOfItDrawsThere)
{
    const QString text = u"Wjazd fff "_s.repeated(2000);
    for (int edge = 200; edge < 320; ++edge) {
        const bool upright = edge < 260;
        const int room = upright ? edge : edge - 60;
        const QRect box = upright ? QRect(40, 10, room - 40, 100) : QRect(300 - room, 10, room - 41, 100);
        const QPoint corner = upright ? QPoint(40, 20) : QPoint(259, 100);
        TBitmap bmp(300, 120);
        TCanvas& canvas = bmp.Canvas();
        canvas.Brush.Style = bsClear;
        canvas.Font.SetHeight(30);
        canvas.Font.SetStyle(fsItalic);
        canvas.Font.SetColor(Ink);
        canvas.Font.SetEscapement(upright ? 0 : 1800); // the turn last: any font change drops it
        canvas.TextRect({box.left(), box.top(), box.right() + 1, box.bottom() + 1}, corner.x(), corner.y(), text);
        QImage whole(bmp.Image().size(), bmp.Image().format());
        whole.fill(Qt::white);
        QPainter painter(&whole);
        painter.setFont(canvas.Font.ToQFont());
        painter.setPen(ToQColor(Ink));
        painter.setClipRect(box);
        painter.translate(corner);
        painter.rotate(upright ? 0 : -180);
        painter.drawText(QPoint(0, canvas.Font.Ascent()), text);
        painter.end();
        EXPECT_GT(CountPixels(whole, whole.rect(), Ink), 1000) << edge;
        EXPECT_TRUE(bmp.Image() == whole) << edge;
    }
}

// An underlined text is laid out in the painter's font: one a caller gave the painter is not the canvas's.
TEST(Canvas, AFontGivenToItsPainterDoesNotStayForTheCanvassText)
{
    TBitmap bmp(200, 100);
    TCanvas& canvas = bmp.Canvas();
    canvas.Font.SetHeight(20);
    canvas.Font.SetStyle(fsUnderline);
    canvas.TextOut(0, 0, u"Wj"_s);
    canvas.Painter()->setFont(QFont(canvas.Font.ToQFont().family(), 40));
    canvas.TextOut(100, 0, u"Wj"_s);
    EXPECT_EQ(bmp.Image().copy(0, 0, 100, 100), bmp.Image().copy(100, 0, 100, 100));
}

} // namespace
