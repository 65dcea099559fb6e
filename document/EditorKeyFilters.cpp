#include "document/EditorKeyFilters.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLocale>

namespace {

constexpr char16_t Backspace = 8;
// The Delete key types DEL here; where the forms come from it types nothing.
constexpr char16_t DeleteChar = 127;
// Only a separator of the 8-bit character set could be typed there.
constexpr char16_t FirstWideChar = 256;

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

void edtKwotaKeyPress(QChar& Key)
{
    const QString separator = QLocale().decimalPoint();
    const bool separatorTyped = separator.size() == 1 && separator.at(0) == Key && Key.unicode() < FirstWideChar;
    if (Key == QChar(Backspace) || Key == QLatin1Char(',') || Key == QLatin1Char('.') || IsDigit(Key) || separatorTyped)
        return;
    Key = QChar(0);
}

void edtRachunekKeyPress(QChar& Key)
{
    if (Key == QChar(Backspace) || Key == QLatin1Char(' ') || Key == QLatin1Char('-') || IsDigit(Key))
        return;
    Key = QChar(0);
}

void edtKodKeyPress(QChar& Key)
{
    if (Key == QLatin1Char('-') || IsDigit(Key))
        return;
    Key = QChar(0);
}

EditorKeyFilter::EditorKeyFilter(Rule rule, QObject* parent)
    : QObject(parent)
    , m_rule(rule)
{
}

bool EditorKeyFilter::Accepts(QChar c) const
{
    QChar key = c;
    m_rule(key);
    return !key.isNull();
}

bool EditorKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Focus moves on Tab before any character is typed. The clipboard
        // keys type nothing either: account numbers are mostly pasted.
        if (text.isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
            || text.at(0) == QChar(DeleteChar) || key->matches(QKeySequence::Paste)
            || key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut)
            || key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Undo))
            return QObject::eventFilter(watched, event);
        for (const QChar c : text)
            if (!Accepts(c))
                return true;
    } else if (event->type() == QEvent::InputMethod) {
        // Composed text is typed character by character there, so each one is judged.
        auto* im = static_cast<QInputMethodEvent*>(event);
        QString kept;
        for (const QChar c : im->commitString())
            if (Accepts(c))
                kept += c;
        if (kept != im->commitString())
            im->setCommitString(kept, im->replacementStart(), im->replacementLength());
    }
    return QObject::eventFilter(watched, event);
}
