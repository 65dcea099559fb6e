// The file type in the user's classes key: who owns an extension, the keys
// and macros of the verbs, the start's whole key table, and the text form,
// grid and list row of an association.
#include "helpers/TempConfig.h"
#include "app/FileAssociation.h"
#include "app/MainFormUnit.h"
#include "drawing/untCommon.h"
#include "platform/Registry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <optional>

namespace {

const QString Classes = QStringLiteral("\\Software\\Classes\\");
const QString ProgId = QStringLiteral("wplatomat.dokument");
using Text = std::optional<QString>;

// A value under the classes key; nothing when the key or the value is missing.
Text Value(const QString& key, const QString& name = QString())
{
    TRegistry reg;
    return reg.OpenKey(Classes + key, false) && reg.ValueExists(name) ? reg.ReadString(name) : std::nullopt;
}

QStringList Subkeys(const QString& key)
{
    TRegistry reg;
    return reg.OpenKey(Classes + key, false) ? reg.GetKeyNames() : QStringList{QStringLiteral("missing")};
}

void Seed(const QString& key, const Text& value, const QString& name = QString())
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Classes + key, true));
    if (value)
        ASSERT_TRUE(reg.WriteString(name, *value));
}

TFileAssociation Documents(bool own = true, const QList<TCommand>& commands = {{"Open", ""}, {"Print", ""}})
{
    TFileAssociation a;
    a.SetName(ProgId);
    a.SetDescription(QStringLiteral("Dokument programu Wplatomat"));
    a.Exts() = QStringList{QStringLiteral("wpt")};
    a.SetOwnAssociation(own);
    for (const TCommand& c : commands)
        a.AddCommand(c.Command, c.Option);
    return a;
}

// Answers every override question that comes, and keeps what it asked.
struct OverrideAnswer {
    QStringList asked;
    QTimer timer;
    explicit OverrideAnswer(QMessageBox::StandardButton answer)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, answer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked << box->windowTitle() + QLatin1Char('|') + box->text();
                box->button(answer)->click();
            }
        });
        timer.start(10);
    }
};

TEST(FileAssociation, TheExtensionChangesOwnerAsAutoReplaceAndTheAnswerSayAndGoesBackOnUnregistering)
{
    const QString question = QStringLiteral("Override File Association|Override File type for ext \"wpt\"");
    const QString other = QStringLiteral("txtfile"), upper = QStringLiteral("WPLATOMAT.DOKUMENT");
    const struct {
        Text before, oldBefore;
        bool autoReplace;
        QMessageBox::StandardButton answer;
        Text after, oldAfter, afterUnregister, oldAfterUnregister;
    } rows[] = {
        {{}, {}, true, QMessageBox::No, ProgId, {}, {}, {}},
        {other, {}, true, QMessageBox::No, ProgId, other, other, {}},
        {ProgId, other, false, QMessageBox::No, ProgId, other, other, {}},
        {other, {}, false, QMessageBox::No, other, other, other, other},
        {other, {}, false, QMessageBox::Yes, ProgId, other, other, {}},
        {QString(), {}, false, QMessageBox::No, QString(), {}, QString(), {}},
        {upper, {}, true, QMessageBox::No, ProgId, upper, upper, {}},
        {upper, {}, false, QMessageBox::No, upper, upper, upper, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before.value_or(QStringLiteral("(no key)")).toStdString());
        TempConfig config;
        if (row.before)
            Seed(QStringLiteral(".wpt"), row.before);
        if (row.oldBefore)
            Seed(QStringLiteral(".wpt"), row.oldBefore, QStringLiteral("Old Value"));
        OverrideAnswer answer(row.answer);
        TFileAssociation a = Documents();
        EXPECT_TRUE(a.RegisterAssociation(QStringLiteral("ShellDdeServerConv"), row.autoReplace));
        const bool asked = !row.autoReplace && row.before != ProgId;
        EXPECT_EQ(answer.asked, asked ? QStringList{question} : QStringList{});
        EXPECT_EQ(Value(QStringLiteral(".wpt")), row.after);
        EXPECT_EQ(Value(QStringLiteral(".wpt"), QStringLiteral("Old Value")), row.oldAfter);
        EXPECT_EQ(Value(ProgId + QStringLiteral("\\shell\\Print\\ddeexec")), QStringLiteral("[Print \"%1\"]"));
        EXPECT_TRUE(a.UnRegisterAssociation());
        EXPECT_EQ(Value(QStringLiteral(".wpt")), row.afterUnregister);
        EXPECT_EQ(Value(QStringLiteral(".wpt"), QStringLiteral("Old Value")), row.oldAfterUnregister);
        EXPECT_EQ(Subkeys(ProgId), QStringList{QStringLiteral("missing")});
    }
}

TEST(FileAssociation, EachCommandIsAVerbKeyWithTheExecutableAndAMacroOfTheQuotedVerbFileAndOption)
{
    const struct {
        bool own;
        QList<TCommand> commands;
        QStringList verbs, macros;
    } rows[] = {
        {true, {}, {"Open"}, {"[Open \"%1\"]"}},
        {false, {}, {}, {}},
        {true, {{"Print To", ""}, {"Open", "/x \"y\""}}, {"Open", "Print To"}, {"[Open \"%1\" \"/x \"y\"\"]", "[\"Print To\" \"%1\"]"}},
    };
    const QString exe = QCoreApplication::applicationFilePath();
    for (const auto& row : rows) {
        TempConfig config;
        Seed(ProgId + QStringLiteral("\\shell\\Edit\\Command"), QStringLiteral("edytor"));
        EXPECT_TRUE(Documents(row.own, row.commands).RegisterAssociation(QStringLiteral("T"), true));
        EXPECT_EQ(Subkeys(ProgId + QStringLiteral("\\shell")), row.own ? row.verbs : row.verbs + QStringList{"Edit"});
        for (int i = 0; i < row.verbs.size(); ++i) {
            const QString verb = ProgId + QStringLiteral("\\shell\\") + row.verbs[i];
            EXPECT_EQ(Value(verb + QStringLiteral("\\Command")), exe);
            EXPECT_EQ(Value(verb + QStringLiteral("\\ddeexec")), row.macros[i]);
            EXPECT_EQ(Value(verb + QStringLiteral("\\ddeexec\\Topic")), QStringLiteral("T"));
        }
    }
    // A registry that refuses the registration gets a False, never a throw.
    TempConfig config;
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Classes + QStringLiteral(".wpt"), true) && reg.WriteInteger(QString(), 1));
    EXPECT_FALSE(Documents().RegisterAssociation(QStringLiteral("T"), true));
    ASSERT_TRUE(reg.WriteString(QString(), QString()));
    QLockFile other(reg.FileName() + QStringLiteral(".lock"));
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_FALSE(Documents().RegisterAssociation(QStringLiteral("T"), true));
}

TEST(FileAssociation, TheStartRegistersTheWholeKeyTableEvenOverAnotherTypesVerbsAndStartsWhenTheRegistryRefuses)
{
    TempConfig config;
    InitializeCommonUnit();
    {
        QLockFile other(TRegistry().FileName() + QStringLiteral(".lock"));
        ASSERT_TRUE(other.tryLock(0));
        TMainForm refused;
    }
    Seed(ProgId + QStringLiteral("\\shell\\Edit\\Command"), QStringLiteral("edytor"));
    { TMainForm started; }
    FinalizeCommonUnit();
    const QString exe = QCoreApplication::applicationFilePath(), app = QFileInfo(exe).completeBaseName();
    const std::pair<QString, Text> table[] = {
        {".wpt", ProgId}, {ProgId, "Dokument programu Wplatomat"}, {ProgId + "\\DefaultIcon", exe + ",0"},
        {ProgId + "\\shell", {}}, {ProgId + "\\shell\\Open\\Command", exe},
        {ProgId + "\\shell\\Open\\ddeexec", "[Open \"%1\"]"}, {ProgId + "\\shell\\Open\\ddeexec\\Application", app},
        {ProgId + "\\shell\\Open\\ddeexec\\Topic", "ShellDdeServerConv"}, {ProgId + "\\shell\\Print\\Command", exe},
        {ProgId + "\\shell\\Print\\ddeexec", "[Print \"%1\"]"}, {ProgId + "\\shell\\Print\\ddeexec\\Application", app},
        {ProgId + "\\shell\\Print\\ddeexec\\Topic", "ShellDdeServerConv"}};
    for (const auto& [key, value] : table)
        EXPECT_EQ(Value(key), value) << key.toStdString();
    EXPECT_EQ(Subkeys(ProgId + QStringLiteral("\\shell")), (QStringList{"Open", "Print"}));
    EXPECT_EQ(Subkeys(ProgId + QStringLiteral("\\shell\\Print\\ddeexec")), (QStringList{"Application", "Topic"}));
    EXPECT_EQ(Value(QStringLiteral(".wpt"), QStringLiteral("Old Value")), std::nullopt);
}

TEST(FileAssociation, CommandsStaySortedUniqueIgnoringCaseAndGrowByTen)
{
    TFileAssociation a = Documents(true, {{"Print", ""}, {"Open", ""}});
    EXPECT_EQ(a.Commands(0).Command, QStringLiteral("Open"));
    EXPECT_EQ(a.AddCommand(QStringLiteral("print"), QStringLiteral("x")), 1);
    EXPECT_EQ(a.Commands(1).Command + a.Commands(1).Option, QStringLiteral("printx"));
    EXPECT_EQ(a.AddCommand(QString(), QString()), -1);
    EXPECT_EQ(a.AddFileNew(QString()), 0);
    EXPECT_EQ(a.Index(QStringLiteral("PRINT")), 2);
    EXPECT_EQ(a.Index(QStringLiteral("PrintTo")), -1);
    EXPECT_TRUE(a.DeleteCommand(QStringLiteral("oPEN")));
    EXPECT_FALSE(a.Delete(2));
    EXPECT_EQ(a.Count(), 2);
    for (int i = 0; i < 8; ++i)
        a.AddCommand(QStringLiteral("Verb%1").arg(i), QString());
    EXPECT_EQ(a.Capacity(), 10);
    EXPECT_EQ(a.AddCommand(QStringLiteral("Zapisz"), QString()), 10);
    EXPECT_EQ(a.Capacity(), 20);
}

TEST(FileAssociation, TheTextFormAndTheCommandGridGiveBackTheSameAssociation)
{
    EXPECT_EQ(Documents().CSVConfig(),
              QStringLiteral("Name=wplatomat.dokument,\"Desc=Dokument programu Wplatomat\",Exts=wpt,Owns=True,Icon=0,"
                             "\"cmds=\"\"Open\"\",\"\"\"\"\",\"cmds=\"\"Print\"\",\"\"\"\"\""));
    TFileAssociation a = Documents(false, {{"Print To", "a \"b\", c"}, {"Open", ""}});
    a.SetName(QStringLiteral("typ, \"x\""));
    a.Exts() = QStringList{"wpt", "a b", ""};
    a.SetIconIndex(7);
    const TFileAssociation b = TFileAssociation::CreateFrom(a.CSVConfig() + QStringLiteral(",Icon=x,Inne=1"));
    EXPECT_EQ(b.CSVConfig(), a.CSVConfig());
    EXPECT_EQ(b.Name(), QStringLiteral("typ, \"x\""));
    EXPECT_EQ(b.Exts(), (QStringList{"wpt", "a b", ""}));
    EXPECT_EQ(b.Commands(1).Option, QStringLiteral("a \"b\", c"));
    EXPECT_EQ(TFileAssociation::CreateFrom(QStringLiteral("OWNS=TRUE,Owns=no,Icon=-3")).CSVConfig(),
              QStringLiteral("Name=,Desc=,Exts=,Owns=True,Icon=-3"));

    QTableWidget grid(1, 2);
    grid.setItem(0, 0, new QTableWidgetItem(QStringLiteral("Polecenie")));
    a.FillCmdGrid(&grid);
    TFileAssociation c;
    c.GetFromCmdGrid(&grid);
    EXPECT_EQ(c.CSVConfig().section(QStringLiteral("Icon=0,"), 1), a.CSVConfig().section(QStringLiteral("Icon=7,"), 1));
    EXPECT_EQ(grid.item(0, 0)->text(), QStringLiteral("Polecenie"));
    TFileAssociation().FillCmdGrid(&grid);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.item(1, 0)->text() + grid.item(1, 1)->text(), QString());

    QTreeWidget list;
    QTreeWidgetItem* row = a.DisplayOnListView(&list);
    EXPECT_EQ(row->data(0, Qt::UserRole).value<void*>(), static_cast<void*>(&a));
    const QStringList texts = {"typ, \"x\"", "Dokument programu Wplatomat", "No", "wpt,\"a b\",", "7", "Open, Print To"};
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(row->text(i), texts[i]) << i;
}

} // namespace
