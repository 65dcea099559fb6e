#include "app/ButtonGroup.h"

#include <QFontMetrics>
#include <QHoverEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <utility>

TButtonGroup::TButtonGroup(QWidget* parent)
    : QWidget(parent)
{
    // Hover events and tracking both feed the hot button: tracking covers
    // platforms that send plain moves only.
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
}

QStringList TButtonGroup::captions() const
{
    QStringList result;
    for (const TGrpButtonItem& item : m_items)
        result << item.Caption;
    return result;
}

void TButtonGroup::setCaptions(const QStringList& captions)
{
    // The captions say how many items there are; image indexes may come first.
    GrowTo(int(captions.size()));
    m_items.resize(std::size_t(captions.size()));
    for (int i = 0; i < captions.size(); ++i)
        m_items[std::size_t(i)].Caption = captions.at(i);
    update();
}

QStringList TButtonGroup::imageIndexes() const
{
    QStringList result;
    for (const TGrpButtonItem& item : m_items)
        result << QString::number(item.ImageIndex);
    return result;
}

void TButtonGroup::setImageIndexes(const QStringList& indexes)
{
    GrowTo(int(indexes.size()));
    for (int i = 0; i < indexes.size(); ++i) {
        bool ok = false;
        const int index = indexes.at(i).trimmed().toInt(&ok);
        m_items[std::size_t(i)].ImageIndex = ok ? index : -1;
    }
    update();
}

void TButtonGroup::setButtonHeight(int pixels)
{
    m_buttonHeight = qMax(1, pixels);
    update();
}

void TButtonGroup::setFontColor(const QColor& color)
{
    m_fontColor = color;
    update();
}

void TButtonGroup::GrowTo(int count)
{
    if (count > Count())
        m_items.resize(std::size_t(count));
}

void TButtonGroup::SetImages(std::vector<QImage> images)
{
    m_images = std::move(images);
    update();
}

QImage TButtonGroup::ImageOf(int index) const
{
    if (index < 0 || index >= Count())
        return QImage();
    const int image = Item(index).ImageIndex;
    if (image < 0 || image >= int(m_images.size()))
        return QImage();
    return m_images[std::size_t(image)];
}

TRect TButtonGroup::ButtonRect(int index) const
{
    return {0, index * m_buttonHeight, width(), (index + 1) * m_buttonHeight};
}

int TButtonGroup::IndexOfButtonAt(QPoint pos) const
{
    if (pos.x() < 0 || pos.x() >= width() || pos.y() < 0)
        return -1;
    const int index = pos.y() / m_buttonHeight;
    return index < Count() ? index : -1;
}

TButtonDrawState TButtonGroup::StateOf(int index) const
{
    TButtonDrawState state = 0;
    if (index == m_hotIndex)
        state |= bdsHot;
    if (index == m_downIndex && index == m_hotIndex)
        state |= bdsPressed;
    if (index == m_focusIndex && hasFocus())
        state |= bdsFocused;
    return state;
}

bool TButtonGroup::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        SetHotIndex(IndexOfButtonAt(static_cast<QHoverEvent*>(event)->position().toPoint()));
        break;
    case QEvent::HoverLeave:
        SetHotIndex(-1);
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        update();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TButtonGroup::paintEvent(QPaintEvent* event)
{
    TCanvas canvas(this);
    canvas.SetClipRect(event->rect());
    // Below the last button the group shows its own face.
    canvas.Brush.Color = FromQColor(palette().color(QPalette::Active, QPalette::Button));
    canvas.FillRect({0, 0, width(), height()});
    for (int i = 0; i < Count(); ++i) {
        const TRect rect = ButtonRect(i);
        if (rect.Top >= height())
            break;
        if (OnDrawButton)
            OnDrawButton(*this, i, canvas, rect, StateOf(i));
        else
            DrawDefault(canvas, i, rect);
    }
}

void TButtonGroup::DrawDefault(TCanvas& canvas, int index, const TRect& rect)
{
    const QImage picture = ImageOf(index);
    if (!picture.isNull())
        canvas.Draw(rect.Left + 3, rect.Top + 3, picture);
    const int textLeft = rect.Left + 3 + picture.width() + 6;
    const QRect box(textLeft, rect.Top, rect.Right - 3 - textLeft, rect.Bottom - rect.Top);
    QPainter* painter = canvas.Painter();
    if (!painter || box.width() <= 0)
        return;
    QFont face = font();
    face.setStyleStrategy(QFont::NoAntialias);
    painter->setFont(face);
    painter->setPen(m_fontColor);
    const QString text = painter->fontMetrics().elidedText(Item(index).Caption, Qt::ElideRight, box.width());
    painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void TButtonGroup::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_downIndex = IndexOfButtonAt(event->position().toPoint());
    m_hotIndex = m_downIndex;
    if (m_downIndex >= 0)
        m_focusIndex = m_downIndex;
    update();
}

void TButtonGroup::mouseMoveEvent(QMouseEvent* event)
{
    SetHotIndex(IndexOfButtonAt(event->position().toPoint()));
}

void TButtonGroup::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int at = IndexOfButtonAt(event->position().toPoint());
    const int down = std::exchange(m_downIndex, -1);
    update();
    // A press dragged onto another button clicks neither.
    if (at >= 0 && at == down)
        Click(at);
}

void TButtonGroup::keyPressEvent(QKeyEvent* event)
{
    // The arrows walk the focus through the buttons; Space and Enter click
    // the focused one, before the dialog's default button can take them.
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        m_focusIndex = qBound(0, m_focusIndex + (event->key() == Qt::Key_Down ? 1 : -1), qMax(0, Count() - 1));
        update();
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_focusIndex < Count())
            Click(m_focusIndex);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TButtonGroup::leaveEvent(QEvent* event)
{
    SetHotIndex(-1);
    QWidget::leaveEvent(event);
}

void TButtonGroup::hideEvent(QHideEvent* event)
{
    // A dialog closed by a click would otherwise come back with that button lit.
    m_hotIndex = -1;
    m_downIndex = -1;
    QWidget::hideEvent(event);
}

void TButtonGroup::SetHotIndex(int index)
{
    if (index == m_hotIndex)
        return;
    m_hotIndex = index;
    update();
}

void TButtonGroup::Click(int index)
{
    // Copied: the handler may close the dialog and change the items.
    const std::function<void()> own = Item(index).OnClick;
    if (own)
        own();
    else
        emit buttonClicked(index);
}
