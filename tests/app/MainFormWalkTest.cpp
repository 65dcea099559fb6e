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

bool StoredWith(const QString& path, const QString& sender)
{
    if (!QFileInfo::exists(path))
        return false;
    TfrmBlank stored(nullptr, path);
    return !stored.IsClosing() && stored.Nadawca().join(QString()) == sender;
}

TEST_F(MainFormFixture, WalkFromTheStartChooserThroughZoomSaveAsPrintAndCtrlF4)
{
    InitializePrinterOperation();
    // The chooser comes after the show; Tab leads to the kinds, Space takes the fourth.
    modals.Expect<TfrmNewBlank>([](QWidget* w) {
        auto* group = w->findChild<QWidget*>(QStringLiteral("ButtonGroup1"));
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down})
            QTest::keyClick(QApplication::focusWidget(), key);
        // The focused button is framed in the highlight a pixel inside its box.
        EXPECT_EQ(group->grab().toImage().pixelColor(1, 3 * 68 + 2), group->palette().color(QPalette::Highlight));
        QTest::keyClick(group, Qt::Key_Space);
    });
    ShowMain(true);
    EXPECT_FALSE(Act("FilePrint")->isEnabled() || Act("FileSave")->isEnabled() || Act("ViewScaleUp")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->ActiveBlank(); }, WaitMs));
    TfrmBlank* order = main->ActiveBlank();
    EXPECT_EQ(order->Kind(), bkMoneyOrder);
    // What is typed then goes into its amount at once, over the 0 there.
    ASSERT_TRUE(order->focusWidget());
    QTest::keyClicks(order->focusWidget(), QStringLiteral("12,5"));
    EXPECT_EQ(order->Kwota(), 125'000);
    // Its page is wider and higher than the document area: the window fills that, less 4 pixels.
    EXPECT_EQ(order->parentWidget()->geometry().bottomRight(),
              main->centralWidget()->rect().bottomRight() - QPoint(4, 4));
    EXPECT_EQ(order->windowTitle(), QStringLiteral("<Bez nazwy>[*]"));
    std::vector<int> seen;
    for (const char* name : {"ViewScaleUp", "ViewScaleDown", "ViewScaleUp"})
        while (Idle(20), Act(name)->isEnabled() && seen.size() < 20) {
            QTest::mouseClick(Button(name), Qt::LeftButton);
            seen.push_back(order->PixelsPerInch());
        }
    EXPECT_EQ(seen, std::vector<int>({140, 200, 300, 500, 300, 200, 140, 100, 75, 50, 75, 100, 140, 200, 300, 500}));
    QTest::mouseClick(Button("ViewReverse"), Qt::LeftButton);
    EXPECT_EQ(order->ViewSide(), bsBottom);

    modals.Expect<TfrmNewBlank>(ClickChooser("ButtonGroup1"));
    ChooseMenu(Act("FileNew"));
    QPointer<TfrmBlank> other = main->ActiveBlank();
    ASSERT_EQ(other->Kind(), bkTransfer);
    EXPECT_FALSE(Act("ViewReverse")->isEnabled() || Act("ViewReverse")->isChecked());

    TypeInto(other, QStringLiteral("ALFA"));
    EXPECT_EQ(main->StatusPanel(1), QStringLiteral("Zmodyfikowany"));
    const QString existing = FilePath(QStringLiteral("b.wpt"));
    WriteBytes(existing, QByteArray("stary plik"));
    // A new document is offered no name, at home, then in the documents folder once one is named.
    const auto restoreHome = qScopeGuard([old = qgetenv("HOME")] { qputenv("HOME", old); });
    qputenv("HOME", QFile::encodeName(files.path()));
    for (bool replace : {false, true}) {
        modals.Expect<QFileDialog>(Offered(replace ? spool.path() : files.path(), QString(), EnterFileName(existing)));
        modals.Expect<QMessageBox>(Click(replace ? QMessageBox::Yes : QMessageBox::No));
        if (!replace)
            modals.Expect<QFileDialog>([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        Key(Qt::Key_F12);
        EXPECT_EQ(StoredWith(existing, QStringLiteral("ALFA")), replace);
        WriteBytes(config.Path() + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"" + spool.path().toUtf8() + "\"\n");
    }
    modals.Expect<QFileDialog>(Offered(files.path(), QStringLiteral("b.wpt"), [](QWidget* w) { w->close(); }));
    Key(Qt::Key_F12); // a saved one its own name, in its own folder
    EXPECT_EQ(QStringList({other->windowTitle()}) + main->RecentFiles(), QStringList({"b.wpt[*]", existing}));
    EXPECT_NE(main->StatusPanel(1), QStringLiteral("Zmodyfikowany"));

    modals.Expect<TfrmPrintSelect>(ClickChild("btnPrinter"));
    modals.Expect<QPrintDialog>([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Ustawienia wydruku"));
        QTest::mouseClick(w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    modals.Expect<TfrmPrintSelect>(ClickChild("Button2"));
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(QFileInfo::exists(GetUserDataDir() + QStringLiteral("PrinterSetup.cfg")));
    ASSERT_EQ(Jobs(), 1);
    EXPECT_TRUE(PdfText(spool.filePath(QStringLiteral("pdf-1.pdf"))).contains(QStringLiteral("ALFA")));

    TypeInto(other, QStringLiteral("x"));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(StoredWith(existing, QStringLiteral("xALFA")));
    TypeInto(other, QStringLiteral("y"));
    modals.Expect<QMessageBox>(Press(Qt::Key_N));
    Key(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.isNull(); }, WaitMs));
    order->SetModified(true);
    modals.Expect<QMessageBox>(Click(QMessageBox::Yes));
    modals.Expect<QFileDialog>([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    Act("FileClose")->trigger();
    EXPECT_TRUE(main->BlankForms().contains(order) && order->Modified());
    FinalizePrinterOperation();
}

TEST_F(MainFormFixture, ReopenedFromTheChoosersRecentFilesOnceAndReadErrorsInPolish)
{
    const QString existing = FilePath(QStringLiteral("b.wpt"));
    WriteDocument(existing, bkTransfer);
    ShowMain();
    main->OpenFile(existing);
    main->findChild<QMdiArea*>()->closeAllSubWindows();
    // Reopened from the chooser's recent files; "Otwórz z pliku" completes a name
    // without its extension, and the same file however written is reported as open.
    modals.Expect<TfrmNewBlank>(ClickChild("btnRecent"));
    modals.Expect<QMenu>([](QWidget* w) { // below the button, at its left edge
        const QWidget* button = frmNewBlank()->findChild<QWidget*>(QStringLiteral("btnRecent"));
        // Where the menu would cross the screen's right edge, it is moved left to end there.
        const QPoint below = button->mapToGlobal(QPoint(0, button->height()));
        EXPECT_EQ(w->y(), below.y());
        EXPECT_TRUE(w->x() == below.x() || w->geometry().right() == w->screen()->geometry().right()) << w->x();
        QTest::mouseClick(w, Qt::LeftButton, {}, {20, 10});
    });
    Key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(OpenedFiles(), QStringList({existing}));
    main->ActiveBlank()->parentWidget()->showMaximized(); // its name joins the frame's title, not the boxes'
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Wplatomat - [b.wpt[*]]"));
    ASSERT_TRUE(QFile::link(existing, FilePath(QStringLiteral("dowiazanie.wpt"))));
    modals.Expect<TfrmNewBlank>(ClickChooser("ButtonGroup2"));
    modals.Expect<QFileDialog>(EnterFileName(existing.chopped(4)));
    modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
    Key(Qt::Key_N, Qt::ControlModifier);
    // The reader's own message, a damaged file's also for a file cut short inside its amount.
    WriteBytes(FilePath(QStringLiteral("krotki.wpt")), QByteArray("\x05\x00\x07\x00\x10", 5));
    WriteBytes(FilePath(QStringLiteral("zly.wpt")), QByteArray("\x09\x00\x07\x00", 4));
    for (const char* name : {"dowiazanie.wpt", "krotki.wpt", "zly.wpt"}) {
        modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
        main->OpenFile(FilePath(QLatin1String(name)));
    }
    EXPECT_EQ(modals.texts, QStringList({"Wskazany plik jest już otwarty.", "Wskazany plik jest już otwarty.",
                                         "Nieprawidłowy format pliku.", "Nieprawidłowy format pliku."}));
    EXPECT_EQ(OpenedFiles() + main->RecentFiles(), QStringList({existing, existing}));
}

TEST_F(MainFormFixture, EndingTheProgramAsksAboutEachModifiedDocument)
{
    const QString a = FilePath(QStringLiteral("a.wpt")), b = FilePath(QStringLiteral("b.wpt"));
    ShowMain();
    for (const QString& path : {a, b}) {
        WriteDocument(path, bkTransfer, path.right(5).left(1));
        main->OpenFile(path);
        TypeInto(main->ActiveBlank(), QStringLiteral("z"));
    }
    main->ActiveBlank()->parentWidget()->showMaximized(); // the questions keep the program's caption
    for (QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::Yes}) {
        for (int question = 0; question < (answer == QMessageBox::Yes ? 2 : 1); ++question)
            modals.Expect<QMessageBox>([answer](QWidget* w) {
                const auto* box = static_cast<QMessageBox*>(w); // Enter answers "Tak"
                EXPECT_EQ(QStringList({box->button(QMessageBox::Yes)->text(), box->button(QMessageBox::No)->text(),
                                       box->button(QMessageBox::Cancel)->text(), box->defaultButton()->text()}),
                          QStringList({"&Tak", "&Nie", "Anuluj", "&Tak"}));
                Press(answer == QMessageBox::Yes ? Qt::Key_T : Qt::Key_Escape)(w);
            });
        answer == QMessageBox::Cancel ? ChooseMenu(Act("FileExit")) : Key(Qt::Key_F4, Qt::AltModifier);
        EXPECT_EQ(QTest::qWaitFor([&] { return !main->isVisible(); }, 200), answer == QMessageBox::Yes);
    }
    const auto question = [](const QString& file) { return "Czy zachować zmiany w pliku: \n\r\"" + file + "\"?"; };
    EXPECT_EQ(modals.texts, QStringList({question(b), question(b), question(a)}));
    EXPECT_TRUE(StoredWith(a, QStringLiteral("za")) && StoredWith(b, QStringLiteral("zb")));
}

TEST_F(MainFormFixture, SaveWhereTheFolderTakesNoNewFileOffersSaveAs)
{
    const passwd* user = ::getpwnam("nobody");
    if (!user || ::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as an ordinary user (nobody)";
    const QString old = FilePath(QStringLiteral("stary.wpt")), other = FilePath(QStringLiteral("inny"));
    const QString elsewhere = other + QStringLiteral("/nowy.wpt");
    WriteDocument(old, bkTransfer, QStringLiteral("A"));
    // The user may write the old file and create files in the other folder, not in the old file's.
    ASSERT_TRUE(QDir().mkdir(other));
    for (const auto& [path, mode] : {std::pair{files.path(), 0755}, {old, 0666}, {other, 0777}})
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
    ShowMain();
    main->OpenFile(old);
    TypeInto(main->ActiveBlank(), QStringLiteral("B"));
    modals.Expect<QMessageBox>(Click(QMessageBox::Yes));
    modals.Expect<QFileDialog>(EnterFileName(elsewhere));
    // This thread's file accesses are checked as the user's.
    ::setfsgid(user->pw_gid), ::setfsuid(user->pw_uid);
    Key(Qt::Key_S, Qt::ControlModifier);
    ::setfsuid(0), ::setfsgid(0);
    EXPECT_TRUE(StoredWith(old, QStringLiteral("A")) && StoredWith(elsewhere, QStringLiteral("BA")));
    EXPECT_TRUE(modals.texts.value(0).startsWith(QStringLiteral("Nie można bezpiecznie zapisać pliku: ") + old));
}

} // namespace
} // namespace MainFormTest
