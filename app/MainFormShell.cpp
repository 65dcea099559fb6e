#include "app/MainFormUnit.h"

#include "app/Shell_DDE.h"
#include "document/BlankFormUnit.h"
#include "platform/FileName.h"
#include "ui_TMAINFORM.h"

#include <QTimer>

void TMainForm::ProcessCommandLine(const QStringList& arguments)
{
    // From the last argument to the first; the program itself is not one.
    for (int i = int(arguments.size()) - 1; i >= 1; --i) {
        const QString& arg = arguments[i];
        QString command, file, option;
        // Absolute paths here begin with "/": a file that exists is a file.
        if (IsFileByName(arg))
            DoShellCommand(QStringLiteral("Open"), arg, QString());
        else if (ParseShellParam(arg, command, file, option))
            DoShellCommand(command, file, option);
        else if (!arg.isEmpty() && arg.at(0) != QLatin1Char('/') && arg.at(0) != QLatin1Char('-'))
            DoShellCommand(QStringLiteral("Open"), arg, QString());
    }
}

void TMainForm::DoShellCommand(const QString& Command, const QString& FileName, const QString&)
{
    const QString command = Command.toLower();
    const bool print = command == QLatin1String("print");
    // Without a file the factory would make an empty document of no kind.
    if ((command != QLatin1String("open") && !print) || FileName.isEmpty())
        return;
    if (!m_showing) {
        // One slot: a later file replaces an earlier one, while a print once
        // asked stays asked, for whichever file then opens.
        FileToTryOpen = FileName;
        TryToPrint = TryToPrint || print;
        return;
    }
    // Never raises: a command that fails is dropped without a word.
    try {
        TfrmBlank* form = CreateBlankForm(0, FileName);
        // Only the document just read is printed, never another window.
        if (print && form)
            form->Print();
    } catch (...) {
    }
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_showing)
        return;
    m_showing = true;
    ApplyPlacement();
    ProcessCommandLine(m_arguments);
    tmrWizard->start();
}

void TMainForm::tmrWizardTimer()
{
    tmrWizard->stop();
    if (!FileToTryOpen.isEmpty()) {
        TfrmBlank* form = CreateBlankForm(0, FileToTryOpen);
        if (TryToPrint && form)
            PrintDocument(form);
        return;
    }
    if (BlankForms().isEmpty())
        ui->FileNew->trigger();
}
