// The single-instance lock: one holder per user at a time, free again when
// the holder lets go or its process ends.
#include "platform/InstanceLock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    InstanceLockTest() { qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit()); }
    QTemporaryDir runtime;
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

TEST_F(InstanceLockTest, LockOfAKilledProcessIsFreeAgain)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TInstanceLock held(QStringLiteral("KorvexWplatomatUnRunning"));
        const char ok = held.AlreadyExists() ? 'n' : 'y';
        (void)!write(ready[1], &ok, 1);
        pause();
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, 'y');
    EXPECT_TRUE(TInstanceLock(QStringLiteral("KorvexWplatomatUnRunning")).AlreadyExists());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(TInstanceLock(QStringLiteral("KorvexWplatomatUnRunning")).AlreadyExists());
    close(ready[0]);
    close(ready[1]);
}

} // namespace
