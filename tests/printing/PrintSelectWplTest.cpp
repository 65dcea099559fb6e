// Both print dialogs with real events, printing through the document window into a 600 ppi PDF-file printer with
// margins: each choice's and answer's jobs (A4 upright: 595 pt wide); no printer or no layout prints nothing.
#include "helpers/PageRaster.h"
#include "helpers/PdfText.h"
#include "helpers/TempConfig.h"
#include "document/BlankFormUnit.h"
#include "drawing/BackBuffer.h"
#include "drawing/untCommon.h"
#include "platform/MainWindow.h"
#include "platform/Printer.h"
#include "printing/untPrintSelect.h"
#include "printing/untPrintSelect2.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QAbstractButton* Child(const char* name)
{
    return frmPrintSelectWpl()->findChild<QAbstractButton*>(QLatin1String(name));
}
void Click(const char* name) { QTest::mouseClick(Child(name), Qt::LeftButton, {}, QPoint(8, 8)); }
bool KeptBack = false; // the side chosen for a money order, shown for a deposit form turned to landscape
const QString Front = u"Przekaz - awers 595/1"_qs, Back = u"Przekaz - rewers 595/1"_qs;

void Coupons(bool vertical, bool lastThree = false)
{
    QWidget* dialog = QApplication::activeModalWidget();
    dialog->findChild<QCheckBox*>(QStringLiteral("cbxVertical"))->setChecked(vertical);
    dialog->findChild<QAbstractButton*>(QLatin1String(lastThree ? "rdbSelection" : "rdbAll"))->setChecked(true);
    for (const char* box : {"cbxSecond", "cbxThird", "cbxFourth"})
        dialog->findChild<QCheckBox*>(QLatin1String(box))->setChecked(true);
    qobject_cast<QDialog*>(dialog)->accept();
}

TEST(PrintSelectWplTest, EachChoiceAndAnswerGivesItsJobsAndTheSideStaysForTheNextPrint)
{
    TempConfig config;
    QTemporaryDir dir;
    InitializeCommonUnit(), InitializeBackBuffer(), InitializePrintSelectWpl(), InitializePrintSelect();
    const QMarginsF margins(18 * MmPerPoint, 24 * MmPerPoint, 24 * MmPerPoint, 0);
    Printer().SetSpooler(
        std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{u"pdf"_qs}, 600, QPageSize(QPageSize::A4), margins));
    QWidget main; // smaller than the dialog: half the differences, toward zero, go negative
    main.setGeometry(400, 300, 200, 100), main.show(), SetMainWindow(&main);
    QString message;
    const struct { quint16 kind; std::function<void()> steps; QMessageBox::StandardButton answer; QStringList jobs;
                   bool receipt = false; } rows[] = {
        {bkMoneyOrder, [] { QTest::keyClick(frmPrintSelectWpl(), Qt::Key_Escape); }, {}, {}},
        {bkMoneyOrder, [] { frmPrintSelectWpl()->close(); }, {}, {}},
        {bkMoneyOrder, [] { Click("Button1"); }, {}, {}},
        {bkMoneyOrder, [] { Click("Button2"); }, QMessageBox::Ok, {Front, Back}},
        {bkMoneyOrder, [] { Click("Button2"); }, QMessageBox::Cancel, {Front}},
        {bkMoneyOrder, [] { Click("rdBFront"), Click("Button2"); }, {}, {Front}},
        {bkMoneyOrder, [] { Click("rdbBack"), Click("Button2"); }, {}, {Back}},
        {bkDeposit, [] { KeptBack = Child("rdbBack")->isChecked() && Printer().Orientation() == poLandscape;
                         Click("Button1"); }, {}, {}},
        // The printer set-up turns the page to landscape; the dialog stays, and the strip comes out upright.
        {bkMoneyOrder, [] { Click("Button3"), frmPrintSelectWpl()->isVisible() ? Click("Button2") : void(); }, {},
         {Back}},
        // Vertical: two coupons a portrait page (the last three too); else four on a landscape one; or receipt strips.
        {bkTransfer, [] { Coupons(true); }, {}, {u"Blankiet 595/2"_qs}},
        {bkTransfer, [] { Coupons(true, true); }, {}, {u"Blankiet 595/2"_qs}},
        {bkTransfer, [] { Coupons(false); }, {}, {u"Blankiet 842/1"_qs}},
        {bkTransfer, [] { Coupons(true); }, {}, {u"Blankiet 595/1"_qs}, true},
    };
    frmPrintSelectWpl()->OnPrinterSettings = [] { Printer().SetOrientation(poLandscape); };
    int job = 0;
    for (const auto& r : rows) {
        QTimer::singleShot(0, [&] {
            if (r.kind != bkTransfer)
                EXPECT_EQ(frmPrintSelectWpl()->geometry().topLeft(), QPoint(400 - 51, 300 - 21));
            r.steps();
        });
        QTimer answering;
        QObject::connect(&answering, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = QStringList{box->windowTitle(), box->text(), box->defaultButton()->text(),
                                      box->button(QMessageBox::Cancel)->text()}.join(u'|');
                QTest::mouseClick(box->button(r.answer), Qt::LeftButton);
            }
        });
        answering.start(5);
        TfrmBlank form(nullptr, r.kind);
        form.SetEditorValue(82, r.receipt);
        form.Print();
        QStringList jobs;
        while (QFile::exists(dir.filePath(u"pdf-%1.pdf"_qs.arg(job + 1)))) {
            const QString file = dir.filePath(u"pdf-%1.pdf"_qs.arg(++job));
            jobs << PdfInfo(file, u"Title"_qs) + u' ' + PdfInfo(file, u"Page size"_qs).left(3) + u'/'
                        + PdfInfo(file, u"Pages"_qs);
        }
        EXPECT_EQ(jobs, r.jobs);
    }
    EXPECT_EQ(message, u"Drukowanie blankietu|Zaczekaj na wydrukowanie przodu blankietu.\n\rNastępnie odwróć "
                       "tę samą kartkę na drugą stronę i kliknij OK, a zostanie wydrukowany tył blankietu. "
                       "Jeśli nie chcesz drukować tyłu blankietu - kliknij Anuluj.|OK|Anuluj"_qs);
    EXPECT_TRUE(KeptBack);
    // Margins left 150, top and right 200 pixels put the strip 106 and 365 pixels from the sheet's corner.
    ExpectMoneyOrderSides(
        dir.filePath(u"pdf-1.pdf"_qs), dir.filePath(u"pdf-2.pdf"_qs), 106 * 25.4 / 600, 365 * 25.4 / 600, 600);
    // Neither a kind without a layout nor any kind without a printer shows a dialog or prints.
    TfrmBlank(nullptr, 9).Print();
    Printer().SetSpooler(
        std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{}, 600, QPageSize(QPageSize::A4), margins));
    TfrmBlank(nullptr, bkTransfer).Print();
    EXPECT_FALSE(QFile::exists(dir.filePath(u"pdf-%1.pdf"_qs.arg(job + 1))));
    SetMainWindow(nullptr);
    FinalizePrintSelectWpl(), FinalizePrintSelect(), FinalizeBackBuffer();
    // A print asked for while the program closes finds no dialog to build.
    EXPECT_TRUE(!frmPrintSelectWpl() && !frmPrintSelect());
}

} // namespace
