#pragma once

#include <QStringList>

// Splits a command-line switch "/command:file" or "-command:file". The file
// is everything after the colon: on this system paths hold "/" and "-", so
// no option can be told from the file; Option stays empty. False, with all
// three empty, for anything that is not a switch with a colon.
bool ParseShellParam(const QString& Param, QString& Command, QString& FileName, QString& Option);

// The items of one bracketed macro line of the shell ("[open "C:\a b.wpt"]"
// gives open and the path); nothing for a line the shell's server ignores:
// shorter than 3 characters, not in brackets, or without items.
QStringList SplitMacroLine(const QString& line);

// The DDE service of an executable: its file name without folder, cut
// before its first ".".
QString DdeServiceName(const QString& executablePath);
