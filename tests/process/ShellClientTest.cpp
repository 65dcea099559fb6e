// wplatomat-shell, gio and the program as real processes of one user, the
// program on a private X server, as a file manager would run them.
#include "document/BlankFile.h"
#include "helpers/PixelProbe.h"
#include "helpers/PrivateCups.h"
#include "helpers/ProgramRun.h"
#include "platform/Dde.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>

namespace {

// The main window on an empty registry lies at (100, 100), 600 x 480, with
// no window manager; the preview lies right of the 201-pixel editor panel.
const QRect PreviewPx(301, 100, 399, 480);
constexpr int MinFormPixels = 5000;

// The program serving the socket, known by the kernel's peer credentials:
// the client started it, so the test has no process object for it.
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

TEST(ShellClient, OpensInTheProgramItStartsPrintsToTheCouponDialogAndRefusesALineFeed)
{
    const QString missing = MissingTools({"Xvfb", "xwd", "xwininfo", "gio", "cupsd", "lpadmin", "lpstat"});
    ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
    QTemporaryDir root;
    const auto path = [&](const char* name) { return root.filePath(QString::fromLatin1(name)); };
    ASSERT_TRUE(QDir().mkpath(path("config")) && QDir().mkpath(path("runtime")));
    ASSERT_TRUE(QFile::setPermissions(path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", path("runtime").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", path("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", path("data").toLocal8Bit()); // where the program publishes its type
    // Documents in two colours, so each shows which one is in front.
    for (const auto& [name, colour] : {std::pair{"b.wpt", TColor(0x000058EA)}, std::pair{"c d.wpt", TColor(0x00AA3300)},
                                       std::pair{"e.wpt", TColor(0x00008000)}}) {
        TBlankData document;
        document.FKind = bkTransfer;
        document.FKolForm = colour;
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(WriteBlankFile(document)) > 0);
    }
    // A queue of a private spooler, inherited by the program through CUPS_SERVER.
    PrivateCups cups{QStringLiteral(WPLATOMAT_TEST_DATA "/cups")};
    ASSERT_TRUE(cups.Start() && cups.AddQueue(QStringLiteral("pdf"), QStringLiteral("file:///dev/null")))
        << cups.Error().toStdString();
    PrivateDisplay display;
    ASSERT_TRUE(display.Start(1024, 768)) << display.Error().toStdString();
    const auto shell = [&](const QStringList& arguments) {
        ProgramRun run;
        run.setWorkingDirectory(root.path());
        EXPECT_TRUE(run.Start(QStringLiteral(WPLATOMAT_SHELL_EXE), arguments,
                              {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display.Name()}}));
        const std::optional<int> code = run.WaitForExit(std::chrono::seconds(90));
        return std::pair{code.value_or(-1), run.Output()};
    };
    const auto shows = [&](TColor colour) {
        return QTest::qWaitFor([&] { return CountPixels(display.Grab(), PreviewPx, colour) >= MinFormPixels; }, 20'000);
    };

    // A first run registers the file type and is killed, leaving its socket behind.
    ProgramRun first;
    ASSERT_TRUE(first.Start(QStringLiteral(WPLATOMAT_EXE), {}, {{"QT_QPA_PLATFORM", "offscreen"}}));
    ASSERT_TRUE(QTest::qWaitFor([] { return ServerPid() != 0; }, 60'000));
    ASSERT_TRUE(first.Stop(SIGKILL));

    const auto [refused, message] = shell({"open", path("b.wpt") + "\n[Print \"x.wpt\"]"});
    EXPECT_EQ(refused, 2);
    EXPECT_TRUE(message.contains(QStringLiteral("znak sterujący"))) << message.toStdString();
    EXPECT_EQ(ServerPid(), 0);

    // Nothing runs: the client starts the registered program and the file opens in it.
    EXPECT_EQ(shell({"open", "b.wpt"}).first, 0);
    const pid_t program = ServerPid();
    ASSERT_NE(program, 0);
    EXPECT_TRUE(shows(0x000058EA));
    // Now it runs: a name with a blank, relative to the client's folder.
    EXPECT_EQ(shell({"open", "c d.wpt"}).first, 0);
    EXPECT_TRUE(shows(0x00AA3300));
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
    EXPECT_TRUE(shows(0x00008000));

    ProgramRun print;
    ASSERT_TRUE(print.Start(QStringLiteral(WPLATOMAT_SHELL_EXE), {"print", path("b.wpt")}));
    QProcess windows;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        windows.start(QStringLiteral("xwininfo"), {"-root", "-tree", "-display", display.Name()});
        return windows.waitForFinished() && windows.readAll().contains("\"Drukowanie\"");
    }, 20'000));
    // The reply comes once the dialog has closed.
    EXPECT_TRUE(print.Running());
    ::kill(program, SIGKILL);
    EXPECT_EQ(print.WaitForExit(std::chrono::seconds(10)), 4);
}

} // namespace
