#include "platform/Registry.h"

namespace {

const QChar Separator = QLatin1Char('\\');

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

TRegistry::TRegistry()
    : TRegistry(RegistryFile::defaultFileName())
{
}

TRegistry::TRegistry(const QString& fileName)
    : m_file(fileName)
{
}

void TRegistry::SetRootKey(TRegRootKey root)
{
    CloseKey();
    m_root = root;
}

QStringList TRegistry::RootPath() const
{
    if (m_root == HKEY_CLASSES_ROOT)
        return {QStringLiteral("Software"), QStringLiteral("Classes")};
    return {};
}

std::optional<QStringList> TRegistry::Resolve(const QString& key) const
{
    const bool fromRoot = key.startsWith(Separator);
    QStringList path = fromRoot || !m_open ? RootPath() : m_currentPath;
    QString rest = fromRoot ? key.mid(1) : key;
    // A trailing separator still names the key before it, as callers tend to write one.
    if (rest.endsWith(Separator))
        rest.chop(1);
    if (rest.isEmpty())
        return path;
    for (const QString& name : rest.split(Separator)) {
        if (!RegistryTree::isValidKeyName(name))
            return std::nullopt;
        path << name;
    }
    if (!RegistryTree::isValidPath(path))
        return std::nullopt;
    return path;
}

void TRegistry::Fail(const QString& reason) const
{
    m_lastError = reason;
}

bool TRegistry::OpenKey(const QString& key, bool canCreate)
{
    m_lastError.clear();
    const std::optional<QStringList> path = Resolve(key);
    if (!path) {
        Fail(QStringLiteral("Nieprawidłowa ścieżka klucza rejestru: %1").arg(Quoted(key)));
        return false;
    }
    // The root key itself is always there, even before anything is written below it.
    const bool exists = path->size() <= RootPath().size() || m_file.load()->keyExists(*path);
    if (!exists) {
        if (!canCreate) {
            Fail(QStringLiteral("Klucz rejestru %1 nie istnieje").arg(Quoted(key)));
            return false;
        }
        QString error;
        const bool created = m_file.update([path = *path](RegistryTree& tree) {
            tree.createKey(path);
            return true;
        }, &error);
        if (!created) {
            Fail(QStringLiteral("Nie można utworzyć klucza rejestru %1: %2").arg(Quoted(key), error));
            return false;
        }
    }
    QString name = key.startsWith(Separator) ? key.mid(1) : key;
    if (name.endsWith(Separator))
        name.chop(1);
    if (!key.startsWith(Separator) && m_open && !m_currentName.isEmpty())
        name = name.isEmpty() ? m_currentName : m_currentName + Separator + name;
    m_currentName = name;
    m_currentPath = *path;
    m_open = true;
    return true;
}

void TRegistry::CloseKey()
{
    m_open = false;
    m_currentPath.clear();
    m_currentName.clear();
}

QString TRegistry::CurrentPath() const
{
    return m_currentName;
}

bool TRegistry::KeyExists(const QString& key) const
{
    m_lastError.clear();
    const std::optional<QStringList> path = Resolve(key);
    return path && (path->size() <= RootPath().size() || m_file.load()->keyExists(*path));
}

bool TRegistry::DeleteKey(const QString& key)
{
    m_lastError.clear();
    const std::optional<QStringList> path = Resolve(key);
    if (!path || path->size() <= RootPath().size()) {
        Fail(QStringLiteral("Nie można usunąć klucza rejestru %1").arg(Quoted(key)));
        return false;
    }
    QString error;
    const bool deleted = m_file.update([path = *path](RegistryTree& tree) { return tree.deleteKey(path); }, &error);
    if (!deleted) {
        Fail(!error.isEmpty() ? QStringLiteral("Nie można zapisać rejestru: %1").arg(error)
                              : QStringLiteral("Klucz rejestru %1 nie istnieje").arg(Quoted(key)));
    }
    return deleted;
}

QStringList TRegistry::GetKeyNames() const
{
    m_lastError.clear();
    return m_open ? m_file.load()->subkeyNames(m_currentPath) : QStringList();
}

QStringList TRegistry::GetValueNames() const
{
    m_lastError.clear();
    QStringList names;
    const std::shared_ptr<const RegistryTree> tree = m_file.load();
    if (const int key = m_open ? tree->findKey(m_currentPath) : RegistryTree::None; key != RegistryTree::None) {
        for (const RegistryValue& value : tree->key(key).values)
            names << value.name;
    }
    return names;
}

const RegistryValue* TRegistry::FindValue(const RegistryTree& tree, const QString& name) const
{
    const int key = m_open ? tree.findKey(m_currentPath) : RegistryTree::None;
    return key != RegistryTree::None ? tree.findValue(key, name) : nullptr;
}

bool TRegistry::ValueExists(const QString& name) const
{
    m_lastError.clear();
    const std::shared_ptr<const RegistryTree> tree = m_file.load();
    return FindValue(*tree, name) != nullptr;
}

TRegDataType TRegistry::GetDataType(const QString& name) const
{
    m_lastError.clear();
    const std::shared_ptr<const RegistryTree> tree = m_file.load();
    const RegistryValue* value = FindValue(*tree, name);
    return value ? value->type() : rdUnknown;
}

bool TRegistry::DeleteValue(const QString& name)
{
    m_lastError.clear();
    if (!m_open) {
        Fail(QStringLiteral("Nie otwarto klucza rejestru"));
        return false;
    }
    QString error;
    const bool deleted = m_file.update([path = m_currentPath, name](RegistryTree& tree) {
        const int key = tree.findKey(path);
        return key != RegistryTree::None && tree.removeValue(key, name);
    }, &error);
    if (!deleted) {
        Fail(!error.isEmpty() ? QStringLiteral("Nie można zapisać rejestru: %1").arg(error)
                              : QStringLiteral("Wartość rejestru %1 nie istnieje").arg(Quoted(name)));
    }
    return deleted;
}

std::optional<QString> TRegistry::ReadString(const QString& name) const
{
    m_lastError.clear();
    const std::shared_ptr<const RegistryTree> tree = m_file.load();
    const RegistryValue* value = FindValue(*tree, name);
    if (!value)
        return QString();
    if (const QString* text = std::get_if<QString>(&value->data))
        return *text;
    Fail(QStringLiteral("Nieprawidłowy typ danych wartości %1").arg(Quoted(name)));
    return std::nullopt;
}

std::optional<qint32> TRegistry::ReadInteger(const QString& name) const
{
    m_lastError.clear();
    const std::shared_ptr<const RegistryTree> tree = m_file.load();
    const RegistryValue* value = FindValue(*tree, name);
    if (const qint32* number = value ? std::get_if<qint32>(&value->data) : nullptr)
        return *number;
    Fail(value ? QStringLiteral("Nieprawidłowy typ danych wartości %1").arg(Quoted(name))
               : QStringLiteral("Wartość rejestru %1 nie istnieje").arg(Quoted(name)));
    return std::nullopt;
}

std::optional<QByteArray> TRegistry::ReadBinaryData(const QString& name) const
{
    m_lastError.clear();
    const std::shared_ptr<const RegistryTree> tree = m_file.load();
    const RegistryValue* value = FindValue(*tree, name);
    if (const QByteArray* bytes = value ? std::get_if<QByteArray>(&value->data) : nullptr)
        return *bytes;
    Fail(value ? QStringLiteral("Nieprawidłowy typ danych wartości %1").arg(Quoted(name))
               : QStringLiteral("Wartość rejestru %1 nie istnieje").arg(Quoted(name)));
    return std::nullopt;
}

bool TRegistry::WriteString(const QString& name, const QString& value)
{
    return Write(name, value);
}

bool TRegistry::WriteInteger(const QString& name, qint32 value)
{
    return Write(name, value);
}

bool TRegistry::WriteBinaryData(const QString& name, const QByteArray& value)
{
    return Write(name, value);
}

bool TRegistry::Write(const QString& name, const RegistryData& data)
{
    m_lastError.clear();
    if (!m_open) {
        Fail(QStringLiteral("Nie otwarto klucza rejestru"));
        return false;
    }
    if (!RegistryTree::isValidValueName(name)) {
        Fail(QStringLiteral("Nieprawidłowa nazwa wartości rejestru %1").arg(Quoted(name.left(80))));
        return false;
    }
    // Settings are written again and again with what they already hold.
    const std::shared_ptr<const RegistryTree> tree = m_file.load();
    const RegistryValue* old = FindValue(*tree, name);
    if (old && old->name == name && old->data == data)
        return true;
    QString error;
    const bool isRoot = m_currentPath.size() <= RootPath().size();
    const bool written = m_file.update([isRoot, path = m_currentPath, name, data](RegistryTree& tree) {
        const int key = isRoot ? tree.createKey(path) : tree.findKey(path);
        if (key != RegistryTree::None)
            tree.setValue(key, name, data);
        return key != RegistryTree::None;
    }, &error);
    if (!written) {
        Fail(!error.isEmpty()
                 ? QStringLiteral("Nie można zapisać wartości %1 w rejestrze: %2").arg(Quoted(name), error)
                 : QStringLiteral("Klucz rejestru %1 już nie istnieje").arg(Quoted(m_currentName)));
    }
    return written;
}
