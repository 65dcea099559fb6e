#include "document/BlankFile.h"
#include "helpers/ProgramRun.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

namespace {

using namespace std::chrono_literals;

// A sanitizer build starts slowly; these bound the waits, they are no speed figures.
constexpr auto StartDeadline = 60s;
// A second instance never builds a window; anything near this long means it did.
constexpr auto SecondExitDeadline = 10s;
constexpr unsigned long PollMs = 50;

const QString LockName = QStringLiteral("KorvexWplatomatUnRunning.lock");

// What identifies one version of a file: QSaveFile writes every change
// into a new file, so a rewrite shows as a new inode even with equal bytes.
struct FileStamp {
    bool exists = false;
    ino_t inode = 0;
    qint64 modifiedNs = 0;
    QByteArray bytes;

    static FileStamp Of(const QString& path)
    {
        FileStamp stamp;
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return stamp;
        stamp.exists = true;
        stamp.inode = st.st_ino;
        stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            stamp.bytes = file.readAll();
        return stamp;
    }
    bool operator==(const FileStamp& o) const
    {
        return exists == o.exists && inode == o.inode && modifiedNs == o.modifiedNs && bytes == o.bytes;
    }
};

// Whether the process holds a whole-file lock on the file, as the kernel
// lists it; looking there never takes the lock away from anyone.
bool HoldsLock(qint64 pid, const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    // "1: FLOCK  ADVISORY  WRITE 1234 fe:00:5678 0 EOF"
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() >= 6 && f[1] == "FLOCK" && f[3] == "WRITE" && f[4].toLongLong() == pid
            && f[5].split(':').value(2).toULongLong() == quint64(st.st_ino))
            return true;
    }
    return false;
}

// Two real processes of the program sharing one user's config and runtime folders.
class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_TRUE(QDir().mkpath(ConfigHome()));
        // The runtime folder must be private, or Qt refuses it.
        ASSERT_TRUE(QDir().mkpath(RuntimeDir()));
        ASSERT_TRUE(QFile::setPermissions(RuntimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    QString ConfigHome() const { return m_root.filePath(QStringLiteral("config")); }
    QString RuntimeDir() const { return m_root.filePath(QStringLiteral("runtime")); }
    QString LockFile() const { return QDir(RuntimeDir()).filePath(LockName); }
    QString RegistryFile() const { return ConfigHome() + QStringLiteral("/KORVEX/Wplatomat/registry.txt"); }

    bool Launch(ProgramRun& run, const QStringList& arguments = {})
    {
        return run.Start(QStringLiteral(WPLATOMAT_EXE), arguments,
                         ProgramRun::Environment({{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
                                                  {QStringLiteral("XDG_CONFIG_HOME"), ConfigHome()},
                                                  {QStringLiteral("XDG_RUNTIME_DIR"), RuntimeDir()}}));
    }

    // Up means holding the lock and having built the main window, which
    // rewrites the registry (its placement and "AppPath").
    ::testing::AssertionResult StartAndWaitUntilUp(ProgramRun& run)
    {
        const FileStamp before = FileStamp::Of(RegistryFile());
        if (!Launch(run))
            return ::testing::AssertionFailure() << run.Error().toStdString();
        const QDeadlineTimer deadline(StartDeadline);
        while (!deadline.hasExpired()) {
            if (!run.Running())
                return ::testing::AssertionFailure()
                       << "the program ended before it was up; output:\n" << run.Output().toStdString();
            const FileStamp now = FileStamp::Of(RegistryFile());
            if (HoldsLock(run.Pid(), LockFile()) && now.exists && !(now == before)
                && now.bytes.contains("AppPath"))
                return ::testing::AssertionSuccess();
            QThread::msleep(PollMs);
        }
        return ::testing::AssertionFailure() << "not up within the deadline; output:\n" << run.Output().toStdString();
    }

    // The second start: ends on its own with code 0, says nothing and
    // leaves the first one's registry and lock alone.
    void ExpectSecondStartEndsQuietly(const ProgramRun& first, const QStringList& arguments = {})
    {
        const FileStamp registry = FileStamp::Of(RegistryFile());
        ProgramRun second;
        ASSERT_TRUE(Launch(second, arguments)) << second.Error().toStdString();
        const std::optional<int> code = second.WaitForExit(SecondExitDeadline);
        ASSERT_TRUE(code.has_value()) << (second.Crashed() ? "the second start crashed" : "the second start still runs")
                                      << "; output:\n" << second.Output().toStdString();
        EXPECT_EQ(*code, 0);
        EXPECT_EQ(second.Output(), QString());
        EXPECT_TRUE(first.Running());
        EXPECT_TRUE(HoldsLock(first.Pid(), LockFile()));
        // A main window, even an unseen one, would have rewritten the registry.
        EXPECT_TRUE(FileStamp::Of(RegistryFile()) == registry);
    }

    QTemporaryDir m_root;
};

TEST_F(SingleInstance, SecondStartEndsAtOnceWithCodeZeroAndLeavesTheFirstRunning)
{
    ProgramRun first;
    ASSERT_TRUE(StartAndWaitUntilUp(first));
    ExpectSecondStartEndsQuietly(first);
    // Also a second start that names a document changes nothing.
    TBlankData document;
    document.FKind = bkTransfer;
    const QString path = m_root.filePath(QStringLiteral("przelew.wpt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(WriteBlankFile(document)) > 0);
    file.close();
    ExpectSecondStartEndsQuietly(first, {path});
    EXPECT_TRUE(first.Stop(SIGKILL));
}

struct EndCase {
    const char* name;
    int signal;
};

void PrintTo(const EndCase& c, std::ostream* os)
{
    *os << c.name;
}

class SingleInstanceAfterEnd : public SingleInstance, public ::testing::WithParamInterface<EndCase> {};

TEST_P(SingleInstanceAfterEnd, NextStartRunsNormallyAndIsTheOneInstance)
{
    ProgramRun first;
    ASSERT_TRUE(StartAndWaitUntilUp(first));
    ASSERT_TRUE(first.Stop(GetParam().signal));
    ASSERT_FALSE(first.Running());
    // The lock file stays behind; only the kernel's lock on it went with the process.
    EXPECT_TRUE(QFileInfo::exists(LockFile()));

    ProgramRun next;
    ASSERT_TRUE(StartAndWaitUntilUp(next));
    // Still there a while later: it is the running instance, not a second one on its way out.
    QThread::msleep(500);
    EXPECT_TRUE(next.Running());
    ExpectSecondStartEndsQuietly(next);
    EXPECT_TRUE(next.Stop(SIGKILL));
}

INSTANTIATE_TEST_SUITE_P(Ends, SingleInstanceAfterEnd,
                         ::testing::Values(EndCase{"Terminated", SIGTERM}, EndCase{"Killed", SIGKILL}),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

} // namespace
