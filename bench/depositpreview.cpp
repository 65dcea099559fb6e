// The deposit form's preview as the document window repaints it: the whole
// coupon through the window's paint dispatch, the shared off-screen bitmap
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

TBlankData FilledDeposit()
{
    TBlankData d;
    d.FKind = bkDeposit;
    d.FKwota = 9'9999'9999'9900; // the longest words, stepped down to fit both lines
    d.FKolForm = DefaultKolForm(bkDeposit);
    d.FKolTekst = clBlack;
    d.FNadawca = {QStringLiteral("Zażółć Gęślą Jaźń sp. z o.o."), QStringLiteral("ul. Długa 15/3, 80-831 Gdańsk")};
    d.FBank = {QStringLiteral("Bank Spółdzielczy w Łańcucie")};
    d.FOdbRach = QStringLiteral("12 1020 2892 0000 5402 0123 4567");
    d.FOdbiorca = {QStringLiteral("Spółdzielnia Mieszkaniowa „Zacisze”")};
    for (int n = 1; n <= 10; ++n)
        d.FTytul << QStringLiteral("Rata %1 za czesne, semestr zimowy").arg(n);
    return d;
}

// Arguments: side (0 front, 1 back), zoom in pixels per inch.
void BM_DepositPreview(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("deposit.wpt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(WriteBlankFile(FilledDeposit())) < 0) {
        state.SkipWithError("the filled document could not be written");
        return;
    }
    file.close();
    TfrmBlank form(nullptr, path);
    if (form.Kind() != bkDeposit) {
        state.SkipWithError("the filled document did not open");
        return;
    }
    const auto side = TBlankSide(state.range(0));
    const int zoom = int(state.range(1));
    form.SetPixelsPerInch(zoom);
    form.BlankObj.SetDPI(zoom);
    TBitmap window(form.BlankObj.MM2Pixel(70), form.BlankObj.MM2Pixel(100));
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
        state.SkipWithError("the window's paint dispatch drew no deposit coupon");
    state.counters["pixels"] = double(window.Width()) * window.Height();
}
BENCHMARK(BM_DepositPreview)
    ->ArgNames({"side", "zoom"})
    ->ArgsProduct({{bsTop, bsBottom}, {100, 500}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
