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
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(PrintDispatchTest, TheDialogsLayoutOrTheSmallReceiptsStripsGoToThePrinter)
{
    InitializeCommonUnit();
    InitializePrintSelect();
    TempConfig config;
    QTemporaryDir dir;
    const struct {
        bool vertical, smallReceipt;
        int pages; // four coupons
        TPrinterOrientation orientation;
    } rows[] = {{true, false, 2, poPortrait}, {false, false, 1, poLandscape}, {true, true, 1, poPortrait}};
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{QStringLiteral("pdf")}, 300,
                                                           QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5)));
    int job = 0;
    for (const auto& r : rows) {
        TfrmBlank form(nullptr, bkTransfer);
        form.SetEditorValue(82, r.smallReceipt);
        QTimer::singleShot(0, [&r] {
            auto* dialog = qobject_cast<TfrmPrintSelect*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QCheckBox*>(QStringLiteral("cbxVertical"))->setChecked(r.vertical);
            dialog->accept();
        });
        form.Print();
        const PdfWords read = ReadPdfWords(dir.filePath(QStringLiteral("pdf-%1.pdf").arg(++job)));
        ASSERT_FALSE(read.words.isEmpty()) << read.error.toStdString();
        EXPECT_EQ(read.words.last().page, r.pages);
        EXPECT_EQ(AllText(read.words).contains(QStringLiteral("DOWÓD/POKWITOWANIE DLA ZLECENIODAWCY")), r.smallReceipt);
        if (!r.smallReceipt)
            EXPECT_EQ(Printer().Orientation(), r.orientation);
    }
    // Neither a kind without a layout nor a machine without printers prints or asks anything.
    TfrmBlank(nullptr, 9).Print();
    EXPECT_EQ(static_cast<const TPdfFileSpooler&>(Printer().Spooler()).JobCount(QStringLiteral("pdf")), job);
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{}, 300, QPageSize(QPageSize::A4), QMarginsF()));
    TfrmBlank(nullptr, bkTransfer).Print();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    FinalizePrintSelect();
}

} // namespace
