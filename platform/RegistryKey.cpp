#include "platform/RegistryKey.h"

#include <algorithm>

namespace {

// The next code point of the text, folded; an unpaired surrogate comes back
// as it is. QString::toCaseFolded would turn unpaired surrogates into U+FFFD,
// but only when some other letter changes too, so that one name could fold
// in two ways.
char32_t NextFolded(const QString& text, qsizetype& i)
{
    const char16_t u = text[i++].unicode();
    if (QChar::isHighSurrogate(u) && i < text.size() && QChar::isLowSurrogate(text[i].unicode()))
        return QChar::toCaseFolded(QChar::surrogateToUcs4(u, text[i++].unicode()));
    if (QChar::isSurrogate(u))
        return u;
    return QChar::toCaseFolded(char32_t(u));
}

} // namespace

QString RegistryFoldCase(const QString& name)
{
    QString folded;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size();) {
        const char32_t code = NextFolded(name, i);
        if (QChar::requiresSurrogates(code)) {
            folded += QChar(QChar::highSurrogate(code));
            folded += QChar(QChar::lowSurrogate(code));
        } else {
            folded += QChar(char16_t(code));
        }
    }
    return folded;
}

bool RegistrySameName(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (NextFolded(a, i) != NextFolded(b, j))
            return false;
    }
    return i == a.size() && j == b.size();
}

TRegDataType RegistryValue::type() const
{
    switch (data.index()) {
    case 0: return rdString;
    case 1: return rdInteger;
    case 2: return rdBinary;
    default: return rdUnknown;
    }
}

bool RegistryValue::operator==(const RegistryValue& other) const
{
    return name == other.name && data == other.data;
}

std::size_t RegistryKey::indexOf(const QString& name) const
{
    const auto it = std::find_if(m_values.begin(), m_values.end(), [&](const RegistryValue& v) {
        return RegistrySameName(v.name, name);
    });
    return std::size_t(it - m_values.begin());
}

const RegistryValue* RegistryKey::findValue(const QString& name) const
{
    const std::size_t index = indexOf(name);
    return index < m_values.size() ? &m_values[index] : nullptr;
}

void RegistryKey::setValue(const QString& name, const RegistryData& data)
{
    const std::size_t index = indexOf(name);
    if (index < m_values.size())
        m_values[index].data = data;
    else
        m_values.push_back(RegistryValue{name, data});
}

bool RegistryKey::removeValue(const QString& name)
{
    const std::size_t index = indexOf(name);
    if (index >= m_values.size())
        return false;
    m_values.erase(m_values.begin() + std::ptrdiff_t(index));
    return true;
}

bool RegistryKey::operator==(const RegistryKey& other) const
{
    return m_path == other.m_path && m_values == other.m_values;
}
