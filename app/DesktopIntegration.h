#pragma once

#include <QObject>
#include <QStringList>

class QProcess;

// Publishes the document type to the user's desktop: a MIME type for *.wpt,
// entries that hand its files to wplatomat-shell, the icon, the open entry as
// default. Only files whose contents differ are written, and the desktop's
// databases are rebuilt in the background only when their sources changed.
// Nothing here can stop the start: failures end in a warning.
class TDesktopIntegration : public QObject {
    Q_OBJECT
public:
    // The entries run the client beside the running executable unless told another.
    explicit TDesktopIntegration(QObject* parent = nullptr, const QString& shellPath = QString());

    void Publish();
    // The files the last Publish wrote and the tools it started.
    const QStringList& Written() const { return m_written; }
    const QStringList& Refreshes() const { return m_refreshes; }

signals:
    // Every tool started has ended, killed after its time if need be.
    void RefreshFinished();

private:
    bool WriteIfChanged(const QString& path, const QByteArray& content);
    void Refresh(const QString& program, const QString& folder);
    void RefreshDone(QProcess* process);

    QString m_shellPath;
    QStringList m_written;
    QStringList m_refreshes;
    int m_running = 0;
};
