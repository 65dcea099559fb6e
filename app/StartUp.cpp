#include "app/StartUp.h"

#include "drawing/BackBuffer.h"
#include "drawing/Exception.h"
#include "drawing/untCommon.h"
#include "platform/Printer.h"
#include "printing/untPrinterOperation.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

bool HasDisplay()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

void ReportStartUpError(const QString& message)
{
    if (HasDisplay()) {
        QMessageBox::critical(nullptr, QStringLiteral("Wplatomat"), message);
        return;
    }
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

int RunStartUp()
{
    try {
        InitializeCommonUnit();
    } catch (const Exception& e) {
        ReportStartUpError(e.Message());
        return 1;
    }
    // The drawing units' scratch lists exist from the start; then the
    // previews' bitmap and the printer set-up object.
    InitializeBackBuffer();
    InitializePrinterOperation();
    return 0;
}

void FinishRun()
{
    FinalizePrinterOperation();
    FinalizePrinter();
    FinalizeBackBuffer();
    FinalizeCommonUnit();
}
