#include "app/DesktopEntries.h"

#include "platform/FileName.h"

#include <QStringList>

namespace DesktopEntries {

namespace {

const QByteArray DefaultsGroup = "[Default Applications]";

} // namespace

std::optional<QString> ExecArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \"'\\><~|&;$*?#()`");
    bool quote = argument.isEmpty();
    QString text;
    if (HasControlCharacter(argument))
        return std::nullopt;
    for (const QChar c : argument) {
        quote = quote || reserved.contains(c);
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            text += QLatin1Char('\\');
        // A percent sign alone would start a field code.
        text += c == QLatin1Char('%') ? QStringLiteral("%%") : QString(c);
    }
    if (quote)
        text = QLatin1Char('"') + text + QLatin1Char('"');
    // The key file's own escaping is undone before the Exec quoting.
    return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

QByteArray MimePackage()
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>Dokument programu Wplatomat</comment>\n"
                          "    <icon name=\"%2\"/>\n"
                          "    <glob pattern=\"*.wpt\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(MimeType, IconName)
        .toUtf8();
}

std::optional<QByteArray> Entry(const QString& name, const QString& shellPath, const QString& verb, bool hidden)
{
    const std::optional<QString> program = ExecArgument(shellPath);
    if (!program)
        return std::nullopt;
    QStringList lines = {QStringLiteral("[Desktop Entry]"),
                         QStringLiteral("Type=Application"),
                         QStringLiteral("Version=1.0"),
                         QStringLiteral("Name=") + name,
                         QStringLiteral("Exec=%1 %2 %F").arg(*program, verb),
                         QStringLiteral("Icon=") + IconName,
                         QStringLiteral("Terminal=false"),
                         QStringLiteral("Categories=Office;"),
                         QStringLiteral("MimeType=") + MimeType + QLatin1Char(';')};
    // Hidden from menus, still offered for the type's files.
    if (hidden)
        lines << QStringLiteral("NoDisplay=true");
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

std::optional<QByteArray> WithDefaultApplication(const QByteArray& mimeApps)
{
    QList<QByteArray> lines = mimeApps.split('\n');
    if (lines.constLast().isEmpty())
        lines.removeLast();
    const QByteArray key = MimeType.toUtf8();
    const QByteArray line = key + '=' + OpenEntryId.toUtf8() + ';';
    qsizetype group = -1, defaults = -1; // the group being read, the first defaults group
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = lines[i].trimmed();
        if (trimmed.startsWith('[')) {
            group = trimmed == DefaultsGroup ? i : -1;
            defaults = defaults < 0 ? group : defaults;
        } else if (group >= 0 && trimmed.startsWith(key) && trimmed.mid(key.size()).trimmed().startsWith('=')) {
            return std::nullopt;
        }
    }
    if (defaults >= 0)
        lines.insert(defaults + 1, line);
    else
        lines << DefaultsGroup << line;
    return lines.join('\n') + '\n';
}

} // namespace DesktopEntries
