#include "printing/untPrintSelect2.h"

#include "platform/MainWindow.h"
#include "printing/DialogOnDemand.h"
#include "printing/PrinterSetupDialog.h"
#include "ui_TFRMPRINTSELECTWPL.h"

#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

namespace {

TDialogOnDemand<TfrmPrintSelectWpl>& PrintSelectWplSlot()
{
    static TDialogOnDemand<TfrmPrintSelectWpl> dialog;
    return dialog;
}

} // namespace

TfrmPrintSelectWpl::TfrmPrintSelectWpl(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmPrintSelectWpl>())
{
    ui->setupUi(this);
    // A dialog border with the system menu and close box only: no help button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->Button3, &QPushButton::clicked, this, &TfrmPrintSelectWpl::Button3Click);
}

TfrmPrintSelectWpl::~TfrmPrintSelectWpl() = default;

bool TfrmPrintSelectWpl::PrintAll() const
{
    return ui->rdbAll->isChecked();
}

bool TfrmPrintSelectWpl::PrintFront() const
{
    return ui->rdbAll->isChecked() || ui->rdBFront->isChecked();
}

bool TfrmPrintSelectWpl::PrintBack() const
{
    return ui->rdbAll->isChecked() || ui->rdbBack->isChecked();
}

void TfrmPrintSelectWpl::showEvent(QShowEvent* event)
{
    // Spontaneous shows come from the window system (restoring a minimised
    // window), not from the program showing the dialog.
    if (!event->spontaneous())
        CentreOverMainWindow(*this);
    QDialog::showEvent(event);
}

void TfrmPrintSelectWpl::Button3Click()
{
    if (OnPrinterSettings)
        OnPrinterSettings();
    else
        RunPrinterSetupDialog(this);
}

TfrmPrintSelectWpl* frmPrintSelectWpl()
{
    return PrintSelectWplSlot().Get();
}

void InitializePrintSelectWpl(std::function<void()> onPrinterSettings)
{
    PrintSelectWplSlot().Allow(std::move(onPrinterSettings));
}

void FinalizePrintSelectWpl()
{
    PrintSelectWplSlot().Release();
}

bool AskTurnSheet()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Drukowanie blankietu"),
                    QStringLiteral("Zaczekaj na wydrukowanie przodu blankietu.\n\r"
                                   "Następnie odwróć tę samą kartkę na drugą stronę i kliknij OK, a zostanie "
                                   "wydrukowany tył blankietu. Jeśli nie chcesz drukować tyłu blankietu - kliknij "
                                   "Anuluj."),
                    QMessageBox::Ok | QMessageBox::Cancel, MainWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Anuluj"));
    return box.exec() == QMessageBox::Ok;
}
