#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;

// What a topic's handler answers a client.
struct TDdeReply {
    // Wait: the command cannot run now; it is offered to the handler again
    // a little later, for as long as the client stays.
    enum Status { Done, Refused, Failed, Wait };
    Status status = Done;
    QString message;
};

// One topic of the service: its handlers, any of which may be missing.
struct TDdeTopic {
    using Handler = std::function<TDdeReply(const QStringList& lines)>;
    // Each time a client opens a conversation on the topic.
    std::function<void()> OnOpen;
    Handler OnExecuteMacro;
    // Pokes by item name (letter case ignored), with the poked text's lines.
    QHash<QString, Handler> Items;
};

// A text split into lines as the toolkit's string lists read it: at CR LF,
// LF or CR, with no empty line after a final break.
QStringList SplitDdeLines(const QString& text);

// The socket of a service inside the user's private runtime folder, or in
// the given folder when it is private; empty when the service name could
// leave that folder or no private folder exists.
QString DdeSocketPath(const QString& service, const QString& folder = QString());
// The user's own private folder of the services' sockets; empty when none can be had.
QString DdeSocketFolder();

// The DDE service of the program: a local socket that only the user's own
// processes reach, conversations on named topics handled on the GUI thread,
// inside whatever event loop runs (modal dialogs included). The protocol and
// its limits are described in DdeProtocol.cpp.
class TDdeServer : public QObject {
    Q_OBJECT
public:
    explicit TDdeServer(const QString& service, QObject* parent = nullptr);
    ~TDdeServer() override;

    // Topic names ignore letter case, as the other system's do.
    void AddTopic(const QString& name, const TDdeTopic& topic);
    // Only the holder of the single-instance lock may call it: a socket left
    // under the name that no server answers is then stale and is replaced.
    bool Listen();
    bool IsListening() const;
    QString ErrorString() const { return m_error; }
    int Conversations() const { return m_conversations; }

private:
    class Conversation;
    friend class Conversation;
    void NewConnection();
    const TDdeTopic* FindTopic(const QString& name) const;

    QString m_service;
    QString m_error;
    QLocalServer* m_server = nullptr;
    QHash<QString, TDdeTopic> m_topics; // by lower-case name
    int m_conversations = 0;
};
