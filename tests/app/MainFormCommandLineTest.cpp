// The command line read when the main window shows, shell commands that
// come before the show, and the start timer that opens the chooser.
#include "MainFormTestSupport.h"

#include "helpers/PdfText.h"
#include "platform/FileName.h"

#include <QElapsedTimer>

#include <unistd.h>

namespace MainFormTest {
namespace {

using MainFormTest::operator<<; // the cases print as their names

class MainFormCommandLine : public MainFormFixture {
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        ASSERT_TRUE(QDir().mkpath(FilePath(QStringLiteral("Moje-dokumenty"))));
        WriteDocument(a, bkTransfer, QStringLiteral("ALFA"));
        WriteDocument(b, bkTransfer, QStringLiteral("BETA"));
        Doc(QStringLiteral("Moje-dokumenty/c.wpt"), bkMoneyOrder);
        Doc(QStringLiteral("z odstępem.wpt"));
        Doc(QStringLiteral("-d.wpt"));
        WriteBytes(FilePath(QStringLiteral("zly.wpt")), QByteArray("zepsuty"));
        // A name in Windows-1250 ("źle"), not UTF-8: the shell passes its bytes.
        ASSERT_EQ(::link(QFile::encodeName(a), QFile::encodeName(files.path()) + "/\x9f" "le.wpt"), 0);
        QDir::setCurrent(files.path());
    }

    // {a}, {b}, ... stand for the test's files.
    QString Expand(QString text) const
    {
        const std::pair<const char*, const char*> names[] = {
            {"{a}", "a.wpt"}, {"{b}", "b.wpt"}, {"{c}", "Moje-dokumenty/c.wpt"}, {"{s}", "z odstępem.wpt"},
            {"{zly}", "zly.wpt"}, {"{cp1250}", "\x9f" "le.wpt"}};
        for (const auto& [key, name] : names)
            text.replace(QLatin1String(key), FilePath(DecodeFileName(name)));
        return text;
    }

    // Expects the coupon dialog, answers it with its print button and notes the document.
    void ExpectPrint(QString* printed)
    {
        modals.Expect<TfrmPrintSelect>([this, printed](QWidget* w) {
            *printed = QStringLiteral("(none)");
            for (TfrmBlank* form : main->BlankForms())
                if (&form->Data() == static_cast<TfrmPrintSelect*>(w)->Data)
                    *printed = form->FileName();
            ClickChild("Button2")(w);
        });
    }

    // One job, of a's document (recipient ALFA) and not of b's (BETA).
    void ExpectOnlyAPrinted(const QString& printed)
    {
        EXPECT_EQ(printed, a);
        ASSERT_EQ(Jobs(), 1);
        const PdfWords words = ReadPdfWords(spool.filePath(QStringLiteral("pdf-1.pdf")));
        ASSERT_TRUE(words.error.isEmpty()) << words.error.toStdString();
        const QString text = AllText(words.words).remove(QRegularExpression(QStringLiteral("\\s")));
        EXPECT_TRUE(text.contains(QStringLiteral("ALFA"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("BETA"))) << text.toStdString();
    }

    const QString a = FilePath(QStringLiteral("a.wpt"));
    const QString b = FilePath(QStringLiteral("b.wpt"));
};

struct ArgumentsCase {
    const char* name;
    std::vector<const char*> arguments;
    std::vector<const char*> opened; // in the order the windows were made
    bool printsA = false;
};

class MainFormArguments : public MainFormCommandLine, public ::testing::WithParamInterface<ArgumentsCase> {};

TEST_P(MainFormArguments, ArgumentsOpenTheirFilesWhenTheWindowShows)
{
    QStringList arguments{QStringLiteral("/usr/bin/wplatomat")};
    for (const char* arg : GetParam().arguments)
        arguments << Expand(DecodeFileName(arg));
    QStringList expected;
    for (const char* f : GetParam().opened)
        expected << Expand(QString::fromUtf8(f));
    QString printed;
    if (GetParam().printsA)
        ExpectPrint(&printed);
    main->SetCommandLine(arguments);
    ShowMain();
    EXPECT_EQ(OpenedFiles(), expected);
    EXPECT_TRUE(main->RecentFiles().isEmpty()) << "the command line does not list its files";
    if (GetParam().printsA)
        ExpectOnlyAPrinted(printed);
    else
        EXPECT_EQ(Jobs(), 0);
}

// An argument naming an existing file opens it whatever its first character;
// in a switch the file is everything after the colon. A print prints only
// the document it opened, and only if it was read.
INSTANTIATE_TEST_SUITE_P(
    CommandLines, MainFormArguments,
    ::testing::Values(ArgumentsCase{"TwoPathsLastFirst", {"{a}", "{b}"}, {"{b}", "{a}"}},
                      ArgumentsCase{"PrintSwitchPrintsOnlyItsDocument", {"/print:{a}", "{b}"}, {"{b}", "{a}"}, true},
                      ArgumentsCase{"RelativePath", {"b.wpt"}, {"b.wpt"}},
                      ArgumentsCase{"PathWithBlanks", {"{s}"}, {"{s}"}},
                      ArgumentsCase{"NameThatIsNotUtf8", {"{cp1250}"}, {"{cp1250}"}},
                      ArgumentsCase{"ExistingFileBeginningWithAHyphen", {"-d.wpt"}, {"-d.wpt"}},
                      ArgumentsCase{"OpenSwitch", {"/open:{a}"}, {"{a}"}},
                      ArgumentsCase{"OpenSwitchKeepsHyphensOfThePath", {"-open:{c}"}, {"{c}"}},
                      ArgumentsCase{"CommandInCapitals", {"/OPEN:{b}"}, {"{b}"}},
                      ArgumentsCase{"SwitchWithoutColonIsIgnored", {"/x"}, {}},
                      ArgumentsCase{"SwitchWithoutCommandDoesNothing", {"/:{a}"}, {}},
                      ArgumentsCase{"NewAndPrintToDoNothing", {"/new:{a}", "-printto:{b}"}, {}},
                      ArgumentsCase{"UnknownCommandDoesNothing", {"/edit:{a}"}, {}},
                      ArgumentsCase{"EmptyArgumentIsIgnored", {""}, {}},
                      // No file named: no empty document of no kind either.
                      ArgumentsCase{"SwitchWithoutFileDoesNothing", {"/open:", "-print:"}, {}},
                      ArgumentsCase{"UnreadableFileIsDroppedSilently", {"{zly}", "{a}"}, {"{a}"}},
                      ArgumentsCase{"PrintOfAnUnreadableFilePrintsNothing", {"/print:{zly}", "{b}"}, {"{b}"}},
                      ArgumentsCase{"MissingFileIsDroppedSilently", {"/open:{a}.brak"}, {}}), CaseName);

// Shell commands before the show wait for the start timer; a later Open
// replaces an earlier command, and a Print prints only its own document.
struct DeferredCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> commands;
    const char* opened;
    bool printed;
};

class MainFormDeferred : public MainFormCommandLine, public ::testing::WithParamInterface<DeferredCase> {};

TEST_P(MainFormDeferred, CommandsBeforeTheShowWaitForTheTimerAndOnlyTheLastCounts)
{
    const DeferredCase& c = GetParam();
    QString printed;
    if (c.printed)
        ExpectPrint(&printed);
    for (const auto& [command, file] : c.commands)
        main->DoShellCommand(QString::fromUtf8(command), Expand(QString::fromUtf8(file)), QString());
    EXPECT_TRUE(main->BlankForms().isEmpty());
    EXPECT_FALSE(StartTimer()->isActive()) << "disabled until the window shows";
    QElapsedTimer clock;
    clock.start();
    main->show();
    EXPECT_TRUE(main->BlankForms().isEmpty()) << "not before the timer";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main->BlankForms().isEmpty(); }, WaitMs));
    EXPECT_GE(clock.elapsed(), 450);
    // The document keeps the chooser away: any dialog would fail the script.
    Idle(700);
    EXPECT_EQ(OpenedFiles(), QStringList({Expand(QString::fromUtf8(c.opened))}));
    if (c.printed)
        ExpectOnlyAPrinted(printed);
    else
        EXPECT_EQ(Jobs(), 0);
    // Once shown, a command runs at once.
    main->DoShellCommand(QStringLiteral("Open"), Expand(QStringLiteral("{c}")), QString());
    EXPECT_EQ(OpenedFiles().value(1), Expand(QStringLiteral("{c}")));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MainFormDeferred,
    ::testing::Values(DeferredCase{"LaterOpenWins", {{"open", "{a}"}, {"Open", "{b}"}}, "{b}", false},
                      DeferredCase{"PrintPrintsItsDocument", {{"Print", "{a}"}}, "{a}", true},
                      DeferredCase{"LaterOpenTakesTheEarlierPrintAway", {{"print", "{a}"}, {"open", "{b}"}}, "{b}",
                                   false}), CaseName);

// The chooser comes 500 ms after the show, once, unless the command line
// opened a document.
struct TimerCase {
    const char* name;
    const char* argument; // none: no argument
    bool chooser;
};

class MainFormStartTimer : public MainFormCommandLine, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(MainFormStartTimer, ChooserComesHalfASecondAfterTheShowOnlyWithoutADocument)
{
    QStringList arguments{QStringLiteral("wplatomat")};
    if (GetParam().argument)
        arguments << Expand(QString::fromUtf8(GetParam().argument));
    main->SetCommandLine(arguments);
    QElapsedTimer clock;
    qint64 shownAfter = -1;
    if (GetParam().chooser)
        modals.Expect<TfrmNewBlank>([&](QWidget* w) {
            shownAfter = clock.elapsed();
            PressEscape()(w);
        });
    clock.start();
    ShowMain(true);
    if (GetParam().chooser) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return shownAfter >= 0; }, WaitMs));
        EXPECT_GE(shownAfter, 450);
        EXPECT_TRUE(QTest::qWaitFor([] { return !frmNewBlank()->isVisible(); }, WaitMs));
    }
    // Any further chooser would fail the script.
    Idle(1000);
    EXPECT_FALSE(StartTimer()->isActive());
    EXPECT_EQ(main->BlankForms().size(), GetParam().chooser ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, MainFormStartTimer,
                         ::testing::Values(TimerCase{"NoArgument", nullptr, true},
                                           TimerCase{"ReadableFile", "{a}", false},
                                           TimerCase{"UnreadableFile", "{zly}", true}), CaseName);

} // namespace
} // namespace MainFormTest
