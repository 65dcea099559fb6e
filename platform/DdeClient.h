#pragma once

#include "platform/DdeProtocol.h"

#include <QLocalSocket>
#include <QString>

#include <optional>

// The client end of a conversation with a DDE service, blocking, for the
// shell program and tests: no event loop is needed.
class TDdeClient {
public:
    // Connects to the service (in the given private folder, else the user's
    // own) and opens the topic. False, with Error(), when no server answers
    // or it refuses the topic.
    bool Connect(const QString& service, const QString& topic, int timeoutMs, const QString& folder = QString());
    // Whether the last Connect reached a server at all.
    bool Reached() const { return m_reached; }
    // Whether the server answered the last Connect at all, and whether it
    // turned it away only because all its conversations were taken.
    bool Answered() const { return m_answered; }
    bool Busy() const { return m_busy; }
    // The server's reply; nothing when the conversation broke (see Error()).
    std::optional<TDdeMessage> Execute(const QString& text, int timeoutMs);
    std::optional<TDdeMessage> Poke(const QString& item, const QString& text, int timeoutMs);
    QString Error() const { return m_error; }

private:
    std::optional<TDdeMessage> Request(const TDdeMessage& message, int timeoutMs);

    QLocalSocket m_socket;
    TDdeMessageReader m_reader;
    QString m_error;
    bool m_reached = false;
    bool m_answered = false;
    bool m_busy = false;
};
