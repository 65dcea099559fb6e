#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "helpers/ProgramRun.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "platform/PaintBox.h"

#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

#include <pwd.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class BlankFileWindowTest : public ::testing::Test {
protected:
    TempConfig config;
};

// An ordinary user saves over an old document on a 64 KiB disk, with room, on the full disk or killed at the write:
// the old document or the new one, whole, never less. Where the folder takes no new file, the old one is never
// written into: the user is told to save elsewhere. The saver runs as a program of its own.
TEST_F(BlankFileWindowTest, SaveLeavesTheOldDocumentOrTheNewOneWholeOnAFullDiskOrAKill)
{
    const passwd* user = ::getpwnam("nobody");
    if (!user || ::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a 64 KiB disk, and an ordinary user (nobody) to save as";
    enum Disk { Room, Full, KilledAtWrite };
    enum Outcome { Saved, Killed, CannotCreate, SaveElsewhere, WriteFailed };
    const QString messages[] = {{}, {}, u"Nie możma zapisać pliku: "_s, u"Nie można bezpiecznie zapisać pliku: "_s,
                                u"Wystąpił błąd podczas zapisywania pliku: "_s};
    const struct { const char* folder; Disk disk; Outcome outcome; } cases[] = {
        {"otwarty", Room, Saved}, {"otwarty", Full, WriteFailed}, {"otwarty", KilledAtWrite, Killed},
        {"zamkniety", Room, SaveElsewhere}, {"zamkniety", Full, SaveElsewhere},
        {"zamkniety", KilledAtWrite, SaveElsewhere}, {"brak", Room, CannotCreate}};
    const auto giveToUser = [&](const QString& name) {
        return ::chown(QFile::encodeName(name).constData(), user->pw_uid, user->pw_gid) == 0;
    };
    // The document the saver makes, before and after its edit.
    TfrmBlank form(nullptr, bkTransfer);
    const QByteArray old = WriteBlankFile(form.Data());
    form.SetEditorValue(64, QString(1500, u'n'));
    const QByteArray saved = WriteBlankFile(form.Data());
    // Qt wants a runtime folder of the user's own.
    const QTemporaryDir runtime;
    ASSERT_TRUE(giveToUser(runtime.path()));
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.folder << ", case " << c.disk);
        const QTemporaryDir disk;
        const QByteArray mountPoint = QFile::encodeName(disk.path());
        ASSERT_EQ(::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k,mode=0755"), 0);
        const std::shared_ptr<void> unmount(nullptr, [&](void*) { ::umount2(mountPoint.constData(), MNT_DETACH); });
        const QString folder = disk.filePath(QLatin1String(c.folder));
        const QString path = folder + u"/stary.wpt"_s;
        QFile file(path);
        // The open folder and every old file are the user's; the closed folder is root's.
        if (c.folder != std::string("brak")) {
            ASSERT_TRUE(QDir().mkdir(folder));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(old);
            file.close();
            ASSERT_TRUE(giveToUser(path));
        }
        if (c.folder == std::string("otwarty"))
            ASSERT_TRUE(giveToUser(folder));
        QFile filler(disk.filePath(u"wypelnienie"_s));
        if (c.disk == Full && filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(4096, 'x')) == 4096) {}
        const rlim_t limit = c.disk == KilledAtWrite ? 1024 : RLIM_INFINITY;
        ProgramRun saver;
        saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const QStringList arguments{u"nobody"_s, QString::number(limit), path};
        ASSERT_TRUE(saver.Start(QStringLiteral(WPLATOMAT_SAVER), arguments, {{u"XDG_RUNTIME_DIR"_s, runtime.path()}}));
        const std::optional<int> exit = saver.WaitForExit(std::chrono::minutes(2));
        EXPECT_EQ(saver.Crashed(), c.outcome == Killed);
        EXPECT_EQ(exit, c.outcome == Killed ? std::nullopt : std::optional(0));
        EXPECT_EQ(saver.Output(), c.outcome < CannotCreate ? QString() : messages[c.outcome] + path);
        const QByteArray expected = c.outcome == Saved ? saved : c.outcome == CannotCreate ? QByteArray() : old;
        EXPECT_EQ(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), expected);
    }
}

TEST_F(BlankFileWindowTest, PageIsTheFormsMillimetresAtTheZoom)
{
    // 150 x 105 mm, 210 x 100 mm and 70 x 100 mm at dpi / 25.4 pixels per mm, rounded.
    const struct { quint16 kind; int dpi; QSize page; } cases[] = {
        {5, 50, {295, 207}}, {5, 500, {2953, 2067}}, {7, 140, {827, 579}}, {2, 100, {827, 394}}, {1, 100, {276, 394}},
        {9, 100, {0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " at " << c.dpi);
        TfrmBlank form(nullptr, c.kind);
        form.SetPixelsPerInch(c.dpi);
        EXPECT_EQ(form.findChild<TPaintBox*>(u"PaintBox"_s)->size(), c.page);
        EXPECT_EQ(form.BlankObj.DPI(), c.dpi);
    }
    // Down from a zoom that needed scroll bars, the window fits the page as a new one does.
    QMdiArea area;
    area.resize(1200, 900);
    auto* form = new TfrmBlank(nullptr, bkTransfer);
    area.addSubWindow(form);
    area.show();
    form->show();
    form->SetPixelsPerInch(500);
    form->SetPixelsPerInch(75);
    const QWidget* viewport = form->findChild<QScrollArea*>(u"ScrollBox1"_s)->viewport();
    EXPECT_TRUE(QTest::qWaitFor([&] { return viewport->size() == QSize(443, 310); }, 60'000)) << viewport->width();
}

// A print job owns the drawing object: the preview must not point it at the screen, whatever paints the window
// system asks for meanwhile, and catches up once it ends.
TEST_F(BlankFileWindowTest, NoDrawingWhilePrintingAndARepaintAfterwards)
{
    TfrmBlank form(nullptr, bkTransfer);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QList<QTimer*> timers = form.findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(timers.size(), 1);
    QSignalSpy ticks(timers.first(), &QTimer::timeout);
    TCanvas printerStandIn;
    form.BlankObj.SetCanvas(&printerStandIn);
    form.BlankObj.SetPrinting(true);
    form.SetKwota(10000);
    form.SetPixelsPerInch(140); // asks for an immediate paint, which must wait
    form.update();
    // The paint event is handled before the timer's second tick.
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 2; }, 60'000));
    EXPECT_EQ(form.BlankObj.Canvas(), &printerStandIn);
    EXPECT_TRUE(form.NeedRefresh());
    form.BlankObj.SetPrinting(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.NeedRefresh(); }));
    EXPECT_NE(form.BlankObj.Canvas(), &printerStandIn);
}

} // namespace
