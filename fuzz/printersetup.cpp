// Feeds arbitrary bytes to the printer set-up reader as its file, with a few
// PDF-file printers installed. Whatever the bytes, the printer made current
// must be an installed one, and a file too short for its record or its
// device-mode block, or stating a size of 0 or beyond 64 KiB, must leave the
// current printer and its settings as they were.
#include "platform/Printer.h"
#include "printing/untPrinterOperation.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

struct CurrentPrinter {
    QString name, driver, port;
    QByteArray devMode;
    TPrinterOrientation orientation;
    bool operator==(const CurrentPrinter& o) const
    {
        return name == o.name && driver == o.driver && port == o.port && devMode == o.devMode
               && orientation == o.orientation;
    }
};

CurrentPrinter Current()
{
    CurrentPrinter c;
    Printer().GetPrinter(c.name, c.driver, c.port, c.devMode);
    c.orientation = Printer().Orientation();
    return c;
}

// Read straight from the file's table (the record's 1572 bytes end with the
// block's size at 1568), independently of the reader.
bool FileIsWhole(const uint8_t* data, size_t size)
{
    constexpr size_t recordBytes = 1572;
    if (size < recordBytes)
        return false;
    const quint32 devModeSize = qFromLittleEndian<quint32>(data + 1568);
    return devModeSize != 0 && devModeSize <= 64 * 1024 && size - recordBytes >= devModeSize;
}

struct Workspace {
    QTemporaryDir dir;
    QString fileName = dir.filePath(QStringLiteral("PrinterSetup.cfg"));
    QStringList queues{QStringLiteral("Fax"), QStringLiteral("laser 2"), QStringLiteral("Laser"),
                       QStringLiteral("Żółta drukarka")};
};

Workspace& Work()
{
    static Workspace work;
    return work;
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
    Workspace& work = Work();
    // A fresh spooler per input, so no setting of the last input carries over.
    Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(work.dir.path(), work.queues, 300,
                                                           QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5)));
    Printer().SetOrientation(poPortrait);
    const CurrentPrinter before = Current();

    QFile file(work.fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();

    TPrinterOperations operations;
    operations.SetFileName(work.fileName);
    operations.LoadSetup();

    if (!work.queues.contains(Printer().PrinterName()))
        std::abort();
    if (!FileIsWhole(data, size) && !(Current() == before))
        std::abort();
    return 0;
}
