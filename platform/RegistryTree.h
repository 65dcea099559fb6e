#pragma once

#include "platform/RegistryKey.h"

#include <QHash>
#include <QStringList>

// The whole registry of the user held in memory. Keys are numbered in one
// array (the root is 0, a deleted key's number is not reused) and found by
// hash of their parent and folded name, values by hash of their key and
// folded name, so every lookup costs one hash and a key costs a few dozen
// bytes. A key never exists without its parent. Paths and names are bounded
// as in the other system's registry.
class RegistryTree {
public:
    static constexpr int Root = 0;
    static constexpr int None = -1;
    static constexpr qsizetype MaxKeyDepth = 512;
    static constexpr qsizetype MaxKeyNameLength = 255;
    static constexpr qsizetype MaxValueNameLength = 16383;

    RegistryTree();

    const RegistryKey& key(int id) const { return m_keys[std::size_t(id)]; }
    int findSubkey(int parent, const QString& name) const;
    // An existing subkey keeps its name's letter case.
    int createSubkey(int parent, const QString& name);
    // Ordered by folded name, so that listings and the file do not depend on hashing.
    std::vector<int> subkeys(int parent) const;

    int findKey(const QStringList& path) const; // None when missing
    bool keyExists(const QStringList& path) const { return findKey(path) != None; }
    // Missing keys along the path are created. The path must be valid (isValidPath).
    int createKey(const QStringList& path);
    // Removes the key with all its subkeys. The root cannot be removed.
    bool deleteKey(const QStringList& path);
    // Names of the direct subkeys, with the letter case of their creation.
    QStringList subkeyNames(const QStringList& path) const;

    const RegistryValue* findValue(int key, const QString& name) const;
    // An existing value keeps its name's letter case and position.
    void setValue(int key, const QString& name, const RegistryData& data);
    bool removeValue(int key, const QString& name);

    // The same keys, names and values, however they came to be stored.
    bool operator==(const RegistryTree& other) const { return sameKey(Root, other, Root); }
    bool operator!=(const RegistryTree& other) const { return !(*this == other); }

    // A name that can stand in a key path: not empty, not too long, without the separator.
    static bool isValidKeyName(const QString& name);
    static bool isValidPath(const QStringList& path);
    static bool isValidValueName(const QString& name) { return name.size() <= MaxValueNameLength; }

private:
    struct Name {
        int key;
        QString folded;
        bool operator==(const Name& o) const { return key == o.key && folded == o.folded; }
    };
    friend size_t qHash(const Name& name, size_t seed) { return qHashMulti(seed, name.key, name.folded); }

    bool sameKey(int id, const RegistryTree& other, int otherId) const;

    std::vector<RegistryKey> m_keys;
    QHash<Name, int> m_subkeys;     // parent and folded name -> key
    QHash<Name, qsizetype> m_values; // key and folded name -> place in its values
};
