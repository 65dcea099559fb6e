// The document's data: defaults, reading a file whose colours beat the
// registry's, and saving without ever losing the old file.
#include "helpers/FileSizeLimit.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include <sys/stat.h>

namespace {

const QString AppKey = QStringLiteral("Software\\Korvex\\Wplatomat");

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

// The other kinds' colours are checked through the editor panel's colour dialog.
TEST(DocumentDefaults, NewDocumentTakesTheKindsDefaultsAndTheMonthBeforeToday)
{
    const struct {
        QDate today;
        const char* deklaracja;
        const char* okres;
    } cases[] = {{QDate(2026, 1, 15), "122025", "25M12"},
                 {QDate(2026, 3, 31), "022026", "26M02"}}; // the day clamps to February
    for (const auto& c : cases) {
        SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString());
        TBlankData d;
        d.FKind = bkMoneyOrder;
        SetDocumentDefaults(d, c.today);
        EXPECT_EQ(d.FNadDeklaracja, QString::fromLatin1(c.deklaracja));
        EXPECT_EQ(d.FNadOkres, QString::fromLatin1(c.okres));
        EXPECT_EQ(d.FKolForm, RGBColor(234, 88, 0));
        EXPECT_EQ(d.FKolTekst, clBlack);
        EXPECT_EQ(d.FNadNrDeklar, 1);
        EXPECT_EQ(d.FNadTypWplaty, QLatin1Char('S'));
    }
}

class BlankFormTest : public ::testing::Test {
protected:
    TempConfig config;
};

class BlankFileWindowTest : public BlankFormTest {
protected:
    QTemporaryDir dir;
    QString PathOf(const QString& name) const { return dir.filePath(name); }
};

TEST_F(BlankFileWindowTest, DocumentReadFromAFileIsUnmodifiedAndKeepsItsOwnColours)
{
    TBlankData d;
    d.FKind = bkTransferZus;
    d.FKolForm = 0x00010203;
    ASSERT_TRUE(WriteAll(PathOf(QStringLiteral("zus.wpt")), WriteBlankFile(d)));
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        ASSERT_TRUE(reg.WriteInteger(QStringLiteral("BlankColor6"), 0x00FFFFFF));
    }
    TfrmBlank form(nullptr, PathOf(QStringLiteral("zus.wpt")));
    EXPECT_EQ(form.KolForm(), 0x00010203u);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("zus.wpt[*]"));
    // A read leaves the document unmodified (the editors filled afterwards
    // count as edits until the main window clears the mark).
    form.SetModified(true);
    form.Load();
    EXPECT_FALSE(form.Modified());
    EXPECT_TRUE(form.NeedRefresh());
}

TEST_F(BlankFileWindowTest, SaveWritesTheFileAndClearsModified)
{
    TfrmBlank form(nullptr, bkTransfer);
    form.SetKwota(1234'5600);
    form.SetFileName(PathOf(QStringLiteral("nowy.wpt")));
    int calls = 0;
    form.OnModifiedChange = [&](TfrmBlank*) { ++calls; };
    form.Save();
    EXPECT_FALSE(form.Modified());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ReadAll(PathOf(QStringLiteral("nowy.wpt"))), WriteBlankFile(form.Data()));
}

TEST_F(BlankFileWindowTest, FailedSaveSaysWhyKeepsTheDocumentModifiedAndTheOldFileWhole)
{
    const QByteArray old(400, 'x');
    ASSERT_TRUE(WriteAll(PathOf(QStringLiteral("stary.wpt")), old));
    const struct {
        const char* name;
        rlim_t limitBytes;
        const char* message;
    } cases[] = {{"nie/ma/folderu/a.wpt", RLIM_INFINITY, "Nie możma zapisać pliku: "},
                 {"stary.wpt", 200, "Wystąpił błąd podczas zapisywania pliku: "}}; // the write stops partway
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TfrmBlank form(nullptr, bkTransfer);
        form.Tytul() << QString(500, QLatin1Char('t')); // well over the write limit
        const QString path = PathOf(QString::fromUtf8(c.name));
        form.SetFileName(path);
        QString message;
        try {
            const FileSizeLimit limit(c.limitBytes);
            form.Save();
        } catch (const Exception& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, QString::fromUtf8(c.message) + path);
        EXPECT_TRUE(form.Modified());
    }
    EXPECT_EQ(ReadAll(PathOf(QStringLiteral("stary.wpt"))), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("stary.wpt")});
}

TEST_F(BlankFileWindowTest, SaveInAFolderClosedToNewFilesWritesTheDocumentInPlace)
{
    TfrmBlank form(nullptr, bkTransfer);
    form.SetFileName(PathOf(QStringLiteral("stary.wpt")));
    ASSERT_TRUE(WriteAll(form.FileName(), QByteArray(400, 'x')));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
    if (WriteAll(PathOf(QStringLiteral("proba")), "?"))
        GTEST_SKIP() << "this user (root) may create files in a read-only folder";
    EXPECT_NO_THROW(form.Save());
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_EQ(ReadAll(form.FileName()), WriteBlankFile(form.Data()));
}

TEST_F(BlankFileWindowTest, ReaderRefusesAFifoADeviceAndAFileLargerThanADocumentCanBe)
{
    TfrmBlank form(nullptr, bkTransfer);
    const QString fifo = PathOf(QStringLiteral("kolejka.wpt")), big = PathOf(QStringLiteral("duzy.wpt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(WriteAll(big, WriteBlankFile(form.Data()).leftJustified((1 << 20) + 1, '\0')));
    for (const QString& path : {fifo, QStringLiteral("/dev/zero"), big}) {
        form.SetFileName(path);
        EXPECT_THROW(form.Load(), Exception) << path.toStdString();
    }
}

} // namespace
