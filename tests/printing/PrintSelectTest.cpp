#include "drawing/BlankData.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "platform/MainWindow.h"
#include "printing/untPrintSelect.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const char* const Boxes[] = {"cbxFirst", "cbxSecond", "cbxThird", "cbxFourth"};

class PrintSelectTest : public ::testing::Test {
protected:
    PrintSelectTest()
    {
        document.FKind = bkTransfer;
        dialog.Data = &document;
    }
    QAbstractButton* Child(const char* name) { return dialog.findChild<QAbstractButton*>(QLatin1String(name)); }
    void Click(const char* name) { QTest::mouseClick(Child(name), Qt::LeftButton, {}, QPoint(8, 8)); }
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
};

// Centred over the main window though another is active.
TEST_F(PrintSelectTest, CentredCaptionsFollowThePaymentModeAndTheSmallReceiptDisablesOwnChoices)
{
    QWidget main, other;
    main.setGeometry(100, 50, 600, 480);
    other.setGeometry(900, 700, 300, 200);
    main.show();
    other.show();
    other.activateWindow();
    SetMainWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    // The captions: of two coupons, then of the four.
    const struct {
        TPrzelewWplata mode;
        bool smallReceipt;
        QStringList captions;
    } rows[] = {
        {pwWplata, false, {"Drukuj 2 odcinki: dla banku i wpłacającego", "dla banku", "dla posiadacza rachunku",
                           "dla wpłacającego", "dla instytucji przyjmującej zlecenie"}},
        {pwNone, true, {"Drukuj 2 odcinki: dla banku odbiorcy i zleceniodawcy", "dla banku odbiorcy", "dla odbiorcy",
                            "dla zleceniodawcy", "dla banku zleceniodawcy"}},
    };
    Click("cbxVertical");
    for (const auto& r : rows) {
        ShowFor(r.mode, r.smallReceipt);
        EXPECT_EQ(dialog.geometry().topLeft(), QPoint(100 + 138, 50 + 90));
        QStringList shown{Child("rdBTwo")->text()};
        for (const char* box : Boxes)
            shown << Child(box)->text();
        EXPECT_EQ(shown, r.captions);
        for (const char* name : {"rdbSelection", "cbxVertical", "cbxAutoScale"})
            EXPECT_EQ(Child(name)->isEnabled(), !r.smallReceipt) << name;
        // Kept while disabled.
        EXPECT_TRUE(dialog.Vertical());
        EXPECT_FALSE(dialog.AutoScale());
    }
}

TEST_F(PrintSelectTest, EachChoiceGivesItsCouponsAndOkWantsOne)
{
    // selected: coupons -1 to 4.
    const struct {
        const char* radio;
        QStringList ticked;
        QString selected;
    } rows[] = {
        {"rdbAll", {"cbxSecond"}, "######"}, {"rdBTwo", {"cbxSecond"}, ".#.#.."},
        {"rdbSelection", {"cbxSecond", "cbxFourth"}, "..#.#."}, {"rdbSelection", {"cbxFirst", "cbxThird"}, ".#.#.."}};
    for (const auto& r : rows) {
        ShowFor(pwPrzelew, false);
        Click("rdbSelection");
        for (const char* name : Boxes)
            Child(name)->setChecked(r.ticked.contains(QLatin1String(name)));
        Click(r.radio);
        QString selected;
        for (int n = -1; n <= 4; ++n)
            selected += dialog.Selected(n) ? u'#' : u'.';
        EXPECT_EQ(selected, r.selected) << r.radio;
        EXPECT_EQ(dialog.AllChecked(), r.radio == QLatin1String("rdbAll"));
        EXPECT_EQ(Child(Boxes[0])->isEnabled(), r.radio == QLatin1String("rdbSelection"));
    }
    for (const char* name : Boxes)
        Child(name)->setChecked(false);
    QString said;
    // With none ticked Cancel closes at once; OK is refused with an error until one is.
    QTimer::singleShot(0, &dialog, [&] { Click("Button1"); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    QTimer::singleShot(0, &dialog, [&] {
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                said = box->windowTitle() + u": "_s + box->text() + QString::number(box->icon());
                box->accept();
            }
        });
        Click("Button2");
        Click("cbxFourth");
        Click("Button2");
        if (dialog.isVisible())
            dialog.QDialog::done(QDialog::Rejected); // a refusal with a coupon ticked fails rather than hangs
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(dialog.Selected(3));
    EXPECT_FALSE(dialog.Selected(2));
    EXPECT_EQ(said, QStringLiteral("Drukowanie: Wybierz przynajmniej jeden odcinek do wydruku.%1")
                        .arg(QMessageBox::Critical));
}

} // namespace
