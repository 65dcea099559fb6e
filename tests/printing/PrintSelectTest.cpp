// The coupon dialog: its window, captions by payment mode, enabled states with
// the small receipt, the coupon choice, the OK check; and the printer set-up dialog.
#include "drawing/BlankData.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "platform/MainWindow.h"
#include "printing/PrinterSetupDialog.h"
#include "printing/untPrintSelect.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

const char* const CouponBoxes[] = {"cbxFirst", "cbxSecond", "cbxThird", "cbxFourth"};

// Closes every message box that opens while it lives, noting what it said.
class MessageBoxCloser {
public:
    MessageBoxCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            ++count;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            if (box->isVisible())
                box->reject();
        });
        m_timer.start(10);
    }
    int count = 0;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;

private:
    QTimer m_timer;
};

class PrintSelectFixture : public ::testing::Test {
protected:
    PrintSelectFixture()
    {
        document.FKind = bkTransfer;
        dialog.Data = &document;
    }

    template <class T>
    T* Child(const char* name)
    {
        T* w = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QCheckBox* Box(const char* name) { return Child<QCheckBox>(name); }
    QRadioButton* Radio(const char* name) { return Child<QRadioButton>(name); }
    QPushButton* Button(const char* name) { return Child<QPushButton>(name); }

    void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2)); }

    void ShowFor(TPrzelewWplata mode, bool smallReceipt)
    {
        dialog.hide();
        document.FPrzelewWplata = mode;
        document.FMalePokwit = smallReceipt;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    TempConfig config;
    TBlankData document;
    TfrmPrintSelect dialog;
    // Always on watch, so that a wrongly shown message box fails a test instead of hanging it.
    MessageBoxCloser boxes;
};

using PrintSelectWindow = PrintSelectFixture;

TEST_F(PrintSelectWindow, FixedSizeCaptionsAndStartState)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Drukowanie"));
    EXPECT_EQ(dialog.minimumSize(), QSize(324, 299));
    EXPECT_EQ(dialog.maximumSize(), QSize(324, 299));
    const struct {
        const char* name;
        const char* caption;
    } captions[] = {
        {"rdbAll", "Drukuj wszystkie 4 odcinki (domyślnie)"},
        {"rdbSelection", "Wybierz odcinki:"},
        {"cbxVertical", "Drukuj w układzie pionowym dwa odcinki na stronę"},
        {"cbxAutoScale", "Dopasuj do obszaru wydruku drukarki"},
        {"Button2", "&Drukuj"},
        {"Button1", "&Anuluj"},
        {"btnPrinter", "&Ustawienia drukarki..."},
    };
    for (const auto& c : captions)
        EXPECT_EQ(Child<QAbstractButton>(c.name)->text(), QString::fromUtf8(c.caption)) << c.name;
    EXPECT_TRUE(Radio("rdbAll")->isChecked());
    EXPECT_TRUE(Button("Button2")->isDefault());
}

// Halves of odd and negative differences go toward zero; both windows have
// the same frame, so their client areas centre as their frames do.
TEST_F(PrintSelectWindow, CentresOverTheMainWindowThoughAnotherIsActive)
{
    QWidget other;
    other.setGeometry(900, 700, 300, 200);
    for (const auto& [main, corner] : {std::pair(QRect(100, 50, 600, 480), QPoint(100 + 138, 50 + 90)),
                                       std::pair(QRect(400, 300, 200, 100), QPoint(400 - 62, 300 - 99))}) {
        QWidget window;
        window.setGeometry(main);
        window.show();
        SetMainWindow(&window);
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        ShowFor(pwPrzelew, false);
        EXPECT_EQ(dialog.geometry().topLeft(), corner);
    }
}

// ---- captions and enabled states on show --------------------------------------------------

using PrintSelectShow = PrintSelectFixture;

TEST_F(PrintSelectShow, CaptionsFollowThePaymentModeOfEachShowing)
{
    const char* const transfer[] = {"dla banku odbiorcy", "dla odbiorcy", "dla zleceniodawcy",
                                    "dla banku zleceniodawcy"};
    const char* const deposit[] = {"dla banku", "dla posiadacza rachunku", "dla wpłacającego",
                                   "dla instytucji przyjmującej zlecenie"};
    const struct {
        TPrzelewWplata mode;
        const char* two;
        const char* const* coupons;
    } cases[] = {{pwWplata, "Drukuj 2 odcinki: dla banku i wpłacającego", deposit},
                 {pwPrzelew, "Drukuj 2 odcinki: dla banku odbiorcy i zleceniodawcy", transfer},
                 {pwWplata, "Drukuj 2 odcinki: dla banku i wpłacającego", deposit},
                 {pwNone, "Drukuj 2 odcinki: dla banku odbiorcy i zleceniodawcy", transfer}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        ShowFor(c.mode, false);
        EXPECT_EQ(Radio("rdBTwo")->text(), QString::fromUtf8(c.two));
        for (int n = 0; n < 4; ++n)
            EXPECT_EQ(Box(CouponBoxes[n])->text(), QString::fromUtf8(c.coupons[n])) << n;
    }
}

TEST_F(PrintSelectShow, SmallReceiptDisablesOwnChoiceAndLayoutsKeepingTicks)
{
    Click(Box("cbxVertical"));
    Click(Box("cbxAutoScale"));
    ShowFor(pwPrzelew, true);
    for (const char* name : {"rdbSelection", "cbxVertical", "cbxAutoScale"})
        EXPECT_FALSE(Child<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(dialog.Vertical());
    EXPECT_TRUE(dialog.AutoScale());
    EXPECT_TRUE(Radio("rdbAll")->isEnabled());
    EXPECT_TRUE(Radio("rdBTwo")->isEnabled());

    ShowFor(pwPrzelew, false);
    for (const char* name : {"rdbSelection", "cbxVertical", "cbxAutoScale"})
        EXPECT_TRUE(Child<QWidget>(name)->isEnabled()) << name;
}

TEST_F(PrintSelectShow, SelectedGivesTheCouponsOfTheChosenButton)
{
    const struct {
        const char* radio;
        std::vector<const char*> ticked;
        bool selected[6]; // coupon numbers -1 to 4
    } cases[] = {
        {"rdbAll", {"cbxSecond"}, {true, true, true, true, true, true}}, // whatever the number
        {"rdBTwo", {"cbxSecond"}, {false, true, false, true, false, false}}, // the banks' and the payer's
        {"rdbSelection", {}, {false, false, false, false, false, false}},
        {"rdbSelection", {"cbxSecond", "cbxFourth"}, {false, false, true, false, true, false}},
        {"rdbSelection", {"cbxFirst", "cbxSecond", "cbxThird", "cbxFourth"}, {false, true, true, true, true, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.radio << " with " << c.ticked.size() << " ticked");
        ShowFor(pwPrzelew, false);
        Click(Radio("rdbSelection"));
        for (const char* name : CouponBoxes)
            Box(name)->setChecked(false);
        for (const char* name : c.ticked)
            Click(Box(name));
        Click(Radio(c.radio));
        ASSERT_TRUE(Radio(c.radio)->isChecked());
        for (int n = -1; n <= 4; ++n)
            EXPECT_EQ(dialog.Selected(n), c.selected[n + 1]) << "coupon " << n;
        EXPECT_EQ(dialog.AllChecked(), QLatin1String(c.radio) == QLatin1String("rdbAll"));
    }
}

TEST_F(PrintSelectShow, RadioButtonsEnableTheBoxesAndKeepTheirTicks)
{
    ShowFor(pwPrzelew, false);
    Click(Radio("rdbSelection"));
    for (const char* name : CouponBoxes)
        EXPECT_TRUE(Box(name)->isEnabled()) << name;
    Click(Box("cbxFirst"));
    Click(Box("cbxFourth"));
    for (const char* radio : {"rdBTwo", "rdbAll"}) {
        Click(Radio(radio));
        for (const char* name : CouponBoxes)
            EXPECT_FALSE(Box(name)->isEnabled()) << radio << ' ' << name;
        EXPECT_TRUE(Box("cbxFirst")->isChecked()) << radio;
        EXPECT_TRUE(Box("cbxFourth")->isChecked()) << radio;
        EXPECT_FALSE(Box("cbxSecond")->isChecked()) << radio;
    }
    Click(Radio("rdbSelection"));
    EXPECT_TRUE(dialog.Selected(0));
    EXPECT_FALSE(dialog.Selected(1));
    EXPECT_TRUE(dialog.Selected(3));
}

using PrintSelectClose = PrintSelectFixture;

TEST_F(PrintSelectClose, OkWithNoCouponTickedIsRefusedUntilOneIs)
{
    int shownAfterRefusal = -1;
    QTimer::singleShot(0, &dialog, [&] {
        Click(Radio("rdbSelection"));
        Click(Button("Button2"));
        shownAfterRefusal = boxes.count;
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(Radio("rdbSelection")->isChecked());
        Click(Box("cbxThird"));
        Click(Button("Button2"));
        // Ends the modal run even when OK is refused wrongly, so the test fails instead of hanging.
        if (dialog.isVisible()) {
            ADD_FAILURE() << "OK refused with a coupon ticked";
            dialog.QDialog::done(QDialog::Rejected);
        }
    });
    document.FPrzelewWplata = pwPrzelew;
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(shownAfterRefusal, 1);
    EXPECT_EQ(boxes.count, 1);
    EXPECT_EQ(boxes.text, QStringLiteral("Wybierz przynajmniej jeden odcinek do wydruku."));
    EXPECT_EQ(boxes.title, QStringLiteral("Drukowanie"));
    EXPECT_EQ(boxes.icon, QMessageBox::Critical);
    EXPECT_EQ(boxes.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(dialog.Selected(2));
    EXPECT_FALSE(dialog.Selected(0));
}

TEST_F(PrintSelectShow, AnulujClosesWithoutAskingWhateverIsChosen)
{
    ShowFor(pwPrzelew, false);
    Click(Radio("rdbSelection"));
    Click(Button("Button1"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(boxes.count, 0);
}

TEST(PrinterSetupDialog, OffersNoPageRangeOrCopies)
{
    QPrinter printer;
    QPrintDialog setup(&printer);
    ConfigurePrinterSetupDialog(setup);
    setup.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&setup));
    // Unfolds the dialog's further options, where the copies would be.
    for (QPushButton* button : setup.findChildren<QPushButton*>())
        if (button->text().contains(QLatin1String("Options")))
            QTest::mouseClick(button, Qt::LeftButton);
    auto* copies = setup.findChild<QSpinBox*>(QStringLiteral("copies"));
    ASSERT_NE(copies, nullptr);
    EXPECT_FALSE(copies->isVisibleTo(&setup));
    auto* range = setup.findChild<QWidget*>(QStringLiteral("gbPrintRange"));
    ASSERT_NE(range, nullptr);
    EXPECT_FALSE(range->isVisibleTo(&setup));
    setup.hide();
}

} // namespace
