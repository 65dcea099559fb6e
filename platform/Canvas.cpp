#include "platform/Canvas.h"

#include "platform/FontFaces.h"
#include "platform/TextImages.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Multiplies and divides with the result rounded half away from zero.
int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return 0;
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = std::llabs(denominator) / 2;
    long long q = (std::llabs(product) + half) / std::llabs(denominator);
    if ((product < 0) != (denominator < 0))
        q = -q;
    return static_cast<int>(std::clamp<long long>(q, INT32_MIN, INT32_MAX));
}

// The one-pixel dash patterns of the original platform, in pixels on, off, on...
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

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

void Normalize(int& a, int& b)
{
    if (a > b)
        std::swap(a, b);
}

} // namespace

// ---- TFont -----------------------------------------------------------------

int TFont::Size() const
{
    return MulDiv(m_heightPx, 72, m_pixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(MulDiv(points, m_pixelsPerInch, 72));
}

void TFont::SetHeight(int pixels)
{
    Changed(m_heightPx != std::abs(pixels));
    m_heightPx = std::abs(pixels);
}

void TFont::SetName(const QString& name)
{
    Changed(m_name != name);
    m_name = name;
}

void TFont::SetStyle(TFontStyles style)
{
    Changed(m_style != style);
    m_style = style;
}

void TFont::SetOrientation(int tenths)
{
    m_orientation = tenths;
    // The turn is the canvas's to draw; the face stays as it is.
    Changed(false);
}

void TFont::Changed(bool face)
{
    // A new font handle is made from the font's own fields, so an escapement
    // set on the old handle does not survive it.
    m_escapement = m_orientation;
    // The drawing sets the same face again and again; building it is most of
    // the cost of a small text.
    if (face)
        m_fresh = false;
}

const QFont& TFont::ToQFont() const
{
    if (m_fresh)
        return m_qfont;
    const FaceSubstitute face = SubstituteFace(m_name);
    QFont font(face.family);
    // A zero height would fall back to Qt's default size; one pixel is closer
    // to what such a tiny font draws.
    font.setPixelSize(std::max(1, m_heightPx));
    font.setWeight(face.weight != 0 ? QFont::Weight(face.weight)
                                    : ((m_style & fsBold) ? QFont::Bold : QFont::Normal));
    font.setItalic(m_style & fsItalic);
    font.setUnderline(m_style & fsUnderline);
    font.setStrikeOut(m_style & fsStrikeOut);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferNoShaping));
    m_qfont = font;
    static quint64 lastId = 0;
    m_id = ++lastId;

    const WinVerticalMetrics metrics = FaceWinMetrics(font);
    const double em = std::max(1, m_heightPx);
    m_ascentPx = int(std::lround(metrics.ascentPerEm * em));
    m_descentPx = int(std::lround(metrics.descentPerEm * em));
    m_fresh = true;
    return m_qfont;
}

int TFont::Ascent() const
{
    ToQFont();
    return m_ascentPx;
}

int TFont::Descent() const
{
    ToQFont();
    return m_descentPx;
}

// ---- TCanvas ---------------------------------------------------------------

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
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_device = nullptr;
    m_clipRect = QRect();
    m_metrics.reset();
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

void TCanvas::FillRect(const TRect& r)
{
    if (!IsActive() || Brush.Style == bsClear)
        return;
    TRect n = r;
    Normalize(n.Left, n.Right);
    Normalize(n.Top, n.Bottom);
    m_painter->fillRect(ToQRect(n), ToQColor(Brush.Color));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (!IsActive())
        return;
    Normalize(left, right);
    Normalize(top, bottom);
    if (right - left < 1 || bottom - top < 1)
        return;
    if (Brush.Style != bsClear)
        m_painter->fillRect(QRect(left, top, right - left, bottom - top), ToQColor(Brush.Color));
    if (Pen.Style == psClear)
        return;
    // The outline runs through the centres of the box's outermost pixels.
    const QPoint corners[] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
    if (Pen.Width <= 1) {
        if (right - left <= 2 || bottom - top <= 2) {
            // No inside left: the outline covers the whole box.
            m_painter->fillRect(QRect(left, top, right - left, bottom - top), ToQColor(Pen.Color));
            return;
        }
        m_styleStep = 0;
        for (int i = 0; i < 4; ++i)
            DrawThinLine(corners[i], corners[(i + 1) % 4]);
        return;
    }
    ApplyPen(true);
    m_painter->setBrush(Qt::NoBrush);
    QPolygonF outline;
    for (const QPoint& p : corners)
        outline << QPointF(p.x() + 0.5, p.y() + 0.5);
    m_painter->drawPolygon(outline);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    if (!IsActive())
        return;
    Normalize(left, right);
    Normalize(top, bottom);
    if (right - left < 1 || bottom - top < 1)
        return;
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
    if (IsActive() && Brush.Style != bsClear && !m_path.isEmpty())
        m_painter->fillPath(m_path, ToQColor(Brush.Color));
    m_path = QPainterPath();
}

void TCanvas::Draw(int x, int y, const QImage& image)
{
    if (IsActive())
        m_painter->drawImage(QPoint(x, y), image);
}

void TCanvas::LineTo(int x, int y)
{
    const QPoint from = m_penPos;
    const QPoint to(x, y);
    m_penPos = to;
    if (!IsActive() || Pen.Style == psClear || from == to)
        return;
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
    const int steps = std::max(dx, dy);
    int x = from.x();
    int y = from.y();
    int error = (dx >= dy ? dx : dy) / 2;
    for (int i = 0; i < steps; ++i) {
        if (PatternIsOn(pattern, m_styleStep++))
            m_painter->fillRect(QRect(x, y, 1, 1), color);
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
}

void TCanvas::DrawWideLine(QPoint from, QPoint to)
{
    ApplyPen(true);
    m_painter->drawLine(QPointF(from.x() + 0.5, from.y() + 0.5), QPointF(to.x() + 0.5, to.y() + 0.5));
}

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
