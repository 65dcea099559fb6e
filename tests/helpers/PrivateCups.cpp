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
    return !path.isEmpty() ? path : QStandardPaths::findExecutable(name, {u"/usr/sbin"_s, u"/sbin"_s});
}

} // namespace

PrivateCups::PrivateCups(const QString& dataFolder)
    : m_data(dataFolder), m_dir(QDir::tempPath() + u"/wplatomat-cups-XXXXXX"_s)
{
    // The daemon's filters run as its unprivileged user and must reach the spool here.
    const auto open = QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | open);
}

PrivateCups::~PrivateCups()
{
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(10'000)) {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    if (m_oldServer.isNull())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", m_oldServer);
    cupsSetServer(nullptr);
}

bool PrivateCups::Installed()
{
    return !Tool(u"cupsd"_s).isEmpty() && !Tool(u"lpadmin"_s).isEmpty();
}

bool PrivateCups::Start()
{
    const QString socket = m_dir.filePath(u"cups.sock"_s);
    const group* own = getgrgid(getgid());
    for (const char* folder : {"conf", "spool", "cache", "state", "tmp", "ssl", "log", "out"})
        QDir(m_dir.path()).mkpath(QLatin1String(folder));
    // Every place the daemon writes is named in the fixtures; one left out would be the machine's own.
    for (const char* name : {"cupsd.conf", "cups-files.conf"}) {
        QFile in(m_data + u'/' + QLatin1String(name));
        QFile out(m_dir.filePath(QLatin1String(name)));
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
            m_error = u"cannot copy "_s + in.fileName();
            return false;
        }
        out.write(QString::fromUtf8(in.readAll())
                      .replace(u"@DIR@"_s, m_dir.path())
                      .replace(u"@SOCKET@"_s, socket)
                      .replace(u"@GROUP@"_s, own ? QString::fromLocal8Bit(own->gr_name) : u"root"_s)
                      .toLocal8Bit());
    }
    // Should this process die without its destructors, the daemon goes too.
    m_daemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_daemon.setStandardOutputFile(m_dir.filePath(u"log/cupsd.out"_s));
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.start(Tool(u"cupsd"_s),
                   {u"-f"_s, u"-c"_s, m_dir.filePath(u"cupsd.conf"_s), u"-s"_s, m_dir.filePath(u"cups-files.conf"_s)});
    m_daemon.waitForStarted();
    // libcups keeps its server in this process: it is told as well as the environment.
    m_oldServer = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    cupsSetServer(socket.toLocal8Bit().constData());
    QString answer;
    const auto running = [&] { return Run(u"lpstat"_s, {u"-r"_s}, &answer) && answer.contains(u"is running"_s); };
    const bool ended = QTest::qWaitFor([&] { return m_daemon.state() == QProcess::NotRunning || running(); }, 60'000);
    const bool started = ended && m_daemon.state() == QProcess::Running;
    m_error = started ? QString() : u"no cupsd"_s;
    return started;
}

bool PrivateCups::Run(const QString& tool, const QStringList& arguments, QString* output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(Tool(tool), QStringList{u"-h"_s, m_dir.filePath(u"cups.sock"_s)} + arguments);
    const bool finished = process.waitForFinished(30'000) && process.exitStatus() == QProcess::NormalExit;
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = text;
    if (finished && process.exitCode() == 0)
        return true;
    m_error = tool + u' ' + arguments.join(u' ') + u" failed: "_s + text;
    return false;
}

bool PrivateCups::AddQueue(
    const QString& name, const QString& deviceUri, const QString& ppdPath, const QStringList& options)
{
    QStringList arguments{u"-p"_s, name, u"-E"_s, u"-v"_s, deviceUri, u"-P"_s};
    arguments << (ppdPath.isEmpty() ? m_data + u"/pdf-file.ppd"_s : ppdPath);
    for (const QString& option : options)
        arguments << u"-o"_s << option;
    return Run(u"lpadmin"_s, arguments);
}

bool PrivateCups::WaitForJobs(const QString& queue, int jobs)
{
    QString pending, done;
    const bool finished = QTest::qWaitFor([&] {
        if (!Run(u"lpstat"_s, {u"-o"_s, queue}, &pending) || !pending.trimmed().isEmpty())
            return false;
        return Run(u"lpstat"_s, {u"-W"_s, u"completed"_s, u"-o"_s, queue}, &done) && done.count(u'\n') >= jobs;
    }, 60'000);
    m_error = finished ? QString() : u"jobs of %1 not done in time: %2"_s.arg(queue, pending);
    return finished;
}

QString PrivateCups::Error() const
{
    QString log = m_error + u'\n';
    for (const char* name : {"log/cupsd.out", "log/error_log"})
        if (QFile file(m_dir.filePath(QLatin1String(name))); file.open(QIODevice::ReadOnly))
            log += QString::fromLocal8Bit(file.readAll()).right(2000);
    return log;
}
