// Files and amounts that reach the running program from outside: its command line, the shell's commands and the
// other programs' DDE conversations.
#include "MainFormTestSupport.h"

#include "app/Shell_DDE.h"
#include "platform/Dde.h"
#include "platform/FileName.h"

namespace MainFormTest {
namespace {

struct LineCase {
    const char* name;
    bool shell; // the arguments are pairs of a shell command and its file, given before the show
    std::vector<const char*> arguments; // "{}" is the test's folder
    std::vector<const char*> opened;
    char printed = 0; // the document printed, by its letter
};

class MainFormCommandLine : public MainFormFixture, public ::testing::WithParamInterface<LineCase> {};

TEST_P(MainFormCommandLine, ArgumentsAndShellCommandsOpenTheirFilesAndKeepTheChooserAway)
{
    const LineCase& c = GetParam();
    ASSERT_TRUE(QDir(files.path()).mkpath("Moje-dokumenty"));
    for (const char* name : {"a.wpt", "b.wpt", "Moje-dokumenty/c.wpt", "z odstępem.wpt", "-d.wpt"})
        WriteDocument(FilePath(name), bkTransfer, QString(name).left(1).toUpper() + "QQ");
    WriteBytes(FilePath("zly.wpt"), "zepsuty");
    QDir::setCurrent(files.path());
    const auto expand = [this](const char* text) { return DecodeFileName(text).replace("{}", files.path()); };
    QStringList expected;
    for (const char* f : c.opened)
        expected << expand(f);
    if (c.printed)
        modals.Expect<TfrmPrintSelect>(ClickChild("Button2"));
    if (c.shell) {
        for (size_t i = 0; i + 1 < c.arguments.size(); i += 2)
            main->DoShellCommand(c.arguments[i], expand(c.arguments[i + 1]), QString());
    } else {
        QStringList arguments{"/usr/bin/wplatomat"};
        for (const char* arg : c.arguments)
            arguments << expand(arg);
        main->SetCommandLine(arguments);
    }
    // The start timer brings the chooser only when no document opened.
    if (expected.isEmpty())
        modals.Expect<TfrmNewBlank>(Reject());
    main->show();
    if (c.shell)
        EXPECT_TRUE(main->BlankForms().isEmpty()) << "not before the timer";
    const auto* timer = main->findChild<QTimer*>("tmrWizard");
    ASSERT_TRUE(QTest::qWaitFor([timer] { return !timer->isActive(); }, WaitMs));
    EXPECT_EQ(OpenedFiles(), expected);
    ASSERT_EQ(Jobs(), c.printed ? 1 : 0);
    if (c.printed) {
        // That document alone.
        EXPECT_EQ(PrintedText().contains("AQQ"), c.printed == 'A');
        EXPECT_EQ(PrintedText().contains("BQQ"), c.printed == 'B');
    }
    main->DoShellCommand("Open", FilePath("Moje-dokumenty/c.wpt"), QString());
    EXPECT_EQ(OpenedFiles().size(), expected.size() + 1) << "once shown, a command runs at once";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MainFormCommandLine,
    ::testing::Values(LineCase{"PrintSwitchPrintsOnlyItsDocument", false, {"/print:{}/a.wpt", "{}/b.wpt"},
                               {"{}/b.wpt", "{}/a.wpt"}, 'A'},
                      LineCase{"RelativeWithBlanksOrAHyphen", false, {"-d.wpt", "z odstępem.wpt"},
                               {"z odstępem.wpt", "-d.wpt"}},
                      LineCase{"SwitchInCapitalsKeepsHyphens", false, {"-OPEN:{}/Moje-dokumenty/c.wpt"},
                               {"{}/Moje-dokumenty/c.wpt"}},
                      LineCase{"SwitchesThatDoNothing", false,
                               {"/x", "/:{}/a.wpt", "/new:{}/a.wpt", "-printto:{}/b.wpt", "/edit:{}/a.wpt", "",
                                "/open:", "-print:"}, {}},
                      LineCase{"UnreadableOrMissingFilesDropSilently", false,
                               {"/print:{}/zly.wpt", "/open:{}/a.wpt.brak", "{}/b.wpt"}, {"{}/b.wpt"}},
                      LineCase{"ShellPrint", true, {"Print", "{}/a.wpt"}, {"{}/a.wpt"}, 'A'},
                      LineCase{"ShellLaterOpenIsPrintedAsAsked", true, {"print", "{}/a.wpt", "Open", "{}/b.wpt"},
                               {"{}/b.wpt"}, 'B'}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFormFixture, AMacroLineSplitsIntoTheShellsItemsAndOnlyAnOpenOrPrintBringsTheWindowForward)
{
    ShowMain();
    const struct {
        const char* line;
        QStringList items;
        bool forward;
    } rows[] = {
        {"[open \"/home/jan/Moje dokumenty/a b.wpt\"]", {"open", "/home/jan/Moje dokumenty/a b.wpt"}, true},
        {"[OPEN \"/a.wpt\"]", {"OPEN", "/a.wpt"}, true},
        {"[print \"/a.wpt\"]", {"print", "/a.wpt"}, true},
        {"[printto \"/a.wpt\" \"Drukarka HP\"]", {"printto", "/a.wpt", "Drukarka HP"}, false},
        {"open x.wpt", {}, false},
        {"[open \"a \"\"cytat\"\" b\"]", {"open", "a \"cytat\" b"}, true},
        {"[new,,b]", {"new", "", "b"}, false},
        {"[a , \t b]", {"a", "b"}, false},
        {"[open,]", {"open", ""}, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SplitMacroLine(row.line), row.items) << row.line;
        main->showMinimized();
        main->ShellDdeServerConvExecuteMacro({row.line});
        EXPECT_EQ(main->isMinimized(), !row.forward) << row.line;
    }
}

TEST_F(MainFormFixture, SecondTopicGreetsWithIsokAndMakesACashDepositFormOfTheFirstLinesAmount)
{
    ShowMain();
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    // Nine connections at once show eight boxes; once those are closed, the next connection shows one again.
    for (int i = 0; i < 9; ++i)
        main->WplatomatDdeServerConvOpen();
    for (int i = 0; i < 8; ++i)
        modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
    EXPECT_TRUE(QTest::qWaitFor([this] { return main->findChildren<QMessageBox*>().isEmpty(); }, WaitMs));
    modals.Expect<QMessageBox>([this](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        // A print waits while a modal box is up; spelt as the registration writes it.
        EXPECT_EQ(main->ShellDdeServerConvExecuteMacro({"[Print \"/a.wpt\"]"}).status, TDdeReply::Wait);
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
        SCOPED_TRACE(c.lines.join(u'|').toStdString());
        if (c.status == TDdeReply::Failed)
            modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
        TDdeReply reply;
        if (c.poke)
            reply = main->MakeDdeServerItemPokeData(c.lines);
        else
            reply = main->WplatomatDdeServerConvExecuteMacro(c.lines);
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
    EXPECT_EQ(main->BlankForms().size(), 4);
    const QStringList errors = {"\"abc\" nie jest prawidłową kwotą.", "\"\" nie jest prawidłową kwotą."};
    EXPECT_EQ(modals.texts, QStringList(9, "Isok") + errors);
}

} // namespace
} // namespace MainFormTest
