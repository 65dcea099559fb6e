#pragma once

#include <QString>

// Splits a command-line switch "/command:file" or "-command:file". The file
// is everything after the colon: on this system paths hold "/" and "-", so
// no option can be told from the file; Option stays empty. False, with all
// three empty, for anything that is not a switch with a colon.
bool ParseShellParam(const QString& Param, QString& Command, QString& FileName, QString& Option);
