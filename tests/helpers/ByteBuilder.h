#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// A binary file field by field, little-endian: the bytes a format prescribes, without the code under test.
class ByteBuilder {
public:
    ByteBuilder& U8(std::uint8_t value) { return LittleEndian(value, 1); }
    ByteBuilder& U16(std::uint16_t value) { return LittleEndian(value, 2); }
    ByteBuilder& U32(std::uint32_t value) { return LittleEndian(value, 4); }
    ByteBuilder& I32(std::int32_t value) { return LittleEndian(std::uint32_t(value), 4); }
    ByteBuilder& I64(std::int64_t value) { return LittleEndian(std::uint64_t(value), 8); }
    ByteBuilder& Raw(const QByteArray& bytes) { m_bytes.append(bytes); return *this; }
    // UTF-16LE code units alone, without a count.
    ByteBuilder& Utf16(const QString& text)
    {
        for (QChar unit : text)
            U16(unit.unicode());
        return *this;
    }
    // A signed 32-bit count of code units, then the units in UTF-16LE.
    ByteBuilder& Utf16String(const QString& text) { return I32(std::int32_t(text.size())).Utf16(text); }
    // A signed 32-bit count of bytes, then the 8-bit text as it is.
    ByteBuilder& AnsiString(const QByteArray& text) { return I32(std::int32_t(text.size())).Raw(text); }
    const QByteArray& Bytes() const { return m_bytes; }
    qsizetype Size() const { return m_bytes.size(); }

private:
    ByteBuilder& LittleEndian(std::uint64_t value, int byteCount)
    {
        for (int i = 0; i < byteCount; ++i)
            m_bytes.append(char(value >> (8 * i)));
        return *this;
    }
    QByteArray m_bytes;
};
