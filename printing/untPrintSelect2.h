#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TfrmPrintSelectWpl;
}

// Asked before a two-sided form (the money order, the deposit form) is
// printed: both sides, the front or the back, and a way to the printer
// settings. One instance serves the whole run, so the side chosen stays.
class TfrmPrintSelectWpl : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrintSelectWpl(QWidget* parent = nullptr);
    ~TfrmPrintSelectWpl() override;

    // The main window's printer-settings action; until it is set, the printer
    // button runs the set-up dialog itself.
    std::function<void()> OnPrinterSettings;

    bool PrintAll() const;
    bool PrintFront() const;
    bool PrintBack() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button3Click();

    std::unique_ptr<Ui::TfrmPrintSelectWpl> ui;
};

// The program-wide instance, made when first asked for once initialized
// (printer settings through onPrinterSettings); null before and after.
TfrmPrintSelectWpl* frmPrintSelectWpl();
void InitializePrintSelectWpl(std::function<void()> onPrinterSettings = {});
void FinalizePrintSelectWpl();

// Between the two sides' jobs: whether the user turned the sheet over and
// wants the back (OK) or not (Cancel).
bool AskTurnSheet();
