#pragma once

#include <QDialog>

#include <functional>
#include <memory>

struct TBlankData;

namespace Ui {
class TfrmPrintSelect;
}

// Asked before a transfer/deposit form is printed: which of its four coupons,
// in which layout, and a way to the printer settings. One instance serves the
// whole run, so the choices carry over from one print to the next.
class TfrmPrintSelect : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrintSelect(QWidget* parent = nullptr);
    ~TfrmPrintSelect() override;

    // The data of the document about to be printed; set before every showing.
    const TBlankData* Data = nullptr;
    // The main window's printer-settings action; until it is set, the printer
    // button runs the set-up dialog itself.
    std::function<void()> OnPrinterSettings;

    // Whether coupon Number (0 to 3) is to be printed.
    bool Selected(int Number) const;
    bool Vertical() const;
    bool AllChecked() const;
    bool AutoScale() const;

    // OK is refused while the own choice of coupons is empty.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void SetCouponCaptions();
    void rdbSelectionClick();
    bool FormCloseQuery(int result);
    void btnPrinterClick();

    std::unique_ptr<Ui::TfrmPrintSelect> ui;
};

// The program-wide instance, made when first asked for once initialized
// (printer settings through onPrinterSettings); null before and after.
TfrmPrintSelect* frmPrintSelect();
void InitializePrintSelect(std::function<void()> onPrinterSettings = {});
void FinalizePrintSelect();
