#include "layouts/untBlPrzekaz.h"

#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/Exception.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"
#include "layouts/PrintJob.h"

#include <algorithm>
#include <cmath>

namespace {

const QString FrontTitle = QStringLiteral("Przekaz - awers");
const QString BackTitle = QStringLiteral("Przekaz - rewers");
const QString BackFailed = QStringLiteral(
    "Za mało pamięci, by przygotować tył przekazu do wydruku. Tył przekazu nie został wydrukowany.");
constexpr double AllowanceXMm = 4.0;
constexpr double AllowanceYMm = 7.0;
constexpr int MaxBackDpi = 1200;

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

// The back is a picture the printer scales to its own dots: no finer than
// the driver's coarser figure, nor than MaxBackDpi, at which the bitmap stays
// near 140 MB (at 5760 dpi it would take 3.2 GB).
int BackDpi()
{
    const QSize driver = Printer().DriverResolution();
    return std::min({MaxBackDpi, driver.width(), driver.height()});
}

// Lends the shared bitmap to the back and gives it back at the previews' size
// and depth however the back ends: on the printer, refused by it, or failed
// half way; no page-sized picture outlives the job.
class TBackBufferLoan {
public:
    explicit TBackBufferLoan(TBitmap& bitmap)
        : m_bitmap(bitmap), m_width(bitmap.Width()), m_height(bitmap.Height()), m_format(bitmap.PixelFormat())
    {
    }
    ~TBackBufferLoan() { Return(); }
    void Return()
    {
        if (!m_lent)
            return;
        m_lent = false;
        // Emptied first, so that the change of depth makes no picture of the page's size.
        m_bitmap.SetSize(0, 0);
        m_bitmap.SetPixelFormat(m_format);
        m_bitmap.SetSize(m_width, m_height);
    }

private:
    TBitmap& m_bitmap;
    int m_width;
    int m_height;
    TPixelFormat m_format;
    bool m_lent = true;
};

// The back at dpi, head to foot, in the bitmap at 24 bits. A printer cannot
// take a job back once begun, so this runs before the back's job does.
void DrawTurnedBack(const TBlankData& data, TBlankObj& obj, TBitmap& buffer, int dpi)
{
    TBlankObj scale;
    scale.SetDPI(dpi);
    // Emptied first, so that the change of depth makes no picture of the preview's size.
    buffer.SetSize(0, 0);
    buffer.SetPixelFormat(pf24bit);
    buffer.SetSize(scale.MM2Pixel(MoneyOrderWidthMm), scale.MM2Pixel(MoneyOrderHeightMm));
    if (buffer.Image().isNull())
        throw Exception(BackFailed);
    TCanvas& canvas = buffer.Canvas();
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
    RotateBitmap180(buffer);
}

// The printer takes a picture as a 32-bit copy of its own; handed over a band
// at a time, that copy stays small however large the back is. Each of the
// picture's pixels covers scale of the printer's.
void CopyInBands(TCanvas& printer, const QImage& image, QPoint corner, double scale)
{
    constexpr qsizetype BandBytes = 4 << 20;
    const int rows = int(std::max<qsizetype>(1, BandBytes / std::max<qsizetype>(1, image.bytesPerLine())));
    const auto at = [scale](int px) { return int(std::lround(px * scale)); };
    for (int y = 0; y < image.height(); y += rows) {
        const int n = std::min(rows, image.height() - y);
        const QImage band(image.constScanLine(y), image.width(), n, image.bytesPerLine(), image.format());
        printer.StretchDraw({corner.x(), corner.y() + at(y), corner.x() + at(image.width()), corner.y() + at(y + n)},
                            band);
    }
}

void PrintBack(const TBlankData& data, TBlankObj& obj)
{
    TBitmap* buffer = BackBuffer();
    if (!buffer)
        throw Exception(BackFailed);
    const int dpi = BackDpi();
    TBackBufferLoan loan(*buffer);
    DrawTurnedBack(data, obj, *buffer, dpi);
    TPrintJob job(obj, BackTitle, poPortrait);
    CopyInBands(Printer().Canvas(), buffer->Image(), PrinterOffsets().Back(),
                double(Printer().DeviceCaps(LOGPIXELSX)) / dpi);
    // Returned before the job ends and the spooler takes the file.
    loan.Return();
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
