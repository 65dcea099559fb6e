#include "platform/MainWindow.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

// The window manager answers an activation request in its own time.
constexpr int ActivationAnswerMs = 500;

// Guarded: a main window that goes away early leaves null, not a dangling pointer.
QPointer<QWidget>& MainWindowSlot()
{
    static QPointer<QWidget> window;
    return window;
}

} // namespace

QWidget* MainWindow()
{
    return MainWindowSlot().data();
}

void SetMainWindow(QWidget* window)
{
    MainWindowSlot() = window;
}

void CentreOverMainWindow(QWidget& dialog)
{
    const QWidget* main = MainWindow();
    if (!main || main == &dialog)
        return;
    const QRect outer = main->frameGeometry();
    const QRect own = dialog.frameGeometry();
    // C++ division truncates toward zero, as the placement rule wants.
    dialog.move(outer.left() + (outer.width() - own.width()) / 2,
                outer.top() + (outer.height() - own.height()) / 2);
}

void BringForward(QWidget& window)
{
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
    QTimer::singleShot(ActivationAnswerMs, &window, [target = QPointer<QWidget>(&window)] {
        if (target && !target->isActiveWindow())
            QApplication::alert(target);
    });
}
