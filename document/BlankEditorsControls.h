#pragma once

#include "platform/Color.h"

#include <QFrame>
#include <QString>

#include <functional>

class QLineEdit;
class QPlainTextEdit;

// The field tag an editor of the panel carries; 0 for captions.
int EditorTag(const QObject* control);
void SetEditorTag(QWidget* control, int tag);

// The colour swatch of the panel: a plain border around its own colour.
class TColorPanel : public QFrame {
public:
    explicit TColorPanel(QWidget* parent);

    TColor Color() const { return m_color; }
    void SetColor(TColor color);

    // A left click released over the panel.
    std::function<void()> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TColor m_color = clWhite;
    bool m_pressed = false;
};

// The maximum lengths limit what the user types or pastes; a value the
// program sets is kept whole, longer or not. A text already over the limit
// may shrink but not grow. 0 means no limit. Here and in memos, a tab that
// the user types or pastes becomes a blank.
void LimitEditLength(QLineEdit* edit, int maxLength);
// In a memo every line break counts as two characters, CR and LF. The
// handler runs for every change of the memo's text that stands.
void LimitMemoLength(QPlainTextEdit* memo, int maxLength, std::function<void()> onChange);

// Sets an edit's or memo's text on the program's behalf: the length limit
// does not apply.
void SetEditText(QLineEdit* edit, const QString& text);
// The edit's text; a value set longer than the edit can hold comes whole,
// as long as the part shown is unchanged.
QString EditText(const QLineEdit* edit);
void SetMemoText(QPlainTextEdit* memo, const QString& text);
// The memo's lines joined by CR LF, the original memo's text.
QString MemoText(const QPlainTextEdit* memo);
