#include "app/AboutBoxUnit.h"

#include "drawing/ProgramWebAddress.h"
#include "app/info.h"
#include "platform/JpegImage.h"
#include "platform/MainWindow.h"
#include "platform/PixelFonts.h"

#include "ui_TABOUTBOX.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QUrl>

namespace {

QPointer<TAboutBox> g_AboutBox;

struct Frame3D {
    int insetPx;
    QColor topLeft;
    QColor bottomRight;
    int rings;
};
// Outer raised, then sunken, then the light inner ring hidden under the picture.
const Frame3D Frames[] = {
    {0, QColor(0xFF, 0xDD, 0xFF), QColor(0x55, 0x00, 0x55), 2},
    {2, QColor(0x66, 0x33, 0x66), QColor(0xCC, 0x88, 0xCC), 2},
    {4, QColor(0xDD, 0xDD, 0xDD), QColor(0xF2, 0xF2, 0xF2), 3},
};

// One-pixel rings inward; the top-right and bottom-left corners belong to
// the bottom colour, as the original toolkit's routine draws them.
void DrawFrame3D(QPainter& p, QRect area, const QColor& top, const QColor& bottom, int rings)
{
    for (int ring = 0; ring < rings; ++ring, area.adjust(1, 1, -1, -1)) {
        const int l = area.left(), t = area.top(), r = area.right(), b = area.bottom();
        p.fillRect(l, t, r - l, 1, top);
        p.fillRect(l, t, 1, b - t, top);
        p.fillRect(r, t, 1, b - t + 1, bottom);
        p.fillRect(l, b, r - l + 1, 1, bottom);
    }
}

} // namespace

QString VersionCaption(const QString& FileVersion)
{
    const QStringList parts = FileVersion.split(QLatin1Char('.'));
    int numbers[4] = {};
    bool allNumbers = parts.size() >= 4;
    for (int i = 0; allNumbers && i < 4; ++i)
        numbers[i] = parts[i].toInt(&allNumbers);
    if (!allNumbers)
        return QStringLiteral("Wersja: ") + FileVersion;
    return QStringLiteral("Wersja: ") + QString::asprintf("%d.%2.2d.%d", numbers[0], numbers[1], numbers[3]);
}

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , ui(std::make_unique<Ui::TAboutBox>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setBackgroundRole(QPalette::Button);
    ApplyPixelFonts(this);
    ui->lblURL->setText(ProgramWebAddress);
    // The stand-in faces are wider than the original ones: the labels grow
    // to their text, the wrapped description downward, rather than cut it.
    ui->lblURL->adjustSize();
    QLabel* description = ui->Label1;
    description->resize(description->width(),
                        qMax(description->height(), description->heightForWidth(description->width())));
    ui->lblURL->installEventFilter(this);
    connect(ui->Button1, &QPushButton::clicked, this, &TAboutBox::FormClick);
    FormCreate();
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::FormCreate()
{
    CentreOverMainWindow(*this);
    InfoExe = new TEPInfoExe(this);
    InfoExe->SetLangId(QStringLiteral("0415"));
    InfoExe->SetExeName(QCoreApplication::applicationFilePath());
    InfoExe->Execute();
    // The caption grows leftward: its text keeps ending where the .ui ends it.
    const QRect designed = ui->lblVersion->geometry();
    ui->lblVersion->setText(VersionCaption(InfoExe->FileVersion()));
    const int width = qMax(designed.width(), ui->lblVersion->sizeHint().width());
    ui->lblVersion->setGeometry(designed.right() + 1 - width, designed.top(), width, designed.height());

    // The picture lives in the library's resources, which a static library
    // must register itself.
    Q_INIT_RESOURCE(AboutBox);
    QFile picture(QStringLiteral(":/AboutBox.jpg"));
    LoadPicture(picture.open(QIODevice::ReadOnly) ? picture.readAll() : QByteArray());
}

void TAboutBox::LoadPicture(const QByteArray& jpeg)
{
    ui->Image1->setPixmap(QPixmap::fromImage(DecodeJpeg(jpeg)));
}

void TAboutBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    for (const Frame3D& frame : Frames)
        DrawFrame3D(p, rect().adjusted(frame.insetPx, frame.insetPx, -frame.insetPx, -frame.insetPx),
                    frame.topLeft, frame.bottomRight, frame.rings);
}

void TAboutBox::mouseReleaseEvent(QMouseEvent* event)
{
    // The labels and the picture pass their clicks on to the box.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        FormClick();
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ui->lblURL)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress)
        return true;
    if (event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            lblURLClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::FormClick()
{
    close();
}

void TAboutBox::lblURLClick()
{
    // A page that cannot be opened is not reported.
    QDesktopServices::openUrl(QUrl::fromUserInput(ProgramWebAddress));
}

void ShowAboutBox(QWidget* parent)
{
    g_AboutBox = new TAboutBox(parent);
    g_AboutBox->exec();
}

TAboutBox* AboutBox()
{
    return g_AboutBox.data();
}
