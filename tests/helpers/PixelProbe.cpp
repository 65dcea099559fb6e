#include "PixelProbe.h"

TColor PixelAt(const QImage& image, int x, int y)
{
    return FromQColor(QColor(image.pixel(x, y)));
}

int CountPixels(const QImage& image, const QRect& area, TColor color)
{
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += PixelAt(image, x, y) == color;
    return count;
}

QRect InkBounds(const QImage& image, const QRect& area, TColor background)
{
    QRect bounds;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            bounds |= PixelAt(image, x, y) != background ? QRect(x, y, 1, 1) : QRect();
    return bounds;
}

QString DescribePixel(const QImage& image, int x, int y)
{
    return QStringLiteral("(%1, %2) is 0x%3").arg(x).arg(y).arg(PixelAt(image, x, y), 6, 16, QLatin1Char('0'));
}
