// The DDE stand-in in one process: the server on the GUI thread, each client on a thread of its own.
#include "drawing/Exception.h"
#include "platform/Dde.h"
#include "platform/DdeClient.h"

#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

#include <future>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using namespace std::chrono_literals;
constexpr int WaitMs = 10'000;
const QString Service = u"wplatomat"_s;
const QString Topic = u"WplatomatDdeServerConv"_s;

// Runs the client off the GUI thread while the server's loop turns.
template <class F>
auto Client(F work)
{
    auto done = std::async(std::launch::async, work);
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.wait_for(0s) == std::future_status::ready; }, WaitMs));
    return done.get();
}

// Raw bytes written to the service, and what came back before it closed.
QByteArray Raw(const QByteArray& bytes)
{
    return Client([&] {
        QLocalSocket socket;
        socket.connectToServer(DdeSocketPath(Service));
        socket.waitForConnected(WaitMs);
        socket.write(bytes);
        socket.waitForBytesWritten(WaitMs);
        while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(WaitMs)) {
        }
        return socket.readAll();
    });
}

// The body behind its length, big-endian.
QByteArray Frame(const QByteArray& body)
{
    char header[4];
    qToBigEndian(quint32(body.size()), header);
    return QByteArray(header, 4) + body;
}

class DdeServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        ASSERT_TRUE(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        TDdeTopic topic;
        topic.OnExecuteMacro = [this](const QStringList& lines) {
            seen << lines;
            if (lines.value(0) == QLatin1String("abc"))
                throw Exception(u"\"abc\" nie jest prawidłową kwotą."_s);
            return TDdeReply{};
        };
        topic.Items.insert(u"MakeDdeServerItem"_s, topic.OnExecuteMacro);
        server.AddTopic(Topic, topic);
        ASSERT_TRUE(server.Listen()) << server.ErrorString().toStdString();
    }

    QTemporaryDir runtime;
    TDdeServer server{Service};
    QStringList seen;
};

// Each message gets its reply, in order; bytes that are no message, at every bound, are refused and end it all.
TEST_F(DdeServer, EveryMessageGetsItsReplyAndBytesThatAreNoMessageAreRefusedAtEveryBound)
{
    const QByteArray refused = Frame("RNieprawidłowy komunikat.");
    const QByteArray topic = Frame("C" + Topic.toLower().toLatin1());
    const QByteArray reply = Frame("Dok"); // a reply's kind, which no client may send
    const QByteArray largest = Frame("E" + QByteArray(64 * 1024 - 1, 'x'));
    const QByteArray pokes = Frame(QByteArray("PMAKEDDESERVERITEM\0" "7\n8", 22)) + Frame(QByteArray("PInny\0" "7", 7));
    const std::pair<QByteArray, QByteArray> rows[] = {
        {Frame("CNieznany") + topic + topic + reply,
         Frame("RNieznany temat: Nieznany") + Frame("D") + Frame("RNieznany temat: wplatomatddeserverconv") + refused},
        {topic + Frame("E[open \"a\"]\r\n[print \"b\"]\r\n") + Frame("Eabc") + pokes + reply,
         Frame("D") + Frame("D") + Frame("F\"abc\" nie jest prawidłową kwotą.") + Frame("D")
             + Frame("RTemat tego nie obsługuje.") + refused},
        {"hello, world", refused},
        {Frame(""), refused},
        {topic + largest + reply, Frame("D") + Frame("D") + refused},
        {Frame("E" + QByteArray(64 * 1024, 'x')), refused},
        {Frame("E\xff\xfe"), refused},
        {Frame("Pab"), refused},
        {Frame(QByteArray("Pa\0b\0c", 6)), refused},
    };
    for (const auto& [bytes, replies] : rows)
        EXPECT_EQ(Raw(bytes), replies) << bytes.left(24).toHex(' ').toStdString();
    EXPECT_EQ(seen.mid(0, 5), (QStringList{"[open \"a\"]", "[print \"b\"]", "abc", "7", "8"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.Conversations() == 0; }, WaitMs));
}

TEST_F(DdeServer, TheNinthConversationIsToldTheServerIsBusyAndASecondServerIsTurnedAway)
{
    auto idle = std::make_unique<QLocalSocket[]>(8);
    for (int i = 0; i < 8; ++i)
        idle[i].connectToServer(DdeSocketPath(Service));
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.Conversations() == 8; }, WaitMs));
    EXPECT_EQ(Raw(Frame("C")), Frame("BZbyt wiele połączeń."));
    EXPECT_TRUE(Client([] {
        TDdeClient client;
        return !client.Connect(Service, Topic, WaitMs) && client.Busy();
    }));
    idle.reset();

    TDdeServer second(Service);
    EXPECT_FALSE(second.Listen());
    EXPECT_TRUE(server.IsListening());
    EXPECT_TRUE(Client([] { return TDdeClient().Connect(Service, Topic, WaitMs); }));
}

// Perl (Debian's own), run as nobody, stands in for another user's client: it sends the topic, prints the reply.
TEST_F(DdeServer, AProcessOfAnotherUserIsRefused)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to start a client as nobody";
    const QString path = DdeSocketPath(Service);
    for (const QString& opened : {runtime.path(), runtime.filePath(u"dde"_s), path})
        ASSERT_TRUE(QFile::setPermissions(opened, QFileDevice::Permissions(0x7777)));
    const QString script = QStringLiteral(
        "$SIG{PIPE} = 'IGNORE'; use IO::Socket::UNIX; my $s = IO::Socket::UNIX->new(Peer => $ARGV[0]) or exit 2;"
        " print $s pack('N', length $ARGV[1]), $ARGV[1]; read $s, my $h, 4; read $s, my $b, unpack('N', $h);"
        " binmode STDOUT; print $h, $b;");
    QProcess helper;
    helper.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "perl", "-e", script, path,
                             "C" + Topic});
    EXPECT_TRUE(QTest::qWaitFor([&] { return helper.state() == QProcess::NotRunning; }, WaitMs));
    EXPECT_EQ(helper.readAllStandardOutput(), Frame("ROdmowa: klient innego użytkownika."))
        << helper.readAllStandardError().toStdString();
}

// A name is refused with a control character, a separator, a leading dot or past 64 characters.
TEST_F(DdeServer, OnlyAPrivateFolderOfOursHoldsTheSocket)
{
    const std::pair<QString, bool> names[] = {
        {"", false}, {QString(64, u'w'), true}, {QString(65, u'w'), false},
        {"..", false}, {".w", false}, {"a/b", false},
        {QString(1, QChar(0)), false}, {"a\x1f" "b", false}, {"a b~", true},
        {"a\x7f" "b", false}, {QString(1, QChar(0x80)), true},
    };
    for (const auto& [name, taken] : names) {
        const QString path = taken ? runtime.filePath("dde/" + name) : QString();
        EXPECT_EQ(DdeSocketPath(name), path) << name.toStdString();
    }
    EXPECT_EQ(QFile::permissions(runtime.filePath(u"dde"_s)) & 0x0077, 0);
    EXPECT_EQ(QFile::permissions(DdeSocketPath(Service)) & 0x0077, 0);
    // A folder others may enter is no place for it: neither end uses it.
    ASSERT_TRUE(QFile::setPermissions(runtime.filePath(u"dde"_s), QFileDevice::Permissions(0x7777)));
    EXPECT_EQ(DdeSocketPath(Service), QString());
    EXPECT_FALSE(TDdeServer(Service).Listen());
    // Without a private runtime folder, a private one of ours in the cache folder.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", "/tmp");
    EXPECT_EQ(DdeSocketPath(Service), cache.filePath(u"wplatomat/dde/wplatomat"_s));
    qunsetenv("XDG_CACHE_HOME");
}

} // namespace
