// One A4 page of mixed drawing-object calls, the load of a preview repaint
// or of one printed sheet: 200 texts and 500 lines and boxes; and the
// wrapping of one very long line.
#include "BenchMain.h"
#include "drawing/untBlankObj.h"
#include "platform/Bitmap.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

constexpr double PageWidthMm = 210.0;
constexpr double PageHeightMm = 297.0;
constexpr TColor FormColor = 0x000000C0;
constexpr TColor TextColor = 0x00400000;

void DrawMixedPage(TBlankObj& obj, TCanvas& canvas)
{
    canvas.Pen.Color = FormColor;
    for (int i = 0; i < 500; ++i) {
        const double x = 5 + (i * 7) % 190;
        const double y = 5 + (i * 13) % 280;
        obj.SetPenWidth(i % 3 == 0 ? 0.6 : 0);
        switch (i % 4) {
        case 0: obj.HorizLine(x, x + 15, y); break;
        case 1: obj.VertLine(x, y, y + 8.5); break;
        case 2:
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = TBlankObj::HalfColorA(FormColor);
            obj.FillRect(x, y, x + 5, y + 8.5);
            break;
        default:
            canvas.Brush.Style = bsClear;
            obj.Rectangle(x, y, x + 5, y + 8.5);
            break;
        }
    }
    canvas.Brush.Style = bsClear;
    for (int i = 0; i < 200; ++i) {
        const double x = 5 + (i * 11) % 170;
        const double y = 5 + (i * 17) % 280;
        obj.SetFont(5 + i % 8, i % 2 ? FormColor : TextColor, 0, QStringLiteral("Arial CE"));
        if (i % 10 == 0)
            obj.DrawText(QStringLiteral("nazwa odbiorcy"), x, y, -1, 90);
        else if (i % 3 == 0)
            obj.DrawText(QStringLiteral("Tytułem: zapłata za fakturę 12/2026"), x, y, x + 40, 0);
        else
            obj.DrawText(QStringLiteral("kwota słownie"), x, y, -1, 0);
    }
}

void BM_MixedPage(benchmark::State& state)
{
    const int dpi = int(state.range(0));
    TBlankObj obj;
    TBitmap bmp;
    obj.SetDPI(dpi);
    bmp.SetSize(obj.MM2Pixel(PageWidthMm), obj.MM2Pixel(PageHeightMm));
    obj.SetCanvas(&bmp.Canvas());
    for (auto _ : state) {
        DrawMixedPage(obj, bmp.Canvas());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MixedPage)->Arg(100)->Arg(600)->Unit(benchmark::kMillisecond);

// A 100 000-character title wrapped as the money order's back wraps it
// (46 mm, ten lines). Budget: a few milliseconds, as for any short field,
// since only what fits each line is measured.
void BM_WrapLongLine(benchmark::State& state)
{
    TBlankObj obj;
    TBitmap bmp;
    bmp.SetSize(10, 10);
    obj.SetCanvas(&bmp.Canvas());
    obj.SetDPI(int(state.range(0)));
    obj.SetFont(8, TextColor, 0, QStringLiteral("Arial CE"));
    const QStringList title{QStringLiteral("Zapłata za fakturę 12/2026 ").repeated(4000).left(100'000)};
    for (auto _ : state) {
        QStringList lines = title;
        obj.WrapText(lines, 46.0, 10);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_WrapLongLine)->Arg(100)->Arg(600)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
