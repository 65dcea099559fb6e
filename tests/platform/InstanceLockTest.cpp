// The single-instance lock: one holder per user at a time, free again when
// the holder lets go (the process tests end a holding program by force).
#include "platform/InstanceLock.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    InstanceLockTest()
    {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    }
    QTemporaryDir runtime;
    QTemporaryDir cache;
};

TEST_F(InstanceLockTest, SecondHolderIsTurnedAwayUntilTheFirstLetsGo)
{
    TInstanceLock first(QStringLiteral("KorvexWplatomatUnRunning"));
    EXPECT_FALSE(first.AlreadyExists());
    EXPECT_TRUE(first.Path().startsWith(runtime.path()));
    {
        TInstanceLock second(QStringLiteral("KorvexWplatomatUnRunning"));
        EXPECT_TRUE(second.AlreadyExists());
    }
    first.Release();
    TInstanceLock third(QStringLiteral("KorvexWplatomatUnRunning"));
    EXPECT_FALSE(third.AlreadyExists());
}

TEST_F(InstanceLockTest, RuntimeFolderOthersMayEnterGivesWayToAPrivateOneInTheCache)
{
    const QString own = cache.filePath(QStringLiteral("wplatomat"));
    const auto lockFolder = [] {
        return QFileInfo(TInstanceLock(QStringLiteral("KorvexWplatomatUnRunning")).Path()).path();
    };
    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(runtime.path(), ownerOnly | QFile::ExeOther));
    EXPECT_EQ(lockFolder(), own);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(own).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    ASSERT_TRUE(QFile::setPermissions(runtime.path(), ownerOnly));
    // Only root can give a folder away; for others the wrong mode above stands for it.
    if (::chown(QFile::encodeName(runtime.path()).constData(), ::geteuid() + 1, -1) == 0)
        EXPECT_EQ(lockFolder(), own);
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(lockFolder(), own);
}

} // namespace
