#include "platform/DdeProtocol.h"

#include <QStringDecoder>
#include <QtEndian>

// The wire format of our DDE stand-in, one local stream socket per
// conversation. Every message is a frame:
//   4 bytes   length N of the rest, unsigned big-endian, 1 <= N <= MaxMessageBytes
//   1 byte    kind: 'C' connect, 'E' execute, 'P' poke (client to server);
//             'D' done, 'R' refused, 'F' failed, 'B' busy (server to client)
//   N-1 bytes UTF-8 text; a poke holds the item name, one NUL byte and the
//             poked text; the others hold one text with no NUL byte:
//             the topic for 'C', the macro text for 'E', a message for 'R'/'F'/'B'.
// A conversation opens with one 'C'; each client message gets exactly one
// reply, in order. Anything else (an unknown kind, a frame too long or empty,
// text that is not UTF-8, a NUL where none belongs) breaks the stream: the
// server replies 'R' and closes it. The server also closes a connection idle
// for IdleMs and answers a connection beyond MaxConnections 'B' and closes it.

namespace {

using DdeLimits::HeaderBytes;

bool IsKind(char c)
{
    switch (TDdeKind(c)) {
    case TDdeKind::Connect:
    case TDdeKind::Execute:
    case TDdeKind::Poke:
    case TDdeKind::Done:
    case TDdeKind::Refused:
    case TDdeKind::Failed:
    case TDdeKind::Busy:
        return true;
    }
    return false;
}

std::optional<QString> Utf8(const QByteArray& bytes)
{
    // A leading byte-order mark is text like any other: kept, the bytes read back whole.
    QStringDecoder decode(QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decode(bytes);
    if (decode.hasError())
        return std::nullopt;
    return text;
}

} // namespace

QByteArray EncodeDdeMessage(const TDdeMessage& message)
{
    QByteArray body(1, char(message.kind));
    body += message.text.toUtf8();
    if (message.kind == TDdeKind::Poke)
        body += '\0' + message.data.toUtf8();
    char header[HeaderBytes];
    qToBigEndian(quint32(body.size()), header);
    return QByteArray(header, HeaderBytes) + body;
}

bool TDdeMessageReader::Feed(const QByteArray& bytes)
{
    if (!m_bad && bytes.size() <= Wanted())
        m_buffer += bytes;
    else
        Break();
    return !m_bad;
}

qsizetype TDdeMessageReader::Wanted() const
{
    return m_bad ? 0 : HeaderBytes + DdeLimits::MaxMessageBytes - m_buffer.size();
}

void TDdeMessageReader::Break()
{
    m_bad = true;
    m_buffer.clear();
}

std::optional<TDdeMessage> TDdeMessageReader::Next()
{
    if (m_bad || m_buffer.size() < HeaderBytes)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
    if (length < 1 || length > quint32(DdeLimits::MaxMessageBytes)) {
        Break();
        return std::nullopt;
    }
    if (m_buffer.size() < HeaderBytes + qsizetype(length))
        return std::nullopt;
    const QByteArray body = m_buffer.mid(HeaderBytes, length);
    m_buffer.remove(0, HeaderBytes + length);
    TDdeMessage message;
    QByteArray text = body.mid(1), data;
    const qsizetype nul = text.indexOf('\0');
    const bool poke = body.at(0) == char(TDdeKind::Poke);
    if (poke && nul >= 0) {
        data = text.mid(nul + 1);
        text.truncate(nul);
    }
    const std::optional<QString> t = Utf8(text), d = Utf8(data);
    if (!IsKind(body.at(0)) || (poke ? nul < 0 || data.contains('\0') : nul >= 0) || !t || !d) {
        Break();
        return std::nullopt;
    }
    message.kind = TDdeKind(body.at(0));
    message.text = *t;
    message.data = *d;
    return message;
}
