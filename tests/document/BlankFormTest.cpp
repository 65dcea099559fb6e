// The document's data: defaults, reading a file whose colours beat the
// registry's, and saving without ever losing the old file.
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "helpers/FileSizeLimit.h"
#include "helpers/TempConfig.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
        EXPECT_EQ(d.FNadDeklaracja, QLatin1String(deklaracja));
        EXPECT_EQ(d.FNadOkres, QLatin1String(okres));
        EXPECT_EQ(d.FKolForm, RGBColor(234, 88, 0));
        EXPECT_EQ(d.FKolTekst, clBlack);
        EXPECT_EQ(d.FNadNrDeklar, 1);
        EXPECT_EQ(d.FNadTypWplaty, QLatin1Char('S'));
    }
}

class BlankFileWindowTest : public ::testing::Test {
protected:
    QString PathOf(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    TempConfig config;
    QTemporaryDir dir;
};

TEST_F(BlankFileWindowTest, DocumentReadFromAFileIsUnmodifiedAndKeepsItsOwnColours)
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
}

TEST_F(BlankFileWindowTest, SaveWritesTheFileOrSaysWhyKeepingTheDocumentModifiedAndTheOldFileWhole)
{
    const QByteArray old(400, 'x');
    ASSERT_TRUE(WriteAll(PathOf("stary.wpt"), old));
    const struct {
        const char* name;
        rlim_t limitBytes;
        const char* message;
    } cases[] = {{"nie/ma/folderu/a.wpt", RLIM_INFINITY, "Nie możma zapisać pliku: "},
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
}

TEST_F(BlankFileWindowTest, SaveInAFolderClosedToNewFilesWritesTheDocumentInPlace)
{
    TfrmBlank form(nullptr, bkTransfer);
    form.SetFileName(PathOf("stary.wpt"));
    ASSERT_TRUE(WriteAll(form.FileName(), QByteArray(400, 'x')));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
    if (WriteAll(PathOf("proba"), "?"))
        GTEST_SKIP() << "this user (root) may create files in a read-only folder";
    EXPECT_NO_THROW(form.Save());
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_EQ(ReadAll(form.FileName()), WriteBlankFile(form.Data()));
}

TEST_F(BlankFileWindowTest, ReaderRefusesAFifoADeviceAndAFileLargerThanADocumentCanBe)
{
    TfrmBlank form(nullptr, bkTransfer);
    ASSERT_EQ(::mkfifo(QFile::encodeName(PathOf("kolejka.wpt")).constData(), 0600), 0);
    ASSERT_TRUE(WriteAll(PathOf("duzy.wpt"), WriteBlankFile(form.Data()).leftJustified((1 << 20) + 1, '\0')));
    for (const QString& path : {PathOf("kolejka.wpt"), QStringLiteral("/dev/zero"), PathOf("duzy.wpt")}) {
        form.SetFileName(path);
        EXPECT_THROW(form.Load(), Exception) << path.toStdString();
    }
}

} // namespace
