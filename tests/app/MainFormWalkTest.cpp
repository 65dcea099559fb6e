#include "MainFormTestSupport.h"

#include "printing/untPrinterOperation.h"

#include <QDialogButtonBox>
#include <QMdiArea>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>

#include <pwd.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace MainFormTest {
namespace {

TEST_F(MainFormFixture, WalkFromTheStartChooserThroughZoomSaveAsPrintAndCtrlF4)
{
    InitializePrinterOperation();
    // The chooser comes after the show; Tab leads to the kinds, Space takes the fourth.
    modals.Expect<TfrmNewBlank>([](QWidget* w) {
        auto* group = w->findChild<QWidget*>("ButtonGroup1");
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down})
            QTest::keyClick(QApplication::focusWidget(), key);
        // The focused button is framed in the highlight a pixel inside its box.
        EXPECT_EQ(group->grab().toImage().pixelColor(1, 3 * 68 + 2), group->palette().color(QPalette::Highlight));
        QTest::keyClick(group, Qt::Key_Space);
    });
    ShowMain(true);
    // With no recent file the Open button's arrow holds no menu that would take the next click.
    QTest::mouseClick(Button("FileOpen"), Qt::LeftButton, {}, {Button("FileOpen")->width() - 4, 10});
    for (const char* name : {"FilePrint", "FileSave", "ViewScaleUp"})
        EXPECT_FALSE(Act(name)->isEnabled()) << name;
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->ActiveBlank(); }, WaitMs));
    TfrmBlank* order = main->ActiveBlank();
    EXPECT_EQ(order->Kind(), bkMoneyOrder);
    // What is typed then goes into its amount at once, over the 0 there.
    ASSERT_TRUE(order->focusWidget());
    QTest::keyClicks(order->focusWidget(), "12,5");
    EXPECT_EQ(order->Kwota(), 125'000);
    // Its page is wider and higher than the document area: the window fills that, less 4 pixels.
    EXPECT_EQ(order->parentWidget()->geometry().bottomRight(),
              main->centralWidget()->rect().bottomRight() - QPoint(4, 4));
    EXPECT_EQ(order->windowTitle(), "<Bez nazwy>[*]");
    std::vector<int> seen;
    for (const char* name : {"ViewScaleUp", "ViewScaleDown", "ViewScaleUp"}) {
        Idle();
        while (Act(name)->isEnabled() && seen.size() < 20) {
            QTest::mouseClick(Button(name), Qt::LeftButton);
            seen.push_back(order->PixelsPerInch());
            Idle();
        }
    }
    EXPECT_EQ(seen, std::vector<int>({140, 200, 300, 500, 300, 200, 140, 100, 75, 50, 75, 100, 140, 200, 300, 500}));
    QTest::mouseClick(Button("ViewReverse"), Qt::LeftButton);
    EXPECT_EQ(order->ViewSide(), bsBottom);

    // With no recent file "Ostatnie pliki" shows no menu that would take the next click.
    modals.Expect<TfrmNewBlank>([](QWidget* w) {
        ClickChild("btnRecent")(w);
        ClickChooser("ButtonGroup1")(w);
    });
    ChooseMenu(Act("FileNew"));
    QPointer<TfrmBlank> other = main->ActiveBlank();
    ASSERT_EQ(other->Kind(), bkTransfer);
    EXPECT_FALSE(Act("ViewReverse")->isEnabled());
    EXPECT_FALSE(Act("ViewReverse")->isChecked());

    TypeInto(other, "ALFA");
    EXPECT_EQ(main->StatusPanel(1), "Zmodyfikowany");
    const QString existing = FilePath("b.wpt");
    WriteBytes(existing, "stary plik");
    // A new document is offered no name, at home, then in the documents folder once one is named.
    const auto restoreHome = qScopeGuard([old = qgetenv("HOME")] { qputenv("HOME", old); });
    qputenv("HOME", QFile::encodeName(files.path()));
    for (bool replace : {false, true}) {
        modals.Expect<QFileDialog>(Offered(replace ? spool.path() : files.path(), QString(), EnterFileName(existing)));
        modals.Expect<QMessageBox>(Click(replace ? QMessageBox::Yes : QMessageBox::No));
        if (!replace)
            modals.Expect<QFileDialog>(Reject());
        Key(Qt::Key_F12);
        EXPECT_EQ(StoredWith(existing, "ALFA"), replace);
        WriteBytes(config.Path() + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"" + spool.path().toUtf8() + "\"\n");
    }
    modals.Expect<QFileDialog>(Offered(files.path(), "b.wpt", Reject()));
    Key(Qt::Key_F12); // a saved one its own name, in its own folder
    EXPECT_EQ(other->windowTitle(), "b.wpt[*]");
    EXPECT_EQ(main->RecentFiles(), QStringList{existing});
    EXPECT_NE(main->StatusPanel(1), "Zmodyfikowany");

    modals.Expect<TfrmPrintSelect>(ClickChild("btnPrinter"));
    modals.Expect<QPrintDialog>([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Ustawienia wydruku");
        QTest::mouseClick(w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    modals.Expect<TfrmPrintSelect>(ClickChild("Button2"));
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(QFileInfo::exists(GetUserDataDir() + "PrinterSetup.cfg"));
    ASSERT_EQ(Jobs(), 1);
    EXPECT_TRUE(PrintedText().contains("ALFA"));

    TypeInto(other, "x");
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(StoredWith(existing, "xALFA"));
    TypeInto(other, "y");
    modals.Expect<QMessageBox>(Press(Qt::Key_N));
    Key(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.isNull(); }, WaitMs));
    order->SetModified(true);
    modals.Expect<QMessageBox>(Click(QMessageBox::Yes));
    modals.Expect<QFileDialog>(Reject());
    Act("FileClose")->trigger();
    EXPECT_TRUE(main->BlankForms().contains(order));
    EXPECT_TRUE(order->Modified());
    FinalizePrinterOperation();
}

TEST_F(MainFormFixture, ReopenedFromTheChoosersRecentFilesOnceAndReadErrorsInPolish)
{
    const QString existing = FilePath("b.wpt");
    const QString link = FilePath("dowiazanie.wpt");
    WriteDocument(existing, bkTransfer);
    ASSERT_TRUE(QFile::link(existing, link));
    ShowMain();
    main->OpenFile(link);
    main->findChild<QMdiArea*>()->closeAllSubWindows();
    // Reopened from the chooser's recent files; "Otwórz z pliku" completes a name
    // without its extension, and the same file however written is reported as open.
    modals.Expect<TfrmNewBlank>(ClickChild("btnRecent"));
    modals.Expect<QMenu>([](QWidget* w) { // below the button, at its left edge
        const QWidget* button = frmNewBlank()->findChild<QWidget*>("btnRecent");
        // Where the menu would cross the screen's right edge, it is moved left to end there.
        const QPoint below = button->mapToGlobal(QPoint(0, button->height()));
        EXPECT_EQ(w->y(), below.y());
        EXPECT_TRUE(w->x() == below.x() || w->geometry().right() == w->screen()->geometry().right()) << w->x();
        QTest::mouseClick(w, Qt::LeftButton, {}, {20, 10});
    });
    Key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(OpenedFiles(), QStringList({link}));
    main->ActiveBlank()->parentWidget()->showMaximized(); // its name joins the frame's title, not the boxes'
    EXPECT_EQ(main->windowTitle(), "Wplatomat - [dowiazanie.wpt[*]]");
    modals.Expect<TfrmNewBlank>(ClickChooser("ButtonGroup2"));
    modals.Expect<QFileDialog>(EnterFileName(existing.chopped(4)));
    modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
    Key(Qt::Key_N, Qt::ControlModifier);
    // The reader's own message, a damaged file's also for a file cut short inside its amount.
    WriteBytes(FilePath("krotki.wpt"), QByteArray("\x05\x00\x07\x00\x10", 5));
    WriteBytes(FilePath("zly.wpt"), QByteArray("\x09\x00\x07\x00", 4));
    for (const char* name : {"b.wpt", "krotki.wpt", "zly.wpt"}) {
        modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
        main->OpenFile(FilePath(name));
    }
    const QString open = "Wskazany plik jest już otwarty.";
    const QString damaged = "Nieprawidłowy format pliku.";
    EXPECT_EQ(modals.texts, QStringList({open, open, damaged, damaged}));
    EXPECT_EQ(OpenedFiles(), QStringList{link});
    EXPECT_EQ(main->RecentFiles(), QStringList{link});
}

TEST_F(MainFormFixture, EndingTheProgramAsksAboutEachModifiedDocument)
{
    const QString a = FilePath("a.wpt");
    const QString b = FilePath("b.wpt");
    ShowMain();
    for (const QString& path : {a, b}) {
        WriteDocument(path, bkTransfer, path.right(5).left(1));
        main->OpenFile(path);
        TypeInto(main->ActiveBlank(), "z");
    }
    main->ActiveBlank()->parentWidget()->showMaximized(); // the questions keep the program's caption
    const auto answer = [](Qt::Key key) {
        return [key](QWidget* w) {
            const auto* box = static_cast<QMessageBox*>(w);
            EXPECT_EQ(box->button(QMessageBox::Yes)->text(), "&Tak");
            EXPECT_EQ(box->button(QMessageBox::No)->text(), "&Nie");
            EXPECT_EQ(box->button(QMessageBox::Cancel)->text(), "Anuluj");
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
            Press(key)(w);
        };
    };
    // Esc at the first question keeps the program; the close is handled once the answer is in.
    modals.Expect<QMessageBox>(answer(Qt::Key_Escape));
    ChooseMenu(Act("FileExit"));
    ASSERT_EQ(modals.texts.size(), 1);
    EXPECT_TRUE(main->isVisible());
    // "Tak" to each: both are saved and the program ends.
    modals.Expect<QMessageBox>(answer(Qt::Key_T));
    modals.Expect<QMessageBox>(answer(Qt::Key_T));
    Key(Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main->isVisible(); }, WaitMs));
    const auto question = [](const QString& file) { return "Czy zachować zmiany w pliku: \n\r\"" + file + "\"?"; };
    EXPECT_EQ(modals.texts, QStringList({question(b), question(b), question(a)}));
    EXPECT_TRUE(StoredWith(a, "za"));
    EXPECT_TRUE(StoredWith(b, "zb"));
}

TEST_F(MainFormFixture, SaveWhereTheFolderTakesNoNewFileOffersSaveAs)
{
    const passwd* user = ::getpwnam("nobody");
    if (!user || ::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as an ordinary user (nobody)";
    const QString old = FilePath("stary.wpt");
    const QString other = FilePath("inny");
    const QString elsewhere = other + "/nowy.wpt";
    WriteDocument(old, bkTransfer, "A");
    // The user may write the old file and create files in the other folder, not in the old file's.
    ASSERT_TRUE(QDir().mkdir(other));
    for (const auto& [path, mode] : {std::pair{files.path(), 0755}, {old, 0666}, {other, 0777}})
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
    ShowMain();
    main->OpenFile(old);
    TypeInto(main->ActiveBlank(), "B");
    modals.Expect<QMessageBox>(Click(QMessageBox::Yes));
    modals.Expect<QFileDialog>(EnterFileName(elsewhere));
    // This thread's file accesses are checked as the user's.
    ::setfsgid(user->pw_gid);
    ::setfsuid(user->pw_uid);
    Key(Qt::Key_S, Qt::ControlModifier);
    ::setfsuid(0);
    ::setfsgid(0);
    EXPECT_TRUE(StoredWith(old, "A"));
    EXPECT_TRUE(StoredWith(elsewhere, "BA"));
    EXPECT_TRUE(modals.texts.value(0).startsWith("Nie można bezpiecznie zapisać pliku: " + old));
}

} // namespace
} // namespace MainFormTest
