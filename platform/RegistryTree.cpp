#include "platform/RegistryTree.h"

namespace {

const QChar Separator = QLatin1Char('\\');

} // namespace

RegistryTree::RegistryTree()
{
    m_keys.emplace(QString(), RegistryKey(QString()));
}

bool RegistryTree::isValidKeyName(const QString& name)
{
    return !name.isEmpty() && !name.contains(Separator);
}

QString RegistryTree::foldedPath(const QStringList& path)
{
    return RegistryFoldCase(path.join(Separator));
}

bool RegistryTree::keyExists(const QStringList& path) const
{
    return findKey(path) != nullptr;
}

const RegistryKey* RegistryTree::findKey(const QStringList& path) const
{
    const auto it = m_keys.find(foldedPath(path));
    return it == m_keys.end() ? nullptr : &it->second;
}

RegistryKey* RegistryTree::findKey(const QStringList& path)
{
    const auto it = m_keys.find(foldedPath(path));
    return it == m_keys.end() ? nullptr : &it->second;
}

RegistryKey& RegistryTree::createKey(const QStringList& path)
{
    RegistryKey* key = &m_keys.find(QString())->second;
    QStringList folded;
    for (const QString& name : path) {
        folded << RegistryFoldCase(name);
        const QString parentPath = key->path();
        auto it = m_keys.find(folded.join(Separator));
        if (it == m_keys.end()) {
            const QString casedPath = parentPath.isEmpty() ? name : parentPath + Separator + name;
            it = m_keys.emplace(folded.join(Separator), RegistryKey(casedPath)).first;
        }
        key = &it->second;
    }
    return *key;
}

bool RegistryTree::deleteKey(const QStringList& path)
{
    const QString folded = foldedPath(path);
    if (folded.isEmpty())
        return false;
    const auto first = m_keys.find(folded);
    if (first == m_keys.end())
        return false;
    // Subkeys share the prefix "path\", so they follow the key in the map's order.
    const QString prefix = folded + Separator;
    auto last = m_keys.lower_bound(prefix);
    while (last != m_keys.end() && last->first.startsWith(prefix))
        last = m_keys.erase(last);
    m_keys.erase(first);
    return true;
}

QStringList RegistryTree::subkeyNames(const QStringList& path) const
{
    QStringList names;
    const QString folded = foldedPath(path);
    if (m_keys.find(folded) == m_keys.end())
        return names;
    const QString prefix = folded.isEmpty() ? QString() : folded + Separator;
    for (auto it = m_keys.lower_bound(prefix); it != m_keys.end() && it->first.startsWith(prefix);
         ++it) {
        if (it->first.size() > prefix.size() && !it->first.mid(prefix.size()).contains(Separator))
            names << it->second.path().section(Separator, -1);
    }
    return names;
}

std::vector<const RegistryKey*> RegistryTree::keys() const
{
    std::vector<const RegistryKey*> all;
    all.reserve(m_keys.size());
    // A parent's folded path is a prefix of its subkeys', so it sorts first.
    for (const auto& entry : m_keys)
        all.push_back(&entry.second);
    return all;
}
