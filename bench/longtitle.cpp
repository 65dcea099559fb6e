// A title of 100 000 characters against an empty one, interleaved in every
// iteration: the deposit form's back as the window repaints it at zoom 500,
// and the money order's back printed at 600 dpi. What is cut off at the
// coupon's edge must cost nothing: the long repaint should stay under twice
// the empty one, the long print under 1.2 times, and the memory taken on top
// under 20 MB.
#include "BenchMain.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "document/BlankLayouts.h"
#include "layouts/untBlPrzekaz.h"
#include "platform/Bitmap.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <memory>

#include <unistd.h>

namespace {

constexpr int LongTitleChars = 100'000;
constexpr int PreviewZoom = 500;
constexpr int PrinterDpi = 600;
const QString Queue = QStringLiteral("pdf");

QStringList Title(int chars)
{
    QString text;
    while (text.size() < chars)
        text += QStringLiteral("Korespondencja w sprawie zaległej raty, ");
    return chars > 0 ? QStringList{text.left(chars)} : QStringList{};
}

TBlankData Document(quint16 kind, int titleChars)
{
    TBlankData d;
    d.FKind = kind;
    d.FKwota = 1'234'567'800;
    d.FKolForm = DefaultKolForm(kind);
    d.FKolTekst = clBlack;
    d.FNadawca = {QStringLiteral("Zażółć Gęślą Jaźń sp. z o.o.")};
    d.FOdbiorca = {QStringLiteral("Spółdzielnia Mieszkaniowa „Zacisze”")};
    d.FTytul = Title(titleChars);
    return d;
}

double ResidentMb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024.0) / 1024.0;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Pair {
    std::vector<double> emptyMs, longMs;
    double emptyMb = 0, longMb = 0;
};

void Report(benchmark::State& state, const Pair& p)
{
    state.counters["empty_ms"] = Median(p.emptyMs);
    state.counters["long_ms"] = Median(p.longMs);
    state.counters["long/empty"] = Median(p.longMs) / Median(p.emptyMs);
    state.counters["extra_MB"] = p.longMb - p.emptyMb;
}

void BM_DepositBackRepaint(benchmark::State& state)
{
    QTemporaryDir dir;
    std::unique_ptr<TfrmBlank> forms[2];
    for (int i = 0; i < 2; ++i) {
        const QString path = dir.filePath(QStringLiteral("%1.wpt").arg(i));
        QFile file(path);
        const QByteArray bytes = WriteBlankFile(Document(bkDeposit, i * LongTitleChars));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0) {
            state.SkipWithError("the document could not be written");
            return;
        }
        file.close();
        forms[i] = std::make_unique<TfrmBlank>(nullptr, path);
        forms[i]->SetPixelsPerInch(PreviewZoom);
    }
    const QSizeF page = PageSizeMm(bkDeposit);
    forms[0]->BlankObj.SetDPI(PreviewZoom);
    TBitmap window(forms[0]->BlankObj.MM2Pixel(page.width()), forms[0]->BlankObj.MM2Pixel(page.height()));
    const auto repaint = [&](TfrmBlank& form) {
        QElapsedTimer timer;
        timer.start();
        form.BlankObj.SetCanvas(&window.Canvas());
        form.BlankObj.SetDPI(PreviewZoom);
        PaintLayout(&form, bsBottom);
        form.BlankObj.SetCanvas(nullptr);
        return timer.nsecsElapsed() / 1e6;
    };
    Pair p;
    repaint(*forms[0]);
    p.emptyMb = ResidentMb();
    repaint(*forms[1]);
    p.longMb = ResidentMb();
    for (auto _ : state) {
        p.emptyMs.push_back(repaint(*forms[0]));
        p.longMs.push_back(repaint(*forms[1]));
    }
    Report(state, p);
}
BENCHMARK(BM_DepositBackRepaint)->Unit(benchmark::kMillisecond);

void BM_MoneyOrderBackPrint(benchmark::State& state)
{
    QTemporaryDir dir;
    auto spooler = std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{Queue}, PrinterDpi,
                                                     QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5));
    const QString file = spooler->JobFile(Queue, 1);
    Printer().SetSpooler(std::move(spooler));
    const TBlankData documents[] = {Document(bkMoneyOrder, 0), Document(bkMoneyOrder, LongTitleChars)};
    TBlankObj obj;
    const TSideChoice backOnly{false, true, {}};
    const auto print = [&](const TBlankData& data) {
        QElapsedTimer timer;
        timer.start();
        PrintMoneyOrder(data, obj, backOnly);
        const double ms = timer.nsecsElapsed() / 1e6;
        QFile::remove(file);
        return ms;
    };
    Pair p;
    print(documents[0]);
    p.emptyMb = ResidentMb();
    print(documents[1]);
    p.longMb = ResidentMb();
    for (auto _ : state) {
        p.emptyMs.push_back(print(documents[0]));
        p.longMs.push_back(print(documents[1]));
    }
    Report(state, p);
}
BENCHMARK(BM_MoneyOrderBackPrint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
