#include "MainFormTestSupport.h"

#include "printing/untPrinterOperation.h"

#include <QScreen>

#include <array>


namespace MainFormTest {
namespace {

TEST_F(MainFormFixture, PlacementIsRestoredWhenItFitsAndDamagedSettingsCountAsAbsent)
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
    InitializePrinterOperation();
    WriteBytes(GetUserDataDir() + QStringLiteral("PrinterSetup.cfg"), QByteArray(2000, '\x7f'));
    ShowMain();
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Wplatomat"));
    restart(QRect(100, 100, 600, 480), [](TRegistry& reg) {
        EXPECT_EQ(reg.ReadString(QStringLiteral("AppPath")).value_or(QString()), QApplication::applicationFilePath());
    });
    main->move(130, 90);
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->frameGeometry().topLeft() == QPoint(130, 90); }, WaitMs));
    restart(QRect(130, 90, 600, 480), [](TRegistry&) {});
    const QRect desk = QGuiApplication::primaryScreen()->virtualGeometry();
    constexpr int big = INT_MAX, least = INT_MIN;
    const std::pair<std::array<int, 4>, bool> cases[] = {
        {{desk.right() - 499, desk.bottom() - 399, 500, 400}, true}, {{desk.right() - 598, 100, 600, 480}, false},
        {{100, desk.bottom() - 478, 600, 480}, false},              {{desk.left() - 1, 100, 600, 480}, false},
        {{big, big, big, big}, false},                               {{least, least, big, big}, false},
        {{100, 100, 600, least}, false},                             {{100, 100, 0, 0}, false}};
    for (const auto& [p, fits] : cases)
        restart(fits ? QRect(p[0], p[1], p[2], p[3]) : QRect(100, 100, 600, 480), place(p));
    restart(QRect(40, 30, 600, 520), [&](TRegistry& reg) {
        place({40, 30, 640, 520})(reg);
        reg.WriteString(QStringLiteral("MainFormWidth"), QStringLiteral("640"));
    });
    main->showMaximized(); // it leaves the screen's free area, and comes back so
    const QRect screen = main->screen()->availableGeometry();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->frameGeometry() == screen; }, WaitMs));
    restart(screen, [](TRegistry&) {});
    EXPECT_TRUE(main->isMaximized());
    FinalizePrinterOperation();
}

TEST_F(MainFormFixture, ThePrinterSetUpSavedBeforeIsCurrentAfterTheStart)
{
    DestroyMainForm();
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(spool.path(), QStringList{"pdf", "druga"}, 300,
                                                           QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5)));
    InitializePrinterOperation();
    QString name, driver, port;
    QByteArray mode;
    Printer().GetPrinter(name, driver, port, mode);
    Printer().SetPrinter(QStringLiteral("druga"), driver, port, mode);
    Printer().SetOrientation(poLandscape);
    PrinterOperations()->SetFileName(GetUserDataDir() + QStringLiteral("PrinterSetup.cfg"));
    PrinterOperations()->SaveSetup();
    Printer().SetPrinter(name, driver, port, mode);
    Printer().SetOrientation(poPortrait);
    CreateMainForm();
    EXPECT_EQ(Printer().PrinterName(), QStringLiteral("druga"));
    EXPECT_EQ(Printer().Orientation(), poLandscape);
    FinalizePrinterOperation();
}

} // namespace
} // namespace MainFormTest
