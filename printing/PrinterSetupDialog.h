#pragma once

class QPrintDialog;
class QWidget;

// Turns Qt's print dialog into a printer set-up dialog: the printer, its
// properties, paper and duplex stay; what belongs to one job (pages, copies,
// a file instead of a printer) goes, since the choice outlives every job.
void ConfigurePrinterSetupDialog(QPrintDialog& dialog);

// Lets the user choose the program-wide printer and its settings; true when
// the choice was taken. Saving it is the caller's business.
bool RunPrinterSetupDialog(QWidget* parent);
