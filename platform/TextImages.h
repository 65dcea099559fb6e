#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

// Texts in fonts too large for Qt's glyph cache, kept as pictures: without
// them every draw re-hints each glyph and fills it as a path.
struct TextImage {
    QImage image;    // the glyphs on transparent pixels
    QPoint baseline; // where the text's baseline starts inside the image
};

// The text as drawn in the font and colour, or nullptr when Qt's glyph cache
// serves the font or the picture would not fit the memory the pictures may
// take. Valid until the next call.
const TextImage* LargeTextImage(const QFont& font, const QColor& color, const QString& text);
