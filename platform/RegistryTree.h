#pragma once

#include "platform/RegistryKey.h"

#include <QStringList>

// The whole registry of the user held in memory: a tree of keys under the
// root (the empty path), found name by name. A key never exists without its
// parent. Paths and names are bounded as in the other system's registry, so
// that no file or caller can make a walk through the tree run away.
class RegistryTree {
public:
    static constexpr qsizetype MaxKeyDepth = 512;
    static constexpr qsizetype MaxKeyNameLength = 255;
    static constexpr qsizetype MaxValueNameLength = 16383;

    const RegistryKey& root() const { return m_root; }

    bool keyExists(const QStringList& path) const { return findKey(path) != nullptr; }
    const RegistryKey* findKey(const QStringList& path) const;
    RegistryKey* findKey(const QStringList& path);
    // Missing keys along the path are created; existing ones keep their case.
    // The path must be valid (isValidPath).
    RegistryKey& createKey(const QStringList& path);
    // Removes the key with all its subkeys. The root cannot be removed.
    bool deleteKey(const QStringList& path);
    // Names of the direct subkeys, with the letter case of their creation.
    QStringList subkeyNames(const QStringList& path) const;

    bool operator==(const RegistryTree& other) const { return m_root == other.m_root; }
    bool operator!=(const RegistryTree& other) const { return !(*this == other); }

    // A name that can stand in a key path: not empty, not too long, without the separator.
    static bool isValidKeyName(const QString& name);
    static bool isValidPath(const QStringList& path);
    static bool isValidValueName(const QString& name) { return name.size() <= MaxValueNameLength; }

private:
    RegistryKey m_root;
};
