#include "platform/FileName.h"

#include <QByteArrayView>
#include <QFile>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t EscapeBase = 0xDC00;
constexpr int MaxUtf8SequenceBytes = 4;

bool IsEscapedByte(const QString& name, qsizetype i)
{
    const char16_t c = name.at(i).unicode();
    return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF && !(i > 0 && name.at(i - 1).isHighSurrogate());
}

} // namespace

QString DecodeFileName(const QByteArray& bytes)
{
    if (QByteArrayView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    QString name;
    for (qsizetype i = 0; i < bytes.size();) {
        qsizetype length = 0;
        for (qsizetype n = 1; n <= MaxUtf8SequenceBytes && i + n <= bytes.size() && length == 0; ++n)
            if (QByteArrayView(bytes.constData() + i, n).isValidUtf8())
                length = n;
        if (length > 0)
            name += QString::fromUtf8(bytes.constData() + i, length);
        else
            name += QChar(char16_t(EscapeBase + uchar(bytes.at(i))));
        i += length > 0 ? length : 1;
    }
    return name;
}

QByteArray EncodeFileName(const QString& name)
{
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !IsEscapedByte(name, i))
            continue;
        bytes += QStringView(name).mid(runStart, i - runStart).toUtf8();
        if (i < name.size())
            bytes += char(name.at(i).unicode() - EscapeBase);
        runStart = i + 1;
    }
    return bytes;
}

bool QtCanName(const QString& name)
{
    return QFile::encodeName(name) == EncodeFileName(name);
}

bool HasControlCharacter(QStringView name)
{
    return std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

bool IsFileByName(const QString& name)
{
    const QByteArray bytes = EncodeFileName(name);
    struct stat st {};
    // A NUL would end the name early, at another file's name.
    return !bytes.contains('\0') && ::stat(bytes.constData(), &st) == 0 && S_ISREG(st.st_mode);
}
