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

const RegistryValue* RegistryKey::findValue(const QString& name) const
{
    const auto it = m_valueIndex.constFind(RegistryFoldCase(name));
    return it == m_valueIndex.constEnd() ? nullptr : &m_values[*it];
}

void RegistryKey::setValue(const QString& name, const RegistryData& data)
{
    const QString folded = RegistryFoldCase(name);
    const auto it = m_valueIndex.constFind(folded);
    if (it != m_valueIndex.constEnd()) {
        m_values[*it].data = data;
        return;
    }
    m_valueIndex.insert(folded, m_values.size());
    m_values.append(RegistryValue{name, data});
}

bool RegistryKey::removeValue(const QString& name)
{
    const auto it = m_valueIndex.find(RegistryFoldCase(name));
    if (it == m_valueIndex.end())
        return false;
    const qsizetype index = *it;
    m_valueIndex.erase(it);
    m_values.removeAt(index);
    for (qsizetype& position : m_valueIndex) {
        if (position > index)
            --position;
    }
    return true;
}

const RegistryKey* RegistryKey::findSubkey(const QString& name) const
{
    const auto it = m_subkeys.constFind(RegistryFoldCase(name));
    return it == m_subkeys.constEnd() ? nullptr : &*it;
}

RegistryKey* RegistryKey::findSubkey(const QString& name)
{
    const auto it = m_subkeys.find(RegistryFoldCase(name));
    return it == m_subkeys.end() ? nullptr : &*it;
}

RegistryKey& RegistryKey::createSubkey(const QString& name)
{
    const QString folded = RegistryFoldCase(name);
    auto it = m_subkeys.find(folded);
    if (it == m_subkeys.end())
        it = m_subkeys.insert(folded, RegistryKey(name));
    return *it;
}

bool RegistryKey::removeSubkey(const QString& name)
{
    return m_subkeys.remove(RegistryFoldCase(name));
}

std::vector<const RegistryKey*> RegistryKey::subkeys() const
{
    std::vector<std::pair<QString, const RegistryKey*>> byName;
    byName.reserve(std::size_t(m_subkeys.size()));
    for (auto it = m_subkeys.cbegin(); it != m_subkeys.cend(); ++it)
        byName.emplace_back(it.key(), &it.value());
    std::sort(byName.begin(), byName.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const RegistryKey*> keys;
    keys.reserve(byName.size());
    for (const auto& entry : byName)
        keys.push_back(entry.second);
    return keys;
}

bool RegistryKey::operator==(const RegistryKey& other) const
{
    return m_name == other.m_name && m_values == other.m_values && m_subkeys == other.m_subkeys;
}
