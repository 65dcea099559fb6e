#pragma once

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
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>

namespace MainFormTest {

inline const QString AppKey = QStringLiteral("Software\\Korvex\\Wplatomat");
constexpr int WaitMs = 5000;
using Answer = std::function<void(QWidget*)>;

// Answers modal dialogs and pop-up menus in the expected order from inside their loops; anything
// else, or an answer that leaves its dialog open, fails and is closed: no test hangs on a dialog.
class ModalScript : public QObject {
public:
    ModalScript() { startTimer(10); }
    template <class T>
    void Expect(Answer act) { steps.push_back({[](QWidget* w) { return qobject_cast<T*>(w) != nullptr; }, act}); }
    QStringList texts; // of the message boxes answered
    QList<std::pair<std::function<bool(QWidget*)>, Answer>> steps;

private:
    void timerEvent(QTimerEvent*) override
    {
        m_answered.removeIf([](const QPointer<QWidget>& w) { return !w || !w->isVisible(); });
        m_last = m_answered.contains(m_last) ? m_last : nullptr;
        QWidget* shown = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                           : QApplication::activeModalWidget();
        // A dialog answered before may come again as the next step, or still be closing: it fails if it stays.
        const bool next = shown && shown != m_last && !steps.empty() && steps.front().first(shown);
        m_ticks = shown && !next && m_answered.contains(shown) ? m_ticks + 1 : 0;
        if (!shown || (m_ticks > 0 && m_ticks < WaitMs / 10))
            return;
        if (!next)
            return ADD_FAILURE() << "still open or unexpected: " << shown->metaObject()->className(),
                   void(shown->close());
        if (auto* box = qobject_cast<QMessageBox*>(shown)) {
            texts << box->text();
            // Boxes of the main window carry its caption; the second topic's greeting has none.
            EXPECT_EQ(box->windowTitle(), qobject_cast<QFileDialog*>(box->parent()) ? box->windowTitle()
                                          : box->text() == QStringLiteral("Isok") ? QString()
                                                                                 : QStringLiteral("Wplatomat"));
        }
        m_answered << (m_last = shown);
        // Out of this event: the answer may open a nested dialog whose loop must see the timer.
        QTimer::singleShot(0, shown, [shown, act = steps.front().second] { act(shown); });
        steps.removeFirst();
    }
    QList<QPointer<QWidget>> m_answered; // not hidden since
    QPointer<QWidget> m_last;
    int m_ticks = 0;
};

// Idle as between a user's key strokes (QTest::qWait never blocks, so action states stay stale).
inline void Idle(int ms = 20) { QEventLoop loop; QTimer::singleShot(ms, &loop, &QEventLoop::quit); loop.exec(); }
inline Answer Click(QMessageBox::StandardButton which)
{
    return [which](QWidget* w) { QTest::mouseClick(static_cast<QMessageBox*>(w)->button(which), Qt::LeftButton); };
}
// A button's access key, as the desktop's question boxes take it, or Esc.
inline Answer Press(Qt::Key key) { return [key](QWidget* w) { QTest::keyClick(w, key); }; }
// Checks the folder and the name a file dialog offers, then answers it.
inline Answer Offered(const QString& folder, const QString& name, const Answer& then)
{
    return [=](QWidget* w) {
        const QString edit = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        EXPECT_EQ(static_cast<QFileDialog*>(w)->directory().absolutePath() + u'|' + edit, folder + u'|' + name);
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
        w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        QTest::keyClick(w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
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
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}
inline QString PdfText(const QString& path)
{
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    const QString text = run.waitForFinished(WaitMs) ? QString::fromUtf8(run.readAllStandardOutput()) : QString();
    return text.simplified().remove(u' ');
}
// A button of the chooser's group, by its place from the top, clicked with the mouse.
inline Answer ClickChooser(const char* group, int index = 0)
{
    return [=](QWidget* w) { QTest::mouseClick(w->findChild<QWidget*>(group), Qt::LeftButton, {},
                                               {100, 34 + 68 * index}); };
}
inline constexpr auto CaseName = [](const auto& info) { return std::string(info.param.name); };

class MainFormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setApplicationName(QStringLiteral("Wplatomat"));
        InitializeCommonUnit();
        InitializeBackBuffer();
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(spool.path(), QStringList{QStringLiteral("pdf")}, 300,
                                                               QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5)));
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
            main->findChild<QTimer*>(QStringLiteral("tmrWizard"))->stop();
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
        QTest::mouseClick(qobject_cast<QPlainTextEdit*>(form->EditorOfTag(EditorTags::Nadawca))->viewport(),
                          Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    // A key to the focused widget; the offscreen platform gives no window back its activation.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Activate();
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->isVisible() ? focus : main.get(), Qt::Key(key), modifiers);
        Idle(20);
    }
    void ChooseMenu(QAction* item)
    {
        Activate();
        QMenuBar* bar = main->menuBar();
        auto* menu = main->findChild<QMenu*>(QStringLiteral("MenuFile"));
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, WaitMs));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        Idle(20);
    }
    int Jobs() const { return static_cast<const TPdfFileSpooler&>(Printer().Spooler()).JobCount("pdf"); }

    TempConfig config;
    QTemporaryDir files, spool;
    ModalScript modals;
    std::unique_ptr<TMainForm> main;
};

} // namespace MainFormTest
