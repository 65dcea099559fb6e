#include "document/BlankEditorsControls.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>

#include <algorithm>
#include <memory>

namespace {

const char* const TagProperty = "tag";
// Set while the program writes a value, which no length limit cuts.
const char* const ProgramWritesProperty = "programWrites";
// The whole value of an edit that holds more than a line edit can show.
const char* const WholeTextProperty = "wholeText";

bool ProgramWrites(const QObject* control)
{
    return control->property(ProgramWritesProperty).toBool();
}

class ProgramWriteScope {
public:
    explicit ProgramWriteScope(QObject* control)
        : m_control(control)
    {
        m_control->setProperty(ProgramWritesProperty, true);
    }
    ~ProgramWriteScope() { m_control->setProperty(ProgramWritesProperty, false); }
    ProgramWriteScope(const ProgramWriteScope&) = delete;
    ProgramWriteScope& operator=(const ProgramWriteScope&) = delete;

private:
    QObject* m_control;
};

// A tab typed or pasted into a field would print on the form as a gap of
// its own and leave the text after it out of its cells: it becomes a blank.
constexpr QChar Tab = QLatin1Char('\t');
constexpr QChar Blank = QLatin1Char(' ');

// What is typed or pasted ends at the cursor, so the surplus is cut there.
class EditInputRules : public QValidator {
public:
    EditInputRules(int maxLength, QLineEdit* edit)
        : QValidator(edit)
        , m_edit(edit)
        , m_maxLength(maxLength)
        , m_lastLength(int(edit->text().size()))
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_lastLength = int(text.size()); });
    }

    State validate(QString& input, int& pos) const override
    {
        if (ProgramWrites(m_edit))
            return Acceptable;
        input.replace(Tab, Blank);
        const int allowed = std::max(m_maxLength, m_lastLength);
        const int excess = int(input.size()) - allowed;
        if (m_maxLength > 0 && excess > 0) {
            const int from = std::max(pos - excess, 0);
            input.remove(from, pos - from);
            pos = from;
            if (input.size() > allowed)
                input.truncate(allowed);
        }
        return Acceptable;
    }

private:
    QLineEdit* m_edit;
    int m_maxLength;
    int m_lastLength;
};

bool IsLineBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

int MemoLength(const QPlainTextEdit* memo)
{
    return int(MemoText(memo).size());
}

// Turns the tabs among count characters from position from into blanks, as a
// part of the change that brought them, so that one undo takes back both;
// false when there were none.
bool ReplaceTabs(QTextDocument* doc, int from, int count)
{
    const int end = std::min(from + count, doc->characterCount() - 1);
    QTextCursor cursor(doc);
    bool replaced = false;
    for (int at = from; at < end; ++at) {
        if (doc->characterAt(at) != Tab)
            continue;
        if (!replaced)
            cursor.joinPreviousEditBlock();
        replaced = true;
        cursor.setPosition(at);
        cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
        cursor.insertText(QString(Blank));
    }
    if (replaced)
        cursor.endEditBlock();
    return replaced;
}

} // namespace

int EditorTag(const QObject* control)
{
    return control ? control->property(TagProperty).toInt() : 0;
}

void SetEditorTag(QWidget* control, int tag)
{
    control->setProperty(TagProperty, tag);
}

TColorPanel::TColorPanel(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    SetColor(clWhite);
}

void TColorPanel::SetColor(TColor color)
{
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(color));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
}

void TColorPanel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QFrame::mouseReleaseEvent(event);
    if (click && OnClick)
        OnClick();
}

void LimitEditLength(QLineEdit* edit, int maxLength)
{
    edit->setValidator(new EditInputRules(maxLength, edit));
}

void LimitMemoLength(QPlainTextEdit* memo, int maxLength, std::function<void()> onChange)
{
    struct LastChange {
        int from = 0;
        int added = 0;
        int length = 0;
    };
    auto last = std::make_shared<LastChange>();
    last->length = MemoLength(memo);
    QTextDocument* doc = memo->document();
    QObject::connect(doc, &QTextDocument::contentsChange, memo, [last](int from, int, int added) {
        last->from = from;
        last->added = added;
    });
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, doc, last, maxLength, onChange] {
        // The replacement's own change runs the handler again, with the blanks.
        if (!ProgramWrites(memo) && ReplaceTabs(doc, last->from, last->added))
            return;
        const int length = MemoLength(memo);
        const int allowed = std::max(maxLength, last->length);
        if (maxLength > 0 && length > allowed && !ProgramWrites(memo)) {
            // Cut the surplus from the end of what was just typed or pasted.
            const int end = std::min(last->from + last->added, doc->characterCount() - 1);
            int start = end;
            for (int excess = length - allowed; excess > 0 && start > last->from; --start)
                excess -= IsLineBreak(doc->characterAt(start - 1)) ? 2 : 1;
            if (start < end) {
                QTextCursor cursor(doc);
                cursor.setPosition(start);
                cursor.setPosition(end, QTextCursor::KeepAnchor);
                // The removal's own change runs the handler with the text that stands.
                cursor.removeSelectedText();
                return;
            }
        }
        last->length = length;
        if (onChange)
            onChange();
    });
}

void SetEditText(QLineEdit* edit, const QString& text)
{
    // A line edit cuts a text at its own limit, which a value read from a
    // file may pass: the field keeps the whole value until the edit changes.
    edit->setProperty(WholeTextProperty, text.size() > edit->maxLength() ? QVariant(text) : QVariant());
    ProgramWriteScope scope(edit);
    edit->setText(text);
}

QString EditText(const QLineEdit* edit)
{
    const QString whole = edit->property(WholeTextProperty).toString();
    const QString shown = edit->text();
    return !whole.isEmpty() && whole.startsWith(shown) && shown.size() == edit->maxLength() ? whole : shown;
}

void SetMemoText(QPlainTextEdit* memo, const QString& text)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    ProgramWriteScope scope(memo);
    memo->setPlainText(plain);
}

QString MemoText(const QPlainTextEdit* memo)
{
    QString text = memo->document()->toRawText();
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (IsLineBreak(c))
            result += QLatin1String("\r\n");
        else
            result += c;
    }
    return result;
}
