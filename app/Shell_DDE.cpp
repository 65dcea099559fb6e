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

namespace {

// The separators between items: any character of codes 1 to 32.
bool IsBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

} // namespace

QStringList SplitMacroLine(const QString& line)
{
    if (line.size() < 3 || !line.startsWith(QLatin1Char('[')) || !line.endsWith(QLatin1Char(']')))
        return {};
    const QString s = line.mid(1, line.size() - 2);
    const qsizetype n = s.size();
    QStringList items;
    qsizetype pos = 0;
    while (pos < n && IsBlank(s[pos]))
        ++pos;
    while (pos < n) {
        QString item;
        if (s[pos] == QLatin1Char('"')) {
            // To the next lone quote; a doubled one stands for one.
            for (++pos; pos < n; ++pos) {
                if (s[pos] != QLatin1Char('"'))
                    item += s[pos];
                else if (pos + 1 < n && s[pos + 1] == QLatin1Char('"'))
                    item += s[++pos];
                else {
                    ++pos;
                    break;
                }
            }
        }
        while (pos < n && s[pos] != QLatin1Char(',') && !IsBlank(s[pos]))
            item += s[pos++];
        items << item;
        // Blanks with at most one comma make one separator.
        while (pos < n && IsBlank(s[pos]))
            ++pos;
        if (pos < n && s[pos] == QLatin1Char(',')) {
            ++pos;
            while (pos < n && IsBlank(s[pos]))
                ++pos;
            if (pos == n)
                items << QString();
        }
    }
    return items;
}

QString DdeServiceName(const QString& executablePath)
{
    return executablePath.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
}
