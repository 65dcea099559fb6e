#include "app/ShellClient.h"

#include "app/RunningProgram.h"
#include "platform/Dde.h"
#include "platform/DdeClient.h"
#include "platform/FileName.h"
#include "platform/Registry.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>
#include <QThread>

#include <algorithm>

namespace {

// A program that was not running needs time to start (a sanitizer build is
// slow), and one that is busy as long to answer.
constexpr int WaitMs = 60'000;
constexpr int RetryMs = 250;
constexpr int MaxPauseMs = 2000;
// A print's reply comes once the user has closed the print dialog.
constexpr int ReplyMs = 600'000;

const char Help[] =
    "Użycie:\n"
    "  wplatomat-shell open [PLIK...]        otwiera dokumenty w działającym programie;\n"
    "                                        bez plików uruchamia program albo go przywołuje\n"
    "  wplatomat-shell print PLIK...         drukuje dokumenty\n"
    "  wplatomat-shell [--service S] [--topic T] --execute TEKST\n"
    "  wplatomat-shell [--service S] [--topic T] --poke ELEMENT TEKST\n"
    "Polecenia open i print biorą makro DDE, usługę i temat z rejestracji typu pliku;\n"
    "gdy program nie działa, uruchamiają zarejestrowane polecenie. Domyślnie usługa\n"
    "wplatomat, temat WplatomatDdeServerConv (nowy blankiet wpłaty z kwotą z tekstu).\n"
    "Kody wyjścia: 0 wykonano, 1 błędne wywołanie, 2 nazwa pliku ze znakiem sterującym,\n"
    "3 brak rejestracji typu pliku, 4 program nie odpowiada, 5 odmowa, 6 błąd wykonania.\n";

struct Registration {
    QString macro, application, topic, command;
};

QString Visible(const QString& name)
{
    QString shown;
    for (const QChar c : name) {
        const bool control = HasControlCharacter(QStringView(&c, 1));
        shown += control ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : QString(c);
    }
    return shown;
}

QString DefaultValue(TRegistry& reg, const QString& key)
{
    return reg.OpenKeyReadOnly(key) ? reg.ReadString(QString()).value_or(QString()) : QString();
}

// The verb's registration for the file's extension; nothing when it is incomplete.
std::optional<Registration> LookUp(const QString& file, const QString& verb)
{
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    const QString ext = QFileInfo(file).suffix();
    const QString type = ext.isEmpty() ? QString() : DefaultValue(reg, QStringLiteral("\\.") + ext);
    if (type.isEmpty() || type.contains(QLatin1Char('\\')))
        return std::nullopt;
    const QString key = QLatin1Char('\\') + type + QStringLiteral("\\shell\\") + verb;
    Registration r{DefaultValue(reg, key + QStringLiteral("\\ddeexec")),
                   DefaultValue(reg, key + QStringLiteral("\\ddeexec\\Application")),
                   DefaultValue(reg, key + QStringLiteral("\\ddeexec\\Topic")),
                   DefaultValue(reg, key + QStringLiteral("\\Command"))};
    if (r.macro.isEmpty() || r.application.isEmpty() || r.topic.isEmpty())
        return std::nullopt;
    return r;
}

// Connects where the running program listens: in our own runtime folder,
// or, when it runs with another (started from a session, we from cron or
// `env -i`), where it said it does beside its lock.
bool Connect(TDdeClient& client, const QString& service, const QString& topic, const QDeadlineTimer& deadline)
{
    const int waitMs = int(std::max<qint64>(deadline.remainingTime(), 1));
    const bool done = client.Connect(service, topic, waitMs);
    if (done || client.Reached())
        return done;
    const std::optional<TRunningProgram> running = RunningProgram();
    return running && !running->ddeFolder.isEmpty() && running->ddeFolder != DdeSocketFolder()
           && client.Connect(service, topic, waitMs, running->ddeFolder);
}

// Connects, waiting as long for a busy program, or one whose conversations
// are all taken, as for one that the command starts when none answers.
int Reach(TDdeClient& client, const QString& service, const QString& topic, const QString& command, QTextStream& err)
{
    const QDeadlineTimer deadline(WaitMs);
    bool started = false;
    int pauseMs = RetryMs;
    for (;;) {
        if (Connect(client, service, topic, deadline))
            return ShellDone;
        if (client.Answered() && !client.Busy()) {
            err << QStringLiteral("Program odmówił rozmowy: ") << client.Error() << Qt::endl;
            return ShellRefused;
        }
        const std::optional<TRunningProgram> running = RunningProgram();
        if (!client.Reached() && running && running->ddeFolder.isEmpty()) {
            err << QStringLiteral("Program działa bez usługi DDE i nie przyjmie polecenia.") << Qt::endl;
            return ShellNoServer;
        }
        if (!client.Reached() && !started && !running)
            started = !command.isEmpty() && QProcess::startDetached(command, {});
        if (deadline.hasExpired() || (!client.Reached() && !started && !running))
            break;
        // A full program frees its slots as its conversations end: later tries space out.
        QThread::msleep(ulong(std::min<qint64>(pauseMs, deadline.remainingTime())));
        pauseMs = client.Busy() ? std::min(2 * pauseMs, MaxPauseMs) : RetryMs;
    }
    err << QStringLiteral("Program nie odpowiada: ") << client.Error() << Qt::endl;
    return ShellNoServer;
}

int Outcome(const std::optional<TDdeMessage>& reply, const TDdeClient& client, QTextStream& err)
{
    if (!reply) {
        err << QStringLiteral("Przerwana rozmowa z programem: ") << client.Error() << Qt::endl;
        return ShellNoServer;
    }
    if (reply->kind == TDdeKind::Done)
        return ShellDone;
    err << reply->text << Qt::endl;
    return reply->kind == TDdeKind::Failed ? ShellFailed : ShellRefused;
}

int OpenOrPrint(const QString& verb, const QStringList& files, QTextStream& err)
{
    // A line feed in a name would smuggle a second macro in: nothing is sent then.
    for (const QString& file : files)
        if (HasControlCharacter(file)) {
            err << QStringLiteral("Nazwa pliku zawiera znak sterujący, polecenie odrzucone: ") << Visible(file)
                << Qt::endl;
            return ShellBadName;
        }
    for (const QString& file : files) {
        const std::optional<Registration> r = LookUp(file, verb);
        if (!r) {
            err << QStringLiteral("Brak rejestracji typu pliku: ") << file << Qt::endl;
            return ShellNotRegistered;
        }
        TDdeClient client;
        if (const int code = Reach(client, r->application, r->topic, r->command, err))
            return code;
        QString path = QFileInfo(file).absoluteFilePath();
        path.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        QString macro = r->macro;
        if (const int code = Outcome(client.Execute(macro.replace(QStringLiteral("%1"), path), ReplyMs), client, err))
            return code;
    }
    return ShellDone;
}

} // namespace

int RunShellClient(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString first = arguments.value(0);
    if (first == QLatin1String("--help")) {
        out << QString::fromUtf8(Help);
        return ShellDone;
    }
    if ((first == QLatin1String("open") || first == QLatin1String("print")) && arguments.size() > 1)
        return OpenOrPrint(first == QLatin1String("open") ? QStringLiteral("Open") : QStringLiteral("Print"),
                           arguments.mid(1), err);
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("wplatomat"));
    // The menu's entry names no file: the program comes forward, started first when none runs.
    if (first == QLatin1String("open") && arguments.size() == 1) {
        TDdeClient client;
        const QString service = QStringLiteral("wplatomat"), topic = QStringLiteral("ShellDdeServerConv");
        if (const int code = Reach(client, service, topic, program, err))
            return code;
        return Outcome(client.Execute(QString(), ReplyMs), client, err);
    }
    QString service = QStringLiteral("wplatomat"), topic = QStringLiteral("WplatomatDdeServerConv");
    for (int i = 0; i + 1 < arguments.size(); i += 2) {
        const QString& option = arguments[i];
        if (option == QLatin1String("--service")) {
            service = arguments[i + 1];
        } else if (option == QLatin1String("--topic")) {
            topic = arguments[i + 1];
        } else if ((option == QLatin1String("--execute") && i + 2 == arguments.size())
                   || (option == QLatin1String("--poke") && i + 3 == arguments.size())) {
            TDdeClient client;
            if (const int code = Reach(client, service, topic, program, err))
                return code;
            const bool poke = option == QLatin1String("--poke");
            return Outcome(poke ? client.Poke(arguments[i + 1], arguments[i + 2], ReplyMs)
                                : client.Execute(arguments[i + 1], ReplyMs),
                           client, err);
        } else {
            break;
        }
    }
    err << QString::fromUtf8(Help);
    return ShellUsage;
}
