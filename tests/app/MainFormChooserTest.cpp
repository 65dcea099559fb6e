// File New through the new-document chooser: a form of each kind, opening a
// stored file, a recent file, and the ways of choosing nothing.
#include "MainFormTestSupport.h"

#include <QPushButton>

namespace MainFormTest {
namespace {

constexpr int ChooserButtonHeightPx = 68;

enum class Trigger { CtrlN, ToolBarButton, Menu };

class MainFormChooser : public MainFormFixture {
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        ShowMain();
    }

    void NewDocument(Trigger how)
    {
        Idle();
        switch (how) {
        case Trigger::CtrlN:
            Key(Qt::Key_N, Qt::ControlModifier);
            break;
        case Trigger::ToolBarButton:
            QTest::mouseClick(ToolBar()->widgetForAction(Act("FileNew")), Qt::LeftButton);
            break;
        case Trigger::Menu:
            ChooseMenu(FileMenu(), Act("FileNew"));
            break;
        }
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

    static ModalScript::Act ClickChild(const char* name)
    {
        return [name](QWidget* w) {
            auto* child = w->findChild<QAbstractButton*>(QLatin1String(name));
            ASSERT_NE(child, nullptr) << name;
            QTest::mouseClick(child, Qt::LeftButton);
        };
    }
};

struct KindCase {
    const char* name;
    int button;
    quint16 kind;
    Trigger how;
};

void PrintTo(const KindCase& c, std::ostream* os)
{
    *os << c.name;
}

class MainFormChooserKind : public MainFormChooser, public ::testing::WithParamInterface<KindCase> {};

TEST_P(MainFormChooserKind, ChosenKindGetsANewUntitledDocument)
{
    modals.Expect(QStringLiteral("chooser"), Is<TfrmNewBlank>(), ClickGroupButton("ButtonGroup1", GetParam().button));
    NewDocument(GetParam().how);
    ASSERT_EQ(main->BlankForms().size(), 1);
    TfrmBlank* form = main->BlankForms()[0];
    EXPECT_EQ(form->Kind(), GetParam().kind);
    EXPECT_TRUE(form->FileName().isEmpty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("<Bez nazwy>[*]"));
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(form->PixelsPerInch(), 100);
    EXPECT_EQ(main->ActiveBlank(), form);
    EXPECT_TRUE(main->RecentFiles().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, MainFormChooserKind,
                         ::testing::Values(KindCase{"Transfer", 0, bkTransfer, Trigger::CtrlN},
                                           KindCase{"TransferZus", 1, bkTransferZus, Trigger::ToolBarButton},
                                           KindCase{"TransferTax", 2, bkTransferTax, Trigger::Menu},
                                           KindCase{"MoneyOrder", 3, bkMoneyOrder, Trigger::CtrlN}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFormChooser, OtworzZPlikuLeadsToTheOpenDialog)
{
    const QString path = Doc(QStringLiteral("zapisany.wpt"), bkTransferTax);
    modals.Expect(QStringLiteral("chooser"), Is<TfrmNewBlank>(), ClickGroupButton("ButtonGroup2", 0));
    modals.Expect(QStringLiteral("open dialog"), Is<QFileDialog>(), EnterFileName(path));
    NewDocument(Trigger::CtrlN);
    ASSERT_EQ(main->BlankForms().size(), 1);
    EXPECT_EQ(main->BlankForms()[0]->FileName(), path);
    EXPECT_EQ(main->BlankForms()[0]->Kind(), bkTransferTax);
    EXPECT_EQ(main->RecentFiles(), QStringList({path}));
}

TEST_F(MainFormChooser, CancellingTheOpenDialogAfterOtworzZPlikuLeavesNoDocument)
{
    modals.Expect(QStringLiteral("chooser"), Is<TfrmNewBlank>(), ClickGroupButton("ButtonGroup2", 0));
    modals.Expect(QStringLiteral("open dialog"), Is<QFileDialog>(), PressEscape());
    NewDocument(Trigger::ToolBarButton);
    EXPECT_TRUE(main->BlankForms().isEmpty());
}

TEST_F(MainFormChooser, AnulujAndEscCreateNothing)
{
    modals.Expect(QStringLiteral("chooser"), Is<TfrmNewBlank>(), ClickChild("Button1"));
    NewDocument(Trigger::CtrlN);
    EXPECT_TRUE(main->BlankForms().isEmpty());
    // A kind chosen once is not chosen again by Esc.
    modals.Expect(QStringLiteral("chooser"), Is<TfrmNewBlank>(), ClickGroupButton("ButtonGroup1", 3));
    NewDocument(Trigger::CtrlN);
    ASSERT_EQ(main->BlankForms().size(), 1);
    modals.Expect(QStringLiteral("chooser"), Is<TfrmNewBlank>(), PressEscape());
    NewDocument(Trigger::CtrlN);
    EXPECT_EQ(main->BlankForms().size(), 1);
    EXPECT_TRUE(modals.Finished());
}

class MainFormChooserRecent : public MainFormChooser {
protected:
    void BeforeMainForm() override
    {
        ASSERT_TRUE(early.isValid());
        path = early.filePath(QStringLiteral("ostatni.wpt"));
        WriteDocument(path, bkMoneyOrder);
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        reg.WriteInteger(QStringLiteral("RecentFilesCount"), 1);
        reg.WriteString(QStringLiteral("File1"), path);
    }
    QTemporaryDir early;
    QString path;
};

TEST_F(MainFormChooserRecent, RecentFilePickedFromOstatniePlikiOpensAndClosesTheChooser)
{
    QStringList offered;
    modals.Expect(QStringLiteral("chooser"), Is<TfrmNewBlank>(), ClickChild("btnRecent"));
    modals.Expect(QStringLiteral("recent files"), Is<QMenu>(), [&offered](QWidget* w) {
        for (QAction* a : static_cast<QMenu*>(w)->actions())
            offered << a->text();
        ClickMenuItem([](QMenu* m) { return m->actions().value(0); })(w);
    });
    NewDocument(Trigger::CtrlN);
    EXPECT_TRUE(QTest::qWaitFor([] { return !frmNewBlank()->isVisible(); }, WaitMs));
    EXPECT_EQ(offered, QStringList({QStringLiteral("&1  ") + path}));
    EXPECT_EQ(frmNewBlank()->result(), QDialog::Rejected);
    ASSERT_EQ(main->BlankForms().size(), 1) << "the file, and no new form of a kind";
    EXPECT_EQ(main->BlankForms()[0]->FileName(), path);
    EXPECT_EQ(main->BlankForms()[0]->Kind(), bkMoneyOrder);
}

} // namespace
} // namespace MainFormTest
