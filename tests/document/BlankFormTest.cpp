#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "helpers/TempConfig.h"
#include "platform/PaintBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

TEST(DocumentDefaults, NewDocumentTakesTheKindsDefaultsAndTheMonthBeforeToday)
{
    TBlankData d; // of kind 0, which has the colour of the money order and the transfers
    SetDocumentDefaults(d, QDate(2026, 3, 31)); // the day clamps to February
    EXPECT_EQ(QStringList({d.FNadDeklaracja, d.FNadOkres, d.FNadTypWplaty}), QStringList({"022026", "26M02", "S"}));
    EXPECT_EQ(std::tuple(d.FKolForm, d.FKolTekst, d.FNadNrDeklar), std::tuple(RGBColor(234, 88, 0), clBlack, 1));
}

class BlankFileWindowTest : public ::testing::Test {
protected:
    TempConfig config;
};

enum SaveOutcome { Killed = -1, Saved, CannotCreate, SaveElsewhere, WriteFailed, Other };

// Saves the document in a child process of the user, whose writes past limitBytes kill it as a kill
// at the write would. A failure must leave the document modified and start with its message.
SaveOutcome SaveAsUser(TfrmBlank& form, const passwd& user, rlim_t limitBytes)
{
    if (const pid_t child = ::fork(); child != 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFSIGNALED(status) ? Killed : SaveOutcome(WEXITSTATUS(status));
    }
    const rlimit limit{limitBytes, limitBytes};
    std::signal(SIGXFSZ, SIG_DFL);
    if (::setgroups(0, nullptr) != 0 || ::setgid(user.pw_gid) != 0 || ::setuid(user.pw_uid) != 0
        || ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        _exit(Other);
    try {
        form.Save();
        _exit(form.Modified() ? Other : Saved);
    } catch (const Exception& e) {
        const QString messages[] = {"Nie możma zapisać pliku: ", "Nie można bezpiecznie zapisać pliku: ",
                                    "Wystąpił błąd podczas zapisywania pliku: "};
        for (int i = 0; i < 3; ++i)
            if (form.Modified() && e.Message().startsWith(messages[i] + form.FileName()))
                _exit(CannotCreate + i);
    }
    _exit(Other);
}

// An ordinary user saves over an old document on a 64 KiB disk, with room, on the full disk or
// killed at the write: the old document or the new one, whole, never less. Where the folder
// takes no new file, the old one is never written into: the user is told to save elsewhere.
TEST_F(BlankFileWindowTest, SaveLeavesTheOldDocumentOrTheNewOneWholeOnAFullDiskOrAKill)
{
    const passwd* user = ::getpwnam("nobody");
    if (!user || ::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a 64 KiB disk, and an ordinary user (nobody) to save as";
    enum Disk { Room, Full, KilledAtWrite };
    const struct { const char* folder; Disk disk; SaveOutcome outcome; } cases[] = {
        {"otwarty", Room, Saved}, {"otwarty", Full, WriteFailed}, {"otwarty", KilledAtWrite, Killed},
        {"zamkniety", Room, SaveElsewhere}, {"zamkniety", Full, SaveElsewhere},
        {"zamkniety", KilledAtWrite, SaveElsewhere}, {"brak", Room, CannotCreate}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.folder << ", case " << c.disk);
        const QTemporaryDir disk;
        const QByteArray mountPoint = QFile::encodeName(disk.path());
        ASSERT_EQ(::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k,mode=0755"), 0);
        const std::shared_ptr<void> unmount(nullptr, [&](void*) { ::umount2(mountPoint.constData(), MNT_DETACH); });
        const QString folder = disk.filePath(QLatin1String(c.folder)), path = folder + QStringLiteral("/stary.wpt");
        TfrmBlank form(nullptr, bkTransfer);
        const QByteArray old = WriteBlankFile(form.Data());
        // The open folder and every old file are the user's; the closed folder is root's.
        if (c.folder != std::string("brak")) {
            ASSERT_TRUE(QDir().mkdir(folder) && WriteAll(path, old));
            for (const QString& own : {path, c.folder == std::string("otwarty") ? folder : path})
                ASSERT_EQ(::chown(QFile::encodeName(own).constData(), user->pw_uid, user->pw_gid), 0);
        }
        QFile filler(disk.filePath(QStringLiteral("wypelnienie")));
        if (c.disk == Full && filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(4096, 'x')) == 4096) {}
        form.SetEditorValue(64, QString(1500, u'n'));
        form.SetFileName(path);
        EXPECT_EQ(SaveAsUser(form, *user, c.disk == KilledAtWrite ? 1024 : RLIM_INFINITY), c.outcome);
        EXPECT_EQ(ReadAll(path), c.outcome == Saved ? WriteBlankFile(form.Data())
                                 : c.outcome == CannotCreate ? QByteArray() : old);
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
        EXPECT_EQ(std::pair(form.findChild<TPaintBox*>(QStringLiteral("PaintBox"))->size(), form.BlankObj.DPI()),
                  std::pair(c.page, c.dpi));
    }
    // Down from a zoom that needed scroll bars, the window fits the page as a new one does.
    QMdiArea area;
    area.resize(1200, 900);
    auto* form = new TfrmBlank(nullptr, bkTransfer);
    area.addSubWindow(form), area.show(), form->show();
    form->SetPixelsPerInch(500);
    form->SetPixelsPerInch(75);
    QApplication::processEvents();
    EXPECT_EQ(form->findChild<QScrollArea*>(QStringLiteral("ScrollBox1"))->viewport()->size(), QSize(443, 310));
}

// A print job owns the drawing object: the preview must not point it at the
// screen, whatever paints the window system asks for meanwhile, and catches up once it ends.
TEST_F(BlankFileWindowTest, NoDrawingWhilePrintingAndARepaintAfterwards)
{
    TfrmBlank form(nullptr, bkTransfer);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TCanvas printerStandIn;
    form.BlankObj.SetCanvas(&printerStandIn);
    form.BlankObj.SetPrinting(true);
    form.SetKwota(10000);
    form.SetPixelsPerInch(140); // asks for an immediate paint, which must wait
    form.update();
    QTest::qWait(600); // the timer ticks at least twice
    EXPECT_EQ(form.BlankObj.Canvas(), &printerStandIn);
    EXPECT_TRUE(form.NeedRefresh());
    form.BlankObj.SetPrinting(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.NeedRefresh(); }));
    EXPECT_NE(form.BlankObj.Canvas(), &printerStandIn);
}

} // namespace
