#pragma once

#include <QString>

// The program's web address as the printed forms' footers and the about box
// show it; a placeholder of ours, not the original maker's.
inline const QString ProgramWebAddress = QStringLiteral("www.wplatomat.example");

// The printer's line at the foot of the money order and the deposit form.
inline const QString FormFooter = QStringLiteral("Druk: WPLATOMAT, KORVEX   ") + ProgramWebAddress;
