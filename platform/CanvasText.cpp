#include "platform/Canvas.h"

#include "platform/CanvasGeometry.h"
#include "platform/TextImages.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QVarLengthArray>

#include <climits>

namespace {

// How far a text may run along its baseline from (x, y) before it leaves the
// box, for the turns that keep the baseline on an axis; INT_MAX when the
// box does not bound it that way.
int RoomAlongBaseline(const QRect& box, int x, int y, int angle)
{
    switch ((angle % 3600 + 3600) % 3600) {
    case 0: return box.right() + 1 - x;
    case 900: return y - box.top() + 1;
    case 1800: return x - box.left() + 1;
    case 2700: return box.bottom() + 1 - y;
    default: return INT_MAX;
    }
}

// A character whose glyph and advance do not depend on its neighbours: no
// mark that joins the one before, no invisible control or format character,
// no half of a pair.
bool StandsAlone(QChar ch)
{
    const char16_t u = ch.unicode();
    if ((u >= 0x20 && u < 0x7f) || (u >= 0xa0 && u < 0x180 && u != 0xad))
        return true;
    switch (ch.category()) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return false;
    default: return true;
    }
}

} // namespace

int TCanvas::TextWidth(const QString& text) const
{
    // Without kerning or shaping a text's width is the sum of its characters' advances.
    int width = 0;
    for (const QChar ch : text) {
        if (!StandsAlone(ch))
            return Font.Face().Metrics().horizontalAdvance(text);
        width += CharAdvance(ch);
    }
    return width;
}

int TCanvas::TextHeight() const
{
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

QString TCanvas::VisiblePart(const QString& text, int room) const
{
    // A glyph may reach back over its neighbours by less than an em; what
    // starts further past the edge leaves no pixel inside.
    const int limit = room + Font.Height() + 2;
    int pen = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (pen >= limit)
            return text.left(i);
        // What may join its neighbours counts as nothing: the cut only comes later.
        if (StandsAlone(text[i]))
            pen += CharAdvance(text[i]);
    }
    return text;
}

void TCanvas::DrawTextCell(int x, int y, const QString& whole, const TRect* clip)
{
    if (!IsActive() || whole.isEmpty())
        return;
    if (clip && (clip->Right <= clip->Left || clip->Bottom <= clip->Top))
        return;
    const bool raster = m_painter->paintEngine()->type() == QPaintEngine::Raster;
    const int angle = Font.Escapement();
    // Pixels outside the box or the bitmap are never seen: a long text is cut
    // before it is laid out, drawn or kept as a picture.
    QRect box = clip ? ToQRect(*clip) : QRect();
    if (raster) {
        const QRect device(0, 0, m_device->width(), m_device->height());
        box = clip ? box.intersected(device) : device;
    }
    const int room = box.isValid() ? RoomAlongBaseline(box, x, y, angle) : INT_MAX;
    const QString text = room < INT_MAX ? VisiblePart(whole, std::max(room, 0)) : whole;
    if (text.isEmpty())
        return;
    FlushFills();
    const QFont& font = Font.ToQFont();
    const QColor color = ToQColor(Font.Color());
    if (m_painterFontId != Font.Id()) {
        m_painter->setFont(font);
        m_painterFontId = Font.Id();
    }
    m_painter->setPen(color);
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
    const TextImage* picture = angle == 0 && raster ? LargeTextImage(font, color, text) : nullptr;
    if (picture)
        m_painter->drawImage(baseline - picture->baseline, picture->image);
    else if (!(angle == 0 && raster && DrawGlyphs(baseline, text)))
        m_painter->drawText(baseline, text);
    if (scoped)
        m_painter->restore();
}

bool TCanvas::DrawGlyphs(QPoint baseline, const QString& text)
{
    // The glyphs straight from the face at their advances, as the layout
    // would place them, without laying the text out.
    if (Font.Style() & (fsUnderline | fsStrikeOut))
        return false;
    TFace& face = Font.Face();
    if (!face.RawFont().isValid())
        return false;
    QVarLengthArray<quint32, 64> glyphs;
    QVarLengthArray<QPointF, 64> positions;
    int pen = 0;
    for (const QChar ch : text) {
        if (!StandsAlone(ch))
            return false;
        const quint32 glyph = face.Glyph(ch);
        // A character the face lacks is left to the layout, which finds another face for it.
        if (glyph == 0)
            return false;
        glyphs.append(glyph);
        positions.append(QPointF(pen, 0));
        pen += face.Advance(ch);
    }
    QGlyphRun run;
    run.setRawFont(face.RawFont());
    run.setRawData(glyphs.constData(), positions.constData(), int(glyphs.size()));
    m_painter->drawGlyphRun(baseline, run);
    return true;
}
