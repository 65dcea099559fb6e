// The actions on the active document, driven by keys and mouse clicks: their
// enabled state on idle, zoom steps, the reverse side, the modified panel,
// Ctrl+F4 and the window arrangement.
#include "MainFormTestSupport.h"

#include <QPlainTextEdit>

namespace MainFormTest {
namespace {

class MainFormActions : public MainFormFixture {
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        ShowMain();
    }

    TfrmBlank* NewDocument(quint16 kind, bool smallReceipt = false)
    {
        TfrmBlank* form = main->CreateBlankForm(kind, QString());
        EXPECT_NE(form, nullptr);
        if (form && smallReceipt)
            form->SetEditorValue(EditorTags::MalePokwit, true);
        Idle();
        return form;
    }

    // Types into the document's recipient field, as a user edits a form.
    void TypeInto(TfrmBlank* form, const QString& text)
    {
        QWidget* editor = form->EditorOfTag(EditorTags::Nadawca);
        ASSERT_NE(editor, nullptr);
        QWidget* target = qobject_cast<QPlainTextEdit*>(editor) ? static_cast<QPlainTextEdit*>(editor)->viewport()
                                                                : editor;
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

    QToolButton* Button(const char* action) const
    {
        return qobject_cast<QToolButton*>(ToolBar()->widgetForAction(Act(action)));
    }

    QMdiSubWindow* SubOf(TfrmBlank* form) const { return qobject_cast<QMdiSubWindow*>(form->parentWidget()); }

    void ClickTitleOf(TfrmBlank* form)
    {
        QMdiSubWindow* sub = SubOf(form);
        QTest::mouseClick(sub, Qt::LeftButton, {}, QPoint(sub->width() / 3, 6));
        Idle();
    }
};

struct EnabledCase {
    const char* scenario;
    bool withDocument;
    int dpi;
    bool documentActions;
    bool scaleUp;
    bool scaleDown;
};

void PrintTo(const EnabledCase& c, std::ostream* os)
{
    *os << c.scenario;
}

class MainFormEnabled : public MainFormActions, public ::testing::WithParamInterface<EnabledCase> {};

TEST_P(MainFormEnabled, ActionsFollowTheActiveDocumentAndItsZoomOnIdle)
{
    const EnabledCase& c = GetParam();
    if (c.withDocument)
        NewDocument(bkTransfer)->SetPixelsPerInch(c.dpi);
    Idle();
    for (const char* name : {"FilePrint", "FileSaveAs", "FileSave", "FileClose"})
        EXPECT_EQ(Act(name)->isEnabled(), c.documentActions) << name;
    EXPECT_EQ(Act("ViewScaleUp")->isEnabled(), c.scaleUp);
    EXPECT_EQ(Act("ViewScaleDown")->isEnabled(), c.scaleDown);
    // The others are left to their own state.
    for (const char* name : {"FileNew", "FileOpen", "FilePrinterSettings", "FileExit", "WindowCascade",
                             "WindowHorizontal", "WindowVertical", "HelpContents", "HelpAbout"})
        EXPECT_TRUE(Act(name)->isEnabled()) << name;
}

INSTANTIATE_TEST_SUITE_P(Documents, MainFormEnabled,
                         ::testing::Values(EnabledCase{"NoDocument", false, 0, false, false, false},
                                           EnabledCase{"At100", true, 100, true, true, true},
                                           EnabledCase{"At500", true, 500, true, false, true},
                                           EnabledCase{"At50", true, 50, true, true, false},
                                           EnabledCase{"At120", true, 120, true, true, true}),
                         [](const auto& info) { return std::string(info.param.scenario); });

TEST_F(MainFormActions, StatesAreRefreshedWheneverTheProgramGoesIdle)
{
    TfrmBlank* form = main->CreateBlankForm(bkTransfer, QString());
    ASSERT_NE(form, nullptr);
    Idle();
    EXPECT_TRUE(Act("FileClose")->isEnabled());
    form->SetPixelsPerInch(500);
    Idle();
    EXPECT_FALSE(Act("ViewScaleUp")->isEnabled());
    SubOf(form)->close();
    Idle();
    EXPECT_FALSE(Act("FileClose")->isEnabled());
    EXPECT_FALSE(Act("ViewScaleDown")->isEnabled());
}

// One zoom key from a starting zoom.
struct ZoomCase {
    const char* name;
    int from;
    bool up;
    int to;
};

void PrintTo(const ZoomCase& c, std::ostream* os)
{
    *os << c.name;
}

class MainFormZoom : public MainFormActions, public ::testing::WithParamInterface<ZoomCase> {};

TEST_P(MainFormZoom, ZoomKeyTakesOneStepOrNone)
{
    TfrmBlank* form = NewDocument(bkTransfer);
    ASSERT_EQ(form->PixelsPerInch(), 100);
    form->SetPixelsPerInch(GetParam().from);
    Idle();
    Key(GetParam().up ? Qt::Key_Equal : Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form->PixelsPerInch(), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Steps, MainFormZoom,
                         ::testing::Values(ZoomCase{"Up100", 100, true, 140}, ZoomCase{"Down100", 100, false, 75},
                                           ZoomCase{"Up50", 50, true, 75}, ZoomCase{"Up300", 300, true, 500},
                                           ZoomCase{"Down75", 75, false, 50}, ZoomCase{"Down500", 500, false, 300},
                                           ZoomCase{"UpAtTheTop", 500, true, 500},
                                           ZoomCase{"DownAtTheBottom", 50, false, 50},
                                           ZoomCase{"UpFromNoStep", 120, true, 120},
                                           ZoomCase{"DownFromNoStep", 120, false, 120}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFormActions, ToolBarZoomButtonsWalkTheWholeScale)
{
    TfrmBlank* form = NewDocument(bkTransfer);
    std::vector<int> seen;
    while (Act("ViewScaleUp")->isEnabled() && seen.size() < 10) {
        QTest::mouseClick(Button("ViewScaleUp"), Qt::LeftButton);
        seen.push_back(form->PixelsPerInch());
        Idle();
    }
    while (Act("ViewScaleDown")->isEnabled() && seen.size() < 20) {
        QTest::mouseClick(Button("ViewScaleDown"), Qt::LeftButton);
        seen.push_back(form->PixelsPerInch());
        Idle();
    }
    EXPECT_EQ(seen, std::vector<int>({140, 200, 300, 500, 300, 200, 140, 100, 75, 50}));
}

TEST_F(MainFormActions, ZoomKeysWorkWhileTheCursorIsInAnEditor)
{
    TfrmBlank* form = NewDocument(bkTransfer);
    TypeInto(form, QStringLiteral("x"));
    ASSERT_TRUE(form->isAncestorOf(QApplication::focusWidget()));
    Idle();
    Key(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(form->PixelsPerInch(), 140);
    Idle();
    Key(Qt::Key_Minus, Qt::ControlModifier);
    Idle();
    Key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form->PixelsPerInch(), 75);
}

struct ReverseCase {
    const char* name;
    quint16 kind;
    bool smallReceipt;
    bool enabled;
};

void PrintTo(const ReverseCase& c, std::ostream* os)
{
    *os << c.name;
}

class MainFormReverse : public MainFormActions, public ::testing::WithParamInterface<ReverseCase> {};

TEST_P(MainFormReverse, ReverseIsOfferedOnlyForFormsWithASecondSide)
{
    TfrmBlank* form = NewDocument(GetParam().kind, GetParam().smallReceipt);
    Idle();
    QAction* reverse = Act("ViewReverse");
    EXPECT_EQ(reverse->isEnabled(), GetParam().enabled);
    EXPECT_FALSE(reverse->isChecked());
    QTest::mouseClick(Button("ViewReverse"), Qt::LeftButton);
    Idle();
    EXPECT_EQ(reverse->isChecked(), GetParam().enabled);
    EXPECT_EQ(form->ViewSide(), GetParam().enabled ? bsBottom : bsTop);
    QTest::mouseClick(Button("ViewReverse"), Qt::LeftButton);
    Idle();
    EXPECT_FALSE(reverse->isChecked());
    EXPECT_EQ(form->ViewSide(), bsTop);
}

INSTANTIATE_TEST_SUITE_P(Kinds, MainFormReverse,
                         ::testing::Values(ReverseCase{"Deposit", bkDeposit, false, true},
                                           ReverseCase{"MoneyOrder", bkMoneyOrder, false, true},
                                           ReverseCase{"TransferWithSmallReceipt", bkTransfer, true, true},
                                           ReverseCase{"Transfer", bkTransfer, false, false},
                                           ReverseCase{"TransferZus", bkTransferZus, false, false},
                                           ReverseCase{"TransferTax", bkTransferTax, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFormActions, ReverseFollowsTheDocumentThatBecomesActive)
{
    TfrmBlank* order = NewDocument(bkMoneyOrder);
    QTest::mouseClick(Button("ViewReverse"), Qt::LeftButton);
    Idle();
    ASSERT_EQ(order->ViewSide(), bsBottom);
    ASSERT_TRUE(Act("ViewReverse")->isChecked());

    TfrmBlank* zus = NewDocument(bkTransferZus);
    ASSERT_EQ(main->ActiveBlank(), zus);
    EXPECT_FALSE(Act("ViewReverse")->isChecked());
    EXPECT_FALSE(Act("ViewReverse")->isEnabled());

    ClickTitleOf(order);
    ASSERT_EQ(main->ActiveBlank(), order);
    EXPECT_TRUE(Act("ViewReverse")->isChecked());
    EXPECT_TRUE(Act("ViewReverse")->isEnabled());

    ClickTitleOf(zus);
    ASSERT_EQ(main->ActiveBlank(), zus);
    EXPECT_FALSE(Act("ViewReverse")->isChecked());
    EXPECT_EQ(order->ViewSide(), bsBottom) << "the other document keeps its side";
}

TEST_F(MainFormActions, ModifiedDocumentShowsZmodyfikowanyInTheSecondPanel)
{
    TfrmBlank* first = NewDocument(bkTransfer);
    EXPECT_NE(main->StatusPanel(1), QStringLiteral("Zmodyfikowany"));
    TypeInto(first, QStringLiteral("Jan"));
    ASSERT_TRUE(first->Modified());
    EXPECT_EQ(main->StatusPanel(1), QStringLiteral("Zmodyfikowany"));

    TfrmBlank* second = NewDocument(bkTransferTax);
    ASSERT_FALSE(second->Modified());
    EXPECT_NE(main->StatusPanel(1), QStringLiteral("Zmodyfikowany")) << "a new window is not modified";
    ClickTitleOf(first);
    ASSERT_EQ(main->ActiveBlank(), first);
    EXPECT_EQ(main->StatusPanel(1), QStringLiteral("Zmodyfikowany"));

    first->SetFileName(FilePath(QStringLiteral("a.wpt")));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(first->Modified());
    EXPECT_EQ(main->StatusPanel(1), QString());
}

TEST_F(MainFormActions, CtrlF4ClosesOnlyTheActiveDocument)
{
    TfrmBlank* first = NewDocument(bkTransfer);
    TfrmBlank* second = NewDocument(bkMoneyOrder);
    QPointer<TfrmBlank> kept = first;
    QPointer<TfrmBlank> closed = second;
    ASSERT_EQ(main->ActiveBlank(), second);
    Key(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(main->ActiveBlank(), first) << "at once, before the closed window is freed";
    EXPECT_EQ(main->BlankForms(), QList<TfrmBlank*>({first}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed.isNull(); }, WaitMs));
    EXPECT_FALSE(kept.isNull());
    EXPECT_EQ(main->BlankForms(), QList<TfrmBlank*>({first}));
}

TEST_F(MainFormActions, CtrlF4InAnEditorAsksOnceAboutAModifiedDocument)
{
    NewDocument(bkTransfer);
    QPointer<TfrmBlank> form = NewDocument(bkTransferZus);
    TypeInto(form, QStringLiteral("abc"));
    ASSERT_TRUE(form->isAncestorOf(QApplication::focusWidget()));
    modals.Expect(QStringLiteral("close question"), Is<QMessageBox>(), Click(QMessageBox::No));
    Idle();
    Key(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isNull(); }, WaitMs));
    EXPECT_EQ(modals.texts.size(), 1);
    EXPECT_EQ(main->BlankForms().size(), 1);
}

TEST_F(MainFormActions, ZamknijFromTheMenuClosesTheActiveDocument)
{
    QPointer<TfrmBlank> form = NewDocument(bkTransfer);
    ChooseMenu(FileMenu(), Act("FileClose"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isNull(); }, WaitMs));
    Idle();
    EXPECT_FALSE(Act("FileClose")->isEnabled());
}

TEST_F(MainFormActions, ZamknijClosesTheDocumentItsStateWasTakenFromWhileAnotherWindowIsActive)
{
    QPointer<TfrmBlank> form = NewDocument(bkTransfer);
    QWidget other;
    other.setWindowTitle(QStringLiteral("inne okno"));
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other, WaitMs));
    Idle();
    ASSERT_TRUE(Act("FileClose")->isEnabled());
    ChooseMenu(FileMenu(), Act("FileClose"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isNull(); }, WaitMs));
}

// Tiling lays the windows side by side or one above the other over the
// whole document area; cascading overlaps them with an offset.
TEST_F(MainFormActions, WindowArrangementsTileAndCascade)
{
    TfrmBlank* forms[] = {NewDocument(bkTransfer), NewDocument(bkTransferZus), NewDocument(bkMoneyOrder)};
    auto* menu = main->findChild<QMenu*>(QStringLiteral("MenuWindow"));
    const QRect area = Area()->viewport()->rect();

    ChooseMenu(menu, Act("WindowVertical"));
    Idle();
    for (int i = 0; i < 3; ++i) {
        const QRect g = SubOf(forms[i])->geometry();
        EXPECT_EQ(g.height(), area.height()) << i;
        EXPECT_NEAR(g.width(), area.width() / 3, 2) << i;
    }
    EXPECT_NE(SubOf(forms[0])->x(), SubOf(forms[1])->x());

    ChooseMenu(menu, Act("WindowHorizontal"));
    Idle();
    for (int i = 0; i < 3; ++i) {
        const QRect g = SubOf(forms[i])->geometry();
        EXPECT_EQ(g.width(), area.width()) << i;
        EXPECT_NEAR(g.height(), area.height() / 3, 2) << i;
    }
    EXPECT_NE(SubOf(forms[0])->y(), SubOf(forms[1])->y());

    ChooseMenu(menu, Act("WindowCascade"));
    Idle();
    QList<QPoint> corners;
    for (TfrmBlank* f : forms)
        corners << SubOf(f)->pos();
    std::sort(corners.begin(), corners.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    EXPECT_LT(corners[0].x(), corners[1].x());
    EXPECT_LT(corners[0].y(), corners[1].y());

    ChooseMenu(menu, Act("WindowMinimizeAll"));
    Idle();
    for (TfrmBlank* f : forms)
        EXPECT_FALSE(SubOf(f)->isMinimized()) << "choosing it does nothing";
}

} // namespace
} // namespace MainFormTest
