#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>

// "PrinterSetup.cfg": the printer record, then the device-mode block.
constexpr int PrinterConfigNameChars = 261; // UTF-16 code units, terminator included
constexpr int PrinterConfigNameBytes = 2 * PrinterConfigNameChars;
constexpr int PrinterConfigNameOffset = 0;
constexpr int PrinterConfigDriverOffset = PrinterConfigNameOffset + PrinterConfigNameBytes;   // 522
constexpr int PrinterConfigPortOffset = PrinterConfigDriverOffset + PrinterConfigNameBytes;   // 1044
constexpr int PrinterConfigSizeOffset = PrinterConfigPortOffset + PrinterConfigNameBytes + 2; // 1568, after padding
constexpr int PrinterConfigSize = PrinterConfigSizeOffset + 4;                                // 1572
// No printer's settings come near this; a larger stored size means a damaged file.
constexpr quint32 MaxStoredDevModeSize = 64 * 1024;

struct TPrinterConfig {
    using TName = std::array<char16_t, PrinterConfigNameChars>;
    TName PrinterName{};
    TName Driver{};
    TName Port{};
    quint32 SizeOfDeviceMode = 0;
};

// Keeps the user's printer and its settings from one run to the next.
class TPrinterOperations {
public:
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& fileName) { FFileName = fileName; }

    // Makes the stored printer current when it is installed. A missing,
    // unreadable or damaged file leaves the current printer; nothing is raised.
    void LoadSetup();
    // Writes the current printer to the file; with no printer nothing is
    // written. Throws Exception when the file cannot be written.
    void SaveSetup();

    // The record and device-mode block from the current printer.
    bool GetCurrentPrinter();
    // Makes the record's printer current; the block passes to the printer.
    bool SetCurrentPrinter();

private:
    QString FFileName;
    // The layer hands out the device-mode block itself, so holding it stands
    // for holding its handle and its locked address.
    QByteArray DevModeBlock;
    TPrinterConfig FPrinterRecord;
};

// The program's one set-up object; null outside the unit's initialisation.
TPrinterOperations* PrinterOperations();
void InitializePrinterOperation();
void FinalizePrinterOperation();
