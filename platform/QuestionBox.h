#pragma once

#include <QMessageBox>

// Asks in a modal message box whose buttons read and answer as those of the
// desktop's own question boxes: "Tak" on T, "Nie" on N, "Anuluj" on Esc; Yes,
// where offered, is the default. Returns the button chosen.
QMessageBox::StandardButton AskQuestion(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                        const QString& text, QMessageBox::StandardButtons buttons);
