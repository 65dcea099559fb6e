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

class MainFormPrint : public MainFormFixture {
protected:
    void BeforeMainForm() override { InitializePrinterOperation(); }
    void SetUp() override
    {
        MainFormFixture::SetUp();
        ShowMain();
    }
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

    QString SetupFile() const { return GetUserDataDir() + QStringLiteral("PrinterSetup.cfg"); }

    static ModalScript::Act ClickBox(QDialogButtonBox::StandardButton which)
    {
        return [which](QWidget* w) {
            auto* box = w->findChild<QDialogButtonBox*>();
            QPushButton* button = box ? box->button(which) : nullptr;
            ASSERT_NE(button, nullptr);
            QTest::mouseClick(button, Qt::LeftButton);
        };
    }
};

TEST_F(MainFormPrint, CtrlPPrintsTheActiveDocumentAndNoOther)
{
    Marked(QStringLiteral("ALFA"));
    TfrmBlank* active = Marked(QStringLiteral("BETA"));
    ASSERT_EQ(main->ActiveBlank(), active);
    TfrmBlank* asked = nullptr;
    modals.Expect(QStringLiteral("coupon dialog"), Is<TfrmPrintSelect>(), [&asked](QWidget* w) {
        asked = static_cast<TfrmPrintSelect*>(w)->BlankForm;
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
    });
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(asked, active);
    ASSERT_EQ(Jobs(), 1);
    const PdfWords words = ReadPdfWords(spool.filePath(QStringLiteral("pdf-1.pdf")));
    ASSERT_TRUE(words.error.isEmpty()) << words.error.toStdString();
    const QString text = AllText(words.words).remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(text.contains(QStringLiteral("BETA"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("ALFA"))) << text.toStdString();
}

TEST_F(MainFormPrint, CancelledCouponDialogPrintsNothing)
{
    Marked(QStringLiteral("ALFA"));
    modals.Expect(QStringLiteral("coupon dialog"), Is<TfrmPrintSelect>(), PressEscape());
    QTest::mouseClick(ToolBar()->widgetForAction(Act("FilePrint")), Qt::LeftButton);
    EXPECT_EQ(Jobs(), 0);
}

TEST_F(MainFormPrint, PrinterSettingsAcceptedAreSavedInTheDataFolder)
{
    ASSERT_FALSE(QFileInfo::exists(SetupFile()));
    QString title;
    modals.Expect(QStringLiteral("printer set-up"), Is<QPrintDialog>(), [&title](QWidget* w) {
        title = w->windowTitle();
        ClickBox(QDialogButtonBox::Ok)(w);
    });
    Key(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(title, QStringLiteral("Ustawienia wydruku"));
    EXPECT_TRUE(QFileInfo::exists(SetupFile()));
    EXPECT_EQ(PrinterOperations()->FileName(), SetupFile());
}

TEST_F(MainFormPrint, PrinterSettingsCancelledSaveNothing)
{
    modals.Expect(QStringLiteral("printer set-up"), Is<QPrintDialog>(), ClickBox(QDialogButtonBox::Cancel));
    ChooseMenu(FileMenu(), Act("FilePrinterSettings"));
    Idle();
    EXPECT_FALSE(QFileInfo::exists(SetupFile()));
}

TEST_F(MainFormPrint, CouponDialogsPrinterButtonRunsThePrinterSettingsAction)
{
    Marked(QStringLiteral("ALFA"));
    modals.Expect(QStringLiteral("coupon dialog"), Is<TfrmPrintSelect>(), [](QWidget* w) {
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btnPrinter")), Qt::LeftButton);
    });
    modals.Expect(QStringLiteral("printer set-up"), Is<QPrintDialog>(), ClickBox(QDialogButtonBox::Ok));
    modals.Expect(QStringLiteral("coupon dialog again"), Is<TfrmPrintSelect>(), PressEscape());
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(QFileInfo::exists(SetupFile()));
    EXPECT_EQ(Jobs(), 0);
}

} // namespace
} // namespace MainFormTest
