#pragma once

class QWidget;

// The program's main window as the toolkit's application object knows it:
// dialogs centre over it rather than over whichever window is active. Set by
// the main window for its lifetime; null before and after.
QWidget* MainWindow();
void SetMainWindow(QWidget* window);

// Moves dialog so that its frame stands centred over the main window's frame,
// half the size differences truncated toward zero; without a main window the
// dialog stays where it is.
void CentreOverMainWindow(QWidget& dialog);

// Brings the window to the front and gives it the focus, as a window opened
// from the desktop should be; where the window manager keeps the focus
// elsewhere, the window asks for the user's attention instead.
void BringForward(QWidget& window);
