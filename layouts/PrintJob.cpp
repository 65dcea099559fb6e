#include "layouts/PrintJob.h"

#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"

TPrintJob::TPrintJob(TfrmBlank* form, const QString& title, TPrinterOrientation orientation)
    : m_form(form)
{
    TPrinter& printer = Printer();
    m_form->BlankObj.SetPrinting(true);
    printer.SetTitle(title);
    printer.SetOrientation(orientation);
    if (!printer.BeginDoc()) {
        m_form->BlankObj.SetPrinting(false);
        throw Exception(QStringLiteral("Nie można rozpocząć drukowania na drukarce „%1”.").arg(printer.PrinterName()));
    }
    m_form->BlankObj.SetCanvas(&printer.Canvas());
    m_form->BlankObj.SetDPI(printer.DeviceCaps(LOGPIXELSX));
}

TPrintJob::~TPrintJob()
{
    Printer().EndDoc();
    m_form->BlankObj.SetPrinting(false);
}
