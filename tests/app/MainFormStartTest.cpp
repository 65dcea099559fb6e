// The main window's creation and destruction: placement and "AppPath" in the
// registry, what a damaged registry or set-up file does, and the window's
// fixed parts (actions, menus, tool bar, status bar).
#include "MainFormTestSupport.h"

#include "printing/untPrinterOperation.h"

#include <QLabel>
#include <QStatusBar>

namespace MainFormTest {
namespace {

using MainFormStart = MainFormFixture;

void ExpectPlacement(QWidget* w, QPoint pos, QSize size)
{
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->pos() == pos && w->size() == size; }, WaitMs))
        << "at " << w->x() << "," << w->y() << " size " << w->width() << "x" << w->height();
}

TEST_F(MainFormStart, FirstStartOpensAtHundredHundredSixHundredByFourEightyAndWritesAppPath)
{
    ShowMain();
    ExpectPlacement(main.get(), QPoint(100, 100), QSize(600, 480));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Wplatomat"));
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(AppKey, false));
    EXPECT_EQ(reg.GetDataType(QStringLiteral("AppPath")), rdString);
    EXPECT_EQ(reg.ReadString(QStringLiteral("AppPath")).value_or(QString()), QApplication::applicationFilePath());
    EXPECT_TRUE(QFileInfo(reg.ReadString(QStringLiteral("AppPath")).value_or(QString())).isAbsolute());
    for (const char* name : {"MainFormLeft", "MainFormTop", "MainFormWidth", "MainFormHeight"})
        EXPECT_FALSE(reg.ValueExists(QLatin1String(name))) << name << " is written at exit, not at start";
}

TEST_F(MainFormStart, PlacementIsSavedWhenTheWindowGoesAndRestoredNextTime)
{
    ShowMain();
    main->move(130, 90);
    main->resize(700, 500);
    ExpectPlacement(main.get(), QPoint(130, 90), QSize(700, 500));
    DestroyMainForm();

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(AppKey, false));
    const std::pair<const char*, int> stored[] = {
        {"MainFormLeft", 130}, {"MainFormTop", 90}, {"MainFormWidth", 700}, {"MainFormHeight", 500}};
    for (const auto& [name, value] : stored) {
        EXPECT_EQ(reg.GetDataType(QLatin1String(name)), rdInteger) << name;
        EXPECT_EQ(reg.ReadInteger(QLatin1String(name)).value_or(-1), value) << name;
    }

    CreateMainForm();
    ShowMain();
    ExpectPlacement(main.get(), QPoint(130, 90), QSize(700, 500));
}

// One placement value of the wrong type counts as absent: its default, the
// others as stored.
struct WrongTypeCase {
    const char* name;
    QPoint pos;
    QSize size;
};

void PrintTo(const WrongTypeCase& c, std::ostream* os)
{
    *os << c.name;
}

class MainFormWrongType : public MainFormFixture, public ::testing::WithParamInterface<WrongTypeCase> {
protected:
    void BeforeMainForm() override
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        reg.WriteInteger(QStringLiteral("MainFormLeft"), 40);
        reg.WriteInteger(QStringLiteral("MainFormTop"), 30);
        reg.WriteInteger(QStringLiteral("MainFormWidth"), 650);
        reg.WriteInteger(QStringLiteral("MainFormHeight"), 520);
        reg.WriteString(QLatin1String(GetParam().name), QStringLiteral("640"));
    }
};

TEST_P(MainFormWrongType, ValueOfAnotherTypeGivesItsDefault)
{
    ShowMain();
    ExpectPlacement(main.get(), GetParam().pos, GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(Values, MainFormWrongType,
                         ::testing::Values(WrongTypeCase{"MainFormLeft", {100, 30}, {650, 520}},
                                           WrongTypeCase{"MainFormTop", {40, 100}, {650, 520}},
                                           WrongTypeCase{"MainFormWidth", {40, 30}, {600, 520}},
                                           WrongTypeCase{"MainFormHeight", {40, 30}, {650, 480}}),
                         [](const auto& info) { return std::string(info.param.name); });

class MainFormDamagedRegistry : public MainFormFixture {
protected:
    void BeforeMainForm() override
    {
        const QString path = RegistryFile::defaultFileName();
        QDir().mkpath(QFileInfo(path).path());
        QByteArray junk("\x00\xff[Software\\Korvex\\Wplatomat\nMainFormLeft=\x01\x02\n", 40);
        junk += QByteArray(300, '\xfe');
        WriteBytes(path, junk);
    }
};

TEST_F(MainFormDamagedRegistry, DamagedRegistryFileNeverStopsTheStart)
{
    ShowMain();
    ExpectPlacement(main.get(), QPoint(100, 100), QSize(600, 480));
    EXPECT_TRUE(main->RecentFiles().isEmpty());
}

class MainFormDamagedSetupFile : public MainFormFixture {
protected:
    void BeforeMainForm() override
    {
        InitializePrinterOperation();
        WriteBytes(GetUserDataDir() + QStringLiteral("PrinterSetup.cfg"), QByteArray(2000, '\x7f'));
    }
    void TearDown() override
    {
        MainFormFixture::TearDown();
        FinalizePrinterOperation();
    }
};

TEST_F(MainFormDamagedSetupFile, DamagedPrinterSetupFileNeverStopsTheStart)
{
    ShowMain();
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(PrinterOperations()->FileName(), GetUserDataDir() + QStringLiteral("PrinterSetup.cfg"));
}

// Caption, shortcut, tool tip and status-bar hint of every action.
struct ActionCase {
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* tip;
    const char* hint;
};

void PrintTo(const ActionCase& c, std::ostream* os)
{
    *os << c.name;
}

class MainFormActionText : public MainFormFixture, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(MainFormActionText, ActionHasItsCaptionShortcutTipAndHint)
{
    QAction* a = Act(GetParam().name);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromUtf8(GetParam().shortcut)));
    EXPECT_EQ(a->toolTip(), QString::fromUtf8(GetParam().tip));
    EXPECT_EQ(a->statusTip(), QString::fromUtf8(GetParam().hint));
}

INSTANTIATE_TEST_SUITE_P(
    Actions, MainFormActionText,
    ::testing::Values(
        ActionCase{"FileNew", "Nowy...", "Ctrl+N", "Nowy", "Tworzy nowy plik blankietu"},
        ActionCase{"FileOpen", "Otwórz...", "Ctrl+O", "Otwórz", "otwiera plik blankietu"},
        ActionCase{"FileClose", "Zamknij", "Ctrl+F4", "Zamknij", "Zamyka aktywny blankiet"},
        ActionCase{"FileSave", "Zapisz", "Ctrl+S", "Zapisz", "Zapisuje aktywny blankiet do pliku"},
        ActionCase{"FileSaveAs", "Zapisz jako...", "F12", "Zapisz", "Zapisuje aktywny blankiet do pliku pod inną nazwą"},
        ActionCase{"FilePrint", "Drukuj", "Ctrl+P", "Drukuj", "Drukuje aktywny blankiet"},
        ActionCase{"FilePrinterSettings", "Ustawienia drukarki...", "Shift+Ctrl+P", "Ustawienia drukarki",
                   "Umożliwia dostosowanie ustawień drukarki  przed drukowaniem blankietów"},
        ActionCase{"FileExit", "Wyjście", "Alt+F4", "Wyjście", "Kończy działanie programu"},
        ActionCase{"ViewScaleUp", "Powiększ", "Ctrl+=", "Powiększ", "Zwiększa skalę podglądu aktywnego blankietu"},
        ActionCase{"ViewScaleDown", "Pomniejsz", "Ctrl+-", "Pomniejsz", "Zmniejsza skalę podglądu aktywnego blankietu"},
        ActionCase{"ViewReverse", "Odwróć", "", "Odwróć", "Zmienia podgląd na przeciwną stronę blankietu"},
        ActionCase{"WindowCascade", "Kaskadowo", "", "Kaskadowo", "Rozmieszcza okna kaskadowo"},
        ActionCase{"WindowHorizontal", "Poziomo", "", "Poziomo", "Rozmieszcza okna poziomo"},
        ActionCase{"WindowVertical", "Pionowo", "", "Pionow", "Rozmieszcza okna pionowo"},
        ActionCase{"WindowMinimizeAll", "Minimalizuj wszystkie", "", "Minimalizuj wszystkie",
                   "Minimalizuje wszystkie okna"},
        ActionCase{"HelpContents", "Wplatomat - Pomoc", "F1", "Pomoc", "Wyświetla okno pomocy do programu"},
        ActionCase{"HelpAbout", "O programie...", "", "O programie", "Wyświetla informacje o programie"}),
    [](const auto& info) { return std::string(info.param.name); });

QStringList Layout(const QList<QAction*>& actions)
{
    QStringList names;
    for (QAction* a : actions)
        names << (a->isSeparator() ? QStringLiteral("-") : a->menu() ? a->menu()->title() : a->objectName());
    return names;
}

TEST_F(MainFormStart, MenusHoldTheirActionsInOrder)
{
    EXPECT_EQ(Layout(main->menuBar()->actions()),
              QStringList({QStringLiteral("&Plik"), QStringLiteral("&Widok"), QStringLiteral("&Okno"),
                           QStringLiteral("Po&moc")}));
    const std::pair<const char*, QStringList> menus[] = {
        {"MenuFile",
         {"FileNew", "FileOpen", "FileClose", "FileSave", "FileSaveAs", "-", "FilePrint", "FilePrinterSettings", "-",
          "FileExit", "-"}},
        {"MenuView", {"ViewScaleUp", "ViewScaleDown", "-", "ViewReverse"}},
        {"MenuWindow", {"WindowCascade", "WindowHorizontal", "WindowVertical", "WindowMinimizeAll"}},
        {"MenuHelp", {"HelpContents", "-", "HelpAbout"}}};
    for (const auto& [name, expected] : menus) {
        auto* menu = main->findChild<QMenu*>(QLatin1String(name));
        ASSERT_NE(menu, nullptr) << name;
        EXPECT_EQ(Layout(menu->actions()), expected) << name;
    }
}

TEST_F(MainFormStart, ToolBarHoldsItsButtonsAndOpenDropsDownTheRecentFiles)
{
    EXPECT_EQ(Layout(ToolBar()->actions()),
              QStringList({"FileNew", "FileOpen", "FileSave", "-", "FilePrint", "-", "ViewScaleUp", "ViewScaleDown",
                           "ViewReverse", "-"}));
    EXPECT_EQ(ToolBar()->iconSize(), QSize(24, 24));
    auto* open = qobject_cast<QToolButton*>(ToolBar()->widgetForAction(Act("FileOpen")));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(open->menu(), main->ReOpenMenu());
    for (const char* name : {"FileNew", "FileOpen", "FileSave", "FilePrint", "ViewScaleUp", "ViewScaleDown",
                             "ViewReverse"})
        EXPECT_FALSE(Act(name)->icon().isNull()) << name;
}

TEST_F(MainFormStart, StatusBarHasThreePanelsAndStartsWithTheZoomShortcut)
{
    const QList<QLabel*> panels = main->statusBar()->findChildren<QLabel*>(QRegularExpression("^Panel[012]$"));
    ASSERT_EQ(panels.size(), 3);
    EXPECT_EQ(main->StatusPanel(0), QStringLiteral("Ctrl+="));
    EXPECT_EQ(main->StatusPanel(1), QString());
    ShowMain();
    EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("Panel1"))->width(), 100);
    EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("Panel2"))->width(), 50);
}

TEST_F(MainFormStart, HintOfTheButtonUnderTheMouseGoesToTheFirstPanel)
{
    ShowMain();
    QWidget* print = ToolBar()->widgetForAction(Act("FilePrint"));
    QWidget* zoom = ToolBar()->widgetForAction(Act("ViewScaleUp"));
    QTest::mouseMove(print);
    EXPECT_TRUE(QTest::qWaitFor([&] { return main->StatusPanel(0) == QStringLiteral("Drukuje aktywny blankiet"); },
                                WaitMs))
        << main->StatusPanel(0).toStdString();
    QTest::mouseMove(zoom);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return main->StatusPanel(0) == QStringLiteral("Zwiększa skalę podglądu aktywnego blankietu"); }, WaitMs))
        << main->StatusPanel(0).toStdString();
    // Over a place without a hint the panel is emptied, not left stale.
    QTest::mouseMove(Area(), Area()->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return main->StatusPanel(0).isEmpty(); }, WaitMs))
        << main->StatusPanel(0).toStdString();
}

} // namespace
} // namespace MainFormTest
