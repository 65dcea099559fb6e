// The device-mode block against bytes laid out here from its layout, and its exchange with a (PDF) QPrinter.
#include "helpers/ByteBuilder.h"
#include "helpers/QtPrinters.h"
#include "platform/DevMode.h"

#include <QPageSize>
#include <QPrinter>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <tuple>

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

// A decoded block that encodes to the bytes laid out here has read every field at its offset. The block states its
// own size and carries no private part, whatever the record says.
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

// A damaged block asks for no sheet under 1 cm or over 2 m, no resolution a page bitmap could not have: each bound at
// its edge and one past it, where the printer keeps its own (2 copies, 600 dpi, A4). Only what the mask gives applies.
TEST(ApplyDevMode, SetsOnlyTheFieldsTheMaskGivesAndKeepsThemInBounds)
{
    const std::tuple<qint16 TDevMode::*, qint16, int> rows[] = {
        {&TDevMode::Copies, 0, 2}, {&TDevMode::Copies, 1, 1},
        {&TDevMode::Copies, 999, 999}, {&TDevMode::Copies, 1000, 999},
        {&TDevMode::PrintQuality, 71, 600}, {&TDevMode::PrintQuality, 72, 72},
        {&TDevMode::PrintQuality, 2400, 2400}, {&TDevMode::PrintQuality, 2401, 2400},
        {&TDevMode::PaperWidth, 99, 2100}, {&TDevMode::PaperWidth, 100, 100},
        {&TDevMode::PaperWidth, 20000, 20000}, {&TDevMode::PaperWidth, 20001, 2100},
        {&TDevMode::PaperLength, 99, 2970}, {&TDevMode::PaperLength, 100, 100},
        {&TDevMode::PaperLength, 20000, 20000}, {&TDevMode::PaperLength, 20001, 2970},
    };
    for (const auto& [member, value, applied] : rows) {
        TDevMode m{u"Drukarka"_s, 0x0401, 0, 220, 0, 0, 2, dmPaperUser, 1000, 1000, 100, 3, 0, 300, 1};
        m.Fields = dmCopiesField | dmPrintQualityField | dmPaperSizeField;
        m.*member = value;
        auto printer = PdfPrinter();
        printer->setCopyCount(2);
        ApplyDevMode(m, *printer);
        const QSizeF mm = printer->pageLayout().pageSize().size(QPageSize::Millimeter);
        const int got = member == &TDevMode::Copies ? printer->copyCount()
                        : member == &TDevMode::PrintQuality ? printer->resolution()
                        : member == &TDevMode::PaperWidth   ? qRound(mm.width() * 10)
                                                             : qRound(mm.height() * 10);
        EXPECT_EQ(got, applied) << value;
    }
    auto printer = PdfPrinter();
    const QByteArray before = EncodeDevMode(DevModeFromPrinter(*printer));
    ApplyDevMode(TDevMode{u"Drukarka"_s, 0x0401, 0, 220, 0, 0, 2, 11, 1000, 1000, 100, 3, 0, 300, 1}, *printer);
    EXPECT_EQ(EncodeDevMode(DevModeFromPrinter(*printer)), before);
}

// A printer's settings are kept in the block's codes (the mask at 72, then from 76 on) and come back whole.
TEST(DevModeFromPrinter, SavesTheSettingsInTheBlocksCodesAndTheyComeBackWhole)
{
    // The paper, landscape, grey, copies, and the codes: orientation, paper, length and width in 0.1 mm, colour.
    using Codes = std::array<qint16, 5>;
    const std::tuple<QPageSize, bool, bool, int, Codes> rows[] = {
        {QPageSize(QPageSize::A4), false, false, 1, {1, 9, 2970, 2100, 2}},
        {QPageSize(QPageSize::A5), true, true, 3, {2, 11, 2100, 1480, 1}},
        {QPageSize(QSizeF(100, 150), QPageSize::Millimeter), false, false, 2, {1, 256, 1500, 1000, 2}},
    };
    for (const auto& [paper, landscape, grey, copies, codes] : rows) {
        SCOPED_TRACE(paper.name().toStdString());
        const QPrinter::ColorMode color = grey ? QPrinter::GrayScale : QPrinter::Color;
        const QPageLayout::Orientation orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        auto printer = PdfPrinter();
        printer->setPageSize(paper);
        printer->setPageOrientation(orientation);
        printer->setColorMode(color);
        printer->setCopyCount(copies);
        const QByteArray block = EncodeDevMode(DevModeFromPrinter(*printer));
        ByteBuilder settings;
        settings.U32(0x00013D1F).U16(codes[0]).U16(codes[1]).U16(codes[2]).U16(codes[3]).U16(100).U16(copies).U16(0);
        settings.U16(600).U16(codes[4]).U16(1).U16(600);
        EXPECT_EQ(block.mid(72, 26).toHex(' ').toStdString(), settings.Bytes().toHex(' ').toStdString());
        TDevMode read;
        ASSERT_TRUE(DecodeDevMode(block, read));
        auto other = PdfPrinter();
        other->setPageSize(QPageSize(QPageSize::A3));
        other->setColorMode(grey ? QPrinter::Color : QPrinter::GrayScale);
        ApplyDevMode(read, *other);
        EXPECT_EQ(other->pageLayout().orientation(), orientation);
        EXPECT_TRUE(other->pageLayout().pageSize().isEquivalentTo(paper));
        EXPECT_EQ(other->colorMode(), color);
        EXPECT_EQ(other->copyCount(), copies);
    }
}

} // namespace
