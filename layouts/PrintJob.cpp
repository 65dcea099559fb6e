#include "layouts/PrintJob.h"

#include "drawing/BlankData.h"
#include "drawing/Exception.h"
#include "drawing/untBlankObj.h"

TPrintJob::TPrintJob(TBlankObj& obj, const QString& title, TPrinterOrientation orientation)
    : m_obj(obj)
{
    TPrinter& printer = Printer();
    m_obj.SetPrinting(true);
    printer.SetTitle(title);
    printer.SetOrientation(orientation);
    if (!printer.BeginDoc()) {
        m_obj.SetPrinting(false);
        throw Exception(
            QStringLiteral("Nie można rozpocząć drukowania na drukarce „%1”.").arg(printer.PrinterName()));
    }
    m_obj.SetCanvas(&printer.Canvas());
    m_obj.SetDPI(printer.DeviceCaps(LOGPIXELSX));
}

TPrintJob::~TPrintJob()
{
    Printer().EndDoc();
    m_obj.SetPrinting(false);
}

void SetCutPen(const TBlankData& Data, TBlankObj& Obj, TPenStyle Style)
{
    TCanvas* canvas = Obj.Canvas();
    canvas->Brush.Style = bsClear;
    canvas->Pen.Style = Style;
    canvas->Pen.Color = Data.FKolForm;
    Obj.SetPenWidth(0);
}
