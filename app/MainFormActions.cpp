#include "app/MainFormUnit.h"

#include "app/AboutBoxUnit.h"
#include "app/untNewBlank.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "drawing/untCommon.h"
#include "platform/FileName.h"
#include "platform/QuestionBox.h"
#include "printing/PrinterSetupDialog.h"
#include "printing/untPrinterOperation.h"
#include "ui_TMAINFORM.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QString FileFilter = QStringLiteral("Wplatomat (*.wpt);;Wszystkie pliki (*)");
const QString DefaultSuffix = QStringLiteral("wpt");

// The reason a save in place was refused, and whether to save under another name instead.
bool AskSaveElsewhere(QWidget* parent, const QString& caption, const QString& reason)
{
    return AskQuestion(parent, QMessageBox::Warning, caption,
                       reason + QStringLiteral("\n\nCzy zapisać dokument pod inną nazwą?"),
                       QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

// The user's documents folder where it exists, the home folder otherwise:
// the dialog would take a missing folder's name for the file's.
QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

void TMainForm::ConnectActions()
{
    connect(ui->FileNew, &QAction::triggered, this, &TMainForm::FileNewExecute);
    connect(ui->FileOpen, &QAction::triggered, this, &TMainForm::FileOpenExecute);
    connect(ui->FileClose, &QAction::triggered, this, &TMainForm::FileCloseExecute);
    connect(ui->FileSave, &QAction::triggered, this, &TMainForm::FileSaveExecute);
    connect(ui->FileSaveAs, &QAction::triggered, this, &TMainForm::FileSaveAsExecute);
    connect(ui->FilePrint, &QAction::triggered, this, &TMainForm::FilePrintExecute);
    connect(ui->FilePrinterSettings, &QAction::triggered, this, &TMainForm::FilePrinterSettingsExecute);
    connect(ui->FileExit, &QAction::triggered, this, &QWidget::close);
    connect(ui->ViewScaleUp, &QAction::triggered, this, &TMainForm::ViewScaleUpExecute);
    connect(ui->ViewScaleDown, &QAction::triggered, this, &TMainForm::ViewScaleDownExecute);
    connect(ui->ViewReverse, &QAction::triggered, this, &TMainForm::ViewReverseExecute);
    connect(ui->WindowCascade, &QAction::triggered, ui->MdiArea, &QMdiArea::cascadeSubWindows);
    connect(ui->WindowHorizontal, &QAction::triggered, this, [this] { WindowTile(Qt::Horizontal); });
    connect(ui->WindowVertical, &QAction::triggered, this, [this] { WindowTile(Qt::Vertical); });
    connect(ui->HelpContents, &QAction::triggered, this, &TMainForm::HelpContentsExecute);
    connect(ui->HelpAbout, &QAction::triggered, this, [this] { ShowAboutBox(this); });
}

void TMainForm::FileNewExecute()
{
    TfrmNewBlank* chooser = frmNewBlank();
    if (!chooser || chooser->exec() != QDialog::Accepted)
        return;
    if (chooser->BlankKind == 0)
        ui->FileOpen->trigger();
    else
        CreateBlankForm(quint16(chooser->BlankKind), QString());
}

void TMainForm::FileOpenExecute()
{
    QFileDialog dialog(this, QString(), QString(), FileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A name of no existing file is taken too: the reader then says why it
    // cannot be opened.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    OpenFile(dialog.selectedFiles().first());
}

void TMainForm::OpenFile(const QString& FileName)
{
    // One file in two windows would lose one window's edits, however the path was written.
    const QString wanted = QFileInfo(FileName).canonicalFilePath();
    for (TfrmBlank* form : BlankForms()) {
        if (!wanted.isEmpty() && QFileInfo(form->FileName()).canonicalFilePath() == wanted) {
            ShowNotice(QStringLiteral("Wskazany plik jest już otwarty."));
            if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
                ui->MdiArea->setActiveSubWindow(sub);
            return;
        }
    }
    QString error;
    if (!CreateBlankForm(0, FileName, &error)) {
        // Someone at the keyboard asked for it: say why it did not open.
        ShowError(error);
        return;
    }
    UpdateRecentFiles(FileName);
}

void TMainForm::FileCloseExecute()
{
    // The same document the action's state was taken from, also while
    // another window of the program has the activation.
    if (TfrmBlank* doc = ActiveBlank())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(doc->parentWidget()))
            sub->close();
}

void TMainForm::FileSaveExecute()
{
    if (TfrmBlank* doc = ActiveBlank())
        SaveDocument(doc);
}

void TMainForm::SaveDocument(TfrmBlank* form)
{
    // The atomic save names its file through Qt, which would write a name
    // that is not UTF-8 as another one: such a document gets a new name.
    if (form->FileName().isEmpty() || !QtCanName(form->FileName())) {
        SaveDocumentAs(form);
        return;
    }
    try {
        form->Save();
    } catch (const ESaveElsewhere& e) {
        if (AskSaveElsewhere(this, m_caption, e.Message()))
            SaveDocumentAs(form);
    } catch (const Exception& e) {
        ShowError(e.Message());
    }
}

void TMainForm::FileSaveAsExecute()
{
    if (TfrmBlank* doc = ActiveBlank())
        SaveDocumentAs(doc);
}

bool TMainForm::SaveDocumentAs(TfrmBlank* form)
{
    QFileDialog dialog(this, QString(), DocumentsFolder(), FileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(DefaultSuffix);
    // The document's own name, in its own folder while that is there.
    const QFileInfo own(form->FileName());
    if (!form->FileName().isEmpty())
        dialog.selectFile(own.dir().exists() ? own.absoluteFilePath() : own.fileName());
    // The dialog asks before it replaces a file: a silent replace loses it.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString name = dialog.selectedFiles().first();
    form->SetFileName(name);
    try {
        form->Save();
    } catch (const ESaveElsewhere& e) {
        return AskSaveElsewhere(this, m_caption, e.Message()) && SaveDocumentAs(form);
    } catch (const Exception& e) {
        ShowError(e.Message());
        return false;
    }
    UpdateRecentFiles(name);
    return true;
}

void TMainForm::FilePrintExecute()
{
    if (TfrmBlank* doc = ActiveBlank())
        PrintDocument(doc);
}

void TMainForm::PrintDocument(TfrmBlank* form)
{
    try {
        form->Print();
    } catch (const Exception& e) {
        ShowError(e.Message());
    }
}

void TMainForm::FilePrinterSettingsExecute()
{
    if (!RunPrinterSetupDialog(this))
        return;
    TPrinterOperations* operations = PrinterOperations();
    if (!operations)
        return;
    operations->SetFileName(GetUserDataDir() + QStringLiteral("PrinterSetup.cfg"));
    try {
        operations->SaveSetup();
    } catch (const Exception& e) {
        ShowError(e.Message());
    }
}

void TMainForm::ViewScaleUpExecute()
{
    TfrmBlank* doc = ActiveBlank();
    if (!doc)
        return;
    for (int k = int(ScaleSteps.size()) - 2; k >= 0; --k)
        if (doc->PixelsPerInch() == ScaleSteps[k]) {
            doc->SetPixelsPerInch(ScaleSteps[k + 1]);
            return;
        }
}

void TMainForm::ViewScaleDownExecute()
{
    TfrmBlank* doc = ActiveBlank();
    if (!doc)
        return;
    for (int k = 1; k < int(ScaleSteps.size()); ++k)
        if (doc->PixelsPerInch() == ScaleSteps[k]) {
            doc->SetPixelsPerInch(ScaleSteps[k - 1]);
            return;
        }
}

void TMainForm::ViewReverseExecute()
{
    // The action toggles itself before this runs.
    if (TfrmBlank* doc = ActiveBlank())
        doc->SetViewSide(ui->ViewReverse->isChecked() ? bsBottom : bsTop);
}

void TMainForm::WindowTile(Qt::Orientation orientation)
{
    const QList<QMdiSubWindow*> windows = ui->MdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    const QRect area = ui->MdiArea->viewport()->rect();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = windows[i];
        sub->showNormal();
        if (orientation == Qt::Horizontal) {
            const int h = area.height() / n;
            sub->setGeometry(0, i * h, area.width(), h);
        } else {
            const int w = area.width() / n;
            sub->setGeometry(i * w, 0, w, area.height());
        }
    }
}

void TMainForm::HelpContentsExecute()
{
    // A missing help file or no program for it is not reported.
    const QString help = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Wplatomat.chm"));
    QDesktopServices::openUrl(QUrl::fromLocalFile(help));
}
