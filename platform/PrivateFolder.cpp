#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString MakePrivate(const QString& parent, const QString& name)
{
    if (parent.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/')))
        return QString();
    const QString own = QDir(parent).filePath(name);
    if (::mkdir(QFile::encodeName(own).constData(), S_IRWXU) == 0)
        ::chmod(QFile::encodeName(own).constData(), S_IRWXU); // the umask may have taken bits away
    return IsPrivateFolder(own) ? own : QString();
}

} // namespace

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
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return QString();
    return MakePrivate(cache, QStringLiteral("wplatomat"));
}

QString PrivateSubfolder(const QString& name)
{
    return MakePrivate(PrivateRuntimeFolder(), name);
}
