#pragma once

// What a drawing hands to the toolkit, recorded as a list of device
// primitives (fills, paths, strokes, texts, pictures, clips), and that list
// drawn again straight through cairo or straight through QPainter. Ours
// against these replays tells our own cost from the toolkit's.

#include <QFont>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextItem>

#include <cairo.h>

#include <map>
#include <memory>
#include <tuple>
#include <vector>

struct PaintOp {
    enum Kind { Fill, Stroke, Text, Picture, Clip } kind = Fill;
    QPainterPath path;  // Fill, Stroke; Clip: empty for none
    QColor color;
    double width = 1;   // Stroke
    QTransform transform; // Text
    QPointF at;         // Text baseline, Picture corner
    QFont font;
    QString text;
    QImage image;
};

class PaintRecordEngine : public QPaintEngine {
public:
    explicit PaintRecordEngine(std::vector<PaintOp>& ops) : QPaintEngine(AllFeatures), m_ops(ops) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen)
            m_pen = state.pen();
        if (dirty & DirtyBrush)
            m_brush = state.brush();
        if (dirty & DirtyTransform)
            m_transform = state.transform();
        if (dirty & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled)) {
            PaintOp op{PaintOp::Clip};
            if (painter()->hasClipping())
                op.path = painter()->transform().map(painter()->clipPath());
            m_ops.push_back(op);
        }
    }
    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            QPainterPath path;
            path.addRect(rects[i]);
            Shape(path, true);
        }
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            QPainterPath path;
            path.addRect(rects[i]);
            Shape(path, true);
        }
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            QPainterPath path(lines[i].p1());
            path.lineTo(lines[i].p2());
            Shape(path, false);
        }
    }
    void drawPath(const QPainterPath& path) override { Shape(path, true); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode != PolylineMode)
            path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        Shape(path, mode != PolylineMode);
    }
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override
    {
        drawImage(r, pm.toImage(), sr, Qt::AutoColor);
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override
    {
        PaintOp op{PaintOp::Picture};
        op.at = m_transform.map(r.topLeft());
        op.image = image.copy(sr.toRect()).convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                                    : QImage::Format_RGB32);
        m_ops.push_back(op);
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        PaintOp op{PaintOp::Text};
        op.at = p;
        op.transform = m_transform;
        op.font = item.font();
        op.text = item.text();
        op.color = m_pen.color();
        m_ops.push_back(op);
    }

private:
    void Shape(const QPainterPath& path, bool fill)
    {
        const QPainterPath device = m_transform.map(path);
        if (fill && m_brush.style() != Qt::NoBrush) {
            PaintOp op{PaintOp::Fill, device, m_brush.color()};
            m_ops.push_back(op);
        }
        if (m_pen.style() != Qt::NoPen) {
            PaintOp op{PaintOp::Stroke, device, m_pen.color(), m_pen.isCosmetic() ? 1.0 : m_pen.widthF()};
            m_ops.push_back(op);
        }
    }

    std::vector<PaintOp>& m_ops;
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
};

// A device of a given size in pixels that records what is drawn on it.
class PaintRecordDevice : public QPaintDevice {
public:
    explicit PaintRecordDevice(QSize size) : m_size(size), m_engine(ops) {}
    ~PaintRecordDevice() override = default;
    QPaintEngine* paintEngine() const override { return &m_engine; }
    std::vector<PaintOp> ops;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    QSize m_size;
    mutable PaintRecordEngine m_engine;
};

// The list drawn through cairo onto an image surface the size of the page:
// the same faces by name, at the same pixel sizes, without antialiasing.
class CairoReplay {
public:
    explicit CairoReplay(QSize size)
        : m_surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.width(), size.height()))
    {
        m_options = cairo_font_options_create();
        cairo_font_options_set_antialias(m_options, CAIRO_ANTIALIAS_NONE);
        cairo_font_options_set_hint_style(m_options, CAIRO_HINT_STYLE_FULL);
        cairo_font_options_set_hint_metrics(m_options, CAIRO_HINT_METRICS_ON);
    }
    ~CairoReplay()
    {
        for (auto& [key, face] : m_faces)
            cairo_font_face_destroy(face);
        cairo_font_options_destroy(m_options);
        cairo_surface_destroy(m_surface);
    }
    CairoReplay(const CairoReplay&) = delete;
    CairoReplay& operator=(const CairoReplay&) = delete;

    void Play(const std::vector<PaintOp>& ops)
    {
        cairo_t* cr = cairo_create(m_surface);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_font_options(cr, m_options);
        for (const PaintOp& op : ops) {
            switch (op.kind) {
            case PaintOp::Fill:
                Path(cr, op.path);
                Source(cr, op.color);
                cairo_set_fill_rule(cr, op.path.fillRule() == Qt::OddEvenFill ? CAIRO_FILL_RULE_EVEN_ODD
                                                                              : CAIRO_FILL_RULE_WINDING);
                cairo_fill(cr);
                break;
            case PaintOp::Stroke:
                Path(cr, op.path);
                Source(cr, op.color);
                cairo_set_line_width(cr, op.width);
                cairo_set_line_cap(cr, op.width > 1 ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
                cairo_set_line_join(cr, op.width > 1 ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
                cairo_stroke(cr);
                break;
            case PaintOp::Text: {
                cairo_save(cr);
                const QTransform& t = op.transform;
                cairo_matrix_t m;
                cairo_matrix_init(&m, t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy());
                cairo_set_matrix(cr, &m);
                cairo_set_font_face(cr, Face(op.font));
                cairo_set_font_size(cr, op.font.pixelSize());
                Source(cr, op.color);
                cairo_move_to(cr, op.at.x(), op.at.y());
                cairo_show_text(cr, op.text.toUtf8().constData());
                cairo_restore(cr);
                break;
            }
            case PaintOp::Picture: {
                QImage& image = const_cast<QImage&>(op.image);
                cairo_surface_t* source = cairo_image_surface_create_for_data(
                    image.bits(), image.hasAlphaChannel() ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24,
                    image.width(), image.height(), int(image.bytesPerLine()));
                cairo_set_source_surface(cr, source, op.at.x(), op.at.y());
                cairo_paint(cr);
                cairo_surface_destroy(source);
                break;
            }
            case PaintOp::Clip:
                cairo_reset_clip(cr);
                if (!op.path.isEmpty()) {
                    Path(cr, op.path);
                    cairo_clip(cr);
                }
                break;
            }
        }
        cairo_destroy(cr);
        cairo_surface_flush(m_surface);
    }

private:
    static void Source(cairo_t* cr, const QColor& c) { cairo_set_source_rgb(cr, c.redF(), c.greenF(), c.blueF()); }
    static void Path(cairo_t* cr, const QPainterPath& path)
    {
        cairo_new_path(cr);
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (e.isMoveTo()) {
                cairo_move_to(cr, e.x, e.y);
            } else if (e.isLineTo()) {
                cairo_line_to(cr, e.x, e.y);
            } else if (e.isCurveTo()) {
                const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
                cairo_curve_to(cr, e.x, e.y, c2.x, c2.y, end.x, end.y);
                i += 2;
            }
        }
    }
    cairo_font_face_t* Face(const QFont& font)
    {
        const auto key = std::make_tuple(font.family(), font.weight() >= QFont::DemiBold, font.italic());
        auto found = m_faces.find(key);
        if (found == m_faces.end()) {
            cairo_font_face_t* face = cairo_toy_font_face_create(
                font.family().toUtf8().constData(), font.italic() ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                std::get<1>(key) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
            found = m_faces.emplace(key, face).first;
        }
        return found->second;
    }

    cairo_surface_t* m_surface;
    cairo_font_options_t* m_options;
    std::map<std::tuple<QString, bool, bool>, cairo_font_face_t*> m_faces;
};

// The same list through QPainter on an image: the fewest calls the toolkit
// needs for the picture.
inline void QtReplay(QImage& image, const std::vector<PaintOp>& ops)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    for (const PaintOp& op : ops) {
        switch (op.kind) {
        case PaintOp::Fill: {
            const QRectF box = op.path.boundingRect();
            if (op.path.elementCount() == 5 && box == box.toRect())
                p.fillRect(box.toRect(), op.color);
            else
                p.fillPath(op.path, op.color);
            break;
        }
        case PaintOp::Stroke: {
            QPen pen(op.color, op.width);
            pen.setCosmetic(op.width <= 1);
            pen.setCapStyle(op.width > 1 ? Qt::RoundCap : Qt::FlatCap);
            pen.setJoinStyle(op.width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
            p.strokePath(op.path, pen);
            break;
        }
        case PaintOp::Text:
            p.save();
            p.setTransform(op.transform);
            p.setFont(op.font);
            p.setPen(op.color);
            p.drawText(op.at, op.text);
            p.restore();
            break;
        case PaintOp::Picture: p.drawImage(op.at, op.image); break;
        case PaintOp::Clip:
            if (op.path.isEmpty())
                p.setClipping(false);
            else
                p.setClipPath(op.path);
            break;
        }
    }
}
