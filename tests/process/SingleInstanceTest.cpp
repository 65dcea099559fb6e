#include "document/BlankFile.h"
#include "helpers/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <tuple>

namespace {

using namespace std::chrono_literals;

// A sanitizer build starts slowly; these bound the waits, they are no speed figures.
constexpr int StartDeadlineMs = 60'000;
// A second instance never builds a window; anything near this long means it did.
constexpr auto SecondExitDeadline = 10s;

// One version of a file: QSaveFile writes every change into a new file, so a
// rewrite shows as a new inode even with equal bytes.
std::tuple<ino_t, qint64, QByteArray> Stamp(const QString& path)
{
    struct stat st {};
    QFile file(path);
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !file.open(QIODevice::ReadOnly))
        return {};
    return {st.st_ino, qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec, file.readAll()};
}

// Whether some process holds the lock; when none does, taking it here for a
// moment disturbs no one, since the program only ever tries it at its start.
bool Locked(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (fd >= 0)
        ::close(fd);
    return held;
}

// Real processes of the program sharing one user's config and runtime folders.
class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_TRUE(QDir().mkpath(Path("config")));
        // The runtime folder must be private, or Qt refuses it.
        ASSERT_TRUE(QDir().mkpath(Path("runtime")));
        ASSERT_TRUE(QFile::setPermissions(Path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    QString Path(const char* name) const { return m_root.filePath(QString::fromLatin1(name)); }
    QString Registry() const { return Path("config/KORVEX/Wplatomat/registry.txt"); }
    QString Lock() const { return Path("runtime/KorvexWplatomatUnRunning.lock"); }

    bool Launch(ProgramRun& run, const QStringList& arguments = {})
    {
        return run.Start(QStringLiteral(WPLATOMAT_EXE), arguments,
                         ProgramRun::Environment({{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
                                                  {QStringLiteral("XDG_CONFIG_HOME"), Path("config")},
                                                  {QStringLiteral("XDG_RUNTIME_DIR"), Path("runtime")}}));
    }

    // Up means having built the main window, whose last registry write after
    // taking the lock is "AppPath": only in a new registry does that show it.
    void StartUntilUp(ProgramRun& run)
    {
        QFile::remove(Registry());
        const auto before = Stamp(Registry());
        ASSERT_TRUE(Launch(run)) << run.Error().toStdString();
        const auto up = [&] {
            const auto now = Stamp(Registry());
            return now != before && std::get<2>(now).contains("AppPath");
        };
        ASSERT_TRUE(QTest::qWaitFor([&] { return !run.Running() || up(); }, StartDeadlineMs));
        ASSERT_TRUE(run.Running()) << "the program ended before it was up; output:\n" << run.Output().toStdString();
    }

    // The second start: ends on its own with code 0, says nothing and
    // leaves the first one's registry and lock alone.
    void ExpectSecondStartEndsQuietly(const ProgramRun& first, const QStringList& arguments = {})
    {
        const auto registry = Stamp(Registry());
        ProgramRun second;
        ASSERT_TRUE(Launch(second, arguments)) << second.Error().toStdString();
        const std::optional<int> code = second.WaitForExit(SecondExitDeadline);
        ASSERT_TRUE(code.has_value()) << (second.Crashed() ? "the second start crashed" : "the second start still runs")
                                      << "; output:\n" << second.Output().toStdString();
        EXPECT_EQ(*code, 0);
        EXPECT_EQ(second.Output(), QString());
        EXPECT_TRUE(first.Running());
        EXPECT_TRUE(Locked(Lock()));
        // A main window, even an unseen one, would have rewritten the registry.
        EXPECT_TRUE(Stamp(Registry()) == registry);
    }

    QTemporaryDir m_root;
};

TEST_F(SingleInstance, SecondStartEndsQuietlyAndTheLockGoesWithTheProcessHoweverItEnds)
{
    TBlankData document;
    document.FKind = bkTransfer;
    QFile file(Path("przelew.wpt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(WriteBlankFile(document)) > 0);
    file.close();

    auto running = std::make_unique<ProgramRun>();
    ASSERT_NO_FATAL_FAILURE(StartUntilUp(*running));
    // Also a second start that names a document changes nothing.
    ExpectSecondStartEndsQuietly(*running, {Path("przelew.wpt")});
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        ASSERT_TRUE(running->Stop(signal));
        // The lock file stays behind; only the kernel's lock on it went with the process.
        EXPECT_TRUE(QFile::exists(Lock()));
        EXPECT_FALSE(Locked(Lock()));
        running = std::make_unique<ProgramRun>();
        ASSERT_NO_FATAL_FAILURE(StartUntilUp(*running));
        ExpectSecondStartEndsQuietly(*running);
    }
    EXPECT_TRUE(running->Stop(SIGKILL));
}

} // namespace
