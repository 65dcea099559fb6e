#include "document/BlankLayouts.h"

#include "document/BlankFormUnit.h"
#include "layouts/untBlCzerwony.h"

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

void PrintLayout(TfrmBlank*)
{
    // The form families' print routines are added here as each lands.
}
