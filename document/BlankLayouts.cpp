#include "document/BlankLayouts.h"

#include "document/BlankFormUnit.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Printer.h"
#include "printing/untPrintSelect.h"

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
    // The other form families' preview routines are added here as each lands.
    if (IsTransferKind(form->Kind()))
        PaintTransferForm(form, side);
}

namespace {

void PrintTransfer(TfrmBlank* form)
{
    TfrmPrintSelect* dialog = frmPrintSelect();
    if (!dialog)
        return;
    dialog->BlankForm = form;
    if (dialog->exec() != QDialog::Accepted)
        return;
    if (form->MalePokwit())
        PrintTransferWithReceipt(form);
    else if (dialog->Vertical())
        PrintTransferPortrait(form);
    else
        PrintTransferLandscape(form);
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
    // The other form families' print routines are added here as each lands.
    if (IsTransferKind(kind))
        PrintTransfer(form);
}
