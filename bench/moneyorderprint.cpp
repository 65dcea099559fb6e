// Both sides of a money order with every field filled, OK between, through a CUPS daemon of the bench's own whose
// queues' drivers rasterise at 600 and at 1200 dpi, to the jobs in the spooler. Reports the resolution the jobs
// were drawn at and the process's peak memory, held against a budget for the whole process at each resolution;
// the 600 dpi run comes first, as a peak only grows.
#include "BenchMain.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "helpers/PrivateCups.h"
#include "layouts/untBlPrzekaz.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

TBlankData FilledOrder()
{
    TBlankData d;
    d.FKind = bkMoneyOrder;
    d.FKwota = 9'9999'9999'9900;
    d.FKolForm = DefaultKolForm(bkMoneyOrder);
    d.FKolTekst = clBlack;
    d.FNadawca = {QStringLiteral("Zażółć Gęślą Jaźń sp. z o.o.")};
    d.FOdbiorca = {QStringLiteral("Spółdzielnia Mieszkaniowa „Zacisze”")};
    d.FNadAdres = d.FOdbAdres = QStringLiteral("ul. Świętokrzyska 12/4");
    d.FNadPoczta = d.FOdbPoczta = QStringLiteral("Łódź");
    d.FNadKod = d.FOdbKod = QStringLiteral("90-001");
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

// state.range(0): the queue's resolution; state.range(1): the budget in MB.
void BM_MoneyOrderBothSidesThroughTheSpooler(benchmark::State& state)
{
    const int dpi = int(state.range(0));
    PrivateCups cups(QStringLiteral(WPLATOMAT_TEST_DATA "/cups"));
    const QString queue = QStringLiteral("pdf-%1").arg(dpi);
    if (!PrivateCups::Installed() || !cups.Start()
        || !cups.AddQueue(queue, QStringLiteral("file:///dev/null"), QString(),
                          {QStringLiteral("Resolution=%1dpi").arg(dpi)})) {
        state.SkipWithError("no CUPS daemon of our own could be started");
        return;
    }
    Printer().SetSpooler(std::make_unique<TSystemSpooler>());
    Printer().SetPrinter(queue, QString(), QString(), QByteArray());
    const TBlankData data = FilledOrder();
    TBlankObj obj;
    const TSideChoice both{true, true, [] { return true; }};
    int jobs = 0;
    for (auto _ : state) {
        PrintMoneyOrder(data, obj, both);
        jobs += 2;
    }
    // After the loop, so nothing here is timed.
    const bool spooled = cups.WaitForJobs(queue, jobs);
    // The program-wide printer outlives the daemon.
    Printer().SetSpooler(
        std::make_unique<TPdfFileSpooler>(QString(), QStringList{}, dpi, QPageSize(QPageSize::A4), QMarginsF()));
    state.counters["drawn_dpi"] = obj.DPI();
    state.counters["peak_MB"] = PeakMb();
    state.counters["budget_MB"] = double(state.range(1));
    if (!spooled)
        state.SkipWithError("the spooler did not finish the jobs");
    else if (obj.DPI() != dpi)
        state.SkipWithError("the jobs were not drawn at the queue's resolution");
    else if (PeakMb() > state.range(1))
        state.SkipWithError("the process's peak memory is over its budget");
}
BENCHMARK(BM_MoneyOrderBothSidesThroughTheSpooler)
    ->Args({600, 150})
    ->Args({1200, 300})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
