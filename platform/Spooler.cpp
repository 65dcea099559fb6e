#include "platform/Spooler.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

QList<TSpooler::Queue> TSystemSpooler::Queues() const
{
    if (m_queues)
        return *m_queues;
    m_queues.emplace();
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        const auto option = [&](const char* name) {
            return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
        };
        // An instance, a queue's own set of options, is named as Qt names it.
        QString name = QString::fromUtf8(dest.name);
        if (dest.instance)
            name += QLatin1Char('/') + QString::fromUtf8(dest.instance);
        m_queues->append({name, option("printer-make-and-model"), option("device-uri")});
    }
    cupsFreeDests(count, dests);
    return *m_queues;
}

QString TSystemSpooler::DefaultQueue() const
{
    return QPrinterInfo::defaultPrinterName();
}

const QPrinterInfo& TSystemSpooler::Info(const QString& queue) const
{
    auto known = m_infos.constFind(queue);
    if (known == m_infos.constEnd())
        known = m_infos.insert(queue, QPrinterInfo::printerInfo(queue));
    return *known;
}

std::unique_ptr<QPrinter> TSpooler::MakePrinter(const QString&) const
{
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

std::unique_ptr<QPrinter> TSystemSpooler::MakePrinter(const QString& queue) const
{
    // Given no printer, Qt would read the default queue's driver to find one.
    if (queue.isEmpty())
        return TSpooler::MakePrinter(queue);
    return std::make_unique<QPrinter>(Info(queue), QPrinter::HighResolution);
}

void TSystemSpooler::Select(QPrinter& printer, const QString& queue) const
{
    // Naming the queue it is on already would only read its driver again.
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != queue) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue);
    }
    // Qt keeps the paper and colour the printer had before whenever the new
    // queue supports them too, so the queue's own defaults are set here.
    const QPrinterInfo& info = Info(queue);
    if (info.isNull())
        return;
    const QPageSize paper = info.defaultPageSize();
    if (paper.isValid())
        printer.setPageSize(paper);
    printer.setColorMode(info.defaultColorMode());
}

void TSystemSpooler::PrepareJob(QPrinter& printer, const QString&) const
{
    // The drawing starts at the printable area's corner, as the forms expect.
    printer.setFullPage(false);
    QPageLayout layout = printer.pageLayout();
    layout.setMargins(layout.minimumMargins());
    printer.setPageLayout(layout);
}

TPdfFileSpooler::TPdfFileSpooler(const QString& folder, const QStringList& queues, int dpi,
                                 const QPageSize& paper, const QMarginsF& marginsMm)
    : m_folder(folder), m_queues(queues), m_dpi(dpi), m_paper(paper), m_margins(marginsMm)
{
}

QList<TSpooler::Queue> TPdfFileSpooler::Queues() const
{
    QList<Queue> queues;
    for (const QString& name : m_queues)
        queues.append({name, QStringLiteral("PDF"), QDir(m_folder).filePath(name)});
    return queues;
}

QString TPdfFileSpooler::DefaultQueue() const
{
    return m_queues.value(0);
}

void TPdfFileSpooler::Select(QPrinter& printer, const QString& queue) const
{
    // The printer layer keeps the queue's name: naming the printer here could
    // send settings to a real queue of the same name.
    Q_UNUSED(queue);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(m_dpi);
    printer.setPageLayout(QPageLayout(m_paper, QPageLayout::Portrait, m_margins, QPageLayout::Millimeter,
                                      m_margins));
}

void TPdfFileSpooler::PrepareJob(QPrinter& printer, const QString& queue) const
{
    printer.setFullPage(false);
    printer.setResolution(m_dpi);
    QPageLayout layout = printer.pageLayout();
    layout.setMinimumMargins(m_margins);
    layout.setMargins(m_margins);
    printer.setPageLayout(layout);
    printer.setOutputFileName(NextFile(queue));
}

QString TPdfFileSpooler::JobFile(const QString& queue, int job) const
{
    return QDir(m_folder).filePath(QStringLiteral("%1-%2.pdf").arg(queue).arg(job));
}

int TPdfFileSpooler::JobCount(const QString& queue) const
{
    int n = 0;
    while (QFileInfo::exists(JobFile(queue, n + 1)))
        ++n;
    return n;
}

QString TPdfFileSpooler::NextFile(const QString& queue) const
{
    return JobFile(queue, JobCount(queue) + 1);
}
