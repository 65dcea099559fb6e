// The program's service as other processes of the user reach it: a program that does not
// answer for a while, many clients at once and a topic it refuses.
#include "process/UserSession.h"


#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(DdeService, ABusyProgramIsWaitedForManyClientsGetThroughAndAnUnknownTopicIsRefused)
{
    UserSession session;
    ASSERT_NO_FATAL_FAILURE(session.Start());
    ASSERT_NO_FATAL_FAILURE(session.WriteDocument("c.wpt", 0x00AA3300));
    // Nothing runs: a plain open starts the program.
    EXPECT_EQ(session.Shell({"open"}).first, 0);
    const pid_t program = UserSession::ServerPid();
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
    EXPECT_EQ(session.Shell({"--execute", "12"}).first, 0);
    const auto [refused, why] = session.Shell({"--topic", "Inny", "--execute", "12"});
    EXPECT_EQ(refused, 5);
    EXPECT_TRUE(why.contains(QStringLiteral("odmówił"))) << why.toStdString();
    EXPECT_EQ(session.Shell({"open", "c.txt"}).first, 3) << "a type nobody registered";
    EXPECT_EQ(session.Shell({"--execute", "x"}).first, 6) << "a text that is no amount";
}

} // namespace
