// A whole print job of the landscape layout: four filled transfer coupons on
// one sheet through the program-wide printer into a PDF file at 600 pixels
// per inch, from the job's start to the finished file; placed from the
// sheet's corner, and fitted to a printable area smaller than the block.
#include "BenchMain.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/BackBuffer.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Printer.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int PrinterDpi = 600;
constexpr double MarginMm = 5.0; // a printable area of 287 x 200 mm in landscape
const QString Queue = QStringLiteral("pdf");

QTemporaryDir& WorkDir()
{
    static QTemporaryDir dir;
    return dir;
}

TBlankData FilledTransfer()
{
    TBlankData d;
    d.FKind = bkTransfer;
    d.FPrzelewWplata = pwPrzelew;
    d.FKwota = 1'234'567'891'200; // 123 456 789,12 zł
    d.FKolForm = DefaultKolForm(bkTransfer);
    d.FKolTekst = clBlack;
    d.FOdbiorca = {QStringLiteral("Spółdzielnia Mieszkaniowa Zorza"), QStringLiteral("ul. Wróblewskiego 27")};
    d.FNadawca = {QStringLiteral("Zażółć Gęślą Jaźń sp. z o.o"), QStringLiteral("ul. Długa 15, Gdańsk")};
    d.FTytul = {QStringLiteral("Faktura 12/2026 z 3.11.2026"), QStringLiteral("i korekta 4/2026")};
    d.FOdbRach = QStringLiteral("12 1020 3040 5060 7080 9010 1112");
    d.FNadRach = QStringLiteral("34 1140 2004 0000 3102 7654 3210");
    return d;
}

// Opened from its file, as the program opens a document.
std::unique_ptr<TfrmBlank> OpenFilled()
{
    const QString path = WorkDir().filePath(QStringLiteral("transfer.blk"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(WriteBlankFile(FilledTransfer())) < 0)
        return nullptr;
    file.close();
    return std::make_unique<TfrmBlank>(nullptr, path);
}

// Argument: fit to page (0 or 1).
void BM_LandscapeJob600Dpi(benchmark::State& state)
{
    std::unique_ptr<TfrmBlank> form = OpenFilled();
    if (!form || form->Kind() != bkTransfer) {
        state.SkipWithError("the filled document did not open");
        return;
    }
    auto spooler = std::make_unique<TPdfFileSpooler>(WorkDir().path(), QStringList{Queue}, PrinterDpi,
                                                     QPageSize(QPageSize::A4),
                                                     QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm));
    const QString file = spooler->JobFile(Queue, 1);
    Printer().SetSpooler(std::move(spooler));
    TCouponChoice choice;
    choice.autoScale = state.range(0) != 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        PrintTransferLandscape(form->Data(), form->BlankObj, choice);
        // Every job writes the queue's first file, so finding the next
        // file name costs the same each time.
        state.PauseTiming();
        bytes = QFile(file).size();
        QFile::remove(file);
        state.ResumeTiming();
    }
    if (bytes <= 0)
        state.SkipWithError("the job wrote no file");
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_LandscapeJob600Dpi)->ArgName("fit")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
