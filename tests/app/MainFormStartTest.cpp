// The main window's creation and destruction: placement and "AppPath" in the
// registry, what damaged settings do, and the status bar's automatic hints.
#include "MainFormTestSupport.h"

#include "printing/untPrinterOperation.h"

#include <QScreen>

#include <array>
#include <limits>

namespace MainFormTest {
namespace {

using MainFormStart = MainFormFixture;

// The placement is the window's outer frame.
void ExpectPlacement(QWidget* w, QRect expected)
{
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->frameGeometry() == expected; }, WaitMs))
        << "frame " << QDebug::toString(w->frameGeometry()).toStdString();
}

TEST_F(MainFormStart, FirstStartOpensAtHundredHundredSixHundredByFourEightyAndWritesAppPath)
{
    ShowMain();
    ExpectPlacement(main.get(), QRect(100, 100, 600, 480));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Wplatomat"));
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(AppKey, false));
    EXPECT_EQ(reg.GetDataType(QStringLiteral("AppPath")), rdString);
    EXPECT_EQ(reg.ReadString(QStringLiteral("AppPath")).value_or(QString()), QApplication::applicationFilePath());
    for (const char* name : {"MainFormLeft", "MainFormTop", "MainFormWidth", "MainFormHeight"})
        EXPECT_FALSE(reg.ValueExists(QLatin1String(name))) << name << " is written at exit, not at start";
}

TEST_F(MainFormStart, PlacementIsSavedAsTheFrameAndRestoredOnlyWhenItFitsTheScreens)
{
    ShowMain();
    main->move(130, 90);
    ExpectPlacement(main.get(), QRect(130, 90, 600, 480));
    DestroyMainForm();

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(AppKey, false));
    const std::pair<const char*, int> stored[] = {
        {"MainFormLeft", 130}, {"MainFormTop", 90}, {"MainFormWidth", 600}, {"MainFormHeight", 480}};
    for (const auto& [name, value] : stored) {
        EXPECT_EQ(reg.GetDataType(QLatin1String(name)), rdInteger) << name;
        EXPECT_EQ(reg.ReadInteger(QLatin1String(name)).value_or(-1), value) << name;
    }

    CreateMainForm();
    ShowMain();
    ExpectPlacement(main.get(), QRect(130, 90, 600, 480));

    // Only a frame that lies on the screens is restored, whatever the values.
    const QRect desk = QGuiApplication::primaryScreen()->virtualGeometry();
    const int big = std::numeric_limits<int>::max(), least = std::numeric_limits<int>::min();
    const std::pair<std::array<int, 4>, bool> cases[] = {
        {{desk.right() - 499, desk.bottom() - 399, 500, 400}, true}, {{desk.right() - 598, 100, 600, 480}, false},
        {{100, desk.bottom() - 478, 600, 480}, false},              {{desk.left() - 1, 100, 600, 480}, false},
        {{big, big, big, big}, false},                               {{least, least, big, big}, false},
        {{100, 100, 600, least}, false},                             {{100, 100, 0, 0}, false}};
    for (const auto& [p, fits] : cases) {
        SCOPED_TRACE(testing::Message() << p[0] << "," << p[1] << " " << p[2] << "x" << p[3]);
        DestroyMainForm();
        TRegistry hostile;
        ASSERT_TRUE(hostile.OpenKey(AppKey, false));
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(hostile.WriteInteger(QLatin1String(stored[i].first), p[i]));
        CreateMainForm();
        ShowMain();
        ExpectPlacement(main.get(), fits ? QRect(p[0], p[1], p[2], p[3]) : QRect(100, 100, 600, 480));
    }
}

// Damaged settings never stop the start; what cannot be read counts as absent.
class MainFormDamaged : public MainFormFixture {
protected:
    void BeforeMainForm() override
    {
        InitializePrinterOperation();
        WriteBytes(GetUserDataDir() + QStringLiteral("PrinterSetup.cfg"), QByteArray(2000, '\x7f'));
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        reg.WriteInteger(QStringLiteral("MainFormLeft"), 40);
        reg.WriteInteger(QStringLiteral("MainFormTop"), 30);
        reg.WriteString(QStringLiteral("MainFormWidth"), QStringLiteral("640"));
        reg.WriteInteger(QStringLiteral("MainFormHeight"), 520);
    }
    void TearDown() override
    {
        MainFormFixture::TearDown();
        FinalizePrinterOperation();
    }
};

TEST_F(MainFormDamaged, DamagedSettingsNeverStopTheStartAndCountAsAbsent)
{
    // A width of another type, and the printer set-up file.
    ShowMain();
    ExpectPlacement(main.get(), QRect(40, 30, 600, 520));
    DestroyMainForm();

    // The registry file itself.
    const QByteArray junk("\x00\xff[Software\\Korvex\\Wplatomat\nMainFormLeft=\x01\x02\n", 40);
    WriteBytes(RegistryFile::defaultFileName(), junk + QByteArray(300, '\xfe'));
    CreateMainForm();
    ShowMain();
    ExpectPlacement(main.get(), QRect(100, 100, 600, 480));
}

TEST_F(MainFormStart, HintOfTheButtonUnderTheMouseGoesToTheFirstPanel)
{
    EXPECT_EQ(main->StatusPanel(0), QStringLiteral("Ctrl+="));
    ShowMain();
    QTest::mouseMove(Button("FilePrint"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return main->StatusPanel(0) == QStringLiteral("Drukuje aktywny blankiet"); },
                                WaitMs))
        << main->StatusPanel(0).toStdString();
    // Over a place without a hint the panel is emptied, not left stale.
    QTest::mouseMove(Area(), Area()->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return main->StatusPanel(0).isEmpty(); }, WaitMs))
        << main->StatusPanel(0).toStdString();
}

} // namespace
} // namespace MainFormTest
