#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon ProgramIcon()
{
    // Drawn here rather than through an icon plugin, which may be missing at run time.
    QSvgRenderer picture(QStringLiteral(":/wplatomat.svg"));
    QIcon icon;
    for (const int sizePx : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(sizePx, sizePx);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        picture.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
