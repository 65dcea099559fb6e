// The main window's DDE topics: the shell's macros and the second topic's
// new cash-deposit forms.
#include "MainFormTestSupport.h"

#include "app/Shell_DDE.h"
#include "document/BlankEditorsTags.h"
#include "platform/Dde.h"

namespace {

using namespace MainFormTest;

struct MacroCase {
    const char* name;
    const char* line;
    QStringList items;
};

class MacroLine : public ::testing::TestWithParam<MacroCase> {};

TEST_P(MacroLine, SplitsIntoTheShellsItems)
{
    EXPECT_EQ(SplitMacroLine(QString::fromUtf8(GetParam().line)), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Macros, MacroLine,
    ::testing::Values(
        MacroCase{"QuotedPathWithBlanks", "[open \"/home/jan/Moje dokumenty/a b.wpt\"]",
                  {"open", "/home/jan/Moje dokumenty/a b.wpt"}},
        MacroCase{"UpperCaseCommand", "[OPEN \"/a.wpt\"]", {"OPEN", "/a.wpt"}},
        MacroCase{"PrintToWithPrinter", "[printto \"/a.wpt\" \"Drukarka HP\"]", {"printto", "/a.wpt", "Drukarka HP"}},
        MacroCase{"Unbracketed", "open x.wpt", {}},
        MacroCase{"ShorterThanThree", "[]", {}},
        MacroCase{"OnlyBlanks", "[ \t ]", {}},
        MacroCase{"DoubledQuotes", "[open \"a \"\"cytat\"\" b\"]", {"open", "a \"cytat\" b"}},
        MacroCase{"TwoCommasEncloseAnEmptyItem", "[a,,b]", {"a", "", "b"}},
        MacroCase{"BlanksAroundOneCommaCountOnce", "[a , \t b]", {"a", "b"}},
        MacroCase{"RunOfControlCodes", "[a\x01\x1f b]", {"a", "b"}},
        MacroCase{"TrailingComma", "[a,]", {"a", ""}},
        MacroCase{"QuotedEmptyItem", "[a \"\" b]", {"a", "", "b"}}),
    CaseName);

TEST(DdeService, IsTheExecutablesNameCutBeforeItsFirstPoint)
{
    EXPECT_EQ(DdeServiceName(QStringLiteral("/opt/x.y/Wplatomat.exe.bak")), QStringLiteral("Wplatomat"));
    EXPECT_EQ(DdeServiceName(QStringLiteral("/usr/bin/wplatomat")), QStringLiteral("wplatomat"));
}

class DdeTopics : public MainFormShown {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        MainFormShown::SetUp();
    }
    void TearDown() override
    {
        MainFormShown::TearDown();
        QLocale::setDefault(QLocale::c());
    }
};

TEST_F(DdeTopics, ShellMacrosOpenEachBracketedFileAndIgnoreTheRest)
{
    const QString a = Doc(QStringLiteral("a b.wpt")), c = Doc(QStringLiteral("c.wpt"));
    const TDdeReply reply = main->ShellDdeServerConvExecuteMacro(
        {QStringLiteral("[open \"%1\"]").arg(a), QStringLiteral("[OPEN \"%1\"]").arg(c),
         QStringLiteral("open %1").arg(a), QStringLiteral("[printto \"%1\" \"HP\"]").arg(c)});
    EXPECT_EQ(reply.status, TDdeReply::Done);
    EXPECT_EQ(OpenedFiles(), (QStringList{a, c}));
    EXPECT_EQ(Jobs(), 0);
}

TEST_F(DdeTopics, SecondTopicMakesACashDepositFormWithTheFirstLinesAmount)
{
    const struct {
        QStringList lines;
        bool poke;
        TDdeReply::Status status;
        Currency amount;
    } cases[] = {
        {{"123,45", "999"}, false, TDdeReply::Done, 123'4500},
        {{"7"}, true, TDdeReply::Done, 7'0000},
        {{"abc"}, false, TDdeReply::Failed, 0},
        {{}, true, TDdeReply::Failed, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.join(QLatin1Char('|')).toStdString());
        if (c.status == TDdeReply::Failed)
            modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
        const TDdeReply reply = c.poke ? main->MakeDdeServerItemPokeData(c.lines)
                                       : main->WplatomatDdeServerConvExecuteMacro(c.lines);
        Idle();
        EXPECT_EQ(reply.status, c.status);
        TfrmBlank* form = main->ActiveBlank();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->Kind(), bkTransfer);
        EXPECT_EQ(form->PrzelewWplata(), pwWplata);
        EXPECT_TRUE(form->GetEditorValue(EditorTags::Wplata).toBool());
        EXPECT_EQ(form->Kwota(), c.amount);
        EXPECT_EQ(form->FileName(), QString());
        if (c.amount != 0)
            EXPECT_TRUE(form->Modified());
    }
    EXPECT_EQ(main->BlankForms().size(), 4);
    EXPECT_EQ(modals.texts, (QStringList{"\"abc\" nie jest prawidłową kwotą.", "\"\" nie jest prawidłową kwotą."}));
}

TEST_F(DdeTopics, OpeningTheSecondTopicShowsIsokWithoutCaptionOrIcon)
{
    modals.Expect<QMessageBox>([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    main->WplatomatDdeServerConvOpen();
    EXPECT_EQ(modals.texts, QStringList{"Isok"});
    EXPECT_EQ(modals.captions, QStringList{""});
}

TEST_F(DdeTopics, APrintWaitsWhileAModalDialogRuns)
{
    const QString a = Doc(QStringLiteral("a.wpt"));
    TDdeReply during;
    modals.Expect<QMessageBox>([&](QWidget* w) {
        during = main->ShellDdeServerConvExecuteMacro({QStringLiteral("[print \"%1\"]").arg(a)});
        qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click();
    });
    QMessageBox::information(main.get(), QString(), QStringLiteral("Chwila"));
    EXPECT_EQ(during.status, TDdeReply::Wait);
    EXPECT_EQ(OpenedFiles(), QStringList());
}

} // namespace
