#include "app/DesktopIntegration.h"

#include "app/DesktopEntries.h"
#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <chrono>

namespace {

// Our files are a few hundred bytes; the user's defaults list stays far below.
constexpr qint64 MaxFileBytes = 1 << 20;
constexpr std::chrono::seconds RefreshTimeout{15};

// A database older than a file it indexes missed a refresh (a tool missing,
// a run cut short), so the next start makes it up.
bool Stale(const QString& cache, const QStringList& sources)
{
    const QFileInfo built(cache);
    for (const QString& source : sources) {
        const QFileInfo s(source);
        if (s.exists() && (!built.exists() || built.lastModified() < s.lastModified()))
            return true;
    }
    return false;
}

} // namespace

// Outside any namespace, where the resource's initialiser is declared.
static QByteArray Icon()
{
    // The picture lives in the library's resources, which a static library
    // must register itself.
    Q_INIT_RESOURCE(Desktop);
    QFile icon(QStringLiteral(":/wplatomat.svg"));
    return icon.open(QIODevice::ReadOnly) ? icon.readAll() : QByteArray();
}

TDesktopIntegration::TDesktopIntegration(QObject* parent, const QString& shellPath)
    : QObject(parent),
      m_shellPath(shellPath.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/wplatomat-shell")
                                      : shellPath)
{
}

bool TDesktopIntegration::WriteIfChanged(const QString& path, const QByteArray& content)
{
    QByteArray present;
    if (ReadRegularFile(path, MaxFileBytes, present) == TFileRead::Ok && present == content)
        return true;
    // A link planted in the place of a file of ours is replaced, never written
    // through: its target may be anything of the user's. (The defaults list
    // comes here by its target's own path.)
    if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
        qWarning("Desktop file %s not written: the link in its place cannot be removed", qUtf8Printable(path));
        return false;
    }
    QString reason = QStringLiteral("its folder cannot be made");
    if (!QDir().mkpath(QFileInfo(path).path()) || SaveRegularFile(path, content, &reason) != TFileSave::Ok) {
        qWarning("Desktop file %s not written: %s", qUtf8Printable(path), qUtf8Printable(reason));
        return false;
    }
    m_written << path;
    return true;
}

void TDesktopIntegration::Publish()
{
    using namespace DesktopEntries;
    m_written.clear();
    m_refreshes.clear();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (data.isEmpty() || config.isEmpty())
        return;
    const QString mimeFolder = data + QStringLiteral("/mime");
    const QString package = mimeFolder + QStringLiteral("/packages/wplatomat.xml");
    const QString apps = data + QStringLiteral("/applications");
    const QStringList entries = {apps + QLatin1Char('/') + OpenEntryId, apps + QLatin1Char('/') + PrintEntryId};

    WriteIfChanged(package, MimePackage());
    WriteIfChanged(data + QStringLiteral("/icons/hicolor/scalable/apps/") + IconName + QStringLiteral(".svg"), Icon());
    const std::optional<QByteArray> open =
        Entry(QStringLiteral("Wplatomat"), m_shellPath, QStringLiteral("open"), false);
    const std::optional<QByteArray> print =
        Entry(QStringLiteral("Drukuj w programie Wplatomat"), m_shellPath, QStringLiteral("print"), true);
    if (open && print) {
        WriteIfChanged(entries[0], *open);
        WriteIfChanged(entries[1], *print);
    } else {
        qWarning("No desktop entries: the path %s cannot stand in one", qUtf8Printable(m_shellPath));
    }

    // Among entries of one folder the desktop's pick is left open: the open
    // entry becomes the default unless the user has named one for the type.
    // A list linked from elsewhere (a dotfiles folder) is changed where it lives.
    const QFileInfo list(config + QStringLiteral("/mimeapps.list"));
    const QString mimeApps = list.isSymLink() ? list.canonicalFilePath() : list.filePath();
    QByteArray defaults;
    const TFileRead read = ReadRegularFile(mimeApps, MaxFileBytes, defaults);
    if (!mimeApps.isEmpty() && (read == TFileRead::Ok || read == TFileRead::Missing))
        if (const std::optional<QByteArray> updated = WithDefaultApplication(defaults))
            WriteIfChanged(mimeApps, *updated);

    if (Stale(mimeFolder + QStringLiteral("/mime.cache"), {package}))
        Refresh(QStringLiteral("update-mime-database"), mimeFolder);
    if (Stale(apps + QStringLiteral("/mimeinfo.cache"), entries))
        Refresh(QStringLiteral("update-desktop-database"), apps);
}

void TDesktopIntegration::Refresh(const QString& program, const QString& folder)
{
    auto* process = new QProcess(this);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this, [this, process] { RefreshDone(process); });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            RefreshDone(process);
    });
    // A tool that hangs is ended; its database is made up at a later start.
    QTimer::singleShot(RefreshTimeout, process, &QProcess::kill);
    m_refreshes << program;
    ++m_running;
    process->start(program, {folder});
}

void TDesktopIntegration::RefreshDone(QProcess* process)
{
    if (process->error() == QProcess::FailedToStart || process->exitStatus() != QProcess::NormalExit
        || process->exitCode() != 0)
        qWarning("%s did not refresh the desktop: %s", qUtf8Printable(process->program()),
                 qUtf8Printable(process->errorString()));
    process->deleteLater();
    if (--m_running == 0)
        emit RefreshFinished();
}
