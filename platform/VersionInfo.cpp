#include "platform/VersionInfo.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QtEndian>

#include <cstring>
#include <elf.h>

namespace {

constexpr char SectionName[] = ".wplatomat.version";
// Far above what the program's own headers and table need; an outside file
// claiming more is not read into memory.
constexpr quint64 MaxSectionNamesBytes = 1 << 20;
constexpr quint64 MaxTableBytes = 64 << 10;

// Exactly size bytes at offset, or nothing when the file does not hold them.
QByteArray ReadAt(QIODevice& file, quint64 offset, quint64 size)
{
    const quint64 length = quint64(file.size());
    if (offset > length || size > length - offset || !file.seek(qint64(offset)))
        return {};
    const QByteArray bytes = file.read(qint64(size));
    return quint64(bytes.size()) == size ? bytes : QByteArray();
}

// A little-endian field; 0 when the bytes end before it.
template <typename T>
T Field(const QByteArray& bytes, size_t offset)
{
    if (offset > size_t(bytes.size()) || sizeof(T) > size_t(bytes.size()) - offset)
        return 0;
    T value;
    std::memcpy(&value, bytes.constData() + offset, sizeof(T));
    return qFromLittleEndian(value);
}

// The contents of our section in a little-endian 64-bit ELF file, empty
// when it has none.
QByteArray FindTable(QIODevice& file)
{
    const QByteArray header = ReadAt(file, 0, sizeof(Elf64_Ehdr));
    if (header.isEmpty() || !header.startsWith(ELFMAG) || header[EI_CLASS] != ELFCLASS64
        || header[EI_DATA] != ELFDATA2LSB)
        return {};
    const auto sectionsAt = Field<quint64>(header, offsetof(Elf64_Ehdr, e_shoff));
    const auto entrySize = Field<quint16>(header, offsetof(Elf64_Ehdr, e_shentsize));
    const auto count = Field<quint16>(header, offsetof(Elf64_Ehdr, e_shnum));
    const auto namesIndex = Field<quint16>(header, offsetof(Elf64_Ehdr, e_shstrndx));
    if (entrySize != sizeof(Elf64_Shdr) || namesIndex >= count)
        return {};
    const QByteArray sections = ReadAt(file, sectionsAt, quint64(count) * entrySize);
    if (sections.isEmpty())
        return {};
    const auto contents = [&](int index, quint64 limit) {
        const size_t at = size_t(index) * sizeof(Elf64_Shdr);
        const auto size = Field<quint64>(sections, at + offsetof(Elf64_Shdr, sh_size));
        if (Field<quint32>(sections, at + offsetof(Elf64_Shdr, sh_type)) == SHT_NOBITS || size > limit)
            return QByteArray();
        return ReadAt(file, Field<quint64>(sections, at + offsetof(Elf64_Shdr, sh_offset)), size);
    };
    const QByteArray names = contents(namesIndex, MaxSectionNamesBytes);
    for (int i = 0; i < count; ++i) {
        const auto nameAt = Field<quint32>(sections, size_t(i) * sizeof(Elf64_Shdr) + offsetof(Elf64_Shdr, sh_name));
        // The name must end inside the names section, not run past it.
        if (nameAt < quint32(names.size()) && names.indexOf('\0', nameAt) >= 0
            && qstrcmp(names.constData() + nameAt, SectionName) == 0)
            return contents(i, MaxTableBytes);
    }
    return {};
}

} // namespace

bool TVersionInfo::Load(const QString& exeName)
{
    // Not blocking: a FIFO in the executable's place must not hold the program.
    QFile file;
    return OpenRegularFile(exeName, file) == TFileRead::Ok && Load(file);
}

bool TVersionInfo::Load(QIODevice& file)
{
    const QByteArray table = FindTable(file);
    if (table.isEmpty())
        return false;
    m_values.clear();
    // A pair cut off by the section's end is left out; padding after the
    // last pair reads as an empty path and ends the table.
    qsizetype at = 0;
    for (;;) {
        const qsizetype pathEnd = table.indexOf('\0', at);
        const qsizetype textEnd = pathEnd < 0 ? -1 : table.indexOf('\0', pathEnd + 1);
        if (textEnd < 0 || pathEnd == at)
            break;
        m_values.insert(QString::fromUtf8(table.mid(at, pathEnd - at)).toCaseFolded(),
                        QString::fromUtf8(table.mid(pathEnd + 1, textEnd - pathEnd - 1)));
        at = textEnd + 1;
    }
    return true;
}

QString TVersionInfo::Query(const QString& path) const
{
    return m_values.value(path.toCaseFolded());
}
