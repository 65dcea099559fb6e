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
    // The orientation first: the printable area is that of the job's page.
    m_printer->setPageOrientation(m_orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const QString file = m_spooler->NextFile(m_name);
    if (!file.isEmpty())
        m_printer->setOutputFileName(file);
    // Qt keeps the portrait sheet's margins for a landscape page; the canvas is
    // moved to the printable area's corner by the margins of the page as printed.
    m_printer->setFullPage(true);
    m_printer->setDocName(m_title);
    m_canvas.Begin(m_printer.get());
    m_printing = m_canvas.IsActive();
    if (m_printing)
        m_canvas.Painter()->translate(DeviceCaps(PHYSICALOFFSETX), DeviceCaps(PHYSICALOFFSETY));
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

QMarginsF TPrinter::PageMargins() const
{
    const QMarginsF m = m_spooler->PortraitMargins(*m_printer, m_name);
    if (m_printer->pageLayout().orientation() != QPageLayout::Landscape)
        return m;
    // The landscape page turned a quarter to the left onto the sheet, as
    // drivers turn it: its top along the sheet's left edge, its left along
    // the sheet's bottom.
    return {m.bottom(), m.left(), m.top(), m.right()};
}

int TPrinter::DeviceCaps(TDeviceCap index) const
{
    constexpr double PointsPerInch = 72.0;
    constexpr double MmPerPoint = 25.4 / PointsPerInch;
    const QPrinter& p = *m_printer;
    const int dpi = p.resolution();
    const QMarginsF marginsPt = PageMargins();
    const auto px = [dpi](double pt) { return int(std::lround(pt * dpi / PointsPerInch)); };
    const QRect paper = p.paperRect(QPrinter::DevicePixel).toRect();
    const QSizeF paperPt = p.pageLayout().fullRectPoints().size();
    switch (index) {
    case HORZSIZE: return int(std::lround((paperPt.width() - marginsPt.left() - marginsPt.right()) * MmPerPoint));
    case VERTSIZE: return int(std::lround((paperPt.height() - marginsPt.top() - marginsPt.bottom()) * MmPerPoint));
    case HORZRES: return paper.width() - px(marginsPt.left()) - px(marginsPt.right());
    case VERTRES: return paper.height() - px(marginsPt.top()) - px(marginsPt.bottom());
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case PHYSICALWIDTH: return paper.width();
    case PHYSICALHEIGHT: return paper.height();
    case PHYSICALOFFSETX: return px(marginsPt.left());
    case PHYSICALOFFSETY: return px(marginsPt.top());
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
        TDevMode mode = DevModeFromPrinter(*m_printer);
        // The resolution was the earlier printer's; the new one prints at its own.
        mode.Fields &= ~dmPrintQualityField;
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
