#pragma once

#include "platform/RegistryTree.h"

#include <QString>

#include <functional>
#include <memory>

// The file that keeps the user's registry between runs, by default
// <XDG config>/KORVEX/Wplatomat/registry.txt (its text is described in
// RegistryFormat.h). Every change is written at once through a temporary file
// that replaces the old one only when it is complete, so a crash or a full
// disk never leaves half a registry behind.
//
// The parsed file is kept for the process and read again only when its
// identity, size or modification time change, so reads cost no parsing.
class RegistryFile {
public:
    explicit RegistryFile(const QString& fileName);

    static QString defaultFileName();
    // Settings take a few kilobytes; a larger file is damaged or hostile: it
    // reads as empty and is never rewritten, and no save may grow past it.
    static constexpr qint64 MaxFileBytes = 256 * 1024;

    const QString& fileName() const { return m_fileName; }

    // A missing or unreadable file is an empty registry.
    std::shared_ptr<const RegistryTree> load() const;
    // Under the lock file, loads the file afresh, lets change() alter the tree
    // and saves the tree when change() returns true. False when change()
    // declined (error stays empty), when another process holds the lock, or
    // when the file could not be read whole or written.
    bool update(const std::function<bool(RegistryTree&)>& change, QString* error) const;

private:
    bool save(const RegistryTree& tree, QString* error) const;

    QString m_fileName;
};
