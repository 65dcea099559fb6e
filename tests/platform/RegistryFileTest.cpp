#include "helpers/FileSizeLimit.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString AppKey = QStringLiteral("\\Software\\Korvex\\Wplatomat");

QByteArray FileBytes(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PutFile(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class RegistryFileTest : public ::testing::Test {
protected:
    QString FileName() const { return m_dir.path() + QStringLiteral("/registry.txt"); }

    QTemporaryDir m_dir;
};

TEST_F(RegistryFileTest, WritesTheTextItsFormatDescribes)
{
    TRegistry reg(FileName());
    ASSERT_TRUE(reg.OpenKey(AppKey, true));
    reg.WriteString(QStringLiteral("AppPath"), QStringLiteral("/opt/wpłata"));
    reg.WriteInteger(QStringLiteral("MainFormLeft"), -5);
    reg.WriteBinaryData(QStringLiteral("Blob"), QByteArray("\x00\x1a\xff", 3));
    reg.WriteString(QString(), QStringLiteral(" a\nb%c "));
    reg.WriteString(QStringLiteral("x=[y];\\z"), QStringLiteral("=[]"));
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\"), false));
    reg.WriteInteger(QStringLiteral("Korzeń"), 1);

    EXPECT_EQ(FileBytes(FileName()),
              QByteArray("; Wplatomat: the user's registry (UTF-8)\n" "\n[]\n" "Korze\xC5\x84=int:1\n"
                         "\n[Software\\Korvex\\Wplatomat]\n" "AppPath=str:/opt/wp\xC5\x82" "ata\n"
                         "MainFormLeft=int:-5\n" "Blob=bin:001aff\n" "=str:%20a%0Ab%25c%20\n"
                         "x%3D%5By%5D%3B%5Cz=str:=[]\n"));
}

TEST_F(RegistryFileTest, ReadsAFileWrittenByHand)
{
    PutFile(FileName(),
            "\xEF\xBB\xBF[software\\KORVEX\\Wplatomat]\r\n"
            "; written by hand, after a byte order mark, with CR LF: RecentFilesMax=int:5\r\n"
            "  MainFormWidth = int: 640 \r\n"
            "AppPath=str:/usr/bin/wp\xC5\x82" "atomat\n" "Linie=str:a%0Ab%0D%0Ac\n" "Znak%3Drówności=str:%u0104%c5\n"
            "=str:domy\xC5\x9Blna\n" "Dane=bin:00FFab00\n" "Ujemna=int:-2147483648\n"
            "[Software\\Classes\\.wpt]\n" "=str:wplatomat.dokument\n");

    TRegistry reg(FileName());
    ASSERT_TRUE(reg.OpenKey(AppKey, false));
    EXPECT_EQ(reg.CurrentPath(), QStringLiteral("Software\\Korvex\\Wplatomat"));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("MainFormWidth")), 640);
    EXPECT_EQ(reg.ReadString(QStringLiteral("AppPath")), QStringLiteral("/usr/bin/wpłatomat"));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Linie")), QStringLiteral("a\nb\r\nc"));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Znak=Równości")), QStringLiteral("Ą\u00c5"));
    EXPECT_EQ(reg.ReadString(QString()), QStringLiteral("domyślna"));
    EXPECT_EQ(reg.ReadBinaryData(QStringLiteral("Dane")), QByteArray("\x00\xff\xab\x00", 4));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("Ujemna")), std::numeric_limits<qint32>::min());
    EXPECT_EQ(reg.GetValueNames().size(), 7);
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\Classes\\.wpt"), false));
    EXPECT_EQ(reg.ReadString(QString()), QStringLiteral("wplatomat.dokument"));
    // The key keeps the case of its first header.
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software"), false));
    EXPECT_EQ(reg.GetKeyNames(), (QStringList{QStringLiteral("Classes"), QStringLiteral("KORVEX")}));
}

TEST_F(RegistryFileTest, DamagedLinesAreSkippedAndTheRestKept)
{
    const struct { const char* what; QByteArray line; } damages[] = {
        {"integer too large", "Zly=int:2147483648"},
        {"odd hex digits", "Zly=bin:0"},
        {"unknown type", "Zly=dword:5"},
        {"bad escape", "Zly=str:%G1"},
        {"invalid UTF-8", "Zly=str:\xC5"},
        {"zero byte", QByteArray("Zly=str:a\0b", 11)},
        {"garbage bytes", QByteArray("\x01\x02\x80\x90\xFF\0\0\x7F", 8) + "\nZly=int:1"},
        {"long garbage", QByteArray(1 << 17, 'x') + "\nZly=int:1"},
        {"100 000 levels", "[" + QByteArray("a\\").repeated(100000) + "a]\nZly=int:1"},
    };
    // Around each damage stand "Przed" (before it) and "Po" (after it, under a good header), which must survive,
    // while "Zly" must not.
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.what);
        PutFile(FileName(), "[A]\nPrzed=int:1\n" + damage.line + "\n[B]\nPo=str:ok\n");
        TRegistry reg(FileName());
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\A"), false));
        EXPECT_EQ(reg.ReadInteger(QStringLiteral("Przed")), 1);
        EXPECT_FALSE(reg.ValueExists(QStringLiteral("Zly")));
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\B"), false));
        EXPECT_EQ(reg.ReadString(QStringLiteral("Po")), QStringLiteral("ok"));
    }
}

TEST_F(RegistryFileTest, AFailedWriteLeavesTheOldFileWhole)
{
    // A disk that fills within one buffer, one that fills later, and a registry past its size limit.
    const std::pair<rlim_t, int> cases[] = {{1024, 3000}, {16 * 1024, 64 * 1024}, {RLIM_INFINITY, 150 * 1024}};
    for (const auto& [fileLimit, valueBytes] : cases) {
        SCOPED_TRACE(valueBytes);
        TRegistry reg(FileName());
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        ASSERT_TRUE(reg.WriteString(QStringLiteral("AppPath"), QStringLiteral("/opt/wplatomat")));
        const QByteArray before = FileBytes(FileName());
        const bool written = [&, fileLimit = fileLimit, valueBytes = valueBytes] {
            const FileSizeLimit limit(fileLimit);
            return reg.WriteBinaryData(QStringLiteral("Duze"), QByteArray(valueBytes, 'x'));
        }();
        EXPECT_TRUE(!written && !reg.LastError().isEmpty());
        EXPECT_EQ(FileBytes(FileName()), before);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("registry.txt")}); // no temporary file left over
        EXPECT_EQ(reg.ReadString(QStringLiteral("AppPath")), QStringLiteral("/opt/wplatomat"));
    }
}

TEST_F(RegistryFileTest, AHoldShowsItsChangesAtOnceAndSavesThemOnceOnWhatOthersWroteMeanwhile)
{
    PutFile(FileName(), "[A]\nx=int:1\n");
    RegistryHold hold(FileName());
    TRegistry reg(FileName());
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\A"), true));
    ASSERT_TRUE(reg.WriteInteger(QStringLiteral("y"), 2));
    ASSERT_TRUE(reg.DeleteValue(QStringLiteral("x")));
    TRegistry reader(FileName());
    EXPECT_TRUE(reader.OpenKey(QStringLiteral("\\A"), false) && reader.ReadInteger(QStringLiteral("y")) == 2);
    EXPECT_FALSE(reader.ValueExists(QStringLiteral("x")));
    EXPECT_EQ(FileBytes(FileName()), QByteArray("[A]\nx=int:1\n"));
    PutFile(FileName(), "[A]\nx=int:1\n[B]\nz=int:3\n"); // another process
    EXPECT_TRUE(hold.end());
    EXPECT_EQ(FileBytes(FileName()).split('\n').mid(1), QByteArray("\n[A]\ny=int:2\n\n[B]\nz=int:3\n").split('\n'));
}

TEST_F(RegistryFileTest, ChangesThatLeaveTheFileAsItIsNeedNoLockThoseThatChangeItWaitForIt)
{
    PutFile(FileName(), "[A]\nx=int:1\n");
    QLockFile other(FileName() + QStringLiteral(".lock")); // another process saving just now
    ASSERT_TRUE(other.tryLock(0));
    for (const int value : {1, 2}) {
        RegistryHold hold(FileName());
        TRegistry reg(FileName());
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\A"), false));
        ASSERT_TRUE(reg.WriteInteger(QStringLiteral("x"), 3) && reg.WriteInteger(QStringLiteral("x"), value));
        EXPECT_EQ(hold.end(), value == 1) << value;
    }
    EXPECT_EQ(FileBytes(FileName()), QByteArray("[A]\nx=int:1\n"));
}

TEST_F(RegistryFileTest, AFileThatCannotBeReadWholeOrWrittenIsReportedNotFatalAndKept)
{
    const QString blocker = m_dir.path() + QStringLiteral("/plik");
    PutFile(blocker, "zwykły plik");
    const QString large = m_dir.path() + QStringLiteral("/duzy.txt");
    const QByteArray tooLarge = "[A]\nx=int:1\n;" + QByteArray(RegistryFile::MaxFileBytes, 'x') + "\n";
    PutFile(large, tooLarge);
    const QString fifo = m_dir.path() + QStringLiteral("/fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString targets[] = {blocker + QStringLiteral("/registry.txt"), m_dir.filePath(QStringLiteral("katalog")),
                               large, fifo};
    QDir(m_dir.path()).mkdir(QStringLiteral("katalog"));
    for (const QString& target : targets) {
        TRegistry reg(target);
        EXPECT_TRUE(!reg.OpenKey(AppKey, true) && !reg.LastError().isEmpty()) << target.toStdString();
        EXPECT_FALSE(reg.KeyExists(QStringLiteral("\\A")));
        EXPECT_TRUE(reg.OpenKey(QStringLiteral("\\"), false));
        EXPECT_FALSE(reg.WriteInteger(QStringLiteral("x"), 1));
    }
    EXPECT_EQ(FileBytes(blocker), QByteArray("zwykły plik"));
    EXPECT_EQ(FileBytes(large), tooLarge);
    EXPECT_TRUE(QFileInfo(targets[1]).isDir());
    EXPECT_TRUE(QFileInfo::exists(fifo) && !QFileInfo(fifo).isFile());
}

} // namespace
