#include "printing/untPrinterOperation.h"

#include "drawing/Exception.h"
#include "platform/Printer.h"
#include "platform/RegularFile.h"

#include <QLocale>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <memory>

namespace {

// Longer names are cut; the last unit always stays the terminator.
void PutName(TPrinterConfig::TName& field, const QString& name)
{
    field.fill(0);
    const int count = std::min<int>(name.size(), PrinterConfigNameChars - 1);
    for (int i = 0; i < count; ++i)
        field[i] = name.at(i).unicode();
}

QString NameOf(const TPrinterConfig::TName& field)
{
    const auto end = std::find(field.begin(), field.end(), u'\0');
    return QString(reinterpret_cast<const QChar*>(field.data()), int(end - field.begin()));
}

void EncodeName(QByteArray& bytes, int offset, const TPrinterConfig::TName& field)
{
    for (int i = 0; i < PrinterConfigNameChars; ++i)
        qToLittleEndian<quint16>(field[i], bytes.data() + offset + 2 * i);
}

void DecodeName(const QByteArray& bytes, int offset, TPrinterConfig::TName& field)
{
    for (int i = 0; i < PrinterConfigNameChars; ++i)
        field[i] = qFromLittleEndian<quint16>(bytes.constData() + offset + 2 * i);
}

QByteArray EncodeRecord(const TPrinterConfig& record)
{
    QByteArray bytes(PrinterConfigSize, '\0');
    EncodeName(bytes, PrinterConfigNameOffset, record.PrinterName);
    EncodeName(bytes, PrinterConfigDriverOffset, record.Driver);
    EncodeName(bytes, PrinterConfigPortOffset, record.Port);
    qToLittleEndian<quint32>(record.SizeOfDeviceMode, bytes.data() + PrinterConfigSizeOffset);
    return bytes;
}

TPrinterConfig DecodeRecord(const QByteArray& bytes)
{
    TPrinterConfig record;
    DecodeName(bytes, PrinterConfigNameOffset, record.PrinterName);
    DecodeName(bytes, PrinterConfigDriverOffset, record.Driver);
    DecodeName(bytes, PrinterConfigPortOffset, record.Port);
    record.SizeOfDeviceMode = qFromLittleEndian<quint32>(bytes.constData() + PrinterConfigSizeOffset);
    return record;
}

// The installed printer the stored name stands for: the same name in any
// letter case first, else the first one whose name begins with it. Only an
// installed name is ever given back, so jobs never go to a missing queue.
QString MatchInstalled(const QString& stored, const QStringList& installed)
{
    const QLocale locale;
    const QString wanted = locale.toUpper(stored);
    QStringList candidates;
    // A name the record cannot hold whole would come back cut, naming no queue.
    for (const QString& name : installed)
        if (name.size() < PrinterConfigNameChars)
            candidates << name;
    for (const QString& name : candidates)
        if (locale.toUpper(name) == wanted)
            return name;
    for (const QString& name : candidates)
        if (locale.toUpper(name.left(stored.size())) == wanted)
            return name;
    return QString();
}

std::unique_ptr<TPrinterOperations>& PrinterOperationsSlot()
{
    static std::unique_ptr<TPrinterOperations> operations;
    return operations;
}

} // namespace

bool TPrinterOperations::GetCurrentPrinter()
{
    if (Printer().Printers().isEmpty())
        return false;
    FPrinterRecord = TPrinterConfig();
    QString name, driver, port;
    Printer().GetPrinter(name, driver, port, DevModeBlock);
    PutName(FPrinterRecord.PrinterName, name);
    PutName(FPrinterRecord.Driver, driver);
    PutName(FPrinterRecord.Port, port);
    FPrinterRecord.SizeOfDeviceMode = quint32(DevModeBlock.size());
    return FPrinterRecord.SizeOfDeviceMode != 0;
}

bool TPrinterOperations::SetCurrentPrinter()
{
    if (Printer().Printers().isEmpty())
        return false;
    Printer().SetPrinter(NameOf(FPrinterRecord.PrinterName), NameOf(FPrinterRecord.Driver),
                         NameOf(FPrinterRecord.Port), DevModeBlock);
    DevModeBlock.clear(); // the printer object has taken it over
    return true;
}

void TPrinterOperations::SaveSetup()
{
    if (Printer().Printers().isEmpty() || !GetCurrentPrinter()) {
        DevModeBlock.clear();
        return;
    }
    const QByteArray bytes = EncodeRecord(FPrinterRecord) + DevModeBlock;
    DevModeBlock.clear();
    if (SaveRegularFile(FFileName, bytes) != TFileSave::Ok)
        throw Exception(QStringLiteral("Nie można zapisać ustawień drukarki do pliku: ") + FFileName);
}

void TPrinterOperations::LoadSetup()
{
    // The record and the largest block it may announce: anything larger, or
    // anything but a regular file, is damaged and ignored like a short one.
    QByteArray bytes;
    if (ReadRegularFile(FFileName, PrinterConfigSize + MaxStoredDevModeSize, bytes) != TFileRead::Ok
        || bytes.size() < PrinterConfigSize)
        return;
    // The spooler is asked only when there is a set-up to match: a start
    // with none stored never waits for it.
    const QStringList installed = Printer().Printers();
    if (installed.isEmpty())
        return;
    const TPrinterConfig stored = DecodeRecord(bytes);
    const QString match = MatchInstalled(NameOf(stored.PrinterName), installed);
    if (match.isNull())
        return;
    if (stored.SizeOfDeviceMode == 0 || stored.SizeOfDeviceMode > MaxStoredDevModeSize
        || bytes.size() - PrinterConfigSize < qsizetype(stored.SizeOfDeviceMode))
        return;
    const QByteArray block = bytes.mid(PrinterConfigSize, qsizetype(stored.SizeOfDeviceMode));
    FPrinterRecord = stored;
    PutName(FPrinterRecord.PrinterName, match);
    DevModeBlock = block;
    SetCurrentPrinter();
}

TPrinterOperations* PrinterOperations()
{
    return PrinterOperationsSlot().get();
}

void InitializePrinterOperation()
{
    if (!PrinterOperationsSlot())
        PrinterOperationsSlot() = std::make_unique<TPrinterOperations>();
}

void FinalizePrinterOperation()
{
    PrinterOperationsSlot().reset();
}
