// The single-instance lock: one holder per user at a time, free again when
// the holder lets go (the process tests end a holding program by force).
#include "platform/InstanceLock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(InstanceLock, SecondHolderIsTurnedAwayUntilTheFirstLetsGoAndOnlyAPrivateFolderHoldsIt)
{
    QTemporaryDir runtime, cache;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    TInstanceLock first(QStringLiteral("KorvexWplatomatUnRunning"));
    EXPECT_FALSE(first.AlreadyExists());
    EXPECT_TRUE(first.Path().startsWith(runtime.path()));
    EXPECT_TRUE(TInstanceLock(QStringLiteral("KorvexWplatomatUnRunning")).AlreadyExists());
    first.Release();
    EXPECT_FALSE(TInstanceLock(QStringLiteral("KorvexWplatomatUnRunning")).AlreadyExists());
    // A runtime folder others may enter, or none, gives way to a private one in the cache.
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    const QString own = cache.filePath(QStringLiteral("wplatomat/Wplatomat.lock"));
    ASSERT_TRUE(QFile::setPermissions(runtime.path(), QFile::permissions(runtime.path()) | QFile::ExeOther));
    EXPECT_EQ(TInstanceLock(QStringLiteral("Wplatomat")).Path(), own);
    EXPECT_EQ(QFile::permissions(cache.filePath(QStringLiteral("wplatomat"))) & 0x0077, 0); // no group or others
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(TInstanceLock(QStringLiteral("Wplatomat")).Path(), own);
}
