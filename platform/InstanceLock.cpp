#include "platform/InstanceLock.h"

#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TInstanceLock::TInstanceLock(const QString& name)
{
    // Only a folder of ours that no one else may enter keeps the lock: in any
    // other, another user could take the lock first and keep us from starting.
    const QString folder = PrivateRuntimeFolder();
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
