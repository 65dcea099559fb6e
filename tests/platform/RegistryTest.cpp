// The user's registry: keys and typed values through TRegistry, its file against the text its format describes,
// and files that are damaged, too large or cannot be written.
#include "helpers/FileSizeLimit.h"
#include "platform/Registry.h"
#include "platform/RegistryFile.h"
#include "platform/RegistryFormat.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <tuple>

#include <sys/stat.h>

namespace {

const QString AppKey = QStringLiteral("\\Software\\Korvex\\Wplatomat");

class RegistryTest : public ::testing::Test {
protected:
    // In a folder that does not exist yet, as on a first start.
    QString FileName() const { return m_dir.filePath(QStringLiteral("KORVEX/registry.txt")); }
    QByteArray FileBytes(const QString& name = QString()) const
    {
        QFile file(name.isEmpty() ? FileName() : name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void PutFile(const QByteArray& bytes, const QString& name = QString())
    {
        QDir().mkpath(QFileInfo(FileName()).path());
        QFile file(name.isEmpty() ? FileName() : name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    TRegistry Opened(const QString& key = AppKey)
    {
        TRegistry reg(FileName());
        EXPECT_TRUE(reg.OpenKey(key, true)) << reg.LastError().toStdString();
        return reg;
    }

    QTemporaryDir m_dir;
};

int ValueCount(const RegistryTree& tree, int id = RegistryTree::Root)
{
    int count = int(tree.key(id).values.size());
    for (int subkey : tree.subkeys(id))
        count += ValueCount(tree, subkey);
    return count;
}

TEST_F(RegistryTest, KeysAreMadeOnlyWhenAskedOpenRelativeOrAbsoluteAndIgnoreLetterCase)
{
    TRegistry reg(FileName());
    EXPECT_FALSE(reg.OpenKey(AppKey, false));
    // Values need an open key.
    EXPECT_FALSE(reg.WriteString(QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_FALSE(QFile::exists(FileName()));

    ASSERT_TRUE(reg.OpenKey(AppKey.mid(1), true));
    for (const char* key : {"\\Software", "\\Software\\Korvex", "\\Software\\Korvex\\Wplatomat"})
        EXPECT_TRUE(reg.KeyExists(QString::fromLatin1(key))) << key;
    reg.WriteInteger(QStringLiteral("MainFormLeft"), 123);
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Żółć"), true));
    EXPECT_EQ(reg.CurrentPath(), AppKey.mid(1) + QStringLiteral("\\Żółć"));
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
    const std::pair<QString, RegistryData> values[] = {
        {QStringLiteral("Zażółć"), QStringLiteral("gęślą jaźń ĄĆĘŁŃÓŚŹŻ")},
        {QStringLiteral("wiele\nlinii"), QStringLiteral("pierwsza\ndruga\r\ntrzecia\n")},
        {QStringLiteral("znaki"), QString::fromUtf16(u"\u00a0\u0085\u2028\ufeff\U0001F600") + QChar(0)},
        {QString(QChar(0xD800)), QString(QChar(0xDC00)) + QStringLiteral("samotne")},
        {QStringLiteral("pusty"), QString()},
        {QStringLiteral("najmniejsza"), std::numeric_limits<qint32>::min()},
        {QStringLiteral("największa"), std::numeric_limits<qint32>::max()},
        {QStringLiteral("dane"), QByteArray("\0\1\xff\0", 4)},
        {QStringLiteral("brak danych"), QByteArray()},
    };
    TRegistry writer = Opened();
    for (const auto& [name, data] : values) {
        const bool written = data.index() == 0 ? writer.WriteString(name, std::get<QString>(data))
                             : data.index() == 1 ? writer.WriteInteger(name, std::get<qint32>(data))
                                                 : writer.WriteBinaryData(name, std::get<QByteArray>(data));
        ASSERT_TRUE(written) << writer.LastError().toStdString();
    }
    TRegistry reader = Opened();
    for (const auto& [name, data] : values) {
        SCOPED_TRACE(name.toStdString());
        const TRegDataType type = std::array{rdString, rdInteger, rdBinary}[data.index()];
        EXPECT_EQ(reader.GetDataType(name), type);
        EXPECT_EQ(reader.ReadString(name), type == rdString ? std::optional(std::get<QString>(data)) : std::nullopt);
        const std::optional<qint32> number = reader.ReadInteger(name);
        EXPECT_EQ(number, type == rdInteger ? std::optional(std::get<qint32>(data)) : std::nullopt);
        const std::optional<QByteArray> bytes = reader.ReadBinaryData(name);
        EXPECT_EQ(bytes, type == rdBinary ? std::optional(std::get<QByteArray>(data)) : std::nullopt);
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

TEST_F(RegistryTest, WritesTheTextItsFormatDescribes)
{
    TRegistry reg = Opened();
    reg.WriteString(QStringLiteral("AppPath"), QStringLiteral("/opt/wpłata"));
    reg.WriteInteger(QStringLiteral("MainFormLeft"), -5);
    reg.WriteBinaryData(QStringLiteral("Blob"), QByteArray("\x00\x1a\xff", 3));
    reg.WriteString(QString(), QStringLiteral(" a\nb%c "));
    reg.WriteString(QStringLiteral("x=[y];\\z"), QStringLiteral("=[]"));
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\"), false));
    reg.WriteInteger(QStringLiteral("Korzeń"), 1);

    EXPECT_EQ(FileBytes(),
              QByteArray("; Wplatomat: the user's registry (UTF-8)\n" "\n[]\n" "Korze\xC5\x84=int:1\n"
                         "\n[Software\\Korvex\\Wplatomat]\n" "AppPath=str:/opt/wp\xC5\x82" "ata\n"
                         "MainFormLeft=int:-5\n" "Blob=bin:001aff\n" "=str:%20a%0Ab%25c%20\n"
                         "x%3D%5By%5D%3B%5Cz=str:=[]\n"));
}

TEST_F(RegistryTest, ReadsAFileWrittenByHand)
{
    PutFile("\xEF\xBB\xBF[software\\KORVEX\\Wplatomat]\r\n"
            "; written by hand, after a byte order mark, with CR LF: RecentFilesMax=int:5\r\n"
            "  MainFormWidth = int: 640 \r\n"
            "AppPath=str:/usr/bin/wp\xC5\x82" "atomat\n" "Linie=str:a%0Ab%0D%0Ac\n" "Znak%3Drówności=str:%u0104%c5\n"
            "=str:domy\xC5\x9Blna\n" "Dane=bin:00FFab00\n"
            "[Software\\Classes\\.wpt]\n" "=str:wplatomat.dokument\n");

    TRegistry reg(FileName());
    ASSERT_TRUE(reg.OpenKey(AppKey, false));
    EXPECT_EQ(reg.CurrentPath(), AppKey.mid(1));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("MainFormWidth")), 640);
    EXPECT_EQ(reg.ReadString(QStringLiteral("AppPath")), QStringLiteral("/usr/bin/wpłatomat"));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Linie")), QStringLiteral("a\nb\r\nc"));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Znak=Równości")), QStringLiteral("Ą\u00c5"));
    EXPECT_EQ(reg.ReadString(QString()), QStringLiteral("domyślna"));
    EXPECT_EQ(reg.ReadBinaryData(QStringLiteral("Dane")), QByteArray("\x00\xff\xab\x00", 4));
    EXPECT_EQ(reg.GetValueNames().size(), 6);
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Classes\\.wpt"), false));
    EXPECT_EQ(reg.ReadString(QString()), QStringLiteral("wplatomat.dokument"));
    // The key keeps the case of its first header.
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software"), false));
    EXPECT_EQ(reg.GetKeyNames(), (QStringList{QStringLiteral("Classes"), QStringLiteral("KORVEX")}));
}

// Each line stands after "Przed" and before "Po" under a good header, which both survive it; its value (under a
// header of its own for the key bounds) is read at each bound's edge and skipped one past it or when damaged.
TEST_F(RegistryTest, ALineIsReadAtEachBoundsEdgeAndSkippedPastItOrWhenDamaged)
{
    const QByteArray value = "\nV=int:1";
    const struct {
        const char* what;
        QByteArray line;
        bool read;
    } rows[] = {
        {"largest integer", "V=int:2147483647", true},
        {"integer too large", "V=int:2147483648", false},
        {"smallest integer", "V=int:-2147483648", true},
        {"integer too small", "V=int:-2147483649", false},
        {"ten digits", "V=int:0000000001", true},
        {"eleven digits", "V=int:00000000001", false},
        {"hex digits", "V=bin:09afAF", true},
        {"odd hex digits", "V=bin:0", false},
        {"below 0", "V=bin:0/", false},
        {"past 9", "V=bin:0:", false},
        {"past f", "V=bin:0g", false},
        {"past F", "V=bin:0G", false},
        {"unknown type", "V=dword:5", false},
        {"escape at the end", "V=str:%41", true},
        {"escape cut short", "V=str:%4", false},
        {"bad escape", "V=str:%G1", false},
        {"invalid UTF-8", "V=str:\xC5", false},
        {"zero byte", QByteArray("V=str:a\0b", 9), false},
        {"tab, blank and tilde", "V=str:a\t b~", true},
        {"unit separator", "V=str:a\x1f", false},
        {"delete", "V=str:a\x7f", false},
        {"last C1 control", "V=str:a\xC2\x9F", false},
        {"no-break space", "V=str:a\xC2\xA0", true},
        {"longest value name", QByteArray(16383, 'v') + "=int:1", true},
        {"value name too long", QByteArray(16384, 'v') + "=int:1", false},
        {"512 levels", "[" + QByteArray("a\\").repeated(511) + "a]" + value, true},
        {"513 levels", "[" + QByteArray("a\\").repeated(512) + "a]" + value, false},
        {"100 000 levels", "[" + QByteArray("a\\").repeated(100000) + "a]" + value, false},
        {"longest key name", "[" + QByteArray(255, 'k') + "]" + value, true},
        {"key name too long", "[" + QByteArray(256, 'k') + "]" + value, false},
        {"longest key name escaped", "[" + QByteArray("%u0105").repeated(255) + "]" + value, true},
        {"garbage bytes", QByteArray("\x01\x02\x80\x90\xFF\0\0\x7F", 8) + value, false},
        {"long garbage", QByteArray(1 << 17, 'x') + value, false},
    };
    for (const auto& row : rows) {
        const RegistryTree tree = RegistryFormat::parse("[A]\nPrzed=int:1\n" + row.line + "\n[B]\nPo=str:ok\n");
        EXPECT_EQ(ValueCount(tree), row.read ? 3 : 2) << row.what;
        EXPECT_NE(tree.findValue(tree.findKey({"A"}), "Przed"), nullptr) << row.what;
        EXPECT_NE(tree.findValue(tree.findKey({"B"}), "Po"), nullptr) << row.what;
    }
}

// A disk that fills within one buffer, one that fills later, and a registry one byte past its size limit fail
// alike; the registry at its limit is written.
TEST_F(RegistryTest, AFailedWriteLeavesTheOldFileWhole)
{
    TRegistry reg = Opened();
    ASSERT_TRUE(reg.WriteString(QStringLiteral("AppPath"), QStringLiteral("/opt/wplatomat")));
    const QByteArray before = FileBytes();
    const qsizetype room = RegistryFile::MaxFileBytes - before.size() - 10; // "Duze=str:" and a line feed
    const std::tuple<rlim_t, qsizetype, bool> cases[] = {
        {1024, 3000, false},
        {16 * 1024, 64 * 1024, false},
        {RLIM_INFINITY, room + 1, false},
        {RLIM_INFINITY, room, true},
    };
    for (const auto& [fileLimit, chars, fits] : cases) {
        SCOPED_TRACE(chars);
        const bool written = [&, fileLimit = fileLimit, chars = chars] {
            const FileSizeLimit limit(fileLimit);
            return reg.WriteString(QStringLiteral("Duze"), QString(chars, u'x'));
        }();
        EXPECT_EQ(written, fits);
        EXPECT_EQ(reg.LastError().isEmpty(), fits);
        EXPECT_EQ(FileBytes().size(), fits ? RegistryFile::MaxFileBytes : before.size());
        EXPECT_EQ(FileBytes().left(before.size()), before);
        // No temporary file is left over.
        EXPECT_EQ(QDir(QFileInfo(FileName()).path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("registry.txt")});
    }
}

TEST_F(RegistryTest, AHoldShowsItsChangesAtOnceAndSavesThemOnceOnWhatOthersWroteMeanwhile)
{
    PutFile("[A]\nx=int:1\n");
    RegistryHold hold(FileName());
    TRegistry reg = Opened(QStringLiteral("\\A"));
    ASSERT_TRUE(reg.WriteInteger(QStringLiteral("y"), 2));
    ASSERT_TRUE(reg.DeleteValue(QStringLiteral("x")));
    TRegistry reader = Opened(QStringLiteral("\\A"));
    EXPECT_EQ(reader.ReadInteger(QStringLiteral("y")), 2);
    EXPECT_FALSE(reader.ValueExists(QStringLiteral("x")));
    EXPECT_EQ(FileBytes(), QByteArray("[A]\nx=int:1\n"));
    PutFile("[A]\nx=int:1\n[B]\nz=int:3\n"); // another process
    EXPECT_TRUE(hold.end());
    EXPECT_EQ(FileBytes().split('\n').mid(1), QByteArray("\n[A]\ny=int:2\n\n[B]\nz=int:3\n").split('\n'));
}

TEST_F(RegistryTest, ChangesThatLeaveTheFileAsItIsNeedNoLockThoseThatChangeItWaitForIt)
{
    PutFile("[A]\nx=int:1\n");
    QLockFile other(FileName() + QStringLiteral(".lock")); // another process saving just now
    ASSERT_TRUE(other.tryLock(0));
    for (const int value : {1, 2}) {
        RegistryHold hold(FileName());
        TRegistry reg = Opened(QStringLiteral("\\A"));
        ASSERT_TRUE(reg.WriteInteger(QStringLiteral("x"), 3));
        ASSERT_TRUE(reg.WriteInteger(QStringLiteral("x"), value));
        EXPECT_EQ(hold.end(), value == 1) << value;
    }
    EXPECT_EQ(FileBytes(), QByteArray("[A]\nx=int:1\n"));
}

// A file in a place a file cannot be, a folder, a FIFO, or one byte past the size limit: reported, not fatal, kept.
TEST_F(RegistryTest, AFileThatCannotBeReadWholeOrWrittenIsReportedNotFatalAndKept)
{
    const QByteArray largest = "[A]\nx=int:1\n;" + QByteArray(RegistryFile::MaxFileBytes - 14, 'x') + "\n";
    PutFile(largest);
    EXPECT_TRUE(TRegistry(FileName()).KeyExists(QStringLiteral("\\A")));
    const QString blocker = m_dir.filePath(QStringLiteral("plik"));
    PutFile("zwykły plik", blocker);
    const QString large = m_dir.filePath(QStringLiteral("duzy.txt"));
    PutFile(largest + "x", large);
    const QString fifo = m_dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = QFileInfo(FileName()).path();
    for (const QString& target : {blocker + QStringLiteral("/registry.txt"), folder, large, fifo}) {
        TRegistry reg(target);
        EXPECT_FALSE(reg.OpenKey(AppKey, true)) << target.toStdString();
        EXPECT_FALSE(reg.LastError().isEmpty());
        EXPECT_FALSE(reg.KeyExists(QStringLiteral("\\A")));
        EXPECT_TRUE(reg.OpenKey(QStringLiteral("\\"), false));
        EXPECT_FALSE(reg.WriteInteger(QStringLiteral("x"), 1));
    }
    EXPECT_EQ(FileBytes(blocker), QByteArray("zwykły plik"));
    EXPECT_EQ(FileBytes(large), largest + "x");
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

} // namespace
