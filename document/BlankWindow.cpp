#include "document/BlankFormUnit.h"

#include "document/BlankLayouts.h"
#include "document/MainFormLink.h"
#include "ui_TFRMBLANK.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTimer>

namespace {

// The main window's document area is never filled to its very edge.
constexpr int FrameMarginPx = 4;

} // namespace

QWidget* TfrmBlank::Frame()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return sub;
    return this;
}

void TfrmBlank::SetPixelsPerInch(int v)
{
    FDPI = v;
    BlankObj.SetDPI(v);
    const QSizeF mm = PageSizeMm(F.FKind);
    const QSize page(BlankObj.MM2Pixel(mm.width()), BlankObj.MM2Pixel(mm.height()));
    TPaintBox* box = ui->PaintBox;
    // The zoom of a window just put in its frame fits that frame too.
    if (page != box->size() || Frame() != FFittedFrame) {
        FFittedFrame = Frame();
        box->resize(page);
        ui->ScrollBox1->horizontalScrollBar()->setValue(0);
        ui->ScrollBox1->verticalScrollBar()->setValue(0);
        if (Frame()->isMaximized()) {
            const QSize client = ui->ScrollBox1->viewport()->size();
            box->move(client.width() > page.width() ? (client.width() - page.width()) / 2 : 0,
                      client.height() > page.height() ? (client.height() - page.height()) / 2 : 0);
        } else {
            box->move(0, 0);
            FitFrameToPage(page);
        }
        UpdatePreviewArea();
    }
    WritePreviewPosition();
    RepaintPreview();
}

void TfrmBlank::FitFrameToPage(QSize page)
{
    QWidget* frame = Frame();
    // Measured without scroll bars: those of a larger page go once it fits.
    const QSize client = ui->ScrollBox1->maximumViewportSize();
    int w = frame->width();
    int h = frame->height();
    if (client.width() > page.width())
        w -= client.width() - page.width();
    if (client.height() > page.height())
        h -= client.height() - page.height();
    TMainFormLink* main = MainFormLink();
    if (client.width() < page.width()) {
        w += page.width() - client.width();
        // Grow no further than the main window's document area allows.
        if (main) {
            const int overshoot = frame->x() + w - main->ClientSize().width() + FrameMarginPx;
            if (overshoot > 0)
                w -= overshoot;
        }
    }
    if (client.height() < page.height()) {
        h += page.height() - client.height();
        if (main) {
            const int overshoot = frame->y() + h - main->ClientSize().height() + main->StatusBarHeight()
                                  + main->ToolBarHeight() + FrameMarginPx;
            if (overshoot > 0)
                h -= overshoot;
        }
    }
    frame->resize(w, h);
    if (layout())
        layout()->activate();
}

void TfrmBlank::UpdatePreviewArea()
{
    // The area under the page is at least the visible part, so the page can be centred.
    const QSize viewport = ui->ScrollBox1->viewport()->size();
    const QRect page = ui->PaintBox->geometry();
    ui->PreviewArea->resize(std::max(viewport.width(), page.right() + 1),
                            std::max(viewport.height(), page.bottom() + 1));
}

void TfrmBlank::FormResize()
{
    const QSize client = ui->ScrollBox1->viewport()->size();
    TPaintBox* box = ui->PaintBox;
    const int left = client.width() - box->width();
    const int top = client.height() - box->height();
    box->move(left >= 0 ? left / 2 : 0, top >= 0 ? top / 2 : 0);
    UpdatePreviewArea();
    WritePreviewPosition();
}

void TfrmBlank::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

bool TfrmBlank::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == ui->ScrollBox1->viewport())
            FormResize();
        else if (watched == ui->EditorPanel)
            StretchEditors();
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmBlank::WritePreviewPosition()
{
    TMainFormLink* main = MainFormLink();
    if (!main)
        return;
    const QPoint at = ui->PaintBox->mapTo(ui->ScrollBox1->viewport(), QPoint(0, 0));
    main->SetStatusPanel1(QStringLiteral("%1,%2").arg(at.x()).arg(at.y()));
}

void TfrmBlank::RepaintPreview()
{
    // A page drawn while a print job uses the drawing object would spoil both.
    if (BlankObj.Printing()) {
        FNeedRefresh = true;
        return;
    }
    ui->PaintBox->repaint();
}

void TfrmBlank::PaintBoxPaint()
{
    if (BlankObj.Printing()) {
        FNeedRefresh = true;
        return;
    }
    BlankObj.SetCanvas(&ui->PaintBox->Canvas());
    BlankObj.SetDPI(FDPI);
    PaintLayout(this, FBlankSide);
}

void TfrmBlank::Timer1Timer()
{
    if (BlankObj.Printing() || !FNeedRefresh)
        return;
    FNeedRefresh = false;
    ui->PaintBox->repaint();
}

void TfrmBlank::PaintBoxMouseDown(Qt::MouseButton, QPoint pos)
{
    DragX = pos.x();
    DragY = pos.y();
    Dragging = true;
}

void TfrmBlank::PaintBoxMouseMove(QPoint pos)
{
    if (!Dragging)
        return;
    QScrollBar* h = ui->ScrollBox1->horizontalScrollBar();
    QScrollBar* v = ui->ScrollBox1->verticalScrollBar();
    h->setValue(h->value() - (pos.x() - DragX));
    v->setValue(v->value() - (pos.y() - DragY));
}

void TfrmBlank::PaintBoxMouseUp(Qt::MouseButton, QPoint)
{
    Dragging = false;
}

void TfrmBlank::Print()
{
    PrintLayout(this);
}
