#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString MakePrivate(const QString& parent, const QString& name)
{
    if (parent.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/')))
        return QString();
    const QString own = QDir(parent).filePath(name);
    return MakePrivateFolders(own) && IsPrivateFolder(own) ? own : QString();
}

} // namespace

bool MakePrivateFolders(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString full = QDir::cleanPath(QDir(path).absolutePath());
    for (qsizetype end = full.indexOf(QLatin1Char('/'), 1); ; end = full.indexOf(QLatin1Char('/'), end + 1)) {
        const QByteArray folder = QFile::encodeName(end < 0 ? full : full.left(end));
        // A umask such as 002 would leave the folder open to the user's group.
        if (::mkdir(folder.constData(), S_IRWXU) == 0)
            ::chmod(folder.constData(), S_IRWXU);
        if (end < 0)
            break;
    }
    return QFileInfo(full).isDir();
}

// Only such a folder may hold what another user must not replace or reach.
bool IsPrivateFolder(const QString& path)
{
    struct stat st {};
    // lstat: a link to a private folder of someone else's choosing is no folder of ours.
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)
           && st.st_uid == ::geteuid() && (st.st_mode & 07777) == S_IRWXU;
}

QString PrivateRuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (IsPrivateFolder(runtime))
        return runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return cache.isEmpty() ? QString() : MakePrivate(cache, QStringLiteral("wplatomat"));
}

QString PrivateSubfolder(const QString& name)
{
    return MakePrivate(PrivateRuntimeFolder(), name);
}
