// The side dialog with real events: its window, what each side gives, the
// ways out that print nothing, the side kept from print to print, the
// printer button, the turn-the-sheet message, centring.
#include "helpers/PageRaster.h"
#include "helpers/TempConfig.h"
#include "document/BlankFormUnit.h"
#include "drawing/BackBuffer.h"
#include "drawing/untCommon.h"
#include "platform/MainWindow.h"
#include "platform/Printer.h"
#include "printing/untPrintSelect2.h"

#include <QApplication>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class PrintSelectWplTest : public ::testing::Test {
protected:
    PrintSelectWplTest()
    {
        InitializeCommonUnit(), InitializeBackBuffer(), InitializePrintSelectWpl();
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{u"pdf"_qs}, 300, QPageSize(QPageSize::A4), QMarginsF()));
    }
    ~PrintSelectWplTest() override { FinalizePrintSelectWpl(), FinalizeBackBuffer(); }
    static QAbstractButton* Child(const char* name) { return frmPrintSelectWpl()->findChild<QAbstractButton*>(QLatin1String(name)); }
    static void Click(const char* name) { QTest::mouseClick(Child(name), Qt::LeftButton, {}, QPoint(8, 8)); }
    // Prints a document of the kind, doing in the dialog what the steps say.
    int Print(quint16 kind, const std::function<void()>& steps)
    {
        QTimer::singleShot(0, steps);
        TfrmBlank(nullptr, kind).Print();
        return static_cast<const TPdfFileSpooler&>(Printer().Spooler()).JobCount(u"pdf"_qs);
    }

    TempConfig config;
    QTemporaryDir dir;
};

TEST_F(PrintSelectWplTest, WindowAndEachSideChoice)
{
    TfrmPrintSelectWpl& dialog = *frmPrintSelectWpl();
    EXPECT_EQ(QStringList({dialog.windowTitle(), dialog.findChild<QGroupBox*>()->title(), Child("Button2")->text(),
                           Child("Button1")->text(), Child("Button3")->text()}),
              QStringList({u"Drukowanie"_qs, u"Wybierz strony (przód/tył) blankietu "_qs, u"&Drukuj"_qs, u"&Anuluj"_qs,
                           u"&Ustawienia drukarki..."_qs}));
    EXPECT_EQ(dialog.size(), QSize(303, 142));
    dialog.show();
    const struct {
        const char* radio;
        bool all, front, back;
    } rows[] = {{nullptr, true, true, true}, {"rdBFront", false, true, false}, {"rdbBack", false, false, true}, {"rdbAll", true, true, true}};
    for (const auto& r : rows) {
        r.radio ? Click(r.radio) : void();
        EXPECT_EQ(QList<bool>({dialog.PrintAll(), dialog.PrintFront(), dialog.PrintBack()}), QList<bool>({r.all, r.front, r.back}));
    }
}

TEST_F(PrintSelectWplTest, WaysOutPrintNothingAndTheSideChosenStaysForTheNextPrint)
{
    for (const auto& out : {std::function<void()>([] { QTest::keyClick(frmPrintSelectWpl(), Qt::Key_Escape); }),
                            std::function<void()>([] { frmPrintSelectWpl()->close(); }), std::function<void()>([] { Click("Button1"); })})
        EXPECT_EQ(Print(bkMoneyOrder, out), 0);
    QString asked;
    EXPECT_EQ(Print(bkMoneyOrder, [&asked] {
        QTimer::singleShot(0, [&asked] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            asked = box->windowTitle() + u'|' + box->text() + u'|' + box->defaultButton()->text();
            QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
        });
        Click("Button2");
    }), 1);
    EXPECT_EQ(asked, u"Drukowanie blankietu|Zaczekaj na wydrukowanie przodu blankietu.\n\rNastępnie odwróć tę samą kartkę na drugą stronę "
                     "i kliknij OK, a zostanie wydrukowany tył blankietu. Jeśli nie chcesz drukować tyłu blankietu - kliknij Anuluj.|OK"_qs);
    EXPECT_EQ(Print(bkMoneyOrder, [] { Click("rdbBack"), Click("Button2"); }), 2);
    bool keptBack = false;
    Print(bkDeposit, [&keptBack] { keptBack = Child("rdbBack")->isChecked(), Click("Button1"); });
    EXPECT_TRUE(keptBack);
    // The printer set-up chose landscape; the money order still comes out upright.
    bool stayed = false;
    frmPrintSelectWpl()->OnPrinterSettings = [] { Printer().SetOrientation(poLandscape); };
    EXPECT_EQ(Print(bkMoneyOrder, [&stayed] {
        Click("Button3");
        stayed = frmPrintSelectWpl()->isVisible() && Child("rdbBack")->isChecked();
        Click("Button2");
    }), 3);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(PdfInfo(dir.filePath(u"pdf-3.pdf"_qs), u"Title"_qs) + PdfInfo(dir.filePath(u"pdf-3.pdf"_qs), u"Page size"_qs).section(u' ', 0, 2),
              u"Przekaz - rewers595 x 842"_qs);
}

// Half the size differences, toward zero, also where the dialog is the larger.
TEST_F(PrintSelectWplTest, CentresOverTheMainWindow)
{
    for (const auto& [main, corner] : {std::pair(QRect(100, 50, 600, 480), QPoint(248, 219)), std::pair(QRect(400, 300, 200, 100), QPoint(349, 279))}) {
        QWidget window;
        window.setGeometry(main);
        window.show();
        SetMainWindow(&window);
        frmPrintSelectWpl()->show();
        EXPECT_EQ(frmPrintSelectWpl()->geometry().topLeft(), corner);
        frmPrintSelectWpl()->hide();
    }
    SetMainWindow(nullptr);
}

} // namespace
