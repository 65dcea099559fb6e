// The money order's and the deposit form's previews as the document window
// repaints them: the whole page through the window's paint dispatch, the
// shared off-screen bitmap and the copy to the window, front and back, every
// field filled.
#include "BenchMain.h"
#include "FilledDocument.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "document/BlankLayouts.h"
#include "platform/Bitmap.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Arguments: kind, side (0 front, 1 back), zoom in pixels per inch.
void BM_TwoSidedPreview(benchmark::State& state)
{
    const auto kind = quint16(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dokument.wpt"));
    if (!WriteFilledDocument(path, kind)) {
        state.SkipWithError("the filled document could not be written");
        return;
    }
    TfrmBlank form(nullptr, path);
    if (form.Kind() != kind) {
        state.SkipWithError("the filled document did not open");
        return;
    }
    const auto side = TBlankSide(state.range(1));
    const int zoom = int(state.range(2));
    form.SetPixelsPerInch(zoom);
    form.BlankObj.SetDPI(zoom);
    const QSizeF page = PageSizeMm(kind);
    TBitmap window(form.BlankObj.MM2Pixel(page.width()), form.BlankObj.MM2Pixel(page.height()));
    for (auto _ : state) {
        // As the window's paint handler sets them before each paint.
        form.BlankObj.SetCanvas(&window.Canvas());
        form.BlankObj.SetDPI(zoom);
        PaintLayout(&form, side);
        benchmark::ClobberMemory();
    }
    form.BlankObj.SetCanvas(nullptr);
    QImage blank(window.Image().size(), window.Image().format());
    blank.fill(Qt::white);
    if (window.Image() == blank)
        state.SkipWithError("the window's paint dispatch drew nothing");
    state.counters["pixels"] = double(window.Width()) * window.Height();
}
BENCHMARK(BM_TwoSidedPreview)
    ->ArgNames({"kind", "side", "zoom"})
    ->ArgsProduct({{bkMoneyOrder, bkDeposit}, {bsTop, bsBottom}, {100, 500}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
