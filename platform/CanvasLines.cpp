#include "platform/Canvas.h"

#include "platform/CanvasGeometry.h"

#include <QPaintEngine>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cstdlib>

namespace {

struct DashPattern {
    const int* lengths;
    int count;
    int period;
};

DashPattern PatternOf(TPenStyle style)
{
    static const int dash[] = {18, 6};
    static const int dot[] = {3, 3};
    static const int dashDot[] = {9, 6, 3, 6};
    static const int dashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash: return {dash, 2, 24};
    case psDot: return {dot, 2, 6};
    case psDashDot: return {dashDot, 4, 24};
    case psDashDotDot: return {dashDotDot, 6, 24};
    default: return {nullptr, 0, 0};
    }
}

bool PatternIsOn(const DashPattern& pattern, int step)
{
    if (pattern.count == 0)
        return true;
    int at = step % pattern.period;
    for (int i = 0; i < pattern.count; ++i) {
        if (at < pattern.lengths[i])
            return i % 2 == 0;
        at -= pattern.lengths[i];
    }
    return true;
}

} // namespace

void TCanvas::FillArea(const QRect& r, const QColor& color)
{
    if (m_painter->paintEngine()->type() != QPaintEngine::Raster) {
        m_painter->fillRect(r, color);
        return;
    }
    // Each fill takes its pixels from the waiting fills of other colours, so
    // the areas stay apart and every pixel has the colour filled last.
    bool joined = false;
    for (auto& [rgb, area] : m_waitingFills) {
        if (rgb == color.rgba()) {
            area += r;
            joined = true;
        } else {
            area -= r;
        }
    }
    if (!joined)
        m_waitingFills.push_back({color.rgba(), QRegion(r)});
}

void TCanvas::FlushFills()
{
    for (const auto& [rgb, area] : m_waitingFills)
        for (const QRect& r : area)
            m_painter->fillRect(r, QColor::fromRgba(rgb));
    m_waitingFills.clear();
}

void TCanvas::FillRect(const TRect& r)
{
    if (!IsActive() || Brush.Style == bsClear)
        return;
    TRect n = r;
    Normalize(n.Left, n.Right);
    Normalize(n.Top, n.Bottom);
    FillArea(ToQRect(n), ToQColor(Brush.Color));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (!IsActive() || !NormalizeBox(left, top, right, bottom))
        return;
    if (Brush.Style != bsClear)
        FillArea(QRect(left, top, right - left, bottom - top), ToQColor(Brush.Color));
    if (Pen.Style == psClear)
        return;
    // The outline runs through the centres of the box's outermost pixels.
    const QPoint corners[] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
    if (Pen.Width <= 1) {
        if (right - left <= 2 || bottom - top <= 2) {
            // No inside left: the outline covers the whole box.
            FillArea(QRect(left, top, right - left, bottom - top), ToQColor(Pen.Color));
            return;
        }
        FlushFills();
        m_styleStep = 0;
        for (int i = 0; i < 4; ++i)
            DrawThinLine(corners[i], corners[(i + 1) % 4]);
        return;
    }
    FlushFills();
    ApplyPen(true);
    m_painter->setBrush(Qt::NoBrush);
    QPolygonF outline;
    for (const QPoint& p : corners)
        outline << QPointF(p.x() + 0.5, p.y() + 0.5);
    m_painter->drawPolygon(outline);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    if (!IsActive() || !NormalizeBox(left, top, right, bottom))
        return;
    FlushFills();
    const QRectF box(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
    m_painter->setBrush(Brush.Style == bsClear ? QBrush(Qt::NoBrush) : QBrush(ToQColor(Brush.Color)));
    if (Pen.Style == psClear) {
        m_painter->setPen(Qt::NoPen);
        // Without an outline the fill reaches the box's right and bottom edge pixels' centres.
        m_painter->drawEllipse(QRectF(left, top, right - left, bottom - top));
        return;
    }
    ApplyPen(Pen.Width > 1);
    m_painter->drawEllipse(box);
}

void TCanvas::MoveTo(int x, int y)
{
    m_penPos = QPoint(x, y);
    m_styleStep = 0;
    if (m_inPath)
        m_path.moveTo(x, y);
}

void TCanvas::BeginPath()
{
    m_path = QPainterPath();
    m_path.setFillRule(Qt::OddEvenFill);
    m_inPath = true;
}

void TCanvas::PolyBezierTo(const QPoint* points, int count)
{
    for (int i = 0; i + 2 < count; i += 3) {
        if (m_inPath)
            m_path.cubicTo(points[i], points[i + 1], points[i + 2]);
        m_penPos = points[i + 2];
    }
}

void TCanvas::EndPath()
{
    if (m_inPath)
        m_path.closeSubpath();
    m_inPath = false;
}

void TCanvas::FillPath()
{
    // Vertices lie on pixel corners, so pixels whose centres fall inside are
    // filled: the right and bottom edges stay out, as for boxes.
    if (IsActive() && Brush.Style != bsClear && !m_path.isEmpty()) {
        FlushFills();
        m_painter->fillPath(m_path, ToQColor(Brush.Color));
    }
    m_path = QPainterPath();
}

void TCanvas::LineTo(int x, int y)
{
    const QPoint from = m_penPos;
    const QPoint to(x, y);
    m_penPos = to;
    if (!IsActive() || Pen.Style == psClear || from == to)
        return;
    FlushFills();
    if (Pen.Width <= 1)
        DrawThinLine(from, to);
    else
        DrawWideLine(from, to);
}

void TCanvas::ApplyPen(bool wide)
{
    if (Pen.Style == psClear) {
        m_painter->setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(Pen.Color));
    if (wide) {
        // Wide pens are solid whatever their style, centred, with round ends.
        pen.setWidth(Pen.Width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else {
        pen.setWidth(1);
        pen.setCosmetic(true);
    }
    m_painter->setPen(pen);
}

void TCanvas::DrawThinLine(QPoint from, QPoint to)
{
    if (from == to)
        return;
    const QColor color = ToQColor(Pen.Color);
    const DashPattern pattern = PatternOf(Pen.Style);
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    const int sx = to.x() > from.x() ? 1 : -1;
    const int sy = to.y() > from.y() ? 1 : -1;
    if (pattern.count == 0 && (dx == 0 || dy == 0)) {
        // Straight solid lines are one filled run without the end pixel.
        const QPoint last = to - QPoint(dx == 0 ? 0 : sx, dy == 0 ? 0 : sy);
        const QPoint topLeft(std::min(from.x(), last.x()), std::min(from.y(), last.y()));
        const QPoint bottomRight(std::max(from.x(), last.x()), std::max(from.y(), last.y()));
        m_painter->fillRect(QRect(topLeft, bottomRight), color);
        return;
    }
    // Bresenham stepping along the major axis; the end pixel is not drawn.
    // Pixels on one row (or column) next to each other are filled as one run.
    QVarLengthArray<QRect, 64> runs;
    QRect run;
    const auto extends = [&](int x, int y) {
        if (run.isNull())
            return false;
        if (dx >= dy)
            return y == run.top() && x == (sx > 0 ? run.right() + 1 : run.left() - 1);
        return x == run.left() && y == (sy > 0 ? run.bottom() + 1 : run.top() - 1);
    };
    const int steps = std::max(dx, dy);
    int x = from.x();
    int y = from.y();
    int error = (dx >= dy ? dx : dy) / 2;
    for (int i = 0; i < steps; ++i) {
        if (PatternIsOn(pattern, m_styleStep++)) {
            if (extends(x, y)) {
                run = run.united(QRect(x, y, 1, 1));
            } else {
                if (!run.isNull())
                    runs.append(run);
                run = QRect(x, y, 1, 1);
            }
        }
        if (dx >= dy) {
            x += sx;
            error -= dy;
            if (error < 0) {
                y += sy;
                error += dx;
            }
        } else {
            y += sy;
            error -= dx;
            if (error < 0) {
                x += sx;
                error += dy;
            }
        }
    }
    if (!run.isNull())
        runs.append(run);
    // Pixels take the runs in one call; a printer's engine strokes rectangles
    // its own way, so it gets them one by one as filled boxes.
    if (m_painter->paintEngine()->type() == QPaintEngine::Raster) {
        m_painter->setPen(Qt::NoPen);
        m_painter->setBrush(color);
        m_painter->drawRects(runs.constData(), int(runs.size()));
        return;
    }
    for (const QRect& r : runs)
        m_painter->fillRect(r, color);
}

void TCanvas::DrawWideLine(QPoint from, QPoint to)
{
    ApplyPen(true);
    m_painter->drawLine(QPointF(from.x() + 0.5, from.y() + 0.5), QPointF(to.x() + 0.5, to.y() + 0.5));
}

