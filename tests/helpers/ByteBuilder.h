#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Assembles a binary file field by field, little-endian, so that a test
// states the bytes a format prescribes without calling the code under test.
class ByteBuilder {
public:
    ByteBuilder& U8(std::uint8_t value);
    ByteBuilder& U16(std::uint16_t value);
    ByteBuilder& U32(std::uint32_t value);
    ByteBuilder& I32(std::int32_t value);
    ByteBuilder& I64(std::int64_t value);
    // Bytes as they are, e.g. a run of padding or a cut-off field.
    ByteBuilder& Raw(const QByteArray& bytes);
    // UTF-16LE code units alone, without a count.
    ByteBuilder& Utf16(const QString& text);
    // A signed 32-bit count of code units, then the units in UTF-16LE.
    ByteBuilder& Utf16String(const QString& text);
    // A signed 32-bit count of bytes, then the 8-bit text as it is.
    ByteBuilder& AnsiString(const QByteArray& text);

    const QByteArray& Bytes() const { return m_bytes; }
    qsizetype Size() const { return m_bytes.size(); }

private:
    ByteBuilder& LittleEndian(std::uint64_t value, int byteCount);

    QByteArray m_bytes;
};
