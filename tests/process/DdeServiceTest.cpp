// The program's service under load, as other processes of the user can load
// it: floods of conversations, a program that does not answer for a while,
// many clients at once, and a service that could not start.
#include "app/RunningProgram.h"
#include "platform/DdeClient.h"
#include "process/UserSession.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

namespace {

class DdeService : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(session.Start());
        ASSERT_NO_FATAL_FAILURE(session.WriteDocument("c.wpt", 0x00AA3300));
    }
    // Nothing runs: a plain open starts the program.
    pid_t StartProgram()
    {
        EXPECT_EQ(session.Shell({"open"}).first, 0);
        return UserSession::ServerPid();
    }

    UserSession session;
};

TEST_F(DdeService, TenThousandConversationsOnTheSecondTopicLeaveTheProgramServing)
{
    const pid_t program = StartProgram();
    ASSERT_NE(program, 0);
    int answered = 0;
    for (int i = 0; i < 10'000; ++i) {
        TDdeClient client;
        client.Connect(QStringLiteral("wplatomat"), QStringLiteral("WplatomatDdeServerConv"), 60'000);
        answered += client.Answered();
    }
    EXPECT_EQ(answered, 10'000);
    EXPECT_EQ(UserSession::ServerPid(), program);
    EXPECT_EQ(session.Shell({"--execute", "12"}).first, 0);
    const auto [refused, why] = session.Shell({"--topic", "Inny", "--execute", "12"});
    EXPECT_EQ(refused, 5);
    EXPECT_TRUE(why.contains(QStringLiteral("odmówił"))) << why.toStdString();
    EXPECT_EQ(session.Shell({"open", "c.txt"}).first, 3) << "a type nobody registered";
    EXPECT_EQ(session.Shell({"--execute", "x"}).first, 6) << "a text that is no amount";
    EXPECT_EQ(session.Shell({"--poke", "Nieznany", "1"}).first, 5) << "an item the topic has no handler for";
}

TEST_F(DdeService, ABusyProgramIsWaitedForAndManyClientsAtOnceAllGetThrough)
{
    const pid_t program = StartProgram();
    ASSERT_NE(program, 0);
    // Stopped for two seconds, as under a long repaint or a debugger.
    ASSERT_EQ(::kill(program, SIGSTOP), 0);
    std::thread resume([program] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ::kill(program, SIGCONT);
    });
    const auto [code, output] = session.Shell({"open", "c.wpt"});
    resume.join();
    EXPECT_EQ(code, 0) << output.toStdString();
    EXPECT_TRUE(session.Shows(0x00AA3300));

    std::vector<std::unique_ptr<ProgramRun>> clients(100);
    for (auto& client : clients)
        ASSERT_NO_FATAL_FAILURE(session.StartShell(*(client = std::make_unique<ProgramRun>()), {"open"}));
    for (auto& client : clients)
        EXPECT_EQ(client->WaitForExit(std::chrono::seconds(90)), 0) << client->Output().toStdString();
    EXPECT_EQ(UserSession::ServerPid(), program);
}

TEST_F(DdeService, AProgramWithoutItsServiceSaysWhyAndItsClientsGiveUpAtOnce)
{
    // No socket fits under a runtime folder this deep.
    const QString deep = session.Path("runtime/" + QString(100, QLatin1Char('d')));
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_TRUE(QFile::setPermissions(deep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", deep.toLocal8Bit());
    ProgramRun program;
    ASSERT_TRUE(program.Start(QStringLiteral(WPLATOMAT_EXE), {}, {{"QT_QPA_PLATFORM", "offscreen"}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return RunningProgram().has_value(); }, 60'000));
    EXPECT_TRUE(program.Output().contains(QStringLiteral("Usługa DDE nie działa"))) << program.Output().toStdString();
    ProgramRun client;
    session.StartShell(client, {"open", "c.wpt"});
    EXPECT_EQ(client.WaitForExit(std::chrono::seconds(10)), 4);
    EXPECT_TRUE(client.Output().contains(QStringLiteral("bez usługi DDE"))) << client.Output().toStdString();
    EXPECT_TRUE(program.Running());
}

} // namespace
