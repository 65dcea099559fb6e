#include "layouts/untBlPrzekaz.h"

#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/Exception.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"
#include "layouts/PrintJob.h"

#include <algorithm>

namespace {

const QString FrontTitle = QStringLiteral("Przekaz - awers");
const QString BackTitle = QStringLiteral("Przekaz - rewers");
const QString BackFailed = QStringLiteral(
    "Za mało pamięci, by przygotować tył przekazu do wydruku. Tył przekazu nie został wydrukowany.");
constexpr double AllowanceXMm = 4.0;
constexpr double AllowanceYMm = 7.0;
constexpr qint64 BackBytesPerPixel = 3;
constexpr qint64 MaxBackBytes = qint64(2) << 30; // 2 GiB; 2400 dpi needs 562 MiB

TMoneyOrderOffsets PrinterOffsets()
{
    const TPrinter& p = Printer();
    return GetMoneyOrderPrintOffsets(p.DeviceCaps(LOGPIXELSX), p.DeviceCaps(PHYSICALOFFSETX),
                                     p.DeviceCaps(PHYSICALOFFSETY), p.DeviceCaps(PHYSICALWIDTH), p.PageWidth());
}

void PrintFront(const TBlankData& data, TBlankObj& obj)
{
    TPrintJob job(obj, FrontTitle, poPortrait);
    const QPoint origin = PrinterOffsets().Front();
    obj.SetIntOrigin(origin.x(), origin.y());
    DrawMoneyOrderFront(data, obj);
    // The cut line along the strip's bottom edge.
    SetCutPen(data, obj, psSolid);
    obj.HorizLine(0, MoneyOrderWidthMm, MoneyOrderHeightMm);
}

// The back at the printer's resolution, head to foot, in the shared bitmap
// at 24 bits. A printer cannot take a job back once begun, so this runs
// before the back's job does.
TBitmap& DrawTurnedBack(const TBlankData& data, TBlankObj& obj, int dpi)
{
    TBitmap* buffer = BackBuffer();
    if (!buffer)
        throw Exception(BackFailed);
    TBlankObj scale;
    scale.SetDPI(dpi);
    const qint64 width = scale.MM2Pixel(MoneyOrderWidthMm), height = scale.MM2Pixel(MoneyOrderHeightMm);
    // A picture no allocation can hold (at a resolution no printer has) is not even tried.
    if (width * height * BackBytesPerPixel > MaxBackBytes)
        throw Exception(BackFailed);
    // Emptied first, so that the change of depth makes no picture of the preview's size.
    buffer->SetSize(0, 0);
    buffer->SetPixelFormat(pf24bit);
    buffer->SetSize(int(width), int(height));
    if (buffer->Image().isNull()) {
        buffer->SetPixelFormat(pf32bit);
        throw Exception(BackFailed);
    }
    TCanvas& canvas = buffer->Canvas();
    obj.SetCanvas(&canvas);
    obj.SetDPI(dpi);
    obj.SetOriginX(0);
    obj.SetOriginY(0);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWhite;
    canvas.Pen.Style = psClear;
    obj.Rectangle(0, 0, MoneyOrderWidthMm, MoneyOrderHeightMm);
    DrawMoneyOrderBack(data, obj);
    obj.SetCanvas(nullptr);
    RotateBitmap180(*buffer);
    return *buffer;
}

// The printer takes a picture as a 32-bit copy of its own; handed over a band
// at a time, that copy stays small however large the back is.
void CopyInBands(TCanvas& printer, const QImage& image, QPoint corner)
{
    constexpr qsizetype BandBytes = 4 << 20;
    const int rows = int(std::max<qsizetype>(1, BandBytes / std::max<qsizetype>(1, image.bytesPerLine())));
    for (int y = 0; y < image.height(); y += rows) {
        const QImage band(image.constScanLine(y), image.width(), std::min(rows, image.height() - y),
                          image.bytesPerLine(), image.format());
        printer.Draw(corner.x(), corner.y() + y, band);
    }
}

void PrintBack(const TBlankData& data, TBlankObj& obj)
{
    TBitmap& back = DrawTurnedBack(data, obj, Printer().DeviceCaps(LOGPIXELSX));
    // The shared bitmap goes back to the previews' own depth and size when the
    // back is on the printer's canvas, or when the job cannot start.
    struct TRelease {
        TBitmap& bitmap;
        ~TRelease() { bitmap.SetSize(0, 0), bitmap.SetPixelFormat(pf32bit); }
    } release{back};
    TPrintJob job(obj, BackTitle, poPortrait);
    CopyInBands(Printer().Canvas(), back.Image(), PrinterOffsets().Back());
    // Released before the job ends and the spooler takes the file.
    back.SetSize(0, 0);
}

// Keeps the preview off the drawing object from the first job to the last,
// the turn-the-sheet message included.
class TPrintingMark {
public:
    explicit TPrintingMark(TBlankObj& obj) : m_obj(obj) { m_obj.SetPrinting(true); }
    ~TPrintingMark() { m_obj.SetPrinting(false); }
    void Renew() { m_obj.SetPrinting(true); }

private:
    TBlankObj& m_obj;
};

} // namespace

TMoneyOrderOffsets GetMoneyOrderPrintOffsets(int Dpi, int PhysicalOffsetX, int PhysicalOffsetY, int PhysicalWidth,
                                             int PageWidth)
{
    TBlankObj scale;
    scale.SetDPI(Dpi);
    TMoneyOrderOffsets o;
    o.L = PhysicalOffsetX;
    o.T = PhysicalOffsetY;
    const int r = PhysicalWidth - PageWidth - o.L;
    const int a = scale.MM2Pixel(AllowanceXMm);
    o.dx = o.L >= a ? o.L - a : 0;
    if (r > o.L)
        o.dx += r - o.L;
    // The vertical allowance is added to T where the horizontal one is taken from L.
    const int b = scale.MM2Pixel(AllowanceYMm);
    o.dy = o.T >= b ? b + o.T : 0;
    return o;
}

void PrintMoneyOrder(const TBlankData& Data, TBlankObj& Obj, const TSideChoice& Choice)
{
    TPrintingMark mark(Obj);
    if (Choice.front) {
        PrintFront(Data, Obj);
        mark.Renew();
    }
    if (Choice.BackFollows())
        PrintBack(Data, Obj);
}
