// The document type as the desktop's own tools see it after a start, under a private data folder.
#include "helpers/TempConfig.h"
#include "app/DesktopEntries.h"
#include "app/DesktopIntegration.h"
#include "app/MainFormUnit.h"

#include <QDirIterator>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QString Output(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    const bool done = p.waitForFinished() && p.exitStatus() == QProcess::NormalExit;
    const QString output = QString::fromUtf8(p.readAll());
    return done && p.exitCode() == 0 ? output : QStringLiteral("failed: ") + output + p.errorString();
}

// Every file under the folder with its inode and modification time.
QStringList Files(const QString& folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        struct stat st {};
        ::stat(QFile::encodeName(it.next()).constData(), &st);
        files << QStringLiteral("%1 %2 %3.%4").arg(it.filePath()).arg(st.st_ino).arg(st.st_mtim.tv_sec).arg(st.st_mtim.tv_nsec);
    }
    return files;
}

// Gives the tests after this one the process's own private data folder back.
struct SavedDataFolders {
    QByteArray home = qgetenv("XDG_DATA_HOME"), dirs = qgetenv("XDG_DATA_DIRS");
    ~SavedDataFolders() { qputenv("XDG_DATA_HOME", home), qputenv("XDG_DATA_DIRS", dirs); }
};

TEST(DesktopIntegration, AStartPublishesAValidTypeWithOpenAsDefaultAndASecondStartWritesNothing)
{
    SavedDataFolders saved;
    TempConfig config; // the user's defaults list lives there
    const QString share = config.Path() + "/share";
    qputenv("XDG_DATA_HOME", QFile::encodeName(share));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(share + ":/usr/share"));
    // The desktop passes over entries whose program is missing.
    const QString shell = config.Path() + "/bin dir/wplatomat-shell";
    ASSERT_TRUE(QDir().mkpath(config.Path() + "/bin dir") && QFile::link("/bin/true", shell));
    TDesktopIntegration first(nullptr, shell);
    QSignalSpy refreshed(&first, &TDesktopIntegration::RefreshFinished);
    first.Publish();
    EXPECT_EQ(first.Written().size(), 5);
    EXPECT_EQ(first.Refreshes(), QStringList({"update-mime-database", "update-desktop-database"}));
    ASSERT_TRUE(refreshed.wait(20000));
    for (const QString entry : {"wplatomat.desktop", "wplatomat-print.desktop"})
        EXPECT_EQ(Output("desktop-file-validate", {share + "/applications/" + entry}).toStdString(), "") << entry.toStdString();
    QFile document(config.Path() + "/b.wpt");
    // An empty file is plain text to gio whatever its name.
    ASSERT_TRUE(document.open(QIODevice::WriteOnly) && document.write("\x01\x02") == 2);
    document.close();
    const QString type = Output("gio", {"info", "-a", "standard::content-type", document.fileName()});
    EXPECT_TRUE(type.contains("standard::content-type: application/x-wplatomat-dokument\n")) << type.toStdString();
    const QString apps = Output("gio", {"mime", "application/x-wplatomat-dokument"});
    EXPECT_TRUE(apps.startsWith("Default application for “application/x-wplatomat-dokument”: wplatomat.desktop\n"))
        << apps.toStdString();

    const QStringList before = Files(config.Path());
    TDesktopIntegration second(nullptr, shell);
    second.Publish();
    EXPECT_EQ(second.Written(), QStringList());
    EXPECT_EQ(second.Refreshes(), QStringList());
    EXPECT_EQ(Files(config.Path()), before);
}

TEST(DesktopIntegration, TheClientsPathReachesExecAsOneArgumentOrNoEntryIsWritten)
{
    const std::pair<QString, std::optional<QString>> rows[] = {
        {"/opt/wplatomat/wplatomat-shell", "/opt/wplatomat/wplatomat-shell"},
        {"/home/jan kowalski/bin/wplatomat-shell", "\"/home/jan kowalski/bin/wplatomat-shell\""},
        {"/a/\"$x`\\/b", "\"/a/\\\\\"\\\\$x\\\\`\\\\\\\\/b\""},
        {"/a/100%/b", "/a/100%%/b"},
        {"/a/it's(1)", "\"/a/it's(1)\""},
        {"/a/line\nfeed", std::nullopt},
    };
    for (const auto& [path, exec] : rows)
        EXPECT_EQ(DesktopEntries::ExecArgument(path), exec) << path.toStdString();
    EXPECT_EQ(DesktopEntries::Entry("W", "/a\tb", "open", false), std::nullopt);
}

TEST(DesktopIntegration, TheUsersOwnDefaultForTheTypeIsKeptAndOthersGainOurs)
{
    const QByteArray ours = "application/x-wplatomat-dokument=wplatomat.desktop;\n";
    const std::pair<QByteArray, std::optional<QByteArray>> rows[] = {
        {"", "[Default Applications]\n" + ours},
        {"[Default Applications]\ntext/plain=a.desktop;", "[Default Applications]\n" + ours + "text/plain=a.desktop;\n"},
        {"[Added Associations]\n" + ours, "[Added Associations]\n" + ours + "[Default Applications]\n" + ours},
        {"[Default Applications]\napplication/x-wplatomat-dokument = other.desktop;\n", std::nullopt},
    };
    for (const auto& [list, updated] : rows)
        EXPECT_EQ(DesktopEntries::WithDefaultApplication(list), updated) << list.toStdString();
}

TEST(DesktopIntegration, AnUnwritableDataFolderNeverStopsTheStart)
{
    SavedDataFolders saved;
    TempConfig config;
    QFile blocker(config.Path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker.fileName() + "/share"));
    TMainForm form;
    const auto* desktop = form.findChild<TDesktopIntegration*>();
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(desktop->Written(), QStringList({config.Path() + "/mimeapps.list"}));
    EXPECT_EQ(desktop->Refreshes(), QStringList());
}

} // namespace
