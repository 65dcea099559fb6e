// Printing the active document and the printer set-up action, with PDF
// files in place of printers.
#include "MainFormTestSupport.h"

#include "helpers/PdfText.h"
#include "printing/untPrinterOperation.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>

namespace MainFormTest {
namespace {

class MainFormPrint : public MainFormShown {
protected:
    void BeforeMainForm() override { InitializePrinterOperation(); }
    void TearDown() override
    {
        MainFormFixture::TearDown();
        FinalizePrinterOperation();
    }

    TfrmBlank* Marked(const QString& sender)
    {
        TfrmBlank* form = main->CreateBlankForm(bkTransfer, QString());
        EXPECT_NE(form, nullptr);
        if (form)
            form->SetEditorValue(EditorTags::Nadawca, sender);
        Idle();
        return form;
    }
};

// A cancelled coupon dialog prints nothing. Its printer button runs the
// printer set-up action, which saves the set-up in the data folder, and the
// dialog stays; then only the active document prints.
TEST_F(MainFormPrint, CtrlPPrintsTheActiveDocumentAndNoOther)
{
    const QString setupFile = GetUserDataDir() + QStringLiteral("PrinterSetup.cfg");
    ASSERT_FALSE(QFileInfo::exists(setupFile));
    Marked(QStringLiteral("ALFA"));
    TfrmBlank* active = Marked(QStringLiteral("BETA"));
    ASSERT_EQ(main->ActiveBlank(), active);
    modals.Expect<TfrmPrintSelect>(PressEscape());
    QTest::mouseClick(Button("FilePrint"), Qt::LeftButton);
    EXPECT_EQ(Jobs(), 0);

    QString title;
    const TBlankData* asked = nullptr;
    modals.Expect<TfrmPrintSelect>(ClickChild("btnPrinter"));
    modals.Expect<QPrintDialog>([&title](QWidget* w) {
        title = w->windowTitle();
        auto* box = w->findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    modals.Expect<TfrmPrintSelect>([&asked](QWidget* w) {
        asked = static_cast<TfrmPrintSelect*>(w)->Data;
        ClickChild("Button2")(w);
    });
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(title, QStringLiteral("Ustawienia wydruku"));
    EXPECT_TRUE(QFileInfo::exists(setupFile));
    EXPECT_EQ(PrinterOperations()->FileName(), setupFile);
    EXPECT_EQ(asked, &active->Data());
    ASSERT_EQ(Jobs(), 1);
    const PdfWords words = ReadPdfWords(spool.filePath(QStringLiteral("pdf-1.pdf")));
    ASSERT_TRUE(words.error.isEmpty()) << words.error.toStdString();
    const QString text = AllText(words.words).remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(text.contains(QStringLiteral("BETA"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("ALFA"))) << text.toStdString();
}

} // namespace
} // namespace MainFormTest
