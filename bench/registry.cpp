// The registry at start with hostile settings files: each shape fills the
// file's size limit (a 50 MB file is refused by its size). Budget: a start
// (open the key, twenty reads, as the program does) well under a second,
// and a change while another process holds the lock failing in milliseconds.
#include "platform/Registry.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString AppKey = QStringLiteral("\\Software\\Korvex\\Wplatomat");
const QByteArray AppHeader = "[Software\\Korvex\\Wplatomat]\nMainFormLeft=int:100\n";
constexpr qint64 LimitBytes = RegistryFile::MaxFileBytes - 4096;

QByteArray Fill(const std::function<QByteArray(int)>& line, qint64 bytes = LimitBytes)
{
    QByteArray text = AppHeader;
    for (int i = 0;; ++i) {
        const QByteArray next = line(i);
        if (text.size() + next.size() > bytes)
            return text;
        text += next;
    }
}

QByteArray Chain(int depth, const QByteArray& name)
{
    QByteArray header = "[" + name;
    for (int level = 1; level < depth; ++level)
        header += "\\" + name;
    return header + "]\n";
}

const struct {
    const char* name;
    std::function<QByteArray()> text;
} Shapes[] = {
    {"values in one key", [] { return Fill([](int i) { return "v" + QByteArray::number(i) + "=int:1\n"; }); }},
    {"keys side by side", [] { return Fill([](int i) { return "[k" + QByteArray::number(i) + "]\n"; }); }},
    {"nested 512 deep", [] { return Fill([](int i) { return Chain(i % 512 + 1, QByteArray::number(i / 512)); }); }},
    {"new chains 512 deep",
     [] { return Fill([](int i) { return "[" + QByteArray::number(i) + Chain(511, "a").mid(1); }); }},
    {"longest names deepest",
     [] { return Fill([](int i) { return Chain(512, QByteArray(254, 'n') + char('a' + i % 26)); }); }},
    {"one escaped text",
     [] { return AppHeader + "[A]\nx=str:" + QByteArray("%u0104").repeated(LimitBytes / 6) + "\n"; }},
    {"50 MB", [] { return Fill([](int i) { return "v" + QByteArray::number(i) + "=int:1\n"; }, 50 << 20); }},
};

void BM_StartWithHostileFile(benchmark::State& state)
{
    const auto& shape = Shapes[state.range(0)];
    state.SetLabel(shape.name);
    QTemporaryDir dir;
    const QString fileName = dir.path() + QStringLiteral("/registry.txt");
    QFile file(fileName);
    const QByteArray text = shape.text();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        state.SkipWithError("cannot write the file");
    file.close();
    const QByteArray name = QFile::encodeName(fileName);
    timespec times[2] = {{0, UTIME_OMIT}, {0, 0}};
    for (auto _ : state) {
        state.PauseTiming();
        ++times[1].tv_sec; // a changed file, parsed again as at a start
        utimensat(AT_FDCWD, name.constData(), times, 0);
        state.ResumeTiming();
        TRegistry reg(fileName);
        if (!reg.OpenKey(AppKey, false) && text.size() <= RegistryFile::MaxFileBytes)
            state.SkipWithError("the file was not read");
        for (int read = 0; read < 20; ++read)
            benchmark::DoNotOptimize(reg.ReadInteger(QStringLiteral("MainFormLeft")));
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024;
}
BENCHMARK(BM_StartWithHostileFile)->DenseRange(0, std::size(Shapes) - 1)->Unit(benchmark::kMillisecond);

void BM_WriteWhileAnotherHoldsTheLock(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString fileName = dir.path() + QStringLiteral("/registry.txt");
    TRegistry reg(fileName);
    reg.OpenKey(AppKey, true);
    QLockFile other(fileName + QStringLiteral(".lock"));
    other.tryLock(0);
    for (auto _ : state) {
        if (reg.WriteInteger(QStringLiteral("MainFormLeft"), 1))
            state.SkipWithError("written without the lock");
    }
}
BENCHMARK(BM_WriteWhileAnotherHoldsTheLock)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
