#pragma once

// The main window as the program runs it: its chooser and print dialog, a
// private registry and data folder, PDF files in place of printers, and a
// script that answers the modal dialogs a test expects.
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

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace MainFormTest {

inline const QString AppKey = QStringLiteral("Software\\Korvex\\Wplatomat");
constexpr int WaitMs = 5000;

inline std::string Describe(QWidget* w)
{
    QString text = QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(w))
        text += QStringLiteral(": ") + box->text();
    return text.toStdString();
}

// Answers modal dialogs and pop-up menus in the order a test expects them,
// from inside their own event loops. Anything else that shows up, or an
// answered dialog that stays open, is a failure and is closed, so a test
// can never hang on a dialog.
class ModalScript : public QObject {
public:
    using Act = std::function<void(QWidget*)>;

    ModalScript()
    {
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start(TickMs);
    }

    // The next dialog or pop-up menu to come is a T, answered by act.
    template <class T>
    void Expect(Act act)
    {
        m_steps.push_back({T::staticMetaObject.className(), [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
                           std::move(act)});
    }

    QStringList Pending() const
    {
        QStringList names;
        for (const Step& s : m_steps)
            names << QString::fromLatin1(s.what);
        return names;
    }
    // Texts and captions of the message boxes answered, in order.
    QStringList texts;
    QStringList captions;

private:
    static constexpr int TickMs = 10;
    struct Step {
        const char* what;
        std::function<bool(QWidget*)> matches;
        Act act;
    };

    static void Fail(QWidget* w, const std::string& why)
    {
        ADD_FAILURE() << why << Describe(w);
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
    }

    void Poll()
    {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        if (!shown || !shown->isVisible() || shown != m_last)
            m_stuckTicks = 0;
        if (!shown || !shown->isVisible())
            return;
        if (shown == m_last) {
            if (++m_stuckTicks * TickMs > WaitMs) {
                m_stuckTicks = 0;
                Fail(shown, "still open after its answer: ");
            }
            return;
        }
        if (m_steps.empty() || !m_steps.front().matches(shown)) {
            Fail(shown, "waiting for " + (m_steps.empty() ? std::string("nothing") : m_steps.front().what)
                            + ", unexpected: ");
            return;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        if (auto* box = qobject_cast<QMessageBox*>(shown)) {
            texts << box->text();
            captions << box->windowTitle();
        }
        m_last = shown;
        shown->installEventFilter(this);
        // Out of this timer's slot: the answer may open a nested dialog,
        // whose loop must see this timer again.
        QPointer<QWidget> target = shown;
        QTimer::singleShot(0, this, [target, act = std::move(step.act)] {
            if (target)
                act(target);
        });
    }

    // A dialog hidden after its answer may come again as the next step.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_last && event->type() == QEvent::Hide)
            m_last = nullptr;
        return false;
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    QPointer<QWidget> m_last;
    int m_stuckTicks = 0;
};

// Clicks one of a message box's buttons with the mouse. A missing control
// fails the test; the script then closes the dialog.
inline ModalScript::Act Click(QMessageBox::StandardButton which)
{
    return [which](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QAbstractButton* button = box ? box->button(which) : nullptr;
        ASSERT_NE(button, nullptr) << Describe(w);
        QTest::mouseClick(button, Qt::LeftButton);
    };
}

// Clicks a dialog's child button by its object name.
inline ModalScript::Act ClickChild(const char* name)
{
    return [name](QWidget* w) {
        auto* child = w->findChild<QAbstractButton*>(QLatin1String(name));
        ASSERT_NE(child, nullptr) << name;
        QTest::mouseClick(child, Qt::LeftButton);
    };
}

// Types a path into a file dialog's name field and presses Enter.
inline ModalScript::Act EnterFileName(const QString& path)
{
    return [path](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr) << Describe(w);
        edit->setFocus();
        edit->setText(path);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

inline ModalScript::Act PressEscape()
{
    return [](QWidget* w) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && w->isAncestorOf(focus) ? focus : w, Qt::Key_Escape);
    };
}

// Notes a pop-up menu's item texts and clicks the item at index.
inline ModalScript::Act PickMenuItem(int index, QStringList* offered)
{
    return [index, offered](QWidget* w) {
        auto* menu = qobject_cast<QMenu*>(w);
        for (QAction* a : menu->actions())
            *offered << a->text();
        QAction* item = menu->actions().value(index);
        ASSERT_NE(item, nullptr) << index;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    };
}

// Lets the program go idle, as it is between a user's key strokes.
inline void Idle(int ms = 20)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A document written by the program's own writer, with a recipient if given.
inline void WriteDocument(const QString& path, quint16 kind, const QString& recipient = QString())
{
    TfrmBlank form(nullptr, kind);
    if (!recipient.isEmpty())
        form.SetEditorValue(EditorTags::Odbiorca, recipient);
    form.SetFileName(path);
    form.Save();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// "&1  path", "&2  path", ... as the recent-file items read.
inline QStringList Numbered(const QStringList& paths)
{
    QStringList captions;
    for (int i = 0; i < paths.size(); ++i)
        captions << QStringLiteral("&%1  %2").arg(i + 1).arg(paths[i]);
    return captions;
}

// A case of a table prints as its name, and its test is named by it.
template <class Case>
auto operator<<(std::ostream& os, const Case& c) -> decltype(os << c.name)
{
    return os << c.name;
}
inline constexpr auto CaseName = [](const auto& info) { return std::string(info.param.name); };

class MainFormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(files.isValid() && spool.isValid());
        // As the program names itself at start; the main window takes its caption from it.
        QApplication::setApplicationName(QStringLiteral("Wplatomat"));
        InitializeCommonUnit();
        InitializeBackBuffer();
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(spool.path(), QStringList{QStringLiteral("pdf")}, 300,
                                                               QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5)));
        BeforeMainForm();
        CreateMainForm();
    }

    void TearDown() override
    {
        QDir::setCurrent(oldCurrent);
        DestroyMainForm();
        FinalizeBackBuffer();
        FinalizeCommonUnit();
        EXPECT_TRUE(modals.Pending().isEmpty())
            << "never came: " << modals.Pending().join(QLatin1Char(' ')).toStdString();
    }

    // Registry set-up that the main window's creation is to find.
    virtual void BeforeMainForm() {}

    void CreateMainForm()
    {
        main = std::make_unique<TMainForm>();
        main->SetCommandLine({QStringLiteral("wplatomat")});
        InitializeNewBlank(main.get());
        frmNewBlank()->SetRecentMenu(main->ReOpenMenu());
        InitializePrintSelect();
        TMainForm* m = main.get();
        frmPrintSelect()->OnPrinterSettings = [m] { m->Action("FilePrinterSettings")->trigger(); };
    }

    void DestroyMainForm()
    {
        FinalizePrintSelect();
        FinalizeNewBlank();
        main.reset();
    }

    // Shown and active as a user meets it. The start timer is stopped unless
    // a test is about it, as its chooser would stand in every other test's way.
    void ShowMain(bool keepStartTimer = false)
    {
        main->show();
        if (!keepStartTimer)
            StartTimer()->stop();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get(), WaitMs));
    }

    QTimer* StartTimer() const { return main->findChild<QTimer*>(QStringLiteral("tmrWizard")); }
    QAction* Act(const char* name) const
    {
        QAction* a = main->Action(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    QMdiArea* Area() const { return main->findChild<QMdiArea*>(QStringLiteral("MdiArea")); }
    QMenu* FileMenu() const { return main->findChild<QMenu*>(QStringLiteral("MenuFile")); }
    QToolBar* ToolBar() const { return main->findChild<QToolBar*>(QStringLiteral("ToolBar1")); }
    QWidget* Button(const char* action) const { return ToolBar()->widgetForAction(Act(action)); }

    QString FilePath(const QString& name) const { return files.filePath(name); }
    QString Doc(const QString& name, quint16 kind = bkTransfer)
    {
        const QString path = FilePath(name);
        WriteDocument(path, kind);
        return path;
    }

    QStringList OpenedFiles() const
    {
        QStringList names;
        for (TfrmBlank* form : main->BlankForms())
            names << form->FileName();
        return names;
    }

    // Types into the document's sender field, as a user edits a form.
    void TypeInto(TfrmBlank* form, const QString& text)
    {
        auto* memo = form ? qobject_cast<QPlainTextEdit*>(form->EditorOfTag(EditorTags::Nadawca)) : nullptr;
        ASSERT_NE(memo, nullptr);
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClicks(QApplication::focusWidget(), text);
        ASSERT_TRUE(form->isAncestorOf(QApplication::focusWidget()));
        Idle();
    }

    // Sends a key to the widget with the focus, or to the main window. A
    // window manager gives the main window back its activation when a dialog
    // closes; the offscreen platform leaves no window active.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        if (!QApplication::activeWindow() && !QApplication::activeModalWidget() && main->isVisible()) {
            main->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(main.get(), WaitMs));
        }
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : main.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }

    // Chooses an item of a main-menu menu with the mouse: the menu's title
    // in the menu bar, then the item.
    void ChooseMenu(QMenu* menu, QAction* item)
    {
        QMenuBar* bar = main->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, WaitMs)) << "menu did not open";
        ASSERT_TRUE(item->isEnabled()) << item->text().toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }

    // Ctrl+O and the name typed into the open dialog; then, if expected, a
    // message box answered OK.
    void OpenByDialog(const QString& typed, bool message = false)
    {
        modals.Expect<QFileDialog>(EnterFileName(typed));
        if (message)
            modals.Expect<QMessageBox>(Click(QMessageBox::Ok));
        Idle();
        Key(Qt::Key_O, Qt::ControlModifier);
        Idle();
    }

    int Jobs() const
    {
        return static_cast<const TPdfFileSpooler&>(Printer().Spooler()).JobCount(QStringLiteral("pdf"));
    }

    // The "&Plik" menu's items after its last separator.
    QStringList TailOfFileMenu() const
    {
        const QList<QAction*> items = FileMenu()->actions();
        QStringList captions;
        for (QAction* a : items) {
            if (a->isSeparator())
                captions.clear();
            else
                captions << a->text();
        }
        return captions;
    }

    const QString oldCurrent = QDir::currentPath();
    TempConfig config;
    QTemporaryDir files;
    QTemporaryDir spool;
    ModalScript modals;
    std::unique_ptr<TMainForm> main;
};

// Shown and active before the test begins.
class MainFormShown : public MainFormFixture {
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        ShowMain();
    }
};

} // namespace MainFormTest
