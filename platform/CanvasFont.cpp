#include "platform/Canvas.h"

#include "platform/FontFaces.h"

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

} // namespace

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
    if (face)
        m_face.reset();
}

TFace& TFont::Face() const
{
    if (m_face)
        return *m_face;
    // The drawing sets the same few faces again and again; building one is
    // most of the cost of a small text.
    static QHash<QString, std::shared_ptr<TFace>> faces;
    const QString key = m_name + QChar(0) + QString::number(m_heightPx) + QChar(0) + QString::number(m_style);
    std::shared_ptr<TFace>& known = faces[key];
    if (!known) {
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
        const WinVerticalMetrics metrics = FaceWinMetrics(font);
        const double em = std::max(1, m_heightPx);
        known = std::make_shared<TFace>(font, quint64(faces.size()), int(std::lround(metrics.ascentPerEm * em)),
                                        int(std::lround(metrics.descentPerEm * em)));
    }
    m_face = known;
    return *m_face;
}

TFace::TFace(const QFont& font, quint64 id, int ascentPx, int descentPx)
    : font(font), id(id), ascentPx(ascentPx), descentPx(descentPx), m_metrics(font)
{
    m_latinAdvances.fill(-1);
}

int TFace::Advance(QChar ch)
{
    if (ch.unicode() < m_latinAdvances.size()) {
        int& known = m_latinAdvances[ch.unicode()];
        if (known < 0)
            known = m_metrics.horizontalAdvance(QString(ch));
        return known;
    }
    auto known = m_advances.constFind(ch.unicode());
    if (known == m_advances.constEnd())
        known = m_advances.insert(ch.unicode(), m_metrics.horizontalAdvance(QString(ch)));
    return *known;
}

const QRawFont& TFace::RawFont()
{
    if (!m_rawFont)
        m_rawFont = QRawFont::fromFont(font);
    return *m_rawFont;
}

quint32 TFace::Glyph(QChar ch)
{
    auto known = m_glyphs.constFind(ch.unicode());
    if (known == m_glyphs.constEnd()) {
        const QList<quint32> indexes = RawFont().glyphIndexesForString(QString(ch));
        known = m_glyphs.insert(ch.unicode(), indexes.size() == 1 ? indexes[0] : 0);
    }
    return *known;
}
