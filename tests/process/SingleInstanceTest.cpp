#include "helpers/ProgramRun.h"
#include "platform/DdeClient.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace {

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

// Real processes of the program sharing one user's config and runtime folders, under the umask of distributions
// that give each user a group of their own: the program's folders must stay private all the same.
TEST(SingleInstance, SecondStartEndsQuietlyAndTheLockGoesWithTheProcessHoweverItEnds)
{
    const mode_t umaskBefore = ::umask(002);
    const auto restoreUmask = qScopeGuard([umaskBefore] { ::umask(umaskBefore); });
    QTemporaryDir root;
    const auto path = [&](const QString& name) { return root.filePath(name); };
    // The runtime folder must be private, or Qt refuses it.
    for (const char* runtime : {"runtime", "other runtime"}) {
        ASSERT_TRUE(QDir().mkpath(path(runtime)));
        ASSERT_TRUE(QFile::setPermissions(path(runtime), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    ASSERT_TRUE(QDir().mkpath(path("config")));
    const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
    const auto restoreRuntime = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", runtimeBefore); });
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path("runtime")));
    const QString registry = path("config/KORVEX/Wplatomat/registry.txt");
    // Another runtime folder (a start from another session or from cron) shares the registry all the same.
    const auto launch = [&](ProgramRun& run, const QStringList& arguments, const QString& runtime = "runtime") {
        const ProgramRun::Changes environment = {{"QT_QPA_PLATFORM", "offscreen"},
                                                 {"XDG_CONFIG_HOME", path("config")},
                                                 {"XDG_RUNTIME_DIR", path(runtime)}};
        return run.Start(WPLATOMAT_EXE, arguments, environment);
    };
    // Up means having built the main window, whose last registry write after taking the lock is
    // "AppPath": only in a new registry does that show it. A sanitizer build starts slowly.
    // A launcher that went away at once left it a pipe with no reader to write its warnings to.
    const auto startUntilUp = [&](ProgramRun& run, bool launcherGone = false) {
        QFile::remove(registry);
        const QByteArray pipe = QFile::encodeName(path("launcher"));
        int reader = -1;
        if (launcherGone) {
            ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
            reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            ASSERT_GE(reader, 0);
            run.setStandardOutputFile(path("launcher"));
        }
        ASSERT_TRUE(launch(run, {})) << run.errorString().toStdString();
        if (launcherGone)
            ASSERT_EQ(::close(reader), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !run.Running() || Stamp(registry).contains("AppPath"); }, 60'000));
        ASSERT_TRUE(run.Running()) << "the program ended before it was up; output:\n" << run.Output().toStdString();
        // Its first warnings come as its window shows, before its loop serves a conversation.
        TDdeClient client;
        const auto served = [&] { return client.Connect("wplatomat", "ShellDdeServerConv", 1000); };
        EXPECT_TRUE(QTest::qWaitFor([&] { return !run.Running() || served(); }, 60'000));
        ASSERT_TRUE(run.Running()) << "it ended once its window showed";
    };
    // A second start, also one naming a document, ends on its own with code 0,
    // says nothing and leaves the first one's registry alone.
    const auto expectSecondStartEndsQuietly = [&](ProgramRun& first, const QStringList& arguments,
                                                  const QString& runtime) {
        const QByteArray before = Stamp(registry);
        ProgramRun second;
        ASSERT_TRUE(launch(second, arguments, runtime)) << second.errorString().toStdString();
        // A second instance never builds a window; anything near this long means it did.
        const std::optional<int> code = second.WaitForExit(std::chrono::seconds(10));
        ASSERT_TRUE(code.has_value()) << (second.Crashed() ? "it crashed" : "it still runs") << "; output:\n"
                                      << second.Output().toStdString();
        EXPECT_EQ(*code, 0);
        EXPECT_EQ(second.Output(), QString());
        EXPECT_TRUE(first.Running());
        EXPECT_EQ(Stamp(registry), before);
    };

    const QString folder = path("config/KORVEX/Wplatomat");
    const auto expectPrivate = [&] {
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        EXPECT_EQ(QFile::permissions(folder) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), owner);
    };
    auto running = std::make_unique<ProgramRun>();
    ASSERT_NO_FATAL_FAILURE(startUntilUp(*running));
    expectPrivate();
    expectSecondStartEndsQuietly(*running, {path("przelew.wpt")}, "runtime");
    expectSecondStartEndsQuietly(*running, {}, "other runtime");
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        ASSERT_TRUE(running->Stop(signal));
        // The folder as an earlier version made it under this umask.
        QFile::setPermissions(folder, QFile::permissions(folder) | QFile::WriteGroup | QFile::ReadGroup);
        // The kernel let the lock go with the process: the next start runs.
        running = std::make_unique<ProgramRun>();
        ASSERT_NO_FATAL_FAILURE(startUntilUp(*running, signal == SIGKILL));
        expectPrivate();
        expectSecondStartEndsQuietly(*running, {}, "runtime");
    }
    EXPECT_TRUE(running->Stop(SIGKILL));
}

} // namespace
