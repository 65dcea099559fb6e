#include "document/BlankFile.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int LinesPerText = 20;
constexpr int CharactersPerLine = 120;

// Twenty full lines of Polish text: far more than a form holds, so the
// figures bound what opening and saving a real document costs.
QStringList LongText(const QString& seed)
{
    QStringList lines;
    for (int i = 0; i < LinesPerText; ++i)
        lines << (seed + QString::number(i) + QLatin1Char(' ')).repeated(CharactersPerLine).left(CharactersPerLine);
    return lines;
}

TBlankData LongDocument()
{
    TBlankData d;
    d.FKind = bkTransferTax;
    d.FKwota = 12'345'678'900; // 1 234 567.89 zł
    d.FPrzelewWplata = pwPrzelew;
    d.FNadawca = LongText(QStringLiteral("Zażółć gęślą jaźń "));
    d.FBank = LongText(QStringLiteral("Bank Śląski "));
    d.FOdbiorca = LongText(QStringLiteral("Urząd Skarbowy Łódź "));
    d.FTytul = LongText(QStringLiteral("Opłata "));
    for (QString* s : {&d.FNadRach, &d.FOdbRach, &d.FOdbKod, &d.FOdbAdres, &d.FOdbPoczta, &d.FNadKod,
                       &d.FNadAdres, &d.FNadPoczta, &d.FNadNIP, &d.FNadId2, &d.FNadDeklaracja,
                       &d.FNadNrDecyzji, &d.FNadOkres, &d.FNadSymbolForm, &d.FNadIdZobow})
        *s = QStringLiteral("12 1020 3040 5060 7080 9010 1112");
    d.FNadTypId2 = QLatin1Char('N');
    d.FNadTypWplaty = QLatin1Char('S');
    d.FKolForm = 0x007AD5;
    return d;
}

void BM_ReadBlankFile(benchmark::State& state)
{
    const QByteArray bytes = WriteBlankFile(LongDocument());
    for (auto _ : state) {
        TBlankData data;
        ReadBlankFile(bytes, data);
        benchmark::DoNotOptimize(data);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadBlankFile)->Unit(benchmark::kMicrosecond);

void BM_WriteBlankFile(benchmark::State& state)
{
    const TBlankData document = LongDocument();
    qint64 size = 0;
    for (auto _ : state) {
        const QByteArray bytes = WriteBlankFile(document);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_WriteBlankFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
