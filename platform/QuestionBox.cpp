#include "platform/QuestionBox.h"

#include <QAbstractButton>

QMessageBox::StandardButton AskQuestion(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                        const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    // Set here rather than left to a translation of the toolkit, which need
    // not be installed; a Cancel button is the box's answer to Esc by its role.
    const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
        {QMessageBox::Yes, "&Tak"}, {QMessageBox::No, "&Nie"}, {QMessageBox::Cancel, "Anuluj"}};
    for (const auto& [which, label] : texts)
        if (QAbstractButton* button = box.button(which))
            button->setText(QString::fromUtf8(label));
    if (box.button(QMessageBox::Yes))
        box.setDefaultButton(QMessageBox::Yes);
    return QMessageBox::StandardButton(box.exec());
}
