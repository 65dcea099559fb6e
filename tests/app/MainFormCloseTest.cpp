// Closing documents and the program: the save question and its three
// answers, ending with two documents, and Save As over an existing file.
#include "MainFormTestSupport.h"

namespace MainFormTest {
namespace {

using MainFormTest::operator<<; // the cases print as their names

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

class MainFormClose : public MainFormShown {
protected:
    // A document with a file (or none) that the user has typed into, or not.
    TfrmBlank* Document(const QString& path, bool typed = true)
    {
        if (!path.isEmpty())
            WriteDocument(path, bkTransfer);
        TfrmBlank* form = main->CreateBlankForm(path.isEmpty() ? bkTransfer : 0, path);
        Idle();
        if (typed) {
            TypeInto(form, Marker);
            EXPECT_TRUE(form && form->Modified());
        }
        return form;
    }
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

class MainFormCloseQuestion : public MainFormClose, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(MainFormCloseQuestion, AnswerDecidesWhetherTheDocumentIsSavedAndClosed)
{
    const CloseCase& c = GetParam();
    const QString original = c.withFile ? FilePath(QStringLiteral("dokument.wpt")) : QString();
    const QString chosen = FilePath(QStringLiteral("nowy.wpt"));
    QPointer<TfrmBlank> form = Document(original);
    ASSERT_TRUE(form);

    QStringList buttonTexts;
    modals.Expect<QMessageBox>([&buttonTexts, &c](QWidget* w) {
        auto* box = static_cast<QMessageBox*>(w);
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->buttons().size(), 3);
        for (auto sb : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (QAbstractButton* b = box->button(sb))
                buttonTexts << b->text();
        Click(c.answer)(w);
    });
    if (c.saveAs != SaveAs::NotAsked)
        modals.Expect<QFileDialog>(c.saveAs == SaveAs::EnterName ? EnterFileName(chosen) : PressEscape());
    ChooseMenu(FileMenu(), Act("FileClose"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isNull() == c.closes; }, WaitMs));

    EXPECT_EQ(modals.texts, QStringList({QuestionFor(original)}));
    EXPECT_EQ(modals.captions, QStringList({QStringLiteral("Wplatomat")}));
    EXPECT_EQ(buttonTexts, QStringList({QStringLiteral("Tak"), QStringLiteral("Nie"), QStringLiteral("Anuluj")}));
    EXPECT_EQ(form.isNull(), c.closes);
    EXPECT_EQ(StoredWithMarker(c.withFile ? original : chosen), c.saved);
    if (!c.withFile && !c.saved)
        EXPECT_FALSE(QFileInfo::exists(chosen));
    if (form) {
        EXPECT_TRUE(form->Modified());
        EXPECT_EQ(form->FileName(), original);
    }
    if (c.saveAs == SaveAs::EnterName)
        EXPECT_EQ(main->RecentFiles().value(0), chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormCloseQuestion,
    ::testing::Values(CloseCase{"FileYes", true, QMessageBox::Yes, SaveAs::NotAsked, true, true},
                      CloseCase{"FileNo", true, QMessageBox::No, SaveAs::NotAsked, true, false},
                      CloseCase{"FileCancel", true, QMessageBox::Cancel, SaveAs::NotAsked, false, false},
                      CloseCase{"NoFileYesSaveAs", false, QMessageBox::Yes, SaveAs::EnterName, true, true},
                      CloseCase{"NoFileYesSaveAsCancelled", false, QMessageBox::Yes, SaveAs::Cancel, false, false},
                      CloseCase{"NoFileNo", false, QMessageBox::No, SaveAs::NotAsked, true, false},
                      CloseCase{"NoFileCancel", false, QMessageBox::Cancel, SaveAs::NotAsked, false, false}), CaseName);

// Ending the program with two documents: one question for each modified one,
// in either order; a Cancel keeps the program and every document.
struct ExitCase {
    const char* name;
    bool modified;
    std::vector<QMessageBox::StandardButton> answers;
    bool byAltF4;
    bool exits;
};

class MainFormExit : public MainFormClose, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(MainFormExit, ExitAsksAboutEachModifiedDocumentAndSavesOnlyTheOnesAnsweredYes)
{
    const ExitCase& c = GetParam();
    const QStringList paths{FilePath(QStringLiteral("a.wpt")), FilePath(QStringLiteral("b.wpt"))};
    QList<QPointer<TfrmBlank>> forms;
    for (const QString& path : paths)
        forms << Document(path, c.modified);
    for (QMessageBox::StandardButton answer : c.answers)
        modals.Expect<QMessageBox>(Click(answer));
    if (c.byAltF4)
        Key(Qt::Key_F4, Qt::AltModifier);
    else
        ChooseMenu(FileMenu(), Act("FileExit"));
    if (c.exits)
        EXPECT_TRUE(QTest::qWaitFor([&] { return !main->isVisible(); }, WaitMs));
    else
        Idle(100);

    ASSERT_EQ(modals.texts.size(), static_cast<qsizetype>(c.answers.size()));
    QStringList asked;
    for (int i = 0; i < modals.texts.size(); ++i) {
        const auto named = std::find_if(paths.begin(), paths.end(),
                                        [&](const QString& p) { return modals.texts[i] == QuestionFor(p); });
        ASSERT_NE(named, paths.end()) << modals.texts[i].toStdString();
        EXPECT_FALSE(asked.contains(*named)) << "asked twice";
        asked << *named;
        EXPECT_EQ(StoredWithMarker(*named), c.answers[i] == QMessageBox::Yes);
    }
    EXPECT_EQ(main->isVisible(), !c.exits);
    if (!c.exits) {
        for (const auto& form : forms) {
            ASSERT_TRUE(form) << "a document answered No must not be lost while the program stays";
            EXPECT_TRUE(form->Modified());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainFormExit,
    ::testing::Values(ExitCase{"YesNo", true, {QMessageBox::Yes, QMessageBox::No}, false, true},
                      ExitCase{"NoCancel", true, {QMessageBox::No, QMessageBox::Cancel}, true, false},
                      ExitCase{"CancelAsksNoFurther", true, {QMessageBox::Cancel}, false, false},
                      ExitCase{"UnmodifiedAsksNothing", false, {}, true, true}), CaseName);

// No keeps the old file and shows the dialog again; Yes saves there.
TEST_F(MainFormClose, SaveAsAsksBeforeReplacingAFile)
{
    const QString first = FilePath(QStringLiteral("a.wpt"));
    const QString existing = FilePath(QStringLiteral("b.wpt"));
    WriteBytes(existing, QByteArray("stary plik"));
    QPointer<TfrmBlank> form = Document(first);
    ASSERT_TRUE(form);
    for (bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "Tak" : "Nie");
        modals.Expect<QFileDialog>(EnterFileName(existing));
        modals.Expect<QMessageBox>(Click(replace ? QMessageBox::Yes : QMessageBox::No));
        if (!replace)
            modals.Expect<QFileDialog>(PressEscape());
        Key(Qt::Key_F12);
        QFile stored(existing);
        ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
        EXPECT_EQ(stored.readAll() == QByteArray("stary plik"), !replace);
        EXPECT_EQ(StoredWithMarker(existing), replace);
        EXPECT_EQ(form->FileName(), replace ? existing : first);
        EXPECT_EQ(form->Modified(), !replace);
        EXPECT_EQ(main->RecentFiles().contains(existing), replace);
    }
    EXPECT_EQ(form->windowTitle(), QStringLiteral("b.wpt[*]"));
}

} // namespace
} // namespace MainFormTest
