// The document window's print: no printer means nothing at all; otherwise
// the coupon dialog chooses the layout, and the small receipt overrides it.
#include "helpers/PdfText.h"
#include "helpers/TempConfig.h"
#include "document/BlankFormUnit.h"
#include "drawing/untCommon.h"
#include "platform/Printer.h"
#include "printing/untPrintSelect.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class PrintDispatchTest : public ::testing::Test {
protected:
    PrintDispatchTest()
    {
        InitializeCommonUnit();
        InitializePrintSelect();
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{QStringLiteral("pdf")}, 300,
                                                               QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5)));
        form = std::make_unique<TfrmBlank>(nullptr, bkTransfer);
    }
    ~PrintDispatchTest() override { FinalizePrintSelect(); }

    // Answers the coupon dialog when it shows: sets it up, then OK or Cancel.
    void AnswerDialog(std::function<void(TfrmPrintSelect*)> setUp, bool ok)
    {
        QTimer::singleShot(0, [setUp, ok] {
            auto* dialog = qobject_cast<TfrmPrintSelect*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            setUp(dialog);
            ok ? dialog->accept() : dialog->reject();
        });
    }
    static void Tick(TfrmPrintSelect* d, const char* name, bool on)
    {
        if (auto* box = d->findChild<QCheckBox*>(QLatin1String(name)))
            box->setChecked(on);
        if (auto* radio = d->findChild<QRadioButton*>(QLatin1String(name)))
            radio->setChecked(on);
    }
    QString Text(int job = 1) const
    {
        return AllText(ReadPdfWords(dir.filePath(QStringLiteral("pdf-%1.pdf").arg(job))).words);
    }
    int Jobs() const { return static_cast<const TPdfFileSpooler&>(Printer().Spooler()).JobCount(QStringLiteral("pdf")); }

    TempConfig config;
    QTemporaryDir dir;
    std::unique_ptr<TfrmBlank> form;
};

TEST_F(PrintDispatchTest, VerticalChoicePrintsTwoCouponsPerPortraitPage)
{
    AnswerDialog([](TfrmPrintSelect* d) { Tick(d, "cbxVertical", true); }, true);
    form->Print();
    ASSERT_EQ(Jobs(), 1);
    const PdfWords words = ReadPdfWords(dir.filePath(QStringLiteral("pdf-1.pdf")));
    int pages = 0;
    for (const PdfWord& w : words.words)
        pages = std::max(pages, w.page);
    EXPECT_EQ(pages, 2); // four coupons, two per page
    EXPECT_EQ(Printer().Orientation(), poPortrait);
}

TEST_F(PrintDispatchTest, WithoutVerticalAllFourGoOnOneLandscapePage)
{
    AnswerDialog([](TfrmPrintSelect* d) { Tick(d, "cbxVertical", false); }, true);
    form->Print();
    ASSERT_EQ(Jobs(), 1);
    EXPECT_EQ(Printer().Orientation(), poLandscape);
}

TEST_F(PrintDispatchTest, SmallReceiptPrintsStripsWhateverTheDialogShows)
{
    form->SetEditorValue(82, true);
    AnswerDialog([](TfrmPrintSelect* d) { Tick(d, "cbxVertical", true); }, true);
    form->Print();
    ASSERT_EQ(Jobs(), 1);
    EXPECT_NE(Text().indexOf(QStringLiteral("DOWÓD/POKWITOWANIE DLA ZLECENIODAWCY")), -1);
}

TEST_F(PrintDispatchTest, NoPrinterInstalledDoesNothingAtAll)
{
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{}, 300,
                                                           QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5)));
    // No dialog may appear: one that did would wait here for ever.
    form->Print();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PrintDispatchTest, KindWithoutALayoutPrintsNothing)
{
    TfrmBlank other(nullptr, 9);
    other.Print();
    EXPECT_EQ(Jobs(), 0);
}

} // namespace
