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
        const FaceSubstitute substitute = SubstituteFace(face.family());
        face.setFamily(substitute.family);
        if (substitute.weight != 0)
            face.setWeight(QFont::Weight(substitute.weight));
        face.setPixelSize(height.toInt());
        widget->setFont(face);
    }
}
