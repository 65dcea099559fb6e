#include "app/Shell_DDE.h"

bool ParseShellParam(const QString& Param, QString& Command, QString& FileName, QString& Option)
{
    Command.clear();
    FileName.clear();
    Option.clear();
    if (Param.isEmpty() || (Param.at(0) != QLatin1Char('/') && Param.at(0) != QLatin1Char('-')))
        return false;
    const int colon = int(Param.indexOf(QLatin1Char(':')));
    if (colon < 0)
        return false;
    Command = Param.mid(1, colon - 1);
    FileName = Param.mid(colon + 1);
    return true;
}
