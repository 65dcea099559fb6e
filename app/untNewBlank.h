#pragma once

#include "app/ButtonGroup.h"

#include <QDialog>
#include <QPointer>

#include <memory>

class QMenu;

namespace Ui {
class TfrmNewBlank;
}

// The modal choice of a new document's form kind, or of opening a stored
// document instead. The caller reads BlankKind only after Accepted.
class TfrmNewBlank : public QDialog {
    Q_OBJECT
public:
    static constexpr int NoChoice = 65535;

    explicit TfrmNewBlank(QWidget* parent = nullptr);
    ~TfrmNewBlank() override;

    // 5, 6, 7 or 2: a new form of that kind; 0: open a file instead. Kept
    // from one showing to the next.
    int BlankKind = NoChoice;

    // The main window's recent-files menu; picking from it is the main
    // window's business, including closing this dialog with reject().
    void SetRecentMenu(QMenu* menu);

    void ButtonGroup1ButtonClicked(int Index);
    void btnFileOpenClick();
    void btnRecentClick();
    void ButtonGroup1DrawButton(TButtonGroup& Sender, int Index, TCanvas& Canvas, const TRect& Rect,
                                TButtonDrawState State);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    std::unique_ptr<Ui::TfrmNewBlank> ui;
    QPointer<QMenu> m_recentMenu;
};

// The program-wide chooser, made once after the main window (its parent) and
// reused for every new document.
void InitializeNewBlank(QWidget* mainForm);
void FinalizeNewBlank();
TfrmNewBlank* frmNewBlank();
