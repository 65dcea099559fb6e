#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <variant>
#include <vector>

enum TRegDataType { rdUnknown, rdString, rdInteger, rdBinary };

using RegistryData = std::variant<QString, qint32, QByteArray>;

struct RegistryValue {
    QString name; // as first written; lookups ignore case
    RegistryData data;

    TRegDataType type() const;
    bool operator==(const RegistryValue& other) const;
};

// One key of the registry with its values and subkeys, both found by hash of
// the case-folded name. Values keep the order in which they were first
// written, so the file stays stable across rewrites. Copies share their data
// until one of them changes (Qt's implicit sharing), so a tree is cheap to copy.
class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(const QString& name) : m_name(name) {}

    // The name with the letter case of its creation; "" for the root.
    const QString& name() const { return m_name; }
    const QList<RegistryValue>& values() const { return m_values; }

    const RegistryValue* findValue(const QString& name) const;
    // An existing value keeps its name's letter case and position.
    void setValue(const QString& name, const RegistryData& data);
    bool removeValue(const QString& name);

    const RegistryKey* findSubkey(const QString& name) const;
    RegistryKey* findSubkey(const QString& name);
    // An existing subkey keeps its name's letter case.
    RegistryKey& createSubkey(const QString& name);
    bool removeSubkey(const QString& name);
    // Ordered by folded name, so that listings and the file do not depend on hashing.
    std::vector<const RegistryKey*> subkeys() const;

    bool operator==(const RegistryKey& other) const;
    bool operator!=(const RegistryKey& other) const { return !(*this == other); }

private:
    QString m_name;
    QList<RegistryValue> m_values;
    QHash<QString, qsizetype> m_valueIndex; // folded name -> position in m_values
    QHash<QString, RegistryKey> m_subkeys;  // by folded name
};

// Names of keys and values compare like the other system's: ignoring case.
QString RegistryFoldCase(const QString& name);
