#pragma once

#include "platform/RegistryKey.h"

#include <QStringList>

#include <map>

// The whole registry of the user held in memory: every key by its path of
// names from the root. The root (the empty path) always exists; a key never
// exists without its parent.
class RegistryTree {
public:
    RegistryTree();

    bool keyExists(const QStringList& path) const;
    const RegistryKey* findKey(const QStringList& path) const;
    RegistryKey* findKey(const QStringList& path);
    // Missing keys along the path are created; existing ones keep their case.
    RegistryKey& createKey(const QStringList& path);
    // Removes the key with all its subkeys. The root cannot be removed.
    bool deleteKey(const QStringList& path);
    // Names of the direct subkeys, with the letter case of their creation.
    QStringList subkeyNames(const QStringList& path) const;

    // Every key, parents before their subkeys.
    std::vector<const RegistryKey*> keys() const;

    bool operator==(const RegistryTree& other) const { return m_keys == other.m_keys; }
    bool operator!=(const RegistryTree& other) const { return !(*this == other); }

    // A name that can stand in a key path: not empty and without the separator.
    static bool isValidKeyName(const QString& name);

private:
    static QString foldedPath(const QStringList& path);

    std::map<QString, RegistryKey> m_keys; // by the case-folded path
};
