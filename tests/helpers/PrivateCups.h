#pragma once

#include <QByteArray>
#include <QMarginsF>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <chrono>

// A CUPS daemon of the test's own in a temporary folder: its own
// configuration, spool, logs and a unix socket there, no network, no
// browsing. While it runs, CUPS_SERVER points this process (libcups, Qt's
// printer support, the lp tools) at it; the machine's own printing set-up is
// never read or written. Every instance has its own folder and socket, so
// tests running in parallel never meet. The destructor stops the daemon and
// restores CUPS_SERVER, also when a test fails half way.
class PrivateCups {
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Whether cupsd and the lp tools are installed at all.
    static bool Installed();
    // The driver of the cups-pdf package, or empty when it is not installed.
    static QString CupsPdfPpd();

    // Starts the daemon and waits until it answers; false with Error() when
    // it does not within the timeout.
    bool Start(std::chrono::milliseconds timeout = std::chrono::seconds(60));
    void Stop();
    bool Running() const;

    // A queue of the daemon, enabled and accepting jobs.
    bool AddQueue(const QString& name, const QString& deviceUri, const QString& ppdPath);
    // A queue that writes every job's PDF unchanged into file (the last job
    // wins), through a driver of the given model with A4 and Letter paper,
    // defaultPaper being one of them, whose printable area leaves marginsPt
    // (left, top, right, bottom, in points, on the portrait sheet) unprintable.
    bool AddPdfFileQueue(const QString& name, const QString& file, const QString& model,
                         const QMarginsF& marginsPt, const QString& defaultPaper);

    // Waits until the daemon has finished jobs jobs of the queue and has none
    // pending; false with Error() when one of them failed or time ran out.
    bool WaitForJobs(const QString& queue, int jobs, std::chrono::milliseconds timeout = std::chrono::seconds(60));

    QString Socket() const;
    // A folder for the queues' output, writable by the daemon.
    QString OutputFolder() const;
    QString Error() const { return m_error; }
    // The daemon's own log, for failure messages.
    QString Log() const;

private:
    bool Run(const QString& program, const QStringList& arguments, QString* output = nullptr);
    bool WriteConfiguration();
    QString Path(const QString& name) const;

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_error;
    QByteArray m_oldServer;
    bool m_hadOldServer = false;
    bool m_serverSet = false;
};
