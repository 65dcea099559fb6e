// Drives the DDE server through real sockets with the bytes as a script: clients connect, open topics, execute, poke,
// send junk and go, in any order, while handlers answer, ask to wait or run a loop of their own. Once every client
// has gone, every conversation's slot must be free again.
#include "platform/Dde.h"
#include "platform/DdeProtocol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

constexpr int Clients = 4;

struct Fixture {
    Fixture()
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        TDdeTopic topic;
        // The text's first letter chooses the handler's answer.
        topic.OnExecuteMacro = [](const QStringList& lines) {
            const QChar first = lines.value(0).isEmpty() ? QChar() : lines.value(0).at(0);
            if (first == QLatin1Char('w'))
                return TDdeReply{TDdeReply::Wait, QString()};
            if (first == QLatin1Char('l')) // as a modal dialog would
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            return TDdeReply{first == QLatin1Char('f') ? TDdeReply::Failed : TDdeReply::Done, QString()};
        };
        topic.OnOpen = [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 2); };
        topic.Items.insert(QStringLiteral("Item"), topic.OnExecuteMacro);
        server.AddTopic(QStringLiteral("Topic"), topic);
        if (!server.Listen())
            std::abort();
    }
    int argc = 1;
    char name[5] = "fuzz";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    QTemporaryDir runtime;
    TDdeServer server{QStringLiteral("fuzz")};
};

void Spin(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, int(deadline.remainingTime()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Fixture fixture;
    std::array<std::unique_ptr<QLocalSocket>, Clients> clients;
    size_t pos = 0;
    const auto next = [&]() -> uint8_t { return pos < size ? data[pos++] : 0; };
    // A text of the next byte's length, taken from the bytes after it.
    const auto text = [&] {
        const size_t length = std::min<size_t>(next() % 16, size - std::min(pos, size));
        const QString s = QString::fromLatin1(reinterpret_cast<const char*>(data + pos), qsizetype(length));
        pos += length;
        return s;
    };
    for (int steps = 0; pos < size && steps < 64; ++steps) {
        const uint8_t op = next();
        std::unique_ptr<QLocalSocket>& client = clients[op % Clients];
        const int kind = (op / Clients) % 7;
        if (kind == 0) {
            client = std::make_unique<QLocalSocket>();
            client->connectToServer(DdeSocketPath(QStringLiteral("fuzz")));
        } else if (kind == 5) {
            client.reset();
        } else if (kind == 6) {
            Spin(next() % 8);
        } else if (client) {
            // Open the topic, or another; execute; poke the item; or junk.
            const QString s = kind == 1 && next() % 2 ? QStringLiteral("topic") : text();
            const TDdeKind kinds[] = {TDdeKind::Connect, TDdeKind::Execute, TDdeKind::Poke};
            client->write(kind == 4   ? s.toLatin1()
                          : kind == 3 ? EncodeDdeMessage({TDdeKind::Poke, QStringLiteral("item"), s})
                                      : EncodeDdeMessage({kinds[kind - 1], s, {}}));
        }
    }
    for (auto& client : clients)
        client.reset();
    // A conversation whose handler waits is retried; it goes once it sees its client gone.
    const QDeadlineTimer deadline(2000);
    while (fixture.server.Conversations() > 0 && !deadline.hasExpired())
        Spin(5);
    if (fixture.server.Conversations() != 0)
        std::abort();
    return 0;
}
