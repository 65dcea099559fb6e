// The program's service under load, as other processes of the user can load
// it: floods of conversations, a program that does not answer for a while,
// many clients at once, and a service that could not start.
#include "app/RunningProgram.h"
#include "document/BlankFile.h"
#include "helpers/PixelProbe.h"
#include "helpers/ProgramRun.h"
#include "platform/Dde.h"
#include "platform/DdeClient.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <thread>

namespace {

constexpr int MinFormPixels = 5000;
const QString Service = QStringLiteral("wplatomat");

pid_t ServerPid()
{
    QLocalSocket socket;
    socket.connectToServer(DdeSocketPath(Service));
    struct ucred cred {};
    socklen_t size = sizeof cred;
    return socket.waitForConnected(5000)
                   && ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0
               ? cred.pid : 0;
}

class DdeService : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString missing = MissingTools({"Xvfb", "xwd"});
        ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
        for (const char* folder : {"config", "data", "runtime"})
            ASSERT_TRUE(QDir().mkpath(Path(folder)));
        ASSERT_TRUE(QFile::setPermissions(Path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", "runtime"}, std::pair{"XDG_CONFIG_HOME", "config"},
                                          std::pair{"XDG_DATA_HOME", "data"}})
            qputenv(name, Path(value).toLocal8Bit());
        ASSERT_TRUE(display.Start(1024, 768)) << display.Error().toStdString();
        TBlankData document;
        document.FKind = bkTransfer;
        document.FKolForm = 0x00AA3300;
        QFile file(Path("c.wpt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(WriteBlankFile(document)) > 0);
    }
    void TearDown() override
    {
        if (const pid_t pid = ServerPid())
            ::kill(pid, SIGKILL);
    }
    QString Path(const char* name) const { return root.filePath(QString::fromLatin1(name)); }
    ProgramRun::Changes Environment() const { return {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display.Name()}}; }
    void StartShell(ProgramRun& run, const QStringList& arguments)
    {
        run.setWorkingDirectory(root.path());
        ASSERT_TRUE(run.Start(QStringLiteral(WPLATOMAT_SHELL_EXE), arguments, Environment()));
    }
    int Shell(const QStringList& arguments)
    {
        ProgramRun run;
        StartShell(run, arguments);
        const int code = run.WaitForExit(std::chrono::seconds(90)).value_or(-1);
        EXPECT_EQ(code, 0) << run.Output().toStdString();
        return code;
    }

    QTemporaryDir root;
    PrivateDisplay display;
};

TEST_F(DdeService, TenThousandConversationsOnTheSecondTopicLeaveTheProgramServing)
{
    // Nothing runs: a plain open starts the program.
    ASSERT_EQ(Shell({"open"}), 0);
    const pid_t program = ServerPid();
    ASSERT_NE(program, 0);
    int answered = 0;
    for (int i = 0; i < 10'000; ++i) {
        TDdeClient client;
        client.Connect(Service, QStringLiteral("WplatomatDdeServerConv"), 60'000);
        answered += client.Answered();
    }
    EXPECT_EQ(answered, 10'000);
    EXPECT_EQ(ServerPid(), program);
    EXPECT_EQ(Shell({"--execute", "12"}), 0);
}

TEST_F(DdeService, ABusyProgramIsWaitedForAndManyClientsAtOnceAllGetThrough)
{
    ASSERT_EQ(Shell({"open"}), 0);
    const pid_t program = ServerPid();
    ASSERT_NE(program, 0);
    // Stopped for two seconds, as under a long repaint or a debugger.
    ASSERT_EQ(::kill(program, SIGSTOP), 0);
    std::thread resume([program] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ::kill(program, SIGCONT);
    });
    EXPECT_EQ(Shell({"open", "c.wpt"}), 0);
    resume.join();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return CountPixels(display.Grab(), QRect(0, 0, 1024, 768), 0x00AA3300) >= MinFormPixels;
    }, 20'000));

    std::vector<std::unique_ptr<ProgramRun>> clients(100);
    for (auto& client : clients) {
        client = std::make_unique<ProgramRun>();
        ASSERT_NO_FATAL_FAILURE(StartShell(*client, {"open"}));
    }
    for (auto& client : clients)
        EXPECT_EQ(client->WaitForExit(std::chrono::seconds(90)), 0) << client->Output().toStdString();
    EXPECT_EQ(ServerPid(), program);
}

TEST_F(DdeService, AProgramWithoutItsServiceSaysWhyAndItsClientsGiveUpAtOnce)
{
    // No socket fits under a runtime folder this deep.
    const QString deep = Path("runtime") + QStringLiteral("/%1").arg(QString(100, QLatin1Char('d')));
    ASSERT_TRUE(QDir().mkpath(deep) && QFile::setPermissions(deep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", deep.toLocal8Bit());
    ProgramRun program;
    ASSERT_TRUE(program.Start(QStringLiteral(WPLATOMAT_EXE), {}, {{"QT_QPA_PLATFORM", "offscreen"}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return RunningProgram().has_value(); }, 60'000));
    EXPECT_TRUE(program.Output().contains(QStringLiteral("Usługa DDE nie działa"))) << program.Output().toStdString();
    ProgramRun client;
    StartShell(client, {"open", "c.wpt"});
    EXPECT_EQ(client.WaitForExit(std::chrono::seconds(10)), 4);
    EXPECT_TRUE(client.Output().contains(QStringLiteral("bez usługi DDE"))) << client.Output().toStdString();
    EXPECT_TRUE(program.Running());
}

} // namespace
