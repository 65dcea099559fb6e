// The money order's preview as the document window repaints it: the whole
// strip through the window's paint dispatch, the shared off-screen bitmap
// and the copy to the window, front and back, every field filled.
#include "BenchMain.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "document/BlankLayouts.h"
#include "platform/Bitmap.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

TBlankData FilledOrder()
{
    TBlankData d;
    d.FKind = bkMoneyOrder;
    d.FKwota = 9'9999'9999'9900; // the longest words, on two lines at a smaller size
    d.FKolForm = DefaultKolForm(bkMoneyOrder);
    d.FKolTekst = clBlack;
    d.FNadawca = {QStringLiteral("Zażółć Gęślą Jaźń sp. z o.o.")};
    d.FNadAdres = QStringLiteral("ul. Długa 15/3");
    d.FNadPoczta = QStringLiteral("Gdańsk");
    d.FNadKod = QStringLiteral("80-831");
    d.FOdbiorca = {QStringLiteral("Spółdzielnia Mieszkaniowa „Zacisze”")};
    d.FOdbAdres = QStringLiteral("ul. Wróblewskiego 27");
    d.FOdbPoczta = QStringLiteral("Łódź");
    d.FOdbKod = QStringLiteral("94-103");
    for (int n = 1; n <= 10; ++n)
        d.FTytul << QStringLiteral("Rata %1 za czesne, semestr zimowy").arg(n);
    return d;
}

// Arguments: side (0 front, 1 back), zoom in pixels per inch.
void BM_MoneyOrderPreview(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("order.wpt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(WriteBlankFile(FilledOrder())) < 0) {
        state.SkipWithError("the filled document could not be written");
        return;
    }
    file.close();
    TfrmBlank form(nullptr, path);
    if (form.Kind() != bkMoneyOrder) {
        state.SkipWithError("the filled document did not open");
        return;
    }
    const auto side = TBlankSide(state.range(0));
    const int zoom = int(state.range(1));
    form.SetPixelsPerInch(zoom);
    form.BlankObj.SetDPI(zoom);
    TBitmap window(form.BlankObj.MM2Pixel(210), form.BlankObj.MM2Pixel(100));
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
        state.SkipWithError("the window's paint dispatch drew no money order");
    state.counters["pixels"] = double(window.Width()) * window.Height();
}
BENCHMARK(BM_MoneyOrderPreview)
    ->ArgNames({"side", "zoom"})
    ->ArgsProduct({{bsTop, bsBottom}, {100, 500}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
