#include "app/untNewBlank.h"

#include "drawing/untCommon.h"
#include "platform/PixelFonts.h"

#include "ui_TFRMNEWBLANK.h"

#include <QMenu>
#include <QPainter>
#include <QPointF>

#include <algorithm>
#include <iterator>
#include <limits>

namespace {

QPointer<TfrmNewBlank> g_frmNewBlank;

// The form kinds of ButtonGroup1's buttons, in their order.
constexpr int KindOfButton[] = {5, 6, 7, 2};
constexpr int OpenFileKind = 0;

constexpr int PictureWidthPx = 81;
constexpr int PictureHeightPx = 60;
// Left of the caption, clear of the picture at 3 .. 84.
constexpr int CaptionIndentPx = 90;

QImage EmptyPicture()
{
    QImage image(PictureWidthPx, PictureHeightPx, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QColor Tint(const QColor& ink, int percentWhite)
{
    const auto mix = [percentWhite](int c) { return c + (255 - c) * percentWhite / 100; };
    return QColor(mix(ink.red()), mix(ink.green()), mix(ink.blue()));
}

void DrawMark(QPainter& p, const QRect& box, const QColor& ink, const QString& mark)
{
    p.fillRect(box, Qt::white);
    p.setPen(ink);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    QFont face(VerdanaStandIn);
    face.setPixelSize(11);
    face.setBold(true);
    face.setStyleStrategy(QFont::NoAntialias);
    p.setFont(face);
    p.drawText(box, Qt::AlignCenter, mark);
}

// A transfer coupon: a paper slip with the form's coloured character grid.
QImage CouponPicture(const QColor& ink, const QString& mark)
{
    QImage image = EmptyPicture();
    QPainter p(&image);
    p.fillRect(QRect(4, 9, 75, 48), QColor(128, 128, 128));
    p.fillRect(QRect(2, 7, 75, 48), QColor(255, 253, 246));
    p.fillRect(QRect(2, 7, 75, 6), Tint(ink, 55));
    p.setPen(ink);
    p.drawRect(2, 7, 74, 47);
    p.setPen(Tint(ink, 35));
    const int rows = mark.isEmpty() ? 4 : 3;
    for (int row = 0; row < rows; ++row)
        for (int x = 6; x < 70; x += 4)
            p.drawRect(x, 16 + row * 9, 4, 6);
    if (!mark.isEmpty())
        DrawMark(p, QRect(40, 41, 32, 13), ink, mark);
    return image;
}

// A postal money order: an upright sheet with a stamp and address lines.
QImage MoneyOrderPicture()
{
    const QColor ink(190, 95, 15);
    QImage image = EmptyPicture();
    QPainter p(&image);
    p.fillRect(QRect(16, 3, 52, 56), QColor(128, 128, 128));
    p.fillRect(QRect(14, 1, 52, 56), QColor(255, 248, 228));
    p.setPen(ink);
    p.drawRect(14, 1, 51, 55);
    p.fillRect(QRect(18, 5, 26, 9), Tint(ink, 60));
    p.drawRect(18, 5, 25, 8);
    // The stamp, with a perforated edge.
    p.fillRect(QRect(49, 5, 13, 15), QColor(200, 40, 40));
    p.setPen(Qt::white);
    for (int i = 0; i < 15; i += 2) {
        p.drawPoint(49, 5 + i);
        p.drawPoint(61, 5 + i);
    }
    for (int i = 0; i < 13; i += 2) {
        p.drawPoint(49 + i, 5);
        p.drawPoint(49 + i, 19);
    }
    p.setPen(Tint(ink, 30));
    for (int y = 26; y <= 50; y += 6)
        p.drawLine(19, y, 61, y);
    return image;
}

// A folder with a document sticking out of it.
QImage FolderPicture()
{
    const QColor edge(160, 110, 20);
    QImage image = EmptyPicture();
    QPainter p(&image);
    p.fillRect(QRect(6, 7, 24, 6), QColor(214, 160, 40));
    p.fillRect(QRect(6, 11, 68, 44), QColor(214, 160, 40));
    p.setPen(edge);
    p.drawRect(6, 11, 67, 43);
    p.fillRect(QRect(16, 3, 48, 34), Qt::white);
    p.setPen(QColor(120, 120, 120));
    p.drawRect(16, 3, 47, 33);
    p.setPen(QColor(200, 40, 40));
    for (int y = 9; y <= 21; y += 4)
        p.drawLine(21, y, 58, y);
    const QPointF front[] = {{3, 24}, {78, 24}, {73, 57}, {8, 57}};
    p.setPen(edge);
    p.setBrush(QColor(242, 194, 74));
    p.drawPolygon(front, int(std::size(front)));
    return image;
}

// Image list slots as the item table numbers them; 0 and 4 are not shown.
std::vector<QImage> NewFormPictures()
{
    return {QImage(),
            CouponPicture(QColor(200, 30, 40), QString()),
            CouponPicture(QColor(0, 125, 60), QStringLiteral("ZUS")),
            CouponPicture(QColor(30, 70, 170), QStringLiteral("US")),
            QImage(),
            MoneyOrderPicture()};
}

// In 64 bits, since an owner at the ends of the int range would overflow;
// C++ division truncates toward zero, as the placement rule wants.
int CentredStart(qint64 ownerFirst, qint64 ownerLast, qint64 size)
{
    const qint64 start = ownerFirst + (ownerLast - ownerFirst + 1 - size) / 2;
    return int(std::clamp<qint64>(start, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void FillBox(TCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect(r);
}

void FrameBox(TCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Brush.Style = bsClear;
    canvas.Pen = TPen{color, psSolid, 1};
    canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
}

} // namespace

TfrmNewBlank::TfrmNewBlank(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::TfrmNewBlank>())
{
    ui->setupUi(this);
    setBackgroundRole(QPalette::Button);
    ApplyPixelFonts(this);
    ui->Label1->adjustSize();
    ui->Label2->adjustSize();

    ui->ButtonGroup1->SetImages(NewFormPictures());
    ui->ButtonGroup2->SetImages({FolderPicture()});
    const auto draw = [this](TButtonGroup& Sender, int Index, TCanvas& Canvas, const TRect& Rect,
                             TButtonDrawState State) { ButtonGroup1DrawButton(Sender, Index, Canvas, Rect, State); };
    ui->ButtonGroup1->OnDrawButton = draw;
    ui->ButtonGroup2->OnDrawButton = draw;
    connect(ui->ButtonGroup1, &TButtonGroup::buttonClicked, this, &TfrmNewBlank::ButtonGroup1ButtonClicked);
    connect(ui->ButtonGroup2, &TButtonGroup::buttonClicked, this, &TfrmNewBlank::ButtonGroup1ButtonClicked);
    ui->ButtonGroup2->Item(0).OnClick = [this] { btnFileOpenClick(); };
    connect(ui->btnRecent, &QToolButton::clicked, this, &TfrmNewBlank::btnRecentClick);
}

TfrmNewBlank::~TfrmNewBlank() = default;

void TfrmNewBlank::SetRecentMenu(QMenu* menu)
{
    m_recentMenu = menu;
}

void TfrmNewBlank::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TfrmNewBlank::FormShow()
{
    // Each showing starts on "Anuluj"; Tab leads on to the button groups.
    ui->Button1->setFocus();
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner)
        return;
    const QRect main = owner->frameGeometry();
    const QRect self = frameGeometry();
    move(CentredStart(main.left(), main.right(), self.width()), CentredStart(main.top(), main.bottom(), self.height()));
}

void TfrmNewBlank::ButtonGroup1ButtonClicked(int Index)
{
    const bool known = Index >= 0 && Index < int(std::size(KindOfButton));
    BlankKind = known ? KindOfButton[Index] : NoChoice;
    if (BlankKind != NoChoice)
        accept();
}

void TfrmNewBlank::btnFileOpenClick()
{
    BlankKind = OpenFileKind;
    accept();
}

void TfrmNewBlank::btnRecentClick()
{
    // A menu without items would show nothing yet hold the next click and key.
    if (!m_recentMenu || m_recentMenu->isEmpty())
        return;
    const QRect button = ui->btnRecent->geometry();
    // Not exec(): the main window's item handler closes this dialog, which
    // must not happen inside a menu loop nested in the button's click.
    m_recentMenu->popup(mapToGlobal(QPoint(button.left(), button.top() + button.height())));
}

void TfrmNewBlank::ButtonGroup1DrawButton(TButtonGroup& Sender, int Index, TCanvas& Canvas, const TRect& Rect,
                                          TButtonDrawState State)
{
    // The system's colours, not those of an inactive window.
    const TColor H = FromQColor(palette().color(QPalette::Active, QPalette::Highlight));
    const TColor F = FromQColor(palette().color(QPalette::Active, QPalette::Button));
    TRect R{Rect.Left, Rect.Top + 1, Rect.Right, Rect.Bottom - 1};
    TColor textColor;
    if (State & (bdsHot | bdsPressed)) {
        FillBox(Canvas, R, (State & bdsPressed) ? BlendColors(H, F, 7, 10) : BlendColors(H, F, 9, 10));
        FrameBox(Canvas, R, H);
        textColor = BlendColors(H, clBlack, 6, 10);
    } else {
        FillBox(Canvas, R, F);
        FrameBox(Canvas, R, BlendColors(clBlack, F, 9, 10));
        textColor = BlendColors(clBlack, F, 6, 10);
    }
    if (State & bdsFocused) {
        R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        FrameBox(Canvas, R, H);
    }
    Canvas.Brush.Style = bsClear;
    const QImage picture = Sender.ImageOf(Index);
    if (!picture.isNull())
        Canvas.Draw(Rect.Left + 3, R.Top + 3, picture);

    QPainter* painter = Canvas.Painter();
    const QRect box(R.Left + CaptionIndentPx, R.Top, R.Right - 3 - (R.Left + CaptionIndentPx), R.Bottom - 3 - R.Top);
    if (!painter || box.width() <= 0 || box.height() <= 0)
        return;
    QFont face = Sender.font();
    face.setStyleStrategy(QFont::NoAntialias);
    painter->save();
    painter->setClipRect(box);
    painter->setFont(face);
    painter->setPen(ToQColor(textColor));
    const QString caption = painter->fontMetrics().elidedText(Sender.Item(Index).Caption, Qt::ElideRight, box.width());
    painter->drawText(box, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, caption);
    painter->restore();
}

void InitializeNewBlank(QWidget* mainForm)
{
    if (g_frmNewBlank)
        return;
    g_frmNewBlank = new TfrmNewBlank(mainForm);
    // Polished and given its window now, while the program waits for its
    // start timer: when the timer fires, only showing it is left.
    g_frmNewBlank->ensurePolished();
    g_frmNewBlank->winId();
}

void FinalizeNewBlank()
{
    delete g_frmNewBlank.data();
    g_frmNewBlank = nullptr;
}

TfrmNewBlank* frmNewBlank()
{
    return g_frmNewBlank.data();
}
