#include "printing/untPrintSelect.h"

#include "drawing/BlankData.h"
#include "platform/MainWindow.h"
#include "printing/DialogOnDemand.h"
#include "printing/PrinterSetupDialog.h"
#include "ui_TFRMPRINTSELECT.h"

#include <QMessageBox>
#include <QShowEvent>

namespace {

struct CouponCaptions {
    QString two;
    QString coupon[4];
};

const CouponCaptions& TransferCaptions()
{
    static const CouponCaptions captions{
        QStringLiteral("Drukuj 2 odcinki: dla banku odbiorcy i zleceniodawcy"),
        {QStringLiteral("dla banku odbiorcy"), QStringLiteral("dla odbiorcy"), QStringLiteral("dla zleceniodawcy"),
         QStringLiteral("dla banku zleceniodawcy")}};
    return captions;
}

const CouponCaptions& DepositCaptions()
{
    static const CouponCaptions captions{
        QStringLiteral("Drukuj 2 odcinki: dla banku i wpłacającego"),
        {QStringLiteral("dla banku"), QStringLiteral("dla posiadacza rachunku"), QStringLiteral("dla wpłacającego"),
         QStringLiteral("dla instytucji przyjmującej zlecenie")}};
    return captions;
}

TDialogOnDemand<TfrmPrintSelect>& PrintSelectSlot()
{
    static TDialogOnDemand<TfrmPrintSelect> dialog;
    return dialog;
}

} // namespace

TfrmPrintSelect::TfrmPrintSelect(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmPrintSelect>())
{
    ui->setupUi(this);
    // Labels size themselves to their caption, as in the toolkit the window
    // was drawn with; our face is a little wider than the one it was sized in.
    ui->Label1->adjustSize();
    // A dialog border with the system menu and close box only: no help button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    // Toggled, not clicked: arrow keys and a check set by the program count too.
    for (QRadioButton* radio : {ui->rdbAll, ui->rdBTwo, ui->rdbSelection})
        connect(radio, &QRadioButton::toggled, this, &TfrmPrintSelect::rdbSelectionClick);
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->btnPrinter, &QPushButton::clicked, this, &TfrmPrintSelect::btnPrinterClick);
}

TfrmPrintSelect::~TfrmPrintSelect() = default;

bool TfrmPrintSelect::Selected(int Number) const
{
    if (ui->rdbAll->isChecked())
        return true;
    if (ui->rdBTwo->isChecked())
        return Number == 0 || Number == 2;
    if (!ui->rdbSelection->isChecked())
        return false;
    switch (Number) {
    case 0: return ui->cbxFirst->isChecked();
    case 1: return ui->cbxSecond->isChecked();
    case 2: return ui->cbxThird->isChecked();
    case 3: return ui->cbxFourth->isChecked();
    }
    return false;
}

bool TfrmPrintSelect::Vertical() const
{
    return ui->cbxVertical->isChecked();
}

bool TfrmPrintSelect::AllChecked() const
{
    return ui->rdbAll->isChecked();
}

bool TfrmPrintSelect::AutoScale() const
{
    return ui->cbxAutoScale->isChecked();
}

void TfrmPrintSelect::done(int result)
{
    if (!FormCloseQuery(result))
        return;
    QDialog::done(result);
}

void TfrmPrintSelect::showEvent(QShowEvent* event)
{
    // Spontaneous shows come from the window system (restoring a minimised
    // window), not from the program showing the dialog.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfrmPrintSelect::FormShow()
{
    CentreOverMainWindow(*this);
    if (!Data)
        return;
    SetCouponCaptions();
    // The small receipt has a layout of its own: no own choice of coupons,
    // no portrait or fitted layout. The ticks stay for the next document.
    const bool ownLayout = !Data->FMalePokwit;
    ui->cbxVertical->setEnabled(ownLayout);
    ui->cbxAutoScale->setEnabled(ownLayout);
    ui->rdbSelection->setEnabled(ownLayout);
}

void TfrmPrintSelect::SetCouponCaptions()
{
    const CouponCaptions& captions =
        Data->FPrzelewWplata == pwWplata ? DepositCaptions() : TransferCaptions();
    ui->rdBTwo->setText(captions.two);
    QCheckBox* const boxes[] = {ui->cbxFirst, ui->cbxSecond, ui->cbxThird, ui->cbxFourth};
    for (int n = 0; n < 4; ++n)
        boxes[n]->setText(captions.coupon[n]);
}

void TfrmPrintSelect::rdbSelectionClick()
{
    const bool own = ui->rdbSelection->isChecked();
    for (QCheckBox* box : {ui->cbxFirst, ui->cbxSecond, ui->cbxThird, ui->cbxFourth})
        box->setEnabled(own);
}

bool TfrmPrintSelect::FormCloseQuery(int result)
{
    if (result != QDialog::Accepted || !ui->rdbSelection->isChecked())
        return true;
    if (ui->cbxFirst->isChecked() || ui->cbxSecond->isChecked() || ui->cbxThird->isChecked()
        || ui->cbxFourth->isChecked())
        return true;
    QMessageBox box(QMessageBox::Critical, windowTitle(),
                    QStringLiteral("Wybierz przynajmniej jeden odcinek do wydruku."), QMessageBox::Ok, this);
    box.exec();
    return false;
}

void TfrmPrintSelect::btnPrinterClick()
{
    if (OnPrinterSettings)
        OnPrinterSettings();
    else
        RunPrinterSetupDialog(this);
}

TfrmPrintSelect* frmPrintSelect()
{
    return PrintSelectSlot().Get();
}

void InitializePrintSelect(std::function<void()> onPrinterSettings)
{
    PrintSelectSlot().Allow(std::move(onPrinterSettings));
}

void FinalizePrintSelect()
{
    PrintSelectSlot().Release();
}
