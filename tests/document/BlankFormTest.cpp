#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "helpers/FileSizeLimit.h"
#include "helpers/TempConfig.h"
#include "platform/PaintBox.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

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
    // The day clamps to February.
    for (const auto& [today, deklaracja, okres] : {std::tuple{QDate(2026, 1, 15), "122025", "25M12"},
                                                   std::tuple{QDate(2026, 3, 31), "022026", "26M02"}}) {
        TBlankData d;
        d.FKind = bkMoneyOrder;
        SetDocumentDefaults(d, today);
        EXPECT_EQ(QStringList({d.FNadDeklaracja, d.FNadOkres, d.FNadTypWplaty}), QStringList({deklaracja, okres, "S"}));
        EXPECT_EQ(std::tuple(d.FKolForm, d.FKolTekst, d.FNadNrDeklar), std::tuple(RGBColor(234, 88, 0), clBlack, 1));
    }
}

class BlankFileWindowTest : public ::testing::Test {
protected:
    QString PathOf(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    TempConfig config;
    QTemporaryDir dir;
};

TEST_F(BlankFileWindowTest, SaveWritesTheFileOrSaysWhyKeepingTheDocumentModifiedAndTheOldFileWhole)
{
    const QByteArray old(400, 'x');
    ASSERT_TRUE(WriteAll(PathOf("stary.wpt"), old));
    const struct { const char* name; rlim_t limitBytes; const char* message; } cases[] = {
        {"nie/ma/folderu/a.wpt", RLIM_INFINITY, "Nie możma zapisać pliku: "},
                 {"stary.wpt", 200, "Wystąpił błąd podczas zapisywania pliku: "}, // the write stops partway
                 {"nowy.wpt", RLIM_INFINITY, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TfrmBlank form(nullptr, bkTransfer);
        form.Tytul() << QString(500, QLatin1Char('t')); // well over the write limit
        form.SetFileName(PathOf(c.name));
        int calls = 0;
        form.OnModifiedChange = [&](TfrmBlank*) { ++calls; };
        QString message;
        try {
            const FileSizeLimit limit(c.limitBytes);
            form.Save();
        } catch (const Exception& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, c.message ? QString::fromUtf8(c.message) + PathOf(c.name) : QString());
        EXPECT_EQ(form.Modified(), c.message != nullptr);
        EXPECT_EQ(calls, c.message ? 0 : 1);
        if (!c.message)
            EXPECT_EQ(ReadAll(PathOf(c.name)), WriteBlankFile(form.Data()));
    }
    EXPECT_EQ(ReadAll(PathOf("stary.wpt")), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"nowy.wpt", "stary.wpt"}));
    // A folder closed to new files gets the document written in place.
    TfrmBlank form(nullptr, bkTransfer);
    form.SetFileName(PathOf("stary.wpt"));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
    EXPECT_NO_THROW(form.Save()); // (root writes there all the same)
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_EQ(ReadAll(form.FileName()), WriteBlankFile(form.Data()));
}

// A document read from a file keeps its own colours over the registry's and is
// unmodified; a FIFO, a device or a file larger than a document can be is refused.
TEST_F(BlankFileWindowTest, ReaderKeepsTheFilesColoursAndRefusesAFifoADeviceAndAnOversizeFile)
{
    TBlankData d;
    d.FKind = bkTransferZus;
    d.FKolForm = 0x00010203;
    ASSERT_TRUE(WriteAll(PathOf("zus.wpt"), WriteBlankFile(d)));
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\Korvex\\Wplatomat"), true));
    ASSERT_TRUE(reg.WriteInteger(QStringLiteral("BlankColor6"), 0x00FFFFFF));
    reg.CloseKey();
    TfrmBlank form(nullptr, PathOf("zus.wpt"));
    EXPECT_EQ(form.KolForm(), 0x00010203u);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("zus.wpt[*]"));
    // The editors filled afterwards count as edits until the main window clears the mark.
    form.SetModified(true);
    form.Load();
    EXPECT_FALSE(form.Modified());
    EXPECT_TRUE(form.NeedRefresh());
    ASSERT_EQ(::mkfifo(QFile::encodeName(PathOf("kolejka.wpt")).constData(), 0600), 0);
    ASSERT_TRUE(WriteAll(PathOf("duzy.wpt"), WriteBlankFile(form.Data()).leftJustified((1 << 20) + 1, '\0')));
    for (const QString& path : {PathOf("kolejka.wpt"), QStringLiteral("/dev/zero"), PathOf("duzy.wpt")}) {
        form.SetFileName(path);
        EXPECT_THROW(form.Load(), Exception) << path.toStdString();
    }
}

TEST_F(BlankFileWindowTest, PageIsTheFormsMillimetresAtTheZoom)
{
    // 150 x 105 mm, 210 x 100 mm and 70 x 100 mm at dpi / 25.4 pixels per mm, rounded.
    const struct { quint16 kind; int dpi; QSize page; } cases[] = {
        {5, 50, {295, 207}}, {5, 500, {2953, 2067}}, {7, 140, {827, 579}}, {2, 100, {827, 394}},
                 {1, 100, {276, 394}}, {9, 100, {0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " at " << c.dpi);
        TfrmBlank form(nullptr, c.kind);
        form.SetPixelsPerInch(c.dpi);
        EXPECT_EQ(form.findChild<TPaintBox*>(QStringLiteral("PaintBox"))->size(), c.page);
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
