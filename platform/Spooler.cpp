#include "platform/Spooler.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace {

// The device address of a queue, which only the spooler itself knows.
QString DeviceUri(const QString& queue)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
    if (!dest)
        return QString();
    const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options);
    const QString result = uri ? QString::fromUtf8(uri) : QString();
    cupsFreeDests(1, dest);
    return result;
}

} // namespace

QList<TSpooler::Queue> TSystemSpooler::Queues() const
{
    QList<Queue> queues;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        queues.append({info.printerName(), info.makeAndModel(), DeviceUri(info.printerName())});
    return queues;
}

QString TSystemSpooler::DefaultQueue() const
{
    return QPrinterInfo::defaultPrinterName();
}

void TSystemSpooler::Select(QPrinter& printer, const QString& queue) const
{
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(queue);
    // Qt keeps the paper and colour the printer had before whenever the new
    // queue supports them too, so the queue's own defaults are set here.
    const QPrinterInfo info = QPrinterInfo::printerInfo(queue);
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
