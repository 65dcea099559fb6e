#include "app/MainFormUnit.h"

#include "app/ActionIcons.h"
#include "app/CommaText.h"
#include "app/DesktopIntegration.h"
#include "app/FileAssociation.h"
#include "document/BlankFormUnit.h"
#include "platform/Dde.h"
#include "drawing/Exception.h"
#include "drawing/untCommon.h"
#include "printing/untPrinterOperation.h"
#include "platform/MainWindow.h"
#include "platform/QuestionBox.h"
#include "platform/Registry.h"
#include "ui_TMAINFORM.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

namespace {

constexpr int Panel1WidthPx = 100;
constexpr int Panel2WidthPx = 50;
constexpr int DefaultLeft = 100;
constexpr int DefaultTop = 100;
constexpr int DefaultWidth = 600;
constexpr int DefaultHeight = 480;

// Settings may hold any 32-bit values: only a frame that lies on the desktop
// is a placement. Summed in 64 bits, so that extremes cannot overflow.
bool FitsTheScreens(qint64 left, qint64 top, qint64 width, qint64 height)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    const QRect desktop = screen->virtualGeometry();
    return width > 0 && height > 0 && left >= desktop.left() && top >= desktop.top()
           && left + width <= qint64(desktop.left()) + desktop.width()
           && top + height <= qint64(desktop.top()) + desktop.height();
}

// A frame over all of a screen's free area is what a maximized window leaves.
bool CoversItsScreen(const QRect& frame)
{
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    return screen && frame.contains(screen->availableGeometry());
}

TMainForm*& MainFormSlot()
{
    static TMainForm* form = nullptr;
    return form;
}

} // namespace

TMainForm* MainForm()
{
    return MainFormSlot();
}

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::TMainForm)
{
    ui->setupUi(this);
    m_arguments = QCoreApplication::arguments();
    MainFormSlot() = this;
    SetMainFormLink(this);
    SetMainWindow(this);

    // Kept apart from the window's title, which a maximized document extends.
    m_caption = QApplication::applicationDisplayName();
    setWindowTitle(m_caption);
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
    }
    ui->StatusBar->addWidget(m_panels[0], 1);
    m_panels[1]->setFixedWidth(Panel1WidthPx);
    m_panels[2]->setFixedWidth(Panel2WidthPx);
    ui->StatusBar->addPermanentWidget(m_panels[1]);
    ui->StatusBar->addPermanentWidget(m_panels[2]);

    const std::pair<QAction*, TActionIcon> icons[] = {
        {ui->FileNew, TActionIcon::New},       {ui->FileOpen, TActionIcon::Open},
        {ui->FileSave, TActionIcon::Save},     {ui->FilePrint, TActionIcon::Print},
        {ui->ViewScaleUp, TActionIcon::ZoomIn}, {ui->ViewScaleDown, TActionIcon::ZoomOut},
        {ui->ViewReverse, TActionIcon::Reverse}, {ui->HelpContents, TActionIcon::Help}};
    for (const auto& [action, icon] : icons)
        action->setIcon(MakeActionIcon(icon));

    // Ctrl with the keys that type "=" and "-".
    ui->ViewScaleUp->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal));
    ui->ViewScaleDown->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    m_panels[0]->setText(ui->ViewScaleUp->shortcut().toString(QKeySequence::NativeText));

    connect(ui->MdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        if (sub)
            if (auto* form = qobject_cast<TfrmBlank*>(sub->widget()))
                BlankFormActivate(form);
    });

    m_reOpenMenu = new QMenu(this);
    m_reOpenMenu->setObjectName(QStringLiteral("ReOpenMenu"));
    if (auto* open = qobject_cast<QToolButton*>(ui->ToolBar1->widgetForAction(ui->FileOpen)))
        open->setPopupMode(QToolButton::MenuButtonPopup);

    tmrWizard = new QTimer(this);
    tmrWizard->setObjectName(QStringLiteral("tmrWizard"));
    tmrWizard->setSingleShot(true);
    // A coarse timer would let the chooser come up to 25 ms late.
    tmrWizard->setTimerType(Qt::PreciseTimer);
    tmrWizard->setInterval(property("wizardInterval").toInt());
    connect(tmrWizard, &QTimer::timeout, this, &TMainForm::tmrWizardTimer);

    ConnectActions();
    CreateDdeTopics();
    // Action states follow the active document whenever the program is idle.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TMainForm::ActionList1Update);

    // The settings below are mostly written as they already are: one save at
    // most, and none when nothing changed.
    RegistryHold startSettings;
    // At every start, so the shell always reaches the executable that runs
    // now; a registry that refuses it never stops the start.
    TFileAssociation documents;
    documents.SetName(QStringLiteral("wplatomat.dokument"));
    documents.SetDescription(QStringLiteral("Dokument programu Wplatomat"));
    documents.Exts() = SplitCommaText(QStringLiteral("wpt"));
    documents.AddFileOpen(QString());
    documents.AddFilePrint(QString());
    documents.RegisterAssociation(QStringLiteral("ShellDdeServerConv"), true);
    (new TDesktopIntegration(this))->Publish();

    RestorePlacement();
    FRecentFiles.clear();
    LoadRecentFiles();
    UpdateRecentFiles(QString());
    // A damaged set-up file is ignored by the loader: it never stops the start.
    if (TPrinterOperations* operations = PrinterOperations()) {
        operations->SetFileName(GetUserDataDir() + QStringLiteral("PrinterSetup.cfg"));
        operations->LoadSetup();
    }
    ActionList1Update();
}

TMainForm::~TMainForm()
{
    // No command may reach a window on its way out.
    delete m_dde;
    m_dde = nullptr;
    SavePlacement();
    // The document windows go after this body, when ui is gone: neither
    // their activation nor an idle moment may reach the handlers then.
    disconnect(ui->MdiArea, nullptr, this, nullptr);
    disconnect(QAbstractEventDispatcher::instance(), nullptr, this, nullptr);
    if (MainFormLink() == this)
        SetMainFormLink(nullptr);
    if (MainWindow() == this)
        SetMainWindow(nullptr);
    MainFormSlot() = nullptr;
    delete ui;
}

QAction* TMainForm::Action(const char* name) const
{
    return findChild<QAction*>(QLatin1String(name));
}

void TMainForm::RestorePlacement()
{
    TRegistry reg;
    if (!reg.OpenKey(AppRegistryKey(), true))
        return;
    // A value of another type counts as absent.
    const int left = reg.ReadInteger(QStringLiteral("MainFormLeft")).value_or(DefaultLeft);
    const int top = reg.ReadInteger(QStringLiteral("MainFormTop")).value_or(DefaultTop);
    const int width = reg.ReadInteger(QStringLiteral("MainFormWidth")).value_or(DefaultWidth);
    const int height = reg.ReadInteger(QStringLiteral("MainFormHeight")).value_or(DefaultHeight);
    m_placement = FitsTheScreens(left, top, width, height)
                      ? QRect(left, top, width, height)
                      : QRect(DefaultLeft, DefaultTop, DefaultWidth, DefaultHeight);
    if (CoversItsScreen(m_placement)) {
        // Un-maximized it takes the first start's place and inside size, on the same screen.
        const QRect normal(m_placement.topLeft() + QPoint(DefaultLeft, DefaultTop), QSize(DefaultWidth, DefaultHeight));
        setGeometry(m_placement.contains(normal) ? normal : m_placement);
        setWindowState(windowState() | Qt::WindowMaximized);
        m_placementSettled = true;
    }
    ApplyPlacement();
    reg.WriteString(QStringLiteral("AppPath"), QApplication::applicationFilePath());
}

void TMainForm::ApplyPlacement()
{
    if (!m_placement.isValid() || m_placementSettled)
        return;
    // The placement is the outer frame, whose margins the window manager
    // tells only once it has framed the window: until then the size is
    // corrected whenever they change.
    m_placedMargins = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    m_placementSettled = !m_placedMargins.isNull();
    move(m_placement.topLeft());
    resize(m_placement.size().shrunkBy(m_placedMargins));
}

void TMainForm::SavePlacement()
{
    TRegistry reg;
    if (!reg.OpenKey(AppRegistryKey(), true))
        return;
    // Maximized, the frame covers the screen's free area, and comes back so.
    const QRect frame = frameGeometry();
    reg.WriteInteger(QStringLiteral("MainFormLeft"), frame.x());
    reg.WriteInteger(QStringLiteral("MainFormTop"), frame.y());
    reg.WriteInteger(QStringLiteral("MainFormWidth"), frame.width());
    reg.WriteInteger(QStringLiteral("MainFormHeight"), frame.height());
}

TfrmBlank* TMainForm::CreateBlankForm(quint16 Kind, const QString& FileName, QString* loadError)
{
    auto* form = FileName.isEmpty() ? new TfrmBlank(nullptr, Kind) : new TfrmBlank(nullptr, FileName);
    if (form->IsClosing()) {
        if (loadError)
            *loadError = form->LoadError();
        return nullptr; // it frees itself
    }
    form->OnModifiedChange = [this](TfrmBlank* f) { BlankFormModifiedChange(f); };
    form->OnCloseQuery = [this](TfrmBlank* f) { return BlankFormCloseQuery(f); };
    QMdiSubWindow* sub = ui->MdiArea->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    // Ctrl+F4 belongs to the Close action: the sub-window's own close item
    // holding it too would make the key ambiguous, and then it does nothing.
    // The platform decides where in that item's list of keys it stands.
    const QKeySequence closeKey(Qt::CTRL | Qt::Key_F4);
    for (QAction* a : sub->systemMenu() ? sub->systemMenu()->actions() : QList<QAction*>()) {
        QList<QKeySequence> keys = a->shortcuts();
        if (keys.removeAll(closeKey) > 0)
            a->setShortcuts(keys);
    }
    sub->show();
    form->SetPixelsPerInch(100);
    form->SetModified(false);
    ui->MdiArea->setActiveSubWindow(sub);
    return form;
}

TfrmBlank* TMainForm::ActiveBlank() const
{
    QMdiSubWindow* sub = ui->MdiArea->activeSubWindow();
    if (!sub)
        sub = ui->MdiArea->currentSubWindow();
    return sub ? qobject_cast<TfrmBlank*>(sub->widget()) : nullptr;
}

QList<TfrmBlank*> TMainForm::BlankForms() const
{
    QList<TfrmBlank*> forms;
    for (QMdiSubWindow* sub : ui->MdiArea->subWindowList())
        if (auto* form = qobject_cast<TfrmBlank*>(sub->widget()))
            if (!form->IsClosing())
                forms << form;
    return forms;
}

void TMainForm::BlankFormActivate(TfrmBlank* form)
{
    ui->ViewReverse->setChecked(form->ViewSide() == bsBottom);
    BlankFormModifiedChange(form);
}

void TMainForm::BlankFormModifiedChange(TfrmBlank* form)
{
    SetStatusPanel1(form->Modified() ? QStringLiteral("Zmodyfikowany") : QString());
}

bool TMainForm::BlankFormCloseQuery(TfrmBlank* form)
{
    if (!form->Modified())
        return true;
    const QString question = QStringLiteral("Czy zachować zmiany w pliku: \n\r\"") + form->FileName()
                             + QStringLiteral("\"?");
    const int answer = AskQuestion(this, QMessageBox::Question, m_caption, question,
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes) {
        SaveDocument(form);
        return !form->Modified();
    }
    return true;
}

void TMainForm::ShowError(const QString& message)
{
    QMessageBox::critical(this, m_caption, message);
}

void TMainForm::ShowNotice(const QString& message)
{
    QMessageBox::information(this, m_caption, message);
}

QSize TMainForm::ClientSize() const
{
    return size();
}

int TMainForm::StatusBarHeight() const
{
    return ui->StatusBar->height();
}

int TMainForm::ToolBarHeight() const
{
    return ui->ToolBar1->height() + (menuBar() ? menuBar()->height() : 0);
}

void TMainForm::SetStatusPanel1(const QString& text)
{
    m_panels[1]->setText(text);
}

QString TMainForm::StatusPanel(int index) const
{
    return index >= 0 && index < 3 ? m_panels[index]->text() : QString();
}

bool TMainForm::event(QEvent* event)
{
    // The long part of a hint goes to the first panel, as the status bar's
    // own message would hide the other two. An empty hint (the mouse left
    // the control) empties it, so no stale hint stays behind.
    if (event->type() == QEvent::StatusTip) {
        m_panels[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && !m_placementSettled && windowHandle()
        && windowHandle()->frameMargins() != m_placedMargins)
        ApplyPlacement();
    return QMainWindow::event(event);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Every document is asked, topmost first, before any of them closes: one
    // refusal keeps the program running with all documents as they were,
    // and no further question is asked.
    const QScopedValueRollback asking(m_askingToClose, true);
    QList<QMdiSubWindow*> windows = ui->MdiArea->subWindowList(QMdiArea::StackingOrder);
    std::reverse(windows.begin(), windows.end());
    for (QMdiSubWindow* sub : windows) {
        auto* form = qobject_cast<TfrmBlank*>(sub->widget());
        if (form && !form->IsClosing() && !BlankFormCloseQuery(form)) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void TMainForm::ActionList1Update()
{
    TfrmBlank* doc = ActiveBlank();
    const int dpi = doc ? doc->PixelsPerInch() : 0;
    ui->ViewScaleUp->setEnabled(doc && dpi != ScaleSteps.back());
    ui->ViewScaleDown->setEnabled(doc && dpi != ScaleSteps.front());
    const bool twoSided = doc
                          && (doc->Kind() == bkDeposit || doc->Kind() == bkMoneyOrder
                              || (doc->Kind() == bkTransfer && doc->MalePokwit()));
    ui->ViewReverse->setEnabled(twoSided);
    if (!twoSided)
        ui->ViewReverse->setChecked(false);
    for (QAction* a : {ui->FilePrint, ui->FileSaveAs, ui->FileSave, ui->FileClose})
        a->setEnabled(doc != nullptr);
}
