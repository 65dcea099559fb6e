#include "helpers/TempConfig.h"
#include "app/DesktopEntries.h"
#include "app/DesktopIntegration.h"
#include "app/MainFormUnit.h"

#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

std::string Output(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    const bool ok = p.waitForFinished() && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return (ok ? "" : "failed: ") + (p.readAllStandardOutput() + p.readAllStandardError()).toStdString();
}

TEST(DesktopIntegration, AStartPublishesAValidTypeWithOpenAsDefaultAndASecondStartWritesNothingNorStopsTheStart)
{
    const QByteArray processHome = qgetenv("XDG_DATA_HOME");
    TempConfig config; // the user's defaults list lives there, here linked from elsewhere
    const QString share = config.Path() + "/share", shell = config.Path() + "/bin dir/wplatomat-shell";
    qputenv("XDG_DATA_HOME", QFile::encodeName(share));
    // The desktop passes over entries whose program is missing.
    ASSERT_TRUE(QDir().mkpath(config.Path() + "/bin dir") && QFile::link("/bin/true", shell));
    QFile dotfile(config.Path() + "/dotfiles");
    ASSERT_TRUE(dotfile.open(QIODevice::WriteOnly) && dotfile.write("[Default Applications]\n") && dotfile.flush());
    ASSERT_TRUE(QFile::link(dotfile.fileName(), config.Path() + "/mimeapps.list"));
    TDesktopIntegration first(nullptr, shell);
    QSignalSpy refreshed(&first, &TDesktopIntegration::RefreshFinished);
    first.Publish();
    EXPECT_EQ(first.Written().size(), 5);
    EXPECT_EQ(first.Refreshes(), QStringList({"update-mime-database", "update-desktop-database"}));
    ASSERT_TRUE(refreshed.wait(20000));
    // Each entry hands the files to its verb of the client; the menu shows the open one, never the print one.
    for (const auto& [entry, verb] : {std::pair{"wplatomat.desktop", "open"}, {"wplatomat-print.desktop", "print"}}) {
        const QString path = share + "/applications/" + entry;
        EXPECT_EQ(Output("desktop-file-validate", {path}), "") << entry;
        const std::string text = Output("cat", {path});
        EXPECT_NE(text.find("\nExec=\"" + shell.toStdString() + "\" " + verb + " %F\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("\nNoDisplay=true\n") != std::string::npos, verb == std::string("print")) << text;
    }
    // An empty file is plain text to gio whatever its name.
    QFile document(config.Path() + "/b.wpt");
    ASSERT_TRUE(document.open(QIODevice::WriteOnly) && document.write("\x01\x02") == 2 && document.flush());
    EXPECT_NE(Output("gio", {"info", "-a", "standard::content-type", document.fileName()})
                  .find("standard::content-type: application/x-wplatomat-dokument\n"), std::string::npos);
    EXPECT_EQ(Output("gio", {"mime", "application/x-wplatomat-dokument"}).find(
                  "Default application for “application/x-wplatomat-dokument”: wplatomat.desktop\n"), 0);
    EXPECT_TRUE(QFileInfo(config.Path() + "/mimeapps.list").isSymLink());

    // Inodes and times to the nanosecond of every file and folder.
    const QStringList listing = {"-liR", "--time-style=full-iso", config.Path()};
    const std::string before = Output("ls", listing);
    TDesktopIntegration second(nullptr, shell);
    second.Publish();
    EXPECT_EQ(second.Written().size() + second.Refreshes().size(), 0);
    EXPECT_EQ(Output("ls", listing), before);

    // A link planted in the place of an entry is replaced; its target, the user's, stays as it was.
    const QString entry = share + "/applications/wplatomat.desktop", elsewhere = config.Path() + "/elsewhere";
    QFile target(elsewhere);
    ASSERT_TRUE(target.open(QIODevice::WriteOnly) && target.write("mine") == 4 && target.flush());
    ASSERT_TRUE(QFile::remove(entry) && QFile::link(elsewhere, entry));
    TDesktopIntegration(nullptr, shell).Publish();
    EXPECT_FALSE(QFileInfo(entry).isSymLink());
    EXPECT_EQ(Output("cat", {elsewhere}), "mine");

    qputenv("XDG_DATA_HOME", QFile::encodeName(document.fileName() + "/share"));
    const TMainForm started;
    EXPECT_EQ(started.findChild<TDesktopIntegration*>()->Written().size(), 0);
    qputenv("XDG_DATA_HOME", processHome);
}

TEST(DesktopIntegration, TheClientsPathReachesExecAsOneArgumentAndTheUsersDefaultIsKept)
{
    const std::pair<QString, std::optional<QString>> rows[] = {
        {"/opt/wplatomat/wplatomat-shell", "/opt/wplatomat/wplatomat-shell"},
        {"/a/\"$x`\\/b", "\"/a/\\\\\"\\\\$x\\\\`\\\\\\\\/b\""},
        {"/a/100%/b", "/a/100%%/b"},
        {"/a/it's(1)", "\"/a/it's(1)\""},
        {"/a/line\nfeed", std::nullopt},
    };
    for (const auto& [path, exec] : rows)
        EXPECT_EQ(DesktopEntries::ExecArgument(path), exec) << path.toStdString();

    const QByteArray ours = "application/x-wplatomat-dokument=wplatomat.desktop;\n";
    const std::pair<QByteArray, std::optional<QByteArray>> lists[] = {
        {"", "[Default Applications]\n" + ours},
        {"[Default Applications]\ntext/plain=a.desktop;",
         "[Default Applications]\n" + ours + "text/plain=a.desktop;\n"},
        {"[Added Associations]\n" + ours, "[Added Associations]\n" + ours + "[Default Applications]\n" + ours},
        {"[Default Applications]\napplication/x-wplatomat-dokument = other.desktop;\n", std::nullopt},
    };
    for (const auto& [list, updated] : lists)
        EXPECT_EQ(DesktopEntries::WithDefaultApplication(list), updated) << list.toStdString();
}

} // namespace
