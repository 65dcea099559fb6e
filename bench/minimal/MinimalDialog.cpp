// The least a Qt program does to show what our start shows: a main window,
// and a dialog once a 500 ms single-shot timer started with it fires. The
// chooser's start-up is held against this one's.
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(600, 480);
    QDialog dialog(&window);
    dialog.setWindowTitle(QStringLiteral("Minimal dialog"));
    constexpr int TimerMs = 500;
    QTimer::singleShot(TimerMs, &dialog, &QDialog::exec);
    window.show();
    return app.exec();
}
