#include "MainFormTestSupport.h"

#include "printing/untPrinterOperation.h"

#include <QScreen>

#include <array>

namespace MainFormTest {
namespace {

TEST_F(MainFormFixture, PlacementAndPrinterSetUpAreRestoredAndDamagedPlacementsCountAsAbsent)
{
    const auto restart = [this](QRect frame, const std::function<void(TRegistry&)>& before) {
        DestroyMainForm();
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        before(reg);
        CreateMainForm();
        ShowMain();
        EXPECT_TRUE(QTest::qWaitFor([&] { return main->frameGeometry() == frame; }, WaitMs))
            << QDebug::toString(main->frameGeometry()).toStdString();
    };
    const auto place = [](const std::array<int, 4>& p) {
        return [p](TRegistry& reg) {
            const char* names[] = {"MainFormLeft", "MainFormTop", "MainFormWidth", "MainFormHeight"};
            for (int i = 0; i < 4; ++i)
                reg.WriteInteger(QLatin1String(names[i]), p[i]);
        };
    };
    // A printer set-up saved before is current after the start.
    InitializePrinterOperation();
    QString name;
    QString driver;
    QString port;
    QByteArray mode;
    Printer().GetPrinter(name, driver, port, mode);
    Printer().SetPrinter("druga", driver, port, mode);
    Printer().SetOrientation(poLandscape);
    PrinterOperations()->SetFileName(GetUserDataDir() + "PrinterSetup.cfg");
    PrinterOperations()->SaveSetup();
    Printer().SetPrinter(name, driver, port, mode);
    Printer().SetOrientation(poPortrait);
    ShowMain();
    EXPECT_EQ(main->windowTitle(), "Wplatomat");
    restart(QRect(100, 100, 600, 480), [](TRegistry& reg) {
        EXPECT_EQ(reg.ReadString("AppPath"), QApplication::applicationFilePath());
    });
    EXPECT_EQ(Printer().PrinterName(), "druga");
    EXPECT_EQ(Printer().Orientation(), poLandscape);
    main->move(130, 90);
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->frameGeometry().topLeft() == QPoint(130, 90); }, WaitMs));
    restart(QRect(130, 90, 600, 480), [](TRegistry&) {});
    const QRect desk = QGuiApplication::primaryScreen()->virtualGeometry();
    constexpr int big = INT_MAX;
    constexpr int least = INT_MIN;
    // Only the first frame ends on the desktop's right and bottom edges; the others cross them or hold no area.
    const std::array<int, 4> frames[] = {
        {desk.right() - 499, desk.bottom() - 399, 500, 400},
        {desk.right() - 598, 100, 600, 480},
        {100, desk.bottom() - 478, 600, 480},
        {desk.left() - 1, 100, 600, 480},
        {big, big, big, big},
        {least, least, big, big},
        {100, 100, 600, least},
        {100, 100, 0, 0},
    };
    for (const auto& p : frames) {
        const bool fits = &p == &frames[0];
        restart(fits ? QRect(p[0], p[1], p[2], p[3]) : QRect(100, 100, 600, 480), place(p));
    }
    restart(QRect(40, 30, 600, 520), [&](TRegistry& reg) {
        place({40, 30, 640, 520})(reg);
        reg.WriteString("MainFormWidth", "640");
    });
    main->showMaximized(); // it leaves the screen's free area, and comes back so
    const QRect screen = main->screen()->availableGeometry();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->frameGeometry() == screen; }, WaitMs));
    restart(screen, [](TRegistry&) {});
    EXPECT_TRUE(main->isMaximized());
    FinalizePrinterOperation();
}

} // namespace
} // namespace MainFormTest
