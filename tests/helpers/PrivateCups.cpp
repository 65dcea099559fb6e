#include "PrivateCups.h"

#include <QDir>
#include <QStandardPaths>
#include <QTest>

#include <cups/cups.h>

#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The daemon and lpadmin live in sbin, which a plain user's PATH may lack.
QString Tool(const QString& name)
{
    const QString path = QStandardPaths::findExecutable(name);
    return !path.isEmpty() ? path : QStandardPaths::findExecutable(name, QStringLiteral("/usr/sbin:/sbin").split(u':'));
}

} // namespace

PrivateCups::PrivateCups(const QString& dataFolder)
    : m_data(dataFolder), m_dir(QDir::tempPath() + QStringLiteral("/wplatomat-cups-XXXXXX"))
{
    // The daemon's filters run as its unprivileged user and must reach the spool here.
    QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | QFile::ReadGroup | QFile::ExeGroup
                                            | QFile::ReadOther | QFile::ExeOther);
}

PrivateCups::~PrivateCups()
{
    m_daemon.terminate();
    m_daemon.waitForFinished(10'000) || (m_daemon.kill(), m_daemon.waitForFinished());
    m_oldServer.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", m_oldServer);
    cupsSetServer(nullptr);
}

bool PrivateCups::Installed()
{
    return !Tool(QStringLiteral("cupsd")).isEmpty() && !Tool(QStringLiteral("lpadmin")).isEmpty();
}

bool PrivateCups::Start()
{
    const QString socket = m_dir.filePath(QStringLiteral("cups.sock"));
    const group* own = getgrgid(getgid());
    for (const char* folder : {"conf", "spool", "cache", "state", "tmp", "ssl", "log", "out"})
        QDir(m_dir.path()).mkpath(QLatin1String(folder));
    // Every place the daemon writes is named in the fixtures; one left out would fall back to the machine's own
    // (/etc/cups, /var/spool/cups).
    for (const char* name : {"cupsd.conf", "cups-files.conf"}) {
        QFile in(m_data + QLatin1Char('/') + QLatin1String(name)), out(m_dir.filePath(QLatin1String(name)));
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return m_error = u"cannot copy "_s + in.fileName(), false;
        out.write(QString::fromUtf8(in.readAll())
                      .replace(u"@DIR@"_s, m_dir.path())
                      .replace(u"@SOCKET@"_s, socket)
                      .replace(u"@GROUP@"_s, own ? QString::fromLocal8Bit(own->gr_name) : u"root"_s)
                      .toLocal8Bit());
    }
    // Should this process die without its destructors, the daemon goes too.
    m_daemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_daemon.setStandardOutputFile(m_dir.filePath(QStringLiteral("log/cupsd.out")));
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.start(Tool(u"cupsd"_s),
                   {u"-f"_s, u"-c"_s, m_dir.filePath(u"cupsd.conf"_s), u"-s"_s, m_dir.filePath(u"cups-files.conf"_s)});
    m_daemon.waitForStarted();
    // libcups keeps its server and a connection in this process, so it is told as well as the environment.
    m_oldServer = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    cupsSetServer(socket.toLocal8Bit().constData());
    QString answer;
    QTest::qWaitFor([&] {
        return m_daemon.state() == QProcess::NotRunning
               || (Run(u"lpstat"_s, {u"-r"_s}, &answer) && answer.contains(QLatin1String("is running")));
    }, 60'000);
    const bool running = m_daemon.state() == QProcess::Running && answer.contains(QLatin1String("is running"));
    m_error = running ? QString() : u"no cupsd"_s;
    return m_error.isEmpty();
}

bool PrivateCups::Run(const QString& tool, const QStringList& arguments, QString* output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(Tool(tool), QStringList{u"-h"_s, m_dir.filePath(u"cups.sock"_s)} + arguments);
    const bool ok =
        process.waitForFinished(30'000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    const QString text = QString::fromLocal8Bit(process.readAll());
    output ? void(*output = text) : void();
    m_error = ok ? m_error : tool + u' ' + arguments.join(u' ') + u" failed: "_s + text;
    return ok;
}

bool PrivateCups::AddQueue(
    const QString& name, const QString& deviceUri, const QString& ppdPath, const QStringList& options)
{
    QStringList arguments{QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"), deviceUri,
        QStringLiteral("-P"), ppdPath.isEmpty() ? m_data + QStringLiteral("/pdf-file.ppd") : ppdPath};
    for (const QString& option : options)
        arguments << QStringLiteral("-o") << option;
    return Run(QStringLiteral("lpadmin"), arguments);
}

bool PrivateCups::WaitForJobs(const QString& queue, int jobs)
{
    QString pending, done;
    const bool finished = QTest::qWaitFor([&] {
        return Run(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}, &pending) && pending.trimmed().isEmpty()
               && Run(u"lpstat"_s, {u"-W"_s, u"completed"_s, u"-o"_s, queue}, &done)
               && done.count(QLatin1Char('\n')) >= jobs;
    }, 60'000);
    m_error = finished ? QString() : QStringLiteral("jobs of %1 not done in time: %2").arg(queue, pending);
    return finished;
}

QString PrivateCups::Error() const
{
    QString log = m_error + QLatin1Char('\n');
    for (const char* name : {"log/cupsd.out", "log/error_log"})
        if (QFile file(m_dir.filePath(QLatin1String(name))); file.open(QIODevice::ReadOnly))
            log += QString::fromLocal8Bit(file.readAll()).right(2000);
    return log;
}
