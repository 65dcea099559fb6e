// The program as a desktop user meets it: started from its menu entry, on a
// screen with a window manager and other windows, its documents handed to it
// by the desktop and by processes whose environment differs from its own.
#include "document/BlankFile.h"
#include "helpers/PixelProbe.h"
#include "helpers/ProgramRun.h"
#include "platform/Dde.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>

namespace {

constexpr int MinFormPixels = 5000;
// The icon's first box is filled with #f3c9c9 inside its 1-unit border, from
// (10, 9) to (38, 14) in the picture's 48-unit square.
constexpr quint32 IconBoxArgb = 0xFFF3C9C9;

pid_t ServerPid()
{
    QLocalSocket socket;
    socket.connectToServer(DdeSocketPath(QStringLiteral("wplatomat")));
    struct ucred cred {};
    socklen_t size = sizeof cred;
    return socket.waitForConnected(5000)
                   && ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0
               ? cred.pid : 0;
}

class DesktopLaunch : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString missing = MissingTools({"Xvfb", "xwd", "xprop", "openbox", "xlogo", "gio"});
        ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
        for (const char* folder : {"config", "data", "runtime", "cache"})
            ASSERT_TRUE(QDir().mkpath(Path(folder)));
        ASSERT_TRUE(QFile::setPermissions(Path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", "runtime"}, std::pair{"XDG_CONFIG_HOME", "config"},
                                          std::pair{"XDG_DATA_HOME", "data"}})
            qputenv(name, Path(value).toLocal8Bit());
        ASSERT_TRUE(display.Start(1024, 768)) << display.Error().toStdString();
        qputenv("DISPLAY", display.Name().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        ASSERT_TRUE(windowManager.Start(QStringLiteral("openbox"), {}));
    }
    void TearDown() override
    {
        if (const pid_t pid = ServerPid())
            ::kill(pid, SIGKILL);
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QString Path(const char* name) const { return root.filePath(QString::fromLatin1(name)); }
    void WriteDocument(const char* name, TColor colour)
    {
        TBlankData document;
        document.FKind = bkTransfer;
        document.FKolForm = colour;
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(WriteBlankFile(document)) > 0);
    }
    QString X(const QStringList& arguments)
    {
        QProcess tool;
        tool.start(QStringLiteral("xprop"), QStringList{"-display", display.Name()} + arguments);
        return tool.waitForFinished(10'000) ? QString::fromLatin1(tool.readAllStandardOutput()) : QString();
    }
    QString ActiveWindow()
    {
        const auto match = QRegularExpression(QStringLiteral("# (0x[0-9a-f]+)")).match(X({"-root", "_NET_ACTIVE_WINDOW"}));
        return match.hasMatch() ? match.captured(1) : QString();
    }
    // The window in front is the program's main window.
    bool ProgramInFront(pid_t program)
    {
        const QString window = ActiveWindow();
        const QString properties = window.isEmpty() ? QString() : X({"-id", window, "_NET_WM_PID", "_NET_WM_WINDOW_TYPE"});
        return properties.contains(QStringLiteral("= %1\n").arg(program)) && !properties.contains(QStringLiteral("DIALOG"));
    }
    // Another program's window takes the front and the focus.
    void PutAnotherWindowInFront()
    {
        const QString before = ActiveWindow();
        auto other = std::make_unique<ProgramRun>();
        ASSERT_TRUE(other->Start(QStringLiteral("xlogo"), {"-geometry", "1000x740+0+0"}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !ActiveWindow().isEmpty() && ActiveWindow() != before; }, 20'000));
        others.push_back(std::move(other));
    }
    int Shell(const QStringList& arguments, const ProgramRun::Changes& environment = {})
    {
        ProgramRun run;
        run.setWorkingDirectory(root.path());
        EXPECT_TRUE(run.Start(QStringLiteral(WPLATOMAT_SHELL_EXE), arguments, environment));
        return run.WaitForExit(std::chrono::seconds(90)).value_or(-1);
    }
    bool Shows(TColor colour)
    {
        return QTest::qWaitFor([&] { return CountPixels(display.Grab(), QRect(0, 0, 1024, 768), colour) >= MinFormPixels; },
                               20'000);
    }

    QTemporaryDir root;
    PrivateDisplay display;
    ProgramRun windowManager;
    std::vector<std::unique_ptr<ProgramRun>> others;
};

TEST_F(DesktopLaunch, TheMenuEntryStartsTheProgramAndBringsItForwardAsDoesOpeningADocument)
{
    // Whatever built the program built the client that its entries name, beside it.
    EXPECT_EQ(QFileInfo(QStringLiteral(WPLATOMAT_EXE)).dir().filePath(QStringLiteral("wplatomat-shell")),
              QFileInfo(QStringLiteral(WPLATOMAT_SHELL_EXE)).filePath());
    // A first start publishes the entries; it is then ended by force.
    ProgramRun first;
    ASSERT_TRUE(first.Start(QStringLiteral(WPLATOMAT_EXE), {}, {{"QT_QPA_PLATFORM", "offscreen"}}));
    const QString entry = Path("data/applications/wplatomat.desktop");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ServerPid() != 0 && QFile::exists(entry); }, 60'000));
    ASSERT_TRUE(first.Stop(SIGKILL));
    const QString exec = QSettings(entry, QSettings::IniFormat).value("Desktop Entry/Exec").toString();
    EXPECT_TRUE(QFileInfo(exec.section(QLatin1Char(' '), 0, 0)).isExecutable()) << exec.toStdString();

    // No program runs: the menu entry, launched with no file, starts one.
    QProcess::execute(QStringLiteral("gio"), {"launch", entry});
    ASSERT_TRUE(QTest::qWaitFor([] { return ServerPid() != 0; }, 60'000));
    const pid_t program = ServerPid();
    ::kill(program, SIGKILL);

    WriteDocument("b.wpt", 0x000058EA);
    WriteDocument("c.wpt", 0x00AA3300);
    EXPECT_EQ(Shell({"open", "b.wpt"}), 0);
    const pid_t running = ServerPid();
    ASSERT_NE(running, 0);
    ASSERT_TRUE(Shows(0x000058EA));
    const QString icon = X({"-id", ActiveWindow(), "-notype", "32c", "_NET_WM_ICON"});
    EXPECT_TRUE(icon.contains(QStringLiteral("48, 48, ")) && icon.contains(QString::number(IconBoxArgb)))
        << icon.left(200).toStdString();

    // With it running, the menu entry brings it forward over another window.
    ASSERT_NO_FATAL_FAILURE(PutAnotherWindowInFront());
    EXPECT_FALSE(ProgramInFront(running));
    QProcess::execute(QStringLiteral("gio"), {"launch", entry});
    EXPECT_TRUE(QTest::qWaitFor([&] { return ProgramInFront(running); }, 20'000));

    // A document handed over from an environment with another runtime folder
    // (as from cron or `env -i`) reaches the one running program, and comes forward.
    ASSERT_NO_FATAL_FAILURE(PutAnotherWindowInFront());
    EXPECT_EQ(Shell({"open", "c.wpt"}, {{"XDG_RUNTIME_DIR", ""}, {"XDG_CACHE_HOME", Path("cache")}}), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ProgramInFront(running); }, 20'000));
    EXPECT_TRUE(Shows(0x00AA3300));
    EXPECT_EQ(ServerPid(), running);
}

} // namespace
