// wplatomat-shell, gio and the program as real processes of one user, the
// program on a private X server, as a file manager would run them.
#include "helpers/PrivateCups.h"
#include "process/UserSession.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(ShellClient, OpensInTheProgramItStartsPrintsToTheCouponDialogAndRefusesALineFeed)
{
    UserSession session;
    ASSERT_NO_FATAL_FAILURE(session.Start({"xwininfo", "gio", "cupsd", "lpadmin", "lpstat"}));
    const auto path = [&](const char* name) { return session.Path(name); };
    // Documents in three colours, so each shows which one is in front.
    for (const auto& [name, colour] : {std::pair{"b.wpt", TColor(0x000058EA)}, std::pair{"c d.wpt", TColor(0x00AA3300)},
                                       std::pair{"e.wpt", TColor(0x00008000)}})
        ASSERT_NO_FATAL_FAILURE(session.WriteDocument(name, colour));
    // A queue of a private spooler, inherited by the program through CUPS_SERVER.
    PrivateCups cups{QStringLiteral(WPLATOMAT_TEST_DATA "/cups")};
    ASSERT_TRUE(cups.Start() && cups.AddQueue(QStringLiteral("pdf"), QStringLiteral("file:///dev/null")))
        << cups.Error().toStdString();
    // A first run registers the file type and is killed, leaving its socket behind.
    ProgramRun first;
    ASSERT_TRUE(first.Start(QStringLiteral(WPLATOMAT_EXE), {}, {{"QT_QPA_PLATFORM", "offscreen"}}));
    ASSERT_TRUE(QTest::qWaitFor([] { return UserSession::ServerPid() != 0; }, 60'000));
    ASSERT_TRUE(first.Stop(SIGKILL));

    const auto [refused, message] = session.Shell({"open", path("b.wpt") + "\n[Print \"x.wpt\"]"});
    EXPECT_EQ(refused, 2);
    EXPECT_TRUE(message.contains(QStringLiteral("znak sterujący"))) << message.toStdString();
    EXPECT_EQ(UserSession::ServerPid(), 0);

    // Nothing runs: the client starts the registered program and the file opens in it.
    EXPECT_EQ(session.Shell({"open", "b.wpt"}).first, 0);
    const pid_t program = UserSession::ServerPid();
    ASSERT_NE(program, 0);
    EXPECT_TRUE(session.Shows(0x000058EA));
    // Now it runs: a name with a blank, relative to the client's folder.
    EXPECT_EQ(session.Shell({"open", "c d.wpt"}).first, 0);
    EXPECT_TRUE(session.Shows(0x00AA3300));
    // As a file manager opens it: the type and default entry the program published.
    const auto gio = [&](const QStringList& arguments) {
        QProcess run;
        run.start(QStringLiteral("gio"), arguments);
        return run.waitForFinished(20'000) ? run.readAllStandardOutput() : QByteArray();
    };
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return gio({"info", "-a", "standard::content-type", path("e.wpt")}).contains("application/x-wplatomat-dokument");
    }, 20'000));
    gio({"open", path("e.wpt")});
    EXPECT_TRUE(session.Shows(0x00008000));

    ProgramRun print;
    ASSERT_TRUE(print.Start(QStringLiteral(WPLATOMAT_SHELL_EXE), {"print", path("b.wpt")}));
    QProcess windows;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        windows.start(QStringLiteral("xwininfo"), {"-root", "-tree", "-display", session.display.Name()});
        return windows.waitForFinished() && windows.readAll().contains("\"Drukowanie\"");
    }, 20'000));
    // The reply comes once the dialog has closed.
    EXPECT_TRUE(print.Running());
    ::kill(program, SIGKILL);
    EXPECT_EQ(print.WaitForExit(std::chrono::seconds(10)), 4);
}

} // namespace
