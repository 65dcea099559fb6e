// The recent files: the registry values, the numbered items of the "&Plik"
// menu and of the Open button's drop-down, and what clicking an item does.
#include "MainFormTestSupport.h"

namespace MainFormTest {
namespace {

QStringList Numbered(const QStringList& paths)
{
    QStringList captions;
    for (int i = 0; i < paths.size(); ++i)
        captions << QStringLiteral("&%1  %2").arg(i + 1).arg(paths[i]);
    return captions;
}

// Registry values the main window's creation is to find.
using Values = std::vector<std::pair<QString, QVariant>>;

class MainFormRecent : public MainFormFixture {
protected:
    void BeforeMainForm() override
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(AppKey, true));
        for (const auto& [name, value] : Stored()) {
            if (value.typeId() == QMetaType::Int)
                reg.WriteInteger(name, value.toInt());
            else
                reg.WriteString(name, value.toString());
        }
    }
    virtual Values Stored() { return {}; }

    void SetUp() override
    {
        ASSERT_TRUE(early.isValid());
        MainFormFixture::SetUp();
        ShowMain();
    }

    // A path in a folder that exists before the fixture's own.
    QString EarlyPath(const QString& name) const { return early.filePath(name); }

    void OpenByDialog(const QString& path)
    {
        modals.Expect(QStringLiteral("open dialog"), Is<QFileDialog>(), EnterFileName(path));
        Idle();
        Key(Qt::Key_O, Qt::ControlModifier);
        Idle();
    }

    QAction* FileMenuItem(int n) const { return main->findChild<QAction*>(QStringLiteral("MFile%1").arg(n)); }

    // The "&Plik" menu's items after its last separator.
    QStringList TailOfFileMenu() const
    {
        const QList<QAction*> items = FileMenu()->actions();
        int last = -1;
        for (int i = 0; i < items.size(); ++i)
            if (items[i]->isSeparator())
                last = i;
        QStringList captions;
        for (int i = last + 1; i < items.size(); ++i)
            captions << items[i]->text();
        return captions;
    }

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
    EXPECT_TRUE(items[items.size() - 6]->isSeparator());
    EXPECT_EQ(items[items.size() - 7], Act("FileExit")) << "the items follow the separator below Wyjście";
    EXPECT_EQ(ReOpenCaptions(), Numbered(newest));
    for (QAction* item : main->ReOpenMenu()->actions()) {
        EXPECT_FALSE(item->isCheckable());
        EXPECT_TRUE(item->shortcut().isEmpty());
        EXPECT_TRUE(item->isEnabled());
    }

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
    EXPECT_EQ(TailOfFileMenu(), Numbered(order));
}

class MainFormStoredList : public MainFormRecent {
protected:
    Values Stored() override
    {
        WriteDocument(EarlyPath(QStringLiteral("jest.wpt")), bkTransfer);
        WriteDocument(EarlyPath(QStringLiteral("drugi.wpt")), bkMoneyOrder);
        return {{QStringLiteral("RecentFilesCount"), 3},
                {QStringLiteral("File1"), EarlyPath(QStringLiteral("skasowany.wpt"))},
                {QStringLiteral("File2"), EarlyPath(QStringLiteral("jest.wpt"))},
                {QStringLiteral("File3"), EarlyPath(QStringLiteral("drugi.wpt"))}};
    }
};

TEST_F(MainFormStoredList, MissingFileIsReportedAndItsItemStays)
{
    const QStringList stored{EarlyPath(QStringLiteral("skasowany.wpt")), EarlyPath(QStringLiteral("jest.wpt")),
                             EarlyPath(QStringLiteral("drugi.wpt"))};
    ASSERT_EQ(TailOfFileMenu(), Numbered(stored));
    for (int click = 0; click < 2; ++click) {
        modals.Expect(QStringLiteral("gone"), Is<QMessageBox>(), Click(QMessageBox::Ok));
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
    const QString path = EarlyPath(QStringLiteral("drugi.wpt"));
    ChooseMenu(FileMenu(), FileMenuItem(3));
    Idle();
    ASSERT_EQ(main->BlankForms().size(), 1);
    EXPECT_EQ(main->BlankForms()[0]->FileName(), path);
    EXPECT_EQ(main->BlankForms()[0]->Kind(), bkMoneyOrder);
    EXPECT_EQ(main->RecentFiles().value(0), path);
    EXPECT_EQ(TailOfFileMenu().value(0), QStringLiteral("&1  ") + path);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(AppKey, false));
    EXPECT_EQ(reg.ReadString(QStringLiteral("File1")).value_or(QString()), path);
}

TEST_F(MainFormStoredList, OpenButtonDropDownOffersTheSameItems)
{
    const QString path = EarlyPath(QStringLiteral("jest.wpt"));
    auto* open = qobject_cast<QToolButton*>(ToolBar()->widgetForAction(Act("FileOpen")));
    ASSERT_NE(open, nullptr);
    QStringList offered;
    modals.Expect(QStringLiteral("drop-down"), Is<QMenu>(), [&offered](QWidget* w) {
        for (QAction* a : static_cast<QMenu*>(w)->actions())
            offered << a->text();
        ClickMenuItem([](QMenu* m) { return m->actions().value(1); })(w);
    });
    // The arrow at the button's right edge.
    QTest::mouseClick(open, Qt::LeftButton, {}, QPoint(open->width() - 4, open->height() / 2));
    Idle();
    EXPECT_EQ(offered, Numbered({EarlyPath(QStringLiteral("skasowany.wpt")), path, EarlyPath(QStringLiteral("drugi.wpt"))}));
    ASSERT_EQ(main->BlankForms().size(), 1);
    EXPECT_EQ(main->BlankForms()[0]->FileName(), path);
    EXPECT_EQ(ReOpenCaptions().value(0), QStringLiteral("&1  ") + path);
}

TEST_F(MainFormStoredList, ItemOfAnOpenFileOnlyReportsIt)
{
    const QString path = EarlyPath(QStringLiteral("jest.wpt"));
    ChooseMenu(FileMenu(), FileMenuItem(2));
    Idle();
    ASSERT_EQ(main->BlankForms().size(), 1);
    modals.Expect(QStringLiteral("already open"), Is<QMessageBox>(), Click(QMessageBox::Ok));
    ChooseMenu(FileMenu(), FileMenuItem(1));
    Idle();
    EXPECT_EQ(modals.texts, QStringList({QStringLiteral("Wskazany plik jest już otwarty.")}));
    EXPECT_EQ(main->BlankForms().size(), 1);
    EXPECT_FALSE(main->RecentFiles().contains(path));
}

class MainFormUnreadableRecent : public MainFormRecent {
protected:
    Values Stored() override
    {
        QFile bad(EarlyPath(QStringLiteral("zly.wpt")));
        EXPECT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("zepsuty");
        return {{QStringLiteral("RecentFilesCount"), 1}, {QStringLiteral("File1"), bad.fileName()}};
    }
};

TEST_F(MainFormUnreadableRecent, UnreadableFileShowsTheReadersMessageAndLeavesTheList)
{
    modals.Expect(QStringLiteral("reader's message"), Is<QMessageBox>(), Click(QMessageBox::Ok));
    ChooseMenu(FileMenu(), FileMenuItem(1));
    Idle();
    EXPECT_EQ(modals.texts, QStringList({QStringLiteral("Nieprawidłowy format pliku.")}));
    EXPECT_TRUE(main->BlankForms().isEmpty());
    EXPECT_TRUE(main->RecentFiles().isEmpty());
}

class MainFormCountBelowValues : public MainFormRecent {
protected:
    Values Stored() override
    {
        return {{QStringLiteral("RecentFilesCount"), 2},
                {QStringLiteral("File1"), QStringLiteral("/dok/1.wpt")},
                {QStringLiteral("File2"), QStringLiteral("/dok/2.wpt")},
                {QStringLiteral("File3"), QStringLiteral("/dok/3.wpt")},
                {QStringLiteral("File4"), QStringLiteral("/dok/4.wpt")}};
    }
};

TEST_F(MainFormCountBelowValues, ValuesBeyondTheCountAreDroppedAndDeleted)
{
    EXPECT_EQ(main->RecentFiles(), QStringList({QStringLiteral("/dok/1.wpt"), QStringLiteral("/dok/2.wpt")}));
    EXPECT_EQ(TailOfFileMenu(), Numbered(main->RecentFiles()));
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(AppKey, false));
    EXPECT_TRUE(reg.ValueExists(QStringLiteral("File1")));
    EXPECT_TRUE(reg.ValueExists(QStringLiteral("File2")));
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("File3")));
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("File4")));
}

class MainFormCaseTwins : public MainFormRecent {
protected:
    Values Stored() override
    {
        return {{QStringLiteral("RecentFilesCount"), 3},
                {QStringLiteral("File1"), QStringLiteral("/dok/Plik.wpt")},
                {QStringLiteral("File2"), QStringLiteral("/DOK/plik.WPT")},
                {QStringLiteral("File3"), QStringLiteral("/dok/inny.wpt")}};
    }
};

TEST_F(MainFormCaseTwins, PathsDifferingOnlyInLetterCaseLoadAsOne)
{
    EXPECT_EQ(main->RecentFiles(), QStringList({QStringLiteral("/dok/Plik.wpt"), QStringLiteral("/dok/inny.wpt")}));
    EXPECT_EQ(ReOpenCaptions(), Numbered(main->RecentFiles()));
}

class MainFormWrongTypedCount : public MainFormRecent {
protected:
    Values Stored() override
    {
        return {{QStringLiteral("RecentFilesCount"), QStringLiteral("2")},
                {QStringLiteral("File1"), QStringLiteral("/dok/1.wpt")}};
    }
};

TEST_F(MainFormWrongTypedCount, CountOfAnotherTypeCountsAsNone)
{
    EXPECT_TRUE(main->RecentFiles().isEmpty());
    EXPECT_TRUE(TailOfFileMenu().isEmpty());
}

} // namespace
} // namespace MainFormTest
