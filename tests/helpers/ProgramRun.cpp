#include "ProgramRun.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtEndian>

#include <array>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int ReapTimeoutMs = 10'000;

int Remaining(const QDeadlineTimer& deadline)
{
    return int(qMax<qint64>(0, deadline.remainingTime()));
}

} // namespace

ProgramRun::ProgramRun()
    : m_dir(QDir::tempPath() + QStringLiteral("/wplatomat-run-XXXXXX"))
{
}

ProgramRun::~ProgramRun()
{
    if (Running()) {
        ::kill(pid_t(m_pid), SIGKILL);
        m_process.waitForFinished(ReapTimeoutMs);
    }
}

QProcessEnvironment ProgramRun::Environment(const QList<QPair<QString, QString>>& changes)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : changes) {
        if (value.isEmpty())
            environment.remove(name);
        else
            environment.insert(name, value);
    }
    return environment;
}

bool ProgramRun::Start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                       int inheritFd)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder: %1").arg(m_dir.errorString());
        return false;
    }
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setStandardOutputFile(m_dir.filePath(QStringLiteral("output.txt")));
    m_process.setChildProcessModifier([inheritFd] {
        // Runs between fork and exec: only async-signal-safe calls here.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (inheritFd >= 0)
            fcntl(inheritFd, F_SETFD, 0);
    });
    m_process.start();
    if (!m_process.waitForStarted(ReapTimeoutMs)) {
        m_error = QStringLiteral("%1 did not start: %2").arg(program, m_process.errorString());
        return false;
    }
    m_pid = m_process.processId();
    return true;
}

bool ProgramRun::Running() const
{
    if (m_process.state() == QProcess::NotRunning)
        return false;
    // The state changes only when QProcess looks; a zero wait makes it look.
    const_cast<QProcess&>(m_process).waitForFinished(0);
    return m_process.state() != QProcess::NotRunning;
}

std::optional<int> ProgramRun::WaitForExit(std::chrono::milliseconds timeout)
{
    if (m_process.state() != QProcess::NotRunning)
        m_process.waitForFinished(int(timeout.count()));
    if (m_process.state() != QProcess::NotRunning || m_process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return m_process.exitCode();
}

bool ProgramRun::Crashed() const
{
    return m_process.state() == QProcess::NotRunning && m_process.exitStatus() == QProcess::CrashExit;
}

bool ProgramRun::Stop(int signal, std::chrono::milliseconds timeout)
{
    if (!Running())
        return true;
    ::kill(pid_t(m_pid), signal);
    if (m_process.waitForFinished(int(timeout.count())))
        return true;
    ::kill(pid_t(m_pid), SIGKILL);
    return m_process.waitForFinished(ReapTimeoutMs);
}

QString ProgramRun::Output() const
{
    QFile file(m_dir.filePath(QStringLiteral("output.txt")));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

bool PrivateDisplay::Installed()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("xwd")).isEmpty();
}

bool PrivateDisplay::Start(int width, int height, std::chrono::milliseconds timeout)
{
    if (!Installed()) {
        m_error = QStringLiteral("Xvfb or xwd is not installed");
        return false;
    }
    const QDeadlineTimer deadline(timeout);
    std::array<int, 2> fds{};
    if (pipe2(fds.data(), O_CLOEXEC) != 0) {
        m_error = QStringLiteral("no pipe for -displayfd");
        return false;
    }
    // The server picks a free display number and writes it on the descriptor once it takes clients.
    const bool started = m_server.Start(
        QStandardPaths::findExecutable(QStringLiteral("Xvfb")),
        {QStringLiteral("-displayfd"), QString::number(fds[1]), QStringLiteral("-screen"), QStringLiteral("0"),
         QStringLiteral("%1x%2x24").arg(width).arg(height), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
         QStringLiteral("-noreset")},
        ProgramRun::Environment({}), fds[1]);
    ::close(fds[1]);
    QByteArray number;
    while (started && !number.endsWith('\n') && !deadline.hasExpired()) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, qMin(Remaining(deadline), 100)) <= 0)
            continue;
        char buffer[16];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break; // the server ended without a display
        number.append(buffer, int(n));
    }
    ::close(fds[0]);
    bool ok = false;
    const int display = number.trimmed().toInt(&ok);
    if (!started || !number.endsWith('\n') || !ok) {
        m_error = QStringLiteral("Xvfb gave no display number: %1 %2").arg(m_server.Error(), m_server.Output());
        m_server.Stop(SIGKILL);
        return false;
    }
    m_name = QStringLiteral(":%1").arg(display);
    return true;
}

void PrivateDisplay::Stop()
{
    // SIGTERM lets the server remove its lock file and socket.
    m_server.Stop(SIGTERM);
    m_name.clear();
}

QImage PrivateDisplay::Grab(std::chrono::milliseconds timeout)
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/wplatomat-grab-XXXXXX"));
    const QString file = dir.filePath(QStringLiteral("screen.xwd"));
    ProgramRun xwd;
    if (!dir.isValid()
        || !xwd.Start(QStandardPaths::findExecutable(QStringLiteral("xwd")),
                      {QStringLiteral("-root"), QStringLiteral("-silent"), QStringLiteral("-display"), m_name,
                       QStringLiteral("-out"), file},
                      ProgramRun::Environment({}))) {
        m_error = QStringLiteral("xwd did not start: %1").arg(xwd.Error());
        return {};
    }
    const std::optional<int> code = xwd.WaitForExit(timeout);
    if (code != 0) {
        m_error = QStringLiteral("xwd failed: %1").arg(xwd.Output());
        return {};
    }
    QFile dump(file);
    if (!dump.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("xwd wrote no file");
        return {};
    }
    return ReadXwd(dump.readAll(), &m_error);
}

namespace {

// The fields of the dump's header, in file order; every one a big-endian 32-bit word.
enum XwdField {
    HeaderSize, FileVersion, PixmapFormat, PixmapDepth, PixmapWidth, PixmapHeight, XOffset, ByteOrder,
    BitmapUnit, BitmapBitOrder, BitmapPad, BitsPerPixel, BytesPerLine, VisualClass, RedMask, GreenMask,
    BlueMask, BitsPerRgb, ColormapEntries, ColorCount, XwdFieldCount
};
constexpr int XwdColorBytes = 12;
constexpr quint32 MaxSidePx = 1 << 14;

} // namespace

QImage ReadXwd(const QByteArray& bytes, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = QStringLiteral("not a usable window dump: ") + why;
        return QImage();
    };
    if (bytes.size() < XwdFieldCount * 4)
        return fail(QStringLiteral("short header"));
    quint32 h[XwdFieldCount];
    for (int i = 0; i < XwdFieldCount; ++i)
        h[i] = qFromBigEndian<quint32>(bytes.constData() + 4 * i);
    // Version 7, ZPixmap, true or direct colour of 8 bits a channel, on a little-endian machine.
    const quint32 bpp = h[BitsPerPixel];
    if (h[FileVersion] != 7 || h[PixmapFormat] != 2 || (h[VisualClass] != 4 && h[VisualClass] != 5)
        || (bpp != 24 && bpp != 32) || h[ByteOrder] != 0 || h[RedMask] != 0xFF0000 || h[GreenMask] != 0xFF00
        || h[BlueMask] != 0xFF)
        return fail(QStringLiteral("not an 8-bit-a-channel colour ZPixmap"));
    const quint32 width = h[PixmapWidth], height = h[PixmapHeight];
    const qint64 pixels = qint64(h[HeaderSize]) + qint64(h[ColorCount]) * XwdColorBytes;
    if (width == 0 || height == 0 || width > MaxSidePx || height > MaxSidePx || h[BytesPerLine] < width * (bpp / 8)
        || h[HeaderSize] < XwdFieldCount * 4 || pixels + qint64(h[BytesPerLine]) * height > bytes.size())
        return fail(QStringLiteral("%1 x %2, cut short").arg(width).arg(height));
    // Blue is the lowest byte of a pixel, so it comes first.
    return QImage(reinterpret_cast<const uchar*>(bytes.constData()) + pixels, int(width), int(height),
                  qsizetype(h[BytesPerLine]), bpp == 32 ? QImage::Format_RGB32 : QImage::Format_BGR888)
        .copy() // the image must outlive the bytes
        .convertToFormat(QImage::Format_RGB32);
}
