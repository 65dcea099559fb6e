// The document type as the desktop meets it: the registration in the registry, the desktop's entries and
// defaults, and the shell client that carries a file from them to the program.
#include "MainFormTestSupport.h"

#include "app/DesktopEntries.h"
#include "app/DesktopIntegration.h"
#include "app/FileAssociation.h"
#include "app/ShellClient.h"
#include "platform/FileName.h"

#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTextStream>

namespace {

using MainFormTest::WriteBytes;
using Text = std::optional<QString>;

const QString Classes = "\\Software\\Classes\\";
const QString ProgId = "wplatomat.dokument";
const QString Old = "Old Value";

Text Value(const QString& key, const QString& name = QString())
{
    TRegistry reg;
    if (!reg.OpenKey(Classes + key, false) || !reg.ValueExists(name))
        return std::nullopt;
    return reg.ReadString(name);
}

void Seed(const QString& key, const QString& value, const QString& name = QString())
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Classes + key, true));
    ASSERT_TRUE(reg.WriteString(name, value));
}

TFileAssociation Documents(bool own = true, const QList<TCommand>& commands = {{"Open", ""}, {"Print", ""}})
{
    const QString text = "Name=wplatomat.dokument,\"Desc=Dokument programu Wplatomat\",Exts=wpt";
    TFileAssociation a = TFileAssociation::CreateFrom(text);
    a.SetOwnAssociation(own);
    for (const TCommand& c : commands)
        a.AddCommand(c.Command, c.Option);
    return a;
}

// A tool's output when it ended well, else "failed: " and its output.
std::string Output(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    const bool ok = p.waitForFinished() && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return (ok ? "" : "failed: ") + (p.readAllStandardOutput() + p.readAllStandardError()).toStdString();
}

TEST(FileAssociation, TheExtensionChangesOwnerAsTheAnswerSaysAndGoesBackOnUnregistering)
{
    const QString other = "txtfile";
    const QString upper = "WPLATOMAT.DOKUMENT";
    const struct {
        Text before, oldBefore;
        bool autoReplace;
        QMessageBox::StandardButton answer;
        Text after, oldAfter, afterUnregister, oldAfterUnregister;
    } rows[] = {
        {{}, {}, true, QMessageBox::No, ProgId, {}, {}, {}},
        {other, {}, true, QMessageBox::No, ProgId, other, other, {}},
        {other, QString("starszy"), true, QMessageBox::No, ProgId, "starszy", "starszy", {}},
        {ProgId, other, false, QMessageBox::No, ProgId, other, other, {}},
        {other, {}, false, QMessageBox::No, other, other, other, other},
        {other, {}, false, QMessageBox::Yes, ProgId, other, other, {}},
        {QString(), {}, false, QMessageBox::No, QString(), {}, QString(), {}},
        {upper, {}, false, QMessageBox::No, upper, upper, upper, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before.value_or("(no key)").toStdString());
        TempConfig config;
        if (row.before)
            Seed(".wpt", *row.before);
        if (row.oldBefore)
            Seed(".wpt", *row.oldBefore, Old);
        QStringList asked;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked << box->windowTitle() + '|' + box->text();
                box->button(row.answer)->click();
            }
        });
        answer.start(10);
        TFileAssociation a = Documents();
        EXPECT_TRUE(a.RegisterAssociation("ShellDdeServerConv", row.autoReplace));
        QStringList question;
        if (!row.autoReplace && row.before != ProgId)
            question << "Override File Association|Override File type for ext \"wpt\"";
        EXPECT_EQ(asked, question);
        EXPECT_EQ(Value(".wpt"), row.after);
        EXPECT_EQ(Value(".wpt", Old), row.oldAfter);
        EXPECT_TRUE(a.UnRegisterAssociation());
        EXPECT_EQ(Value(".wpt"), row.afterUnregister);
        EXPECT_EQ(Value(".wpt", Old), row.oldAfterUnregister);
        EXPECT_EQ(Value(ProgId), std::nullopt);
    }
}

TEST(FileAssociation, EachVerbGetsTheExecutableAndAMacroOfTheQuotedVerbFileAndOption)
{
    const QString exe = QCoreApplication::applicationFilePath();
    const QString app = QFileInfo(exe).completeBaseName();
    const struct {
        bool start, own;
        QList<TCommand> commands;
        QStringList verbs, macros;
    } rows[] = {
        {true, true, {}, {"Open", "Print"}, {"[Open \"%1\"]", "[Print \"%1\"]"}},
        {false, true, {}, {"Open"}, {"[Open \"%1\"]"}},
        {false, false, {}, {"Edit"}, {"[Edytuj]"}},
        {false, true, {{"Print To", ""}, {"Open", "/x \"y\""}}, {"Open", "Print To"},
         {"[Open \"%1\" \"/x \"y\"\"]", "[\"Print To\" \"%1\"]"}},
    };
    for (const auto& row : rows) {
        TempConfig config;
        Seed(ProgId + "\\shell\\Edit\\ddeexec", "[Edytuj]");
        Seed(ProgId + "\\shell\\Edit\\ddeexec\\Topic", "ShellDdeServerConv");
        if (row.start) {
            // A registry that refuses the registration never stops the start.
            QLockFile other(TRegistry().FileName() + ".lock");
            ASSERT_TRUE(other.tryLock(0));
            auto refused = std::make_unique<TMainForm>();
            refused.reset();
            other.unlock();
            TMainForm started;
        } else {
            EXPECT_TRUE(Documents(row.own, row.commands).RegisterAssociation("ShellDdeServerConv", true));
        }
        EXPECT_EQ(Value(".wpt"), ProgId);
        EXPECT_EQ(Value(ProgId), row.own ? Text("Dokument programu Wplatomat") : Text());
        EXPECT_EQ(Value(ProgId + "\\DefaultIcon"), row.own ? Text(exe + ",0") : Text());
        TRegistry shell;
        ASSERT_TRUE(shell.OpenKey(Classes + ProgId + "\\shell", false));
        EXPECT_EQ(shell.GetKeyNames(), row.verbs);
        for (int i = 0; i < row.verbs.size(); ++i) {
            const QString verb = ProgId + "\\shell\\" + row.verbs[i];
            EXPECT_EQ(Value(verb + "\\Command"), row.own ? Text(exe) : Text());
            EXPECT_EQ(Value(verb + "\\ddeexec"), row.macros[i]);
            EXPECT_EQ(Value(verb + "\\ddeexec\\Application"), row.own ? Text(app) : Text());
            EXPECT_EQ(Value(verb + "\\ddeexec\\Topic"), "ShellDdeServerConv");
        }
    }
}

TEST(FileAssociation, CommandsStaySortedUniqueGrowByTenAndComeBackFromTheTextForm)
{
    TFileAssociation verbs;
    const std::pair<QString, int> adds[] = {{"Print", 0}, {"Open", 0}, {"print", 1}, {"", -1}, {"New", 0}};
    for (const auto& [verb, index] : adds)
        EXPECT_EQ(verbs.AddCommand(verb, verb + 'x'), index) << verb.toStdString();
    EXPECT_EQ(verbs.Commands(2).Command, "print");
    EXPECT_EQ(verbs.Commands(2).Option, "printx");
    EXPECT_EQ(verbs.Index("PRINT"), 2);
    EXPECT_EQ(verbs.Index("PrintTo"), -1);
    EXPECT_TRUE(verbs.DeleteCommand("oPEN"));
    for (int i = 0; i < 8; ++i)
        verbs.AddCommand(QStringLiteral("Verb%1").arg(i), QString());
    EXPECT_EQ(verbs.Capacity(), 10);
    EXPECT_EQ(verbs.AddCommand("Zapisz", QString()), 10);
    EXPECT_EQ(verbs.Capacity(), 20);

    const QString open = "\"cmds=\"\"Open\"\",\"\"\"\"\"";
    const QString print = "\"cmds=\"\"Print\"\",\"\"\"\"\"";
    const QString head = "Name=wplatomat.dokument,\"Desc=Dokument programu Wplatomat\",Exts=wpt,Owns=True,Icon=0,";
    EXPECT_EQ(Documents().CSVConfig(), head + open + ',' + print);
    TFileAssociation a = Documents(false, {{"Print To", "a \"b\", c"}, {"Open", ""}});
    a.SetName("typ, \"x\"");
    a.Exts() = QStringList{"wpt", "a b", ""};
    a.SetIconIndex(7);
    const TFileAssociation b = TFileAssociation::CreateFrom(a.CSVConfig() + ",Icon=x,Inne=1");
    EXPECT_EQ(b.CSVConfig(), a.CSVConfig());
    EXPECT_EQ(b.Exts(), a.Exts());
    EXPECT_EQ(b.Commands(1).Option, "a \"b\", c");
    EXPECT_EQ(TFileAssociation::CreateFrom("OWNS=TRUE,Owns=no,Icon=-3").CSVConfig(),
              "Name=,Desc=,Exts=,Owns=True,Icon=-3");
}

TEST(DesktopIntegration, AStartPublishesTheTypeWithOpenAsDefaultAndALaterOneWritesNothing)
{
    const QByteArray processHome = qgetenv("XDG_DATA_HOME");
    TempConfig config; // the user's defaults list lives there, here linked from elsewhere
    const QString share = config.Path() + "/share";
    const QString shell = config.Path() + "/bin dir/wplatomat-shell";
    qputenv("XDG_DATA_HOME", QFile::encodeName(share));
    // The desktop passes over entries whose program is missing.
    ASSERT_TRUE(QDir().mkpath(config.Path() + "/bin dir"));
    ASSERT_TRUE(QFile::link("/bin/true", shell));
    WriteBytes(config.Path() + "/dotfiles", "[Default Applications]\n");
    ASSERT_TRUE(QFile::link(config.Path() + "/dotfiles", config.Path() + "/mimeapps.list"));
    TDesktopIntegration first(nullptr, shell);
    QSignalSpy refreshed(&first, &TDesktopIntegration::RefreshFinished);
    first.Publish();
    EXPECT_EQ(first.Written().size(), 5);
    EXPECT_EQ(first.Refreshes(), QStringList({"update-mime-database", "update-desktop-database"}));
    ASSERT_TRUE(refreshed.wait(20000));
    // Each entry hands the files to its verb of the client; the menu shows the open one, never the print one.
    for (const auto& [entry, verb] : {std::pair{"wplatomat.desktop", "open"}, {"wplatomat-print.desktop", "print"}}) {
        const QString path = share + "/applications/" + entry;
        EXPECT_EQ(Output("desktop-file-validate", {path}), "") << entry;
        const std::string text = Output("cat", {path});
        EXPECT_NE(text.find("\nExec=\"" + shell.toStdString() + "\" " + verb + " %F\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("\nNoDisplay=true\n") != std::string::npos, verb == std::string("print")) << text;
    }
    // An empty file is plain text to gio whatever its name.
    const QString document = config.Path() + "/b.wpt";
    WriteBytes(document, "\x01\x02");
    const std::string type = Output("gio", {"info", "-a", "standard::content-type", document});
    EXPECT_NE(type.find("standard::content-type: application/x-wplatomat-dokument\n"), std::string::npos);
    const std::string defaults = Output("gio", {"mime", "application/x-wplatomat-dokument"});
    EXPECT_EQ(defaults.find("Default application for “application/x-wplatomat-dokument”: wplatomat.desktop\n"), 0);
    EXPECT_TRUE(QFileInfo(config.Path() + "/mimeapps.list").isSymLink());

    // Inodes and times to the nanosecond of every file and folder.
    const QStringList listing = {"-liR", "--time-style=full-iso", config.Path()};
    const std::string before = Output("ls", listing);
    TDesktopIntegration second(nullptr, shell);
    second.Publish();
    EXPECT_EQ(second.Written(), QStringList());
    EXPECT_EQ(second.Refreshes(), QStringList());
    EXPECT_EQ(Output("ls", listing), before);

    // A link planted in the place of an entry is replaced; its target, the user's, stays as it was.
    const QString entry = share + "/applications/wplatomat.desktop";
    const QString elsewhere = config.Path() + "/elsewhere";
    WriteBytes(elsewhere, "mine");
    ASSERT_TRUE(QFile::remove(entry));
    ASSERT_TRUE(QFile::link(elsewhere, entry));
    TDesktopIntegration(nullptr, shell).Publish();
    EXPECT_FALSE(QFileInfo(entry).isSymLink());
    EXPECT_EQ(Output("cat", {elsewhere}), "mine");

    // A data folder that cannot be made writes nothing and stops no start.
    qputenv("XDG_DATA_HOME", QFile::encodeName(document + "/share"));
    const TMainForm started;
    EXPECT_EQ(started.findChild<TDesktopIntegration*>()->Written(), QStringList());
    qputenv("XDG_DATA_HOME", processHome);
}

TEST(DesktopIntegration, TheClientsPathReachesExecAsOneArgumentAndTheUsersDefaultIsKept)
{
    const std::pair<QString, QString> rows[] = {
        {"/opt/wplatomat/wplatomat-shell", "/opt/wplatomat/wplatomat-shell"},
        {"/a/\"$x`\\/b", "\"/a/\\\\\"\\\\$x\\\\`\\\\\\\\/b\""},
        {"/a/100%/b", "/a/100%%/b"},
        {"/a/it's(1)", "\"/a/it's(1)\""},
    };
    for (const auto& [path, exec] : rows)
        EXPECT_EQ(DesktopEntries::ExecArgument(path), exec) << path.toStdString();

    const QByteArray ours = "application/x-wplatomat-dokument=wplatomat.desktop;\n";
    const std::pair<QByteArray, std::optional<QByteArray>> lists[] = {
        {"", "[Default Applications]\n" + ours},
        {"[Default Applications]\nx/y=a;\n[Other]", "[Default Applications]\n" + ours + "x/y=a;\n[Other]\n"},
        {"[Added Associations]\n" + ours, "[Added Associations]\n" + ours + "[Default Applications]\n" + ours},
        {"[Default Applications]\napplication/x-wplatomat-dokument = other.desktop;\n", std::nullopt},
    };
    for (const auto& [list, updated] : lists)
        EXPECT_EQ(DesktopEntries::WithDefaultApplication(list), updated) << list.toStdString();
}

// A name of outside bytes, as the client's main decodes its arguments.
QString Name(char byte)
{
    return DecodeFileName(QByteArray("a") + byte + ".wpt");
}

// No type is registered and no program runs, nor could one start beside this test: past its arguments the client
// says no registration (3) for a file, and no answer (4) for a conversation.
TEST(ShellClient, ExitCodesAtTheEdgesOfItsArgumentsAndOfTheControlCharactersInAName)
{
    TempConfig config;
    QTemporaryDir runtime;
    const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    ASSERT_FALSE(QFile::exists(QCoreApplication::applicationDirPath() + "/wplatomat"));
    const struct {
        QStringList arguments;
        int code;
    } rows[] = {
        {{}, ShellUsage},
        {{"--help"}, ShellDone},
        {{"print"}, ShellUsage},
        {{"print", "a.wpt"}, ShellNotRegistered},
        {{"open"}, ShellNoServer},
        {{"open", "a.wpt"}, ShellNotRegistered},
        {{"--execute"}, ShellUsage},
        {{"--execute", "1"}, ShellNoServer},
        {{"--execute", "1", "2"}, ShellUsage},
        {{"--topic", "T"}, ShellUsage},
        {{"--topic", "T", "--execute", "1"}, ShellNoServer},
        {{"--poke", "Pozycja"}, ShellUsage},
        {{"--poke", "Pozycja", "1"}, ShellNoServer},
        {{"--poke", "Pozycja", "1", "2"}, ShellUsage},
        {{"open", Name('\x01')}, ShellBadName},
        {{"open", Name('\x1f')}, ShellBadName},
        {{"open", Name('\x20')}, ShellNotRegistered},
        {{"open", Name('\x7e')}, ShellNotRegistered},
        {{"open", Name('\x7f')}, ShellBadName},
        {{"open", Name('\x80')}, ShellNotRegistered},
        // Every name is looked at before the first is looked up.
        {{"print", "a.wpt", Name('\x0a')}, ShellBadName},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        EXPECT_EQ(RunShellClient(row.arguments, outStream, errStream), row.code);
        outStream.flush();
        EXPECT_EQ(out.startsWith("Użycie:"), row.code == ShellDone);
        // A desktop entry could not carry the name either.
        const QString name = row.arguments.value(1);
        if (row.arguments.value(0) == "open" && !name.isEmpty())
            EXPECT_EQ(DesktopEntries::ExecArgument(name).has_value(), row.code != ShellBadName);
    }
    qputenv("XDG_RUNTIME_DIR", runtimeBefore);
}

} // namespace
