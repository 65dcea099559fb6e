#include "printing/PrinterSetupDialog.h"

#include "platform/Printer.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTabWidget>

namespace {

// Qt's dialog has no option for the copies; its page of job settings
// (page range, copies, collation, order) is dropped as a whole. The widget
// stays alive because the dialog reads it back on accept.
void DropJobPage(QPrintDialog& dialog)
{
    QWidget* page = dialog.findChild<QWidget*>(QStringLiteral("copiesTab"));
    if (!page)
        return;
    if (auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tabs"))) {
        const int index = tabs->indexOf(page);
        if (index >= 0)
            tabs->removeTab(index);
    }
    page->hide();
    page->setEnabled(false);
}

} // namespace

void ConfigurePrinterSetupDialog(QPrintDialog& dialog)
{
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    DropJobPage(dialog);
    dialog.setWindowTitle(QStringLiteral("Ustawienia wydruku"));
    // Accepting prints nothing, so the button says what it does.
    if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
        if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel))
            cancel->setText(QStringLiteral("Anuluj"));
    }
}

bool RunPrinterSetupDialog(QWidget* parent)
{
    QPrintDialog dialog(&Printer().QtPrinter(), parent);
    ConfigurePrinterSetupDialog(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Printer().TakeDialogChoice();
    return true;
}
