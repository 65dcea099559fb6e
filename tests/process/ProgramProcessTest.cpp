// The program's processes as other processes of the user meet them: a second start, an end by a signal, floods of
// conversations, a program that does not answer for a while, many clients at once, a service that could not start.
#include "app/RunningProgram.h"
#include "platform/DdeClient.h"
#include "process/UserSession.h"

#include <QDir>
#include <QScopeGuard>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const ProgramRun::Changes Offscreen = {{"QT_QPA_PLATFORM", "offscreen"}};

// One version of a file: QSaveFile writes every change into a new file, so a
// rewrite shows as a new inode even with equal bytes.
QByteArray Stamp(const QString& path)
{
    struct stat st {};
    QFile file(path);
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    const qint64 nanoseconds = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    return QByteArray::number(quint64(st.st_ino)) + ' ' + QByteArray::number(nanoseconds) + '\n' + file.readAll();
}

class Processes : public ::testing::Test {
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

// Under the umask of distributions that give each user a group of their own, the program's folder stays private.
TEST_F(Processes, ASecondStartEndsQuietlyAndTheLockGoesWithTheProcessHoweverItEnds)
{
    const mode_t umaskBefore = ::umask(002);
    const auto restoreUmask = qScopeGuard([umaskBefore] { ::umask(umaskBefore); });
    // Another runtime folder (a start from another session or from cron) shares the registry all the same.
    const QString other = session.Path("other runtime");
    ASSERT_TRUE(QDir().mkpath(other));
    ASSERT_TRUE(QFile::setPermissions(other, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString folder = session.Path("config/KORVEX/Wplatomat");
    const QString registry = folder + "/registry.txt";
    // Up means having built the main window, whose last registry write after taking the lock is "AppPath": only in
    // a new registry does that show it. Its first warnings come as its window shows, before its loop serves a
    // conversation; a launcher that went away at once left it a pipe with no reader for them.
    const auto startUntilUp = [&](ProgramRun& run, bool launcherGone) {
        QFile::remove(registry);
        const QByteArray pipe = QFile::encodeName(session.Path("launcher"));
        int reader = -1;
        if (launcherGone) {
            ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
            reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            ASSERT_GE(reader, 0);
            run.setStandardOutputFile(pipe);
        }
        ASSERT_TRUE(run.Start(WPLATOMAT_EXE, {}, Offscreen)) << run.errorString().toStdString();
        if (launcherGone)
            ASSERT_EQ(::close(reader), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !run.Running() || Stamp(registry).contains("AppPath"); }, 60'000));
        TDdeClient client;
        const auto served = [&] { return client.Connect("wplatomat", "ShellDdeServerConv", 1000); };
        EXPECT_TRUE(QTest::qWaitFor([&] { return !run.Running() || served(); }, 60'000));
        ASSERT_TRUE(run.Running()) << "it ended; output:\n" << run.Output().toStdString();
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        EXPECT_EQ(QFile::permissions(folder) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), owner);
    };
    // A second start, also one naming a document, ends on its own with code 0,
    // says nothing and leaves the first one's registry alone.
    const auto expectSecondStartEndsQuietly = [&](ProgramRun& first, const QStringList& arguments,
                                                  const ProgramRun::Changes& changes) {
        const QByteArray before = Stamp(registry);
        ProgramRun second;
        ASSERT_TRUE(second.Start(WPLATOMAT_EXE, arguments, Offscreen + changes));
        // A second instance never builds a window; anything near this long means it did.
        EXPECT_EQ(second.WaitForExit(std::chrono::seconds(10)), 0) << second.Output().toStdString();
        EXPECT_EQ(second.Output(), QString());
        EXPECT_TRUE(first.Running());
        EXPECT_EQ(Stamp(registry), before);
    };

    auto running = std::make_unique<ProgramRun>();
    ASSERT_NO_FATAL_FAILURE(startUntilUp(*running, false));
    expectSecondStartEndsQuietly(*running, {session.Path("c.wpt")}, {});
    expectSecondStartEndsQuietly(*running, {}, {{"XDG_RUNTIME_DIR", other}});
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        ASSERT_TRUE(running->Stop(signal));
        // The folder as an earlier version made it under this umask.
        QFile::setPermissions(folder, QFile::permissions(folder) | QFile::WriteGroup | QFile::ReadGroup);
        // The kernel let the lock go with the process: the next start runs.
        running = std::make_unique<ProgramRun>();
        ASSERT_NO_FATAL_FAILURE(startUntilUp(*running, signal == SIGKILL));
        expectSecondStartEndsQuietly(*running, {}, {});
    }
}

TEST_F(Processes, TenThousandConversationsOnTheSecondTopicLeaveTheProgramServing)
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

TEST_F(Processes, AStoppedProgramIsWaitedForAndManyClientsAtOnceAllGetThrough)
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

TEST_F(Processes, AProgramWithoutItsServiceSaysWhyAndItsClientsGiveUpAtOnce)
{
    // No socket fits under a runtime folder this deep.
    const QString deep = session.Path("runtime/" + QString(100, 'd'));
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_TRUE(QFile::setPermissions(deep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", deep.toLocal8Bit());
    ProgramRun program;
    ASSERT_TRUE(program.Start(WPLATOMAT_EXE, {}, Offscreen));
    ASSERT_TRUE(QTest::qWaitFor([&] { return RunningProgram().has_value(); }, 60'000));
    EXPECT_TRUE(program.Output().contains("Usługa DDE nie działa")) << program.Output().toStdString();
    ProgramRun client;
    session.StartShell(client, {"open", "c.wpt"});
    EXPECT_EQ(client.WaitForExit(std::chrono::seconds(10)), 4);
    EXPECT_TRUE(client.Output().contains("bez usługi DDE")) << client.Output().toStdString();
    EXPECT_TRUE(program.Running());
}

} // namespace
