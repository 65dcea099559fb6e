#include "platform/Color.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace {

QPalette::ColorRole RoleOfSystemColor(unsigned index, QPalette::ColorGroup& group)
{
    group = QPalette::Active;
    switch (index) {
    case 5: return QPalette::Base;             // window background
    case 8: return QPalette::Text;             // window text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 16: return QPalette::Mid;             // button shadow
    case 17: group = QPalette::Disabled; return QPalette::Text;
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;           // button highlight
    case 21: return QPalette::Shadow;
    case 22: return QPalette::Midlight;
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Button;          // button face and the rest
    }
}

} // namespace

TColor ColorToRGB(TColor color)
{
    if ((color & clSystemColor) == 0)
        return color & 0x00FFFFFF;
    QPalette::ColorGroup group;
    const QPalette::ColorRole role = RoleOfSystemColor(color & 0xFF, group);
    const QPalette palette = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                 ? QGuiApplication::palette()
                                 : QPalette();
    return FromQColor(palette.color(group, role));
}

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& color)
{
    return RGBColor(color.red(), color.green(), color.blue());
}
