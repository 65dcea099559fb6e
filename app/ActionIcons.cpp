#include "app/ActionIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int IconSizePx = 24;
const QColor Outline(60, 60, 60);
const QColor Paper(255, 255, 255);
const QColor Accent(234, 88, 0); // the transfer form's own colour

void Sheet(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(Outline, 1));
    p.setBrush(Paper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
    p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void Magnifier(QPainter& p, bool plus)
{
    p.setPen(QPen(Outline, 2));
    p.setBrush(QColor(220, 235, 250));
    p.drawEllipse(QRectF(3, 3, 13, 13));
    p.setPen(QPen(Outline, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(QPen(Accent, 2));
    p.drawLine(QPointF(6.5, 9.5), QPointF(12.5, 9.5));
    if (plus)
        p.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
}

} // namespace

QIcon MakeActionIcon(TActionIcon icon)
{
    QPixmap pixmap(IconSizePx, IconSizePx);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
    case TActionIcon::New:
        Sheet(p, QRectF(5.5, 2.5, 13, 19));
        p.setPen(QPen(Accent, 1));
        for (int y = 9; y <= 17; y += 3)
            p.drawLine(QPointF(8, y + 0.5), QPointF(16, y + 0.5));
        break;
    case TActionIcon::Open:
        p.setPen(QPen(Outline, 1));
        p.setBrush(QColor(240, 190, 80));
        p.drawRect(QRectF(2.5, 6.5, 19, 14));
        p.drawRect(QRectF(2.5, 4.5, 8, 3));
        p.setBrush(QColor(250, 210, 110));
        p.drawPolygon(QPolygonF{QPointF(5.5, 10.5), QPointF(22.5, 10.5), QPointF(20.5, 20.5), QPointF(2.5, 20.5)});
        break;
    case TActionIcon::Save:
        p.setPen(QPen(Outline, 1));
        p.setBrush(QColor(70, 110, 170));
        p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
        p.setBrush(Paper);
        p.drawRect(QRectF(6.5, 3.5, 11, 7));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(7.5, 13.5, 9, 7));
        break;
    case TActionIcon::Print:
        Sheet(p, QRectF(6.5, 2.5, 11, 9));
        p.setPen(QPen(Outline, 1));
        p.setBrush(QColor(190, 190, 195));
        p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
        p.setBrush(Paper);
        p.drawRect(QRectF(6.5, 15.5, 11, 6));
        p.setPen(QPen(Accent, 1));
        p.drawLine(QPointF(8, 18.5), QPointF(16, 18.5));
        break;
    case TActionIcon::ZoomIn:
        Magnifier(p, true);
        break;
    case TActionIcon::ZoomOut:
        Magnifier(p, false);
        break;
    case TActionIcon::Reverse: {
        Sheet(p, QRectF(3.5, 2.5, 10, 14));
        Sheet(p, QRectF(10.5, 7.5, 10, 14));
        p.setPen(QPen(Accent, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(6, 5, 12, 12), 30 * 16, 120 * 16);
        break;
    }
    case TActionIcon::Help:
        p.setPen(QPen(Outline, 1));
        p.setBrush(QColor(70, 130, 200));
        p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
        // The question mark drawn, not typed: no font is looked up for one glyph.
        {
            QPainterPath hook;
            hook.moveTo(8.5, 9.5);
            hook.arcTo(QRectF(8.5, 5.5, 7, 7), 180, -180);
            hook.quadTo(15.5, 11.5, 12, 13);
            hook.lineTo(12, 14.5);
            p.setPen(QPen(Paper, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(hook);
            p.setPen(Qt::NoPen);
            p.setBrush(Paper);
            p.drawEllipse(QPointF(12, 17.8), 1.5, 1.5);
        }
        break;
    }
    return QIcon(pixmap);
}
