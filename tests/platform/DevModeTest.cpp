// The device-mode block against bytes laid out here from its layout, and its exchange with a (PDF) QPrinter.
#include "helpers/ByteBuilder.h"
#include "helpers/QtPrinters.h"
#include "platform/DevMode.h"

#include <QPageSize>
#include <QPrinter>

#include <gtest/gtest.h>

#include <array>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int BlockBytes = 220;
constexpr int NameBytes = 64;

ByteBuilder& Name(ByteBuilder& b, const QString& text)
{
    return b.Utf16(text).Raw(QByteArray(NameBytes - 2 * text.size(), 0));
}

TDevMode EveryFieldSet()
{
    TDevMode m;
    m.DeviceName = u"Drukarka Łódź"_s, m.DriverVersion = 0x0102, m.Fields = 0x00013D1F, m.FormName = u"A5"_s;
    m.Orientation = 2, m.PaperSize = 11, m.PaperLength = 2100, m.PaperWidth = 1480, m.Scale = 95, m.Copies = 3;
    m.DefaultSource = 7, m.PrintQuality = 600, m.Color = 2, m.Duplex = 3, m.YResolution = 1200, m.TTOption = 4;
    m.Collate = 1;
    return m;
}

// EveryFieldSet as the layout places it.
QByteArray EveryFieldSetBytes()
{
    ByteBuilder b;
    Name(b, u"Drukarka Łódź"_s);
    b.U16(0x0401).U16(0x0102).U16(BlockBytes).U16(0);
    b.U32(0x00013D1F);
    b.U16(2).U16(11).U16(2100).U16(1480).U16(95).U16(3).U16(7).U16(600).U16(2).U16(3).U16(1200).U16(4).U16(1);
    Name(b, u"A5"_s);
    b.Raw(QByteArray(BlockBytes - 166, '\0'));
    return b.Bytes();
}

// Encoding is checked against the bytes laid out above, so a decoded block that encodes to the same bytes has read
// every field from its offset.
TEST(DevModeBlock, EveryFieldIsAtItsOffsetBothWays)
{
    TDevMode m = EveryFieldSet();
    // The block states its own size and carries no private part, whatever the record says.
    m.Size = 999;
    m.DriverExtra = 16;
    EXPECT_EQ(EncodeDevMode(m), EveryFieldSetBytes());
    TDevMode decoded;
    ASSERT_TRUE(DecodeDevMode(EveryFieldSetBytes(), decoded));
    EXPECT_EQ(decoded.SpecVersion, 0x0401);
    EXPECT_EQ(EncodeDevMode(decoded), EveryFieldSetBytes());
}

TEST(DevModeBlock, DecodeNeedsTheWholeStructureIgnoresThePrivatePartAndReadsSignedFieldsAndWholeNames)
{
    TDevMode m;
    EXPECT_FALSE(DecodeDevMode(EveryFieldSetBytes().left(BlockBytes - 1), m));
    QByteArray block(BlockBytes, '\0');
    block.replace(0, NameBytes, ByteBuilder().Utf16(QString(32, u'N')).Bytes()); // no terminator
    block.replace(68, 4, ByteBuilder().U16(220).U16(1200).Bytes());
    block.replace(80, 2, ByteBuilder().U16(0xFFFE).Bytes());
    block.replace(102, 8, ByteBuilder().Utf16(u"A4"_s).U16(0).Utf16(u"X"_s).Bytes());
    ASSERT_TRUE(DecodeDevMode(block + QByteArray(1200, '\xFF'), m));
    EXPECT_EQ(QList<int>({m.Size, m.DriverExtra, m.PaperLength}), QList<int>({220, 1200, -2}));
    EXPECT_EQ(QStringList({m.DeviceName, m.FormName}), QStringList({QString(32, u'N'), u"A4"_s}));
    // Encoding cuts names to leave their terminator.
    m.DeviceName = QString(40, u'D'), m.FormName = QString(32, u'F');
    EXPECT_EQ(EncodeDevMode(m).mid(0, NameBytes), ByteBuilder().Utf16(QString(31, u'D')).U16(0).Bytes());
    EXPECT_EQ(EncodeDevMode(m).mid(102, NameBytes), ByteBuilder().Utf16(QString(31, u'F')).U16(0).Bytes());
}

std::unique_ptr<QPrinter> PdfPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(600);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setColorMode(QPrinter::Color);
    return printer;
}

TEST(ApplyDevMode, SetsOnlyTheFieldsTheMaskGivesAndKeepsThemInBounds)
{
    // Everything set, much out of bounds, but only the copies (0x100) given.
    TDevMode m;
    m.Fields = 0x100;
    m.Color = 1, m.Orientation = 2, m.Duplex = 2, m.PaperSize = 11;
    m.Copies = m.PrintQuality = 32767;
    auto printer = PdfPrinter();
    ApplyDevMode(m, *printer);
    EXPECT_EQ(QList<int>({printer->resolution(), printer->copyCount(), printer->colorMode(), printer->duplex()}),
              QList<int>({600, 999, QPrinter::Color, QPrinter::DuplexNone}));
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
    // A damaged file must not ask for a page no bitmap of it could be made at, nor for a sheet a tenth of a
    // millimetre wide; a resolution below any printer's leaves the printer its own.
    m.Fields = 0x2 | 0x400;
    m.PaperSize = 256;
    m.PaperWidth = m.PaperLength = 1;
    ApplyDevMode(m, *printer);
    EXPECT_EQ(printer->resolution(), 2400);
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
    m.PrintQuality = 10;
    ApplyDevMode(m, *printer);
    EXPECT_EQ(printer->resolution(), 2400);
}

// The set-up file keeps a printer's settings in the block's codes (mask at 72, the settings from 76 on), and they
// come back to another printer as they were. Colour 1 is mono, 2 colour; duplex 1 is one-sided (the two-sided codes
// need a queue that prints so: the spooler tests).
TEST(DevModeFromPrinter, SavesTheSettingsInTheBlocksCodesAndTheyComeBackWhole)
{
    // The codes: orientation, paper, length and width in 0.1 mm, colour.
    const struct { QPageLayout::Orientation orientation; QPageSize paper; QPrinter::ColorMode color; int copies;
                   std::array<qint16, 5> codes; } rows[] = {
        {QPageLayout::Portrait, QPageSize(QPageSize::A4), QPrinter::Color, 1, {1, 9, 2970, 2100, 2}},
        {QPageLayout::Landscape, QPageSize(QPageSize::A5), QPrinter::GrayScale, 3, {2, 11, 2100, 1480, 1}},
        {QPageLayout::Portrait, QPageSize(QSizeF(100, 150), QPageSize::Millimeter), QPrinter::Color, 2,
         {1, 256, 1500, 1000, 2}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.paper.name().toStdString());
        auto printer = PdfPrinter();
        printer->setPageSize(r.paper), printer->setPageOrientation(r.orientation);
        printer->setColorMode(r.color), printer->setCopyCount(r.copies);
        const QByteArray block = EncodeDevMode(DevModeFromPrinter(*printer));
        const auto [orientation, paper, length, width, color] = r.codes;
        ByteBuilder settings;
        settings.U32(0x00013D1F).U16(orientation).U16(paper).U16(length).U16(width).U16(100).U16(r.copies).U16(0);
        settings.U16(600).U16(color).U16(1).U16(600);
        EXPECT_EQ(block.mid(72, 26).toHex(' ').toStdString(), settings.Bytes().toHex(' ').toStdString());
        TDevMode read;
        ASSERT_TRUE(DecodeDevMode(block, read));
        auto other = PdfPrinter();
        other->setPageSize(QPageSize(QPageSize::A3));
        other->setColorMode(r.color == QPrinter::Color ? QPrinter::GrayScale : QPrinter::Color);
        ApplyDevMode(read, *other);
        EXPECT_EQ(other->pageLayout().orientation(), r.orientation);
        EXPECT_TRUE(other->pageLayout().pageSize().isEquivalentTo(r.paper));
        EXPECT_EQ(other->colorMode(), r.color);
        EXPECT_EQ(other->copyCount(), r.copies);
    }
}

} // namespace
