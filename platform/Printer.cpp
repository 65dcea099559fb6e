#include "platform/Printer.h"

#include <QPainter>
#include <QPrinter>

#include <cmath>

TPrinter::TPrinter()
    : m_spooler(std::make_unique<TSystemSpooler>())
{
    m_name = StartingQueue();
    m_printer = m_spooler->MakePrinter(m_name);
    SelectCurrent();
}

TPrinter::~TPrinter()
{
    if (m_printing)
        Abort();
}

void TPrinter::SetSpooler(std::unique_ptr<TSpooler> spooler)
{
    if (m_printing)
        Abort();
    m_spooler = std::move(spooler);
    m_name = StartingQueue();
    m_printer = m_spooler->MakePrinter(m_name);
    SelectCurrent();
}

QString TPrinter::StartingQueue() const
{
    // Printing needs a current printer whenever one is installed, default or not.
    const QString chosen = m_spooler->DefaultQueue();
    return chosen.isEmpty() ? Printers().value(0) : chosen;
}

void TPrinter::SelectCurrent()
{
    m_driver.clear();
    m_port.clear();
    for (const TSpooler::Queue& q : m_spooler->Queues())
        if (q.name == m_name) {
            m_driver = q.driver;
            m_port = q.port;
        }
    if (!m_name.isEmpty())
        m_spooler->Select(*m_printer, m_name);
    // A newly selected printer starts in its own orientation.
    m_orientation = m_printer->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

QStringList TPrinter::Printers() const
{
    QStringList names;
    for (const TSpooler::Queue& q : m_spooler->Queues())
        names << q.name;
    return names;
}

int TPrinter::PrinterIndex() const
{
    return Printers().indexOf(m_name);
}

void TPrinter::GetPrinter(QString& name, QString& driver, QString& port, QByteArray& devMode) const
{
    name = m_name;
    driver = m_driver;
    port = m_port;
    if (m_name.isEmpty()) {
        devMode.clear();
        return;
    }
    TDevMode mode = DevModeFromPrinter(*m_printer);
    mode.DeviceName = m_name; // a file printer has no name of its own
    devMode = EncodeDevMode(mode);
}

void TPrinter::SetPrinter(const QString& name, const QString& driver, const QString& port, const QByteArray& devMode)
{
    m_name = name;
    SelectCurrent();
    if (!driver.isEmpty())
        m_driver = driver;
    if (!port.isEmpty())
        m_port = port;
    TDevMode mode;
    if (DecodeDevMode(devMode, mode)) {
        ApplyDevMode(mode, *m_printer);
        if (mode.Fields & dmOrientationField)
            m_orientation = mode.Orientation == dmOrientLandscape ? poLandscape : poPortrait;
    }
}

void TPrinter::SetOrientation(TPrinterOrientation orientation)
{
    m_orientation = orientation;
    m_printer->setPageOrientation(orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool TPrinter::BeginDoc()
{
    if (m_printing || m_name.isEmpty())
        return false;
    m_spooler->PrepareJob(*m_printer, m_name);
    m_printer->setPageOrientation(m_orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    m_printer->setDocName(m_title);
    m_canvas.Begin(m_printer.get());
    m_printing = m_canvas.IsActive();
    return m_printing;
}

void TPrinter::NewPage()
{
    if (m_printing)
        m_printer->newPage();
}

void TPrinter::EndDoc()
{
    m_canvas.End();
    m_printing = false;
}

void TPrinter::Abort()
{
    if (m_printing)
        m_printer->abort();
    m_canvas.End();
    m_printing = false;
}

int TPrinter::DeviceCaps(TDeviceCap index) const
{
    const QPrinter& p = *m_printer;
    const QRect paper = p.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = p.pageRect(QPrinter::DevicePixel).toRect();
    const QRectF pageMm = p.pageRect(QPrinter::Millimeter);
    switch (index) {
    case HORZSIZE: return int(std::lround(pageMm.width()));
    case VERTSIZE: return int(std::lround(pageMm.height()));
    case HORZRES: return page.width();
    case VERTRES: return page.height();
    case LOGPIXELSX:
    case LOGPIXELSY: return p.resolution();
    case PHYSICALWIDTH: return paper.width();
    case PHYSICALHEIGHT: return paper.height();
    case PHYSICALOFFSETX: return page.left() - paper.left();
    case PHYSICALOFFSETY: return page.top() - paper.top();
    }
    return 0;
}

int TPrinter::PageWidth() const
{
    return DeviceCaps(HORZRES);
}

int TPrinter::PageHeight() const
{
    return DeviceCaps(VERTRES);
}

QPrinter& TPrinter::QtPrinter()
{
    return *m_printer;
}

void TPrinter::TakeDialogChoice()
{
    const QString chosen = m_printer->printerName();
    if (chosen != m_name && Printers().contains(chosen)) {
        m_name = chosen;
        const TDevMode mode = DevModeFromPrinter(*m_printer);
        SelectCurrent();
        ApplyDevMode(mode, *m_printer);
    }
    m_orientation = m_printer->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

namespace {

std::unique_ptr<TPrinter>& PrinterSlot()
{
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

} // namespace

TPrinter& Printer()
{
    if (!PrinterSlot())
        PrinterSlot() = std::make_unique<TPrinter>();
    return *PrinterSlot();
}

void FinalizePrinter()
{
    PrinterSlot().reset();
}
