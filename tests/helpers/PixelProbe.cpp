#include "PixelProbe.h"

TColor PixelAt(const QImage& image, int x, int y)
{
    return FromQColor(QColor(image.pixel(x, y)));
}

int CountPixels(const QImage& image, const QRect& area, TColor color)
{
    const QRect clipped = area.intersected(image.rect());
    int count = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += PixelAt(image, x, y) == color;
    return count;
}

QRect InkBounds(const QImage& image, const QRect& area, TColor background)
{
    const QRect clipped = area.intersected(image.rect());
    QRect bounds;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (PixelAt(image, x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect InkBounds(const QImage& image, TColor background)
{
    return InkBounds(image, image.rect(), background);
}

QString DescribePixel(const QImage& image, int x, int y)
{
    return QStringLiteral("(%1, %2) is 0x%3").arg(x).arg(y).arg(PixelAt(image, x, y), 6, 16, QLatin1Char('0'));
}
