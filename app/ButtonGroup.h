#pragma once

#include "platform/Canvas.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

using TButtonDrawState = unsigned;
constexpr TButtonDrawState bdsHot = 1;     // the pointer is over the button
constexpr TButtonDrawState bdsPressed = 2; // held down with the pointer still over it
constexpr TButtonDrawState bdsFocused = 4;

struct TGrpButtonItem {
    QString Caption;
    int ImageIndex = -1;
    // When set, runs instead of the group's buttonClicked for this item.
    std::function<void()> OnClick;
};

// A column of big owner-drawable buttons, each as wide as the group and
// ButtonHeight high. Without OnDrawButton a button shows its picture and its
// caption in the group's font colour.
class TButtonGroup : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QStringList captions READ captions WRITE setCaptions)
    Q_PROPERTY(QStringList imageIndexes READ imageIndexes WRITE setImageIndexes)
    Q_PROPERTY(int buttonHeight READ buttonHeight WRITE setButtonHeight)
    Q_PROPERTY(QColor fontColor READ fontColor WRITE setFontColor)
public:
    using DrawButtonHandler = std::function<void(TButtonGroup& Sender, int Index, TCanvas& Canvas,
                                                 const TRect& Rect, TButtonDrawState State)>;

    explicit TButtonGroup(QWidget* parent = nullptr);

    // The Designer setters: uic sets the item table through them, in any order.
    QStringList captions() const;
    void setCaptions(const QStringList& captions);
    QStringList imageIndexes() const;
    void setImageIndexes(const QStringList& indexes);
    int buttonHeight() const { return m_buttonHeight; }
    void setButtonHeight(int pixels);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& color);

    int Count() const { return int(m_items.size()); }
    TGrpButtonItem& Item(int index) { return m_items.at(std::size_t(index)); }
    const TGrpButtonItem& Item(int index) const { return m_items.at(std::size_t(index)); }

    // The image list the items' ImageIndex points into.
    void SetImages(std::vector<QImage> images);
    // The item's picture; a null image when its index names none.
    QImage ImageOf(int index) const;

    TRect ButtonRect(int index) const;
    int IndexOfButtonAt(QPoint pos) const;
    TButtonDrawState StateOf(int index) const;

    DrawButtonHandler OnDrawButton;

signals:
    void buttonClicked(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void GrowTo(int count);
    void SetHotIndex(int index);
    void Click(int index);
    void DrawDefault(TCanvas& canvas, int index, const TRect& rect);

    std::vector<TGrpButtonItem> m_items;
    std::vector<QImage> m_images;
    int m_buttonHeight = 24;
    QColor m_fontColor = Qt::black;
    int m_hotIndex = -1;
    int m_downIndex = -1;
    int m_focusIndex = 0;
};
