// The document window's print: the coupon dialog chooses the layout, the small
// receipt overrides it; no printer or no layout means nothing at all.
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

TEST(PrintDispatchTest, TheDialogsLayoutOrTheSmallReceiptsStripsGoToThePrinter)
{
    InitializeCommonUnit();
    InitializePrintSelect();
    TempConfig config;
    QTemporaryDir dir;
    const auto spool = [&](const QStringList& printers) {
        const QPageSize a4(QPageSize::A4);
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), printers, 300, a4, QMarginsF()));
    };
    spool({QStringLiteral("pdf")});
    // Vertical, small receipt: the pages of four coupons and the receipt's strip.
    const int rows[][3] = {{true, false, 2}, {false, false, 1}, {true, true, 1}};
    int job = 1;
    for (const auto& [vertical, receipt, pages] : rows) {
        TfrmBlank form(nullptr, bkTransfer);
        form.SetEditorValue(82, receipt);
        QTimer::singleShot(0, [vertical = vertical] {
            QWidget* dialog = QApplication::activeModalWidget();
            dialog->findChild<QCheckBox*>(QStringLiteral("cbxVertical"))->setChecked(vertical);
            qobject_cast<QDialog*>(dialog)->accept();
        });
        form.Print();
        const PdfWords read = ReadPdfWords(dir.filePath(QStringLiteral("pdf-%1.pdf").arg(job++)));
        ASSERT_FALSE(read.words.isEmpty()) << read.error.toStdString();
        EXPECT_EQ(read.words.last().page, pages);
        EXPECT_EQ(AllText(read.words).contains(QStringLiteral("DOWÓD/POKWITOWANIE DLA ZLECENIODAWCY")), bool(receipt));
    }
    TfrmBlank(nullptr, 9).Print(); // a kind without a layout
    EXPECT_EQ(static_cast<const TPdfFileSpooler&>(Printer().Spooler()).JobCount(QStringLiteral("pdf")), 3);
    // No dialog may appear without printers: one that did would wait here for ever.
    spool({});
    TfrmBlank(nullptr, bkTransfer).Print();
    FinalizePrintSelect();
}
