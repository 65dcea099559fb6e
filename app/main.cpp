#include "app/MainFormUnit.h"
#include "app/StartUp.h"
#include "app/untNewBlank.h"
#include "platform/InstanceLock.h"
#include "printing/untPrintSelect.h"

#include <QAction>
#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int startUp = RunStartUp();
    if (startUp != 0)
        return startUp;

    // A second instance ends at once and silently; documents reach the
    // running one through the shell, not through a second process.
    TInstanceLock instance(QStringLiteral("KorvexWplatomatUnRunning"));
    if (instance.AlreadyExists()) {
        FinishRun();
        return 0;
    }

    // The application's title; the windows' own captions stay as they are.
    QApplication::setApplicationName(QStringLiteral("Wplatomat"));
    auto mainForm = std::make_unique<TMainForm>();
    InitializeNewBlank(mainForm.get());
    frmNewBlank()->SetRecentMenu(mainForm->ReOpenMenu());
    InitializePrintSelect();
    TMainForm* main = mainForm.get();
    frmPrintSelect()->OnPrinterSettings = [main] { main->Action("FilePrinterSettings")->trigger(); };

    mainForm->show();
    const int result = app.exec();
    instance.Release();

    FinalizePrintSelect();
    FinalizeNewBlank();
    mainForm.reset();
    FinishRun();
    return result;
}
