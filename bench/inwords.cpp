#include "drawing/untBlankObj.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t AmountCount = 1'000'000;
// 999 999 999.99 zł, the most a document's amount is allowed to hold.
constexpr Currency LargestDocumentAmount = 9'999'999'999'900;

// Amounts of every length from a grosz up, whole grosze as the documents
// hold them, the same on every run so figures compare between builds.
std::vector<Currency> Amounts()
{
    constexpr std::array<Currency, 7> Ceilings = {
        100, 10'000, 1'000'000, 100'000'000, 10'000'000'000, 1'000'000'000'000,
        LargestDocumentAmount};
    std::vector<Currency> amounts;
    amounts.reserve(AmountCount);
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    for (std::size_t i = 0; i < AmountCount; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const auto ceiling = static_cast<std::uint64_t>(Ceilings[i % Ceilings.size()]);
        const auto grosze = (state >> 16) % (ceiling / 100 + 1);
        amounts.push_back(static_cast<Currency>(grosze * 100));
    }
    return amounts;
}

void BM_InWordsFull(benchmark::State& state)
{
    const std::vector<Currency> amounts = Amounts();
    for (auto _ : state) {
        for (Currency amount : amounts)
            benchmark::DoNotOptimize(TBlankObj::InWordsFull(amount, false));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(amounts.size()));
}
BENCHMARK(BM_InWordsFull)->Unit(benchmark::kMillisecond);

void BM_InWordsSimpleFull(benchmark::State& state)
{
    const std::vector<Currency> amounts = Amounts();
    for (auto _ : state) {
        for (Currency amount : amounts)
            benchmark::DoNotOptimize(TBlankObj::InWordsSimpleFull(amount));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(amounts.size()));
}
BENCHMARK(BM_InWordsSimpleFull)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
