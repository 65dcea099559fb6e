#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Only a folder of ours that no one else may enter keeps the lock: in any
// other, another user could take the lock first and keep us from starting.
bool IsPrivateFolder(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)
           && st.st_uid == ::geteuid() && (st.st_mode & 07777) == S_IRWXU;
}

// The session's runtime folder, else one of our own in the user's cache
// folder; never a shared temporary folder.
QString LockFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (IsPrivateFolder(runtime))
        return runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return QString();
    const QString own = QDir(cache).filePath(QStringLiteral("wplatomat"));
    if (::mkdir(QFile::encodeName(own).constData(), S_IRWXU) == 0)
        ::chmod(QFile::encodeName(own).constData(), S_IRWXU); // the umask may have taken bits away
    return IsPrivateFolder(own) ? own : QString();
}

} // namespace

TInstanceLock::TInstanceLock(const QString& name)
{
    const QString folder = LockFolder();
    if (folder.isEmpty())
        return;
    m_path = QDir(folder).filePath(name + QStringLiteral(".lock"));
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_fd < 0)
        return;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        m_alreadyExists = errno == EWOULDBLOCK;
        ::close(m_fd);
        m_fd = -1;
    }
}

TInstanceLock::~TInstanceLock()
{
    Release();
}

void TInstanceLock::Release()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
