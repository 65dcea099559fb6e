#include "layouts/untBlCzerwony.h"

#include "printing/untPrintSelect.h"

// The print layouts without a choice of their own take the coupon dialog's.

namespace {

TCouponChoice DialogChoice()
{
    TCouponChoice choice;
    TfrmPrintSelect* dialog = frmPrintSelect();
    if (!dialog)
        return choice;
    for (int n = 0; n < 4; ++n)
        choice.selected[n] = dialog->Selected(n);
    choice.all = dialog->AllChecked();
    choice.autoScale = dialog->AutoScale();
    return choice;
}

} // namespace

void PrintTransferPortrait(TfrmBlank* Form)
{
    PrintTransferPortrait(Form, DialogChoice());
}

void PrintTransferWithReceipt(TfrmBlank* Form)
{
    PrintTransferWithReceipt(Form, DialogChoice());
}

void PrintTransferLandscape(TfrmBlank* Form)
{
    PrintTransferLandscape(Form, DialogChoice());
}
