#include "helpers/TempConfig.h"
#include "app/FileAssociation.h"
#include "app/MainFormUnit.h"
#include "platform/Registry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString Classes = "\\Software\\Classes\\", ProgId = "wplatomat.dokument", Old = "Old Value";
using Text = std::optional<QString>;

Text Value(const QString& key, const QString& name = QString())
{
    TRegistry reg;
    return reg.OpenKey(Classes + key, false) && reg.ValueExists(name) ? reg.ReadString(name) : std::nullopt;
}

void Seed(const QString& key, const QString& value, const QString& name = QString())
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Classes + key, true) && reg.WriteString(name, value));
}

TFileAssociation Documents(bool own = true, const QList<TCommand>& commands = {{"Open", ""}, {"Print", ""}})
{
    TFileAssociation a =
        TFileAssociation::CreateFrom("Name=wplatomat.dokument,\"Desc=Dokument programu Wplatomat\",Exts=wpt");
    a.SetOwnAssociation(own);
    for (const TCommand& c : commands)
        a.AddCommand(c.Command, c.Option);
    return a;
}

TEST(FileAssociation, TheExtensionChangesOwnerAsAutoReplaceAndTheAnswerSayAndGoesBackOnUnregistering)
{
    const QString other = "txtfile", upper = "WPLATOMAT.DOKUMENT";
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
        const bool asks = !row.autoReplace && row.before != ProgId;
        const QStringList question = {"Override File Association|Override File type for ext \"wpt\""};
        EXPECT_EQ(asked, asks ? question : QStringList{});
        EXPECT_EQ(std::pair(Value(".wpt"), Value(".wpt", Old)), std::pair(row.after, row.oldAfter));
        EXPECT_TRUE(a.UnRegisterAssociation());
        EXPECT_EQ(std::pair(Value(".wpt"), Value(".wpt", Old)), std::pair(row.afterUnregister, row.oldAfterUnregister));
        EXPECT_EQ(Value(ProgId), std::nullopt);
    }
}

TEST(FileAssociation, TheStartAndEachCommandWriteAVerbKeyWithTheExecutableAndAMacroOfTheQuotedVerbFileAndOption)
{
    const QString exe = QCoreApplication::applicationFilePath(), app = QFileInfo(exe).completeBaseName();
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
            { TMainForm refused; }
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
    EXPECT_EQ(verbs.Commands(2).Command + verbs.Commands(2).Option, "printprintx");
    EXPECT_EQ(verbs.Index("PRINT"), 2);
    EXPECT_EQ(verbs.Index("PrintTo"), -1);
    EXPECT_TRUE(verbs.DeleteCommand("oPEN"));
    for (int i = 0; i < 8; ++i)
        verbs.AddCommand(QStringLiteral("Verb%1").arg(i), QString());
    EXPECT_EQ(verbs.Capacity(), 10);
    EXPECT_EQ(verbs.AddCommand("Zapisz", QString()), 10);
    EXPECT_EQ(verbs.Capacity(), 20);

    EXPECT_EQ(Documents().CSVConfig(),
              QStringLiteral("Name=wplatomat.dokument,\"Desc=Dokument programu Wplatomat\",Exts=wpt,Owns=True,Icon=0,"
                             "\"cmds=\"\"Open\"\",\"\"\"\"\",\"cmds=\"\"Print\"\",\"\"\"\"\""));
    TFileAssociation a = Documents(false, {{"Print To", "a \"b\", c"}, {"Open", ""}});
    a.SetName(QStringLiteral("typ, \"x\""));
    a.Exts() = QStringList{"wpt", "a b", ""};
    a.SetIconIndex(7);
    const TFileAssociation b = TFileAssociation::CreateFrom(a.CSVConfig() + ",Icon=x,Inne=1");
    EXPECT_EQ(b.CSVConfig(), a.CSVConfig());
    EXPECT_EQ(b.Exts(), (QStringList{"wpt", "a b", ""}));
    EXPECT_EQ(b.Commands(1).Option, QStringLiteral("a \"b\", c"));
    EXPECT_EQ(TFileAssociation::CreateFrom("OWNS=TRUE,Owns=no,Icon=-3").CSVConfig(),
              "Name=,Desc=,Exts=,Owns=True,Icon=-3");
}

} // namespace
