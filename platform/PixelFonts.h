#pragma once

class QWidget;

// Designer sizes fonts in points only, while our windows are laid out in
// pixels and not scaled: a widget of a .ui whose dynamic property
// "fontPixelHeight" is set gets its font's face substituted as the forms'
// faces are, at that many pixels.
void ApplyPixelFonts(QWidget* root);
