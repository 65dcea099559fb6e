#include "platform/Canvas.h"

#include "platform/CanvasGeometry.h"
#include "platform/TextImages.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>

int TCanvas::TextWidth(const QString& text) const
{
    const QFont& font = Font.ToQFont();
    if (!m_metrics || m_metricsFontId != Font.Id()) {
        m_metrics.emplace(font, m_device);
        m_metricsFontId = Font.Id();
    }
    return m_metrics->horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const
{
    // The cell height is the face's, whatever the text holds.
    return Font.Ascent() + Font.Descent();
}

int TCanvas::TextAscent() const
{
    return Font.Ascent();
}

int TCanvas::TextDescent() const
{
    return Font.Descent();
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    DrawTextCell(x, y, text, nullptr);
    m_penPos = QPoint(x, y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    DrawTextCell(x, y, text, &r);
}

void TCanvas::DrawTextCell(int x, int y, const QString& text, const TRect* clip)
{
    if (!IsActive() || text.isEmpty())
        return;
    if (clip && (clip->Right <= clip->Left || clip->Bottom <= clip->Top))
        return;
    const QFont& font = Font.ToQFont();
    const QColor color = ToQColor(Font.Color());
    if (m_painterFontId != Font.Id()) {
        m_painter->setFont(font);
        m_painterFontId = Font.Id();
    }
    m_painter->setPen(color);
    const int angle = Font.Escapement();
    // A restore reaches the engine at once, where a reset would wait for the
    // next drawing: a printer's engine must not end its job turned or cut.
    const bool scoped = clip || angle != 0;
    if (scoped) {
        m_painter->save();
        if (clip)
            m_painter->setClipRect(ToQRect(*clip));
        if (angle != 0) {
            m_painter->translate(x, y);
            m_painter->rotate(-angle / 10.0);
            x = y = 0;
        }
    }
    const int ascent = Font.Ascent();
    if (Brush.Style != bsClear)
        m_painter->fillRect(QRect(x, y, TextWidth(text), ascent + Font.Descent()), ToQColor(Brush.Color));
    const QPoint baseline(x, y + ascent);
    // Paper and PDF keep their text as text; only pixels are worth caching.
    const TextImage* picture = angle == 0 && m_painter->paintEngine()->type() == QPaintEngine::Raster
                                   ? LargeTextImage(font, color, text)
                                   : nullptr;
    if (picture)
        m_painter->drawImage(baseline - picture->baseline, picture->image);
    else
        m_painter->drawText(baseline, text);
    if (scoped)
        m_painter->restore();
}
