// The actions on the active document, driven by keys and mouse clicks: their
// enabled state on idle, zoom steps, the reverse side, the modified panel
// and Ctrl+F4.
#include "MainFormTestSupport.h"

namespace MainFormTest {
namespace {

class MainFormActions : public MainFormShown {
protected:
    TfrmBlank* NewDocument(quint16 kind, bool smallReceipt = false)
    {
        TfrmBlank* form = main->CreateBlankForm(kind, QString());
        EXPECT_NE(form, nullptr);
        if (form && smallReceipt)
            form->SetEditorValue(EditorTags::MalePokwit, true);
        Idle();
        return form;
    }

    QMdiSubWindow* SubOf(TfrmBlank* form) const { return qobject_cast<QMdiSubWindow*>(form->parentWidget()); }

    void ClickTitleOf(TfrmBlank* form)
    {
        QMdiSubWindow* sub = SubOf(form);
        QTest::mouseClick(sub, Qt::LeftButton, {}, QPoint(sub->width() / 3, 6));
        Idle();
        ASSERT_EQ(main->ActiveBlank(), form);
    }
};

TEST_F(MainFormActions, ActionsFollowTheActiveDocumentAndItsZoomOnIdle)
{
    struct Case {
        int dpi; // 0: no document
        bool document, up, down;
    };
    auto expectStates = [this](const Case& c) {
        SCOPED_TRACE(c.dpi);
        for (const char* name : {"FilePrint", "FileSaveAs", "FileSave", "FileClose"})
            EXPECT_EQ(Act(name)->isEnabled(), c.document) << name;
        EXPECT_EQ(Act("ViewScaleUp")->isEnabled(), c.up);
        EXPECT_EQ(Act("ViewScaleDown")->isEnabled(), c.down);
        for (const char* name : {"FileNew", "FileOpen", "FilePrinterSettings", "FileExit", "WindowCascade",
                                 "WindowHorizontal", "WindowVertical", "HelpContents", "HelpAbout"})
            EXPECT_TRUE(Act(name)->isEnabled()) << name;
    };
    Idle();
    expectStates({0, false, false, false});
    TfrmBlank* form = NewDocument(bkTransfer);
    for (const Case& c : {Case{100, true, true, true}, Case{500, true, false, true}, Case{50, true, true, false},
                          Case{120, true, true, true}}) {
        form->SetPixelsPerInch(c.dpi);
        Idle();
        expectStates(c);
    }
    SubOf(form)->close();
    Idle();
    expectStates({0, false, false, false});
}

TEST_F(MainFormActions, ToolBarZoomButtonsWalkTheWholeScale)
{
    TfrmBlank* form = NewDocument(bkTransfer);
    ASSERT_EQ(form->PixelsPerInch(), 100);
    std::vector<int> seen;
    for (const char* name : {"ViewScaleUp", "ViewScaleDown"}) {
        while (Act(name)->isEnabled() && seen.size() < 20) {
            QTest::mouseClick(Button(name), Qt::LeftButton);
            seen.push_back(form->PixelsPerInch());
            Idle();
        }
    }
    EXPECT_EQ(seen, std::vector<int>({140, 200, 300, 500, 300, 200, 140, 100, 75, 50}));
}

TEST_F(MainFormActions, ZoomKeysTakeOneStepOrNoneAlsoFromAnEditor)
{
    TfrmBlank* form = NewDocument(bkTransfer);
    TypeInto(form, QStringLiteral("x"));
    const struct {
        int from;
        bool up;
        int to;
    } cases[] = {{100, true, 140}, {100, false, 75}, {50, true, 75},   {500, false, 300},
                 {500, true, 500}, {50, false, 50},  {120, true, 120}, {120, false, 120}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << (c.up ? " up" : " down"));
        form->SetPixelsPerInch(c.from);
        Idle();
        ASSERT_TRUE(form->isAncestorOf(QApplication::focusWidget()));
        Key(c.up ? Qt::Key_Equal : Qt::Key_Minus, Qt::ControlModifier);
        EXPECT_EQ(form->PixelsPerInch(), c.to);
    }
}

TEST_F(MainFormActions, ReverseIsOfferedOnlyForFormsWithASecondSide)
{
    const struct {
        const char* name;
        quint16 kind;
        bool smallReceipt;
        bool enabled;
    } cases[] = {{"Deposit", bkDeposit, false, true},
                 {"MoneyOrder", bkMoneyOrder, false, true},
                 {"TransferWithSmallReceipt", bkTransfer, true, true},
                 {"Transfer", bkTransfer, false, false},
                 {"TransferZus", bkTransferZus, false, false},
                 {"TransferTax", bkTransferTax, false, false}};
    QAction* reverse = Act("ViewReverse");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TfrmBlank* form = NewDocument(c.kind, c.smallReceipt);
        EXPECT_EQ(reverse->isEnabled(), c.enabled);
        EXPECT_FALSE(reverse->isChecked());
        for (bool reversed : {true, false}) {
            QTest::mouseClick(Button("ViewReverse"), Qt::LeftButton);
            Idle();
            EXPECT_EQ(reverse->isChecked(), reversed && c.enabled);
            EXPECT_EQ(form->ViewSide(), reversed && c.enabled ? bsBottom : bsTop);
        }
    }
}

TEST_F(MainFormActions, ReverseFollowsTheDocumentThatBecomesActive)
{
    TfrmBlank* order = NewDocument(bkMoneyOrder);
    QTest::mouseClick(Button("ViewReverse"), Qt::LeftButton);
    Idle();
    ASSERT_EQ(order->ViewSide(), bsBottom);

    TfrmBlank* zus = NewDocument(bkTransferZus);
    EXPECT_FALSE(Act("ViewReverse")->isChecked());
    EXPECT_FALSE(Act("ViewReverse")->isEnabled());

    ClickTitleOf(order);
    EXPECT_TRUE(Act("ViewReverse")->isChecked());
    EXPECT_TRUE(Act("ViewReverse")->isEnabled());

    ClickTitleOf(zus);
    EXPECT_FALSE(Act("ViewReverse")->isChecked());
    EXPECT_EQ(order->ViewSide(), bsBottom) << "the other document keeps its side";
}

TEST_F(MainFormActions, ModifiedDocumentShowsZmodyfikowanyInTheSecondPanel)
{
    const QString modified = QStringLiteral("Zmodyfikowany");
    TfrmBlank* first = NewDocument(bkTransfer);
    EXPECT_NE(main->StatusPanel(1), modified);
    TypeInto(first, QStringLiteral("Jan"));
    EXPECT_EQ(main->StatusPanel(1), modified);

    NewDocument(bkTransferTax);
    EXPECT_NE(main->StatusPanel(1), modified) << "a new window is not modified";
    ClickTitleOf(first);
    EXPECT_EQ(main->StatusPanel(1), modified);

    first->SetFileName(FilePath(QStringLiteral("a.wpt")));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(first->Modified());
    EXPECT_EQ(main->StatusPanel(1), QString());
}

// The MDI sub-window's own Ctrl+F4 must not swallow the action's.
TEST_F(MainFormActions, CtrlF4InAnEditorClosesOnlyTheActiveDocumentAfterOneQuestion)
{
    QPointer<TfrmBlank> kept = NewDocument(bkTransfer);
    QPointer<TfrmBlank> closed = NewDocument(bkTransferZus);
    TypeInto(closed, QStringLiteral("abc"));
    modals.Expect<QMessageBox>(Click(QMessageBox::No));
    Idle();
    Key(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(main->ActiveBlank(), kept) << "at once, before the closed window is freed";
    EXPECT_EQ(main->BlankForms(), QList<TfrmBlank*>({kept.data()}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed.isNull(); }, WaitMs));
    EXPECT_EQ(modals.texts.size(), 1);
    EXPECT_FALSE(kept.isNull());
}

} // namespace
} // namespace MainFormTest
