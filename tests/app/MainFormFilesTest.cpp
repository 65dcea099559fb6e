// The recent files from the registry in the "&Plik" menu and the Open
// button's drop-down, and the messages for files that cannot be opened.
#include "MainFormTestSupport.h"

#include <QToolButton>

namespace MainFormTest {
namespace {

QStringList Numbered(const QStringList& paths)
{
    QStringList captions;
    for (int i = 0; i < paths.size(); ++i)
        captions << QStringLiteral("&%1  %2").arg(i + 1).arg(paths[i]);
    return captions;
}

TEST_F(MainFormFixture, RecentItemsOpenTheirFilesAndBadFilesAreReported)
{
    const QStringList stored{FilePath(QStringLiteral("skasowany.wpt")), FilePath(QStringLiteral("jest.wpt")),
                             FilePath(QStringLiteral("drugi.wpt")), FilePath(QStringLiteral("zly.wpt"))};
    WriteDocument(stored[1], bkTransfer);
    WriteDocument(stored[2], bkMoneyOrder);
    WriteBytes(stored[3], "zepsuty");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(AppKey, true));
    reg.WriteInteger(QStringLiteral("RecentFilesCount"), 5);
    for (int i = 0; i < 5; ++i) // the fifth is the second in other letters: listed once
        reg.WriteString(QStringLiteral("File%1").arg(i + 1), i < 4 ? stored[i] : stored[1].toUpper());
    DestroyMainForm();
    CreateMainForm();
    ShowMain();
    const auto items = [this](QMenu* menu, const char* prefix) {
        QStringList texts;
        for (QAction* a : menu->actions())
            if (a->objectName().startsWith(QLatin1String(prefix)))
                texts << a->text();
        return texts;
    };
    const auto choose = [&](int n) { ChooseMenu(FileMenu(), main->findChild<QAction*>(QStringLiteral("MFile%1").arg(n))); };
    ASSERT_EQ(items(FileMenu(), "MFile"), Numbered(stored));
    choose(3);
    ASSERT_EQ(OpenedFiles(), QStringList({stored[2]}));
    EXPECT_EQ(main->ActiveBlank()->Kind(), bkMoneyOrder);
    const QStringList listed{stored[2], stored[0], stored[1], stored[3]};
    EXPECT_EQ(items(FileMenu(), "MFile"), Numbered(listed)) << "the file chosen heads the list";
    // A missing file is reported and its item stays; an unreadable one leaves the list.
    modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
    choose(2);
    modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
    choose(4);
    EXPECT_EQ(items(FileMenu(), "MFile"), Numbered(listed));
    // The arrow at the Open button's right edge drops down the same items.
    auto* open = qobject_cast<QToolButton*>(Button("FileOpen"));
    modals.Expect<QMenu>([](QWidget* w) {
        auto* menu = static_cast<QMenu*>(w);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().value(2)).center());
    });
    QTest::mouseClick(open, Qt::LeftButton, {}, QPoint(open->width() - 4, open->height() / 2));
    Idle(20);
    EXPECT_EQ(OpenedFiles(), QStringList({stored[2], stored[1]}));
    EXPECT_EQ(items(main->ReOpenMenu(), "RFile"), Numbered({stored[1], stored[2]}));
    EXPECT_EQ(reg.ReadString(QStringLiteral("File1")).value_or(QString()), stored[1]);
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("File3")));
    // The reader's own message in Polish, also for a file cut short; no window and no item.
    WriteBytes(FilePath(QStringLiteral("nowy.wpt")), QByteArray("\x05\x00\x63\x00", 4));
    WriteBytes(FilePath(QStringLiteral("krotki.wpt")), QByteArray("\x05\x00\x07\x00\x10", 5));
    OpenByDialog(FilePath(QStringLiteral("nowy.wpt")), true);
    OpenByDialog(FilePath(QStringLiteral("krotki.wpt")), true);
    EXPECT_EQ(modals.texts, QStringList({QStringLiteral("Plik o tej nazwie został skasowany lub przeniesiony."),
                                         QStringLiteral("Nieprawidłowy format pliku."),
                                         QStringLiteral("Nieprawidłowa wersja pliku."),
                                         QStringLiteral("Nie można otworzyć pliku: ") + FilePath(QStringLiteral("krotki.wpt"))}));
    EXPECT_EQ(main->BlankForms().size(), 2);
    EXPECT_EQ(main->RecentFiles(), QStringList({stored[1], stored[2]}));
}

} // namespace
} // namespace MainFormTest
