#include "document/BlankFormUnit.h"
#include "drawing/untCommon.h"

#include "drawing/Exception.h"
#include "platform/Registry.h"
#include "ui_TFRMBLANK.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QFileInfo>
#include <QScrollBar>
#include <QTimer>

namespace {

const QString UntitledCaption = QStringLiteral("<Bez nazwy>");
constexpr int EditorPanelWidthPx = 201;

} // namespace

TfrmBlank::TfrmBlank(QWidget* AOwner, quint16 AKind)
    : QWidget(AOwner)
{
    Construct();
    F.FKind = AKind;
    InitData();
    SetFileName(QString());
    ReadKindColors();
    CreateEditors();
    FModified = false;
    setWindowModified(false);
}

TfrmBlank::TfrmBlank(QWidget* AOwner, const QString& FileName)
    : QWidget(AOwner)
{
    Construct();
    InitData();
    SetFileName(FileName);
    try {
        Load();
    } catch (const Exception& e) {
        // The caller learns of the failure from the closed window and decides
        // whether the user is told.
        FLoadError = e.Message();
        close();
    } catch (...) {
        FLoadError = QStringLiteral("Nie można otworzyć pliku: ") + FileName;
        close();
    }
    CreateEditors();
}

TfrmBlank::TfrmBlank(QWidget* AOwner)
    : QWidget(AOwner)
{
    Construct();
    F.FKind = bkTransfer;
    InitData();
    CreateEditors();
    FModified = false;
}

TfrmBlank::~TfrmBlank() = default;

void TfrmBlank::Construct()
{
    ui = std::make_unique<Ui::TFRMBLANK>();
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    ui->Splitter1->setSizes({EditorPanelWidthPx, width() - EditorPanelWidthPx});
    ui->PaintBox->OnPaint = [this] { PaintBoxPaint(); };
    ui->PaintBox->OnMouseDown = [this](Qt::MouseButton b, QPoint p) { PaintBoxMouseDown(b, p); };
    ui->PaintBox->OnMouseMove = [this](QPoint p) { PaintBoxMouseMove(p); };
    ui->PaintBox->OnMouseUp = [this](Qt::MouseButton b, QPoint p) { PaintBoxMouseUp(b, p); };
    ui->ScrollBox1->viewport()->installEventFilter(this);
    ui->EditorPanel->installEventFilter(this);

    ColorDialog = new QColorDialog(this);
    Timer1 = new QTimer(this);
    Timer1->setInterval(property("timerInterval").toInt());
    connect(Timer1, &QTimer::timeout, this, &TfrmBlank::Timer1Timer);
    Timer1->start();
}

void TfrmBlank::InitData()
{
    F.FOdbiorca.clear();
    F.FBank.clear();
    F.FNadawca.clear();
    F.FTytul.clear();
    SetPixelsPerInch(ScaleSteps[DefaultScaleStep]);
    SetDocumentDefaults(F, QDate::currentDate());
}

void TfrmBlank::ReadKindColors()
{
    TRegistry reg;
    if (!reg.OpenKey(AppRegistryKey(), false))
        return;
    // A value of another type than a number is not a colour: the default stays.
    if (const auto form = reg.ReadInteger(QStringLiteral("BlankColor%1").arg(F.FKind)))
        F.FKolForm = TColor(*form);
    if (const auto text = reg.ReadInteger(QStringLiteral("DataColor%1").arg(F.FKind)))
        F.FKolTekst = TColor(*text);
}

void TfrmBlank::SaveColors()
{
    TRegistry reg;
    if (!reg.OpenKey(AppRegistryKey(), true))
        return;
    reg.WriteInteger(QStringLiteral("BlankColor%1").arg(F.FKind), qint32(F.FKolForm));
    reg.WriteInteger(QStringLiteral("DataColor%1").arg(F.FKind), qint32(F.FKolTekst));
}

void TfrmBlank::SetKwota(Currency value)
{
    if (value == F.FKwota)
        return;
    F.FKwota = value >= KwotaCapThreshold ? MaxKwota : value;
    SetModified(true);
    FNeedRefresh = true;
}

void TfrmBlank::SetFileName(const QString& path)
{
    FFileName = path;
    setWindowTitle((path.isEmpty() ? UntitledCaption : QFileInfo(path).fileName()) + QStringLiteral("[*]"));
    SetModified(true);
}

void TfrmBlank::SetViewSide(TBlankSide side)
{
    FBlankSide = side;
    FNeedRefresh = true;
}

void TfrmBlank::SetModified(bool value)
{
    FModified = value;
    setWindowModified(value);
    if (OnModifiedChange)
        OnModifiedChange(this);
}

void TfrmBlank::closeEvent(QCloseEvent* event)
{
    if (OnCloseQuery && !OnCloseQuery(this)) {
        event->ignore();
        return;
    }
    FClosing = true;
    event->accept();
}
