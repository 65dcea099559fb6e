// The program as a desktop user meets it on a screen of its own, its documents handed to it by
// the shell client and by the desktop's own tools.
#include "helpers/PrivateCups.h"
#include "process/UserSession.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class DesktopLaunch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(session.Start({"xwininfo", "gio"}));
        qputenv("DISPLAY", session.display.Name().toLocal8Bit());
        for (const auto& [name, colour] : {std::pair{"b.wpt", TColor(0x000058EA)},
                                           std::pair{"c \"d\".wpt", TColor(0x00AA3300)}})
            ASSERT_NO_FATAL_FAILURE(session.WriteDocument(name, colour));
        // A first start registers the type and publishes the entries; it is then ended by force.
        ProgramRun first;
        ASSERT_TRUE(first.Start(QStringLiteral(WPLATOMAT_EXE), {}, {{"QT_QPA_PLATFORM", "offscreen"}}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return UserSession::ServerPid() != 0 && QFile::exists(entry); }, 60'000));
        ASSERT_TRUE(first.Stop(SIGKILL));
    }
    QByteArray Run(const QString& tool, const QStringList& arguments)
    {
        QProcess run;
        run.start(tool, arguments);
        return run.waitForFinished(20'000) ? run.readAllStandardOutput() : QByteArray();
    }

    UserSession session;
    const QString entry = session.Path("data/applications/wplatomat.desktop");
};

TEST_F(DesktopLaunch, TheClientOpensAndPrintsInTheProgramItStartsAndRefusesALineFeed)
{
    // A queue of a private spooler, inherited by the program through CUPS_SERVER.
    PrivateCups cups{QStringLiteral(WPLATOMAT_TEST_DATA "/cups")};
    ASSERT_TRUE(cups.Start() && cups.AddQueue(QStringLiteral("pdf"), QStringLiteral("file:///dev/null")))
        << cups.Error().toStdString();
    const auto [refused, message] = session.Shell({"open", session.Path("b.wpt") + "\n[Print \"x.wpt\"]"});
    EXPECT_EQ(refused, 2);
    EXPECT_TRUE(message.contains(QStringLiteral("znak sterujący"))) << message.toStdString();
    EXPECT_EQ(UserSession::ServerPid(), 0);

    // Nothing runs (its socket is left behind): the client starts the registered
    // program and the file, named with a blank and quotes relative to the client's folder, opens in it.
    EXPECT_EQ(session.Shell({"open", "c \"d\".wpt"}).first, 0);
    const pid_t program = UserSession::ServerPid();
    ASSERT_NE(program, 0);
    EXPECT_TRUE(session.Shows(0x00AA3300));
    // As a file manager opens it: the type and default entry the program published.
    const QString b = session.Path("b.wpt");
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return Run(QStringLiteral("gio"), {"info", "-a", "standard::content-type", b}).contains("x-wplatomat-dokument");
    }, 20'000));
    Run(QStringLiteral("gio"), {"open", b});
    EXPECT_TRUE(session.Shows(0x000058EA));

    ProgramRun print;
    ASSERT_NO_FATAL_FAILURE(session.StartShell(print, {"print", b}));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return Run(QStringLiteral("xwininfo"), {"-root", "-tree"}).contains("\"Drukowanie\"");
    }, 20'000));
    // The reply comes once the dialog has closed.
    EXPECT_TRUE(print.Running());
    ::kill(program, SIGKILL);
    EXPECT_EQ(print.WaitForExit(std::chrono::seconds(10)), 4);
}

} // namespace
