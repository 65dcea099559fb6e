#pragma once

#include <QProcess>
#include <QTemporaryDir>

// A CUPS daemon of the test's own in a temporary folder, on a unix socket there, set up from the fixtures in
// dataFolder. CUPS_SERVER points this process at it, so the machine's printers are never used; the destructor stops
// it and restores CUPS_SERVER.
class PrivateCups {
public:
    explicit PrivateCups(const QString& dataFolder);
    ~PrivateCups();
    // Whether cupsd and the lp tools are installed at all.
    static bool Installed();
    bool Start();
    // An enabled queue; without a driver, the fixture pdf-file.ppd copies every job's PDF to the device file.
    // Options ("Resolution=600dpi") become the queue's defaults.
    bool AddQueue(const QString& name, const QString& deviceUri, const QString& ppdPath = QString(),
                  const QStringList& options = {});
    // Until jobs jobs of the queue have finished and none is pending.
    bool WaitForJobs(const QString& queue, int jobs);
    QString OutputFolder() const { return m_dir.filePath(QStringLiteral("out")); }
    // What went wrong, with the end of the daemon's log.
    QString Error() const;

private:
    bool Run(const QString& tool, const QStringList& arguments, QString* output = nullptr);

    QString m_data;
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_error;
    QByteArray m_oldServer;
};
