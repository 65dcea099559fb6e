// Draws the about box's picture once; the result is committed as
// resources/AboutBox.jpg and this program is not part of the build:
//   g++ -std=c++17 -fPIC scripts/MakeAboutPicture.cpp $(pkg-config --cflags --libs Qt6Gui) -ljpeg -o /tmp/mk
//   QT_QPA_PLATFORM=offscreen /tmp/mk resources/AboutBox.jpg
// libjpeg writes it directly, so the JFIF header says 1.02 and 200 dpi.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <jpeglib.h>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QImage image(412, 170, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 170);
    sky.setColorAt(0, QColor(0x3a, 0x0c, 0x4e));
    sky.setColorAt(1, QColor(0x16, 0x03, 0x22));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    const QRectF ellipses[] = {{-60, 70, 260, 160}, {230, -50, 240, 150}, {150, 90, 300, 120}, {300, 20, 90, 90}};
    for (const QRectF& e : ellipses) {
        p.setBrush(QColor(0xd0, 0x80, 0xff, 22));
        p.drawEllipse(e);
    }
    QFont big(QStringLiteral("Liberation Sans"));
    big.setBold(true);
    big.setItalic(true);
    big.setPixelSize(118);
    QPainterPath faded;
    faded.addText(2, 166, big, QStringLiteral("Wplatomat"));
    p.setBrush(QColor(0xff, 0xff, 0xff, 20));
    p.drawPath(faded);
    p.setPen(QPen(QColor(0xe0, 0x90, 0xe8), 1));
    p.drawLine(QPointF(18, 14.5), QPointF(300, 14.5));
    p.drawLine(QPointF(18, 62.5), QPointF(300, 62.5));
    QFont name(big);
    name.setPixelSize(38);
    QPainterPath title;
    title.addText(26, 52, name, QStringLiteral("Wplatomat"));
    p.setBrush(Qt::NoBrush);
    for (int width = 12; width >= 2; width -= 2) {
        p.setPen(QPen(QColor(0xff, 0x30, 0xff, 28), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(title);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(title);
    p.end();

    FILE* out = std::fopen(argv[1], "wb");
    if (!out)
        return 1;
    jpeg_compress_struct info {};
    jpeg_error_mgr errors {};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = 412;
    info.image_height = 170;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    info.JFIF_minor_version = 2;
    info.density_unit = 1;
    info.X_density = 200;
    info.Y_density = 200;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = image.scanLine(int(info.next_scanline));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(out) == 0 ? 0 : 1;
}
