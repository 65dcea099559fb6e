#pragma once

#include <QImage>
#include <QProcess>

#include <chrono>
#include <csignal>
#include <optional>

// A child process with the test's environment plus changes (an empty value removes a variable), its output merged.
// It ends with the object, or with the test should that die first.
class ProgramRun : public QProcess {
public:
    using Changes = QList<QPair<QString, QString>>;
    ProgramRun() { setProcessChannelMode(MergedChannels); }
    bool Start(const QString& program, const QStringList& arguments, const Changes& environment = {});
    bool Running();
    // The exit code once it ended on its own; nullopt while it runs or when a signal ended it.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    bool Crashed() const { return state() == NotRunning && exitStatus() == CrashExit; }
    // Sends the signal; SIGKILL follows when the process outlives the timeout.
    bool Stop(int signal, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    QString Output();

private:
    QByteArray m_output;
};

// Empty when every tool is on the path, else which are not, so that a test fails rather than waits on a tool.
QString MissingTools(const QStringList& tools);

// An X server of the test's own (Xvfb) on a display number it picks itself: tests in parallel never share one.
class PrivateDisplay {
public:
    // SIGTERM lets the server remove its lock file and socket.
    ~PrivateDisplay() { m_server.Stop(SIGTERM); }
    bool Start(int width, int height);
    // ":N", for DISPLAY.
    QString Name() const { return m_name; }
    // The whole screen as xwd dumps it; a null image with Error() on failure.
    QImage Grab();
    QString Error() const { return m_error; }

private:
    ProgramRun m_server;
    QString m_name;
    QString m_error;
};
