#include "app/ShellClient.h"
#include "platform/FileName.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Names that are not UTF-8 keep their bytes.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << DecodeFileName(argv[i]);
    QTextStream out(stdout), err(stderr);
    return RunShellClient(arguments, out, err);
}
