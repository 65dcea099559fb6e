#pragma once

#include "platform/Canvas.h"

#include <QImage>

// Bits per pixel of a bitmap: 32 for drawing fast, 24 where a bitmap as
// large as a printed page must take a quarter less memory.
enum TPixelFormat { pf24bit, pf32bit };

// An off-screen RGB bitmap, 32-bit unless told otherwise, that carries its own canvas.
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
    TPixelFormat PixelFormat() const { return m_format; }
    // A bitmap given the other depth starts white at its size.
    void SetPixelFormat(TPixelFormat format);

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
    TPixelFormat m_format = pf32bit;
    mutable TCanvas m_canvas; // its waiting fills belong to the pixels
};
