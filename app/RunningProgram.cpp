#include "app/RunningProgram.h"

#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QStringList>

void PublishRunningProgram(TInstanceLock& lock, const QString& ddeFolder)
{
    lock.Publish(QString::number(QCoreApplication::applicationPid()) + QLatin1Char('\n') + ddeFolder);
}

std::optional<TRunningProgram> RunningProgram()
{
    // The lock, never the text: a killed holder leaves its text behind, and
    // its process number may be anyone's by now.
    if (!TInstanceLock::IsHeld(InstanceLockName))
        return std::nullopt;
    const QStringList lines = TInstanceLock::Published(InstanceLockName).split(QLatin1Char('\n'));
    bool number = false;
    const qint64 pid = lines.value(0).toLongLong(&number);
    if (lines.size() != 2 || !number || pid <= 0)
        return std::nullopt;
    return TRunningProgram{pid, lines[1]};
}
