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
