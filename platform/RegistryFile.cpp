#include "platform/RegistryFile.h"

#include "platform/RegistryFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// Long enough for another instance to finish one write, short enough that a
// hung one does not freeze the program.
constexpr int LockTimeoutMs = 2000;

} // namespace

RegistryFile::RegistryFile(const QString& fileName)
    : m_fileName(fileName)
{
}

QString RegistryFile::defaultFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/KORVEX/Wplatomat/registry.txt");
}

RegistryTree RegistryFile::load() const
{
    RegistryTree tree;
    read(tree, nullptr);
    return tree;
}

bool RegistryFile::read(RegistryTree& tree, QString* error) const
{
    QFile file(m_fileName);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    tree = RegistryFormat::parse(file.read(MaxReadBytes));
    return true;
}

bool RegistryFile::update(const std::function<bool(RegistryTree&)>& change, QString* error) const
{
    if (error)
        error->clear();
    const QString folder = QFileInfo(m_fileName).absolutePath();
    QDir().mkpath(folder);
    QLockFile lockFile(m_fileName + QStringLiteral(".lock"));
    // Without the lock (a folder we cannot write, say) the save below fails
    // on its own and reports why.
    lockFile.tryLock(LockTimeoutMs);
    RegistryTree tree;
    // A file that is there but cannot be read must not be replaced by a nearly empty one.
    if (!read(tree, error))
        return false;
    if (!change(tree))
        return false;
    return save(tree, error);
}

bool RegistryFile::save(const RegistryTree& tree, QString* error) const
{
    QSaveFile file(m_fileName);
    const QByteArray text = RegistryFormat::format(tree);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    return false;
}
