#pragma once

#include <QHash>
#include <QMarginsF>
#include <QPageSize>
#include <QPrinterInfo>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QPrinter;

// Where print jobs go: the installed queues and how a printer is set up to
// print into one of them.
class TSpooler {
public:
    struct Queue {
        QString name;
        QString driver; // make and model
        QString port;   // device address
    };

    virtual ~TSpooler() = default;
    // The installed queues, in the spooler's order.
    virtual QList<Queue> Queues() const = 0;
    virtual QString DefaultQueue() const = 0;
    // A printer set up for the queue when it names one.
    virtual std::unique_ptr<QPrinter> MakePrinter(const QString& queue) const;
    // Points printer at the queue with the queue's own defaults, its
    // resolution included.
    virtual void Select(QPrinter& printer, const QString& queue) const = 0;
    // The resolution the queue's driver prints at, horizontal by vertical
    // dots per inch; the printer is set to the horizontal figure.
    virtual QSize Resolution(const QString& queue) const = 0;
    // The file the queue's next job writes; none where the spooler takes the job.
    virtual QString NextFile(const QString& queue) const;
    // The unprintable margins of the sheet in portrait, in points: left, top,
    // right, bottom.
    virtual QMarginsF PortraitMargins(const QPrinter& printer, const QString& queue) const = 0;
};

// The system's print spooler (CUPS). A queue's driver (its PPD) costs a
// request and a file to read, and Qt reads it again for every QPrinterInfo
// and printer it makes: the queue list comes from the spooler's own records,
// and list and drivers are kept for the spooler's life, so a start reads the
// current queue's driver once here and once in the printer's engine.
class TSystemSpooler : public TSpooler {
public:
    QList<Queue> Queues() const override;
    QString DefaultQueue() const override;
    std::unique_ptr<QPrinter> MakePrinter(const QString& queue) const override;
    void Select(QPrinter& printer, const QString& queue) const override;
    QSize Resolution(const QString& queue) const override;
    QMarginsF PortraitMargins(const QPrinter& printer, const QString& queue) const override;

private:
    const QPrinterInfo& Info(const QString& queue) const;

    mutable std::optional<QList<Queue>> m_queues;
    mutable QHash<QString, QPrinterInfo> m_infos;
    mutable QHash<QString, QSize> m_resolutions;
};

// Queues that write PDF files, with a given resolution (yDpi 0: as across),
// paper and unprintable margins, for tests and tools. Job n of a queue goes
// to <folder>/<queue>-<n>.pdf.
class TPdfFileSpooler : public TSpooler {
public:
    TPdfFileSpooler(const QString& folder, const QStringList& queues, int dpi, const QPageSize& paper,
                    const QMarginsF& marginsMm, int yDpi = 0);
    QList<Queue> Queues() const override;
    QString DefaultQueue() const override;
    void Select(QPrinter& printer, const QString& queue) const override;
    QSize Resolution(const QString& queue) const override;
    QMarginsF PortraitMargins(const QPrinter& printer, const QString& queue) const override;
    QString NextFile(const QString& queue) const override;
    // How many jobs the queue wrote.
    int JobCount(const QString& queue) const;
    QString JobFile(const QString& queue, int job) const;

private:
    QString m_folder;
    QStringList m_queues;
    QSize m_dpi;
    QPageSize m_paper;
    QMarginsF m_margins;
};
