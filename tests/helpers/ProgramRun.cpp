#include "ProgramRun.h"

#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

#include <signal.h>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

bool ProgramRun::Start(const QString& program, const QStringList& arguments, const Changes& environment)
{
    QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : environment) {
        if (value.isEmpty())
            all.remove(name);
        else
            all.insert(name, value);
    }
    setProcessEnvironment(all);
    setStandardInputFile(nullDevice());
    // Runs between fork and exec: only async-signal-safe calls here.
    setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    start(program, arguments);
    return waitForStarted();
}

bool ProgramRun::Running()
{
    // The state changes only when QProcess looks; a zero wait makes it look.
    waitForFinished(0);
    return state() != NotRunning;
}

std::optional<int> ProgramRun::WaitForExit(std::chrono::milliseconds timeout)
{
    waitForFinished(int(timeout.count()));
    return state() != NotRunning || exitStatus() != NormalExit ? std::nullopt : std::optional(exitCode());
}

bool ProgramRun::Stop(int signal, std::chrono::milliseconds timeout)
{
    if (!Running())
        return true;
    ::kill(pid_t(processId()), signal);
    if (waitForFinished(int(timeout.count())))
        return true;
    kill();
    return waitForFinished();
}

QString ProgramRun::Output()
{
    return QString::fromLocal8Bit(m_output += readAll());
}

QString MissingTools(const QStringList& tools)
{
    QStringList missing;
    for (const QString& tool : tools) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (path.isEmpty() && QStandardPaths::findExecutable(tool, {u"/usr/sbin"_s, u"/sbin"_s}).isEmpty())
            missing << tool;
    }
    return missing.isEmpty() ? QString() : u"not installed: "_s + missing.join(u", "_s);
}

bool PrivateDisplay::Start(int width, int height)
{
    // The server writes the display number it picked on its output once it takes clients.
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString arguments = u"-displayfd 1 -screen 0 %1x%2x24 -nolisten tcp -noreset"_s.arg(width).arg(height);
    bool ok = m_server.Start(u"Xvfb"_s, arguments.split(u' '));
    if (ok)
        ok = QTest::qWaitFor([&] { return m_server.canReadLine() || !m_server.Running(); }, 30'000);
    const int display = ok ? m_server.readLine().trimmed().toInt(&ok) : 0;
    if (!ok) {
        m_error = u"Xvfb gave no display number: "_s + m_server.errorString();
        return false;
    }
    m_name = u":%1"_s.arg(display);
    return true;
}

namespace {
// The dump's header fields in file order, each a big-endian 32-bit word.
enum XwdField { HeaderSize, Version, Format, Depth, Width, Height, XOffset, ByteOrder, BitmapUnit, BitOrder, Pad,
                BitsPerPixel, BytesPerLine, VisualClass, RedMask, GreenMask, BlueMask, BitsPerRgb, MapEntries,
                ColorCount, FieldCount };
} // namespace

QImage PrivateDisplay::Grab()
{
    ProgramRun xwd;
    xwd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const bool started = xwd.Start(u"xwd"_s, {u"-root"_s, u"-silent"_s, u"-display"_s, m_name});
    if (!started || xwd.WaitForExit(std::chrono::seconds(10)) != 0) {
        m_error = u"xwd failed"_s;
        return {};
    }
    const QByteArray bytes = xwd.readAll();
    quint32 h[FieldCount] = {};
    for (int i = 0; i < FieldCount && bytes.size() >= FieldCount * 4; ++i)
        h[i] = qFromBigEndian<quint32>(bytes.constData() + 4 * i);
    // Version 7, a ZPixmap of 8 bits a channel, least significant byte first, blue lowest.
    const qint64 start = qint64(h[HeaderSize]) + qint64(h[ColorCount]) * 12;
    if (h[Version] != 7 || h[Format] != 2 || (h[BitsPerPixel] != 24 && h[BitsPerPixel] != 32) || h[ByteOrder] != 0
        || h[RedMask] != 0xFF0000 || h[BlueMask] != 0xFF || h[Width] == 0 || h[Width] > 1 << 14 || h[Height] > 1 << 14
        || h[BytesPerLine] < h[Width] * h[BitsPerPixel] / 8
        || start + qint64(h[BytesPerLine]) * h[Height] > bytes.size()) {
        m_error = u"not a usable window dump"_s;
        return {};
    }
    return QImage(reinterpret_cast<const uchar*>(bytes.constData()) + start, int(h[Width]), int(h[Height]),
                  qsizetype(h[BytesPerLine]), h[BitsPerPixel] == 32 ? QImage::Format_RGB32 : QImage::Format_BGR888)
        .copy() // the image must outlive the bytes
        .convertToFormat(QImage::Format_RGB32);
}
