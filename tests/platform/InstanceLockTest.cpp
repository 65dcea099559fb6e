// The single-instance lock: one holder per user and registry at a time, free again when the holder lets go.
#include "platform/InstanceLock.h"

#include "helpers/TempConfig.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>

TEST(InstanceLock, OneHolderPerRegistryWhateverTheRuntimeFolderAndOnlyInAFolderOfOurOwn)
{
    // Under the umask of distributions that give each user a group of their own, the folder is made private all
    // the same, as a client that runs before any program makes it.
    const mode_t umaskBefore = ::umask(002);
    const std::shared_ptr<void> restoreUmask(nullptr, [umaskBefore](void*) { ::umask(umaskBefore); });
    TempConfig config;
    QTemporaryDir runtime;
    const QString name = QStringLiteral("KorvexWplatomatUnRunning");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    TInstanceLock first(name);
    EXPECT_FALSE(first.AlreadyExists());
    EXPECT_EQ(first.Path(), config.Path() + "/KORVEX/Wplatomat/KorvexWplatomatUnRunning.lock");
    EXPECT_TRUE(first.Publish(QStringLiteral("/run/user/1000/wplatomat/dde")));
    EXPECT_TRUE(first.Publish(QStringLiteral("/run/user/1000/dde"))); // a shorter text replaces it whole
    // Another start of the same user, from cron or `env -i`, meets the same lock.
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_TRUE(TInstanceLock(name).AlreadyExists());
    EXPECT_TRUE(TInstanceLock::IsHeld(name));
    EXPECT_EQ(TInstanceLock::Published(name), QStringLiteral("/run/user/1000/dde"));
    first.Release();
    EXPECT_FALSE(TInstanceLock::IsHeld(name));
    EXPECT_EQ(TInstanceLock::Published(name), QString());
    // A holder that was killed leaves its text: held no longer, and the next holder clears it.
    QFile left(first.Path());
    ASSERT_TRUE(left.open(QIODevice::WriteOnly) && left.write("4321\n/run/user/1000/dde") > 0);
    left.close();
    EXPECT_FALSE(TInstanceLock::IsHeld(name));
    const TInstanceLock next(name);
    EXPECT_FALSE(next.AlreadyExists());
    EXPECT_EQ(TInstanceLock::Published(name), QString());
    // A folder others may add files to could hold a lock of theirs: no lock then, and the program runs as the first
    // instance.
    const QString folder = config.Path() + "/KORVEX/Wplatomat";
    const QFileDevice::Permissions own = QFile::permissions(folder);
    for (QFileDevice::Permission others : {QFile::WriteGroup, QFile::WriteOther}) {
        ASSERT_TRUE(QFile::setPermissions(folder, own | others));
        TInstanceLock open(name);
        EXPECT_FALSE(open.AlreadyExists());
        EXPECT_EQ(open.Path(), QString());
        EXPECT_EQ(TInstanceLock::Published(name), QString());
    }
}
