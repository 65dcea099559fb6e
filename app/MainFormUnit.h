#pragma once

#include "document/MainFormLink.h"

#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QStringList>

class QAction;
class QLabel;
class QMessageBox;
class QMdiSubWindow;
class QMenu;
class QTimer;
class TfrmBlank;
class TDdeServer;
struct TDdeReply;

namespace Ui {
class TMainForm;
}

// The frame of the program: one MDI child per document, the actions, menus,
// tool bar and status bar, the window factory, the recent files and the
// commands that reach the program from the command line.
class TMainForm : public QMainWindow, public TMainFormLink {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The only creator of document windows. A file that cannot be read gives
    // no window: the one made for it has closed itself.
    TfrmBlank* CreateBlankForm(quint16 Kind, const QString& FileName, QString* loadError = nullptr);
    TfrmBlank* ActiveBlank() const;
    QList<TfrmBlank*> BlankForms() const;
    void OpenFile(const QString& FileName);

    void LoadRecentFiles();
    void SaveRecentFiles();
    void UpdateRecentFiles(const QString& FileName);
    void RecentFileClick(QAction* item);
    const QStringList& RecentFiles() const { return FRecentFiles; }
    QMenu* ReOpenMenu() const { return m_reOpenMenu; }

    void ProcessCommandLine(const QStringList& arguments);
    // The arguments the show handler reads; the process's own unless replaced.
    void SetCommandLine(const QStringList& arguments) { m_arguments = arguments; }
    void DoShellCommand(const QString& Command, const QString& FileName, const QString& Param);

    // The DDE topics exist with the window; only the holder of the
    // single-instance lock starts serving them.
    bool StartDdeService();
    TDdeServer* DdeServer() const { return m_dde; }
    TDdeReply ShellDdeServerConvExecuteMacro(const QStringList& Msg);
    TDdeReply WplatomatDdeServerConvExecuteMacro(const QStringList& Msg);
    TDdeReply MakeDdeServerItemPokeData(const QStringList& Lines);
    void WplatomatDdeServerConvOpen();

    QSize ClientSize() const override;
    int StatusBarHeight() const override;
    int ToolBarHeight() const override;
    void SetStatusPanel1(const QString& text) override;
    QString StatusPanel(int index) const;

    QAction* Action(const char* name) const;
    // Refreshes the actions' enabled and checked states, as on every idle moment.
    void ActionList1Update();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ConnectActions();
    void RestorePlacement();
    void ApplyPlacement();
    void SavePlacement();
    void BlankFormActivate(TfrmBlank* form);
    void BlankFormModifiedChange(TfrmBlank* form);
    bool BlankFormCloseQuery(TfrmBlank* form);
    // Saves as the Save action does: to its file, or through Save As.
    void SaveDocument(TfrmBlank* form);
    bool SaveDocumentAs(TfrmBlank* form);
    void ShowError(const QString& message);
    void ShowNotice(const QString& message);

    void FileNewExecute();
    void FileOpenExecute();
    void FileCloseExecute();
    void FileSaveExecute();
    void FileSaveAsExecute();
    void FilePrintExecute();
    void FilePrinterSettingsExecute();
    void ViewScaleUpExecute();
    void ViewScaleDownExecute();
    void ViewReverseExecute();
    void WindowTile(Qt::Orientation orientation);
    void HelpContentsExecute();
    void PrintDocument(TfrmBlank* form);
    void tmrWizardTimer();
    void CreateDdeTopics();
    // A new cash-deposit form with the amount of the first line.
    TDdeReply MakeDepositForm(const QStringList& lines);

    Ui::TMainForm* ui;
    // The caption of the window and of its message boxes.
    QString m_caption;
    QLabel* m_panels[3] = {};
    QMenu* m_reOpenMenu = nullptr;
    QTimer* tmrWizard = nullptr;
    QStringList m_arguments;
    // The outer frame read at creation; none when the settings had no key.
    QRect m_placement;
    // The frame margins the placement was applied with, and whether they
    // were the window manager's final word.
    QMargins m_placedMargins;
    bool m_placementSettled = false;
    QString FileToTryOpen;
    bool TryToPrint = false;
    bool m_showing = false;
    bool m_askingToClose = false;
    TDdeServer* m_dde = nullptr;
    // The "Isok" boxes now open; a closed one leaves a null behind.
    QList<QPointer<QMessageBox>> m_isokBoxes;
    int RecentFilesMax = 5;
    QStringList FRecentFiles;
};

// The program's main window, once it exists.
TMainForm* MainForm();
