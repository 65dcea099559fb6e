#pragma once

#include <QString>

#include <optional>

class TInstanceLock;

// The single-instance lock's name.
inline const QString InstanceLockName = QStringLiteral("KorvexWplatomatUnRunning");

// What the running program tells other processes of the user beside its
// lock: its process and the folder its service listens in, none when the
// service could not start.
struct TRunningProgram {
    qint64 pid = 0;
    QString ddeFolder;
};

void PublishRunningProgram(TInstanceLock& lock, const QString& ddeFolder);
// The program that holds the lock now; nothing when none does, or it has not told yet.
std::optional<TRunningProgram> RunningProgram();
