// The two print dialogs: the coupon dialog's captions, choices and refusal; then both with real events, printing
// through the document window into a 600 ppi PDF-file printer, each choice's and answer's jobs (A4 upright: 595 pt).
#include "helpers/PageRaster.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "document/BlankFormUnit.h"
#include "drawing/BackBuffer.h"
#include "drawing/untCommon.h"
#include "platform/MainWindow.h"
#include "platform/Printer.h"
#include "printing/untPrintSelect.h"
#include "printing/untPrintSelect2.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
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

const QString Front = u"Przekaz - awers 595/1"_s, Back = u"Przekaz - rewers 595/1"_s;

// In the dialog shown: a push button clicked, a choice set ("-" cleared), Escape or close.
void Use(const QStringList& steps)
{
    for (const QString& step : steps) {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr) << step.toStdString();
        const bool clear = step.startsWith(u'-');
        if (step == u"Escape")
            QTest::keyClick(dialog, Qt::Key_Escape);
        else if (step == u"close")
            dialog->close();
        else if (auto* choice = dialog->findChild<QAbstractButton*>(step.mid(clear)); choice->isCheckable())
            choice->setChecked(!clear);
        else
            QTest::mouseClick(choice, Qt::LeftButton);
    }
}

TEST(PrintSelectWplTest, EachChoiceAndAnswerGivesItsJobsAndTheSideStaysForTheNextPrint)
{
    TempConfig config;
    QTemporaryDir dir;
    InitializeCommonUnit();
    InitializeBackBuffer();
    InitializePrintSelectWpl();
    InitializePrintSelect();
    const QPageSize a4(QPageSize::A4);
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{u"pdf"_s}, 600, a4, QMarginsF()));
    QWidget main; // smaller than the dialog: half the differences, toward zero, go negative
    main.setGeometry(400, 300, 200, 100);
    main.show();
    SetMainWindow(&main);
    QString message;
    const struct {
        quint16 kind;
        QStringList steps;
        QMessageBox::StandardButton answer;
        QStringList jobs;
        bool receipt = false;
    } rows[] = {
        {bkMoneyOrder, {u"Escape"_s}, {}, {}},
        {bkMoneyOrder, {u"close"_s}, {}, {}},
        {bkMoneyOrder, {u"Button1"_s}, {}, {}},
        {bkMoneyOrder, {u"Button2"_s}, QMessageBox::Ok, {Front, Back}},
        {bkMoneyOrder, {u"Button2"_s}, QMessageBox::Cancel, {Front}},
        {bkMoneyOrder, {u"rdBFront"_s, u"Button2"_s}, {}, {Front}},
        {bkMoneyOrder, {u"rdbBack"_s, u"Button2"_s}, {}, {Back}},
        // The side chosen last is shown for a deposit form, turned to landscape.
        {bkDeposit, {u"Button1"_s}, {}, {}},
        // The printer set-up turns the page to landscape; the dialog stays, and the strip comes out upright.
        {bkMoneyOrder, {u"Button3"_s, u"Button2"_s}, {}, {Back}},
        // Vertical: two coupons a portrait page; else a landscape one; or receipt strips.
        {bkTransfer, {u"cbxVertical"_s, u"cbxSecond"_s, u"cbxThird"_s, u"cbxFourth"_s, u"Button2"_s}, {},
         {u"Blankiet 595/2"_s}},
        {bkTransfer, {u"rdbSelection"_s, u"Button2"_s}, {}, {u"Blankiet 595/2"_s}},
        {bkTransfer, {u"-cbxVertical"_s, u"Button2"_s}, {}, {u"Blankiet 842/1"_s}},
        {bkTransfer, {u"cbxVertical"_s, u"rdbAll"_s, u"Button2"_s}, {}, {u"Blankiet 595/1"_s}, true},
    };
    frmPrintSelectWpl()->OnPrinterSettings = [] { Printer().SetOrientation(poLandscape); };
    int job = 0;
    for (const auto& r : rows) {
        QTimer::singleShot(0, [&] {
            if (r.kind == bkDeposit) {
                EXPECT_TRUE(frmPrintSelectWpl()->findChild<QAbstractButton*>(u"rdbBack"_s)->isChecked());
                EXPECT_EQ(Printer().Orientation(), poLandscape);
            }
            if (r.kind != bkTransfer)
                EXPECT_EQ(frmPrintSelectWpl()->geometry().topLeft(), QPoint(400 - 51, 300 - 21));
            Use(r.steps);
        });
        QTimer answering;
        QObject::connect(&answering, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            const QString buttons = box->defaultButton()->text() + u'|' + box->button(QMessageBox::Cancel)->text();
            message = box->windowTitle() + u'|' + box->text() + u'|' + buttons;
            QTest::mouseClick(box->button(r.answer), Qt::LeftButton);
        });
        answering.start(5);
        TfrmBlank form(nullptr, r.kind);
        form.SetEditorValue(82, r.receipt);
        form.Print();
        QStringList jobs;
        while (QFile::exists(dir.filePath(u"pdf-%1.pdf"_s.arg(job + 1)))) {
            const QString file = dir.filePath(u"pdf-%1.pdf"_s.arg(++job));
            const QString pages = PdfInfo(file, u"Pages"_s);
            jobs << PdfInfo(file, u"Title"_s) + u' ' + PdfInfo(file, u"Page size"_s).left(3) + u'/' + pages;
        }
        EXPECT_EQ(jobs, r.jobs);
    }
    EXPECT_EQ(message, u"Drukowanie blankietu|Zaczekaj na wydrukowanie przodu blankietu.\n\rNastępnie odwróć "
                       "tę samą kartkę na drugą stronę i kliknij OK, a zostanie wydrukowany tył blankietu. "
                       "Jeśli nie chcesz drukować tyłu blankietu - kliknij Anuluj.|OK|Anuluj"_s);
    // Neither a kind without a layout nor any kind without a printer shows a dialog or prints.
    TfrmBlank(nullptr, 9).Print();
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{}, 600, a4, QMarginsF()));
    TfrmBlank(nullptr, bkTransfer).Print();
    EXPECT_FALSE(QFile::exists(dir.filePath(u"pdf-%1.pdf"_s.arg(job + 1))));
    SetMainWindow(nullptr);
    FinalizePrintSelectWpl();
    FinalizePrintSelect();
    FinalizeBackBuffer();
    // A print asked for while the program closes finds no dialog to build.
    EXPECT_EQ(frmPrintSelectWpl(), nullptr);
    EXPECT_EQ(frmPrintSelect(), nullptr);
}

} // namespace
