#include "helpers/ByteBuilder.h"

ByteBuilder& ByteBuilder::LittleEndian(std::uint64_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i)
        m_bytes.append(char((value >> (8 * i)) & 0xFF));
    return *this;
}

ByteBuilder& ByteBuilder::U8(std::uint8_t value) { return LittleEndian(value, 1); }
ByteBuilder& ByteBuilder::U16(std::uint16_t value) { return LittleEndian(value, 2); }
ByteBuilder& ByteBuilder::U32(std::uint32_t value) { return LittleEndian(value, 4); }
ByteBuilder& ByteBuilder::I32(std::int32_t value) { return LittleEndian(std::uint32_t(value), 4); }
ByteBuilder& ByteBuilder::I64(std::int64_t value) { return LittleEndian(std::uint64_t(value), 8); }

ByteBuilder& ByteBuilder::Raw(const QByteArray& bytes)
{
    m_bytes.append(bytes);
    return *this;
}

ByteBuilder& ByteBuilder::Utf16(const QString& text)
{
    for (QChar unit : text)
        U16(unit.unicode());
    return *this;
}

ByteBuilder& ByteBuilder::Utf16String(const QString& text)
{
    I32(std::int32_t(text.size()));
    return Utf16(text);
}

ByteBuilder& ByteBuilder::AnsiString(const QByteArray& text)
{
    I32(std::int32_t(text.size()));
    return Raw(text);
}
