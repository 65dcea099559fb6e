#include "platform/Bitmap.h"

#include <algorithm>

TBitmap::TBitmap(int width, int height)
{
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    m_canvas.End();
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == m_image.width() && height == m_image.height())
        return;
    m_canvas.End();
    m_image = QImage(); // the old picture goes before the new one is made
    m_image = QImage(width, height, m_format == pf24bit ? QImage::Format_RGB888 : QImage::Format_RGB32);
    m_image.fill(Qt::white);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == m_format)
        return;
    m_format = format;
    const QSize size = m_image.size();
    m_canvas.End();
    m_image = QImage();
    SetSize(size.width(), size.height());
}

TCanvas& TBitmap::Canvas()
{
    if (!m_canvas.IsActive() && !m_image.isNull())
        m_canvas.Begin(&m_image);
    return m_canvas;
}
