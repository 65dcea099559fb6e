#pragma once

#include "platform/Canvas.h"

#include <QImage>

// An off-screen 32-bit RGB bitmap that carries its own canvas.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // A resized bitmap starts white; its canvas keeps pen, brush and font.
    void SetSize(int width, int height);

    TCanvas& Canvas();
    const QImage& Image() const { return m_image; }
    QImage& Image() { return m_image; }

private:
    QImage m_image;
    TCanvas m_canvas;
};
