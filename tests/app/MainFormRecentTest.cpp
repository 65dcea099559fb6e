// The recent files: the registry values, the numbered items of the "&Plik"
// menu and of the Open button's drop-down, and what clicking an item does.
#include "MainFormTestSupport.h"

namespace MainFormTest {
namespace {

class MainFormRecent : public MainFormShown {
protected:
    void BeforeMainForm() override
    {
        ASSERT_TRUE(early.isValid());
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        StoreValues(reg);
    }
    // Registry values the main window's creation is to find.
    virtual void StoreValues(TRegistry&) {}

    // A path in a folder that exists before the fixture's own.
    QString EarlyPath(const QString& name) const { return early.filePath(name); }
    QAction* FileMenuItem(int n) const { return main->findChild<QAction*>(QStringLiteral("MFile%1").arg(n)); }
    QStringList ReOpenCaptions() const
    {
        QStringList captions;
        for (QAction* a : main->ReOpenMenu()->actions())
            captions << a->text();
        return captions;
    }

    QTemporaryDir early;
};

TEST_F(MainFormRecent, SixFilesGiveFiveItemsNewestFirstInBothMenusAndTheRegistry)
{
    QStringList paths;
    for (int i = 1; i <= 6; ++i)
        paths << Doc(QStringLiteral("plik%1.wpt").arg(i));
    for (const QString& path : paths)
        OpenByDialog(path);
    ASSERT_EQ(main->BlankForms().size(), 6);

    const QStringList newest{paths[5], paths[4], paths[3], paths[2], paths[1]};
    EXPECT_EQ(TailOfFileMenu(), Numbered(newest));
    const QList<QAction*> items = FileMenu()->actions();
    ASSERT_GE(items.size(), 7);
    EXPECT_EQ(items[items.size() - 7], Act("FileExit")) << "the items follow the separator below Wyjście";
    EXPECT_EQ(ReOpenCaptions(), Numbered(newest));

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(AppKey, false));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("RecentFilesCount")).value_or(-1), 6);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("RecentFilesMax")).value_or(-1), 5);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(reg.GetDataType(QStringLiteral("File%1").arg(n)), rdString) << n;
        EXPECT_EQ(reg.ReadString(QStringLiteral("File%1").arg(n)).value_or(QString()), newest[n - 1]) << n;
    }
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("File6")));

    DestroyMainForm();
    CreateMainForm();
    EXPECT_EQ(main->RecentFiles(), newest);
    EXPECT_EQ(TailOfFileMenu(), Numbered(newest));
    EXPECT_EQ(ReOpenCaptions(), Numbered(newest));
}

TEST_F(MainFormRecent, FileListedAlreadyKeepsItsPlaceAlsoInOtherLetterCase)
{
    const QStringList paths{Doc(QStringLiteral("a.wpt")), Doc(QStringLiteral("b.wpt")), Doc(QStringLiteral("c.wpt"))};
    for (const QString& path : paths)
        OpenByDialog(path);
    const QStringList order{paths[2], paths[1], paths[0]};
    ASSERT_EQ(main->RecentFiles(), order);
    Area()->closeAllSubWindows();
    OpenByDialog(paths[0]);
    EXPECT_EQ(main->RecentFiles(), order);
    OpenByDialog(Doc(QStringLiteral("B.wpt")));
    EXPECT_EQ(main->BlankForms().size(), 2) << "another file on this system";
    EXPECT_EQ(main->RecentFiles(), order);
}

// A missing file, two readable ones and one that is no document.
class MainFormStoredList : public MainFormRecent {
protected:
    void StoreValues(TRegistry& reg) override
    {
        WriteDocument(stored[1], bkTransfer);
        WriteDocument(stored[2], bkMoneyOrder);
        WriteBytes(stored[3], QByteArray("zepsuty"));
        reg.WriteInteger(QStringLiteral("RecentFilesCount"), stored.size());
        for (int i = 0; i < stored.size(); ++i)
            reg.WriteString(QStringLiteral("File%1").arg(i + 1), stored[i]);
    }

    const QStringList stored{EarlyPath(QStringLiteral("skasowany.wpt")), EarlyPath(QStringLiteral("jest.wpt")),
                             EarlyPath(QStringLiteral("drugi.wpt")), EarlyPath(QStringLiteral("zly.wpt"))};
};

TEST_F(MainFormStoredList, MissingFileIsReportedAndItsItemStays)
{
    ASSERT_EQ(TailOfFileMenu(), Numbered(stored));
    for (int click = 0; click < 2; ++click) {
        modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
        ChooseMenu(FileMenu(), FileMenuItem(1));
        Idle();
        EXPECT_EQ(TailOfFileMenu(), Numbered(stored)) << "after click " << click;
    }
    EXPECT_EQ(modals.texts, QStringList(2, QStringLiteral("Plik o tej nazwie został skasowany lub przeniesiony.")));
    EXPECT_EQ(modals.captions, QStringList(2, QStringLiteral("Wplatomat")));
    EXPECT_TRUE(main->BlankForms().isEmpty());
    EXPECT_FALSE(main->RecentFiles().contains(stored[0]));
}

TEST_F(MainFormStoredList, ItemOfTheMenuOpensItsFileWhichThenHeadsTheList)
{
    ChooseMenu(FileMenu(), FileMenuItem(3));
    Idle();
    ASSERT_EQ(OpenedFiles(), QStringList({stored[2]}));
    EXPECT_EQ(main->BlankForms()[0]->Kind(), bkMoneyOrder);
    EXPECT_EQ(TailOfFileMenu().value(0), QStringLiteral("&1  ") + stored[2]);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(AppKey, false));
    EXPECT_EQ(reg.ReadString(QStringLiteral("File1")).value_or(QString()), stored[2]);
}

TEST_F(MainFormStoredList, OpenButtonDropDownOffersTheSameItems)
{
    auto* open = qobject_cast<QToolButton*>(Button("FileOpen"));
    ASSERT_NE(open, nullptr);
    QStringList offered;
    modals.Expect<QMenu>(PickMenuItem(1, &offered));
    // The arrow at the button's right edge.
    QTest::mouseClick(open, Qt::LeftButton, {}, QPoint(open->width() - 4, open->height() / 2));
    Idle();
    EXPECT_EQ(offered, Numbered(stored));
    EXPECT_EQ(OpenedFiles(), QStringList({stored[1]}));
    EXPECT_EQ(ReOpenCaptions().value(0), QStringLiteral("&1  ") + stored[1]);
}

TEST_F(MainFormStoredList, UnreadableFileShowsTheReadersMessageAndLeavesTheList)
{
    modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
    ChooseMenu(FileMenu(), FileMenuItem(4));
    Idle();
    EXPECT_EQ(modals.texts, QStringList({QStringLiteral("Nieprawidłowy format pliku.")}));
    EXPECT_TRUE(main->BlankForms().isEmpty());
    EXPECT_FALSE(main->RecentFiles().contains(stored[3]));
}

} // namespace
} // namespace MainFormTest
