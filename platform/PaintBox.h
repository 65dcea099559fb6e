#pragma once

#include "platform/Canvas.h"

#include <QWidget>

#include <functional>

// A control that draws nothing itself: its owner paints it in OnPaint
// through Canvas(), which exists only while a paint is under way.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    std::function<void()> OnPaint;
    std::function<void(Qt::MouseButton, QPoint)> OnMouseDown;
    std::function<void(QPoint)> OnMouseMove;
    std::function<void(Qt::MouseButton, QPoint)> OnMouseUp;

    TCanvas& Canvas() { return m_canvas; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TCanvas m_canvas;
};
