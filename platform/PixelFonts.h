#pragma once

#include <QLatin1String>

class QWidget;

// Verdana is rarely installed here; DejaVu Sans grew from the same wide,
// open design (Bitstream Vera) and has the Polish letters.
inline constexpr QLatin1String VerdanaStandIn("DejaVu Sans");

// Designer sizes fonts in points only, while our windows are laid out in
// pixels and not scaled: a widget of a .ui whose dynamic property
// "fontPixelHeight" is set gets its font's face substituted as the forms'
// faces are, at that many pixels. Verdana falls back to its stand-in; a real
// Verdana still wins where it exists.
void ApplyPixelFonts(QWidget* root);
