#pragma once

#include "helpers/PdfText.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "app/MainFormUnit.h"
#include "app/untNewBlank.h"
#include "document/BlankEditorsTags.h"
#include "document/BlankFormUnit.h"
#include "drawing/BackBuffer.h"
#include "drawing/untCommon.h"
#include "platform/Printer.h"
#include "platform/Registry.h"
#include "printing/untPrintSelect.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>

namespace MainFormTest {

inline const QString AppKey = "Software\\Korvex\\Wplatomat";
constexpr int WaitMs = 5000;
using Answer = std::function<void(QWidget*)>;

// Answers modal dialogs and pop-up menus in the expected order from inside their loops; anything
// else, or an answer that leaves its dialog open, fails and is closed: no test hangs on a dialog.
class ModalScript : public QObject {
public:
    ModalScript() { startTimer(10); }
    template <class T>
    void Expect(Answer act)
    {
        steps.push_back({[](QWidget* w) { return qobject_cast<T*>(w) != nullptr; }, act});
    }
    QStringList texts; // of the message boxes answered
    QList<std::pair<std::function<bool(QWidget*)>, Answer>> steps;

private:
    void timerEvent(QTimerEvent*) override
    {
        m_answered.removeIf([](const QPointer<QWidget>& w) { return !w || !w->isVisible(); });
        if (!m_answered.contains(m_last))
            m_last = nullptr;
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        if (!shown)
            return;
        // A dialog answered before may come again as the next step, or still be closing: it fails if it stays.
        const bool next = shown != m_last && !steps.empty() && steps.front().first(shown);
        const bool closing = !next && m_answered.contains(shown);
        m_ticks = closing ? m_ticks + 1 : 0;
        if (closing && m_ticks < WaitMs / 10)
            return;
        if (!next) {
            ADD_FAILURE() << "still open or unexpected: " << shown->metaObject()->className();
            shown->close();
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(shown)) {
            texts << box->text();
            // Boxes of the main window carry its caption; the second topic's greeting has none.
            const QString caption = box->text() == "Isok" ? QString() : QStringLiteral("Wplatomat");
            if (!qobject_cast<QFileDialog*>(box->parent()))
                EXPECT_EQ(box->windowTitle(), caption);
        }
        m_answered << shown;
        m_last = shown;
        // Out of this event: the answer may open a nested dialog whose loop must see the timer.
        QTimer::singleShot(0, shown, [shown, act = steps.front().second] { act(shown); });
        steps.removeFirst();
    }
    QList<QPointer<QWidget>> m_answered; // not hidden since
    QPointer<QWidget> m_last;
    int m_ticks = 0;
};

// Idle as between a user's key strokes (QTest::qWait never blocks, so action states stay stale).
inline void Idle(int ms = 20)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
inline Answer Click(QMessageBox::StandardButton which)
{
    return [which](QWidget* w) { QTest::mouseClick(static_cast<QMessageBox*>(w)->button(which), Qt::LeftButton); };
}
// A button's access key, as the desktop's question boxes take it, or Esc.
inline Answer Press(Qt::Key key)
{
    return [key](QWidget* w) { QTest::keyClick(w, key); };
}
inline Answer Reject()
{
    return [](QWidget* w) { static_cast<QDialog*>(w)->reject(); };
}
// Checks the folder and the name a file dialog offers, then answers it.
inline Answer Offered(const QString& folder, const QString& name, const Answer& then)
{
    return [=](QWidget* w) {
        EXPECT_EQ(static_cast<QFileDialog*>(w)->directory().absolutePath(), folder);
        EXPECT_EQ(w->findChild<QLineEdit*>("fileNameEdit")->text(), name);
        then(w);
    };
}
inline Answer ClickChild(const char* name)
{
    return [name](QWidget* w) { QTest::mouseClick(w->findChild<QAbstractButton*>(name), Qt::LeftButton); };
}
inline Answer EnterFileName(const QString& path)
{
    return [path](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>("fileNameEdit");
        edit->setText(path);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}
// A button of the chooser's group, by its place from the top, clicked with the mouse.
inline Answer ClickChooser(const char* group, int index = 0)
{
    return [=](QWidget* w) {
        QTest::mouseClick(w->findChild<QWidget*>(group), Qt::LeftButton, {}, {100, 34 + 68 * index});
    };
}
inline void WriteDocument(const QString& path, quint16 kind, const QString& sender = QString())
{
    TfrmBlank form(nullptr, kind);
    form.SetEditorValue(EditorTags::Nadawca, sender);
    form.SetFileName(path);
    form.Save();
}
inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}
// Whether the document stored there reads back with that sender.
inline bool StoredWith(const QString& path, const QString& sender)
{
    if (!QFileInfo::exists(path))
        return false;
    TfrmBlank stored(nullptr, path);
    return !stored.IsClosing() && stored.Nadawca().join(QString()) == sender;
}

class MainFormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setApplicationName("Wplatomat");
        InitializeCommonUnit();
        InitializeBackBuffer();
        const QStringList queues = {"pdf", "druga"};
        const QMarginsF margins(5, 5, 5, 5);
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(spool.path(), queues, 300, QPageSize::A4, margins));
        CreateMainForm();
    }
    void TearDown() override
    {
        DestroyMainForm();
        FinalizeBackBuffer();
        FinalizeCommonUnit();
        EXPECT_EQ(modals.steps.size(), 0) << "dialogs that never came";
    }
    void CreateMainForm()
    {
        main = std::make_unique<TMainForm>();
        InitializeNewBlank(main.get());
        frmNewBlank()->SetRecentMenu(main->ReOpenMenu());
        InitializePrintSelect([m = main.get()] { m->Action("FilePrinterSettings")->trigger(); });
    }
    void DestroyMainForm()
    {
        FinalizePrintSelect();
        FinalizeNewBlank();
        main.reset();
    }
    // The start timer is stopped unless a test is about it: its chooser would stand in the way.
    void ShowMain(bool keepStartTimer = false)
    {
        main->show();
        if (!keepStartTimer)
            main->findChild<QTimer*>("tmrWizard")->stop();
        Activate();
    }
    QAction* Act(const char* name) const { return main->Action(name); }
    QWidget* Button(const char* action) const { return main->findChild<QToolBar*>()->widgetForAction(Act(action)); }
    QString FilePath(const QString& name) const { return files.filePath(name); }
    QStringList OpenedFiles() const
    {
        QStringList names;
        for (TfrmBlank* form : main->BlankForms())
            names << form->FileName();
        return names;
    }
    void Activate()
    {
        Idle();
        main->activateWindow();
        // Not qWaitForWindowActive: a closed menu still counts as active, and keeps the shortcuts.
        EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == main.get(); }, WaitMs));
    }
    void TypeInto(TfrmBlank* form, const QString& text)
    {
        Activate();
        auto* editor = qobject_cast<QPlainTextEdit*>(form->EditorOfTag(EditorTags::Nadawca));
        QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    // A key to the focused widget; the offscreen platform gives no window back its activation.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Activate();
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !focus->isVisible())
            focus = main.get();
        QTest::keyClick(focus, Qt::Key(key), modifiers);
        Idle();
    }
    void ChooseMenu(QAction* item)
    {
        Activate();
        QMenuBar* bar = main->menuBar();
        auto* menu = main->findChild<QMenu*>("MenuFile");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, WaitMs));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        Idle();
    }
    int Jobs() const { return static_cast<const TPdfFileSpooler&>(Printer().Spooler()).JobCount("pdf"); }
    // The first job's text without blanks: the coupons print a letter a cell.
    QString PrintedText() const { return AllText(ReadPdfWords(spool.filePath("pdf-1.pdf")).words).remove(u' '); }

    TempConfig config;
    QTemporaryDir files;
    QTemporaryDir spool;
    ModalScript modals;
    std::unique_ptr<TMainForm> main;
};

} // namespace MainFormTest
