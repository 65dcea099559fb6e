// Each preview as the window repaints it (through the shared off-screen
// bitmap, then copied to the window) and the transfer coupon drawn at a
// printer's 600 ppi, against the same picture's primitives, recorded once,
// replayed through cairo and through QPainter directly. The three run
// interleaved in every iteration; the counters give each one's median and
// ours / cairo, which should stay at or under 1.3.
#include "BenchMain.h"
#include "FilledDocument.h"
#include "PaintRecord.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "document/BlankLayouts.h"
#include "layouts/untBlCzerwony.h"
#include "layouts/untBlPrzekaz.h"
#include "layouts/untBlWplata.h"
#include "platform/Bitmap.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

namespace {

constexpr int CouponPpi = 600;

// What the preview draws inside its off-screen bitmap, without the bitmap.
std::function<void(const TBlankData&, TBlankObj&)> PageDrawing(quint16 kind, TBlankSide side)
{
    if (IsTransferKind(kind))
        return side == bsTop ? [](const TBlankData& d, TBlankObj& o) { DrawTransferCoupon(d, o, 0); }
                             : [](const TBlankData& d, TBlankObj& o) { DrawTransferReceipt(d, o, 2); };
    if (kind == bkMoneyOrder)
        return side == bsTop ? [](const TBlankData& d, TBlankObj& o) { DrawMoneyOrderFront(d, o); }
                             : [](const TBlankData& d, TBlankObj& o) { DrawMoneyOrderBack(d, o); };
    return side == bsTop ? [](const TBlankData& d, TBlankObj& o) { DrawDepositCouponFront(d, o, 0); }
                         : [](const TBlankData& d, TBlankObj& o) { DrawDepositCouponBack(d, o, 0, false); };
}

// The primitives of one page at ppi: with the white page and the copy of the
// off-screen bitmap to the window when it is a preview.
std::vector<PaintOp> Record(const TBlankData& data, quint16 kind, TBlankSide side, int ppi, bool preview)
{
    const QSizeF page = IsTransferKind(kind) ? QSizeF(CouponWidthMm, CouponHeightMm) : PageSizeMm(kind);
    TBlankObj obj;
    obj.SetDPI(ppi);
    PaintRecordDevice device(QSize(obj.MM2Pixel(page.width()), obj.MM2Pixel(page.height())));
    {
        TCanvas canvas(&device);
        obj.SetCanvas(&canvas);
        obj.SetDPI(ppi);
        if (preview) {
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = clWhite;
            canvas.Pen.Style = psClear;
            obj.SetPenWidth(0);
            obj.Rectangle(0, 0, page.width(), page.height());
        }
        PageDrawing(kind, side)(data, obj);
        obj.SetCanvas(nullptr);
    }
    if (preview) {
        PaintOp copy{PaintOp::Picture};
        copy.image = QImage(device.width(), device.height(), QImage::Format_RGB32);
        copy.image.fill(Qt::white);
        device.ops.push_back(copy);
    }
    return device.ops;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Arguments: kind, side, ppi, and whether it is the window's preview (1) or
// the coupon drawn on a printer's bitmap (0).
void BM_OursAgainstCairo(benchmark::State& state)
{
    const auto kind = quint16(state.range(0));
    const auto side = TBlankSide(state.range(1));
    const int ppi = int(state.range(2));
    const bool preview = state.range(3) != 0;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dokument.wpt"));
    if (!WriteFilledDocument(path, kind)) {
        state.SkipWithError("the filled document could not be written");
        return;
    }
    TfrmBlank form(nullptr, path);
    const std::vector<PaintOp> ops = Record(form.Data(), kind, side, ppi, preview);
    TBlankObj& obj = form.BlankObj;
    form.SetPixelsPerInch(ppi);
    obj.SetDPI(ppi);
    const QSizeF page = IsTransferKind(kind) ? QSizeF(CouponWidthMm, CouponHeightMm) : PageSizeMm(kind);
    TBitmap window(obj.MM2Pixel(page.width()), obj.MM2Pixel(page.height()));
    CairoReplay cairo(window.Image().size());
    QImage direct(window.Image().size(), QImage::Format_RGB32);
    const auto ours = [&] {
        obj.SetCanvas(&window.Canvas());
        obj.SetDPI(ppi);
        if (preview) {
            PaintLayout(&form, side);
        } else {
            obj.SetOriginX(0);
            obj.SetOriginY(0);
            PageDrawing(kind, side)(form.Data(), obj);
        }
    };
    std::vector<double> oursMs, cairoMs, qtMs;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        ours();
        oursMs.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        cairo.Play(ops);
        cairoMs.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        QtReplay(direct, ops);
        qtMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    obj.SetCanvas(nullptr);
    state.counters["ours_ms"] = Median(oursMs);
    state.counters["cairo_ms"] = Median(cairoMs);
    state.counters["qt_ms"] = Median(qtMs);
    state.counters["ours/cairo"] = Median(oursMs) / Median(cairoMs);
    state.counters["primitives"] = double(ops.size());
}
BENCHMARK(BM_OursAgainstCairo)
    ->ArgNames({"kind", "side", "ppi", "preview"})
    ->ArgsProduct({{bkTransfer, bkTransferZus, bkTransferTax}, {bsTop}, {100, 500}, {1}})
    ->ArgsProduct({{bkMoneyOrder, bkDeposit}, {bsTop, bsBottom}, {100, 500}, {1}})
    ->ArgsProduct({{bkTransfer, bkTransferZus, bkTransferTax}, {bsTop}, {CouponPpi}, {0}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
