#pragma once

#include <QByteArray>
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

// One key of the registry as RegistryTree keeps it: its place in the tree and
// its values. Values keep the order in which they were first written, so the
// file stays stable across rewrites.
struct RegistryKey {
    QString name;   // with the letter case of its creation; "" for the root
    QString folded; // the name as lookups compare it
    int parent = -1;
    std::vector<int> children;
    QList<RegistryValue> values;
};

// Names of keys and values compare like the other system's: ignoring case.
QString RegistryFoldCase(const QString& name);
