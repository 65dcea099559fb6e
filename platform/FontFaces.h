#pragma once

#include <QFont>
#include <QString>

// The faces the forms name, as this system has them.
struct FaceSubstitute {
    QString family;
    int weight; // a QFont::Weight the face is forced to, or 0 to follow the style
};
FaceSubstitute SubstituteFace(const QString& faceName);

// The face's vertical metrics as the forms' original platform reports them
// (the OS/2 table's win ascent and descent), per em.
struct WinVerticalMetrics {
    double ascentPerEm;
    double descentPerEm;
};
WinVerticalMetrics FaceWinMetrics(const QFont& font);
