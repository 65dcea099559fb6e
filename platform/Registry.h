#pragma once

#include "platform/RegistryFile.h"
#include "platform/RegistryKey.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The roots a registry object can work under. The merged classes root has
// only the user's half here: it is the current user's "Software\Classes".
enum TRegRootKey { HKEY_CURRENT_USER, HKEY_CLASSES_ROOT };

// The current user's registry, used as the other system's registry object is.
//
// Paths are names joined by '\'. A path that begins with '\' is taken from
// the root key; any other from the open key, or from the root when no key is
// open. Names of keys and values ignore letter case and keep the case they
// were created with; the empty name is the key's default value.
//
// All objects with the same file see each other's changes at once: every
// call sees the file's latest version and every change is saved before the
// call returns (see RegistryFile). Failures never throw: they give false, no
// value or rdUnknown, and leave their reason in LastError(); a change that
// cannot take the file's lock at once is such a failure.
class TRegistry {
public:
    // The user's own registry file, <XDG config>/KORVEX/Wplatomat/registry.txt.
    TRegistry();
    // Another file: tests, or a second registry for a tool.
    explicit TRegistry(const QString& fileName);

    // Closes the open key, as changing the root of an open object would mislead.
    void SetRootKey(TRegRootKey root);
    QString FileName() const { return m_file.fileName(); }

    // Opens the key; with canCreate a missing key is created with its parents.
    bool OpenKey(const QString& key, bool canCreate);
    bool OpenKeyReadOnly(const QString& key) { return OpenKey(key, false); }
    void CloseKey();
    // The open key's path from the root key, as it was opened.
    QString CurrentPath() const;

    bool KeyExists(const QString& key) const;
    // Removes the key with all its subkeys.
    bool DeleteKey(const QString& key);
    QStringList GetKeyNames() const;
    QStringList GetValueNames() const;

    bool ValueExists(const QString& name) const;
    TRegDataType GetDataType(const QString& name) const;
    bool DeleteValue(const QString& name);

    // A missing value reads as the empty text; a value of another type gives
    // no text, where the other system's object raised.
    std::optional<QString> ReadString(const QString& name) const;
    // No number when the value is missing or of another type.
    std::optional<qint32> ReadInteger(const QString& name) const;
    // No data when the value is missing or of another type.
    std::optional<QByteArray> ReadBinaryData(const QString& name) const;

    // A value of the name, of any type, is replaced; the open key must exist.
    bool WriteString(const QString& name, const QString& value);
    bool WriteInteger(const QString& name, qint32 value);
    bool WriteBinaryData(const QString& name, const QByteArray& value);

    // The reason of the last failure, in Polish for the user; empty after success.
    const QString& LastError() const { return m_lastError; }

private:
    // The full path of a key argument from the tree's root; nothing when it is malformed.
    std::optional<QStringList> Resolve(const QString& key) const;
    QStringList RootPath() const;
    const RegistryValue* FindValue(const RegistryTree& tree, const QString& name) const;
    const RegistryValue* FindValue(RegistryTree&& tree, const QString& name) const = delete;
    bool Write(const QString& name, const RegistryData& data);
    void Fail(const QString& reason) const;

    RegistryFile m_file;
    TRegRootKey m_root = HKEY_CURRENT_USER;
    bool m_open = false;
    QStringList m_currentPath; // from the tree's root, root key included
    QString m_currentName;     // as given to OpenKey
    mutable QString m_lastError;
};
