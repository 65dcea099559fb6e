#include "platform/RegistryFile.h"

#include "platform/FileName.h"
#include "platform/PrivateFolder.h"
#include "platform/RegistryFormat.h"
#include "platform/RegularFile.h"

#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QStandardPaths>

#include <optional>
#include <vector>

#include <sys/stat.h>

namespace {

// Another instance writes the file in milliseconds; a lock held longer is
// not worth freezing the window for, and that one write is reported failed.
constexpr int LockWaitMs = 100;

// What tells one version of the file from another without reading it.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0; // every save renames a new file into place
    off_t size = 0;
    qint64 modifiedNs = 0;

    bool operator==(const FileStamp& o) const
    {
        return exists == o.exists && device == o.device && inode == o.inode && size == o.size
            && modifiedNs == o.modifiedNs;
    }
};

FileStamp StampOf(const QString& fileName)
{
    struct stat st {};
    if (::stat(EncodeFileName(fileName).constData(), &st) != 0)
        return {};
    return {true, st.st_dev, st.st_ino, st.st_size, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

struct Snapshot {
    std::shared_ptr<const RegistryTree> tree;
    QString error; // the file is there but was not read whole
};

// One entry: the program works with one registry file.
QMutex CacheMutex;
QString CachedName;
FileStamp CachedStamp;
std::shared_ptr<const RegistryTree> CachedTree;

void Remember(const QString& fileName, const FileStamp& stamp, std::shared_ptr<const RegistryTree> tree)
{
    CachedName = fileName;
    CachedStamp = stamp;
    CachedTree = std::move(tree);
}

Snapshot Read(const QString& fileName)
{
    const QMutexLocker locker(&CacheMutex);
    const FileStamp stamp = StampOf(fileName);
    if (CachedTree && CachedName == fileName && CachedStamp == stamp)
        return {CachedTree, QString()};
    CachedTree.reset(); // an old tree and a new one never both in memory
    QByteArray bytes;
    switch (ReadRegularFile(fileName, RegistryFile::MaxFileBytes, bytes)) {
    case TFileRead::Ok:
    case TFileRead::Missing: {
        auto tree = std::make_shared<const RegistryTree>(RegistryFormat::parse(bytes));
        Remember(fileName, stamp, tree);
        return {tree, QString()};
    }
    case TFileRead::NotRegular:
        return {std::make_shared<const RegistryTree>(), QStringLiteral("plik rejestru nie jest zwykłym plikiem")};
    case TFileRead::TooLarge:
        return {std::make_shared<const RegistryTree>(),
                QStringLiteral("plik rejestru jest większy niż %1 bajtów").arg(RegistryFile::MaxFileBytes)};
    case TFileRead::Failed:
        break;
    }
    // Errors are not remembered: a file made readable again must be seen at once.
    return {std::make_shared<const RegistryTree>(), QStringLiteral("nie można odczytać pliku rejestru")};
}

// The changes of a RegistryHold: the tree they made and how to make it again.
struct HeldChanges {
    QString fileName;
    std::shared_ptr<const RegistryTree> view; // none before the first change
    std::vector<std::function<bool(RegistryTree&)>> changes;
};

QMutex HeldMutex;
std::optional<HeldChanges> Held;

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

std::shared_ptr<const RegistryTree> RegistryFile::load() const
{
    {
        const QMutexLocker locker(&HeldMutex);
        if (Held && Held->view && Held->fileName == m_fileName)
            return Held->view;
    }
    return Read(m_fileName).tree;
}

bool RegistryFile::update(const std::function<bool(RegistryTree&)>& change, QString* error) const
{
    error->clear();
    {
        const QMutexLocker locker(&HeldMutex);
        if (Held && Held->fileName == m_fileName) {
            Snapshot base{Held->view, QString()};
            if (!base.tree)
                base = Read(m_fileName);
            if (!base.error.isEmpty()) {
                *error = base.error;
                return false;
            }
            RegistryTree tree = *base.tree;
            if (!change(tree))
                return false;
            Held->changes.push_back(change);
            Held->view = std::make_shared<const RegistryTree>(std::move(tree));
            return true;
        }
    }
    // A change that leaves the file as it is takes no lock, whose file is
    // synced to the disk: a start that rewrites its settings unchanged writes
    // nothing at all. Saves replace the file whole, so this read sees a whole one.
    if (const Snapshot current = Read(m_fileName); current.error.isEmpty()) {
        RegistryTree tree = *current.tree;
        if (!change(tree))
            return false;
        if (tree == *current.tree)
            return true;
    }
    MakePrivateFolders(QFileInfo(m_fileName).absolutePath());
    QLockFile lockFile(m_fileName + QStringLiteral(".lock"));
    if (!lockFile.tryLock(LockWaitMs)) {
        *error = lockFile.error() == QLockFile::LockFailedError
            ? QStringLiteral("rejestr jest zablokowany przez inny proces")
            : QStringLiteral("nie można utworzyć blokady pliku rejestru");
        return false;
    }
    const Snapshot snapshot = Read(m_fileName);
    // A file that is there but was not read whole must not be replaced by what little was read.
    if (!snapshot.error.isEmpty()) {
        *error = snapshot.error;
        return false;
    }
    RegistryTree tree = *snapshot.tree;
    return change(tree) && (tree == *snapshot.tree || save(tree, error));
}

bool RegistryFile::save(const RegistryTree& tree, QString* error) const
{
    const QByteArray text = RegistryFormat::format(tree);
    if (text.size() > MaxFileBytes) {
        *error = QStringLiteral("rejestr przekroczyłby %1 bajtów").arg(MaxFileBytes);
        return false;
    }
    if (SaveRegularFile(m_fileName, text, error) != TFileSave::Ok)
        return false;
    const QMutexLocker locker(&CacheMutex);
    Remember(m_fileName, StampOf(m_fileName), std::make_shared<const RegistryTree>(tree));
    return true;
}

RegistryHold::RegistryHold(const QString& fileName)
{
    const QMutexLocker locker(&HeldMutex);
    if (Held)
        return;
    Held = HeldChanges{fileName, nullptr, {}};
    m_active = true;
}

bool RegistryHold::end(QString* error)
{
    if (!m_active)
        return true;
    m_active = false;
    std::optional<HeldChanges> held;
    {
        const QMutexLocker locker(&HeldMutex);
        held.swap(Held);
    }
    if (held->changes.empty())
        return true;
    // Made again on the file as it is now, so what another process wrote meanwhile stays.
    QString reason;
    const bool saved = RegistryFile(held->fileName).update([&](RegistryTree& tree) {
        for (const auto& change : held->changes)
            change(tree);
        return true;
    }, &reason);
    if (!saved)
        qWarning("Registry not saved: %s", qUtf8Printable(reason));
    if (error)
        *error = reason;
    return saved;
}
