// Closing documents and the program: the save question and its three
// answers, Save As with and without a file to replace.
#include "MainFormTestSupport.h"

#include <QPlainTextEdit>

namespace MainFormTest {
namespace {

const QString Marker = QStringLiteral("ALFA");

QString QuestionFor(const QString& fileName)
{
    return QStringLiteral("Czy zachować zmiany w pliku: ") + QChar(0x0a) + QChar(0x0d) + QLatin1Char('"') + fileName
           + QStringLiteral("\"?");
}

// Whether the document stored at path holds the marker typed in the test.
bool StoredWithMarker(const QString& path)
{
    if (!QFileInfo::exists(path))
        return false;
    TfrmBlank stored(nullptr, path);
    return !stored.IsClosing() && stored.Nadawca().join(QLatin1Char('\n')).contains(Marker);
}

class MainFormClose : public MainFormFixture {
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        ShowMain();
    }

    // A document with a file (or none) that the user has typed into.
    TfrmBlank* ModifiedDocument(const QString& path)
    {
        TfrmBlank* form = nullptr;
        if (path.isEmpty()) {
            form = main->CreateBlankForm(bkTransfer, QString());
        } else {
            WriteDocument(path, bkTransfer);
            form = main->CreateBlankForm(0, path);
        }
        EXPECT_NE(form, nullptr);
        if (!form)
            return nullptr;
        Idle();
        auto* memo = qobject_cast<QPlainTextEdit*>(form->EditorOfTag(EditorTags::Nadawca));
        EXPECT_NE(memo, nullptr);
        if (!memo)
            return form;
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClicks(memo, Marker);
        EXPECT_TRUE(form->Modified());
        Idle();
        return form;
    }

    // Answers the save question with a click and notes how it was asked.
    ModalScript::Act Answer(QMessageBox::StandardButton which)
    {
        return [this, which](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            icon = box->icon();
            buttons.clear();
            for (QAbstractButton* b : box->buttons())
                buttons << box->standardButton(b);
            buttonTexts.clear();
            for (auto sb : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                if (QAbstractButton* b = box->button(sb))
                    buttonTexts << b->text();
            Click(which)(w);
        };
    }

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
    QStringList buttonTexts;
};

enum class SaveAs { NotAsked, EnterName, Cancel };

struct CloseCase {
    const char* name;
    bool withFile;
    QMessageBox::StandardButton answer;
    SaveAs saveAs;
    bool closes;
    bool saved;
};

void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << c.name;
}

class MainFormCloseQuestion : public MainFormClose, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(MainFormCloseQuestion, AnswerDecidesWhetherTheDocumentIsSavedAndClosed)
{
    const CloseCase& c = GetParam();
    const QString original = c.withFile ? FilePath(QStringLiteral("dokument.wpt")) : QString();
    const QString chosen = FilePath(QStringLiteral("nowy.wpt"));
    QPointer<TfrmBlank> form = ModifiedDocument(original);
    ASSERT_TRUE(form);

    modals.Expect(QStringLiteral("save question"), Is<QMessageBox>(), Answer(c.answer));
    if (c.saveAs == SaveAs::EnterName)
        modals.Expect(QStringLiteral("save dialog"), Is<QFileDialog>(), EnterFileName(chosen));
    else if (c.saveAs == SaveAs::Cancel)
        modals.Expect(QStringLiteral("save dialog"), Is<QFileDialog>(), PressEscape());
    ChooseMenu(FileMenu(), Act("FileClose"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isNull() == c.closes; }, WaitMs));

    ASSERT_EQ(modals.texts.size(), 1);
    EXPECT_EQ(modals.texts[0], QuestionFor(original));
    EXPECT_EQ(modals.captions[0], QStringLiteral("Wplatomat"));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(buttons.size(), 3);
    EXPECT_EQ(buttonTexts, QStringList({QStringLiteral("Tak"), QStringLiteral("Nie"), QStringLiteral("Anuluj")}));

    EXPECT_EQ(form.isNull(), c.closes);
    const QString target = c.withFile ? original : chosen;
    EXPECT_EQ(StoredWithMarker(target), c.saved);
    if (!c.withFile && !c.saved) {
        EXPECT_FALSE(QFileInfo::exists(chosen));
    }
    if (form) {
        EXPECT_TRUE(form->Modified());
        EXPECT_EQ(form->FileName(), original);
    }
    if (c.saveAs == SaveAs::EnterName) {
        EXPECT_EQ(main->RecentFiles().value(0), chosen);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormCloseQuestion,
    ::testing::Values(CloseCase{"FileYes", true, QMessageBox::Yes, SaveAs::NotAsked, true, true},
                      CloseCase{"FileNo", true, QMessageBox::No, SaveAs::NotAsked, true, false},
                      CloseCase{"FileCancel", true, QMessageBox::Cancel, SaveAs::NotAsked, false, false},
                      CloseCase{"NoFileYesSaveAs", false, QMessageBox::Yes, SaveAs::EnterName, true, true},
                      CloseCase{"NoFileYesSaveAsCancelled", false, QMessageBox::Yes, SaveAs::Cancel, false, false},
                      CloseCase{"NoFileNo", false, QMessageBox::No, SaveAs::NotAsked, true, false},
                      CloseCase{"NoFileCancel", false, QMessageBox::Cancel, SaveAs::NotAsked, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFormClose, FailedSaveAfterYesShowsTheErrorAndKeepsTheWindow)
{
    QPointer<TfrmBlank> form = ModifiedDocument(FilePath(QStringLiteral("a.wpt")));
    ASSERT_TRUE(form);
    const QString impossible = FilePath(QStringLiteral("brak/a.wpt"));
    form->SetFileName(impossible);
    modals.Expect(QStringLiteral("save question"), Is<QMessageBox>(), Click(QMessageBox::Yes));
    modals.Expect(QStringLiteral("save error"), Is<QMessageBox>(), Click(QMessageBox::Ok));
    Key(Qt::Key_F4, Qt::ControlModifier);
    Idle();
    ASSERT_EQ(modals.texts.size(), 2);
    EXPECT_EQ(modals.texts[1], QStringLiteral("Nie możma zapisać pliku: ") + impossible);
    EXPECT_EQ(modals.captions[1], QStringLiteral("Wplatomat"));
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->Modified());
}

TEST_F(MainFormClose, UnmodifiedDocumentClosesWithoutAQuestion)
{
    QPointer<TfrmBlank> form = main->CreateBlankForm(bkTransfer, QString());
    Idle();
    ChooseMenu(FileMenu(), Act("FileClose"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isNull(); }, WaitMs));
    EXPECT_TRUE(modals.texts.isEmpty());
}

// The name in the question, of the two documents' files.
QString Named(const QString& question, const QString& a, const QString& b)
{
    if (question == QuestionFor(a))
        return a;
    if (question == QuestionFor(b))
        return b;
    return QString();
}

TEST_F(MainFormClose, ExitAsksAboutEachModifiedDocumentAndSavesTheOneNamed)
{
    const QString a = FilePath(QStringLiteral("a.wpt"));
    const QString b = FilePath(QStringLiteral("b.wpt"));
    ModifiedDocument(a);
    ModifiedDocument(b);
    modals.Expect(QStringLiteral("first question"), Is<QMessageBox>(), Click(QMessageBox::Yes));
    modals.Expect(QStringLiteral("second question"), Is<QMessageBox>(), Click(QMessageBox::No));
    ChooseMenu(FileMenu(), Act("FileExit"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main->isVisible(); }, WaitMs));

    ASSERT_EQ(modals.texts.size(), 2);
    const QString saved = Named(modals.texts[0], a, b);
    const QString notSaved = Named(modals.texts[1], a, b);
    ASSERT_FALSE(saved.isEmpty()) << modals.texts[0].toStdString();
    ASSERT_FALSE(notSaved.isEmpty()) << modals.texts[1].toStdString();
    EXPECT_NE(saved, notSaved);
    EXPECT_TRUE(StoredWithMarker(saved));
    EXPECT_FALSE(StoredWithMarker(notSaved));
}

TEST_F(MainFormClose, OneRefusalKeepsTheProgramAndEveryDocumentOpen)
{
    QPointer<TfrmBlank> first = ModifiedDocument(FilePath(QStringLiteral("a.wpt")));
    QPointer<TfrmBlank> second = ModifiedDocument(FilePath(QStringLiteral("b.wpt")));
    modals.Expect(QStringLiteral("first question"), Is<QMessageBox>(), Click(QMessageBox::No));
    modals.Expect(QStringLiteral("second question"), Is<QMessageBox>(), Click(QMessageBox::Cancel));
    Key(Qt::Key_F4, Qt::AltModifier);
    Idle(100);
    EXPECT_EQ(modals.texts.size(), 2);
    EXPECT_TRUE(main->isVisible());
    ASSERT_TRUE(first && second) << "a document answered No must not be lost while the program stays";
    EXPECT_TRUE(first->Modified());
    EXPECT_TRUE(second->Modified());
}

TEST_F(MainFormClose, CancelOnTheFirstQuestionAsksNoFurther)
{
    ModifiedDocument(FilePath(QStringLiteral("a.wpt")));
    ModifiedDocument(FilePath(QStringLiteral("b.wpt")));
    modals.Expect(QStringLiteral("first question"), Is<QMessageBox>(), Click(QMessageBox::Cancel));
    ChooseMenu(FileMenu(), Act("FileExit"));
    Idle(100);
    EXPECT_EQ(modals.texts.size(), 1);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->BlankForms().size(), 2);
}

TEST_F(MainFormClose, ExitWithUnmodifiedDocumentsAsksNothing)
{
    main->CreateBlankForm(bkTransfer, QString());
    main->CreateBlankForm(bkMoneyOrder, QString());
    Idle();
    ChooseMenu(FileMenu(), Act("FileExit"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main->isVisible(); }, WaitMs));
    EXPECT_TRUE(modals.texts.isEmpty());
}

class MainFormSaveAs : public MainFormClose {
protected:
    void SetUp() override
    {
        MainFormClose::SetUp();
        first = FilePath(QStringLiteral("a.wpt"));
        existing = FilePath(QStringLiteral("b.wpt"));
        WriteBytes(existing, QByteArray("stary plik"));
        form = ModifiedDocument(first);
        ASSERT_TRUE(form);
    }

    QByteArray Contents(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString first;
    QString existing;
    QPointer<TfrmBlank> form;
};

TEST_F(MainFormSaveAs, ReplacingAFileIsAskedAndNoKeepsIt)
{
    modals.Expect(QStringLiteral("save dialog"), Is<QFileDialog>(), EnterFileName(existing));
    modals.Expect(QStringLiteral("replace question"), Is<QMessageBox>(), Click(QMessageBox::No));
    modals.Expect(QStringLiteral("save dialog again"), Is<QFileDialog>(), PressEscape());
    Key(Qt::Key_F12);
    EXPECT_EQ(Contents(existing), QByteArray("stary plik"));
    EXPECT_EQ(form->FileName(), first);
    EXPECT_TRUE(form->Modified());
    EXPECT_FALSE(main->RecentFiles().contains(existing));
}

TEST_F(MainFormSaveAs, ReplacingAFileAnsweredYesSavesThereAndListsIt)
{
    modals.Expect(QStringLiteral("save dialog"), Is<QFileDialog>(), EnterFileName(existing));
    modals.Expect(QStringLiteral("replace question"), Is<QMessageBox>(), Click(QMessageBox::Yes));
    Key(Qt::Key_F12);
    EXPECT_TRUE(StoredWithMarker(existing));
    EXPECT_EQ(form->FileName(), existing);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("b.wpt[*]"));
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(main->RecentFiles().value(0), existing);
}

TEST_F(MainFormSaveAs, DialogStartsAtTheDocumentsFile)
{
    QString shownDir;
    modals.Expect(QStringLiteral("save dialog"), Is<QFileDialog>(), [&shownDir](QWidget* w) {
        shownDir = static_cast<QFileDialog*>(w)->directory().absolutePath();
        PressEscape()(w);
    });
    ChooseMenu(FileMenu(), Act("FileSaveAs"));
    EXPECT_EQ(shownDir, QFileInfo(first).absolutePath());
}

TEST_F(MainFormSaveAs, NewNameWithoutExtensionGetsWpt)
{
    modals.Expect(QStringLiteral("save dialog"), Is<QFileDialog>(), EnterFileName(FilePath(QStringLiteral("trzeci"))));
    Key(Qt::Key_F12);
    EXPECT_EQ(form->FileName(), FilePath(QStringLiteral("trzeci.wpt")));
    EXPECT_TRUE(StoredWithMarker(FilePath(QStringLiteral("trzeci.wpt"))));
}

TEST_F(MainFormSaveAs, CtrlSSavesToTheDocumentsOwnFileWithoutADialog)
{
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(StoredWithMarker(first));
    EXPECT_FALSE(form->Modified());
}

TEST_F(MainFormClose, CtrlSOnADocumentWithoutAFileAsksForOne)
{
    QPointer<TfrmBlank> form = ModifiedDocument(QString());
    const QString chosen = FilePath(QStringLiteral("c.wpt"));
    modals.Expect(QStringLiteral("save dialog"), Is<QFileDialog>(), EnterFileName(chosen));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(form->FileName(), chosen);
    EXPECT_TRUE(StoredWithMarker(chosen));
    EXPECT_EQ(main->RecentFiles(), QStringList({chosen}));
}

} // namespace
} // namespace MainFormTest
