#include "MainFormTestSupport.h"

#include "app/Shell_DDE.h"
#include "platform/Dde.h"

namespace {

using namespace MainFormTest;

TEST_F(MainFormFixture, AMacroLineSplitsIntoTheShellsItemsAndOnlyAnOpenOrPrintBringsTheWindowForward)
{
    ShowMain();
    const std::tuple<const char*, QStringList, bool> rows[] = {
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
    for (const auto& [line, items, forward] : rows) {
        EXPECT_EQ(SplitMacroLine(QString::fromUtf8(line)), items) << line;
        main->showMinimized();
        main->ShellDdeServerConvExecuteMacro({QString::fromUtf8(line)});
        EXPECT_EQ(main->isMinimized(), !forward) << line;
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
    const QStringList errors = {"\"abc\" nie jest prawidłową kwotą.", "\"\" nie jest prawidłową kwotą."};
    EXPECT_EQ(modals.texts, QStringList(9, "Isok") + errors);
}

TEST_F(MainFormFixture, APrintWaitsWhileAModalDialogRuns)
{
    ShowMain();
    const QString a = FilePath(QStringLiteral("a.wpt"));
    WriteDocument(a, bkTransfer);
    TDdeReply during;
    modals.Expect<QMessageBox>([&](QWidget* w) {
        // Spelt as the registration writes it.
        during = main->ShellDdeServerConvExecuteMacro({QStringLiteral("[Print \"%1\"]").arg(a)});
        qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click();
    });
    QMessageBox::information(main.get(), QStringLiteral("Wplatomat"), QStringLiteral("Chwila"));
    EXPECT_EQ(during.status, TDdeReply::Wait);
    EXPECT_EQ(OpenedFiles(), QStringList());
}

} // namespace
