#include "platform/Spooler.h"

#include "platform/CupsLibrary.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace {

constexpr int DriverlessDpi = 300; // what CUPS itself assumes when a driver names no resolution
constexpr double CmPerInch = 2.54;

QSize ResolutionOf(ipp_attribute_t* attribute)
{
    if (!attribute || Cups().GetValueTag(attribute) != IPP_TAG_RESOLUTION)
        return {};
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = Cups().GetResolution(attribute, 0, &y, &units);
    if (units != IPP_RES_PER_CM)
        return {x, y};
    return {int(std::lround(x * CmPerInch)), int(std::lround(y * CmPerInch))};
}

// "600dpi", "5760x1440dpi": horizontal by vertical; empty when it says neither.
QSize ResolutionOf(const char* option)
{
    const QString text = QString::fromUtf8(option).trimmed().toLower();
    if (!text.endsWith(QLatin1String("dpi")))
        return {};
    const QStringList figures = text.chopped(3).split(QLatin1Char('x'));
    const int x = figures.value(0).toInt();
    return {x, figures.size() > 1 ? figures.value(1).toInt() : x};
}

// The resolution a queue's driver prints at unless told otherwise: the
// queue's own default, else what the spooler assumes for a driver that names none.
QSize QueueResolution(const QString& queue)
{
    const TCupsLibrary& cups = Cups();
    cups_dest_t* dest = cups.Loaded() ? cups.GetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr)
                                      : nullptr;
    if (!dest)
        return {DriverlessDpi, DriverlessDpi};
    // A default the queue's owner set beats the driver's own.
    QSize dpi;
    for (const char* name : {"printer-resolution", "Resolution"})
        if (dpi.isEmpty())
            dpi = ResolutionOf(cups.GetOption(name, dest->num_options, dest->options));
    if (dpi.isEmpty()) {
        if (cups_dinfo_t* info = cups.CopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
            dpi = ResolutionOf(cups.FindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution"));
            cups.FreeDestInfo(info);
        }
    }
    cups.FreeDests(1, dest);
    return dpi.isEmpty() ? QSize(DriverlessDpi, DriverlessDpi) : dpi;
}

} // namespace

QList<TSpooler::Queue> TSystemSpooler::Queues() const
{
    if (m_queues)
        return *m_queues;
    m_queues.emplace();
    const TCupsLibrary& cups = Cups();
    if (!cups.Loaded())
        return *m_queues;
    cups_dest_t* dests = nullptr;
    const int count = cups.GetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        const auto option = [&](const char* name) {
            return QString::fromUtf8(cups.GetOption(name, dest.num_options, dest.options));
        };
        // An instance, a queue's own set of options, is named as Qt names it.
        QString name = QString::fromUtf8(dest.name);
        if (dest.instance)
            name += QLatin1Char('/') + QString::fromUtf8(dest.instance);
        m_queues->append({name, option("printer-make-and-model"), option("device-uri")});
    }
    cups.FreeDests(count, dests);
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
    return std::make_unique<QPrinter>();
}

QString TSpooler::NextFile(const QString&) const
{
    return QString();
}

std::unique_ptr<QPrinter> TSystemSpooler::MakePrinter(const QString& queue) const
{
    // Given no printer, Qt would read the default queue's driver to find one.
    if (queue.isEmpty())
        return TSpooler::MakePrinter(queue);
    return std::make_unique<QPrinter>(Info(queue));
}

void TSystemSpooler::Select(QPrinter& printer, const QString& queue) const
{
    // Naming the queue it is on already would only read its driver again.
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != queue) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue);
    }
    // Qt would draw at a resolution of its own; the job is drawn at the one
    // the queue rasterises at, so one device pixel is one printed dot (across,
    // where the driver's dots are taller than wide).
    printer.setResolution(Resolution(queue).width());
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

QSize TSystemSpooler::Resolution(const QString& queue) const
{
    auto dpi = m_resolutions.constFind(queue);
    if (dpi == m_resolutions.constEnd())
        dpi = m_resolutions.insert(queue, QueueResolution(queue));
    return *dpi;
}

QMarginsF TSystemSpooler::PortraitMargins(const QPrinter& printer, const QString&) const
{
    // Qt has them from the driver for the portrait sheet, whatever the orientation.
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    return layout.minimumMargins();
}

TPdfFileSpooler::TPdfFileSpooler(const QString& folder, const QStringList& queues, int dpi,
                                 const QPageSize& paper, const QMarginsF& marginsMm, int yDpi)
    : m_folder(folder), m_queues(queues), m_dpi(dpi, yDpi > 0 ? yDpi : dpi), m_paper(paper), m_margins(marginsMm)
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
    printer.setResolution(m_dpi.width());
    printer.setPageLayout(QPageLayout(m_paper, QPageLayout::Portrait, m_margins, QPageLayout::Millimeter,
                                      m_margins));
}

QSize TPdfFileSpooler::Resolution(const QString&) const
{
    return m_dpi;
}

QMarginsF TPdfFileSpooler::PortraitMargins(const QPrinter&, const QString&) const
{
    constexpr double PointsPerMm = 72 / 25.4;
    return m_margins * PointsPerMm;
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
