#pragma once

#include "platform/Color.h"

#include <QImage>
#include <QRect>
#include <QString>

// Exact colour probes on images drawn without antialiasing.
TColor PixelAt(const QImage& image, int x, int y);
// How many pixels of the area have the colour.
int CountPixels(const QImage& image, const QRect& area, TColor color);
// The smallest rectangle holding every pixel of the area that differs from background.
QRect InkBounds(const QImage& image, const QRect& area, TColor background);
inline QRect InkBounds(const QImage& image, TColor background) { return InkBounds(image, image.rect(), background); }
// "(x, y) is 0xBBGGRR" for failure messages.
QString DescribePixel(const QImage& image, int x, int y);
