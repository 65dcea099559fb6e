// What the main window takes back at its start: its placement, the printer set-up, the recent files; and the
// chooser it offers then.
#include "MainFormTestSupport.h"

#include "helpers/PixelProbe.h"
#include "printing/untPrinterOperation.h"

#include <QMdiArea>
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
                reg.WriteInteger(names[i], p[i]);
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

QStringList Captions(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* item : menu->actions().mid(menu->actions().size() - 5))
        texts << item->text();
    return texts;
}

// The values File1 to File5 as stored, "-" for a missing one, then the count.
QString Stored()
{
    TRegistry reg;
    if (!reg.OpenKey(AppKey, false))
        return "no key";
    QStringList values;
    for (int n = 1; n <= 5; ++n) {
        const QString name = QStringLiteral("File%1").arg(n);
        values << (reg.ValueExists(name) ? reg.ReadString(name).value_or("?") : QStringLiteral("-"));
    }
    return values.join(u'|') + u'#' + QString::number(reg.ReadInteger("RecentFilesCount").value_or(-1));
}

TEST_F(MainFormFixture, RecentFilesComeNewestFirstFiveAtMostAndStaySoAfterARestart)
{
    QStringList p; // 1.wpt ... 6.wpt
    for (int i = 1; i <= 6; ++i)
        WriteDocument(p.emplace_back(FilePath(QStringLiteral("%1.wpt").arg(i))), bkTransfer);
    const QString other = FilePath("4.WPT");
    QFile::copy(p[3], other);
    ShowMain();
    for (const QString& path : p)
        main->OpenFile(path);
    // A listed file, also in other letters, keeps its place.
    main->findChild<QMdiArea*>()->closeAllSubWindows();
    for (const QString& path : {p[3], other})
        main->OpenFile(path);
    const QStringList shown = {"&1  " + p[5], "&2  " + p[4], "&3  " + p[3], "&4  " + p[2], "&5  " + p[1]};
    EXPECT_EQ(Captions(main->ReOpenMenu()) + Captions(main->findChild<QMenu*>("MenuFile")), shown + shown);
    EXPECT_EQ(Stored(), QStringList({p[5], p[4], p[3], p[2], p[1]}).join(u'|') + "#6");
    DestroyMainForm();
    CreateMainForm();
    EXPECT_EQ(Captions(main->ReOpenMenu()), shown);
}

TEST_F(MainFormFixture, RecentFilesLoadOnlyTheCountedSlotsAndReportAFileThatIsGone)
{
    const QString a = FilePath("a.wpt");
    const QString gone = FilePath("brak.wpt");
    const QString d = FilePath("d.wpt");
    for (const QString& path : {a, d})
        WriteDocument(path, bkTransfer);
    DestroyMainForm();
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        reg.WriteInteger("RecentFilesCount", 3);
        const QStringList values = {gone, gone.toUpper(), a, d, d};
        for (int n = 1; n <= 5; ++n)
            reg.WriteString(QStringLiteral("File%1").arg(n), values[n - 1]);
    }
    CreateMainForm();
    ShowMain();
    EXPECT_EQ(main->RecentFiles(), QStringList({gone, a}));
    EXPECT_EQ(Stored(), gone + u'|' + gone.toUpper() + u'|' + a + "|-|-#3");
    // The item stays and says so again; the list forgets the file, as the next save shows.
    for (int click = 0; click < 2; ++click) {
        modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
        main->ReOpenMenu()->actions().value(0)->trigger();
    }
    EXPECT_EQ(modals.texts, QStringList(2, "Plik o tej nazwie został skasowany lub przeniesiony."));
    main->OpenFile(d);
    EXPECT_EQ(Stored(), d + u'|' + a + "|-|-|-#2");
}

// A hot button is filled with a tenth of the highlight, a pressed one with three tenths, both framed in it; others
// in the face colour with a dark frame, a focused one framed inside; the caption starts 90 pixels from the edge.
TEST(Chooser, EachButtonEndsItWithItsKindAndIsDrawnByItsState)
{
    TfrmNewBlank chooser;
    const quint16 kinds[] = {bkTransfer, bkTransferZus, bkTransferTax, bkMoneyOrder};
    for (int index = 0; index < 4; ++index) {
        chooser.show();
        ClickChooser("ButtonGroup1", index)(&chooser);
        EXPECT_EQ(chooser.result(), QDialog::Accepted);
        EXPECT_EQ(chooser.BlankKind, kinds[index]);
    }
    auto* group = chooser.findChild<TButtonGroup*>("ButtonGroup1");
    const TColor H = FromQColor(chooser.palette().color(QPalette::Active, QPalette::Highlight));
    const TColor F = FromQColor(chooser.palette().color(QPalette::Active, QPalette::Button));
    const TColor darkText = BlendColors(clBlack, F, 6, 10);
    const TColor hotText = BlendColors(H, clBlack, 6, 10);
    const struct { TButtonDrawState state; TColor fill, frame, inner, text; } rows[] = {
        {bdsHot, BlendColors(H, F, 9, 10), H, BlendColors(H, F, 9, 10), hotText},
        {bdsHot | bdsPressed, BlendColors(H, F, 7, 10), H, BlendColors(H, F, 7, 10), hotText},
        {0, F, BlendColors(clBlack, F, 9, 10), F, darkText},
        {bdsFocused, F, BlendColors(clBlack, F, 9, 10), H, darkText}};
    for (const auto& row : rows) {
        QImage image(269, 68, QImage::Format_RGB32);
        image.fill(Qt::white);
        TCanvas canvas(&image);
        chooser.ButtonGroup1DrawButton(*group, 0, canvas, {0, 0, 269, 68}, row.state);
        // One pixel of the rectangle stays out at the top and the bottom.
        const QList<TColor> probes = {PixelAt(image, 0, 0), PixelAt(image, 0, 1), PixelAt(image, 1, 2),
                                      PixelAt(image, 87, 30), PixelAt(image, 87, 67)};
        EXPECT_EQ(probes, QList<TColor>({0xFFFFFF, row.frame, row.inner, row.fill, 0xFFFFFF})) << row.state;
        EXPECT_TRUE(QList<int>({90, 91, 92}).contains(InkBounds(image, QRect(84, 3, 180, 60), row.fill).left()));
        EXPECT_GT(CountPixels(image, QRect(84, 3, 180, 60), row.text), 20) << "caption in its colour";
    }
}

} // namespace
} // namespace MainFormTest
