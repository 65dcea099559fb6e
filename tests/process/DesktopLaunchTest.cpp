// The program as a desktop user meets it: started from its menu entry, on a
// screen with a window manager and other windows, its documents handed to it
// by the desktop and by processes whose environment differs from its own.
#include "helpers/PrivateCups.h"
#include "process/UserSession.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The icon's first box is filled with #f3c9c9 inside its 1-unit border, from
// (10, 9) to (38, 14) in the picture's 48-unit square.
constexpr quint32 IconBoxArgb = 0xFFF3C9C9;

class DesktopLaunch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(session.Start({"xprop", "xwininfo", "openbox", "xlogo", "gio"}));
        qputenv("DISPLAY", session.display.Name().toLocal8Bit());
        ASSERT_TRUE(windowManager.Start("openbox", {}));
        ASSERT_NO_FATAL_FAILURE(session.WriteDocument("b.wpt", 0x000058EA));
        ASSERT_NO_FATAL_FAILURE(session.WriteDocument("c \"d\".wpt", 0x00AA3300));
        // A first start registers the type and publishes the entries; it is then ended by force.
        ProgramRun first;
        ASSERT_TRUE(first.Start(WPLATOMAT_EXE, {}, {{"QT_QPA_PLATFORM", "offscreen"}}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return UserSession::ServerPid() != 0 && QFile::exists(entry); }, 60'000));
        ASSERT_TRUE(first.Stop(SIGKILL));
    }
    QByteArray Run(const QString& tool, const QStringList& arguments)
    {
        QProcess run;
        run.start(tool, arguments);
        return run.waitForFinished(20'000) ? run.readAllStandardOutput() : QByteArray();
    }
    QString X(const QStringList& arguments) { return Run("xprop", arguments); }
    QString ActiveWindow()
    {
        const QString root = X({"-root", "_NET_ACTIVE_WINDOW"});
        return QRegularExpression("# (0x[0-9a-f]+)").match(root).captured(1);
    }
    // The window in front is the program's main window, no dialog of it.
    bool ProgramInFront(pid_t program)
    {
        const QString window = ActiveWindow();
        if (window.isEmpty())
            return false;
        const QString about = X({"-id", window, "_NET_WM_PID", "_NET_WM_WINDOW_TYPE"});
        return about.contains(QStringLiteral("= %1\n").arg(program)) && !about.contains("DIALOG");
    }
    void PutAnotherWindowInFront()
    {
        const QString before = ActiveWindow();
        others.push_back(std::make_unique<ProgramRun>());
        ASSERT_TRUE(others.back()->Start("xlogo", {"-geometry", "1000x740+0+0"}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !ActiveWindow().isEmpty() && ActiveWindow() != before; }, 20'000));
    }

    UserSession session;
    const QString entry = session.Path("data/applications/wplatomat.desktop");
    ProgramRun windowManager;
    std::vector<std::unique_ptr<ProgramRun>> others;
};

TEST_F(DesktopLaunch, TheMenuEntryStartsTheProgramAndBringsItForwardAsDoesOpeningADocument)
{
    // Whatever built the program built the client that its entries name, beside it.
    EXPECT_EQ(QFileInfo(WPLATOMAT_EXE).dir().filePath("wplatomat-shell"), WPLATOMAT_SHELL_EXE);
    const QString exec = QSettings(entry, QSettings::IniFormat).value("Desktop Entry/Exec").toString();
    EXPECT_TRUE(QFileInfo(exec.section(' ', 0, 0)).isExecutable()) << exec.toStdString();

    // No program runs: the menu entry, launched with no file, starts one.
    Run("gio", {"launch", entry});
    ASSERT_TRUE(QTest::qWaitFor([] { return UserSession::ServerPid() != 0; }, 60'000));
    ::kill(UserSession::ServerPid(), SIGKILL);

    EXPECT_EQ(session.Shell({"open", "b.wpt"}).first, 0);
    const pid_t running = UserSession::ServerPid();
    ASSERT_NE(running, 0);
    ASSERT_TRUE(session.Shows(0x000058EA));
    const QString icon = X({"-id", ActiveWindow(), "-notype", "32c", "_NET_WM_ICON"});
    EXPECT_TRUE(icon.contains("48, 48, ")) << icon.left(200).toStdString();
    EXPECT_TRUE(icon.contains(QString::number(IconBoxArgb)));

    // With it running, the menu entry brings it forward over another window.
    ASSERT_NO_FATAL_FAILURE(PutAnotherWindowInFront());
    EXPECT_FALSE(ProgramInFront(running));
    Run("gio", {"launch", entry});
    EXPECT_TRUE(QTest::qWaitFor([&] { return ProgramInFront(running); }, 20'000));

    // A document handed over from an environment with another runtime folder
    // (as from cron or `env -i`) reaches the one running program, and comes forward.
    ASSERT_NO_FATAL_FAILURE(PutAnotherWindowInFront());
    const ProgramRun::Changes cron = {{"XDG_RUNTIME_DIR", ""}, {"XDG_CACHE_HOME", session.Path("cache")}};
    EXPECT_EQ(session.Shell({"open", "c \"d\".wpt"}, cron).first, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ProgramInFront(running); }, 20'000));
    EXPECT_TRUE(session.Shows(0x00AA3300));
    EXPECT_EQ(UserSession::ServerPid(), running);
}

TEST_F(DesktopLaunch, TheClientOpensAndPrintsInTheProgramItStarts)
{
    // A queue of a private spooler, inherited by the program through CUPS_SERVER.
    PrivateCups cups{WPLATOMAT_TEST_DATA "/cups"};
    ASSERT_TRUE(cups.Start()) << cups.Error().toStdString();
    ASSERT_TRUE(cups.AddQueue("pdf", "file:///dev/null")) << cups.Error().toStdString();

    // Nothing runs (its socket is left behind, and its lock's text, now naming a live process: this test's). The
    // client starts the registered program, well before it would give up on a running one, and the file, named
    // with a blank and quotes relative to the client's folder, opens in it.
    QFile lock(session.Path("config/KORVEX/Wplatomat/KorvexWplatomatUnRunning.lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    ASSERT_GT(lock.write(QByteArray::number(::getpid()) + '\n' + QFile::encodeName(session.Path("runtime/dde"))), 0);
    EXPECT_EQ(session.Shell({"open", "c \"d\".wpt"}, {}, std::chrono::seconds(30)).first, 0);
    const pid_t program = UserSession::ServerPid();
    ASSERT_NE(program, 0);
    EXPECT_TRUE(session.Shows(0x00AA3300));
    // As a file manager opens it: the type and default entry the program published.
    const QString b = session.Path("b.wpt");
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return Run("gio", {"info", "-a", "standard::content-type", b}).contains("x-wplatomat-dokument");
    }, 20'000));
    Run("gio", {"open", b});
    EXPECT_TRUE(session.Shows(0x000058EA));

    ProgramRun print;
    ASSERT_NO_FATAL_FAILURE(session.StartShell(print, {"print", b}));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return Run("xwininfo", {"-root", "-tree"}).contains("\"Drukowanie\"");
    }, 20'000));
    // The reply comes once the dialog has closed.
    EXPECT_TRUE(print.Running());
    ::kill(program, SIGKILL);
    EXPECT_EQ(print.WaitForExit(std::chrono::seconds(10)), 4);
}

} // namespace
