#include "MainFormTestSupport.h"

#include "platform/FileName.h"

namespace MainFormTest {
namespace {

struct LineCase {
    const char* name;
    bool shell; // the arguments are pairs of a shell command and its file, given before the show
    std::vector<const char*> arguments, opened; // "{}" is the test's folder
    char printed = 0; // the document printed, by its letter
};

class MainFormCommandLine : public MainFormFixture, public ::testing::WithParamInterface<LineCase> {};

TEST_P(MainFormCommandLine, ArgumentsAndShellCommandsOpenTheirFiles)
{
    const LineCase& c = GetParam();
    ASSERT_TRUE(QDir(files.path()).mkpath(QStringLiteral("Moje-dokumenty")));
    for (const char* name : {"a.wpt", "b.wpt", "Moje-dokumenty/c.wpt", "z odstępem.wpt", "-d.wpt"})
        WriteDocument(FilePath(QString::fromUtf8(name)), bkTransfer, QString::fromUtf8(name).left(1).toUpper() + "QQ");
    WriteBytes(FilePath(QStringLiteral("zly.wpt")), "zepsuty");
    QDir::setCurrent(files.path());
    const auto expand = [this](const char* text) { return DecodeFileName(text).replace("{}", files.path()); };
    QStringList arguments{QStringLiteral("/usr/bin/wplatomat")}, expected;
    for (const char* f : c.opened)
        expected << expand(f);
    if (c.printed)
        modals.Expect<TfrmPrintSelect>(ClickChild("Button2"));
    if (c.shell) {
        for (size_t i = 0; i + 1 < c.arguments.size(); i += 2)
            main->DoShellCommand(QString::fromUtf8(c.arguments[i]), expand(c.arguments[i + 1]), QString());
        main->show();
        EXPECT_TRUE(main->BlankForms().isEmpty()) << "not before the timer";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !main->BlankForms().isEmpty(); }, WaitMs));
        Idle(700); // the document keeps the chooser away: it would fail the script
    } else {
        for (const char* arg : c.arguments)
            arguments << expand(arg);
        main->SetCommandLine(arguments);
        ShowMain();
    }
    EXPECT_EQ(OpenedFiles(), expected);
    ASSERT_EQ(Jobs(), c.printed ? 1 : 0);
    const QString text = c.printed ? PdfText(spool.filePath(QStringLiteral("pdf-1.pdf"))) : QString();
    if (c.printed) // that document alone
        EXPECT_EQ(text.contains(QStringLiteral("AQQ")) + 2 * text.contains(QStringLiteral("BQQ")),
                  c.printed == 'A' ? 1 : 2);
    main->DoShellCommand(QStringLiteral("Open"), FilePath(QStringLiteral("Moje-dokumenty/c.wpt")), QString());
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
    CaseName);

} // namespace
} // namespace MainFormTest
