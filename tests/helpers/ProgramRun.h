#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <optional>

// A child process of the test: started with an environment of its own, its
// merged output kept in a file (a full pipe can never stall it), every wait
// bounded. The destructor kills it when it still runs, so a failing test
// leaves nothing behind; should the test process die first, the kernel sends
// the child SIGTERM.
class ProgramRun {
public:
    ProgramRun();
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // The test's own environment with the given changes; an empty value removes the variable.
    static QProcessEnvironment Environment(const QList<QPair<QString, QString>>& changes);

    // inheritFd, when not negative, stays open in the child (for servers that report on a descriptor).
    bool Start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
               int inheritFd = -1);
    bool Running() const;
    qint64 Pid() const { return m_pid; }
    // The exit code once the process ended on its own; nullopt when it still
    // runs at the deadline or died of a signal.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    bool Crashed() const;
    // Sends the signal and waits for the end; SIGKILL follows when it outlives the timeout.
    bool Stop(int signal, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    QString Output() const;
    QString Error() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    qint64 m_pid = 0;
    QString m_error;
};

// An X server of the test's own (Xvfb) on a display number it picks itself,
// so that tests running in parallel never share a screen.
class PrivateDisplay {
public:
    ~PrivateDisplay() { Stop(); }

    // Whether Xvfb and xwd are installed.
    static bool Installed();
    bool Start(int width, int height, std::chrono::milliseconds timeout = std::chrono::seconds(30));
    void Stop();
    // ":N", for DISPLAY.
    QString Name() const { return m_name; }
    // The whole screen as xwd reads it; a null image with Error() on failure.
    QImage Grab(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    QString Error() const { return m_error; }

private:
    ProgramRun m_server;
    QString m_name;
    QString m_error;
};

// The X window dump xwd writes of a 24-bit screen (24 or 32 bits per pixel,
// 8 bits a channel); a null image with error set for anything else.
QImage ReadXwd(const QByteArray& bytes, QString* error);
