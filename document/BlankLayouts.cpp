#include "document/BlankLayouts.h"

#include "document/BlankFormUnit.h"
#include "layouts/untBlCzerwony.h"
#include "layouts/untBlPrzekaz.h"
#include "layouts/untBlWplata.h"
#include "platform/Printer.h"
#include "printing/untPrintSelect.h"
#include "printing/untPrintSelect2.h"

QSizeF PageSizeMm(quint16 kind)
{
    switch (kind) {
    case bkDeposit: return {70, 100};
    case bkMoneyOrder: return {210, 100};
    case bkTransfer:
    case bkTransferZus:
    case bkTransferTax: return {150, 105};
    default: return {0, 0};
    }
}

void PaintLayout(TfrmBlank* form, TBlankSide side)
{
    if (IsTransferKind(form->Kind()))
        PaintTransferForm(form->Data(), form->BlankObj, side);
    else if (form->Kind() == bkMoneyOrder)
        PaintMoneyOrder(form->Data(), form->BlankObj, side);
    else if (form->Kind() == bkDeposit)
        PaintDepositForm(form->Data(), form->BlankObj, side);
}

namespace {

TCouponChoice ChoiceOf(const TfrmPrintSelect& dialog)
{
    TCouponChoice choice;
    for (int n = 0; n < 4; ++n)
        choice.selected[n] = dialog.Selected(n);
    choice.all = dialog.AllChecked();
    choice.autoScale = dialog.AutoScale();
    return choice;
}

void PrintTransfer(TfrmBlank* form)
{
    TfrmPrintSelect* dialog = frmPrintSelect();
    if (!dialog)
        return;
    dialog->Data = &form->Data();
    const bool accepted = dialog->exec() == QDialog::Accepted;
    // The dialog lives on after the document; it must not keep its data.
    dialog->Data = nullptr;
    if (!accepted)
        return;
    const TCouponChoice choice = ChoiceOf(*dialog);
    if (form->MalePokwit())
        PrintTransferWithReceipt(form->Data(), form->BlankObj, choice);
    else if (dialog->Vertical())
        PrintTransferPortrait(form->Data(), form->BlankObj, choice);
    else
        PrintTransferLandscape(form->Data(), form->BlankObj, choice);
}

// Both sides, the front or the back, as the side dialog gives them; the
// user's answer on turning the sheet is asked only between the two jobs.
bool AskSides(TSideChoice& choice)
{
    TfrmPrintSelectWpl* dialog = frmPrintSelectWpl();
    if (!dialog || dialog->exec() != QDialog::Accepted)
        return false;
    choice.front = dialog->PrintFront();
    choice.back = dialog->PrintBack();
    choice.turnedSheet = AskTurnSheet;
    return true;
}

void PrintTwoSided(TfrmBlank* form)
{
    TSideChoice choice;
    if (!AskSides(choice))
        return;
    if (form->Kind() == bkMoneyOrder)
        PrintMoneyOrder(form->Data(), form->BlankObj, choice);
    else
        PrintDepositForm(form->Data(), form->BlankObj, choice);
}

} // namespace

void PrintLayout(TfrmBlank* form)
{
    TPrinter& printer = Printer();
    if (printer.Printers().isEmpty())
        return;
    const quint16 kind = form->Kind();
    if (kind == bkDeposit)
        printer.SetOrientation(poLandscape);
    else if (kind == bkMoneyOrder || IsTransferKind(kind))
        printer.SetOrientation(poPortrait);
    if (IsTransferKind(kind))
        PrintTransfer(form);
    else if (kind == bkMoneyOrder || kind == bkDeposit)
        PrintTwoSided(form);
}
