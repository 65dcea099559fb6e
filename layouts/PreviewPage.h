#pragma once

#include <functional>

class TBlankObj;

// The preview of one page of the given size in millimetres: only the part of
// the screen to repaint is drawn, on a white page in the shared off-screen
// bitmap, then copied in one go. draw paints the page through the drawing
// object, whose origin is then the page's corner.
void PaintPreviewPage(TBlankObj& Obj, double WidthMm, double HeightMm, const std::function<void()>& draw);
