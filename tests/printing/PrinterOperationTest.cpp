// The printer set-up file against bytes laid out here from its table: the
// 1572-byte record (three names of 522 bytes at 0, 522 and 1044, two zero
// bytes, the block's size at 1568), then the device-mode block. Printers are
// PDF-file queues, so the machine's own printing is never touched.
#include "helpers/ByteBuilder.h"
#include "helpers/FileSizeLimit.h"
#include "helpers/QtPrinters.h"
#include "drawing/Exception.h"
#include "platform/Printer.h"
#include "printing/untPrinterOperation.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int RecordBytes = 1572;
constexpr int NameOffset = 0;
constexpr int DriverOffset = 522;
constexpr int PortOffset = 1044;
constexpr int SizeOffset = 1568;
constexpr int DevModeBytes = 220;

const QString StoredDriver = u"Sterownik HP LaserJet"_s;
const QString StoredPort = u"socket://192.168.1.20"_s;

QByteArray Utf16Le(const QString& text)
{
    return ByteBuilder().Utf16(text).Bytes();
}

QByteArray Put(QByteArray bytes, int offset, const QByteArray& field)
{
    return bytes.replace(offset, field.size(), field);
}

QByteArray Record(const QString& name, const QString& driver, const QString& port, quint32 devModeSize)
{
    QByteArray record(RecordBytes, '\0');
    record = Put(record, NameOffset, Utf16Le(name));
    record = Put(record, DriverOffset, Utf16Le(driver));
    record = Put(record, PortOffset, Utf16Le(port));
    return Put(record, SizeOffset, ByteBuilder().U32(devModeSize).Bytes());
}

// A device-mode block of the layer's layout that asks for A5 in landscape
// only: fields mask at 72 (orientation 0x1, paper size 0x2), orientation at
// 76 (2 landscape), paper code at 78 (11 is A5). Longer blocks carry zeros
// after it, as a driver's private part would.
QByteArray LandscapeA5Block(int size = DevModeBytes)
{
    QByteArray block(std::max(size, DevModeBytes), '\0');
    block = Put(block, 64, ByteBuilder().U16(0x0401).Bytes());
    block = Put(block, 68, ByteBuilder().U16(DevModeBytes).Bytes());
    block = Put(block, 72, ByteBuilder().U32(0x3).U16(2).U16(11).Bytes());
    return block.left(size);
}

struct Current {
    QString name;
    QString driver;
    QString port;
    TPrinterOrientation orientation;
    QPageSize::PageSizeId paper;
};

Current CurrentPrinter()
{
    Current c;
    QByteArray block;
    Printer().GetPrinter(c.name, c.driver, c.port, block);
    c.orientation = Printer().Orientation();
    c.paper = Printer().QtPrinter().pageLayout().pageSize().id();
    return c;
}

void ExpectDefaultFax()
{
    const Current c = CurrentPrinter();
    EXPECT_EQ(c.name, u"Fax"_s);
    EXPECT_EQ(c.driver, u"PDF"_s);
    EXPECT_EQ(c.orientation, poPortrait);
    EXPECT_EQ(c.paper, QPageSize::A4);
}

void ExpectLoaded(const QString& name)
{
    const Current c = CurrentPrinter();
    EXPECT_EQ(c.name, name);
    EXPECT_EQ(c.driver, StoredDriver);
    EXPECT_EQ(c.port, StoredPort);
    EXPECT_EQ(c.orientation, poLandscape);
    EXPECT_EQ(c.paper, QPageSize::A5);
}

class PrinterSetupTest : public ::testing::Test {
protected:
    PrinterSetupTest()
    {
        UsePrinters({u"Fax"_s, u"laser 2"_s, u"Laser"_s});
        ops.SetFileName(FileName());
    }

    void UsePrinters(const QStringList& names)
    {
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), names, 300, QPageSize(QPageSize::A4),
                                                               QMarginsF(5, 5, 5, 5)));
        // A new spooler keeps the last job orientation; start each test from portrait.
        Printer().SetOrientation(poPortrait);
    }

    QString FileName() const { return dir.filePath(u"PrinterSetup.cfg"_s); }

    void PutFile(const QByteArray& bytes) const
    {
        QFile file(FileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray FileBytes() const
    {
        QFile file(FileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    TPrinterOperations ops;
};

TPrinterConfig::TName Field(const QString& text)
{
    TPrinterConfig::TName field{};
    for (int i = 0; i < text.size(); ++i)
        field[i] = text.at(i).unicode();
    return field;
}

TEST_F(PrinterSetupTest, SaveWritesTheRecordThenTheDeviceModeBlock)
{
    Printer().SetPrinter(u"laser 2"_s, QString(), QString(), LandscapeA5Block());
    ops.SaveSetup();

    QString name, driver, port;
    QByteArray block;
    Printer().GetPrinter(name, driver, port, block);
    ASSERT_EQ(block.size(), DevModeBytes);
    const QByteArray file = FileBytes();
    EXPECT_EQ(file, Record(u"laser 2"_s, u"PDF"_s, dir.filePath(u"laser 2"_s), DevModeBytes) + block);
    // The settings themselves went into the file, not the queue's defaults.
    EXPECT_EQ(file.mid(RecordBytes + 76, 4), ByteBuilder().U16(2).U16(11).Bytes());
}

TEST_F(PrinterSetupTest, SaveZeroFillsBehindNamesShorterThanTheLastOnes)
{
    // Loading leaves long names in the record; the shorter ones saved next
    // must not keep their tails.
    const QString longDriver = StoredDriver + StoredDriver;
    const QString longPort = StoredPort + StoredPort + StoredPort;
    PutFile(Record(u"laser 2"_s, longDriver, longPort, DevModeBytes) + LandscapeA5Block());
    ops.LoadSetup();
    ASSERT_EQ(ops.PrinterRecord().Driver, Field(longDriver));
    Printer().SetPrinter(u"Fax"_s, QString(), QString(), QByteArray());

    ops.SaveSetup();
    EXPECT_EQ(FileBytes().left(RecordBytes), Record(u"Fax"_s, u"PDF"_s, dir.filePath(u"Fax"_s), DevModeBytes));
}

TEST_F(PrinterSetupTest, WithNoPrinterInstalledSaveWritesNothing)
{
    UsePrinters({});
    EXPECT_FALSE(ops.GetCurrentPrinter());
    EXPECT_FALSE(ops.SetCurrentPrinter());
    EXPECT_NO_THROW(ops.SaveSetup());
    EXPECT_FALSE(QFile::exists(FileName()));
    const QByteArray old = Record(u"Laser"_s, StoredDriver, StoredPort, DevModeBytes) + LandscapeA5Block();
    PutFile(old);
    EXPECT_NO_THROW(ops.SaveSetup());
    EXPECT_EQ(FileBytes(), old);
}

TEST_F(PrinterSetupTest, FailedSaveRaisesAPolishMessageNamingTheFile)
{
    const QString missing = dir.filePath(u"brak/PrinterSetup.cfg"_s);
    ops.SetFileName(missing);
    try {
        ops.SaveSetup();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Nie można zapisać ustawień drukarki do pliku: "_s + missing);
    }
}

TEST_F(PrinterSetupTest, SaveCutShortByTheDiskKeepsTheOldFile)
{
    const QByteArray old = Record(u"Laser"_s, StoredDriver, StoredPort, DevModeBytes) + LandscapeA5Block();
    PutFile(old);
    {
        const FileSizeLimit limit(1000);
        EXPECT_THROW(ops.SaveSetup(), Exception);
    }
    EXPECT_EQ(FileBytes(), old);
}

TEST_F(PrinterSetupTest, LoadReadsNamesUpToTheirTerminatorsOnly)
{
    QByteArray record = Record(u"laser 2"_s, StoredDriver, StoredPort, DevModeBytes);
    const QByteArray junk = Utf16Le(u"XYZ"_s);
    record = Put(record, NameOffset + 2 * 8, junk);
    record = Put(record, DriverOffset + 2 * (StoredDriver.size() + 1), junk);
    record = Put(record, PortOffset + 2 * (StoredPort.size() + 1), junk);
    record = Put(record, 1566, QByteArray("\xAB\xCD", 2));
    PutFile(record + LandscapeA5Block());
    ops.LoadSetup();
    ExpectLoaded(u"laser 2"_s);
}

TEST_F(PrinterSetupTest, LoadWithABlockShorterThanTheStructureKeepsThePrinterDefaults)
{
    PutFile(Record(u"laser 2"_s, StoredDriver, StoredPort, 100) + LandscapeA5Block(100));
    ops.LoadSetup();
    const Current c = CurrentPrinter();
    EXPECT_EQ(c.name, u"laser 2"_s);
    EXPECT_EQ(c.driver, StoredDriver);
    EXPECT_EQ(c.orientation, poPortrait);
    EXPECT_EQ(c.paper, QPageSize::A4);
}

TEST_F(PrinterSetupTest, LoadWithoutAFileKeepsTheCurrentPrinter)
{
    EXPECT_NO_THROW(ops.LoadSetup());
    ExpectDefaultFax();
    ASSERT_EQ(::mkfifo(QFile::encodeName(FileName()).constData(), 0600), 0);
    EXPECT_NO_THROW(ops.LoadSetup());
    ExpectDefaultFax();
}

TEST_F(PrinterSetupTest, StoredNameMakesTheMatchingInstalledPrinterCurrent)
{
    const QStringList three{u"Fax"_s, u"laser 2"_s, u"Laser"_s};
    const struct {
        const char* label;
        QStringList installed;
        QString stored;
        QString current; // empty: no match, the first printer stays
    } cases[] = {
        {"exact beats an earlier prefix", three, u"Laser"_s, u"Laser"_s},
        {"a prefix gives the installed name", {u"Fax"_s, u"laser 2"_s}, u"Laser"_s, u"laser 2"_s},
        {"exact ignores case", three, u"LASER"_s, u"Laser"_s},
        {"the first prefix in list order", three, u"las"_s, u"laser 2"_s},
        {"Polish letters in any case", {u"Fax"_s, u"Żółta drukarka"_s}, u"żÓŁTA"_s, u"Żółta drukarka"_s},
        {"longer than every name", three, u"laser 2 kolor"_s, QString()},
        {"not installed", {u"Fax"_s, u"laser 2"_s}, u"Drukarka"_s, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        UsePrinters(c.installed);
        PutFile(Record(c.stored, StoredDriver, StoredPort, DevModeBytes) + LandscapeA5Block());
        EXPECT_NO_THROW(ops.LoadSetup());
        if (c.current.isEmpty())
            ExpectDefaultFax();
        else
            ExpectLoaded(c.current);
    }
}

TEST_F(PrinterSetupTest, LoadsOnlyWholeFilesOfASaneSize)
{
    const struct {
        const char* label;
        int recordBytes; // how much of the record the file holds
        quint32 storedSize;
        int blockBytes; // what follows the whole record
        bool loaded;
    } cases[] = {
        {"whole", RecordBytes, DevModeBytes, DevModeBytes, true},
        {"bytes after the block", RecordBytes, DevModeBytes, DevModeBytes + 100, true},
        {"a block of 64 KiB", RecordBytes, 65536, 65536, true},
        {"record cut short", RecordBytes - 1, DevModeBytes, 0, false},
        {"record without block", RecordBytes, DevModeBytes, 0, false},
        {"block cut short", RecordBytes, DevModeBytes, DevModeBytes - 1, false},
        {"size zero", RecordBytes, 0, DevModeBytes, false},
        {"size just beyond 64 KiB", RecordBytes, 65537, 65537, false},
        {"size all ones", RecordBytes, 0xFFFFFFFFu, DevModeBytes, false},
        {"a file larger than the record and the largest block", RecordBytes, 65536, 65537, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        UsePrinters({u"Fax"_s, u"laser 2"_s, u"Laser"_s});
        QByteArray bytes = Record(u"laser 2"_s, StoredDriver, StoredPort, c.storedSize).left(c.recordBytes);
        if (c.recordBytes == RecordBytes)
            bytes += LandscapeA5Block(c.blockBytes);
        PutFile(bytes);
        EXPECT_NO_THROW(ops.LoadSetup());
        if (c.loaded)
            ExpectLoaded(u"laser 2"_s);
        else
            ExpectDefaultFax();
    }
}

} // namespace
