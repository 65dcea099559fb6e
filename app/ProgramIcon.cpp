#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon ProgramIcon()
{
    // Drawn here rather than through an icon plugin, which may be missing at
    // run time. Every size goes to the window manager with each window, so only
    // those a task bar or window list shows; larger ones come from the
    // installed scalable icon.
    QSvgRenderer picture(QStringLiteral(":/wplatomat.svg"));
    QIcon icon;
    for (const int sizePx : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(sizePx, sizePx);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        picture.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
