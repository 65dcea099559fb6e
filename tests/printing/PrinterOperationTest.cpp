// "PrinterSetup.cfg" against bytes laid out from its table: the 1572-byte record (UTF-16 names of 261 units at 0, 522
// and 1044, two zero bytes, the block's size at 1568), then the device-mode block. Printers are PDF-file queues.
#include "helpers/ByteBuilder.h"
#include "helpers/FileSizeLimit.h"
#include "helpers/QtPrinters.h"
#include "drawing/Exception.h"
#include "platform/Printer.h"
#include "printing/PrinterSetupDialog.h"
#include "printing/untPrinterOperation.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int RecordBytes = 1572, NameUnits = 261, DevModeBytes = 220, LargestBlock = 65536;
const QString Driver = u"Sterownik HP LaserJet"_s, Port = u"socket://192.168.1.20"_s;
const QStringList Three{u"Fax"_s, u"laser 2"_s, u"Laser"_s};

QByteArray Put(QByteArray bytes, int offset, const QByteArray& field)
{
    return bytes.replace(offset, field.size(), field);
}

QByteArray Name(const QString& text)
{
    return ByteBuilder().Utf16(text).Bytes().leftJustified(2 * NameUnits, '\0');
}

QByteArray Record(const QString& name, quint32 size = DevModeBytes, const QString& driver = Driver,
                  const QString& port = Port)
{
    return Name(name) + Name(driver) + Name(port) + QByteArray(2, '\0') + ByteBuilder().U32(size).Bytes();
}

// A block asking for A5 in landscape only: version at 64, size at 68, fields at 72 (orientation 1, paper 2),
// orientation at 76 (2 landscape), paper at 78 (11 is A5); zeros after it.
QByteArray LandscapeA5(int size = DevModeBytes)
{
    const QByteArray block(std::max(size, DevModeBytes), '\0');
    ByteBuilder fields;
    fields.U16(0x0401).U16(0).U16(DevModeBytes).U16(0).U32(0x3).U16(2).U16(11);
    return Put(block, 64, fields.Bytes()).left(size);
}

// A record naming the printer with a block of the size it declares, or of its own.
QByteArray SetupOf(const QString& name, int declared = DevModeBytes, int size = -1)
{
    return Record(name, declared) + LandscapeA5(size < 0 ? declared : size);
}

class PrinterSetupTest : public ::testing::Test {
protected:
    PrinterSetupTest() { ops.SetFileName(File()); }
    void UsePrinters(const QStringList& names)
    {
        const QPageSize a4(QPageSize::A4);
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), names, 300, a4, QMarginsF(5, 5, 5, 5)));
        Printer().SetOrientation(poPortrait); // a new spooler keeps the last job's orientation
    }
    QString File() const { return dir.filePath(u"PrinterSetup.cfg"_s); }
    bool Write(const QByteArray& bytes) const
    {
        QFile file(File());
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QByteArray Saved() const
    {
        QFile file(File());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Name, driver, port, orientation and paper of the current printer.
    static QString Current()
    {
        QString name, driver, port;
        QByteArray block;
        Printer().GetPrinter(name, driver, port, block);
        const bool landscape = Printer().Orientation() == poLandscape;
        const QString paper = QPageSize::name(Printer().QtPrinter().pageLayout().pageSize().id());
        return QStringList{name, driver, port, landscape ? u"landscape"_s : u"portrait"_s, paper}.join(u", "_s);
    }

    QTemporaryDir dir;
    TPrinterOperations ops;
};

TEST_F(PrinterSetupTest, SaveWritesTheRecordZeroFilledThenTheSettingsOrKeepsTheOldFile)
{
    UsePrinters(Three);
    // Loading leaves long names in the record; the shorter ones saved next must not keep their tails.
    ASSERT_TRUE(Write(Record(u"laser 2"_s, DevModeBytes, Driver + Driver, Port + Port) + LandscapeA5()));
    ops.LoadSetup();
    // A port one unit longer than the field holds with its terminator is cut.
    Printer().SetPrinter(u"Fax"_s, QString(), QString(NameUnits, u'P'), LandscapeA5());
    ops.SaveSetup();
    const QByteArray saved = Saved();
    EXPECT_EQ(saved.left(RecordBytes), Record(u"Fax"_s, DevModeBytes, u"PDF"_s, QString(NameUnits - 1, u'P')));
    EXPECT_EQ(saved.size(), RecordBytes + DevModeBytes);
    // The settings, not the queue's defaults.
    EXPECT_EQ(saved.mid(RecordBytes + 76, 4), ByteBuilder().U16(2).U16(11).Bytes());
    {
        const FileSizeLimit limit(1000);
        EXPECT_THROW(ops.SaveSetup(), Exception);
    }
    UsePrinters({});
    EXPECT_NO_THROW(ops.SaveSetup()); // with no printer installed nothing is written
    EXPECT_EQ(Saved(), saved);
    ops.SetFileName(dir.filePath(u"brak/PrinterSetup.cfg"_s));
    UsePrinters(Three);
    try {
        ops.SaveSetup();
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Nie można zapisać ustawień drukarki do pliku: "_s + ops.FileName());
    }
}

// Every bound the file's bytes meet, at its edge and one past it.
TEST_F(PrinterSetupTest, LoadTakesOnlyWholeFilesOfASaneSizeAndTheMatchingInstalledPrinter)
{
    const QString fax = u"Fax, PDF, "_s + dir.filePath(u"Fax"_s) + u", portrait, A4"_s;
    const auto loaded = [](const QString& name, const QString& driver = Driver) {
        return QStringList{name, driver, Port, u"landscape, A5"_s}.join(u", "_s);
    };
    const QString defaults = u"laser 2, "_s + Driver + u", "_s + Port + u", portrait, A4"_s;
    // Junk after each name's terminator, and in the padding.
    QByteArray junk = Put(Record(u"laser 2"_s), 2 * 8, ByteBuilder().Utf16(u"XYZ"_s).Bytes());
    junk = Put(junk, 522 + 2 * (Driver.size() + 1), "X\0Y\0");
    junk = Put(junk, 1044 + 2 * (Port.size() + 1), "X\0Y\0");
    junk = Put(junk, 1566, "\xAB\xCD");
    const QString longest(NameUnits - 1, u'N');
    const QString tooLong(NameUnits, u'N');
    const QString fullDriver(NameUnits, u'D');
    const struct {
        const char* label;
        QStringList installed;
        QByteArray bytes;
        QString current;
    } rows[] = {
        {"no file", Three, {}, fax},
        {"names read up to their terminators", Three, junk + LandscapeA5(), loaded(u"laser 2"_s)},
        {"bytes after the block", Three, SetupOf(u"laser 2"_s, DevModeBytes, DevModeBytes + 100), loaded(u"laser 2"_s)},
        {"record one byte short", Three, Record(u"laser 2"_s).left(RecordBytes - 1), fax},
        {"block one byte short", Three, SetupOf(u"laser 2"_s, DevModeBytes, DevModeBytes - 1), fax},
        {"size zero", Three, SetupOf(u"laser 2"_s, 0, DevModeBytes), fax},
        {"size one: the printer, not its settings", Three, SetupOf(u"laser 2"_s, 1), defaults},
        {"block one byte shorter than the structure", Three, SetupOf(u"laser 2"_s, DevModeBytes - 1), defaults},
        {"the largest block", Three, SetupOf(u"laser 2"_s, LargestBlock), loaded(u"laser 2"_s)},
        {"one byte larger", Three, SetupOf(u"laser 2"_s, LargestBlock + 1), fax},
        {"a driver filling its field", Three, Record(u"laser 2"_s, DevModeBytes, fullDriver) + LandscapeA5(),
         loaded(u"laser 2"_s, fullDriver)},
        {"the longest name", {u"Fax"_s, longest}, SetupOf(longest), loaded(longest)},
        {"an installed name the record cannot hold", {u"Fax"_s, tooLong}, SetupOf(longest), fax},
        {"exact beats an earlier prefix", Three, SetupOf(u"Laser"_s), loaded(u"Laser"_s)},
        {"a prefix gives the installed name", {u"Fax"_s, u"laser 2"_s}, SetupOf(u"Laser"_s), loaded(u"laser 2"_s)},
        {"Polish letters in any case", {u"Fax"_s, u"Żółta drukarka"_s}, SetupOf(u"żÓŁTA"_s),
         loaded(u"Żółta drukarka"_s)},
        {"longer than every name", Three, SetupOf(u"laser 2 kolor"_s), fax},
    };
    for (const auto& r : rows) {
        UsePrinters(r.installed);
        QFile::remove(File());
        if (!r.bytes.isEmpty())
            ASSERT_TRUE(Write(r.bytes));
        EXPECT_NO_THROW(ops.LoadSetup());
        EXPECT_EQ(Current(), r.current) << r.label;
    }
}

// The set-up dialog only chooses: titled so, in Polish, without the page of one job's copies.
TEST_F(PrinterSetupTest, TheSetUpDialogIsTitledAndAnsweredInPolishWithoutCopies)
{
    UsePrinters(Three);
    QPrintDialog dialog(&Printer().QtPrinter());
    ConfigurePrinterSetupDialog(dialog);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    EXPECT_EQ(dialog.windowTitle(), u"Ustawienia wydruku"_s);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), u"OK"_s);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), u"Anuluj"_s);
    EXPECT_FALSE(dialog.findChild<QWidget*>(u"copiesTab"_s)->isEnabled());
}

} // namespace
