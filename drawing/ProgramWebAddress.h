#pragma once

#include <QString>

// The program's web address as the printed forms' footers and the about box
// show it; a placeholder of ours, not the original maker's.
inline const QString ProgramWebAddress = QStringLiteral("www.wplatomat.example");
