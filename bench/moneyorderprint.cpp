// The money order's back job at 600 pixels per inch, back only: the back
// drawn into the shared bitmap at the printer's resolution, turned, and
// handed to the spooler as one picture, to the finished PDF file. Reports
// the process's peak memory, held against a budget for the whole process.
#include "BenchMain.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "layouts/untBlPrzekaz.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

constexpr int PrinterDpi = 600;
constexpr double MarginMm = 5.0;
constexpr double PeakBudgetMb = 150.0;
const QString Queue = QStringLiteral("pdf");

TBlankData FilledOrder()
{
    TBlankData d;
    d.FKind = bkMoneyOrder;
    d.FKwota = 1'234'567'800;
    d.FKolForm = DefaultKolForm(bkMoneyOrder);
    d.FKolTekst = clBlack;
    d.FNadawca = {QStringLiteral("Zażółć Gęślą Jaźń sp. z o.o.")};
    d.FOdbiorca = {QStringLiteral("Spółdzielnia Mieszkaniowa „Zacisze”")};
    for (int n = 1; n <= 10; ++n)
        d.FTytul << QStringLiteral("Rata %1 za czesne, semestr zimowy").arg(n);
    return d;
}

double PeakMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

void BM_MoneyOrderBackJob600Dpi(benchmark::State& state)
{
    QTemporaryDir dir;
    auto spooler = std::make_unique<TPdfFileSpooler>(dir.path(), QStringList{Queue}, PrinterDpi, QPageSize(QPageSize::A4),
                                                     QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm));
    const QString file = spooler->JobFile(Queue, 1);
    Printer().SetSpooler(std::move(spooler));
    const TBlankData data = FilledOrder();
    TBlankObj obj;
    const TSideChoice backOnly{false, true, {}};
    qint64 bytes = 0;
    for (auto _ : state) {
        PrintMoneyOrder(data, obj, backOnly);
        state.PauseTiming();
        bytes = QFile(file).size();
        QFile::remove(file);
        state.ResumeTiming();
    }
    state.counters["bytes"] = double(bytes);
    state.counters["peak_MB"] = PeakMb();
    state.counters["budget_MB"] = PeakBudgetMb;
    if (bytes <= 0)
        state.SkipWithError("the job wrote no file");
    else if (PeakMb() > PeakBudgetMb)
        state.SkipWithError("the process's peak memory is over its budget");
}
BENCHMARK(BM_MoneyOrderBackJob600Dpi)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
