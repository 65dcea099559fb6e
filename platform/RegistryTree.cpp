#include "platform/RegistryTree.h"

#include <algorithm>

bool RegistryTree::isValidKeyName(const QString& name)
{
    return !name.isEmpty() && name.size() <= MaxKeyNameLength && !name.contains(QLatin1Char('\\'));
}

bool RegistryTree::isValidPath(const QStringList& path)
{
    return path.size() <= MaxKeyDepth && std::all_of(path.begin(), path.end(), isValidKeyName);
}

const RegistryKey* RegistryTree::findKey(const QStringList& path) const
{
    const RegistryKey* key = &m_root;
    for (const QString& name : path) {
        key = key->findSubkey(name);
        if (!key)
            return nullptr;
    }
    return key;
}

RegistryKey* RegistryTree::findKey(const QStringList& path)
{
    // Looked up through the const walk first, so that a miss does not unshare the tree.
    if (!std::as_const(*this).findKey(path))
        return nullptr;
    RegistryKey* key = &m_root;
    for (const QString& name : path)
        key = key->findSubkey(name);
    return key;
}

RegistryKey& RegistryTree::createKey(const QStringList& path)
{
    RegistryKey* key = &m_root;
    for (const QString& name : path)
        key = &key->createSubkey(name);
    return *key;
}

bool RegistryTree::deleteKey(const QStringList& path)
{
    if (path.isEmpty())
        return false;
    RegistryKey* parent = findKey(path.mid(0, path.size() - 1));
    return parent && parent->removeSubkey(path.back());
}

QStringList RegistryTree::subkeyNames(const QStringList& path) const
{
    QStringList names;
    if (const RegistryKey* key = findKey(path)) {
        for (const RegistryKey* subkey : key->subkeys())
            names << subkey->name();
    }
    return names;
}
