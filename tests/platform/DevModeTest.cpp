// The device-mode block against bytes laid out here field by field from its
// layout, and its exchange with a QPrinter (PDF output, so no queue is needed).
#include "helpers/ByteBuilder.h"
#include "helpers/QtPrinters.h"
#include "platform/DevMode.h"

#include <QPageSize>
#include <QPrinter>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int BlockBytes = 220;
constexpr int NameBytes = 64;

ByteBuilder& Name(ByteBuilder& b, const QString& text) { return b.Utf16(text).Raw(QByteArray(NameBytes - 2 * text.size(), 0)); }

TDevMode EveryFieldSet()
{
    TDevMode m;
    m.DeviceName = u"Drukarka Łódź"_s;
    m.DriverVersion = 0x0102;
    m.Fields = 0x00013D1F;
    m.Orientation = 2;
    m.PaperSize = 11;
    m.PaperLength = 2100;
    m.PaperWidth = 1480;
    m.Scale = 95;
    m.Copies = 3;
    m.DefaultSource = 7;
    m.PrintQuality = 600;
    m.Color = 2;
    m.Duplex = 3;
    m.YResolution = 1200;
    m.TTOption = 4;
    m.Collate = 1;
    m.FormName = u"A5"_s;
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
    EXPECT_EQ(b.Size(), 102);
    Name(b, u"A5"_s);
    EXPECT_EQ(b.Size(), 166);
    b.Raw(QByteArray(BlockBytes - 166, '\0'));
    return b.Bytes();
}

// Encoding is checked against the bytes laid out above, so a decoded block
// that encodes to the same bytes has read every field from its offset.
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
    EXPECT_EQ(decoded.DeviceName, EveryFieldSet().DeviceName);
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
    EXPECT_EQ(m.Size, 220);
    EXPECT_EQ(m.DriverExtra, 1200);
    EXPECT_EQ(m.PaperLength, -2);
    EXPECT_EQ(m.DeviceName, QString(32, u'N'));
    EXPECT_EQ(m.FormName, u"A4"_s);
    // Encoding cuts names to leave their terminator.
    m.DeviceName = QString(40, u'D');
    m.FormName = QString(32, u'F');
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
    // Paper size (0x2) and orientation (0x1) given, the resolution not.
    TDevMode m;
    m.Fields = 0x2 | 0x1;
    m.PaperSize = 11;
    m.Orientation = 2;
    m.PrintQuality = 300;
    auto printer = PdfPrinter();
    ApplyDevMode(m, *printer);
    const QSizeF mm = printer->pageLayout().pageSize().size(QPageSize::Millimeter);
    EXPECT_NEAR(mm.width(), 148, 0.05);
    EXPECT_NEAR(mm.height(), 210, 0.05);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer->resolution(), 600);
    // A damaged file must not ask for a page no bitmap of it could be made at,
    // nor for a sheet a tenth of a millimetre wide.
    printer = PdfPrinter();
    m.Fields = 0x2 | 0x100 | 0x400 | 0x800;
    m.Color = 1;
    m.PaperSize = 256;
    m.PaperWidth = m.PaperLength = 1;
    m.Copies = m.PrintQuality = 32767;
    ApplyDevMode(m, *printer);
    EXPECT_EQ(printer->resolution(), 2400);
    EXPECT_EQ(printer->copyCount(), 999);
    EXPECT_EQ(printer->colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
    m.PrintQuality = 10; // below any printer's resolution: the printer keeps its own
    ApplyDevMode(m, *printer);
    EXPECT_EQ(printer->resolution(), 2400);
}

} // namespace
