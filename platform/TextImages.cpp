#include "platform/TextImages.h"

#include <QCache>
#include <QFontMetrics>
#include <QPainter>

#include <memory>

namespace {

// Qt's raster engine caches glyphs only below this pixel size.
constexpr int LargestCachedGlyphPx = 64;
// A repaint of a zoomed coupon or a printer-resolution bitmap holds about
// sixty large strings; room for all of them with a few to spare.
constexpr qsizetype MaxImageBytes = 64 * 1024 * 1024;

QCache<QString, TextImage>& Images()
{
    static QCache<QString, TextImage> images(MaxImageBytes);
    return images;
}

TextImage Render(const QFont& font, const QColor& color, const QString& text)
{
    const QFontMetrics metrics(font);
    // Room for glyphs that reach past their advance or the face's ascent.
    const int margin = font.pixelSize() / 4 + 2;
    const QRect cell(0, -metrics.ascent(), metrics.horizontalAdvance(text), metrics.height());
    const QRect area = metrics.boundingRect(text).united(cell).adjusted(-margin, -margin, margin, margin);
    TextImage result{QImage(area.size(), QImage::Format_ARGB32_Premultiplied), -area.topLeft()};
    result.image.fill(Qt::transparent);
    QPainter painter(&result.image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(result.baseline, text);
    return result;
}

} // namespace

const TextImage* LargeTextImage(const QFont& font, const QColor& color, const QString& text)
{
    if (font.pixelSize() < LargestCachedGlyphPx)
        return nullptr;
    const QString key = font.key() + QChar(0) + QString::number(color.rgba(), 16) + QChar(0) + text;
    if (TextImage* cached = Images().object(key))
        return cached;
    auto image = std::make_unique<TextImage>(Render(font, color, text));
    const qsizetype bytes = image->image.sizeInBytes();
    if (bytes > MaxImageBytes)
        return nullptr;
    TextImage* kept = image.get();
    Images().insert(key, image.release(), bytes);
    return kept;
}
