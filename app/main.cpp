#include "app/MainFormUnit.h"
#include "app/ProgramIcon.h"
#include "app/RunningProgram.h"
#include "app/StartUp.h"
#include "app/untNewBlank.h"
#include "platform/Dde.h"
#include "platform/FileName.h"
#include "platform/InstanceLock.h"
#include "platform/RegistryFile.h"
#include "printing/untPrintSelect.h"
#include "printing/untPrintSelect2.h"

#include <QAction>
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <csignal>
#include <memory>

int main(int argc, char* argv[])
{
    // Started by a launcher or the shell client, the program keeps their
    // standard streams: once those pipes close, a warning written there must
    // fail quietly rather than end the program with the user's work.
    std::signal(SIGPIPE, SIG_IGN);
    // Nothing else runs until the toolkit is up: its start sets the locale
    // and the environment, which no other thread may be reading meanwhile.
    QApplication app(argc, argv);
    // The program speaks Polish, so do the platform's own dialogs (file,
    // colour and print dialogs, message box buttons) whatever the locale.
    QTranslator platformTexts;
    if (platformTexts.load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&platformTexts);
    const int startUp = RunStartUp();
    if (startUp != 0)
        return startUp;

    // A second instance ends at once and silently; documents reach the
    // running one through the shell, not through a second process.
    TInstanceLock instance(InstanceLockName);
    if (instance.AlreadyExists()) {
        FinishRun();
        return 0;
    }

    // The application's title; the windows' own captions stay as they are.
    QApplication::setApplicationName(QStringLiteral("Wplatomat"));
    // Every window, documents and dialogs included, shows it unless it sets its own.
    QApplication::setWindowIcon(ProgramIcon());
    // The start rewrites its settings and the file-type registration as they
    // were: the file is saved once, and only when that changed something.
    RegistryHold startSettings;
    auto mainForm = std::make_unique<TMainForm>();
    // Qt's own arguments would have lost the bytes of a name that is not UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << DecodeFileName(argv[i]);
    mainForm->SetCommandLine(arguments);
    // The shell reads the registration once the service answers.
    startSettings.end();
    // Holding the lock, this instance alone serves the documents of the shell.
    PublishRunningProgram(instance, mainForm->StartDdeService() ? DdeSocketFolder() : QString());
    TMainForm* main = mainForm.get();
    const auto printerSettings = [main] { main->Action("FilePrinterSettings")->trigger(); };
    InitializePrintSelect(printerSettings);
    InitializePrintSelectWpl(printerSettings);

    mainForm->show();
    // Wanted first when the start timer fires, so made while the program waits for it.
    InitializeNewBlank(mainForm.get());
    frmNewBlank()->SetRecentMenu(mainForm->ReOpenMenu());
    const int result = app.exec();
    instance.Release();

    FinalizePrintSelectWpl();
    FinalizePrintSelect();
    FinalizeNewBlank();
    mainForm.reset();
    FinishRun();
    return result;
}
