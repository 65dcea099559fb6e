// The single-instance lock: one holder per user and registry at a time, free again when the holder lets go.
#include "platform/InstanceLock.h"

#include "helpers/TempConfig.h"

#include <QTemporaryDir>

#include <unistd.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(InstanceLock, OneHolderPerRegistryWhateverTheRuntimeFolderAndOnlyInAFolderOfOurOwn)
{
    TempConfig config;
    QTemporaryDir runtime;
    const QString name = u"KorvexWplatomatUnRunning"_s;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    TInstanceLock first(name);
    EXPECT_FALSE(first.AlreadyExists());
    EXPECT_EQ(first.Path(), config.Path() + "/KORVEX/Wplatomat/KorvexWplatomatUnRunning.lock");
    // At most 4 KiB, which a reader takes whole; a shorter text replaces it whole.
    EXPECT_TRUE(first.Publish(QString(4097, u'p')));
    EXPECT_EQ(TInstanceLock::Published(name), QString(4096, u'p'));
    EXPECT_TRUE(first.Publish(u"/run/user/1000/dde"_s));
    // Another start of the same user, from cron or `env -i`, meets the same lock.
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_TRUE(TInstanceLock(name).AlreadyExists());
    EXPECT_EQ(TInstanceLock::Published(name), u"/run/user/1000/dde"_s);
    first.Release();
    EXPECT_EQ(TInstanceLock::Published(name), QString());
    // A holder that was killed leaves its text behind, which the next holder clears.
    QFile left(first.Path());
    ASSERT_TRUE(left.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    ASSERT_GT(left.write("4321\n/run/user/1000/dde"), 0);
    const TInstanceLock next(name);
    EXPECT_FALSE(next.AlreadyExists());
    EXPECT_EQ(TInstanceLock::Published(name), QString());
    // Our folder that an earlier start left open to others is closed again before the lock is taken; a lock
    // file planted there meanwhile by another user is not heeded.
    const QString folder = config.Path() + "/KORVEX/Wplatomat";
    const QFileDevice::Permissions own = QFile::permissions(folder);
    for (QFileDevice::Permission others : {QFile::WriteGroup, QFile::WriteOther}) {
        ASSERT_TRUE(QFile::setPermissions(folder, own | others));
        EXPECT_TRUE(TInstanceLock(name).AlreadyExists());
        EXPECT_EQ(QFile::permissions(folder), own);
    }
    if (::geteuid() == 0 && ::chown(QFile::encodeName(next.Path()).constData(), 65534, 65534) == 0) {
        EXPECT_FALSE(TInstanceLock::IsHeld(name));
        TInstanceLock planted(name);
        EXPECT_FALSE(planted.AlreadyExists());
        EXPECT_EQ(planted.Path(), QString());
    }
}
