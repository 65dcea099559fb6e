#include "platform/DevMode.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Paper codes of the other platform for the sizes people print forms on.
struct PaperCode {
    qint16 code;
    QPageSize::PageSizeId id;
};

constexpr std::array<PaperCode, 8> PaperCodes{{{1, QPageSize::Letter},
                                               {5, QPageSize::Legal},
                                               {7, QPageSize::Executive},
                                               {8, QPageSize::A3},
                                               {9, QPageSize::A4},
                                               {11, QPageSize::A5},
                                               {13, QPageSize::B5},
                                               {20, QPageSize::Envelope10}}};

void PutU16(QByteArray& b, int at, quint16 v)
{
    qToLittleEndian(v, b.data() + at);
}

void PutU32(QByteArray& b, int at, quint32 v)
{
    qToLittleEndian(v, b.data() + at);
}

void PutName(QByteArray& b, int at, const QString& name)
{
    const int count = std::min<int>(name.size(), DevModeNameChars - 1);
    for (int i = 0; i < count; ++i)
        PutU16(b, at + 2 * i, name.at(i).unicode());
}

quint16 GetU16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

QString GetName(const QByteArray& b, int at)
{
    QString name;
    for (int i = 0; i < DevModeNameChars; ++i) {
        const quint16 unit = GetU16(b, at + 2 * i);
        if (unit == 0)
            break;
        name += QChar(unit);
    }
    return name;
}

qint16 TenthsOfMm(double mm)
{
    return qint16(std::lround(std::clamp(mm * 10, 0.0, 32767.0)));
}

// Settings read from a file are kept within what a printer can mean: a
// damaged block must not ask for a page of a tenth of a millimetre or for
// a resolution no bitmap of a page can be made at.
constexpr qint16 MinPaperTenths = 100;   // 1 cm
constexpr qint16 MaxPaperTenths = 20000; // 2 m
constexpr qint16 MinResolution = 72;
constexpr qint16 MaxResolution = 2400;
constexpr qint16 MaxCopies = 999;

} // namespace

QByteArray EncodeDevMode(const TDevMode& m)
{
    QByteArray b(DevModeSize, '\0');
    PutName(b, 0, m.DeviceName);
    PutU16(b, 64, m.SpecVersion);
    PutU16(b, 66, m.DriverVersion);
    PutU16(b, 68, DevModeSize);
    PutU16(b, 70, 0);
    PutU32(b, 72, m.Fields);
    const qint16 shorts[] = {m.Orientation, m.PaperSize, m.PaperLength, m.PaperWidth, m.Scale,
                             m.Copies, m.DefaultSource, m.PrintQuality, m.Color, m.Duplex,
                             m.YResolution, m.TTOption, m.Collate};
    for (int i = 0; i < int(std::size(shorts)); ++i)
        PutU16(b, 76 + 2 * i, quint16(shorts[i]));
    PutName(b, 102, m.FormName);
    return b;
}

bool DecodeDevMode(const QByteArray& b, TDevMode& m)
{
    if (b.size() < DevModeSize)
        return false;
    m.DeviceName = GetName(b, 0);
    m.SpecVersion = GetU16(b, 64);
    m.DriverVersion = GetU16(b, 66);
    m.Size = GetU16(b, 68);
    m.DriverExtra = GetU16(b, 70);
    m.Fields = qFromLittleEndian<quint32>(b.constData() + 72);
    qint16* shorts[] = {&m.Orientation, &m.PaperSize, &m.PaperLength, &m.PaperWidth, &m.Scale,
                        &m.Copies, &m.DefaultSource, &m.PrintQuality, &m.Color, &m.Duplex,
                        &m.YResolution, &m.TTOption, &m.Collate};
    for (int i = 0; i < int(std::size(shorts)); ++i)
        *shorts[i] = qint16(GetU16(b, 76 + 2 * i));
    m.FormName = GetName(b, 102);
    return true;
}

TDevMode DevModeFromPrinter(const QPrinter& printer)
{
    TDevMode m;
    m.DeviceName = printer.printerName();
    const QPageLayout layout = printer.pageLayout();
    const QPageSize size = layout.pageSize();
    m.Fields = dmOrientationField | dmPaperSizeField | dmPaperLengthField | dmPaperWidthField | dmScaleField
               | dmCopiesField | dmPrintQualityField | dmColorField | dmDuplexField | dmYResolutionField
               | dmFormNameField;
    m.Orientation = layout.orientation() == QPageLayout::Landscape ? dmOrientLandscape : dmOrientPortrait;
    m.PaperSize = dmPaperUser;
    for (const PaperCode& p : PaperCodes)
        if (p.id == size.id())
            m.PaperSize = p.code;
    const QSizeF mm = size.size(QPageSize::Millimeter);
    m.PaperWidth = TenthsOfMm(mm.width());
    m.PaperLength = TenthsOfMm(mm.height());
    m.Copies = qint16(std::clamp(printer.copyCount(), 1, 32767));
    m.PrintQuality = qint16(std::clamp(printer.resolution(), 0, 32767));
    m.YResolution = m.PrintQuality;
    m.Color = printer.colorMode() == QPrinter::Color ? 2 : 1;
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide: m.Duplex = 2; break;
    case QPrinter::DuplexShortSide: m.Duplex = 3; break;
    default: m.Duplex = 1; break;
    }
    m.FormName = size.name();
    return m;
}

void ApplyDevMode(const TDevMode& m, QPrinter& printer)
{
    if (m.Fields & dmPaperSizeField) {
        QPageSize size;
        for (const PaperCode& p : PaperCodes)
            if (p.code == m.PaperSize)
                size = QPageSize(p.id);
        if (!size.isValid() && m.PaperWidth >= MinPaperTenths && m.PaperLength >= MinPaperTenths
            && m.PaperWidth <= MaxPaperTenths && m.PaperLength <= MaxPaperTenths)
            size = QPageSize(QSizeF(m.PaperWidth / 10.0, m.PaperLength / 10.0), QPageSize::Millimeter);
        if (size.isValid())
            printer.setPageSize(size);
    }
    if (m.Fields & dmOrientationField)
        printer.setPageOrientation(m.Orientation == dmOrientLandscape ? QPageLayout::Landscape
                                                                     : QPageLayout::Portrait);
    if ((m.Fields & dmCopiesField) && m.Copies > 0)
        printer.setCopyCount(std::min(m.Copies, MaxCopies));
    if ((m.Fields & dmPrintQualityField) && m.PrintQuality >= MinResolution)
        printer.setResolution(std::min(m.PrintQuality, MaxResolution));
    if (m.Fields & dmColorField)
        printer.setColorMode(m.Color == 2 ? QPrinter::Color : QPrinter::GrayScale);
    if (m.Fields & dmDuplexField)
        printer.setDuplex(m.Duplex == 2 ? QPrinter::DuplexLongSide
                          : m.Duplex == 3 ? QPrinter::DuplexShortSide
                                          : QPrinter::DuplexNone);
}
