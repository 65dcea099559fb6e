// The DDE stand-in in one process: the server on the GUI thread, each client on a thread of its own.
#include "drawing/Exception.h"
#include "platform/Dde.h"
#include "platform/DdeClient.h"

#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

#include <future>

namespace {

using namespace std::chrono_literals;
constexpr int WaitMs = 10'000;

// Runs the client off the GUI thread while the server's loop turns.
template <class F>
auto Client(F work)
{
    auto done = std::async(std::launch::async, work);
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.wait_for(0s) == std::future_status::ready; }, WaitMs));
    return done.get();
}

// The reply's kind and text, or "broken" when none came.
std::string Said(const std::optional<TDdeMessage>& reply)
{
    return reply ? char(reply->kind) + (":" + reply->text.toStdString()) : "broken";
}

// Raw bytes written to the service, and what came back before it closed.
QByteArray Raw(const QByteArray& bytes)
{
    return Client([&] {
        QLocalSocket socket;
        socket.connectToServer(DdeSocketPath(QStringLiteral("wplatomat")));
        socket.waitForConnected(WaitMs);
        socket.write(bytes);
        socket.waitForBytesWritten(WaitMs);
        while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(WaitMs)) {
        }
        return socket.readAll();
    });
}

QByteArray Frame(quint32 length, const QByteArray& body)
{
    char header[4];
    qToBigEndian(length, header);
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
                throw Exception(QStringLiteral("\"abc\" nie jest prawidłową kwotą."));
            return TDdeReply{};
        };
        topic.Items.insert(QStringLiteral("MakeDdeServerItem"), topic.OnExecuteMacro);
        server.AddTopic(QStringLiteral("WplatomatDdeServerConv"), topic);
        ASSERT_TRUE(server.Listen()) << server.ErrorString().toStdString();
    }

    QTemporaryDir runtime;
    TDdeServer server{QStringLiteral("wplatomat")};
    QStringList seen;
};

TEST_F(DdeServer, TopicsExecutesAndPokesGetOneReplyEach)
{
    const auto said = Client([] {
        TDdeClient unknown, client;
        const QString service = QStringLiteral("wplatomat");
        std::vector<std::string> replies{
            unknown.Connect(service, QStringLiteral("Nieznany"), WaitMs) ? "D" : unknown.Error().toStdString(),
            client.Connect(service, QStringLiteral("wplatomatddeserverconv"), WaitMs) ? "D" : "R",
            Said(client.Execute(QStringLiteral("[open \"a\"]\r\n[print \"b\"]\r\n"), WaitMs)),
            Said(client.Execute(QStringLiteral("abc"), WaitMs)),
            Said(client.Poke(QStringLiteral("MAKEDDESERVERITEM"), QStringLiteral("7\n8"), WaitMs)),
            Said(client.Poke(QStringLiteral("Inny"), QStringLiteral("7"), WaitMs)),
            Said(client.Execute(QString(64 * 1024 - 1, QLatin1Char('x')), WaitMs))}; // the largest message, whole
        return replies;
    });
    EXPECT_EQ(said, (std::vector<std::string>{"Nieznany temat: Nieznany", "D", "D:",
                                              "F:\"abc\" nie jest prawidłową kwotą.", "D:",
                                              "R:Temat tego nie obsługuje.", "D:"}));
    ASSERT_EQ(seen.size(), 6);
    EXPECT_EQ(seen.mid(0, 5), (QStringList{"[open \"a\"]", "[print \"b\"]", "abc", "7", "8"}));
}

TEST_F(DdeServer, BytesThatAreNoMessageFloodsAndASecondServerAreTurnedAway)
{
    const QByteArray refused = Frame(26, "RNieprawidłowy komunikat.");
    EXPECT_EQ(Raw("hello, world"), refused);                                           // no frame at all
    EXPECT_EQ(Raw(Frame(64 * 1024 + 1, QByteArray(64 * 1024 + 1, 'x'))), refused);   // one byte too long
    EXPECT_EQ(Raw(Frame(3, "Dok")), refused);                                           // a reply sent to the server
    EXPECT_EQ(Raw(Frame(3, "E\xff\xfe")), refused);                                     // not UTF-8
    EXPECT_EQ(Raw(Frame(3, "Pab")), refused);                                           // a poke without its NUL
    EXPECT_EQ(Raw(Frame(6, QByteArray("Pa\0b\0c", 6))), refused);                        // a second NUL in a poke
    // One topic a conversation: a second one is turned away, and the conversation goes on.
    const QByteArray topic = Frame(23, "Cwplatomatddeserverconv");
    EXPECT_EQ(Raw(topic + topic + Frame(3, "Dok")),
              Frame(1, "D") + Frame(39, "RNieznany temat: wplatomatddeserverconv") + refused);
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.Conversations() == 0; }, WaitMs));

    auto idle = std::make_unique<QLocalSocket[]>(8);
    for (int i = 0; i < 8; ++i)
        idle[i].connectToServer(DdeSocketPath(QStringLiteral("wplatomat")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.Conversations() == 8; }, WaitMs));
    EXPECT_EQ(Raw(Frame(1, "C")), Frame(24, "BZbyt wiele połączeń."));
    idle.reset();

    TDdeServer second(QStringLiteral("wplatomat"));
    EXPECT_FALSE(second.Listen());
    EXPECT_TRUE(server.IsListening());
    EXPECT_TRUE(Client([] {
        return TDdeClient().Connect(QStringLiteral("wplatomat"), QStringLiteral("WplatomatDdeServerConv"), WaitMs);
    }));
}

TEST_F(DdeServer, OnlyAPrivateFolderOfOursHoldsTheSocket)
{
    const QString path = DdeSocketPath(QStringLiteral("wplatomat"));
    EXPECT_EQ(path, runtime.filePath(QStringLiteral("dde/wplatomat")));
    EXPECT_EQ(QFile::permissions(runtime.filePath(QStringLiteral("dde"))) & 0x0077, 0);
    EXPECT_EQ(QFile::permissions(path) & 0x0077, 0);
    for (const char* name : {"", "../wplatomat", "a/b", "..", "a\nb"})
        EXPECT_EQ(DdeSocketPath(QString::fromLatin1(name)), QString()) << name;
    // A folder others may enter is no place for it: neither end uses it.
    ASSERT_TRUE(QFile::setPermissions(runtime.filePath(QStringLiteral("dde")), QFileDevice::Permissions(0x7777)));
    EXPECT_EQ(DdeSocketPath(QStringLiteral("wplatomat")), QString());
    EXPECT_FALSE(TDdeServer(QStringLiteral("wplatomat")).Listen());
    // Without a private runtime folder, a private one of ours in the cache folder.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit()), qputenv("XDG_RUNTIME_DIR", "/tmp");
    EXPECT_EQ(DdeSocketPath(QStringLiteral("wplatomat")), cache.filePath(QStringLiteral("wplatomat/dde/wplatomat")));
    qunsetenv("XDG_CACHE_HOME");
}

} // namespace
