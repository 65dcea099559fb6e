// The printer set-up reader, with a few PDF-file printers installed: the printer made current is an installed one,
// and a file too short for its record or its device-mode block, or stating a block of 0 or beyond 64 KiB, leaves
// the current printer and its settings as they were.
#include "platform/Printer.h"
#include "printing/untPrinterOperation.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <tuple>

namespace {

auto Current()
{
    QString name;
    QString driver;
    QString port;
    QByteArray devMode;
    Printer().GetPrinter(name, driver, port, devMode);
    return std::tuple(name, driver, port, devMode, Printer().Orientation());
}

// From the file's table, not the reader: the 1572-byte record ends with the block's size.
bool FileIsWhole(const uint8_t* data, size_t size)
{
    constexpr size_t recordBytes = 1572;
    const quint32 devModeSize = size < recordBytes ? 0 : qFromLittleEndian<quint32>(data + recordBytes - 4);
    return devModeSize != 0 && devModeSize <= 64 * 1024 && size - recordBytes >= devModeSize;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString fileName = dir.filePath(QStringLiteral("PrinterSetup.cfg"));
    static const QStringList queues{"Fax", "laser 2", "Laser", "Żółta drukarka"};
    // A fresh spooler per input, so no setting of the last input carries over.
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), queues, 300, QPageSize(QPageSize::A4),
                                                           QMarginsF(5, 5, 5, 5)));
    const auto before = Current();
    QFile file(fileName);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    TPrinterOperations operations;
    operations.SetFileName(fileName);
    operations.LoadSetup();
    if (!queues.contains(Printer().PrinterName()) || (!FileIsWhole(data, size) && Current() != before))
        std::abort();
    return 0;
}
