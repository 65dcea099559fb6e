// The deposit coupon's preview against pictures, where its rows go on the sheet; the amount in words at every zoom
// step.
#include "ReferencePicture.h"
#include "helpers/PixelProbe.h"
#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "layouts/untBlPrzekaz.h"
#include "layouts/untBlWplata.h"
#include "platform/Bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr TColor Form = 0x00A05020, Text = 0x002080C0;

TBlankData Deposit(Currency kwota = 0, quint16 kind = bkDeposit)
{
    TBlankData d;
    d.FKind = kind;
    d.FKolForm = Form;
    d.FKolTekst = Text;
    d.FKwota = kwota;
    return d;
}

TEST(DepositFormTest, PreviewShowsCouponZeroAsThePicturesDo)
{
    TBlankData filled = Deposit(1234'0500);
    filled.FNadawca = {u"Józef Żółkiewski"_s, u"ul. Świętokrzyska 12/4, 31-042 Kraków"_s};
    filled.FTytul = filled.FNadawca;
    filled.FBank = {u"Spółdzielnia Mieszkaniowa „Zacisze”"_s};
    filled.FOdbiorca = filled.FBank;
    filled.FOdbRach = u"12 1020 2892 0000 5402 0123 4567 8901 2345"_s; // too long: cut at the span
    InitializeBackBuffer();
    const TSidePicture rows[] = {{false, bsTop, "deposit-front-empty.png"},
                {true, bsTop, "deposit-front-filled.png"},
                {false, bsBottom, "deposit-back-empty.png"},
                {true, bsBottom, "deposit-back-filled.png"}};
    for (const auto& r : rows) {
        TBlankObj obj;
        TBitmap window(276, 394);
        obj.SetDPI(100);
        obj.SetCanvas(&window.Canvas());
        PaintDepositForm(r.filled ? filled : Deposit(), obj, r.side);
        window.Canvas().End();
        ExpectReferencePicture(window.Image(), QLatin1String(r.file));
    }
}

TEST(DepositFormTest, RowsKeepTheFartherMarginFromTheirOwnEdge)
{
    // 600 dpi, A4 across (210 mm: 4961 px), rows of 100 mm (2362 px); margins 5 and 10 mm are 118 and 236 px.
    for (const auto& [top, bottom] : {std::pair{118, 236}, {236, 118}, {118, 118}}) {
        const TDepositRows rows = DepositRowPlacement(top, 4961, 4961 - top - bottom, 2362);
        EXPECT_EQ(top + rows.FrontTopPx, std::max(top, bottom));
        EXPECT_EQ(4961 - (top + rows.BackTopPx + 2362), std::max(top, bottom));
    }
}

// The ink of the words drawn whole on one unclipped line at zoom and size.
int WholeInk(const char* words, int zoom, int points, TFontStyles style)
{
    TBlankObj obj;
    TBitmap line(16 * zoom, zoom / 2); // 400 x 12 mm
    obj.SetDPI(zoom);
    obj.SetCanvas(&line.Canvas());
    obj.SetFont(points, Text, style, u"Arial CE"_s);
    obj.DrawText(QString::fromUtf8(words), 0, 0, -1, 0);
    line.Canvas().End();
    return CountPixels(line.Image(), line.Image().rect(), Text);
}

// The ink of each line of the preview's words within its span must add up to the whole words' ink at a size the form
// may shrink them to, give or take an italic overhang's pixel: a line cut off at its span's end would lose some.
TEST(WordsZoomTest, LongAmountsStayWholeInTheirSpansAtEveryZoomStep)
{
    InitializeBackBuffer();
    const struct {
        Currency kwota;
        const char* words;
    } amounts[] = {
        {7'7777'7777'7700, "siedemset siedemdziesiąt siedem milionów siedemset siedemdziesiąt siedem tysięcy "
                           "siedemset siedemdziesiąt siedem"},
        {9'9999'9999'9900, "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset "
                           "dziewięćdziesiąt dziewięć tysięcy dziewięćset dziewięćdziesiąt dziewięć"}};
    // Per form: its width, the words' style and sizes, per line its span x1..x2 and the rows it may take (mm).
    const struct {
        quint16 kind;
        double width;
        TFontStyles style;
        std::vector<int> points;
        double lines[2][4];
    } forms[] = {{bkMoneyOrder, 210, 0, {8, 7, 6}, {{16, 89, 40.8, 45.8}, {6, 79, 45.8, 50.8}}},
                 {bkDeposit, 70, fsItalic, {10, 9, 8, 7, 6, 5, 4}, {{3, 67, 14.5, 20.5}, {3, 58, 22.5, 28.5}}}};
    for (const auto& a : amounts)
        for (const int zoom : {50, 75, 100, 140, 200, 300, 500})
            for (const auto& f : forms) {
                TBlankObj obj;
                obj.SetDPI(zoom);
                TBitmap window(obj.MM2Pixel(f.width), obj.MM2Pixel(100));
                obj.SetCanvas(&window.Canvas());
                const auto paint = f.kind == bkMoneyOrder ? PaintMoneyOrder : PaintDepositForm;
                paint(Deposit(a.kwota, f.kind), obj, bsTop);
                window.Canvas().End();
                int ink = 0;
                for (const auto& [x1, x2, y1, y2] : f.lines) {
                    const QRect span(QPoint(obj.MM2Pixel(x1), obj.MM2Pixel(y1)),
                                     QPoint(obj.MM2Pixel(x2) - 1, obj.MM2Pixel(y2)));
                    const int margin = obj.MM2Pixel(3);
                    const int inSpan = CountPixels(window.Image(), span, Text);
                    ink += inSpan;
                    EXPECT_EQ(CountPixels(window.Image(), span.adjusted(-margin, 0, margin, 0), Text), inSpan)
                        << a.words << " at " << zoom;
                }
                const auto whole = [&](int points) {
                    return std::abs(WholeInk(a.words, zoom, points, f.style) - ink) <= 2;
                };
                EXPECT_TRUE(std::any_of(f.points.begin(), f.points.end(), whole))
                    << a.words << " at " << zoom << " on form " << f.kind;
            }
}

} // namespace
