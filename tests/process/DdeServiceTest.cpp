// The program's service under load, as other processes of the user can load
// it: floods of conversations, a program that does not answer for a while,
// many clients at once, and a service that could not start.
#include "app/RunningProgram.h"
#include "platform/DdeClient.h"
#include "process/UserSession.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

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
        client.Connect("wplatomat", "WplatomatDdeServerConv", 60'000);
        if (client.Answered())
            ++answered;
    }
    EXPECT_EQ(answered, 10'000);
    EXPECT_EQ(UserSession::ServerPid(), program);
    EXPECT_EQ(session.Shell({"--execute", "12"}).first, 0);
    const auto [refused, why] = session.Shell({"--topic", "Inny", "--execute", "12"});
    EXPECT_EQ(refused, 5);
    EXPECT_TRUE(why.contains("odmówił")) << why.toStdString();
    EXPECT_EQ(session.Shell({"--execute", "x"}).first, 6) << "a text that is no amount";
    EXPECT_EQ(session.Shell({"--poke", "Nieznany", "1"}).first, 5) << "an item the topic has no handler for";
}

TEST_F(DdeService, AStoppedProgramIsWaitedForAndManyClientsAtOnceAllGetThrough)
{
    const pid_t program = StartProgram();
    ASSERT_NE(program, 0);
    // Stopped, as under a long repaint or a debugger, while a client reaches it and a hundred more start.
    ASSERT_EQ(::kill(program, SIGSTOP), 0);
    const int waiting = UserSession::Connections();
    ProgramRun first;
    ASSERT_NO_FATAL_FAILURE(session.StartShell(first, {"open", "c.wpt"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return UserSession::Connections() > waiting; }, 60'000));
    std::vector<std::unique_ptr<ProgramRun>> clients(100);
    for (auto& client : clients) {
        client = std::make_unique<ProgramRun>();
        ASSERT_NO_FATAL_FAILURE(session.StartShell(*client, {"open"}));
    }
    ::kill(program, SIGCONT);
    EXPECT_EQ(first.WaitForExit(std::chrono::seconds(90)), 0) << first.Output().toStdString();
    EXPECT_TRUE(session.Shows(0x00AA3300));
    for (auto& client : clients)
        EXPECT_EQ(client->WaitForExit(std::chrono::seconds(90)), 0) << client->Output().toStdString();
    EXPECT_EQ(UserSession::ServerPid(), program);
}

TEST_F(DdeService, AProgramWithoutItsServiceSaysWhyAndItsClientsGiveUpAtOnce)
{
    // No socket fits under a runtime folder this deep.
    const QString deep = session.Path("runtime/" + QString(100, 'd'));
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_TRUE(QFile::setPermissions(deep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", deep.toLocal8Bit());
    ProgramRun program;
    ASSERT_TRUE(program.Start(WPLATOMAT_EXE, {}, {{"QT_QPA_PLATFORM", "offscreen"}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return RunningProgram().has_value(); }, 60'000));
    EXPECT_TRUE(program.Output().contains("Usługa DDE nie działa")) << program.Output().toStdString();
    ProgramRun client;
    session.StartShell(client, {"open", "c.wpt"});
    EXPECT_EQ(client.WaitForExit(std::chrono::seconds(10)), 4);
    EXPECT_TRUE(client.Output().contains("bez usługi DDE")) << client.Output().toStdString();
    EXPECT_TRUE(program.Running());
}

} // namespace
