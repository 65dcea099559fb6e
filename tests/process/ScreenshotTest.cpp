#include "document/BlankFile.h"
#include "helpers/PixelProbe.h"
#include "helpers/ProgramRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>


namespace {

// The main window's placement on an empty registry; no window manager runs,
// so the window lies exactly there, without a frame. The preview lies right
// of the 201-pixel editor panel.
const QRect MainWindowPx(100, 100, 600, 480);
const QRect PreviewPx = MainWindowPx.adjusted(201, 0, 0, 0);
constexpr TColor FormColour = 0x000058EA; // R 234, G 88, B 0
// The boxes' background: nine tenths of the way from the form colour to white, truncated.
constexpr TColor FormTint = 0x00E5EEFC; // R 252, G 238, B 229
// Far fewer than a painted coupon's lines, captions and tinted boxes have, far
// more than the few tool bar pictures in the colour have.
constexpr int MinFormPixels = 5000, MinTintPixels = 10000;

TEST(Screenshot, MainWindowWithTransferDocumentShowsItsPreviewInTheFormColour)
{
    const QString missing = MissingTools({"Xvfb", "xwd"});
    ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
    QTemporaryDir root;
    const QString config = root.filePath(QStringLiteral("config")), runtime = root.filePath(QStringLiteral("runtime"));
    // The runtime folder must be private, or Qt refuses it.
    ASSERT_TRUE(QDir().mkpath(config) && QDir().mkpath(runtime));
    ASSERT_TRUE(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    TBlankData document;
    document.FKind = bkTransfer;
    document.FKolForm = FormColour;
    document.FKwota = 1234'5600;
    document.FOdbiorca = QStringList{QStringLiteral("Spółdzielnia Mieszkaniowa „Zorza”"), QStringLiteral("Kraków")};
    document.FOdbRach = QStringLiteral("12345678901234567890123456");
    document.FTytul = QStringList{QStringLiteral("Czynsz za marzec")};
    const QString path = root.filePath(QStringLiteral("przelew.wpt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(WriteBlankFile(document)) > 0);
    file.close();

    PrivateDisplay display;
    ASSERT_TRUE(display.Start(1280, 900)) << display.Error().toStdString();
    ProgramRun program;
    ASSERT_TRUE(program.Start(QStringLiteral(WPLATOMAT_EXE), {path},
                              {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")},
                               {QStringLiteral("DISPLAY"), display.Name()},
                               {QStringLiteral("XDG_CONFIG_HOME"), config},
                               {QStringLiteral("XDG_RUNTIME_DIR"), runtime}}))
        << program.errorString().toStdString();
    // Painted means the coupon is there and two grabs in a row agree.
    QImage screen;
    int lastCount = -1;
    const bool settled = QTest::qWaitFor(
        [&] {
            screen = display.Grab();
            const int count = CountPixels(screen, PreviewPx, FormColour);
            const bool painted = count >= MinFormPixels && count == lastCount;
            lastCount = count;
            return painted || screen.isNull() || !program.Running();
        },
        20'000);
    ASSERT_FALSE(screen.isNull()) << display.Error().toStdString();
    EXPECT_TRUE(settled) << "the preview was not painted steadily in time";
    ASSERT_TRUE(program.Running()) << "the program ended; output:\n" << program.Output().toStdString();
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    const QString png = folder + QStringLiteral("/main-window-transfer.png");
    ASSERT_TRUE(QDir().mkpath(folder) && screen.save(png, "PNG"));
    RecordProperty("screenshot", png.toStdString());

    ASSERT_EQ(screen.size(), QSize(1280, 900));
    EXPECT_GE(CountPixels(screen, PreviewPx, FormTint), MinTintPixels);
    // Nothing outside the main window shows the colour (no chooser, no other window).
    EXPECT_EQ(CountPixels(screen, screen.rect(), FormColour), CountPixels(screen, MainWindowPx, FormColour));
    EXPECT_TRUE(program.Stop(SIGTERM));
}

} // namespace
