#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

const QString AppKey = QStringLiteral("Software\\Korvex\\Wplatomat");

QByteArray FileBytes(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RegistryTest : public ::testing::Test {
protected:
    // A folder that does not exist yet, as on a first start.
    QString FileName() const { return m_dir.path() + QStringLiteral("/config/KORVEX/registry.txt"); }
    TRegistry Opened(const QString& key = AppKey)
    {
        TRegistry reg(FileName());
        EXPECT_TRUE(reg.OpenKey(key, true)) << reg.LastError().toStdString();
        return reg;
    }

    QTemporaryDir m_dir;
};

TEST_F(RegistryTest, OpeningMakesTheKeyAndItsParentsOnlyWhenAskedTo)
{
    TRegistry reg(FileName());
    EXPECT_FALSE(reg.OpenKey(AppKey, false));
    EXPECT_FALSE(reg.LastError().isEmpty());
    EXPECT_FALSE(reg.HasCurrentKey());
    // Values need an open key.
    EXPECT_FALSE(reg.WriteString(QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("a")));
    EXPECT_FALSE(QFile::exists(FileName()));

    ASSERT_TRUE(reg.OpenKey(AppKey, true));
    EXPECT_EQ(reg.CurrentPath(), AppKey);
    for (const char* key : {"\\Software", "\\Software\\Korvex", "\\Software\\Korvex\\Wplatomat"})
        EXPECT_TRUE(reg.KeyExists(QString::fromLatin1(key))) << key;
    EXPECT_TRUE(TRegistry(FileName()).OpenKey(AppKey, false));
}

TEST_F(RegistryTest, KeyAndValueNamesIgnoreLetterCase)
{
    Opened().WriteInteger(QStringLiteral("MainFormLeft"), 123);
    Opened(QStringLiteral("Software\\Korvex\\Wplatomat\\Żółć")).WriteString(QStringLiteral("Gęś"), QStringLiteral("x"));

    TRegistry reg(FileName());
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("SOFTWARE\\korvex\\WPLATOMAT"), false));
    EXPECT_TRUE(reg.ValueExists(QStringLiteral("mainformleft")));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("MAINFORMLEFT")), 123);
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("żÓŁć"), false));
    EXPECT_EQ(reg.ReadString(QStringLiteral("GĘŚ")), QStringLiteral("x"));
}

TEST_F(RegistryTest, TypedValuesComeBackUnchanged)
{
    // Escapes of the file's own syntax are left to the format tests.
    const QString strings[][2] = {
        {QStringLiteral("Zażółć"), QStringLiteral("gęślą jaźń ĄĆĘŁŃÓŚŹŻ")},
        {QStringLiteral("wiele\nlinii"), QStringLiteral("pierwsza\ndruga\r\ntrzecia\n")},
        {QStringLiteral(" spacje "), QStringLiteral("\tC:\\Dane\\wpłata.wpt  ")},
        {QStringLiteral("znaki"), QString::fromUtf16(u"\u00a0\u0085\u2028\ufeff\U0001F600") + QChar(0)},
        {QString(QChar(0xD800)), QString(QChar(0xDC00)) + QStringLiteral("samotne")},
        {QStringLiteral("pusty"), QString()},
    };
    const qint32 integers[] = {0, -1, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
    const QByteArray binaries[] = {QByteArray("\0\1\xff\0", 4), QByteArray(), QByteArray("\n=[%", 4)};
    TRegistry writer = Opened();
    for (const auto& c : strings)
        ASSERT_TRUE(writer.WriteString(c[0], c[1])) << writer.LastError().toStdString();
    for (qint32 value : integers)
        ASSERT_TRUE(writer.WriteInteger(QStringLiteral("i%1").arg(value), value));
    for (std::size_t i = 0; i < std::size(binaries); ++i)
        ASSERT_TRUE(writer.WriteBinaryData(QStringLiteral("b%1").arg(i), binaries[i]));

    TRegistry reader = Opened();
    for (const auto& c : strings) {
        SCOPED_TRACE(c[0].toStdString());
        EXPECT_EQ(reader.GetDataType(c[0]), rdString);
        EXPECT_EQ(reader.ReadString(c[0]), c[1]);
    }
    for (qint32 value : integers) {
        EXPECT_EQ(reader.GetDataType(QStringLiteral("i%1").arg(value)), rdInteger);
        EXPECT_EQ(reader.ReadInteger(QStringLiteral("i%1").arg(value)), value);
    }
    for (std::size_t i = 0; i < std::size(binaries); ++i) {
        EXPECT_EQ(reader.GetDataType(QStringLiteral("b%1").arg(i)), rdBinary);
        EXPECT_EQ(reader.ReadBinaryData(QStringLiteral("b%1").arg(i)), binaries[i]) << i;
    }
    EXPECT_EQ(reader.GetValueNames().size(), qsizetype(std::size(strings) + std::size(integers) + std::size(binaries)));
}

TEST_F(RegistryTest, ReadsOfAnotherTypeGiveNothingAndSayWhy)
{
    TRegistry reg = Opened();
    reg.WriteInteger(QStringLiteral("BlankColor5"), 0x58EA);
    reg.WriteString(QStringLiteral("DataColor5"), QStringLiteral("czerwony"));
    reg.WriteBinaryData(QStringLiteral("Blob"), QByteArray("\0", 1));

    struct Case { const char* name; bool string, integer, binary; };
    const Case cases[] = {
        {"BlankColor5", false, true, false},
        {"DataColor5", true, false, false},
        {"Blob", false, false, true},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        EXPECT_EQ(reg.ReadString(name).has_value(), c.string) << c.name;
        EXPECT_EQ(reg.LastError().isEmpty(), c.string) << c.name;
        EXPECT_EQ(reg.ReadInteger(name).has_value(), c.integer) << c.name;
        EXPECT_EQ(reg.LastError().isEmpty(), c.integer) << c.name;
        EXPECT_EQ(reg.ReadBinaryData(name).has_value(), c.binary) << c.name;
        EXPECT_EQ(reg.LastError().isEmpty(), c.binary) << c.name;
    }
    // Missing: the text is empty as the other system's was; a number or data is not there.
    EXPECT_EQ(reg.ReadString(QStringLiteral("Brak")), QString());
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("Brak")), std::nullopt);
    EXPECT_EQ(reg.ReadBinaryData(QStringLiteral("Brak")), std::nullopt);
    EXPECT_EQ(reg.GetDataType(QStringLiteral("Brak")), rdUnknown);
}

TEST_F(RegistryTest, WritingReplacesAValueOfAnotherTypeAndDeletingReportsWhetherItWasThere)
{
    TRegistry reg = Opened();
    reg.WriteString(QStringLiteral("Kolor"), QStringLiteral("x"));
    ASSERT_TRUE(reg.WriteInteger(QStringLiteral("KOLOR"), 7));
    EXPECT_EQ(reg.GetDataType(QStringLiteral("kolor")), rdInteger);
    EXPECT_EQ(reg.GetValueNames(), QStringList{QStringLiteral("Kolor")});
    EXPECT_TRUE(reg.DeleteValue(QStringLiteral("KOLOR")));
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("Kolor")));
    EXPECT_FALSE(reg.DeleteValue(QStringLiteral("Kolor")));
}

TEST_F(RegistryTest, DeletingAKeyTakesAllItsSubkeysAndNoNeighbours)
{
    const char* made[] = {"\\Software\\Classes\\wplatomat.dokument\\shell\\Open\\Command",
                          "\\Software\\Classes\\wplatomat.dokument\\DefaultIcon",
                          "\\Software\\Classes\\wplatomat.dokumentX",
                          "\\Software\\Classes\\wplatomat"};
    for (const char* key : made)
        Opened(QString::fromLatin1(key)).WriteString(QString(), QStringLiteral("v"));

    TRegistry reg(FileName());
    ASSERT_TRUE(reg.DeleteKey(QStringLiteral("\\SOFTWARE\\classes\\WPLATOMAT.Dokument")));
    const std::pair<const char*, bool> after[] = {
        {"\\Software\\Classes\\wplatomat.dokument", false},
        {"\\Software\\Classes\\wplatomat.dokument\\shell\\Open\\Command", false},
        {"\\Software\\Classes\\wplatomat.dokumentX", true},
        {"\\Software\\Classes\\wplatomat", true},
        {"\\Software\\Classes", true},
    };
    for (const auto& [key, exists] : after)
        EXPECT_EQ(reg.KeyExists(QString::fromLatin1(key)), exists) << key;
    EXPECT_FALSE(reg.DeleteKey(QStringLiteral("\\Software\\Classes\\wplatomat.dokument")));
    EXPECT_FALSE(reg.DeleteKey(QStringLiteral("\\")));
}

TEST_F(RegistryTest, PathsWithoutLeadingSeparatorStartAtTheOpenKey)
{
    TRegistry reg = Opened(QStringLiteral("\\Software\\Classes"));
    ASSERT_TRUE(reg.OpenKey(QStringLiteral(".wpt"), true));
    EXPECT_EQ(reg.CurrentPath(), QStringLiteral("Software\\Classes\\.wpt"));
    EXPECT_FALSE(reg.OpenKey(QStringLiteral("\\.wpt"), false));
}

TEST_F(RegistryTest, TwoObjectsSeeEachOthersChangesAtOnce)
{
    TRegistry first = Opened();
    TRegistry second = Opened();
    ASSERT_TRUE(first.WriteInteger(QStringLiteral("MainFormTop"), 42));
    EXPECT_EQ(second.ReadInteger(QStringLiteral("MainFormTop")), 42);
    ASSERT_TRUE(second.WriteInteger(QStringLiteral("MainFormTop"), 43));
    EXPECT_EQ(first.ReadInteger(QStringLiteral("MainFormTop")), 43);
    ASSERT_TRUE(second.DeleteValue(QStringLiteral("MainFormTop")));
    EXPECT_FALSE(first.ValueExists(QStringLiteral("MainFormTop")));

    ASSERT_TRUE(second.DeleteKey(QStringLiteral("\\Software\\Korvex")));
    EXPECT_FALSE(first.WriteInteger(QStringLiteral("MainFormTop"), 44)); // its key is gone
    EXPECT_FALSE(first.LastError().isEmpty());
    EXPECT_FALSE(second.KeyExists(QStringLiteral("\\Software\\Korvex")));
}

TEST_F(RegistryTest, EveryChangeIsInTheFileWhenTheCallReturns)
{
    TRegistry reg = Opened();
    ASSERT_TRUE(reg.WriteInteger(QStringLiteral("RecentFilesCount"), 6));
    EXPECT_TRUE(FileBytes(FileName()).contains("\nRecentFilesCount=int:6\n"));
    ASSERT_TRUE(reg.DeleteValue(QStringLiteral("RecentFilesCount")));
    EXPECT_FALSE(FileBytes(FileName()).contains("RecentFilesCount"));
}

} // namespace
