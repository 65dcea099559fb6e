#include "platform/PixelFonts.h"

#include "platform/FontFaces.h"

#include <QWidget>

void ApplyPixelFonts(QWidget* root)
{
    QList<QWidget*> widgets{root};
    widgets += root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        const QVariant height = widget->property("fontPixelHeight");
        if (!height.isValid())
            continue;
        QFont face = widget->font();
        const QString name = face.family();
        const FaceSubstitute substitute = SubstituteFace(name);
        QStringList families{substitute.family};
        if (name.compare(QLatin1String("Verdana"), Qt::CaseInsensitive) == 0)
            families << VerdanaStandIn;
        face.setFamilies(families);
        if (substitute.weight != 0)
            face.setWeight(QFont::Weight(substitute.weight));
        face.setPixelSize(height.toInt());
        widget->setFont(face);
    }
}
