#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The messages between a DDE client and the server (see DdeProtocol.cpp).
enum class TDdeKind : char {
    Connect = 'C',
    Execute = 'E',
    Poke = 'P',
    Done = 'D',
    Refused = 'R',
    Failed = 'F',
    // Every conversation of the server is taken: worth a later try.
    Busy = 'B',
};

struct TDdeMessage {
    TDdeKind kind = TDdeKind::Done;
    // The topic, the execute text, the item of a poke, or a reply's message.
    QString text;
    // The poked text; empty for the other kinds.
    QString data;
};

namespace DdeLimits {
// The length field in front of every message.
constexpr int HeaderBytes = 4;
// One message, all texts included: far more than any macro line or amount.
constexpr int MaxMessageBytes = 64 * 1024;
constexpr int MaxConnections = 8;
// A connection that sends nothing for this long is dropped.
constexpr int IdleMs = 10'000;
} // namespace DdeLimits

QByteArray EncodeDdeMessage(const TDdeMessage& message);

// Takes the bytes of one connection as they come and gives back whole
// messages. Its buffer never holds more than one message's worth.
class TDdeMessageReader {
public:
    // Appends bytes; false once the stream cannot be a message stream, or
    // when more came than Wanted(); it then stays broken.
    bool Feed(const QByteArray& bytes);
    // The next whole message, if one is buffered; a malformed one breaks the stream.
    std::optional<TDdeMessage> Next();
    bool IsBad() const { return m_bad; }
    // How many bytes it takes now: never more than one largest message.
    qsizetype Wanted() const;

private:
    void Break();

    QByteArray m_buffer;
    bool m_bad = false;
};
