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
    for (const auto& [name, folder] : {std::pair{"XDG_RUNTIME_DIR", "runtime"}, std::pair{"XDG_CONFIG_HOME", "config"},
                                       std::pair{"XDG_DATA_HOME", "data"}})
        qputenv(name, Path(folder).toLocal8Bit());
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
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(WriteBlankFile(document)) > 0);
}

void UserSession::StartShell(ProgramRun& run, const QStringList& arguments, const ProgramRun::Changes& environment)
{
    run.setWorkingDirectory(m_root.path());
    ASSERT_TRUE(run.Start(QStringLiteral(WPLATOMAT_SHELL_EXE), arguments,
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
    socket.connectToServer(DdeSocketPath(QStringLiteral("wplatomat")));
    struct ucred cred {};
    socklen_t size = sizeof cred;
    return socket.waitForConnected(5000)
                   && ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0
               ? cred.pid : 0;
}
