#pragma once

#include "platform/Canvas.h"
#include "platform/DevMode.h"
#include "platform/Spooler.h"

#include <QByteArray>
#include <QMarginsF>
#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;

enum TPrinterOrientation { poPortrait, poLandscape };

// Device capabilities of the printer, by the other platform's index numbers.
enum TDeviceCap {
    HORZSIZE = 4,         // printable width in mm
    VERTSIZE = 6,         // printable height in mm
    HORZRES = 8,          // printable width in pixels
    VERTRES = 10,         // printable height in pixels
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
    PHYSICALWIDTH = 110,  // paper width in pixels
    PHYSICALHEIGHT = 111, // paper height in pixels
    PHYSICALOFFSETX = 112, // paper corner to printable area, pixels
    PHYSICALOFFSETY = 113,
};

// The program's one printer: the current printer with its device settings,
// and the print job on it. The canvas's origin is the printable area's
// corner, as on the platform the forms were made for.
class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Tests and tools replace the system spooler; the current printer is taken
    // anew: the default queue, else the first installed one.
    void SetSpooler(std::unique_ptr<TSpooler> spooler);
    const TSpooler& Spooler() const { return *m_spooler; }

    // Names of the installed printers in the spooler's order; empty when none.
    QStringList Printers() const;
    int PrinterIndex() const;
    QString PrinterName() const { return m_name; }

    // The current printer's identity and a copy of its device-mode block.
    void GetPrinter(QString& name, QString& driver, QString& port, QByteArray& devMode) const;
    // Makes the printer current with these settings; an empty or short block
    // leaves the printer's own defaults.
    void SetPrinter(const QString& name, const QString& driver, const QString& port, const QByteArray& devMode);

    TPrinterOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TPrinterOrientation orientation);
    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }

    // Starts a job with its first page; false when the printer refuses it.
    bool BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const { return m_printing; }
    TCanvas& Canvas() { return m_canvas; }

    int DeviceCaps(TDeviceCap index) const;
    // The resolution the current queue's driver prints at, horizontal by
    // vertical dots per inch. The canvas is LOGPIXELSX both ways, so a driver
    // whose dots are taller than wide gets a finer canvas down than it prints.
    QSize DriverResolution() const { return m_spooler->Resolution(m_name); }
    int PageWidth() const;
    int PageHeight() const;

    // The printer the set-up dialog edits; read back with TakeDialogChoice.
    QPrinter& QtPrinter();
    void TakeDialogChoice();

private:
    QString StartingQueue() const;
    // The unprintable margins of the page in its orientation, in points.
    QMarginsF PageMargins() const;
    void SelectCurrent();

    std::unique_ptr<TSpooler> m_spooler;
    std::unique_ptr<QPrinter> m_printer;
    QString m_name;
    QString m_driver;
    QString m_port;
    TPrinterOrientation m_orientation = poPortrait;
    QString m_title;
    bool m_printing = false;
    TCanvas m_canvas;
};

// The program-wide printer object, made at first use; released before the
// application object goes, with the other program-wide objects.
TPrinter& Printer();
void FinalizePrinter();
