#include "PrivateCups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <cups/cups.h>

#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int ToolTimeoutMs = 30'000;
constexpr int StopTimeoutMs = 10'000;
constexpr unsigned long PollMs = 100;

const char* const Folders[] = {"conf", "spool", "cache", "state", "tmp", "ssl", "log", "out"};

// The lp tools and the daemon live in sbin, which a plain user's PATH may lack.
QString Tool(const QString& name)
{
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"),
                                                     QStringLiteral("/sbin")});
    return path;
}

QString OwnGroup()
{
    const group* g = getgrgid(getgid());
    return g ? QString::fromLocal8Bit(g->gr_name) : QStringLiteral("root");
}

QString JobStateName(ipp_jstate_t state)
{
    return QString::fromLatin1(ippEnumString("job-state", state));
}

QString Tail(const QString& text, int chars)
{
    return text.size() > chars ? QStringLiteral("...") + text.right(chars) : text;
}

} // namespace

PrivateCups::PrivateCups()
    : m_dir(QDir::tempPath() + QStringLiteral("/wplatomat-cups-XXXXXX"))
{
    // The daemon's filters run as its unprivileged user and must reach the
    // spool inside this folder.
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}

PrivateCups::~PrivateCups()
{
    Stop();
}

bool PrivateCups::Installed()
{
    for (const char* tool : {"cupsd", "lpadmin", "lpstat"})
        if (Tool(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

QString PrivateCups::CupsPdfPpd()
{
    for (const char* path : {"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd", "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd",
                             "/usr/share/ppd/cups-pdf/CUPS-PDF.ppd"})
        if (QFileInfo::exists(QString::fromLatin1(path)))
            return QString::fromLatin1(path);
    return QString();
}

QString PrivateCups::Path(const QString& name) const
{
    return m_dir.filePath(name);
}

QString PrivateCups::Socket() const
{
    return Path(QStringLiteral("cups.sock"));
}

QString PrivateCups::OutputFolder() const
{
    return Path(QStringLiteral("out"));
}

bool PrivateCups::Running() const
{
    return m_daemon.state() != QProcess::NotRunning;
}

bool PrivateCups::WriteConfiguration()
{
    for (const char* folder : Folders)
        if (!QDir(m_dir.path()).mkpath(QString::fromLatin1(folder))) {
            m_error = QStringLiteral("cannot create %1").arg(Path(QString::fromLatin1(folder)));
            return false;
        }
    // Every place the daemon writes is named here; left out, it would fall
    // back to the machine's own folders (/etc/cups, /var/spool/cups, /run/cups).
    const QString files = QStringLiteral(
                              "ServerRoot %1/conf\n"
                              "RequestRoot %1/spool\n"
                              "CacheDir %1/cache\n"
                              "StateDir %1/state\n"
                              "TempDir %1/tmp\n"
                              "ServerKeychain %1/ssl\n"
                              "AccessLog %1/log/access_log\n"
                              "ErrorLog %1/log/error_log\n"
                              "PageLog %1/log/page_log\n"
                              "Printcap %1/printcap\n"
                              "FileDevice Yes\n"
                              "SystemGroup %2\n")
                              .arg(m_dir.path(), OwnGroup());
    // The socket is the only way in; the policy lets its clients do anything,
    // so that lpadmin needs no authentication.
    const QString daemon = QStringLiteral(
                               "Listen %1\n"
                               "Browsing No\n"
                               "BrowseLocalProtocols none\n"
                               "DefaultShared No\n"
                               "WebInterface No\n"
                               "LogLevel warn\n"
                               "MaxLogSize 0\n"
                               "DefaultAuthType None\n"
                               "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                               "<Policy default>\n"
                               "  JobPrivateAccess all\n  JobPrivateValues none\n"
                               "  SubscriptionPrivateAccess all\n  SubscriptionPrivateValues none\n"
                               "  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                               "</Policy>\n")
                               .arg(Socket());
    for (const auto& [name, text] : {std::pair{QStringLiteral("cups-files.conf"), files},
                                     std::pair{QStringLiteral("cupsd.conf"), daemon}}) {
        QFile file(Path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toLocal8Bit()) < 0) {
            m_error = QStringLiteral("cannot write %1").arg(file.fileName());
            return false;
        }
    }
    return true;
}

bool PrivateCups::Start(std::chrono::milliseconds timeout)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder: %1").arg(m_dir.errorString());
        return false;
    }
    if (Socket().toLocal8Bit().size() >= int(sizeof(sockaddr_un::sun_path))) {
        m_error = QStringLiteral("socket path too long for a unix socket: %1").arg(Socket());
        return false;
    }
    if (!Installed()) {
        m_error = QStringLiteral("cupsd, lpadmin or lpstat is not installed");
        return false;
    }
    if (!WriteConfiguration())
        return false;

    const QDeadlineTimer deadline(timeout);
    m_daemon.setProgram(Tool(QStringLiteral("cupsd")));
    m_daemon.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), Path(QStringLiteral("cupsd.conf")),
                           QStringLiteral("-s"), Path(QStringLiteral("cups-files.conf"))});
    // Should this process die without its destructors, the daemon goes too.
    m_daemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.setStandardOutputFile(Path(QStringLiteral("log/cupsd.out")));
    m_daemon.start();
    if (!m_daemon.waitForStarted(int(timeout.count()))) {
        m_error = QStringLiteral("cupsd did not start: %1").arg(m_daemon.errorString());
        return false;
    }

    // libcups remembers its server and keeps a connection to it, so it is
    // told as well as the environment that later clients read.
    m_hadOldServer = qEnvironmentVariableIsSet("CUPS_SERVER");
    m_oldServer = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", Socket().toLocal8Bit());
    cupsSetServer(Socket().toLocal8Bit().constData());
    m_serverSet = true;

    const QString lpstat = Tool(QStringLiteral("lpstat"));
    while (!deadline.hasExpired()) {
        if (!Running()) {
            m_error = QStringLiteral("cupsd ended with code %1\n%2").arg(m_daemon.exitCode()).arg(Log());
            return false;
        }
        QString answer;
        if (Run(lpstat, {QStringLiteral("-h"), Socket(), QStringLiteral("-r")}, &answer)
            && answer.contains(QStringLiteral("scheduler is running"))) {
            m_error.clear(); // the refusals while it was starting
            return true;
        }
        QThread::msleep(PollMs);
    }
    m_error = QStringLiteral("cupsd did not answer on %1 in time\n%2").arg(Socket(), Log());
    return false;
}

void PrivateCups::Stop()
{
    if (Running()) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(StopTimeoutMs)) {
            m_daemon.kill();
            m_daemon.waitForFinished(StopTimeoutMs);
        }
    }
    if (m_serverSet) {
        if (m_hadOldServer)
            qputenv("CUPS_SERVER", m_oldServer);
        else
            qunsetenv("CUPS_SERVER");
        cupsSetServer(nullptr);
        m_serverSet = false;
    }
}

bool PrivateCups::Run(const QString& program, const QStringList& arguments, QString* output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForStarted(ToolTimeoutMs) && process.waitForFinished(ToolTimeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished(StopTimeoutMs);
    }
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = text;
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    m_error = QStringLiteral("%1 %2 failed (%3): %4")
                  .arg(program, arguments.join(QLatin1Char(' ')), finished ? QString::number(process.exitCode())
                                                                           : QStringLiteral("no answer in time"),
                       text);
    return false;
}

bool PrivateCups::AddQueue(const QString& name, const QString& deviceUri, const QString& ppdPath)
{
    return Run(Tool(QStringLiteral("lpadmin")), {QStringLiteral("-h"), Socket(), QStringLiteral("-p"), name,
                                                 QStringLiteral("-E"), QStringLiteral("-v"), deviceUri,
                                                 QStringLiteral("-P"), ppdPath});
}

bool PrivateCups::AddPdfFileQueue(const QString& name, const QString& file, const QString& model,
                                  const QMarginsF& marginsPt, const QString& defaultPaper)
{
    // Paper in points, portrait; the printable area is given from the
    // bottom-left corner, as PostScript counts.
    struct Paper {
        const char* name;
        double width;
        double height;
    };
    const Paper papers[] = {{"A4", 595, 842}, {"Letter", 612, 792}};
    QString sizes, regions, areas, dimensions;
    for (const Paper& p : papers) {
        const QString n = QString::fromLatin1(p.name);
        const QString box = QStringLiteral("\"<</PageSize[%1 %2]/ImagingBBox null>>setpagedevice\"\n")
                                .arg(p.width)
                                .arg(p.height);
        sizes += QStringLiteral("*PageSize %1/%1: ").arg(n) + box;
        regions += QStringLiteral("*PageRegion %1/%1: ").arg(n) + box;
        areas += QStringLiteral("*ImageableArea %1/%1: \"%2 %3 %4 %5\"\n")
                     .arg(n)
                     .arg(marginsPt.left())
                     .arg(marginsPt.bottom())
                     .arg(p.width - marginsPt.right())
                     .arg(p.height - marginsPt.top());
        dimensions += QStringLiteral("*PaperDimension %1/%1: \"%2 %3\"\n").arg(n).arg(p.width).arg(p.height);
    }
    // gziptoany copies an uncompressed document unchanged; a queue without
    // any filter would complete its jobs without writing the file at all.
    const QString ppd = QStringLiteral(
                            "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
                            "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"PDFFILE.PPD\"\n"
                            "*Manufacturer: \"Test\"\n*Product: \"(%1)\"\n*ModelName: \"%1\"\n"
                            "*ShortNickName: \"%1\"\n*NickName: \"%1\"\n*PSVersion: \"(3010.000) 0\"\n"
                            "*LanguageLevel: \"3\"\n*ColorDevice: True\n*DefaultColorSpace: RGB\n"
                            "*FileSystem: False\n*Throughput: \"1\"\n*LandscapeOrientation: Plus90\n"
                            "*TTRasterizer: Type42\n*cupsFilter: \"application/pdf 0 gziptoany\"\n"
                            "*OpenUI *PageSize/Page Size: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n"
                            "*DefaultPageSize: %6\n%2*CloseUI: *PageSize\n"
                            "*OpenUI *PageRegion: PickOne\n*OrderDependency: 10 AnySetup *PageRegion\n"
                            "*DefaultPageRegion: %6\n%3*CloseUI: *PageRegion\n"
                            "*DefaultImageableArea: %6\n%4*DefaultPaperDimension: %6\n%5")
                            .arg(model, sizes, regions, areas, dimensions, defaultPaper);
    const QString ppdPath = Path(QStringLiteral("%1.ppd").arg(name));
    QFile out(ppdPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(ppd.toLatin1()) < 0) {
        m_error = QStringLiteral("cannot write %1").arg(ppdPath);
        return false;
    }
    out.close();
    return AddQueue(name, QStringLiteral("file://") + QFileInfo(file).absoluteFilePath(), ppdPath);
}

bool PrivateCups::WaitForJobs(const QString& queue, int jobs, std::chrono::milliseconds timeout)
{
    http_t* http = httpConnect2(Socket().toLocal8Bit().constData(), ippPort(), nullptr, AF_LOCAL,
                                HTTP_ENCRYPTION_IF_REQUESTED, 1, ToolTimeoutMs, nullptr);
    if (!http) {
        m_error = QStringLiteral("cannot connect to %1").arg(Socket());
        return false;
    }
    const QDeadlineTimer deadline(timeout);
    QString states;
    QString failure;
    bool done = false;
    while (!done && failure.isEmpty() && !deadline.hasExpired()) {
        cups_job_t* list = nullptr;
        const int count = cupsGetJobs2(http, &list, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
        int completed = 0;
        int active = 0;
        states.clear();
        for (int i = 0; i < count; ++i) {
            const cups_job_t& job = list[i];
            states += QStringLiteral(" %1:%2").arg(job.id).arg(JobStateName(job.state));
            if (job.state == IPP_JSTATE_COMPLETED)
                ++completed;
            else if (job.state >= IPP_JSTATE_STOPPED)
                failure = QStringLiteral("job %1 of %2 ended %3\n%4")
                              .arg(job.id)
                              .arg(queue, JobStateName(job.state), Log());
            else
                ++active;
        }
        cupsFreeJobs(count, list);
        done = completed >= jobs && active == 0;
        if (!done)
            QThread::msleep(PollMs);
    }
    httpClose(http);
    if (done)
        return true;
    m_error = !failure.isEmpty() ? failure
                                 : QStringLiteral("the jobs of %1 did not finish in time:%2\n%3").arg(queue, states, Log());
    return false;
}

QString PrivateCups::Log() const
{
    QString text;
    for (const char* name : {"log/cupsd.out", "log/error_log"}) {
        QFile file(Path(QString::fromLatin1(name)));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromLocal8Bit(file.readAll());
    }
    return Tail(text, 4000);
}
