// The coupon dialog: its window, captions by payment mode, enabled states with
// the small receipt, the coupon choice, the OK check; and the printer set-up dialog.
#include "document/BlankFormUnit.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "printing/PrinterSetupDialog.h"
#include "printing/untPrintSelect.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const char* const CouponBoxes[] = {"cbxFirst", "cbxSecond", "cbxThird", "cbxFourth"};

// Closes every message box that opens while it lives, noting what it said.
class MessageBoxCloser {
public:
    MessageBoxCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            ++count;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            if (box->isVisible())
                box->reject();
        });
        m_timer.start(10);
    }
    int count = 0;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;

private:
    QTimer m_timer;
};

// The width the control's text needs, and the room its control gives it (-1: no text).
int TextWidth(const QWidget& w)
{
    QString text;
    if (auto* button = qobject_cast<const QAbstractButton*>(&w))
        text = button->text();
    else if (auto* label = qobject_cast<const QLabel*>(&w))
        text = label->text();
    return w.fontMetrics().horizontalAdvance(text.remove(QLatin1Char('&')));
}

int TextRoom(const QWidget& w)
{
    QStyleOptionButton option;
    option.initFrom(&w);
    QStyle::SubElement contents;
    if (qobject_cast<const QCheckBox*>(&w))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton*>(&w))
        contents = QStyle::SE_RadioButtonContents;
    else if (qobject_cast<const QPushButton*>(&w))
        contents = QStyle::SE_PushButtonContents;
    else if (qobject_cast<const QLabel*>(&w))
        return w.contentsRect().width();
    else
        return -1;
    option.text = qobject_cast<const QAbstractButton*>(&w)->text();
    return w.style()->subElementRect(contents, &option, &w).width();
}

class PrintSelectFixture : public ::testing::Test {
protected:
    PrintSelectFixture()
        : document(std::make_unique<TfrmBlank>(nullptr, bkTransfer))
    {
        dialog.BlankForm = document.get();
    }

    template <class T>
    T* Child(const char* name)
    {
        T* w = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QCheckBox* Box(const char* name) { return Child<QCheckBox>(name); }
    QRadioButton* Radio(const char* name) { return Child<QRadioButton>(name); }
    QPushButton* Button(const char* name) { return Child<QPushButton>(name); }

    void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2)); }

    void ShowFor(TPrzelewWplata mode, bool smallReceipt)
    {
        dialog.hide();
        document->SetPrzelewWplata(mode);
        document->SetEditorValue(82, smallReceipt);
        ASSERT_EQ(document->MalePokwit(), smallReceipt);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    TempConfig config;
    std::unique_ptr<TfrmBlank> document;
    TfrmPrintSelect dialog;
    // Always on watch, so that a wrongly shown message box fails a test instead of hanging it.
    MessageBoxCloser boxes;
};

// ---- window definition --------------------------------------------------------------------

struct ComponentCase {
    const char* name;
    const char* parent;
    QRect geometry;
    const char* caption;
    bool autoSize = false; // sized to its caption: the stored width is the old face's
};

void PrintTo(const ComponentCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintSelectComponent : public PrintSelectFixture, public ::testing::WithParamInterface<ComponentCase> {};

TEST_P(PrintSelectComponent, SitsWhereTheWindowDefinitionPutsIt)
{
    const ComponentCase& c = GetParam();
    QWidget* w = Child<QWidget>(c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(c.parent));
    if (c.autoSize) {
        EXPECT_EQ(w->pos(), c.geometry.topLeft());
        EXPECT_EQ(w->height(), c.geometry.height());
    } else {
        EXPECT_EQ(w->geometry(), c.geometry);
    }
    QString caption;
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        caption = button->text();
    else if (auto* label = qobject_cast<QLabel*>(w))
        caption = label->text();
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        caption = group->title();
    EXPECT_EQ(caption, QString::fromUtf8(c.caption));
}

// Before the first showing: the check boxes carry their own names.
INSTANTIATE_TEST_SUITE_P(
    Window, PrintSelectComponent,
    ::testing::Values(
        ComponentCase{"GroupBox1", "TfrmPrintSelect", {8, 4, 309, 257}, "Wybierz odcinki do wydruku"},
        ComponentCase{"rdbAll", "GroupBox1", {20, 24, 281, 17}, "Drukuj wszystkie 4 odcinki (domyślnie)"},
        ComponentCase{"rdBTwo", "GroupBox1", {20, 48, 281, 17}, "Drukuj 2 odcinki:"},
        ComponentCase{"rdbSelection", "GroupBox1", {20, 72, 177, 17}, "Wybierz odcinki:"},
        ComponentCase{"cbxFirst", "GroupBox1", {60, 96, 200, 17}, "cbxFirst"},
        ComponentCase{"cbxSecond", "GroupBox1", {60, 116, 200, 17}, "cbxSecond"},
        ComponentCase{"cbxThird", "GroupBox1", {60, 136, 200, 17}, "cbxThird"},
        ComponentCase{"cbxFourth", "GroupBox1", {60, 156, 200, 17}, "cbxFourth"},
        ComponentCase{"cbxVertical", "GroupBox1", {20, 188, 273, 17},
                      "Drukuj w układzie pionowym dwa odcinki na stronę"},
        ComponentCase{"cbxAutoScale", "GroupBox1", {20, 211, 273, 17}, "Dopasuj do obszaru wydruku drukarki"},
        ComponentCase{"Label1", "GroupBox1", {36, 228, 220, 13}, "(może to spowodować zmniejszenie odcinków)",
                      true},
        ComponentCase{"Button2", "TfrmPrintSelect", {159, 268, 75, 25}, "&Drukuj"},
        ComponentCase{"Button1", "TfrmPrintSelect", {243, 268, 75, 25}, "&Anuluj"},
        ComponentCase{"btnPrinter", "TfrmPrintSelect", {6, 268, 123, 25}, "&Ustawienia drukarki..."}),
    [](const auto& info) { return std::string(info.param.name); });

using PrintSelectWindow = PrintSelectFixture;

TEST_F(PrintSelectWindow, FixedClientSizeCaptionAndStartState)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Drukowanie"));
    EXPECT_EQ(dialog.size(), QSize(324, 299));
    EXPECT_EQ(dialog.minimumSize(), QSize(324, 299));
    EXPECT_EQ(dialog.maximumSize(), QSize(324, 299));
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowContextHelpButtonHint);
    EXPECT_TRUE(Radio("rdbAll")->isChecked());
    for (const char* name : CouponBoxes) {
        EXPECT_FALSE(Box(name)->isEnabled()) << name;
        EXPECT_FALSE(Box(name)->isChecked()) << name;
    }
    EXPECT_FALSE(Box("cbxVertical")->isChecked());
    EXPECT_FALSE(Box("cbxAutoScale")->isChecked());
    EXPECT_TRUE(Button("Button2")->isDefault());
    EXPECT_FALSE(Button("Button1")->isDefault());
}

TEST_F(PrintSelectWindow, TabOrderRunsAsDefined)
{
    const QStringList expected{"cbxFirst", "rdbAll",      "rdBTwo",       "rdbSelection",
                               "cbxSecond", "cbxThird",   "cbxFourth",    "cbxVertical",
                               "cbxAutoScale", "Button2", "Button1",      "btnPrinter"};
    // The cycle read from the dialog itself, where Tab starts.
    QStringList order;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog && order.size() <= expected.size();
         w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
    EXPECT_EQ(order, expected);
}

// ---- captions and enabled states on show --------------------------------------------------

struct CaptionCase {
    TPrzelewWplata mode;
    const char* two;
    const char* coupons[4];
};

void PrintTo(const CaptionCase& c, std::ostream* os)
{
    *os << "mode " << int(c.mode);
}

const CaptionCase TransferCase{pwPrzelew,
                               "Drukuj 2 odcinki: dla banku odbiorcy i zleceniodawcy",
                               {"dla banku odbiorcy", "dla odbiorcy", "dla zleceniodawcy", "dla banku zleceniodawcy"}};
const CaptionCase DepositCase{
    pwWplata,
    "Drukuj 2 odcinki: dla banku i wpłacającego",
    {"dla banku", "dla posiadacza rachunku", "dla wpłacającego", "dla instytucji przyjmującej zlecenie"}};
const CaptionCase NoModeCase{pwNone, TransferCase.two,
                             {TransferCase.coupons[0], TransferCase.coupons[1], TransferCase.coupons[2],
                              TransferCase.coupons[3]}};

class PrintSelectCaptions : public PrintSelectFixture, public ::testing::WithParamInterface<CaptionCase> {
protected:
    void ExpectCaptions(const CaptionCase& c)
    {
        EXPECT_EQ(Radio("rdBTwo")->text(), QString::fromUtf8(c.two));
        for (int n = 0; n < 4; ++n)
            EXPECT_EQ(Box(CouponBoxes[n])->text(), QString::fromUtf8(c.coupons[n])) << n;
    }
};

TEST_P(PrintSelectCaptions, FollowThePaymentMode)
{
    ShowFor(GetParam().mode, false);
    ExpectCaptions(GetParam());
}

TEST_P(PrintSelectCaptions, FollowAModeChangedSinceTheLastShowing)
{
    const CaptionCase& other = GetParam().mode == pwWplata ? TransferCase : DepositCase;
    ShowFor(other.mode, false);
    ShowFor(GetParam().mode, false);
    ExpectCaptions(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Modes, PrintSelectCaptions, ::testing::Values(NoModeCase, TransferCase, DepositCase));

// The geometry is fixed, so a caption wider than the room its control gives
// the text would be cut off.
TEST_P(PrintSelectCaptions, FitTheirControls)
{
    ShowFor(GetParam().mode, false);
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        const int room = TextRoom(*w);
        if (room >= 0) {
            EXPECT_LE(TextWidth(*w), room) << w->objectName().toStdString();
        }
    }
}

using PrintSelectShow = PrintSelectFixture;

TEST_F(PrintSelectShow, SmallReceiptDisablesOwnChoiceAndLayoutsKeepingTicks)
{
    Click(Box("cbxVertical"));
    Click(Box("cbxAutoScale"));
    ShowFor(pwPrzelew, true);
    for (const char* name : {"rdbSelection", "cbxVertical", "cbxAutoScale"})
        EXPECT_FALSE(Child<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(dialog.Vertical());
    EXPECT_TRUE(dialog.AutoScale());
    EXPECT_TRUE(Radio("rdbAll")->isEnabled());
    EXPECT_TRUE(Radio("rdBTwo")->isEnabled());

    ShowFor(pwPrzelew, false);
    for (const char* name : {"rdbSelection", "cbxVertical", "cbxAutoScale"})
        EXPECT_TRUE(Child<QWidget>(name)->isEnabled()) << name;
}

// Places a shown window's frame, which is what the centring measures.
void SetFrame(QWidget& w, const QRect& frame)
{
    const QRect inner = w.geometry();
    const QRect outer = w.frameGeometry();
    w.setGeometry(frame.marginsRemoved(QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                                outer.right() - inner.right(), outer.bottom() - inner.bottom())));
}

// Left := main left + (main width - own width) div 2, likewise Top; all outer frames.
QPoint Centred(const QRect& main, const QWidget& own)
{
    const QSize size = own.frameGeometry().size();
    return {main.left() + (main.width() - size.width()) / 2, main.top() + (main.height() - size.height()) / 2};
}

class PrintSelectCentre : public PrintSelectFixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        SetFrame(main, First);
        ASSERT_EQ(main.frameGeometry(), First);
        if (GetParam()) {
            own = std::make_unique<TfrmPrintSelect>(&main);
        } else {
            own = std::make_unique<TfrmPrintSelect>();
            main.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        }
        own->BlankForm = document.get();
    }
    void TearDown() override { own.reset(); }

    const QRect First{100, 50, 800, 600};
    const QRect Second{0, 0, 501, 400};
    QWidget main;
    std::unique_ptr<TfrmPrintSelect> own;
};

TEST_P(PrintSelectCentre, EveryShowingCentresOverTheMainWindow)
{
    own->show();
    EXPECT_EQ(own->frameGeometry().topLeft(), Centred(First, *own));
    // Where the user dragged it last time does not count.
    own->move(5, 5);
    own->hide();
    own->show();
    EXPECT_EQ(own->frameGeometry().topLeft(), Centred(First, *own));
    own->hide();
    SetFrame(main, Second);
    ASSERT_EQ(main.frameGeometry(), Second);
    if (!GetParam()) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    }
    own->show();
    EXPECT_EQ(own->frameGeometry().topLeft(), Centred(Second, *own));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, PrintSelectCentre, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Parent" : "ActiveWindow"; });

// ---- the coupon choice ---------------------------------------------------------------------

struct SelectedCase {
    const char* name;
    const char* radio;
    std::vector<const char*> ticked;
    bool selected[6]; // coupon numbers -1 to 4
};

void PrintTo(const SelectedCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintSelectSelected : public PrintSelectFixture, public ::testing::WithParamInterface<SelectedCase> {};

TEST_P(PrintSelectSelected, GivesTheCouponsOfTheChosenButton)
{
    ShowFor(pwPrzelew, false);
    Click(Radio("rdbSelection"));
    for (const char* name : GetParam().ticked)
        Click(Box(name));
    Click(Radio(GetParam().radio));
    ASSERT_TRUE(Radio(GetParam().radio)->isChecked());
    for (int n = -1; n <= 4; ++n)
        EXPECT_EQ(dialog.Selected(n), GetParam().selected[n + 1]) << "coupon " << n;
    EXPECT_EQ(dialog.AllChecked(), QLatin1String(GetParam().radio) == QLatin1String("rdbAll"));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, PrintSelectSelected,
    ::testing::Values(
        SelectedCase{"AllWhateverTheNumber", "rdbAll", {"cbxSecond"}, {true, true, true, true, true, true}},
        SelectedCase{"TwoGivesTheBanksAndThePayers", "rdBTwo", {"cbxSecond"}, {false, true, false, true, false, false}},
        SelectedCase{"SelectionNothingTicked", "rdbSelection", {}, {false, false, false, false, false, false}},
        SelectedCase{"SelectionSecondAndFourth", "rdbSelection", {"cbxSecond", "cbxFourth"},
                     {false, false, true, false, true, false}},
        SelectedCase{"SelectionFirstAndThird", "rdbSelection", {"cbxFirst", "cbxThird"},
                     {false, true, false, true, false, false}},
        SelectedCase{"SelectionAllFour", "rdbSelection", {"cbxFirst", "cbxSecond", "cbxThird", "cbxFourth"},
                     {false, true, true, true, true, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintSelectShow, RadioButtonsEnableTheBoxesAndKeepTheirTicks)
{
    ShowFor(pwPrzelew, false);
    Click(Radio("rdbSelection"));
    for (const char* name : CouponBoxes)
        EXPECT_TRUE(Box(name)->isEnabled()) << name;
    Click(Box("cbxFirst"));
    Click(Box("cbxFourth"));
    for (const char* radio : {"rdBTwo", "rdbAll"}) {
        Click(Radio(radio));
        for (const char* name : CouponBoxes)
            EXPECT_FALSE(Box(name)->isEnabled()) << radio << ' ' << name;
        EXPECT_TRUE(Box("cbxFirst")->isChecked()) << radio;
        EXPECT_TRUE(Box("cbxFourth")->isChecked()) << radio;
        EXPECT_FALSE(Box("cbxSecond")->isChecked()) << radio;
    }
    Click(Radio("rdbSelection"));
    EXPECT_TRUE(dialog.Selected(0));
    EXPECT_FALSE(dialog.Selected(1));
    EXPECT_TRUE(dialog.Selected(3));
}

// ---- closing -------------------------------------------------------------------------------

using PrintSelectClose = PrintSelectFixture;

TEST_F(PrintSelectClose, OkWithNoCouponTickedIsRefusedUntilOneIs)
{
    int shownAfterRefusal = -1;
    QTimer::singleShot(0, &dialog, [&] {
        Click(Radio("rdbSelection"));
        Click(Button("Button2"));
        shownAfterRefusal = boxes.count;
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(Radio("rdbSelection")->isChecked());
        Click(Box("cbxThird"));
        Click(Button("Button2"));
        // Ends the modal run even when OK is refused wrongly, so the test fails instead of hanging.
        if (dialog.isVisible()) {
            ADD_FAILURE() << "OK refused with a coupon ticked";
            dialog.QDialog::done(QDialog::Rejected);
        }
    });
    dialog.BlankForm->SetPrzelewWplata(pwPrzelew);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(shownAfterRefusal, 1);
    EXPECT_EQ(boxes.count, 1);
    EXPECT_EQ(boxes.text, QStringLiteral("Wybierz przynajmniej jeden odcinek do wydruku."));
    EXPECT_EQ(boxes.title, QStringLiteral("Drukowanie"));
    EXPECT_EQ(boxes.icon, QMessageBox::Critical);
    EXPECT_EQ(boxes.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(dialog.Selected(2));
    EXPECT_FALSE(dialog.Selected(0));
}

struct CloseCase {
    const char* name;
    void (*close)(TfrmPrintSelect&);
    int result;
};

void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintSelectCloseBy : public PrintSelectFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(PrintSelectCloseBy, ClosesWhateverTheChoice)
{
    for (const char* radio : {"rdbAll", "rdBTwo", "rdbSelection"}) {
        ShowFor(pwPrzelew, false);
        Click(Radio(radio));
        if (GetParam().result == QDialog::Accepted && QLatin1String(radio) == QLatin1String("rdbSelection"))
            Click(Box("cbxSecond"));
        dialog.setResult(-1);
        GetParam().close(dialog);
        EXPECT_FALSE(dialog.isVisible()) << radio;
        EXPECT_EQ(dialog.result(), GetParam().result) << radio;
        EXPECT_EQ(boxes.count, 0) << radio;
        boxes.count = 0;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, PrintSelectCloseBy,
    ::testing::Values(
        CloseCase{"CancelButton",
                  [](TfrmPrintSelect& d) {
                      QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
                  },
                  QDialog::Rejected},
        CloseCase{"EscapeKey",
                  [](TfrmPrintSelect& d) { QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key_Escape); },
                  QDialog::Rejected},
        CloseCase{"CloseBox",
                  // The window's close goes through the platform, as the close box does.
                  [](TfrmPrintSelect& d) { d.windowHandle()->close(); },
                  QDialog::Rejected},
        CloseCase{"EnterOnTheDefaultButton",
                  [](TfrmPrintSelect& d) {
                      QWidget* rdbAll = d.findChild<QWidget*>(QStringLiteral("rdbAll"));
                      rdbAll->setFocus();
                      QTest::keyClick(rdbAll, Qt::Key_Return);
                  },
                  QDialog::Accepted}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintSelectClose, OwnChoiceKeptForASmallReceiptStillNeedsATick)
{
    ShowFor(pwPrzelew, false);
    Click(Radio("rdbSelection"));
    Click(Button("Button1"));
    ShowFor(pwPrzelew, true);
    EXPECT_TRUE(Radio("rdbSelection")->isChecked());
    EXPECT_FALSE(Radio("rdbSelection")->isEnabled());
    EXPECT_FALSE(dialog.AllChecked());
    ASSERT_EQ(boxes.count, 0);

    Click(Button("Button2"));
    EXPECT_EQ(boxes.count, 1);
    EXPECT_TRUE(dialog.isVisible());
    Click(Box("cbxFirst"));
    Click(Button("Button2"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(boxes.count, 1);
}

struct ShortcutCase {
    const char* name;
    char letter;
    bool closes;
    int result;
    int printerRuns;
};

void PrintTo(const ShortcutCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintSelectShortcut : public PrintSelectFixture, public ::testing::WithParamInterface<ShortcutCase> {};

TEST_P(PrintSelectShortcut, AltLetterPressesTheButton)
{
    int runs = 0;
    dialog.OnPrinterSettings = [&] { ++runs; };
    ShowFor(pwPrzelew, false);
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.setResult(-1);
    QTest::keyClick(dialog.focusWidget(), GetParam().letter, Qt::AltModifier);
    // A mnemonic presses its button visibly: the click comes a moment later.
    const bool effect = QTest::qWaitFor([&] { return !dialog.isVisible() || runs > 0; }, 2000);
    EXPECT_TRUE(effect);
    EXPECT_EQ(dialog.isVisible(), !GetParam().closes);
    if (GetParam().closes) {
        EXPECT_EQ(dialog.result(), GetParam().result);
    }
    EXPECT_EQ(runs, GetParam().printerRuns);
}

INSTANTIATE_TEST_SUITE_P(Letters, PrintSelectShortcut,
                         ::testing::Values(ShortcutCase{"Drukuj", 'd', true, QDialog::Accepted, 0},
                                           ShortcutCase{"Anuluj", 'a', true, QDialog::Rejected, 0},
                                           ShortcutCase{"UstawieniaDrukarki", 'u', false, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- printer settings ------------------------------------------------------------------------

TEST_F(PrintSelectShow, PrinterButtonRunsTheMainWindowsActionAndStaysOpen)
{
    int runs = 0;
    dialog.OnPrinterSettings = [&] { ++runs; };
    ShowFor(pwPrzelew, false);
    Click(Button("btnPrinter"));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(PrintSelectShow, PrinterButtonWithoutTheActionOpensThePrinterSetUp)
{
    ShowFor(pwPrzelew, false);
    QString seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* setup = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            seen = setup->windowTitle();
            setup->reject();
        }
    });
    poll.start(10);
    Click(Button("btnPrinter"));
    EXPECT_EQ(seen, QStringLiteral("Ustawienia wydruku"));
    EXPECT_TRUE(dialog.isVisible());
}

TEST(PrinterSetupDialog, OffersNoPagesCopiesOrFile)
{
    QPrinter printer;
    QPrintDialog setup(&printer);
    ConfigurePrinterSetupDialog(setup);
    for (const auto option : {QAbstractPrintDialog::PrintToFile, QAbstractPrintDialog::PrintSelection,
                              QAbstractPrintDialog::PrintPageRange, QAbstractPrintDialog::PrintCollateCopies,
                              QAbstractPrintDialog::PrintCurrentPage})
        EXPECT_FALSE(setup.testOption(option)) << int(option);
    setup.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&setup));
    // Unfolds the dialog's further options, where the copies would be.
    for (QPushButton* button : setup.findChildren<QPushButton*>())
        if (button->text().contains(QLatin1String("Options")))
            QTest::mouseClick(button, Qt::LeftButton);
    auto* copies = setup.findChild<QSpinBox*>(QStringLiteral("copies"));
    ASSERT_NE(copies, nullptr);
    EXPECT_FALSE(copies->isVisibleTo(&setup));
    EXPECT_FALSE(copies->isEnabled());
    auto* range = setup.findChild<QWidget*>(QStringLiteral("gbPrintRange"));
    ASSERT_NE(range, nullptr);
    EXPECT_FALSE(range->isVisibleTo(&setup));
    EXPECT_EQ(setup.windowTitle(), QStringLiteral("Ustawienia wydruku"));
    auto* buttons = setup.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuluj"));
    setup.hide();
}

// ---- the program-wide instance -----------------------------------------------------------------

TEST(PrintSelectInstance, MadeOnceAndKeptUntilFinalized)
{
    EXPECT_EQ(frmPrintSelect(), nullptr);
    InitializePrintSelect();
    TfrmPrintSelect* first = frmPrintSelect();
    ASSERT_NE(first, nullptr);
    InitializePrintSelect();
    EXPECT_EQ(frmPrintSelect(), first);
    FinalizePrintSelect();
    EXPECT_EQ(frmPrintSelect(), nullptr);
}

} // namespace
