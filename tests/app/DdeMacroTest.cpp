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
        MacroCase{"DoubledQuotes", "[open \"a \"\"cytat\"\" b\"]", {"open", "a \"cytat\" b"}},
        MacroCase{"TwoCommasEncloseAnEmptyItem", "[a,,b]", {"a", "", "b"}},
        MacroCase{"BlanksAroundOneCommaCountOnce", "[a , \t b]", {"a", "b"}},
        MacroCase{"RunOfControlCodes", "[a\x01\x1f b]", {"a", "b"}},
        MacroCase{"TrailingComma", "[a,]", {"a", ""}},
        MacroCase{"QuotedEmptyItem", "[a \"\" b]", {"a", "", "b"}}),
    CaseName);

class DdeTopics : public MainFormFixture {
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        ShowMain();
    }
};

TEST_F(DdeTopics, SecondTopicGreetsWithIsokAndMakesACashDepositFormOfTheFirstLinesAmount)
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    modals.Expect<QMessageBox>([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    main->WplatomatDdeServerConvOpen();
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
        if (c.amount != 0)
            EXPECT_TRUE(form->Modified());
    }
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(main->BlankForms().size(), 4);
    EXPECT_EQ(modals.texts, (QStringList{"Isok", "\"abc\" nie jest prawidłową kwotą.", "\"\" nie jest prawidłową kwotą."}));
}

TEST_F(DdeTopics, APrintWaitsWhileAModalDialogRuns)
{
    const QString a = FilePath(QStringLiteral("a.wpt"));
    WriteDocument(a, bkTransfer);
    TDdeReply during;
    modals.Expect<QMessageBox>([&](QWidget* w) {
        during = main->ShellDdeServerConvExecuteMacro({QStringLiteral("[print \"%1\"]").arg(a)});
        qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click();
    });
    QMessageBox::information(main.get(), QStringLiteral("Wplatomat"), QStringLiteral("Chwila"));
    EXPECT_EQ(during.status, TDdeReply::Wait);
    EXPECT_EQ(OpenedFiles(), QStringList());
}

} // namespace
