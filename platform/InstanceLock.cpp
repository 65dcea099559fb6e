#include "platform/InstanceLock.h"

#include "platform/PrivateFolder.h"
#include "platform/RegistryFile.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 MaxPublishedBytes = 4096;

// The registry's own folder, when no one but us may add files to it: in any
// other, another user could take the lock first and keep us from starting.
// Only a holder makes the folder: one who merely asks finds no lock where there is no folder.
QString LockPath(const QString& name, bool make)
{
    const QString folder = QFileInfo(RegistryFile::defaultFileName()).absolutePath();
    const QByteArray path = QFile::encodeName(folder);
    struct stat st {};
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || (make && !MakePrivateFolders(folder)))
        return QString();
    // Ours, but left open to the group by an earlier start under a umask such as 002: closed again.
    if (make && ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
        && (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        ::chmod(path.constData(), S_IRWXU);
    if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode)
        || st.st_uid != ::geteuid() || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return QString();
    return QDir(folder).filePath(name + QStringLiteral(".lock"));
}

// A lock of the open file rather than of the process (flock's kind), so that
// another process can ask whether it is held without taking it: a lock taken
// even for a moment to find out could make a starting program think itself
// the second one.
struct flock WholeFile()
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return lock;
}

// A lock file another user planted while the folder was open to them is not ours to heed.
bool OwnFile(int fd)
{
    struct stat st {};
    return fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

} // namespace

TInstanceLock::TInstanceLock(const QString& name)
    : m_path(LockPath(name, true))
{
    if (m_path.isEmpty())
        return;
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (!OwnFile(m_fd)) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        m_path.clear();
        return;
    }
    struct flock lock = WholeFile();
    if (::fcntl(m_fd, F_OFD_SETLK, &lock) != 0) {
        m_alreadyExists = errno == EAGAIN || errno == EACCES;
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    // What a holder that ended without letting go published is not ours to tell.
    Publish(QString());
}

TInstanceLock::~TInstanceLock()
{
    Release();
}

void TInstanceLock::Release()
{
    if (m_fd >= 0) {
        Publish({});
        ::close(m_fd);
        m_fd = -1;
    }
}

bool TInstanceLock::Publish(const QString& text)
{
    const QByteArray bytes = text.toUtf8().left(MaxPublishedBytes);
    return m_fd >= 0 && ::ftruncate(m_fd, 0) == 0
           && ::pwrite(m_fd, bytes.constData(), size_t(bytes.size()), 0) == bytes.size();
}

bool TInstanceLock::IsHeld(const QString& name)
{
    const QString path = LockPath(name, false);
    const int fd = path.isEmpty() ? -1 : ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    struct flock lock = WholeFile();
    const bool held = OwnFile(fd) && ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    if (fd >= 0)
        ::close(fd);
    return held;
}

QString TInstanceLock::Published(const QString& name)
{
    const QString path = LockPath(name, false);
    QByteArray bytes;
    if (path.isEmpty() || ReadRegularFile(path, MaxPublishedBytes, bytes) != TFileRead::Ok)
        return QString();
    return QString::fromUtf8(bytes);
}
