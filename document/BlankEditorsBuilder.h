#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QLabel;
class QObject;
class QWidget;

enum class EditorClass { Edit, Memo, ChoiceList, EditableChoiceList, CheckBox, ColorPanel };

// Puts the editor panel's controls one below the other with a layout cursor,
// gives each its tag, size, length limit, key filter and handler, and notes
// how it follows the panel's right edge.
class EditorPanelBuilder {
public:
    struct Handlers {
        std::function<void(QObject*)> change;
        std::function<void(QWidget*)> colorClick;
    };

    EditorPanelBuilder(QWidget* panel, Handlers handlers);

    int PanelWidth() const;
    // The width every editor starts with.
    int EditorWidth() const;
    int X() const { return m_x; }
    int Y() const { return m_y; }
    void SetY(int y) { m_y = y; }
    void AdvanceY(int dy) { m_y += dy; }

    QLabel* AddLabel(const QString& caption);
    QWidget* AddEditor(EditorClass cls, int tag, int maxLength);
    // A caption with its editor below it.
    QWidget* AddRow(const QString& caption, EditorClass cls, int tag, int maxLength);
    void AddChoices(QWidget* choiceList, const QStringList& entries);
    // Keeps the control on its row, its right side the panel's margin away
    // from the panel's right edge.
    void PlaceAtRightEdge(QWidget* control);
    // Widens an edit, never narrows it, so that it shows a value of the
    // given shape whole in its font, with its digits the font's widest.
    void WidenToShow(QWidget* edit, const QString& value) const;

    // Two editors side by side: the first gets its width and stays that
    // wide; the second starts beside it on the same row.
    void BeginPair();
    void NextInPair(QWidget* first, int width);
    void EndPair();

    void AddPaymentKindChecks(bool withReceipt);

    // Notes each following control's distance from the right edge as it
    // stands now; the panel keeps it when it is resized.
    void FinishLayout();

private:
    QWidget* m_panel;
    Handlers m_handlers;
    int m_x;
    int m_y;
    int m_pairTop = 0;
};

// Keeps the editors' right margins as the panel is resized: editors stretch,
// right-edge controls move.
void FollowPanelWidth(QWidget* panel);
