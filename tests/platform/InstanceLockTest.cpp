// The single-instance lock: one holder per user at a time, free again when
// the holder lets go (the process tests end a holding program by force).
#include "platform/InstanceLock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    InstanceLockTest() { qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit()); }
    QTemporaryDir runtime, cache;
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
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    const QString own = cache.filePath(QStringLiteral("wplatomat/Wplatomat.lock"));
    ASSERT_TRUE(QFile::setPermissions(runtime.path(), QFile::permissions(runtime.path()) | QFile::ExeOther));
    EXPECT_EQ(TInstanceLock(QStringLiteral("Wplatomat")).Path(), own);
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(TInstanceLock(QStringLiteral("Wplatomat")).Path(), own);
}

} // namespace
