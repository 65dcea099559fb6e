// File New through the new-document chooser: a form of each kind, opening a
// stored file, a recent file, and the ways of choosing nothing.
#include "MainFormTestSupport.h"

namespace MainFormTest {
namespace {

constexpr int ChooserButtonHeightPx = 68;

enum class Trigger { CtrlN, ToolBarButton, Menu };

class MainFormChooser : public MainFormShown {
protected:
    void NewDocument(Trigger how)
    {
        Idle();
        if (how == Trigger::CtrlN)
            Key(Qt::Key_N, Qt::ControlModifier);
        else if (how == Trigger::ToolBarButton)
            QTest::mouseClick(Button("FileNew"), Qt::LeftButton);
        else
            ChooseMenu(FileMenu(), Act("FileNew"));
        Idle();
    }

    static ModalScript::Act ClickGroupButton(const char* group, int index)
    {
        return [group, index](QWidget* w) {
            auto* buttons = w->findChild<QWidget*>(QLatin1String(group));
            ASSERT_NE(buttons, nullptr) << group;
            QTest::mouseClick(buttons, Qt::LeftButton, {},
                              QPoint(buttons->width() / 2, index * ChooserButtonHeightPx + ChooserButtonHeightPx / 2));
        };
    }
};

TEST_F(MainFormChooser, ChosenKindGetsANewUntitledDocument)
{
    const struct {
        int button;
        quint16 kind;
        Trigger how;
    } cases[] = {{0, bkTransfer, Trigger::CtrlN},
                 {1, bkTransferZus, Trigger::ToolBarButton},
                 {2, bkTransferTax, Trigger::Menu},
                 {3, bkMoneyOrder, Trigger::CtrlN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        modals.Expect<TfrmNewBlank>(ClickGroupButton("ButtonGroup1", c.button));
        NewDocument(c.how);
        ASSERT_EQ(main->BlankForms().size(), c.button + 1);
        TfrmBlank* form = main->ActiveBlank();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->Kind(), c.kind);
        EXPECT_TRUE(form->FileName().isEmpty());
        EXPECT_EQ(form->windowTitle(), QStringLiteral("<Bez nazwy>[*]"));
        EXPECT_FALSE(form->Modified());
        EXPECT_EQ(form->PixelsPerInch(), 100);
    }
}

TEST_F(MainFormChooser, OtworzZPlikuLeadsToTheOpenDialog)
{
    const QString path = Doc(QStringLiteral("zapisany.wpt"), bkTransferTax);
    modals.Expect<TfrmNewBlank>(ClickGroupButton("ButtonGroup2", 0));
    modals.Expect<QFileDialog>(EnterFileName(path));
    NewDocument(Trigger::CtrlN);
    ASSERT_EQ(OpenedFiles(), QStringList({path}));
    EXPECT_EQ(main->BlankForms()[0]->Kind(), bkTransferTax);
    EXPECT_EQ(main->RecentFiles(), QStringList({path}));
}

TEST_F(MainFormChooser, AnulujAndEscCreateNothing)
{
    modals.Expect<TfrmNewBlank>(ClickChild("Button1"));
    NewDocument(Trigger::CtrlN);
    EXPECT_TRUE(main->BlankForms().isEmpty());
    // A kind chosen once is not chosen again by Esc.
    modals.Expect<TfrmNewBlank>(ClickGroupButton("ButtonGroup1", 3));
    NewDocument(Trigger::CtrlN);
    ASSERT_EQ(main->BlankForms().size(), 1);
    modals.Expect<TfrmNewBlank>(PressEscape());
    NewDocument(Trigger::CtrlN);
    EXPECT_EQ(main->BlankForms().size(), 1);
    EXPECT_TRUE(modals.Pending().isEmpty());
}

class MainFormChooserRecent : public MainFormChooser {
protected:
    void BeforeMainForm() override
    {
        ASSERT_TRUE(early.isValid());
        WriteDocument(path, bkMoneyOrder);
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        reg.WriteInteger(QStringLiteral("RecentFilesCount"), 1);
        reg.WriteString(QStringLiteral("File1"), path);
    }
    QTemporaryDir early;
    const QString path = early.filePath(QStringLiteral("ostatni.wpt"));
};

TEST_F(MainFormChooserRecent, RecentFilePickedFromOstatniePlikiOpensAndClosesTheChooser)
{
    QStringList offered;
    modals.Expect<TfrmNewBlank>(ClickChild("btnRecent"));
    modals.Expect<QMenu>(PickMenuItem(0, &offered));
    NewDocument(Trigger::CtrlN);
    EXPECT_TRUE(QTest::qWaitFor([] { return !frmNewBlank()->isVisible(); }, WaitMs));
    EXPECT_EQ(offered, Numbered({path}));
    EXPECT_EQ(frmNewBlank()->result(), QDialog::Rejected);
    ASSERT_EQ(OpenedFiles(), QStringList({path})) << "the file, and no new form of a kind";
    EXPECT_EQ(main->BlankForms()[0]->Kind(), bkMoneyOrder);
}

} // namespace
} // namespace MainFormTest
