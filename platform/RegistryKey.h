#pragma once

#include <QByteArray>
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

// One key of the registry with its values. Values keep the order in which
// they were first written, so the file stays stable across rewrites.
class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(const QString& path) : m_path(path) {}

    // The path from the root with the letter case of its creation; "" is the root.
    const QString& path() const { return m_path; }
    const std::vector<RegistryValue>& values() const { return m_values; }

    const RegistryValue* findValue(const QString& name) const;
    // An existing value keeps its name's letter case and position.
    void setValue(const QString& name, const RegistryData& data);
    bool removeValue(const QString& name);

    bool operator==(const RegistryKey& other) const;

private:
    std::size_t indexOf(const QString& name) const; // values().size() when absent

    QString m_path;
    std::vector<RegistryValue> m_values;
};

// Names of keys and values compare like the other system's: ignoring case.
QString RegistryFoldCase(const QString& name);
bool RegistrySameName(const QString& a, const QString& b);
