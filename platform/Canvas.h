#pragma once

#include "platform/Color.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QImage;
class QPaintDevice;
class QPainter;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TBrushStyle { bsSolid, bsClear };

using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// A device rectangle whose right and bottom edges lie outside it.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

struct TPen {
    TColor Color = clBlack;
    TPenStyle Style = psSolid;
    int Width = 1; // device pixels; 0 is drawn as 1
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// What the program learns of a face (a family at a pixel height in a style),
// learnt once per process and shared by every font of that face: the face
// itself, its metrics, and its characters' advances and glyphs as drawing
// asks for them.
class TFace {
public:
    explicit TFace(const QFont& font, quint64 id, int ascentPx, int descentPx);

    const QFont font;
    const quint64 id;
    const int ascentPx;
    const int descentPx;

    const QFontMetrics& Metrics() const { return m_metrics; }
    // The advance of a character in pixels, as the face lays it out alone.
    int Advance(QChar ch);
    // The glyph of a character in the face itself; 0 when the face lacks it.
    quint32 Glyph(QChar ch);
    const QRawFont& RawFont();

private:
    QFontMetrics m_metrics;
    std::array<int, 0x180> m_latinAdvances; // the letters of Polish texts, before any hash
    QHash<char16_t, int> m_advances;
    std::optional<QRawFont> m_rawFont;
    QHash<char16_t, quint32> m_glyphs;
};

// The canvas font. Its height is held in device pixels, as the size was
// converted at the PixelsPerInch in force when it was set: changing
// PixelsPerInch later does not rescale it.
class TFont {
public:
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void SetPixelsPerInch(int ppi) { m_pixelsPerInch = ppi; }

    // Points: height = round(points * PixelsPerInch / 72), a half away from zero.
    int Size() const;
    void SetSize(int points);
    int Height() const { return m_heightPx; } // character (em) height in pixels
    void SetHeight(int pixels);

    const QString& Name() const { return m_name; }
    void SetName(const QString& name);
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);

    // Tenths of a degree, counter-clockwise; turns the text's baseline too.
    int Orientation() const { return m_orientation; }
    void SetOrientation(int tenths);
    // The baseline angle actually drawn. A font handle made with another
    // escapement than its orientation keeps it until the font changes again.
    int Escapement() const { return m_escapement; }
    void SetEscapement(int tenths) { m_escapement = tenths; }

    // The face as this system has it, sized in device pixels, aliased.
    const QFont& ToQFont() const { return Face().font; }
    TFace& Face() const;
    // Tells faces apart: one number per face.
    quint64 Id() const { return Face().id; }
    // Ascent and descent in pixels from the face's own "win" metrics.
    int Ascent() const { return Face().ascentPx; }
    int Descent() const { return Face().descentPx; }

private:
    void Changed(bool face);

    int m_pixelsPerInch = 96;
    int m_heightPx = 11;
    QString m_name = QStringLiteral("MS Sans Serif");
    TColor m_color = clWindowText;
    TFontStyles m_style = 0;
    int m_orientation = 0;
    int m_escapement = 0;
    mutable std::shared_ptr<TFace> m_face; // none until asked for after a change
};

// Drawing in device pixels with the raster rules of the forms' original
// platform: boxes leave out their right and bottom edges, lines their end
// pixel, text is placed by the top-left corner of its cell, no antialiasing.
class TCanvas {
public:
    TCanvas();
    explicit TCanvas(QPaintDevice* device);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Starts painting on a device (ends any earlier one); End() releases it.
    void Begin(QPaintDevice* device);
    void End();
    bool IsActive() const;
    QPaintDevice* Device() const { return m_device; }
    // The part of the device the current drawing must cover; the whole device
    // unless its owner narrowed it for a partial repaint.
    QRect ClipRect() const;
    void SetClipRect(const QRect& rect) { m_clipRect = rect; }
    // For drawing the canvas has no call for. Whatever font the caller gives
    // the painter, the canvas's next text sets its own again.
    QPainter* Painter()
    {
        FlushFills();
        m_painterFontId = 0;
        return m_painter.get();
    }
    // Draws the fills that wait for what comes after them (see FillArea);
    // whoever reads the device's pixels while painting calls it first.
    void FlushFills();

    TPen Pen;
    TBrush Brush;
    TFont Font;

    void FillRect(const TRect& r);
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    QPoint PenPos() const { return m_penPos; }

    // A device path: between BeginPath and EndPath, MoveTo and PolyBezierTo
    // build it instead of drawing; FillPath fills it with the brush by the
    // alternate (even-odd) rule, without an outline, and discards it.
    void BeginPath();
    // Cubic segments from the pen position: every three points are two
    // control points and an end point.
    void PolyBezierTo(const QPoint* points, int count);
    void EndPath();
    void FillPath();

    // Copies an image at its own size with its top-left corner at (x, y).
    void Draw(int x, int y, const QImage& image);
    // Copies an image scaled to fill the rectangle.
    void StretchDraw(const TRect& r, const QImage& image);

    void TextOut(int x, int y, const QString& text);
    // Text with its cell's corner at (x, y), nothing of it outside r.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    // The height of a line of the current font, whatever it holds.
    int TextHeight() const;
    // Ascent and descent of the current font, as the face's own metrics give them.
    int TextAscent() const;
    int TextDescent() const;

private:
    // On a bitmap, fills wait until something else is drawn, so that a fill
    // a later one covers costs nothing: the forms fill tinted areas and then
    // their white cells on top.
    void FillArea(const QRect& r, const QColor& color);
    void DrawThinLine(QPoint from, QPoint to);
    void DrawWideLine(QPoint from, QPoint to);
    void ApplyPen(bool wide);
    void DrawTextCell(int x, int y, const QString& whole, const TRect* clip);
    int CharAdvance(QChar ch) const { return Font.Face().Advance(ch); }
    // The text up to where, room pixels along its baseline and more, it can leave no pixel.
    QString VisiblePart(const QString& text, int room) const;
    bool DrawGlyphs(QPoint baseline, const QString& text);

    QPaintDevice* m_device = nullptr;
    std::unique_ptr<QPainter> m_painter;
    QPoint m_penPos;
    QPainterPath m_path;
    bool m_inPath = false;
    QRect m_clipRect;
    int m_styleStep = 0; // position in the dash pattern of one-pixel lines
    std::vector<std::pair<QRgb, QRegion>> m_waitingFills;
    quint64 m_painterFontId = 0;
};
