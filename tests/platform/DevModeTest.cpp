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

std::unique_ptr<QPrinter> PdfPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(600);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setColorMode(QPrinter::Color);
    return printer;
}

// Encoding is checked against the bytes laid out here, so a decoded block that encodes to the same bytes has read
// every field from its offset. The block states its own size and carries no private part, whatever the record says.
TEST(DevModeBlock, EveryFieldIsAtItsOffsetBothWays)
{
    const TDevMode m{u"Drukarka Łódź"_s, 0x0401, 0x0102, 999, 16, 0x00013D1F, 2, 11, 2100, 1480, 95, 3, 7, 600, 2,
                     3, 1200, 4, 1, u"A5"_s};
    ByteBuilder b;
    Name(b, u"Drukarka Łódź"_s);
    b.U16(0x0401).U16(0x0102).U16(BlockBytes).U16(0).U32(0x00013D1F);
    b.U16(2).U16(11).U16(2100).U16(1480).U16(95).U16(3).U16(7).U16(600).U16(2).U16(3).U16(1200).U16(4).U16(1);
    Name(b, u"A5"_s);
    b.Raw(QByteArray(BlockBytes - 166, '\0'));
    EXPECT_EQ(EncodeDevMode(m), b.Bytes());
    TDevMode decoded;
    ASSERT_TRUE(DecodeDevMode(b.Bytes(), decoded));
    EXPECT_EQ(EncodeDevMode(decoded), b.Bytes());
}

// A name fills its 32 units when read, and leaves its terminator when written.
TEST(DevModeBlock, DecodeNeedsTheWholeStructureAndReadsSignedFieldsAndWholeNames)
{
    QByteArray block(BlockBytes, '\0');
    block.replace(0, NameBytes, ByteBuilder().Utf16(QString(32, u'N')).Bytes());
    block.replace(68, 4, ByteBuilder().U16(220).U16(1200).Bytes());
    block.replace(80, 2, ByteBuilder().U16(0xFFFE).Bytes());
    block.replace(102, 8, ByteBuilder().Utf16(u"A4"_s).U16(0).Utf16(u"X"_s).Bytes());
    TDevMode m;
    EXPECT_FALSE(DecodeDevMode(block.left(BlockBytes - 1), m));
    EXPECT_TRUE(DecodeDevMode(block, m));
    ASSERT_TRUE(DecodeDevMode(block + QByteArray(1200, '\xFF'), m));
    EXPECT_EQ(m.DriverExtra, 1200);
    EXPECT_EQ(m.PaperLength, -2);
    EXPECT_EQ(m.DeviceName, QString(32, u'N'));
    EXPECT_EQ(m.FormName, u"A4"_s);
    m.DeviceName = QString(40, u'D');
    m.FormName = QString(32, u'F');
    const QByteArray encoded = EncodeDevMode(m);
    EXPECT_EQ(encoded.mid(0, NameBytes), ByteBuilder().Utf16(QString(31, u'D')).U16(0).Bytes());
    EXPECT_EQ(encoded.mid(102, NameBytes), ByteBuilder().Utf16(QString(31, u'F')).U16(0).Bytes());
}

// Only what the mask gives is applied, and a damaged file asks for no page a bitmap could not be made of, no sheet
// narrower than a centimetre and no resolution below any printer's: each bound at its edge and one past it.
// The printer's state: copies, dots per inch, colour (1) or grey (0), landscape, paper in 0.1 mm.
TEST(ApplyDevMode, SetsOnlyTheFieldsTheMaskGivesAndKeepsThemInBounds)
{
    const struct {
        quint32 field;
        qint16 TDevMode::*member;
        qint16 value;
        const char* state;
    } rows[] = {
        {0, nullptr, 0, "2 600 1 0 2100x2970"},
        {dmOrientationField | dmColorField, nullptr, 0, "2 600 0 1 2100x2970"},
        {dmCopiesField, &TDevMode::Copies, 0, "2 600 1 0 2100x2970"},
        {dmCopiesField, &TDevMode::Copies, 1, "1 600 1 0 2100x2970"},
        {dmCopiesField, &TDevMode::Copies, 999, "999 600 1 0 2100x2970"},
        {dmCopiesField, &TDevMode::Copies, 1000, "999 600 1 0 2100x2970"},
        {dmPrintQualityField, &TDevMode::PrintQuality, 71, "2 600 1 0 2100x2970"},
        {dmPrintQualityField, &TDevMode::PrintQuality, 72, "2 72 1 0 2100x2970"},
        {dmPrintQualityField, &TDevMode::PrintQuality, 2400, "2 2400 1 0 2100x2970"},
        {dmPrintQualityField, &TDevMode::PrintQuality, 2401, "2 2400 1 0 2100x2970"},
        {dmPaperSizeField, &TDevMode::PaperWidth, 99, "2 600 1 0 2100x2970"},
        {dmPaperSizeField, &TDevMode::PaperWidth, 100, "2 600 1 0 100x1000"},
        {dmPaperSizeField, &TDevMode::PaperWidth, 20000, "2 600 1 0 20000x1000"},
        {dmPaperSizeField, &TDevMode::PaperWidth, 20001, "2 600 1 0 2100x2970"},
        {dmPaperSizeField, &TDevMode::PaperLength, 99, "2 600 1 0 2100x2970"},
        {dmPaperSizeField, &TDevMode::PaperLength, 100, "2 600 1 0 1500x100"},
        {dmPaperSizeField, &TDevMode::PaperLength, 20000, "2 600 1 0 1500x20000"},
        {dmPaperSizeField, &TDevMode::PaperLength, 20001, "2 600 1 0 2100x2970"},
    };
    for (const auto& r : rows) {
        TDevMode m{u"Drukarka"_s, 0x0401, 0, 220, 0, r.field, 2, dmPaperUser, 1000, 1500, 100, 3, 0, 300, 1};
        if (r.member)
            m.*r.member = r.value;
        auto printer = PdfPrinter();
        printer->setCopyCount(2);
        ApplyDevMode(m, *printer);
        const QSizeF mm = printer->pageLayout().pageSize().size(QPageSize::Millimeter);
        const QString state = QStringLiteral("%1 %2 %3 %4 %5x%6")
                                  .arg(printer->copyCount())
                                  .arg(printer->resolution())
                                  .arg(printer->colorMode())
                                  .arg(printer->pageLayout().orientation())
                                  .arg(qRound(mm.width() * 10))
                                  .arg(qRound(mm.height() * 10));
        EXPECT_EQ(state.toStdString(), r.state) << r.field << " " << r.value;
    }
}

// The set-up file keeps a printer's settings in the block's codes (mask at 72, the settings from 76 on), and they
// come back to another printer as they were. Colour 1 is mono, 2 colour; duplex 1 is one-sided (the two-sided codes
// need a queue that prints so: the spooler tests).
TEST(DevModeFromPrinter, SavesTheSettingsInTheBlocksCodesAndTheyComeBackWhole)
{
    // The codes: orientation, paper, length and width in 0.1 mm, colour.
    const struct {
        QPageLayout::Orientation orientation;
        QPageSize paper;
        QPrinter::ColorMode color;
        int copies;
        std::array<qint16, 5> codes;
    } rows[] = {
        {QPageLayout::Portrait, QPageSize(QPageSize::A4), QPrinter::Color, 1, {1, 9, 2970, 2100, 2}},
        {QPageLayout::Landscape, QPageSize(QPageSize::A5), QPrinter::GrayScale, 3, {2, 11, 2100, 1480, 1}},
        {QPageLayout::Portrait, QPageSize(QSizeF(100, 150), QPageSize::Millimeter), QPrinter::Color, 2,
         {1, 256, 1500, 1000, 2}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.paper.name().toStdString());
        auto printer = PdfPrinter();
        printer->setPageSize(r.paper);
        printer->setPageOrientation(r.orientation);
        printer->setColorMode(r.color);
        printer->setCopyCount(r.copies);
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
