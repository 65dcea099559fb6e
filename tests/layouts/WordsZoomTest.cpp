// The amount in words in the preview at every zoom step, against the same words drawn whole on one unclipped
// line: the ink of the form's lines, each within its span, must add up to the whole words' ink at one of the
// sizes the form may shrink them to; a line cut off at its span's end would lose some. An italic letter's
// overhang beyond its advance may lose a pixel where a line ends at its span's end, as the platform clips text.
#include "helpers/PixelProbe.h"
#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "layouts/untBlPrzekaz.h"
#include "layouts/untBlWplata.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Form = 0x00A05020, Text = 0x002080C0;

int WholeInk(const char* words, int zoom, int points, TFontStyles style)
{
    TBlankObj obj;
    obj.SetDPI(zoom);
    QImage line(obj.MM2Pixel(400), obj.MM2Pixel(10), QImage::Format_RGB32);
    line.fill(Qt::white);
    TCanvas canvas(&line);
    obj.SetCanvas(&canvas);
    obj.SetFont(points, Text, style, QStringLiteral("Arial CE"));
    obj.DrawText(QString::fromUtf8(words), 0, 0, -1, 0);
    canvas.End();
    return CountPixels(line, line.rect(), Text);
}

TEST(WordsZoomTest, LongAmountsStayWholeInTheirSpansAtEveryZoomStep)
{
    InitializeBackBuffer();
    const struct { Currency kwota; const char* words; } amounts[] = {
        {7'7777'7777'7700, "siedemset siedemdziesiąt siedem milionów siedemset siedemdziesiąt siedem tysięcy "
                           "siedemset siedemdziesiąt siedem"},
        {9'9999'9999'9900, "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć "
                           "tysięcy dziewięćset dziewięćdziesiąt dziewięć"},
        {1'2345'6789'0000, "sto dwadzieścia trzy miliony czterysta pięćdziesiąt sześć tysięcy siedemset "
                           "osiemdziesiąt dziewięć"},
        {3'7887'8878'0000, "trzysta siedemdziesiąt osiem milionów osiemset siedemdziesiąt osiem tysięcy osiemset "
                           "siedemdziesiąt osiem"}};
    // Per form: its width, the words' style and sizes, per line its span x1..x2 and the rows it may take (mm).
    const struct { quint16 kind; double w; TFontStyles style; std::vector<int> points; double lines[2][4]; } forms[] = {
        {bkMoneyOrder, 210, 0, {8, 7, 6}, {{16, 89, 40.8, 45.8}, {6, 79, 45.8, 50.8}}},
        {bkDeposit, 70, fsItalic, {10, 9, 8, 7, 6, 5, 4}, {{3, 67, 14.5, 20.5}, {3, 58, 22.5, 28.5}}}};
    for (const auto& a : amounts)
        for (const int zoom : {50, 75, 100, 140, 200, 300, 500})
            for (const auto& f : forms) {
                TBlankData d;
                d.FKind = f.kind, d.FKolForm = Form, d.FKolTekst = Text, d.FKwota = a.kwota;
                TBlankObj obj;
                obj.SetDPI(zoom);
                QImage window(obj.MM2Pixel(f.w), obj.MM2Pixel(100), QImage::Format_RGB32);
                TCanvas canvas(&window);
                obj.SetCanvas(&canvas);
                f.kind == bkMoneyOrder ? PaintMoneyOrder(d, obj, bsTop) : PaintDepositForm(d, obj, bsTop);
                canvas.End();
                int ink = 0;
                for (const auto& [x1, x2, y1, y2] : f.lines) {
                    const QRect span(QPoint(obj.MM2Pixel(x1), obj.MM2Pixel(y1)),
                                     QPoint(obj.MM2Pixel(x2) - 1, obj.MM2Pixel(y2)));
                    const int margin = obj.MM2Pixel(3);
                    ink += CountPixels(window, span, Text);
                    EXPECT_EQ(CountPixels(window, span.adjusted(-margin, 0, margin, 0), Text),
                              CountPixels(window, span, Text)) << a.words << " at " << zoom;
                }
                bool whole = false;
                for (const int points : f.points)
                    whole = whole || std::abs(WholeInk(a.words, zoom, points, f.style) - ink) <= 2;
                EXPECT_TRUE(whole) << a.words << " at " << zoom << " on form " << f.kind;
            }
}

} // namespace
