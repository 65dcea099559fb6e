#include "platform/Dde.h"

#include "platform/DdeProtocol.h"
#include "platform/FileName.h"
#include "platform/PrivateFolder.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>

#include <exception>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int RetryMs = 100;
constexpr int MaxServiceChars = 64;
constexpr int ProbeMs = 1000;
// Replies waiting for a client that does not read are bounded too.
constexpr qint64 MaxUnsentBytes = DdeLimits::MaxMessageBytes;

// Kernel-checked: the process at the other end runs as our own user.
bool PeerIsOurUser(const QLocalSocket& socket)
{
    struct ucred cred {};
    socklen_t size = sizeof cred;
    const int fd = int(socket.socketDescriptor());
    return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0 && cred.uid == ::geteuid();
}

} // namespace

QStringList SplitDdeLines(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(breaks);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QString DdeSocketFolder()
{
    return PrivateSubfolder(QStringLiteral("dde"));
}

QString DdeSocketPath(const QString& service, const QString& folder)
{
    if (HasControlCharacter(service) || service.contains(QLatin1Char('/')))
        return QString();
    if (service.isEmpty() || service.size() > MaxServiceChars || service.startsWith(QLatin1Char('.')))
        return QString();
    const QString own = folder.isEmpty() ? DdeSocketFolder() : folder;
    return IsPrivateFolder(own) ? QDir(own).filePath(service) : QString();
}

// One client's conversation: its messages are taken one at a time, so a
// handler that runs a dialog of its own never sees the next one under it.
class TDdeServer::Conversation : public QObject {
public:
    Conversation(TDdeServer* server, QLocalSocket* socket)
        : QObject(server)
        , m_server(server)
        , m_socket(socket)
    {
        ++m_server->m_conversations;
        socket->setParent(this);
        socket->setReadBufferSize(DdeLimits::MaxMessageBytes);
        m_idle.setSingleShot(true);
        m_idle.setInterval(DdeLimits::IdleMs);
        m_retry.setSingleShot(true);
        m_retry.setInterval(RetryMs);
        connect(&m_idle, &QTimer::timeout, this, [this] { Close(); });
        connect(&m_retry, &QTimer::timeout, this, [this] { Run(); });
        connect(socket, &QLocalSocket::readyRead, this, [this] { Pump(); });
        connect(socket, &QLocalSocket::disconnected, this, [this] { Close(); });
        m_idle.start();
    }
    ~Conversation() override { Uncount(); }

    void Refuse(const QString& why, TDdeKind kind = TDdeKind::Refused)
    {
        Send({kind, why, QString()});
        Close();
    }

private:
    void Pump()
    {
        while (!m_busy && !m_pending && !m_closing) {
            const QByteArray bytes = m_socket->read(m_reader.Wanted());
            if (!bytes.isEmpty())
                m_reader.Feed(bytes);
            std::optional<TDdeMessage> message = m_reader.Next();
            // A reply's kind is no message a client may send.
            if (m_reader.IsBad()
                || (message && message->kind != TDdeKind::Connect && message->kind != TDdeKind::Execute
                    && message->kind != TDdeKind::Poke)) {
                Refuse(QStringLiteral("Nieprawidłowy komunikat."));
                return;
            }
            if (!message)
                return;
            m_idle.stop();
            m_pending = std::move(message);
            Run();
        }
    }

    // Handles the pending message; a handler that asks to wait is asked again later.
    void Run()
    {
        if (!m_pending || m_busy)
            return;
        const TDdeMessage message = *m_pending;
        m_busy = true;
        const TDdeReply reply = Handle(message);
        m_busy = false;
        if (m_closing) {
            deleteLater();
            return;
        }
        if (reply.status == TDdeReply::Wait) {
            m_retry.start();
            return;
        }
        m_pending.reset();
        Reply(reply);
        if (m_closing)
            return;
        m_idle.start();
        QTimer::singleShot(0, this, [this] { Pump(); });
    }

    TDdeReply Handle(const TDdeMessage& message)
    {
        if (message.kind == TDdeKind::Connect) {
            const QString name = message.text;
            const TDdeTopic* topic = m_server->FindTopic(name);
            if (!m_topic.isEmpty() || !topic)
                return {TDdeReply::Refused, QStringLiteral("Nieznany temat: ") + name};
            m_topic = name;
            // After the reply, so a dialog of the handler never holds the client up.
            if (topic->OnOpen)
                QTimer::singleShot(0, m_server, [server = m_server, name] {
                    if (const TDdeTopic* t = server->FindTopic(name))
                        t->OnOpen();
                });
            return {};
        }
        const TDdeTopic* topic = m_server->FindTopic(m_topic);
        if (!topic)
            return {TDdeReply::Refused, QStringLiteral("Brak rozmowy na żadnym temacie.")};
        TDdeTopic::Handler handler;
        if (message.kind == TDdeKind::Execute)
            handler = topic->OnExecuteMacro;
        else if (message.kind == TDdeKind::Poke)
            handler = topic->Items.value(message.text.toLower());
        if (!handler)
            return {TDdeReply::Refused, QStringLiteral("Temat tego nie obsługuje.")};
        try {
            return handler(SplitDdeLines(message.kind == TDdeKind::Poke ? message.data : message.text));
        } catch (const std::exception& e) {
            return {TDdeReply::Failed, QString::fromUtf8(e.what())};
        } catch (...) {
            return {TDdeReply::Failed, QStringLiteral("Nieznany błąd.")};
        }
    }

    void Reply(const TDdeReply& reply)
    {
        static const TDdeKind kinds[] = {TDdeKind::Done, TDdeKind::Refused, TDdeKind::Failed, TDdeKind::Refused};
        Send({kinds[reply.status], reply.message, QString()});
    }

    void Send(const TDdeMessage& message)
    {
        m_socket->write(EncodeDdeMessage(message));
        m_socket->flush();
        if (m_socket->bytesToWrite() > MaxUnsentBytes)
            Close();
    }

    // The slot is free as soon as the client goes, whatever the handler still does.
    void Uncount()
    {
        if (m_counted)
            --m_server->m_conversations;
        m_counted = false;
    }

    // A conversation whose handler runs goes only once the handler returns.
    void Close()
    {
        if (m_closing)
            return;
        m_closing = true;
        Uncount();
        m_idle.stop();
        m_retry.stop();
        m_socket->disconnectFromServer();
        if (!m_busy)
            deleteLater();
    }

    TDdeServer* m_server;
    QLocalSocket* m_socket;
    TDdeMessageReader m_reader;
    std::optional<TDdeMessage> m_pending;
    QString m_topic;
    QTimer m_idle, m_retry;
    bool m_busy = false;
    bool m_closing = false;
    bool m_counted = true;
};

TDdeServer::TDdeServer(const QString& service, QObject* parent)
    : QObject(parent)
    , m_service(service)
{
}

TDdeServer::~TDdeServer()
{
    // The conversations are children; they go first and count down on the way.
    qDeleteAll(findChildren<Conversation*>(Qt::FindDirectChildrenOnly));
    delete m_server;
}

void TDdeServer::AddTopic(const QString& name, const TDdeTopic& topic)
{
    TDdeTopic lowered = topic;
    lowered.Items.clear();
    for (auto it = topic.Items.cbegin(); it != topic.Items.cend(); ++it)
        lowered.Items.insert(it.key().toLower(), it.value());
    m_topics.insert(name.toLower(), lowered);
}

const TDdeTopic* TDdeServer::FindTopic(const QString& name) const
{
    const auto it = m_topics.constFind(name.toLower());
    return it == m_topics.constEnd() || name.isEmpty() ? nullptr : &it.value();
}

bool TDdeServer::Listen()
{
    const QString path = DdeSocketPath(m_service);
    if (path.isEmpty()) {
        m_error = QStringLiteral("Brak prywatnego folderu na usługę DDE \"%1\".").arg(m_service);
        return false;
    }
    if (!m_server) {
        m_server = new QLocalServer();
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &TDdeServer::NewConnection);
    }
    // A server that answers is alive: it keeps its name, whoever asks.
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(ProbeMs)) {
        m_error = QStringLiteral("Usługa DDE \"%1\" już działa.").arg(m_service);
        return false;
    }
    QLocalServer::removeServer(path);
    if (!m_server->listen(path)) {
        m_error = m_server->errorString();
        return false;
    }
    m_error.clear();
    return true;
}

bool TDdeServer::IsListening() const
{
    return m_server && m_server->isListening();
}

void TDdeServer::NewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        const bool full = m_conversations >= DdeLimits::MaxConnections;
        auto* conversation = new Conversation(this, socket);
        if (!PeerIsOurUser(*socket))
            conversation->Refuse(QStringLiteral("Odmowa: klient innego użytkownika."));
        else if (full)
            conversation->Refuse(QStringLiteral("Zbyt wiele połączeń."), TDdeKind::Busy);
    }
}
