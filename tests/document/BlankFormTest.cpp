// The document's data: defaults per kind, the property writers, the colours
// per kind in the registry, and saving without ever losing the old file.
#include "helpers/FileSizeLimit.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

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

QString Caption(const QWidget& w)
{
    return w.windowTitle().remove(QStringLiteral("[*]"));
}

TEST(DocumentDefaults, PeriodsAreTheMonthBeforeToday)
{
    const struct {
        QDate today;
        const char* deklaracja;
        const char* okres;
    } cases[] = {{QDate(2026, 1, 15), "122025", "25M12"},
                 {QDate(2026, 3, 31), "022026", "26M02"}, // the day clamps to February
                 {QDate(2000, 1, 1), "121999", "99M12"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(DefaultDeklaracja(c.today), QString::fromLatin1(c.deklaracja));
        EXPECT_EQ(DefaultOkres(c.today), QString::fromLatin1(c.okres));
    }
}

TEST(DocumentDefaults, NewDocumentTakesTheKindsDefaults)
{
    const struct {
        quint16 kind;
        TColor kolForm;
        QChar nadTypId2;
    } cases[] = {{bkTransferZus, RGBColor(157, 170, 0), QChar(0)}, {bkTransferTax, RGBColor(213, 122, 0), u'N'},
                 {bkDeposit, RGBColor(31, 198, 6), QChar(0)},      {bkTransfer, RGBColor(234, 88, 0), QChar(0)},
                 {bkMoneyOrder, RGBColor(234, 88, 0), QChar(0)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        TBlankData d;
        d.FKind = c.kind;
        SetDocumentDefaults(d, QDate(2026, 1, 15));
        EXPECT_EQ(d.FKolForm, c.kolForm);
        EXPECT_EQ(d.FKolTekst, clBlack);
        EXPECT_EQ(d.FNadTypId2, c.nadTypId2);
        EXPECT_EQ(d.FNadNrDeklar, 1);
        EXPECT_EQ(d.FNadTypWplaty, QLatin1Char('S'));
        EXPECT_EQ(d.FNadDeklaracja, QStringLiteral("122025"));
        EXPECT_EQ(d.FNadOkres, QStringLiteral("25M12"));
    }
}

class BlankFormTest : public ::testing::Test {
protected:
    TempConfig config;
};

TEST_F(BlankFormTest, NewDocumentIsUnmodifiedAndUntitled)
{
    TfrmBlank form(nullptr, bkTransfer);
    EXPECT_FALSE(form.Modified());
    EXPECT_EQ(Caption(form), QStringLiteral("<Bez nazwy>"));
    EXPECT_EQ(form.PixelsPerInch(), 100);
    EXPECT_EQ(form.ViewSide(), bsTop);
}

TEST_F(BlankFormTest, AmountIsCappedBelowOneBillion)
{
    const struct {
        Currency set;
        Currency stored;
    } cases[] = {{1'000'000'000'0000LL, 999'999'999'9900LL},
                 {9'000'000'000'000'0000LL, 999'999'999'9900LL},
                 {999'999'999'9999LL, 999'999'999'9999LL}, // below the threshold, kept
                 {-5'0000LL, -5'0000LL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        TfrmBlank form(nullptr, bkTransfer);
        form.SetKwota(c.set);
        EXPECT_EQ(form.Kwota(), c.stored);
        EXPECT_TRUE(form.Modified());
        EXPECT_TRUE(form.NeedRefresh());
    }
}

TEST_F(BlankFormTest, FileNameGivesTheCaptionWithoutFolder)
{
    TfrmBlank form(nullptr, bkTransfer);
    form.SetModified(false);
    form.SetFileName(QStringLiteral("/home/ula/Dokumenty/wpłata za prąd.wpt"));
    EXPECT_EQ(Caption(form), QStringLiteral("wpłata za prąd.wpt"));
    EXPECT_TRUE(form.Modified());
}

TEST_F(BlankFormTest, NewDocumentTakesTheKindsColoursFromTheRegistryWhenTheyAreIntegers)
{
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        ASSERT_TRUE(reg.WriteInteger(QStringLiteral("BlankColor6"), 0x00123456));
        ASSERT_TRUE(reg.WriteInteger(QStringLiteral("DataColor5"), 0x00654321));
        ASSERT_TRUE(reg.WriteString(QStringLiteral("BlankColor7"), QStringLiteral("czerwony")));
        ASSERT_TRUE(reg.WriteBinaryData(QStringLiteral("DataColor7"), QByteArray("\x01\x02", 2)));
    }
    TfrmBlank zus(nullptr, bkTransferZus);
    EXPECT_EQ(zus.KolForm(), 0x00123456u);
    EXPECT_EQ(zus.KolTekst(), clBlack); // only the form colour was stored for kind 6
    TfrmBlank transfer(nullptr, bkTransfer);
    EXPECT_EQ(transfer.KolTekst(), 0x00654321u);
    EXPECT_EQ(transfer.KolForm(), RGBColor(234, 88, 0));
    TfrmBlank tax(nullptr, bkTransferTax);
    EXPECT_EQ(tax.KolForm(), RGBColor(213, 122, 0));
    EXPECT_EQ(tax.KolTekst(), clBlack);
}

class BlankFileWindowTest : public BlankFormTest {
protected:
    QTemporaryDir dir;
    QString PathOf(const QString& name) const { return dir.filePath(name); }
};

TEST_F(BlankFileWindowTest, UnreadableFileClosesTheNewWindowAndTellsWhy)
{
    ASSERT_TRUE(WriteAll(PathOf(QStringLiteral("obcy.wpt")), QByteArray("\x08\x00\x07\x00", 4)));
    const struct {
        const char* name;
        QString error;
    } cases[] = {{"brak.wpt", QStringLiteral("Nie można otworzyć pliku: ") + PathOf(QStringLiteral("brak.wpt"))},
                 {"obcy.wpt", QStringLiteral("Nieprawidłowy format pliku.")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QPointer<TfrmBlank> form = new TfrmBlank(nullptr, PathOf(QString::fromLatin1(c.name)));
        EXPECT_TRUE(form->IsClosing());
        EXPECT_EQ(form->LoadError(), c.error);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(form.isNull());
    }
}

TEST_F(BlankFileWindowTest, DocumentReadFromAFileIsUnmodifiedAndKeepsItsOwnColours)
{
    TBlankData d;
    d.FKind = bkTransferZus;
    d.FKwota = 1'500'000'000'0000LL; // stored amounts are not capped
    d.FKolForm = 0x00010203;
    d.FNadawca = QStringList{QStringLiteral("Jan Wiśniewski"), QStringLiteral("ul. Łąkowa 5")};
    ASSERT_TRUE(WriteAll(PathOf(QStringLiteral("zus.wpt")), WriteBlankFile(d)));
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        ASSERT_TRUE(reg.WriteInteger(QStringLiteral("BlankColor6"), 0x00FFFFFF));
    }
    TfrmBlank form(nullptr, PathOf(QStringLiteral("zus.wpt")));
    EXPECT_EQ(form.Kwota(), 1'500'000'000'0000LL);
    EXPECT_EQ(form.KolForm(), 0x00010203u);
    EXPECT_EQ(form.Nadawca(), d.FNadawca);
    EXPECT_EQ(Caption(form), QStringLiteral("zus.wpt"));
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

TEST_F(BlankFileWindowTest, SaveIntoAMissingFolderFailsAndStaysModified)
{
    TfrmBlank form(nullptr, bkTransfer);
    const QString path = PathOf(QStringLiteral("nie/ma/takiego/folderu/a.wpt"));
    form.SetFileName(path);
    try {
        form.Save();
        FAIL() << "the save succeeded";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Nie możma zapisać pliku: ") + path);
    }
    EXPECT_TRUE(form.Modified());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(BlankFileWindowTest, SaveThatFailsMidwayLeavesTheOldFileWhole)
{
    const QString path = PathOf(QStringLiteral("stary.wpt"));
    const QByteArray old(400, 'x');
    ASSERT_TRUE(WriteAll(path, old));

    TfrmBlank form(nullptr, bkTransfer);
    form.Tytul() << QString(500, QLatin1Char('t')); // well over the write limit below
    form.SetFileName(path);

    QString message;
    try {
        const FileSizeLimit limit(200); // the write stops partway
        form.Save();
    } catch (const Exception& e) {
        message = e.Message();
    }

    EXPECT_EQ(message, QStringLiteral("Wystąpił błąd podczas zapisywania pliku: ") + path);
    EXPECT_TRUE(form.Modified());
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("stary.wpt")});
}

} // namespace
