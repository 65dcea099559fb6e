#include "helpers/ProgramRun.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The screenshots are only as good as the reading of xwd's dumps: dumps
// built here from the format's header table, with pixels of known colours.
struct DumpCase {
    const char* name;
    int bitsPerPixel;
    bool msbFirst;
};

void PrintTo(const DumpCase& c, std::ostream* os)
{
    *os << c.name;
}

const std::vector<QRgb> Colours{qRgb(234, 88, 0), qRgb(252, 238, 229), qRgb(0, 0, 0), qRgb(1, 2, 255)};
constexpr int DumpWidthPx = 2;
constexpr int DumpHeightPx = 2;
constexpr int RowPaddingBytes = 3;

void Put32(QByteArray& bytes, quint32 value)
{
    char word[4];
    qToBigEndian(value, word);
    bytes.append(word, 4);
}

QByteArray Dump(const DumpCase& c)
{
    const QByteArray windowName("okno", 5);
    const int colours = 2;
    const int pixelBytes = c.bitsPerPixel / 8;
    const quint32 bytesPerLine = quint32(DumpWidthPx * pixelBytes + RowPaddingBytes);
    // header_size, file_version, pixmap_format (ZPixmap), depth, width, height, xoffset,
    // byte_order, bitmap_unit, bitmap_bit_order, bitmap_pad, bits_per_pixel, bytes_per_line,
    // visual_class (TrueColor), red, green and blue masks, bits_per_rgb, colormap_entries,
    // ncolors, window width, height, x, y, border width
    const quint32 header[] = {quint32(100 + windowName.size()), 7, 2, 24, DumpWidthPx, DumpHeightPx, 0,
                              c.msbFirst ? 1u : 0u, 32, 0, 32, quint32(c.bitsPerPixel), bytesPerLine, 4,
                              0xFF0000, 0x00FF00, 0x0000FF, 8, 256, colours, DumpWidthPx, DumpHeightPx, 0, 0, 0};
    QByteArray bytes;
    for (quint32 field : header)
        Put32(bytes, field);
    bytes += windowName;
    bytes += QByteArray(colours * 12, '\x7f');
    for (int y = 0; y < DumpHeightPx; ++y) {
        for (int x = 0; x < DumpWidthPx; ++x) {
            const quint32 pixel = Colours[size_t(y * DumpWidthPx + x)] & 0xFFFFFF;
            for (int b = 0; b < pixelBytes; ++b) {
                const int shift = c.msbFirst ? 8 * (pixelBytes - 1 - b) : 8 * b;
                bytes.append(char(pixel >> shift & 0xFF));
            }
        }
        bytes += QByteArray(RowPaddingBytes, '\x55');
    }
    return bytes;
}

class XwdReader : public ::testing::TestWithParam<DumpCase> {};

TEST_P(XwdReader, ReadsEveryPixelInItsColour)
{
    QString error;
    const QImage image = ReadXwd(Dump(GetParam()), &error);
    ASSERT_FALSE(image.isNull()) << error.toStdString();
    ASSERT_EQ(image.size(), QSize(DumpWidthPx, DumpHeightPx));
    for (int y = 0; y < DumpHeightPx; ++y)
        for (int x = 0; x < DumpWidthPx; ++x)
            EXPECT_EQ(image.pixel(x, y) & 0xFFFFFF, Colours[size_t(y * DumpWidthPx + x)] & 0xFFFFFF)
                << x << "," << y;
}

TEST_P(XwdReader, RefusesADumpCutShort)
{
    QString error;
    EXPECT_TRUE(ReadXwd(Dump(GetParam()).chopped(1), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Formats, XwdReader,
                         ::testing::Values(DumpCase{"Packed24LeastFirst", 24, false},
                                           DumpCase{"Packed24MostFirst", 24, true},
                                           DumpCase{"Word32LeastFirst", 32, false},
                                           DumpCase{"Word32MostFirst", 32, true}),
                         [](const ::testing::TestParamInfo<DumpCase>& info) { return std::string(info.param.name); });

TEST(XwdReaderFormats, RefusesPixelSizesItCannotRead)
{
    QByteArray dump = Dump({"Word32LeastFirst", 32, false});
    // bits_per_pixel, the twelfth header word
    char word[4];
    qToBigEndian(quint32(16), word);
    dump.replace(44, 4, word, 4);
    QString error;
    EXPECT_TRUE(ReadXwd(dump, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
