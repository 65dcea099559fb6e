#include "platform/JpegImage.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// Far above any picture of the program; a header claiming more is refused
// before memory is asked for it.
constexpr quint64 MaxPixels = 16 << 20;

// libjpeg's own error exit ends the process; ours jumps back to the decoder.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->back, 1);
}

// Warnings (corrupt data, a premature end) would otherwise give a picture
// with a grey part; such a picture is not shown at all.
void FailOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        JumpBack(info);
}

// Everything that may be touched after a jump lives here, not in locals of
// the function that called setjmp.
struct Decoder {
    jpeg_decompress_struct info {};
    ErrorManager errors {};
    QImage image;
};

bool Decode(Decoder& d, const QByteArray& bytes)
{
    if (setjmp(d.errors.back))
        return false;
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.info, TRUE);
    d.info.out_color_space = JCS_RGB;
    if (quint64(d.info.image_width) * d.info.image_height > MaxPixels)
        return false;
    jpeg_start_decompress(&d.info);
    d.image = QImage(int(d.info.output_width), int(d.info.output_height), QImage::Format_RGB888);
    if (d.image.isNull())
        return false;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = d.image.scanLine(int(d.info.output_scanline));
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    Decoder d;
    d.info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = JumpBack;
    d.errors.base.emit_message = FailOnWarning;
    jpeg_create_decompress(&d.info);
    const bool decoded = Decode(d, bytes);
    jpeg_destroy_decompress(&d.info);
    return decoded ? d.image.convertToFormat(QImage::Format_RGB32) : QImage();
}
