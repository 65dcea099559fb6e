// The user's registry: keys and typed values through TRegistry, its file against the text its format describes,
// and files that are damaged, too large or cannot be written.
#include "helpers/FileSizeLimit.h"
#include "platform/Registry.h"
#include "platform/RegistryFile.h"
#include "platform/RegistryFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString AppKey = u"\\Software\\Korvex\\Wplatomat"_s;

class RegistryTest : public ::testing::Test {
protected:
    // In a folder that does not exist yet, as on a first start.
    QString FileName() const { return m_dir.filePath(u"KORVEX/registry.txt"_s); }
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
    EXPECT_FALSE(reg.WriteString(u"a"_s, u"b"_s));
    EXPECT_FALSE(QFile::exists(FileName()));

    ASSERT_TRUE(reg.OpenKey(AppKey.mid(1), true));
    for (const char* key : {"\\Software", "\\Software\\Korvex", "\\Software\\Korvex\\Wplatomat"})
        EXPECT_TRUE(reg.KeyExists(QString::fromLatin1(key))) << key;
    reg.WriteInteger(u"MainFormLeft"_s, 123);
    ASSERT_TRUE(reg.OpenKey(u"Żółć"_s, true));
    EXPECT_EQ(reg.CurrentPath(), AppKey.mid(1) + u"\\Żółć"_s);
    reg.WriteString(u"Gęś"_s, u"x"_s);
    EXPECT_FALSE(reg.OpenKey(u"\\Żółć"_s, false));
    // 512 levels at most.
    EXPECT_TRUE(reg.OpenKey(u"\\a"_s.repeated(512), true));
    EXPECT_FALSE(reg.OpenKey(u"\\a"_s.repeated(513), true));

    TRegistry other(FileName()); // a trailing separator names the key before it
    ASSERT_TRUE(other.OpenKey(u"SOFTWARE\\korvex\\WPLATOMAT\\"_s, false));
    EXPECT_EQ(other.ReadInteger(u"MAINFORMLEFT"_s), 123);
    ASSERT_TRUE(other.OpenKey(u"żÓŁć"_s, false));
    EXPECT_EQ(other.ReadString(u"GĘŚ"_s), u"x"_s);
}

// Values of every type, names and texts with what the file's own syntax must escape; read as another type, a value
// gives nothing, a missing text is empty.
TEST_F(RegistryTest, WritesTheTextItsFormatDescribesAndReadsValuesOnlyAsTheirType)
{
    TRegistry reg = Opened();
    reg.WriteString(u"AppPath"_s, u"/opt/wpłata"_s);
    reg.WriteInteger(u"MainFormLeft"_s, -5);
    reg.WriteBinaryData(u"Blob"_s, QByteArray("\x00\x1a\xff", 3));
    reg.WriteString(QString(), u" a\nb%c "_s);
    reg.WriteString(u"x=[y];\\z"_s, u"=[]"_s);
    reg.WriteString(u"znaki"_s, QString(QChar(0xD800)) + QChar(0x85) + QChar(0) + u"ó"_s);
    EXPECT_EQ(reg.ReadString(u"MainFormLeft"_s), std::nullopt);
    EXPECT_EQ(reg.ReadInteger(u"blob"_s), std::nullopt);
    EXPECT_EQ(reg.ReadBinaryData(u"AppPath"_s), std::nullopt);
    EXPECT_EQ(reg.ReadString(u"Brak"_s), QString());
    ASSERT_TRUE(reg.OpenKey(u"\\"_s, false));
    reg.WriteInteger(u"Korzeń"_s, 1);

    EXPECT_EQ(FileBytes(),
              QByteArray("; Wplatomat: the user's registry (UTF-8)\n" "\n[]\n" "Korze\xC5\x84=int:1\n"
                         "\n[Software\\Korvex\\Wplatomat]\n" "AppPath=str:/opt/wp\xC5\x82" "ata\n"
                         "MainFormLeft=int:-5\n" "Blob=bin:001aff\n" "=str:%20a%0Ab%25c%20\n"
                         "x%3D%5By%5D%3B%5Cz=str:=[]\n" "znaki=str:%uD800%85%00\xC3\xB3\n"));
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
    EXPECT_EQ(reg.ReadInteger(u"MainFormWidth"_s), 640);
    EXPECT_EQ(reg.ReadString(u"AppPath"_s), u"/usr/bin/wpłatomat"_s);
    EXPECT_EQ(reg.ReadString(u"Linie"_s), u"a\nb\r\nc"_s);
    EXPECT_EQ(reg.ReadString(u"Znak=Równości"_s), u"Ą\u00c5"_s);
    EXPECT_EQ(reg.ReadString(QString()), u"domyślna"_s);
    EXPECT_EQ(reg.ReadBinaryData(u"Dane"_s), QByteArray("\x00\xff\xab\x00", 4));
    EXPECT_EQ(reg.GetValueNames().size(), 6);
    ASSERT_TRUE(reg.OpenKey(u"\\Software\\Classes\\.wpt"_s, false));
    EXPECT_EQ(reg.ReadString(QString()), u"wplatomat.dokument"_s);
    // The key keeps the case of its first header.
    ASSERT_TRUE(reg.OpenKey(u"\\Software"_s, false));
    EXPECT_EQ(reg.GetKeyNames(), (QStringList{u"Classes"_s, u"KORVEX"_s}));
}

// Each line stands after "Przed" and before "Po" under a good header, which both survive it; its value (under a
// header of its own for the key bounds) is read at each bound's edge and skipped one past it or when damaged.
TEST_F(RegistryTest, ALineIsReadAtEachBoundsEdgeAndSkippedPastItOrWhenDamaged)
{
    const QByteArray value = "]\nV=int:1";
    const QByteArray deep = "[" + QByteArray("a\\").repeated(511) + "a";
    const std::pair<QByteArray, bool> rows[] = {
        {"V=int:2147483647", true}, {"V=int:2147483648", false},
        {"V=int:-2147483648", true}, {"V=int:-2147483649", false},
        {"V=int:0000000001", true}, {"V=int:00000000001", false},
        {"V=bin:09afAF", true}, {"V=bin:0", false},
        {"V=bin:0/", false}, {"V=bin:0:", false},
        {"V=bin:0g", false}, {"V=bin:0G", false},
        {"V=dword:5", false}, {"V=str:%G1", false},
        {"V=str:%41", true}, {"V=str:%4", false},
        {"V=str:\xC5", false}, {QByteArray("V=str:a\0b", 9), false},
        {"V=str:a\t b~", true}, {"V=str:a\x1f", false}, {"V=str:a\x7f", false},
        {"V=str:a\xC2\x9F", false}, {"V=str:a\xC2\xA0", true},
        {QByteArray(16383, 'v') + "=int:1", true}, {QByteArray(16384, 'v') + "=int:1", false},
        {deep + value, true}, {deep + "\\a" + value, false},
        {"[" + QByteArray(255, 'k') + value, true}, {"[" + QByteArray(256, 'k') + value, false},
        {"[" + QByteArray("%u0105").repeated(255) + value, true},
        {"[" + QByteArray("a\\").repeated(100000) + "a" + value, false},
        {QByteArray("\x01\x02\x80\x90\xFF\0\0\x7F", 8) + value, false}, {QByteArray(1 << 17, 'x') + value, false},
    };
    for (const auto& [line, read] : rows) {
        SCOPED_TRACE(line.left(40).toStdString());
        const RegistryTree tree = RegistryFormat::parse("[A]\nPrzed=int:1\n" + line + "\n[B]\nPo=str:ok\n");
        EXPECT_EQ(ValueCount(tree), read ? 3 : 2);
        EXPECT_NE(tree.findValue(tree.findKey({"A"}), "Przed"), nullptr);
        EXPECT_NE(tree.findValue(tree.findKey({"B"}), "Po"), nullptr);
    }
}

// A disk that fills within one buffer, one that fills later, and a registry one byte past its size limit fail
// alike; the registry at its limit is written.
TEST_F(RegistryTest, AFailedWriteLeavesTheOldFileWhole)
{
    TRegistry reg = Opened();
    ASSERT_TRUE(reg.WriteString(u"AppPath"_s, u"/opt/wplatomat"_s));
    const QByteArray before = FileBytes();
    const qsizetype room = RegistryFile::MaxFileBytes - before.size() - 10; // "Duze=str:" and a line feed
    const std::tuple<rlim_t, qsizetype, bool> cases[] = {
        {1024, 3000, false}, {16 * 1024, 64 * 1024, false},
        {RLIM_INFINITY, room + 1, false}, {RLIM_INFINITY, room, true},
    };
    for (const auto& [fileLimit, chars, fits] : cases) {
        SCOPED_TRACE(chars);
        const bool written = [&, fileLimit = fileLimit, chars = chars] {
            const FileSizeLimit limit(fileLimit);
            return reg.WriteString(u"Duze"_s, QString(chars, u'x'));
        }();
        EXPECT_EQ(written, fits);
        EXPECT_EQ(reg.LastError().isEmpty(), fits);
        EXPECT_EQ(FileBytes().size(), fits ? RegistryFile::MaxFileBytes : before.size());
        EXPECT_EQ(FileBytes().left(before.size()), before);
        // No temporary file is left over.
        EXPECT_EQ(QDir(QFileInfo(FileName()).path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{u"registry.txt"_s});
    }
}

// A file in a place a file cannot be, a folder, a FIFO, or one byte past the size limit: reported, not fatal, kept.
TEST_F(RegistryTest, AFileThatCannotBeReadWholeOrWrittenIsReportedNotFatalAndKept)
{
    const QByteArray largest = "[A]\nx=int:1\n;" + QByteArray(RegistryFile::MaxFileBytes - 14, 'x') + "\n";
    PutFile(largest);
    EXPECT_TRUE(TRegistry(FileName()).KeyExists(u"\\A"_s));
    const QString blocker = m_dir.filePath(u"plik"_s);
    PutFile("zwykły plik", blocker);
    const QString large = m_dir.filePath(u"duzy.txt"_s);
    PutFile(largest + "x", large);
    const QString fifo = m_dir.filePath(u"fifo"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = QFileInfo(FileName()).path();
    for (const QString& target : {blocker + u"/registry.txt"_s, folder, large, fifo}) {
        TRegistry reg(target);
        EXPECT_FALSE(reg.OpenKey(AppKey, true)) << target.toStdString();
        EXPECT_FALSE(reg.LastError().isEmpty());
        EXPECT_FALSE(reg.KeyExists(u"\\A"_s));
        EXPECT_TRUE(reg.OpenKey(u"\\"_s, false));
        EXPECT_FALSE(reg.WriteInteger(u"x"_s, 1));
    }
    EXPECT_EQ(FileBytes(blocker), QByteArray("zwykły plik"));
    EXPECT_EQ(FileBytes(large), largest + "x");
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

} // namespace
