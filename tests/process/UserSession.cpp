#include "process/UserSession.h"

#include "document/BlankFile.h"
#include "helpers/PixelProbe.h"
#include "platform/Dde.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/socket.h>

void UserSession::Start(const QStringList& tools)
{
    const QString missing = MissingTools(QStringList{"Xvfb", "xwd"} + tools);
    ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
    for (const char* folder : {"config", "data", "runtime"})
        ASSERT_TRUE(QDir().mkpath(Path(folder)));
    // Qt takes only a private runtime folder.
    ASSERT_TRUE(QFile::setPermissions(Path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", Path("runtime").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", Path("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", Path("data").toLocal8Bit());
    ASSERT_TRUE(display.Start(1024, 768)) << display.Error().toStdString();
}

UserSession::~UserSession()
{
    if (const pid_t pid = ServerPid())
        ::kill(pid, SIGKILL);
}

void UserSession::WriteDocument(const QString& name, TColor formColour)
{
    TBlankData document;
    document.FKind = bkTransfer;
    document.FKolForm = formColour;
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_GT(file.write(WriteBlankFile(document)), 0);
}

void UserSession::StartShell(ProgramRun& run, const QStringList& arguments, const ProgramRun::Changes& environment)
{
    run.setWorkingDirectory(m_root.path());
    ASSERT_TRUE(run.Start(WPLATOMAT_SHELL_EXE, arguments,
                          ProgramRun::Changes{{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display.Name()}} + environment));
}

std::pair<int, QString> UserSession::Shell(const QStringList& arguments, const ProgramRun::Changes& environment,
                                          std::chrono::seconds timeout)
{
    ProgramRun run;
    StartShell(run, arguments, environment);
    const std::optional<int> code = run.WaitForExit(timeout);
    return {code.value_or(-1), run.Output()};
}

bool UserSession::Shows(TColor formColour)
{
    // Far fewer than a painted coupon's lines and captions, far more than the few tool bar pictures in a colour have.
    constexpr int MinFormPixels = 5000;
    return QTest::qWaitFor([&] {
        const QImage screen = display.Grab();
        return CountPixels(screen, screen.rect(), formColour) >= MinFormPixels;
    }, 20'000);
}

pid_t UserSession::ServerPid()
{
    QLocalSocket socket;
    socket.connectToServer(DdeSocketPath("wplatomat"));
    if (!socket.waitForConnected(5000))
        return 0;
    struct ucred cred {};
    socklen_t size = sizeof cred;
    if (::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0)
        return 0;
    return cred.pid;
}

int UserSession::Connections()
{
    QFile table("/proc/net/unix");
    if (!table.open(QIODevice::ReadOnly))
        return -1;
    // The server binds its socket elsewhere in the folder and renames it into place.
    const QByteArray folder = ' ' + QFile::encodeName(DdeSocketFolder()) + '/';
    int count = 0;
    for (const QByteArray& line : table.readAll().split('\n'))
        if (line.contains(folder))
            ++count;
    return count;
}
