#include "platform/RegularFile.h"

#include "platform/FileName.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A descriptor of the regular file, or -1 with the reason.
int OpenRegular(const QString& path, TFileRead& why, struct stat& st)
{
    const QByteArray name = EncodeFileName(path);
    // A NUL would end the name early, at another file's name.
    if (name.isEmpty() || name.contains('\0')) {
        why = TFileRead::Missing;
        return -1;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = errno == ENOENT ? TFileRead::Missing : TFileRead::Failed;
        return -1;
    }
    why = ::fstat(fd, &st) != 0 ? TFileRead::Failed : !S_ISREG(st.st_mode) ? TFileRead::NotRegular : TFileRead::Ok;
    if (why == TFileRead::Ok)
        return fd;
    ::close(fd);
    return -1;
}

} // namespace

TFileRead OpenRegularFile(const QString& path, QFile& file)
{
    TFileRead why;
    struct stat st {};
    const int fd = OpenRegular(path, why, st);
    if (fd < 0)
        return why;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return TFileRead::Ok;
    ::close(fd);
    return TFileRead::Failed;
}

TFileRead ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& data)
{
    data.clear();
    struct stat st {};
    TFileRead result;
    const int fd = OpenRegular(path, result, st);
    if (fd < 0)
        return result;
    if (st.st_size > maxBytes)
        result = TFileRead::TooLarge;
    else {
        // The file may grow while it is read: one byte past the limit tells.
        QByteArray buffer(qsizetype(st.st_size) + 1, Qt::Uninitialized);
        qsizetype got = 0;
        for (;;) {
            if (got == buffer.size()) {
                if (got > maxBytes) {
                    result = TFileRead::TooLarge;
                    break;
                }
                buffer.resize(qsizetype(qMin<qint64>(maxBytes + 1, qint64(got) * 2 + 4096)));
            }
            const ssize_t n = ::read(fd, buffer.data() + got, size_t(buffer.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                result = TFileRead::Failed;
                break;
            }
            if (n == 0)
                break;
            got += n;
        }
        if (result == TFileRead::Ok) {
            buffer.truncate(got);
            data = buffer;
        }
    }
    ::close(fd);
    return result;
}

TFileSave SaveRegularFile(const QString& path, const QByteArray& data, QString* reason)
{
    // Unbuffered, because a write error met while flushing a buffer at
    // commit would go unnoticed and the short file would replace the old one.
    // No direct-write fallback: where no file can be made beside the old one,
    // writing into it would leave neither file after a failure or a kill.
    QSaveFile file(path);
    TFileSave result = TFileSave::Ok;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QFileInfo old(path);
        result = old.isFile() && old.isWritable() ? TFileSave::FolderClosed : TFileSave::CannotCreate;
    } else if (file.write(data) != data.size() || !file.commit()) {
        // Committing syncs the new file to the disk before it takes the old one's name.
        result = TFileSave::Failed;
    }
    // Read before cancelling, which puts its own words in place of the system's.
    if (result != TFileSave::Ok && reason)
        *reason = file.errorString();
    file.cancelWriting();
    return result;
}
