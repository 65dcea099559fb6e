// Reading and writing a document with every field at its longest, and opening
// such a document in its window until it takes a key: every document the
// reader accepts must be open and editable within a second.
#include "BenchMain.h"
#include "document/BlankEditorsTags.h"
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "document/FieldLengths.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

namespace {

namespace L = FieldLength;

// Polish text of the length, broken into lines of a form's width.
QString Filled(int length, bool lines = false)
{
    QString text = QStringLiteral("Zażółć gęślą jaźń ").repeated(length / 18 + 1).left(length);
    for (int at = 40; lines && at + 2 < text.size(); at += 42)
        text.replace(at, 2, QStringLiteral("\r\n"));
    return text;
}

QStringList FilledLines(int length)
{
    return Filled(length, true).split(QStringLiteral("\r\n"));
}

TBlankData LongestDocument(quint16 kind)
{
    TBlankData d;
    d.FKind = kind;
    d.FKwota = 12'345'678'900; // 1 234 567.89 zł
    d.FPrzelewWplata = pwPrzelew;
    d.FNadawca = FilledLines(L::Name);
    d.FBank = FilledLines(L::Name);
    d.FOdbiorca = FilledLines(L::Name);
    d.FTytul = FilledLines(L::Correspondence);
    for (QString* s : {&d.FNadRach, &d.FOdbAdres, &d.FOdbPoczta, &d.FNadAdres, &d.FNadPoczta})
        *s = Filled(L::Name);
    d.FOdbRach = Filled(L::Account);
    d.FOdbKod = d.FNadKod = Filled(L::PostalCode);
    d.FNadNIP = Filled(L::Nip);
    d.FNadId2 = Filled(L::SecondId);
    d.FNadDeklaracja = Filled(L::Declaration);
    d.FNadNrDecyzji = Filled(L::DecisionNumber);
    d.FNadOkres = Filled(L::TaxPeriod);
    d.FNadSymbolForm = Filled(L::FormSymbol);
    d.FNadIdZobow = Filled(L::ObligationId);
    d.FNadTypId2 = QLatin1Char('N');
    d.FNadTypWplaty = QLatin1Char('S');
    d.FKolForm = 0x007AD5;
    return d;
}

void BM_ReadBlankFile(benchmark::State& state)
{
    const QByteArray bytes = WriteBlankFile(LongestDocument(bkTransferTax));
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
    const TBlankData document = LongestDocument(bkTransferTax);
    qint64 size = 0;
    for (auto _ : state) {
        const QByteArray bytes = WriteBlankFile(document);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_WriteBlankFile)->Unit(benchmark::kMicrosecond);

// Argument: kind. From the file to a shown window whose longest editor has
// taken a typed letter; the target is well under 1 s.
void BM_OpenAndEditLongestDocument(benchmark::State& state)
{
    const auto kind = quint16(state.range(0));
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("dokument.wpt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(WriteBlankFile(LongestDocument(kind))) < 0) {
        state.SkipWithError("the document could not be written");
        return;
    }
    file.close();
    for (auto _ : state) {
        TfrmBlank form(nullptr, file.fileName());
        form.show();
        QApplication::processEvents();
        QWidget* editor = form.EditorOfTag(kind == bkMoneyOrder ? EditorTags::Tytul : EditorTags::Nadawca);
        if (form.IsClosing() || !editor) {
            state.SkipWithError("the document did not open");
            return;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        QApplication::sendEvent(editor->focusProxy() ? editor->focusProxy() : editor, &press);
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.Modified());
    }
}
BENCHMARK(BM_OpenAndEditLongestDocument)
    ->ArgName("kind")
    ->Arg(bkDeposit)
    ->Arg(bkMoneyOrder)
    ->Arg(bkTransfer)
    ->Arg(bkTransferZus)
    ->Arg(bkTransferTax)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunDrawingBenchmarks(argc, argv);
}
