#include "document/BlankEditorsBuilder.h"

#include "document/BlankEditorsControls.h"
#include "document/BlankEditorsTags.h"
#include "document/EditorKeyFilters.h"
#include "platform/FontFaces.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStyle>

namespace {

constexpr int MarginPx = 8;
constexpr int RowGapPx = 3;
constexpr int PairGapPx = 8;
// Room on the right of a full-width editor for the panel's scroll bar.
constexpr int WidthReservePx = 32;
constexpr int RightEdgeGapPx = 24;
constexpr int LabelHeightPx = 14;
constexpr int LabelPointSize = 8;
constexpr int EditHeightPx = 15;
constexpr int MemoHeightPx = 40;
constexpr int ChoiceListHeightPx = 18;
constexpr int CheckBoxHeightPx = 17;
constexpr int ColorPanelHeightPx = 18;
constexpr int PaymentCheckWidthPx = 70;
constexpr int PaymentCheckStepPx = 78;

// How a control follows the panel's right edge.
const char* const AnchorProperty = "anchorRight";
const char* const RightMarginProperty = "rightMargin";
enum Anchor { AnchorNone = 0, AnchorStretch = 1, AnchorMove = 2 };

// The forms' flat editors: a thin line instead of the sunken frame, which
// would leave no room for the text at these heights.
constexpr char FlatEditStyle[] = "QLineEdit { border: 1px solid palette(dark); padding: 0px; }";
constexpr int FlatEditBorderPx = 1;
// A line edit keeps this much room between its frame and its text on either side.
constexpr int LineEditTextMarginPx = 2;
constexpr char FlatMemoStyle[] = "QPlainTextEdit { border: 1px solid palette(dark); }";

QFont LabelFont()
{
    const FaceSubstitute face = SubstituteFace(QStringLiteral("Arial"));
    QFont font(face.family);
    font.setPointSize(LabelPointSize);
    if (face.weight != 0)
        font.setWeight(QFont::Weight(face.weight));
    return font;
}

EditorKeyFilter::Rule KeyRuleOfTag(int tag)
{
    switch (tag) {
    case EditorTags::Kwota: return edtKwotaKeyPress;
    case EditorTags::OdbRach:
    case EditorTags::NadRach: return edtRachunekKeyPress;
    case EditorTags::OdbKod:
    case EditorTags::NadKod: return edtKodKeyPress;
    default: return nullptr;
    }
}

// The text with every digit replaced by the font's widest one.
QString WithWidestDigits(const QFontMetrics& metrics, QString text)
{
    QChar widest = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit)
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widest))
            widest = QLatin1Char(digit);
    for (QChar& c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = widest;
    return text;
}

// The width at which a line edit shows a value of this shape whole, with its digits the font's widest.
int WidthToShow(QLineEdit* line, const QString& value)
{
    line->ensurePolished();
    const QMargins text = line->textMargins();
    // A line edit scrolls its text once the cursor after it would leave the text area.
    const int cursorPx = line->style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, line);
    const QFontMetrics metrics = line->fontMetrics();
    return metrics.horizontalAdvance(WithWidestDigits(metrics, value)) + cursorPx + text.left() + text.right()
           + 2 * (LineEditTextMarginPx + FlatEditBorderPx);
}

} // namespace

EditorPanelBuilder::EditorPanelBuilder(QWidget* panel, Handlers handlers)
    : m_panel(panel)
    , m_handlers(std::move(handlers))
    , m_x(MarginPx)
    , m_y(MarginPx)
{
}

int EditorPanelBuilder::PanelWidth() const
{
    return m_panel->width();
}

int EditorPanelBuilder::EditorWidth() const
{
    return PanelWidth() - WidthReservePx;
}

QLabel* EditorPanelBuilder::AddLabel(const QString& caption)
{
    auto* label = new QLabel(caption, m_panel);
    label->setFont(LabelFont());
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(m_x, m_y, label->sizeHint().width(), LabelHeightPx);
    label->show();
    m_y += LabelHeightPx;
    return label;
}

QWidget* EditorPanelBuilder::AddEditor(EditorClass cls, int tag, int maxLength)
{
    const auto change = m_handlers.change;
    QWidget* control = nullptr;
    int height = 0;
    Anchor anchor = AnchorNone;
    switch (cls) {
    case EditorClass::Edit: {
        auto* edit = new QLineEdit(m_panel);
        edit->setStyleSheet(QLatin1String(FlatEditStyle));
        LimitEditLength(edit, maxLength);
        QObject::connect(edit, &QLineEdit::textChanged, edit, [change, edit] { change(edit); });
        control = edit;
        height = EditHeightPx;
        anchor = AnchorStretch;
        break;
    }
    case EditorClass::Memo: {
        auto* memo = new QPlainTextEdit(m_panel);
        memo->setStyleSheet(QLatin1String(FlatMemoStyle));
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // Tab goes on to the next editor, as from every other one.
        memo->setTabChangesFocus(true);
        LimitMemoLength(memo, maxLength, [change, memo] { change(memo); });
        control = memo;
        height = MemoHeightPx;
        anchor = AnchorStretch;
        break;
    }
    case EditorClass::ChoiceList:
    case EditorClass::EditableChoiceList: {
        auto* list = new QComboBox(m_panel);
        if (cls == EditorClass::EditableChoiceList) {
            list->setEditable(true);
            list->setInsertPolicy(QComboBox::NoInsert);
            LimitEditLength(list->lineEdit(), maxLength);
            QObject::connect(list, &QComboBox::editTextChanged, list, [change, list] { change(list); });
        } else {
            QObject::connect(list, &QComboBox::currentIndexChanged, list, [change, list] { change(list); });
        }
        control = list;
        height = ChoiceListHeightPx;
        break;
    }
    case EditorClass::CheckBox: {
        auto* box = new QCheckBox(m_panel);
        QObject::connect(box, &QCheckBox::toggled, box, [change, box] { change(box); });
        control = box;
        height = CheckBoxHeightPx;
        break;
    }
    case EditorClass::ColorPanel: {
        auto* panel = new TColorPanel(m_panel);
        panel->OnClick = [click = m_handlers.colorClick, panel] { click(panel); };
        control = panel;
        height = ColorPanelHeightPx;
        break;
    }
    }
    SetEditorTag(control, tag);
    control->setProperty(AnchorProperty, int(anchor));
    if (const EditorKeyFilter::Rule rule = KeyRuleOfTag(tag))
        control->installEventFilter(new EditorKeyFilter(rule, control));
    control->setGeometry(m_x, m_y, EditorWidth(), height);
    control->show();
    m_y += height + RowGapPx;
    return control;
}

QWidget* EditorPanelBuilder::AddRow(const QString& caption, EditorClass cls, int tag, int maxLength)
{
    AddLabel(caption);
    return AddEditor(cls, tag, maxLength);
}

void EditorPanelBuilder::AddChoices(QWidget* choiceList, const QStringList& entries)
{
    auto* list = qobject_cast<QComboBox*>(choiceList);
    if (!list)
        return;
    // Filling the list is no choice of the user's; it starts with none chosen.
    const QSignalBlocker blocker(list);
    list->addItems(entries);
    list->setCurrentIndex(-1);
}

void EditorPanelBuilder::PlaceAtRightEdge(QWidget* control)
{
    control->move(PanelWidth() - RightEdgeGapPx - control->width(), control->y());
    control->setProperty(AnchorProperty, int(AnchorMove));
}

void EditorPanelBuilder::WidenToShow(QWidget* edit, const QString& value) const
{
    auto* line = qobject_cast<QLineEdit*>(edit);
    if (!line)
        return;
    const int needed = WidthToShow(line, value);
    if (needed > line->width())
        line->resize(needed, line->height());
}

void EditorPanelBuilder::BeginPair()
{
    m_pairTop = m_y;
}

void EditorPanelBuilder::NextInPair(QWidget* first, int width)
{
    first->resize(width, first->height());
    first->setProperty(AnchorProperty, int(AnchorNone));
    m_y = m_pairTop;
    m_x = first->x() + width + PairGapPx;
}

void EditorPanelBuilder::EndPair()
{
    m_x = MarginPx;
}

void EditorPanelBuilder::AddPaymentKindChecks(bool withReceipt)
{
    m_y += RowGapPx;
    const int top = m_y;
    QWidget* wplata = AddEditor(EditorClass::CheckBox, EditorTags::Wplata, 0);
    static_cast<QCheckBox*>(wplata)->setText(QStringLiteral("Wpłata"));
    wplata->resize(PaymentCheckWidthPx, wplata->height());
    m_y = top;
    QWidget* przelew = AddEditor(EditorClass::CheckBox, EditorTags::Przelew, 0);
    static_cast<QCheckBox*>(przelew)->setText(QStringLiteral("Przelew"));
    przelew->setGeometry(m_x + PaymentCheckStepPx, przelew->y(), PaymentCheckWidthPx, przelew->height());
    if (withReceipt) {
        QWidget* receipt = AddEditor(EditorClass::CheckBox, EditorTags::MalePokwit, 0);
        static_cast<QCheckBox*>(receipt)->setText(QStringLiteral("Małe pokwitowanie"));
    }
}

void EditorPanelBuilder::FinishLayout()
{
    const int width = PanelWidth();
    for (QObject* child : m_panel->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (control && control->property(AnchorProperty).toInt() != AnchorNone)
            control->setProperty(RightMarginProperty, width - control->x() - control->width());
    }
    // The panel is as tall as its controls, so the scroll box can show them all.
    m_panel->setMinimumHeight(m_y);
}

void FollowPanelWidth(QWidget* panel)
{
    const int width = panel->width();
    for (QObject* child : panel->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control)
            continue;
        const QVariant margin = control->property(RightMarginProperty);
        if (!margin.isValid())
            continue;
        switch (control->property(AnchorProperty).toInt()) {
        case AnchorStretch:
            control->resize(std::max(width - control->x() - margin.toInt(), 0), control->height());
            break;
        case AnchorMove: control->move(width - margin.toInt() - control->width(), control->y()); break;
        default: break;
        }
    }
}
