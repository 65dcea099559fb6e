#include "drawing/untBlankObj.h"

#include "drawing/untCommon.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr long double MillimetresPerInch = 25.4L;
constexpr double ClipDepthMm = 100.0;   // deep enough for any single line of text
constexpr int WrapKeepsChars = 5;       // a wrapped line keeps at least this many characters

// Rounds to the nearest integer, an exact half to the even one; values no
// int can hold are clamped and NaN gives 0.
int RoundToInt(long double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<long double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= static_cast<long double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(std::llrint(v));
}

} // namespace

TBlankObj::TBlankObj() = default;

TBlankObj::TBlankObj(double AWidth, double AHeight)
    : TBlankObj()
{
    FWidth = AWidth;
    FHeight = AHeight;
    SetDPI(300);
}

void TBlankObj::SetDPI(int dpi)
{
    FDPI = dpi;
    // The font keeps its pixel height; only later size changes use the new scale.
    if (FCanvas)
        FCanvas->Font.SetPixelsPerInch(dpi);
}

int TBlankObj::MM2Pixel(double AMM) const
{
    return RoundToInt(static_cast<long double>(FDPI) * AMM / MillimetresPerInch);
}

double TBlankObj::Pixel2MM(int APxl) const
{
    if (FDPI == 0)
        return 0.0;
    return static_cast<double>(APxl * MillimetresPerInch / FDPI);
}

void TBlankObj::SetIntOrigin(int x, int y)
{
    FOrX = Pixel2MM(x);
    FOrY = Pixel2MM(y);
}

int TBlankObj::DeviceX(double x) const
{
    const double sum = x + FOrX;
    return MM2Pixel(sum);
}

int TBlankObj::DeviceY(double y) const
{
    const double sum = y + FOrY;
    return MM2Pixel(sum);
}

void TBlankObj::ApplyPenWidth()
{
    FCanvas->Pen.Width = FPenWidth > 0 ? MM2Pixel(FPenWidth) : 1;
}

void TBlankObj::FillRect(double x, double y, double x1, double y1)
{
    if (!FCanvas)
        return;
    FCanvas->FillRect({DeviceX(x), DeviceY(y), DeviceX(x1) + 1, DeviceY(y1) + 1});
}

void TBlankObj::Rectangle(double x, double y, double x1, double y1)
{
    if (!FCanvas)
        return;
    ApplyPenWidth();
    FCanvas->Rectangle(DeviceX(x), DeviceY(y), DeviceX(x1) + 1, DeviceY(y1) + 1);
}

void TBlankObj::Ellipse(double x, double y, double x1, double y1)
{
    if (!FCanvas)
        return;
    ApplyPenWidth();
    FCanvas->Ellipse(DeviceX(x), DeviceY(y), DeviceX(x1) + 1, DeviceY(y1) + 1);
}

void TBlankObj::Line(double x, double y, double x1, double y1)
{
    if (!FCanvas)
        return;
    ApplyPenWidth();
    FCanvas->MoveTo(DeviceX(x), DeviceY(y));
    FCanvas->LineTo(DeviceX(x1), DeviceY(y1));
}

void TBlankObj::HorizLine(double x1, double x2, double y)
{
    Line(x1, y, x2, y);
}

void TBlankObj::VertLine(double x, double y1, double y2)
{
    Line(x, y1, x, y2);
}

void TBlankObj::SetFont(int Size, TColor Color, TFontStyles Style, const QString& Name)
{
    if (!FCanvas)
        return;
    TFont& font = FCanvas->Font;
    font.SetPixelsPerInch(FDPI);
    font.SetOrientation(0);
    font.SetSize(Size);
    if (!Name.isEmpty())
        font.SetName(Name);
    if (Color != clNone)
        font.SetColor(Color);
    font.SetStyle(Style);
}

double TBlankObj::TextWidth(const QString& t) const
{
    return FCanvas ? Pixel2MM(FCanvas->TextWidth(t)) : 0.0;
}

double TBlankObj::TextHeight() const
{
    return FCanvas ? Pixel2MM(FCanvas->TextHeight()) : 0.0;
}

double TBlankObj::DrawText(const QString& t, double x, double y, double xlimit, int Angle)
{
    if (!FCanvas)
        return 0.0;
    if (xlimit < 0) {
        // The turn stays on the font until the next SetFont.
        FCanvas->Font.SetOrientation(Angle * 10);
        FCanvas->TextOut(DeviceX(x), DeviceY(y), t);
        return Pixel2MM(FCanvas->TextWidth(t));
    }
    const TRect r{DeviceX(x), DeviceY(y), DeviceX(xlimit), MM2Pixel(y + ClipDepthMm + FOrY)};
    FCanvas->Font.SetEscapement(Angle * 10);
    FCanvas->TextRect(r, r.Left, r.Top, t);
    return xlimit - x;
}

void TBlankObj::DrawCenteredText(const QString& t, double x1, double x2, double y)
{
    const double w = TextWidth(t);
    const double x = (x2 - x1 > w) ? (x1 + x2 - w) / 2 : x1;
    DrawText(t, x, y, x2, 0);
}

void TBlankObj::WrapText(QStringList& s, double MaxWidth, int MaxLines) const
{
    if (!FCanvas)
        return;
    const int limitPx = MM2Pixel(MaxWidth);
    for (int i = 0; i < MaxLines && i < s.size() && !s[i].isEmpty(); ++i) {
        if (i == s.size() - 1)
            s.append(QString());
        const QString a = s[i];
        if (a.size() <= WrapKeepsChars)
            continue;
        // Cut anywhere, after the longest prefix that fits. Prefix widths grow
        // with their length, so doubling a probe and then halving the gap finds
        // it by measuring only about what fits, never the whole of a long line.
        const auto fits = [&](int chars) { return FCanvas->TextWidth(a.left(chars)) <= limitPx; };
        int fit = 0;
        int over = a.size() + 1;
        for (int n = WrapKeepsChars; fit < a.size(); n = std::min<int>(a.size(), 2 * n)) {
            if (!fits(n)) {
                over = n;
                break;
            }
            fit = n;
        }
        if (fit == a.size() || fit < WrapKeepsChars)
            continue;
        while (over - fit > 1) {
            const int n = fit + (over - fit) / 2;
            if (fits(n))
                fit = n;
            else
                over = n;
        }
        s[i + 1] = a.mid(fit) + QLatin1Char(' ') + s[i + 1];
        s[i] = a.left(fit).trimmed();
    }
    while (s.size() < MaxLines)
        s.append(QString());
}

TColor TBlankObj::HalfColorA(TColor AColor)
{
    return LightenColor(AColor, 9, 10);
}

TColor TBlankObj::HalfColorB(TColor AColor)
{
    return LightenColor(AColor, 8, 10);
}
