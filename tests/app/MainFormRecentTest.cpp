// The recent files in both menus and in the registry, and the chooser's buttons.
#include "MainFormTestSupport.h"

#include <QMdiArea>

namespace MainFormTest {
namespace {

QStringList Captions(const QList<QAction*>& items)
{
    QStringList texts;
    for (const QAction* item : items)
        texts << item->text();
    return texts;
}

// The values File1 to File5 as stored, "-" for a missing one, then the count.
std::string Stored()
{
    TRegistry reg;
    QStringList values;
    for (int n = 1; n <= 5 && (n > 1 || reg.OpenKey(AppKey, false)); ++n) {
        const QString name = QStringLiteral("File%1").arg(n);
        values << (reg.ValueExists(name) ? reg.ReadString(name).value_or(QString()) : QStringLiteral("-"));
    }
    const int count = reg.ReadInteger(QStringLiteral("RecentFilesCount")).value_or(-1);
    return (values.join(u'|') + u'#' + QString::number(count)).toStdString();
}

TEST_F(MainFormFixture, RecentFilesComeNewestFirstFiveAtMostAndStaySoAfterARestart)
{
    QStringList p; // 1.wpt ... 6.wpt
    for (int i = 1; i <= 6; ++i)
        WriteDocument(p.emplace_back(FilePath(QStringLiteral("%1.wpt").arg(i))), bkTransfer);
    const QString other = FilePath(QStringLiteral("4.WPT"));
    WriteDocument(other, bkTransfer);
    ShowMain();
    for (const QString& path : p)
        main->OpenFile(path);
    // A listed file, also in other letters, keeps its place.
    main->findChild<QMdiArea*>()->closeAllSubWindows();
    for (const QString& path : {p[3], other})
        main->OpenFile(path);
    const QStringList shown = {"&1  " + p[5], "&2  " + p[4], "&3  " + p[3], "&4  " + p[2], "&5  " + p[1]};
    EXPECT_EQ(Captions(main->ReOpenMenu()->actions()), shown);
    const QList<QAction*> file = main->findChild<QMenu*>(QStringLiteral("MenuFile"))->actions();
    EXPECT_EQ(Captions(file.mid(file.size() - 5)), shown);
    EXPECT_EQ(Stored(), (QStringList({p[5], p[4], p[3], p[2], p[1]}).join(u'|') + "#6").toStdString());
    DestroyMainForm();
    CreateMainForm();
    EXPECT_EQ(Captions(main->ReOpenMenu()->actions()), shown);
}

// Slots past the stored count are dropped, a path stored twice in other letters is listed once;
// a file gone since is reported at each click, and leaves the list at the next save.
TEST_F(MainFormFixture, RecentFilesLoadOnlyTheCountedSlotsAndReportAFileThatIsGone)
{
    const QString a = FilePath(QStringLiteral("a.wpt")), gone = FilePath(QStringLiteral("brak.wpt"));
    const QString d = FilePath(QStringLiteral("d.wpt"));
    for (const QString& path : {a, d})
        WriteDocument(path, bkTransfer);
    DestroyMainForm();
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        reg.WriteInteger(QStringLiteral("RecentFilesCount"), 3);
        const QStringList values = {a, a.toUpper(), gone, d, d};
        for (int n = 1; n <= 5; ++n)
            reg.WriteString(QStringLiteral("File%1").arg(n), values[n - 1]);
    }
    CreateMainForm();
    ShowMain();
    EXPECT_EQ(main->RecentFiles(), QStringList({a, gone}));
    EXPECT_EQ(Stored(), QString(a + u'|' + a.toUpper() + u'|' + gone + "|-|-#3").toStdString());
    for (int click = 0; click < 2; ++click) {
        modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
        main->ReOpenMenu()->actions().value(1)->trigger();
    }
    EXPECT_EQ(modals.texts, QStringList(2, QStringLiteral("Plik o tej nazwie został skasowany lub przeniesiony.")));
    EXPECT_EQ(main->RecentFiles(), QStringList({a}));
    main->OpenFile(d);
    EXPECT_EQ(Stored(), QString(d + u'|' + a + "|-|-|-#2").toStdString());
    EXPECT_EQ(OpenedFiles(), QStringList({d}));
}

// Each of the chooser's buttons makes its own kind; "Otwórz z pliku" leads to the open dialog.
TEST_F(MainFormFixture, EachChooserButtonMakesItsFormKind)
{
    ShowMain();
    const std::pair<int, quint16> buttons[] = {{0, bkTransfer}, {1, bkTransferZus}, {2, bkTransferTax},
                                               {3, bkMoneyOrder}, {-1, 0}};
    for (const auto& [index, kind] : buttons) {
        modals.Expect<TfrmNewBlank>(ClickChooser(index < 0 ? "ButtonGroup2" : "ButtonGroup1", std::max(index, 0)));
        if (index < 0)
            modals.Expect<QFileDialog>([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        Act("FileNew")->trigger();
        Idle(); // the chooser is seen closed before it comes again
        EXPECT_EQ(main->BlankForms().size(), index < 0 ? 4 : index + 1);
        EXPECT_EQ(main->ActiveBlank()->Kind(), index < 0 ? bkMoneyOrder : kind) << index;
    }
}

} // namespace
} // namespace MainFormTest
