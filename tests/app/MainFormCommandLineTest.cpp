// The command line read when the main window shows, shell commands that
// come before the show, and the start timer that opens the chooser.
#include "MainFormTestSupport.h"

#include "helpers/PdfText.h"

#include <QElapsedTimer>
#include <QPushButton>

namespace MainFormTest {
namespace {

class MainFormCommandLine : public MainFormFixture {
protected:
    void SetUp() override
    {
        m_oldCurrent = QDir::currentPath();
        MainFormFixture::SetUp();
        ASSERT_TRUE(QDir().mkpath(FilePath(QStringLiteral("Moje-dokumenty"))));
        WriteMarked(FilePath(QStringLiteral("a.wpt")), QStringLiteral("ALFA"));
        WriteMarked(FilePath(QStringLiteral("b.wpt")), QStringLiteral("BETA"));
        Doc(QStringLiteral("Moje-dokumenty/c.wpt"), bkMoneyOrder);
        Doc(QStringLiteral("z odstępem.wpt"));
        Doc(QStringLiteral("-d.wpt"));
        WriteBytes(FilePath(QStringLiteral("zly.wpt")), QByteArray("zepsuty"));
        QDir::setCurrent(files.path());
    }
    void TearDown() override
    {
        QDir::setCurrent(m_oldCurrent);
        MainFormFixture::TearDown();
    }

    static void WriteMarked(const QString& path, const QString& recipient)
    {
        TfrmBlank form(nullptr, bkTransfer);
        form.SetEditorValue(EditorTags::Odbiorca, recipient);
        form.SetFileName(path);
        form.Save();
    }

    // {a}, {b}, ... stand for the test's files.
    QString Expand(QString text) const
    {
        const std::pair<const char*, const char*> names[] = {
            {"{a}", "a.wpt"}, {"{b}", "b.wpt"}, {"{c}", "Moje-dokumenty/c.wpt"}, {"{s}", "z odstępem.wpt"},
            {"{zly}", "zly.wpt"}};
        for (const auto& [key, name] : names)
            text.replace(QLatin1String(key), FilePath(QString::fromUtf8(name)));
        return text;
    }

    QStringList OpenedFiles() const
    {
        QStringList names;
        for (TfrmBlank* form : main->BlankForms())
            names << form->FileName();
        return names;
    }

    // Answers the coupon dialog with its print button and notes the document.
    ModalScript::Act PrintAndNote(QString* printed)
    {
        return [printed](QWidget* w) {
            auto* dialog = static_cast<TfrmPrintSelect*>(w);
            *printed = dialog->BlankForm ? dialog->BlankForm->FileName() : QStringLiteral("(none)");
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
        };
    }

    QString PrintedText(int job = 1) const
    {
        const PdfWords words = ReadPdfWords(spool.filePath(QStringLiteral("pdf-%1.pdf").arg(job)));
        EXPECT_TRUE(words.error.isEmpty()) << words.error.toStdString();
        return AllText(words.words).remove(QRegularExpression(QStringLiteral("\\s")));
    }

    QString m_oldCurrent;
};

struct ArgumentsCase {
    const char* name;
    std::vector<const char*> arguments;
    std::vector<const char*> opened; // in the order the windows were made
};

void PrintTo(const ArgumentsCase& c, std::ostream* os)
{
    *os << c.name;
}

class MainFormArguments : public MainFormCommandLine, public ::testing::WithParamInterface<ArgumentsCase> {};

TEST_P(MainFormArguments, ArgumentsOpenTheirFilesWhenTheWindowShows)
{
    QStringList arguments{QStringLiteral("/usr/bin/wplatomat")};
    for (const char* a : GetParam().arguments)
        arguments << Expand(QString::fromUtf8(a));
    QStringList expected;
    for (const char* f : GetParam().opened)
        expected << Expand(QString::fromUtf8(f));
    main->SetCommandLine(arguments);
    ShowMain();
    EXPECT_EQ(OpenedFiles(), expected);
    EXPECT_TRUE(main->RecentFiles().isEmpty()) << "the command line does not list its files";
    for (TfrmBlank* form : main->BlankForms())
        EXPECT_FALSE(form->Modified());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, MainFormArguments,
    ::testing::Values(ArgumentsCase{"AbsolutePath", {"{a}"}, {"{a}"}},
                      ArgumentsCase{"TwoPathsLastFirst", {"{a}", "{b}"}, {"{b}", "{a}"}},
                      ArgumentsCase{"RelativePath", {"b.wpt"}, {"b.wpt"}},
                      ArgumentsCase{"PathWithBlanks", {"{s}"}, {"{s}"}},
                      ArgumentsCase{"ExistingFileBeginningWithAHyphen", {"-d.wpt"}, {"-d.wpt"}},
                      ArgumentsCase{"OpenSwitch", {"/open:{a}"}, {"{a}"}},
                      ArgumentsCase{"OpenSwitchKeepsHyphensOfThePath", {"-open:{c}"}, {"{c}"}},
                      ArgumentsCase{"CommandInCapitals", {"/OPEN:{b}"}, {"{b}"}},
                      ArgumentsCase{"SwitchWithoutColonIsIgnored", {"/x"}, {}},
                      ArgumentsCase{"NewAndPrintToDoNothing", {"/new:{a}", "-printto:{b}"}, {}},
                      ArgumentsCase{"UnknownCommandDoesNothing", {"/edit:{a}"}, {}},
                      ArgumentsCase{"EmptyArgumentIsIgnored", {""}, {}},
                      ArgumentsCase{"UnreadableFileIsDroppedSilently", {"{zly}", "{a}"}, {"{a}"}},
                      ArgumentsCase{"MissingFileIsDroppedSilently", {"/open:{a}.brak"}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFormCommandLine, PrintSwitchPrintsOnlyTheDocumentItOpened)
{
    const QString a = Expand(QStringLiteral("{a}"));
    const QString b = Expand(QStringLiteral("{b}"));
    QString printed;
    modals.Expect(QStringLiteral("coupon dialog"), Is<TfrmPrintSelect>(), PrintAndNote(&printed));
    main->SetCommandLine({QStringLiteral("wplatomat"), QStringLiteral("/print:") + a, b});
    ShowMain();
    EXPECT_EQ(OpenedFiles(), QStringList({b, a}));
    EXPECT_EQ(printed, a);
    ASSERT_EQ(Jobs(), 1);
    const QString text = PrintedText();
    EXPECT_TRUE(text.contains(QStringLiteral("ALFA"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("BETA"))) << text.toStdString();
}

TEST_F(MainFormCommandLine, PrintSwitchForAFileThatCannotBeReadPrintsNothing)
{
    const QString b = Expand(QStringLiteral("{b}"));
    // Any dialog here would be a failure of the script.
    main->SetCommandLine({QStringLiteral("wplatomat"), Expand(QStringLiteral("/print:{zly}")), b});
    ShowMain();
    Idle(100);
    EXPECT_EQ(OpenedFiles(), QStringList({b}));
    EXPECT_EQ(Jobs(), 0);
}

TEST_F(MainFormCommandLine, CommandsAfterTheShowRunAtOnce)
{
    ShowMain();
    main->DoShellCommand(QStringLiteral("Open"), Expand(QStringLiteral("{a}")), QString());
    EXPECT_EQ(OpenedFiles(), QStringList({Expand(QStringLiteral("{a}"))}));
}

TEST_F(MainFormCommandLine, CommandsBeforeTheShowWaitForTheTimerAndOnlyTheLaterOpens)
{
    const QString b = Expand(QStringLiteral("{b}"));
    main->DoShellCommand(QStringLiteral("open"), Expand(QStringLiteral("{a}")), QString());
    main->DoShellCommand(QStringLiteral("Open"), b, QString());
    EXPECT_TRUE(main->BlankForms().isEmpty());
    EXPECT_FALSE(StartTimer()->isActive()) << "disabled until the window shows";
    QElapsedTimer clock;
    clock.start();
    main->show();
    ASSERT_NE(StartTimer(), nullptr);
    EXPECT_TRUE(StartTimer()->isActive());
    EXPECT_TRUE(StartTimer()->isSingleShot());
    EXPECT_EQ(StartTimer()->interval(), 500);
    EXPECT_TRUE(main->BlankForms().isEmpty()) << "not before the timer";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main->BlankForms().isEmpty(); }, WaitMs));
    EXPECT_GE(clock.elapsed(), 450);
    EXPECT_EQ(OpenedFiles(), QStringList({b}));
    // The document keeps the chooser away: any dialog would fail the script.
    Idle(700);
    EXPECT_EQ(OpenedFiles(), QStringList({b}));
    EXPECT_FALSE(StartTimer()->isActive());
}

TEST_F(MainFormCommandLine, PrintCommandBeforeTheShowPrintsItsDocumentAfterTheTimer)
{
    const QString a = Expand(QStringLiteral("{a}"));
    QString printed;
    modals.Expect(QStringLiteral("coupon dialog"), Is<TfrmPrintSelect>(), PrintAndNote(&printed));
    main->DoShellCommand(QStringLiteral("Print"), a, QString());
    main->show();
    EXPECT_TRUE(main->BlankForms().isEmpty());
    EXPECT_EQ(Jobs(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Jobs() == 1; }, WaitMs));
    EXPECT_EQ(printed, a);
    EXPECT_EQ(OpenedFiles(), QStringList({a}));
    EXPECT_TRUE(PrintedText().contains(QStringLiteral("ALFA")));
}

TEST_F(MainFormCommandLine, LaterOpenBeforeTheShowTakesTheEarlierPrintAway)
{
    // The print belonged to the file that the later command replaced.
    const QString b = Expand(QStringLiteral("{b}"));
    main->DoShellCommand(QStringLiteral("print"), Expand(QStringLiteral("{a}")), QString());
    main->DoShellCommand(QStringLiteral("open"), b, QString());
    main->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main->BlankForms().isEmpty(); }, WaitMs));
    Idle(300);
    EXPECT_EQ(OpenedFiles(), QStringList({b}));
    EXPECT_EQ(Jobs(), 0);
}

TEST_F(MainFormCommandLine, TimerOpensTheChooserHalfASecondAfterTheShowWhenNoDocumentIsOpen)
{
    QElapsedTimer clock;
    qint64 shownAfter = -1;
    modals.Expect(QStringLiteral("chooser"), Is<TfrmNewBlank>(), [&](QWidget* w) {
        shownAfter = clock.elapsed();
        PressEscape()(w);
    });
    clock.start();
    ShowMain(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAfter >= 0; }, WaitMs));
    EXPECT_GE(shownAfter, 450);
    EXPECT_TRUE(QTest::qWaitFor([] { return !frmNewBlank()->isVisible(); }, WaitMs));
    // Once only: no second chooser.
    Idle(700);
    EXPECT_TRUE(main->BlankForms().isEmpty());
}

TEST_F(MainFormCommandLine, DocumentFromTheCommandLineKeepsTheChooserAway)
{
    main->SetCommandLine({QStringLiteral("wplatomat"), Expand(QStringLiteral("{a}"))});
    ShowMain(true);
    Idle(1000);
    EXPECT_FALSE(StartTimer()->isActive());
    EXPECT_EQ(OpenedFiles(), QStringList({Expand(QStringLiteral("{a}"))}));
}

TEST_F(MainFormCommandLine, FileThatCouldNotBeOpenedLetsTheChooserCome)
{
    bool chooserShown = false;
    modals.Expect(QStringLiteral("chooser"), Is<TfrmNewBlank>(), [&](QWidget* w) {
        chooserShown = true;
        PressEscape()(w);
    });
    main->SetCommandLine({QStringLiteral("wplatomat"), Expand(QStringLiteral("{zly}"))});
    ShowMain(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return chooserShown; }, WaitMs));
}

} // namespace
} // namespace MainFormTest
