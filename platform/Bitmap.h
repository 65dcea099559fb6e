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
    // The pixels with every fill of the canvas in them.
    const QImage& Image() const
    {
        m_canvas.FlushFills();
        return m_image;
    }
    QImage& Image()
    {
        m_canvas.FlushFills();
        return m_image;
    }

private:
    QImage m_image;
    mutable TCanvas m_canvas; // its waiting fills belong to the pixels
};
