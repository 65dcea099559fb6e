#include "app/RunningProgram.h"

#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QStringList>

#include <cerrno>
#include <csignal>

void PublishRunningProgram(TInstanceLock& lock, const QString& ddeFolder)
{
    lock.Publish(QString::number(QCoreApplication::applicationPid()) + QLatin1Char('\n') + ddeFolder);
}

std::optional<TRunningProgram> RunningProgram()
{
    const QStringList lines = TInstanceLock::Published(InstanceLockName).split(QLatin1Char('\n'));
    bool number = false;
    const qint64 pid = lines.value(0).toLongLong(&number);
    // The text outlives its writer; a process that is gone has no service.
    if (lines.size() != 2 || !number || pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM))
        return std::nullopt;
    return TRunningProgram{pid, lines[1]};
}
