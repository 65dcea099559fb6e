#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The texts that tell a freedesktop desktop about our document type.
namespace DesktopEntries {

inline const QString MimeType = QStringLiteral("application/x-wplatomat-dokument");
inline const QString IconName = QStringLiteral("wplatomat");
inline const QString OpenEntryId = QStringLiteral("wplatomat.desktop");
inline const QString PrintEntryId = QStringLiteral("wplatomat-print.desktop");

// One argument of an Exec key as the desktop splits it again, without a shell;
// nothing for a text with a control character, which no entry can carry.
std::optional<QString> ExecArgument(const QString& argument);

// A shared-mime-info package giving *.wpt its own type.
QByteArray MimePackage();

// An entry running the shell client with the verb on the files handed over;
// nothing when the client's path cannot be written into an entry.
std::optional<QByteArray> Entry(const QString& name, const QString& shellPath, const QString& verb, bool hidden);

// The user's defaults with the open entry as default for our type, or nothing
// when they already name a default for it.
std::optional<QByteArray> WithDefaultApplication(const QByteArray& mimeApps);

} // namespace DesktopEntries
