#include "platform/Canvas.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

TCanvas::TCanvas() = default;

TCanvas::TCanvas(QPaintDevice* device)
{
    Begin(device);
}

TCanvas::~TCanvas()
{
    End();
}

void TCanvas::Begin(QPaintDevice* device)
{
    End();
    m_device = device;
    if (!device)
        return;
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(device)) {
        m_painter.reset();
        return;
    }
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, false);
    // A printer would otherwise get pictures as JPEG: lines blurred, colours shifted.
    m_painter->setRenderHint(QPainter::LosslessImageRendering, true);
    // A printer's engine outlives its job and keeps what the last one left
    // it; stating the clean state makes the painter hand it over with the
    // first drawing.
    m_painter->setWorldTransform(QTransform());
    m_painter->setClipRect(QRect(), Qt::NoClip);
}

void TCanvas::End()
{
    if (m_painter && m_painter->isActive()) {
        FlushFills();
        m_painter->end();
    }
    m_painter.reset();
    m_device = nullptr;
    m_clipRect = QRect();
    m_painterFontId = 0;
}

QRect TCanvas::ClipRect() const
{
    if (!m_clipRect.isNull())
        return m_clipRect;
    return m_device ? QRect(0, 0, m_device->width(), m_device->height()) : QRect();
}

bool TCanvas::IsActive() const
{
    return m_painter && m_painter->isActive();
}

void TCanvas::Draw(int x, int y, const QImage& image)
{
    if (!IsActive())
        return;
    FlushFills();
    m_painter->drawImage(QPoint(x, y), image);
}

void TCanvas::StretchDraw(const TRect& r, const QImage& image)
{
    if (!IsActive())
        return;
    FlushFills();
    m_painter->drawImage(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), image);
}

