#include "platform/RegistryTree.h"

#include <algorithm>

RegistryTree::RegistryTree()
    : m_keys(1)
{
}

bool RegistryTree::isValidKeyName(const QString& name)
{
    return !name.isEmpty() && name.size() <= MaxKeyNameLength && !name.contains(QLatin1Char('\\'));
}

bool RegistryTree::isValidPath(const QStringList& path)
{
    return path.size() <= MaxKeyDepth && std::all_of(path.begin(), path.end(), isValidKeyName);
}

int RegistryTree::findSubkey(int parent, const QString& name) const
{
    return m_subkeys.value(Name{parent, RegistryFoldCase(name)}, None);
}

int RegistryTree::createSubkey(int parent, const QString& name)
{
    const QString folded = RegistryFoldCase(name);
    const auto found = m_subkeys.constFind(Name{parent, folded});
    if (found != m_subkeys.constEnd())
        return *found;
    const int id = int(m_keys.size());
    m_keys.push_back(RegistryKey{name, folded, parent, {}, {}});
    m_keys[std::size_t(parent)].children.push_back(id);
    m_subkeys.insert(Name{parent, folded}, id);
    return id;
}

std::vector<int> RegistryTree::subkeys(int parent) const
{
    std::vector<int> ids = key(parent).children;
    std::sort(ids.begin(), ids.end(), [this](int a, int b) { return key(a).folded < key(b).folded; });
    return ids;
}

int RegistryTree::findKey(const QStringList& path) const
{
    int id = Root;
    for (qsizetype i = 0; i < path.size() && id != None; ++i)
        id = findSubkey(id, path[i]);
    return id;
}

int RegistryTree::createKey(const QStringList& path)
{
    int id = Root;
    for (const QString& name : path)
        id = createSubkey(id, name);
    return id;
}

bool RegistryTree::deleteKey(const QStringList& path)
{
    const int id = path.isEmpty() ? None : findKey(path);
    if (id == None)
        return false;
    std::vector<int>& siblings = m_keys[std::size_t(key(id).parent)].children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), id));
    // Without recursion: the subtree may be as deep as the bounds allow.
    std::vector<int> pending{id};
    while (!pending.empty()) {
        RegistryKey& gone = m_keys[std::size_t(pending.back())];
        const int goneId = pending.back();
        pending.pop_back();
        m_subkeys.remove(Name{gone.parent, gone.folded});
        for (const RegistryValue& value : gone.values)
            m_values.remove(Name{goneId, RegistryFoldCase(value.name)});
        pending.insert(pending.end(), gone.children.begin(), gone.children.end());
        gone = RegistryKey{};
    }
    return true;
}

QStringList RegistryTree::subkeyNames(const QStringList& path) const
{
    QStringList names;
    const int id = findKey(path);
    if (id != None) {
        for (int subkey : subkeys(id))
            names << key(subkey).name;
    }
    return names;
}

const RegistryValue* RegistryTree::findValue(int id, const QString& name) const
{
    const auto found = m_values.constFind(Name{id, RegistryFoldCase(name)});
    return found == m_values.constEnd() ? nullptr : &key(id).values[*found];
}

void RegistryTree::setValue(int id, const QString& name, const RegistryData& data)
{
    QList<RegistryValue>& values = m_keys[std::size_t(id)].values;
    const Name valueName{id, RegistryFoldCase(name)};
    const auto found = m_values.constFind(valueName);
    if (found != m_values.constEnd()) {
        values[*found].data = data;
        return;
    }
    m_values.insert(valueName, values.size());
    values.append(RegistryValue{name, data});
}

bool RegistryTree::removeValue(int id, const QString& name)
{
    const auto found = m_values.constFind(Name{id, RegistryFoldCase(name)});
    if (found == m_values.constEnd())
        return false;
    const qsizetype index = *found;
    m_values.erase(found);
    QList<RegistryValue>& values = m_keys[std::size_t(id)].values;
    values.removeAt(index);
    for (qsizetype i = index; i < values.size(); ++i)
        m_values[Name{id, RegistryFoldCase(values[i].name)}] = i;
    return true;
}

bool RegistryTree::sameKey(int id, const RegistryTree& other, int otherId) const
{
    const RegistryKey& a = key(id);
    const RegistryKey& b = other.key(otherId);
    if (a.name != b.name || a.values != b.values || a.children.size() != b.children.size())
        return false;
    const std::vector<int> mine = subkeys(id);
    const std::vector<int> theirs = other.subkeys(otherId);
    for (std::size_t i = 0; i < mine.size(); ++i) {
        if (!sameKey(mine[i], other, theirs[i]))
            return false;
    }
    return true;
}
