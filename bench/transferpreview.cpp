// The transfer coupon as the document window repaints it (the whole coupon
// on every paint, through the shared off-screen bitmap, then copied to the
// window) and as a 600 dpi printer draws it: once into a bitmap, once as a
// one-page PDF job. Every field the coupon shows is filled.
#include "BenchMain.h"
#include "FilledDocument.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/BackBuffer.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Bitmap.h"
#include "platform/PdfFile.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int PrinterDpi = 600;

QTemporaryDir& WorkDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A document window that opened the filled document from its file, as the
// program opens one.
std::unique_ptr<TfrmBlank> OpenFilled(quint16 kind)
{
    const QString path = WorkDir().filePath(QStringLiteral("coupon%1.blk").arg(kind));
    if (!WriteFilledDocument(path, kind))
        return nullptr;
    return std::make_unique<TfrmBlank>(nullptr, path);
}

// Arguments: kind, zoom in pixels per inch. Painted through PaintTransferForm
// onto a window-sized bitmap, so the copy to the window is counted too.
void BM_PreviewRepaint(benchmark::State& state)
{
    const auto kind = quint16(state.range(0));
    const int zoom = int(state.range(1));
    std::unique_ptr<TfrmBlank> form = OpenFilled(kind);
    if (!form || form->Kind() != kind) {
        state.SkipWithError("the filled document did not open");
        return;
    }
    form->SetPixelsPerInch(zoom);
    TBitmap window(form->BlankObj.MM2Pixel(CouponWidthMm), form->BlankObj.MM2Pixel(CouponHeightMm));
    form->BlankObj.SetCanvas(&window.Canvas());
    for (auto _ : state) {
        PaintTransferForm(form->Data(), form->BlankObj, bsTop);
        benchmark::ClobberMemory();
    }
    form->BlankObj.SetCanvas(nullptr);
    state.counters["pixels"] = double(window.Width()) * window.Height();
}
BENCHMARK(BM_PreviewRepaint)
    ->ArgNames({"kind", "zoom"})
    ->ArgsProduct({{bkTransfer, bkTransferZus, bkTransferTax}, {100, 500}})
    ->Unit(benchmark::kMillisecond);

// One coupon drawn at a printer's resolution into a bitmap of its size.
void BM_CouponBitmap600Dpi(benchmark::State& state)
{
    const auto kind = quint16(state.range(0));
    std::unique_ptr<TfrmBlank> form = OpenFilled(kind);
    if (!form || form->Kind() != kind) {
        state.SkipWithError("the filled document did not open");
        return;
    }
    TBlankObj& obj = form->BlankObj;
    obj.SetDPI(PrinterDpi);
    TBitmap page(obj.MM2Pixel(CouponWidthMm), obj.MM2Pixel(CouponHeightMm));
    obj.SetCanvas(&page.Canvas());
    obj.SetOriginX(0);
    obj.SetOriginY(0);
    for (auto _ : state) {
        DrawTransferCoupon(form->Data(), obj, 0);
        benchmark::ClobberMemory();
    }
    obj.SetCanvas(nullptr);
}
BENCHMARK(BM_CouponBitmap600Dpi)
    ->ArgName("kind")
    ->DenseRange(bkTransfer, bkTransferTax)
    ->Unit(benchmark::kMillisecond);

// One coupon as a whole 600 dpi PDF job: open the file, draw, finish it.
void BM_CouponPdfJob600Dpi(benchmark::State& state)
{
    const auto kind = quint16(state.range(0));
    std::unique_ptr<TfrmBlank> form = OpenFilled(kind);
    if (!form || form->Kind() != kind) {
        state.SkipWithError("the filled document did not open");
        return;
    }
    TBlankObj& obj = form->BlankObj;
    const QString path = WorkDir().filePath(QStringLiteral("coupon%1.pdf").arg(kind));
    qint64 bytes = 0;
    for (auto _ : state) {
        TPdfFile pdf(path, CouponWidthMm, CouponHeightMm, PrinterDpi);
        obj.SetCanvas(&pdf.Canvas());
        obj.SetDPI(PrinterDpi);
        obj.SetOriginX(0);
        obj.SetOriginY(0);
        DrawTransferCoupon(form->Data(), obj, 0);
        obj.SetCanvas(nullptr);
        pdf.Close();
    }
    bytes = QFile(path).size();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_CouponPdfJob600Dpi)
    ->ArgName("kind")
    ->DenseRange(bkTransfer, bkTransferTax)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
