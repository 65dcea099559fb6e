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
// identity, size or modification time change, so reads cost no parsing. A
// change that leaves the tree as it was writes nothing.
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
    // when the file could not be read whole or written. While a RegistryHold
    // of the file lives, change() is kept and run again when it ends, so it
    // must own everything it uses.
    bool update(const std::function<bool(RegistryTree&)>& change, QString* error) const;

private:
    friend class RegistryHold;
    bool save(const RegistryTree& tree, QString* error) const;

    QString m_fileName;
};

// While it lives, the process's changes to the file are made in memory, where
// every reader of the process sees them, and written in one save when it ends,
// only if they changed anything. A start that rebuilds what is already there
// then writes nothing, and a busy one writes once. One hold at a time.
class RegistryHold {
public:
    explicit RegistryHold(const QString& fileName = RegistryFile::defaultFileName());
    ~RegistryHold() { end(); }
    RegistryHold(const RegistryHold&) = delete;
    RegistryHold& operator=(const RegistryHold&) = delete;

    // Saves what the changes made of the file's latest version; false, with
    // the reason in error, when that could not be written. Later calls do nothing.
    bool end(QString* error = nullptr);

private:
    bool m_active = false;
};
