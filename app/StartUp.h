#pragma once

#include <QString>

// Runs the unit initialisations in the program's order. A failure is shown
// to the user and gives a nonzero exit code instead of an uncaught exception.
int RunStartUp();
void FinishRun();

// A message box when a display exists, standard error otherwise.
void ReportStartUpError(const QString& message);
