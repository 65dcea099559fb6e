#pragma once

#include <QStringList>

class QTextStream;

// The exit codes of wplatomat-shell, as its --help lists them.
enum TShellExit {
    ShellDone = 0,
    ShellUsage = 1,
    ShellBadName = 2,
    ShellNotRegistered = 3,
    ShellNoServer = 4,
    ShellRefused = 5,
    ShellFailed = 6,
};

// The shell of the other system, for this one: opens and prints documents
// through the file-type registration in our registry and hands other
// programs' texts to the running program's DDE topics. Arguments without
// the program's own name; messages go to err, the help to out.
int RunShellClient(const QStringList& arguments, QTextStream& out, QTextStream& err);
