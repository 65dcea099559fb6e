#pragma once

// The main window as the program runs it: its chooser and print dialog, a
// private registry and data folder, PDF files in place of printers, and a
// script that answers the modal dialogs a test expects.
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "app/MainFormUnit.h"
#include "app/untNewBlank.h"
#include "document/BackBuffer.h"
#include "document/BlankEditorsTags.h"
#include "document/BlankFormUnit.h"
#include "drawing/untCommon.h"
#include "platform/Printer.h"
#include "platform/Registry.h"
#include "printing/untPrintSelect.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
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

inline QString Describe(QWidget* w)
{
    QString text = QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(w))
        text += QStringLiteral(": ") + box->text();
    return text;
}

// Answers modal dialogs and pop-up menus in the order a test expects them,
// from inside their own event loops. Anything else that shows up, or an
// answered dialog that stays open, is a failure and is closed, so a test
// can never hang on a dialog.
class ModalScript : public QObject {
public:
    using Matcher = std::function<bool(QWidget*)>;
    using Act = std::function<void(QWidget*)>;

    ModalScript()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start();
    }

    void Expect(const QString& what, Matcher matches, Act act)
    {
        m_steps.push_back({what, std::move(matches), std::move(act)});
    }

    bool Finished() const { return m_steps.empty(); }
    QStringList Pending() const
    {
        QStringList names;
        for (const Step& s : m_steps)
            names << s.what;
        return names;
    }
    // Texts of the message boxes answered, in order.
    QStringList texts;
    // Captions of the message boxes answered, in order.
    QStringList captions;
    QStringList failures;

private:
    struct Step {
        QString what;
        Matcher matches;
        Act act;
    };

    static void Dismiss(QWidget* w)
    {
        if (auto* menu = qobject_cast<QMenu*>(w))
            menu->close();
        else if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
    }

    void Poll()
    {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        if (m_last && !m_last->isVisible())
            m_last = nullptr;
        if (!shown || !shown->isVisible()) {
            m_stuckTicks = 0;
            return;
        }
        if (shown == m_last) {
            if (++m_stuckTicks * m_timer.interval() > WaitMs) {
                failures << QStringLiteral("still open after its answer: ") + Describe(shown);
                ADD_FAILURE() << failures.back().toStdString();
                m_stuckTicks = 0;
                Dismiss(shown);
            }
            return;
        }
        m_stuckTicks = 0;
        if (m_steps.empty() || !m_steps.front().matches(shown)) {
            failures << QStringLiteral("unexpected: ") + Describe(shown)
                            + (m_steps.empty() ? QString() : QStringLiteral(" (waiting for ") + m_steps.front().what
                                                                 + QLatin1Char(')'));
            ADD_FAILURE() << failures.back().toStdString();
            Dismiss(shown);
            return;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        if (auto* box = qobject_cast<QMessageBox*>(shown)) {
            texts << box->text();
            captions << box->windowTitle();
        }
        m_last = shown;
        // Out of this timer's slot: the answer may open a nested dialog,
        // whose loop must see this timer again.
        QPointer<QWidget> target = shown;
        QTimer::singleShot(0, this, [target, act = std::move(step.act)] {
            if (target)
                act(target);
        });
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    QPointer<QWidget> m_last;
    int m_stuckTicks = 0;
};

template <class T>
ModalScript::Matcher Is()
{
    return [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; };
}

// Clicks one of a message box's buttons with the mouse.
inline ModalScript::Act Click(QMessageBox::StandardButton which)
{
    return [which](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QAbstractButton* button = box ? box->button(which) : nullptr;
        if (!button) {
            ADD_FAILURE() << "no such button on " << Describe(w).toStdString();
            qobject_cast<QDialog*>(w)->reject();
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    };
}

// Types a path into a file dialog's name field and presses Enter.
inline ModalScript::Act EnterFileName(const QString& path)
{
    return [path](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!edit) {
            ADD_FAILURE() << "no file name field in " << Describe(w).toStdString();
            qobject_cast<QDialog*>(w)->reject();
            return;
        }
        edit->setFocus();
        edit->setText(path);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

inline ModalScript::Act PressEscape()
{
    return [](QWidget* w) {
        QWidget* target = QApplication::focusWidget() && w->isAncestorOf(QApplication::focusWidget())
                              ? QApplication::focusWidget()
                              : w;
        QTest::keyClick(target, Qt::Key_Escape);
    };
}

inline ModalScript::Act ClickMenuItem(std::function<QAction*(QMenu*)> which)
{
    return [which](QWidget* w) {
        auto* menu = qobject_cast<QMenu*>(w);
        QAction* item = menu ? which(menu) : nullptr;
        if (!item) {
            ADD_FAILURE() << "no such item in " << Describe(w).toStdString();
            w->close();
            return;
        }
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

// A document written by the program's own writer.
inline void WriteDocument(const QString& path, quint16 kind, bool smallReceipt = false)
{
    TfrmBlank form(nullptr, kind);
    if (smallReceipt)
        form.SetEditorValue(EditorTags::MalePokwit, true);
    form.SetFileName(path);
    form.Save();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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
        DestroyMainForm();
        FinalizeBackBuffer();
        FinalizeCommonUnit();
        EXPECT_TRUE(modals.Finished()) << "dialogs that never came: "
                                       << modals.Pending().join(QStringLiteral(", ")).toStdString();
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

    QString FilePath(const QString& name) const { return files.filePath(name); }
    QString Doc(const QString& name, quint16 kind = bkTransfer)
    {
        const QString path = FilePath(name);
        WriteDocument(path, kind);
        return path;
    }

    // A window manager gives the main window back its activation when a
    // dialog closes; the offscreen platform leaves no window active.
    void Reactivate()
    {
        if (QApplication::activeWindow() || QApplication::activeModalWidget() || !main->isVisible())
            return;
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get(), WaitMs));
    }

    // Sends a key to the widget with the focus, or to the main window.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Reactivate();
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

    int Jobs() const
    {
        return static_cast<const TPdfFileSpooler&>(Printer().Spooler()).JobCount(QStringLiteral("pdf"));
    }

    QStringList Captions(QMenu* menu, const QString& prefix) const
    {
        QStringList captions;
        for (QAction* a : menu->actions())
            if (a->objectName().startsWith(prefix))
                captions << a->text();
        return captions;
    }

    TempConfig config;
    QTemporaryDir files;
    QTemporaryDir spool;
    ModalScript modals;
    std::unique_ptr<TMainForm> main;
};

} // namespace MainFormTest
