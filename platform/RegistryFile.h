#pragma once

#include "platform/RegistryTree.h"

#include <QString>

#include <functional>

// The file that keeps the user's registry between runs, by default
// <XDG config>/KORVEX/Wplatomat/registry.txt (its text is described in
// RegistryFormat.h). Every change is written at once through a temporary file
// that replaces the old one only when it is complete, so a crash or a full
// disk never leaves half a registry behind.
class RegistryFile {
public:
    explicit RegistryFile(const QString& fileName);

    static QString defaultFileName();
    // A larger file is read only this far; its cut line is dropped like any other.
    static constexpr qint64 MaxReadBytes = 16 * 1024 * 1024;

    const QString& fileName() const { return m_fileName; }

    // A missing or unreadable file is an empty registry.
    RegistryTree load() const;
    // Loads the file afresh, lets change() alter the tree and saves the tree
    // when change() returns true. A lock file keeps another process from
    // changing the registry in between. False when change() declined
    // (error stays empty) or the file could not be written.
    bool update(const std::function<bool(RegistryTree&)>& change, QString* error) const;

private:
    bool read(RegistryTree& tree, QString* error) const;
    bool save(const RegistryTree& tree, QString* error) const;

    QString m_fileName;
};
