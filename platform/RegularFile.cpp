#include "platform/RegularFile.h"

#include "platform/FileName.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TFileRead ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& data)
{
    data.clear();
    const QByteArray name = EncodeFileName(path);
    // A NUL would end the name early, at another file's name.
    if (name.contains('\0'))
        return TFileRead::Missing;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? TFileRead::Missing : TFileRead::Failed;
    struct stat st {};
    TFileRead result = TFileRead::Ok;
    if (::fstat(fd, &st) != 0)
        result = TFileRead::Failed;
    else if (!S_ISREG(st.st_mode))
        result = TFileRead::NotRegular;
    else if (st.st_size > maxBytes)
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
