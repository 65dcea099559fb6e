#include "platform/Registry.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

const QString AppKey = QStringLiteral("Software\\Korvex\\Wplatomat");

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

TEST_F(RegistryTest, KeysAreMadeOnlyWhenAskedOpenRelativeOrAbsoluteAndIgnoreLetterCase)
{
    TRegistry reg(FileName());
    EXPECT_FALSE(reg.OpenKey(AppKey, false));
    // Values need an open key.
    EXPECT_FALSE(reg.WriteString(QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_FALSE(QFile::exists(FileName()));

    ASSERT_TRUE(reg.OpenKey(AppKey, true));
    for (const char* key : {"\\Software", "\\Software\\Korvex", "\\Software\\Korvex\\Wplatomat"})
        EXPECT_TRUE(reg.KeyExists(QString::fromLatin1(key))) << key;
    reg.WriteInteger(QStringLiteral("MainFormLeft"), 123);
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Żółć"), true));
    EXPECT_EQ(reg.CurrentPath(), AppKey + QStringLiteral("\\Żółć"));
    reg.WriteString(QStringLiteral("Gęś"), QStringLiteral("x"));
    EXPECT_FALSE(reg.OpenKey(QStringLiteral("\\Żółć"), false));

    TRegistry other(FileName()); // a trailing separator names the key before it
    ASSERT_TRUE(other.OpenKey(QStringLiteral("SOFTWARE\\korvex\\WPLATOMAT\\"), false));
    EXPECT_EQ(other.ReadInteger(QStringLiteral("MAINFORMLEFT")), 123);
    ASSERT_TRUE(other.OpenKey(QStringLiteral("żÓŁć"), false));
    EXPECT_EQ(other.ReadString(QStringLiteral("GĘŚ")), QStringLiteral("x"));
}

TEST_F(RegistryTest, TypedValuesComeBackUnchangedAndReadsOfAnotherTypeGiveNothing)
{
    // Escapes of the file's own syntax are left to the format tests.
    const QString strings[][2] = {
        {QStringLiteral("Zażółć"), QStringLiteral("gęślą jaźń ĄĆĘŁŃÓŚŹŻ")},
        {QStringLiteral("wiele\nlinii"), QStringLiteral("pierwsza\ndruga\r\ntrzecia\n")},
        {QStringLiteral("znaki"), QString::fromUtf16(u"\u00a0\u0085\u2028\ufeff\U0001F600") + QChar(0)},
        {QString(QChar(0xD800)), QString(QChar(0xDC00)) + QStringLiteral("samotne")},
        {QStringLiteral("pusty"), QString()},
    };
    const qint32 integers[] = {0, -1, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
    const QByteArray binaries[] = {QByteArray("\0\1\xff\0", 4), QByteArray()};
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
        EXPECT_EQ(reader.ReadInteger(c[0]), std::nullopt);
    }
    for (qint32 value : integers) {
        EXPECT_EQ(reader.GetDataType(QStringLiteral("i%1").arg(value)), rdInteger);
        EXPECT_EQ(reader.ReadInteger(QStringLiteral("i%1").arg(value)), value);
        EXPECT_EQ(reader.ReadBinaryData(QStringLiteral("i%1").arg(value)), std::nullopt);
    }
    for (std::size_t i = 0; i < std::size(binaries); ++i) {
        EXPECT_EQ(reader.GetDataType(QStringLiteral("b%1").arg(i)), rdBinary);
        EXPECT_EQ(reader.ReadBinaryData(QStringLiteral("b%1").arg(i)), binaries[i]) << i;
        EXPECT_FALSE(reader.ReadString(QStringLiteral("b%1").arg(i)).has_value());
    }
    // Missing: the text is empty as the other system's was; a number or data is not there.
    EXPECT_EQ(reader.ReadString(QStringLiteral("Brak")), QString());
    EXPECT_EQ(reader.ReadInteger(QStringLiteral("Brak")), std::nullopt);
    EXPECT_EQ(reader.GetDataType(QStringLiteral("Brak")), rdUnknown);
    // A write replaces a value of another type under any letter case.
    ASSERT_TRUE(reader.WriteInteger(QStringLiteral("ZAŻÓŁĆ"), 7));
    EXPECT_EQ(reader.GetDataType(QStringLiteral("zażółć")), rdInteger);
    EXPECT_TRUE(reader.DeleteValue(QStringLiteral("Zażółć")));
}

TEST_F(RegistryTest, DeletingAKeyTakesAllItsSubkeysAndNoNeighbours)
{
    const char* made[] = {"\\Software\\Classes\\wplatomat.dokument\\shell\\Open\\Command",
                          "\\Software\\Classes\\wplatomat.dokumentX", "\\Software\\Classes\\wplatomat"};
    for (const char* key : made)
        Opened(QString::fromLatin1(key)).WriteString(QString(), QStringLiteral("v"));

    TRegistry reg(FileName());
    ASSERT_TRUE(reg.DeleteKey(QStringLiteral("\\SOFTWARE\\classes\\WPLATOMAT.Dokument")));
    const std::pair<const char*, bool> after[] = {
        {"\\Software\\Classes\\wplatomat.dokument", false},
        {"\\Software\\Classes\\wplatomat.dokument\\shell\\Open\\Command", false},
        {"\\Software\\Classes\\wplatomat.dokumentX", true},
        {"\\Software\\Classes\\wplatomat", true},
    };
    for (const auto& [key, exists] : after)
        EXPECT_EQ(reg.KeyExists(QString::fromLatin1(key)), exists) << key;
    EXPECT_FALSE(reg.DeleteKey(QStringLiteral("\\Software\\Classes\\wplatomat.dokument")));
    EXPECT_FALSE(reg.DeleteKey(QStringLiteral("\\")));
}

} // namespace
