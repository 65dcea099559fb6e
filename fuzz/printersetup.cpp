// Feeds arbitrary bytes to the printer set-up reader as its file, with a few PDF-file printers installed: the printer
// made current must be an installed one, and a file too short for its record or its device-mode block, or stating a
// size of 0 or beyond 64 KiB, must leave the current printer and its settings as they were.
#include "platform/Printer.h"
#include "printing/untPrinterOperation.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <tuple>

namespace {

// Name, driver, port, device mode and orientation of the current printer.
auto Current()
{
    QString name, driver, port;
    QByteArray devMode;
    Printer().GetPrinter(name, driver, port, devMode);
    return std::tuple(name, driver, port, devMode, Printer().Orientation());
}

// Read straight from the file's table (the record's 1572 bytes end with the block's size at 1568), independently of
// the reader.
bool FileIsWhole(const uint8_t* data, size_t size)
{
    constexpr size_t recordBytes = 1572;
    const quint32 devModeSize = size < recordBytes ? 0 : qFromLittleEndian<quint32>(data + 1568);
    return devModeSize != 0 && devModeSize <= 64 * 1024 && size - recordBytes >= devModeSize;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // QPrinter needs the GUI application; it lives until the process ends.
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString fileName = dir.filePath(QStringLiteral("PrinterSetup.cfg"));
    static const QStringList queues{QStringLiteral("Fax"), QStringLiteral("laser 2"), QStringLiteral("Laser"),
                                    QStringLiteral("Żółta drukarka")};
    // A fresh spooler per input, so no setting of the last input carries over.
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(dir.path(), queues, 300, QPageSize(QPageSize::A4),
                                                           QMarginsF(5, 5, 5, 5)));
    Printer().SetOrientation(poPortrait);
    const auto before = Current();

    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();

    TPrinterOperations operations;
    operations.SetFileName(fileName);
    operations.LoadSetup();

    if (!queues.contains(Printer().PrinterName()))
        std::abort();
    if (!FileIsWhole(data, size) && Current() != before)
        std::abort();
    return 0;
}
