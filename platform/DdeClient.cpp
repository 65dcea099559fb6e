#include "platform/DdeClient.h"

#include "platform/Dde.h"

#include <QDeadlineTimer>

bool TDdeClient::Connect(const QString& service, const QString& topic, int timeoutMs, const QString& folder)
{
    m_reached = m_answered = m_busy = false;
    m_socket.abort();
    m_reader = TDdeMessageReader();
    const QString path = DdeSocketPath(service, folder);
    if (path.isEmpty()) {
        m_error = QStringLiteral("Nieprawidłowa nazwa usługi albo brak prywatnego folderu: ") + service;
        return false;
    }
    m_socket.connectToServer(path);
    if (!m_socket.waitForConnected(timeoutMs)) {
        m_error = m_socket.errorString();
        return false;
    }
    m_reached = true;
    const std::optional<TDdeMessage> reply = Request({TDdeKind::Connect, topic, QString()}, timeoutMs);
    if (reply && reply->kind != TDdeKind::Done)
        m_error = reply->text;
    m_answered = reply.has_value();
    m_busy = reply && reply->kind == TDdeKind::Busy;
    return reply && reply->kind == TDdeKind::Done;
}

std::optional<TDdeMessage> TDdeClient::Execute(const QString& text, int timeoutMs)
{
    return Request({TDdeKind::Execute, text, QString()}, timeoutMs);
}

std::optional<TDdeMessage> TDdeClient::Poke(const QString& item, const QString& text, int timeoutMs)
{
    return Request({TDdeKind::Poke, item, text}, timeoutMs);
}

std::optional<TDdeMessage> TDdeClient::Request(const TDdeMessage& message, int timeoutMs)
{
    const QByteArray bytes = EncodeDdeMessage(message);
    if (bytes.size() > DdeLimits::HeaderBytes + DdeLimits::MaxMessageBytes) {
        m_error = QStringLiteral("Komunikat jest za długi.");
        return std::nullopt;
    }
    const QDeadlineTimer deadline(timeoutMs);
    m_socket.write(bytes);
    while (m_socket.bytesToWrite() > 0)
        if (!m_socket.waitForBytesWritten(int(deadline.remainingTime())))
            break;
    for (;;) {
        if (!m_reader.Feed(m_socket.read(m_reader.Wanted()))) {
            m_error = QStringLiteral("Serwer odpowiedział nieprawidłowym komunikatem.");
            return std::nullopt;
        }
        if (std::optional<TDdeMessage> reply = m_reader.Next())
            return reply;
        if (m_reader.IsBad() || deadline.hasExpired() || m_socket.state() != QLocalSocket::ConnectedState
            || !m_socket.waitForReadyRead(int(deadline.remainingTime()))) {
            if (m_socket.bytesAvailable() > 0)
                continue;
            m_error = m_socket.errorString();
            return std::nullopt;
        }
    }
}
