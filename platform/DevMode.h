#pragma once

// A printer's device settings as one fixed little-endian block of our own,
// laid out like the other platform's wide device-mode structure so that
// "PrinterSetup.cfg" keeps that shape. Offsets in bytes:
//    0  device name, 32 UTF-16 code units, zero-filled
//   64  spec version (u16)        66  driver version (u16)
//   68  size of this block (u16)  70  driver-extra size (u16, always 0 here)
//   72  fields mask (u32): which of the settings below are given
//   76  orientation (i16: 1 portrait, 2 landscape)
//   78  paper size (i16: a paper code, 256 = custom)
//   80  paper length, 82 paper width (i16, tenths of a millimetre)
//   84  scale (i16, percent)      86  copies (i16)
//   88  default source (i16)      90  print quality (i16, dots per inch)
//   92  colour (i16: 1 mono, 2 colour)
//   94  duplex (i16: 1 simplex, 2 long edge, 3 short edge)
//   96  y resolution (i16)        98  TrueType option (i16)
//  100  collate (i16)
//  102  form name, 32 UTF-16 code units, zero-filled
//  166  display and colour-management fields, zero here, up to byte 220

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QPrinter;

constexpr int DevModeSize = 220;
constexpr int DevModeNameChars = 32;
constexpr quint16 DevModeSpecVersion = 0x0401;

constexpr quint32 dmOrientationField = 0x00000001;
constexpr quint32 dmPaperSizeField = 0x00000002;
constexpr quint32 dmPaperLengthField = 0x00000004;
constexpr quint32 dmPaperWidthField = 0x00000008;
constexpr quint32 dmScaleField = 0x00000010;
constexpr quint32 dmCopiesField = 0x00000100;
constexpr quint32 dmPrintQualityField = 0x00000400;
constexpr quint32 dmColorField = 0x00000800;
constexpr quint32 dmDuplexField = 0x00001000;
constexpr quint32 dmYResolutionField = 0x00002000;
constexpr quint32 dmFormNameField = 0x00010000;

constexpr qint16 dmOrientPortrait = 1;
constexpr qint16 dmOrientLandscape = 2;
constexpr qint16 dmPaperUser = 256;

struct TDevMode {
    QString DeviceName;
    quint16 SpecVersion = DevModeSpecVersion;
    quint16 DriverVersion = 0;
    quint16 Size = DevModeSize;
    quint16 DriverExtra = 0;
    quint32 Fields = 0;
    qint16 Orientation = dmOrientPortrait;
    qint16 PaperSize = 0;
    qint16 PaperLength = 0; // 0.1 mm
    qint16 PaperWidth = 0;  // 0.1 mm
    qint16 Scale = 100;
    qint16 Copies = 1;
    qint16 DefaultSource = 0;
    qint16 PrintQuality = 0;
    qint16 Color = 0;
    qint16 Duplex = 0;
    qint16 YResolution = 0;
    qint16 TTOption = 0;
    qint16 Collate = 0;
    QString FormName;
};

QByteArray EncodeDevMode(const TDevMode& mode);
// Reads a block of at least the fixed size; false for a shorter one.
bool DecodeDevMode(const QByteArray& block, TDevMode& mode);

// The settings of a printer, and the same settings given back to it.
TDevMode DevModeFromPrinter(const QPrinter& printer);
void ApplyDevMode(const TDevMode& mode, QPrinter& printer);
