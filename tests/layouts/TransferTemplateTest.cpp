// The empty transfer coupon, probed at ten pixels per millimetre at places
// taken from the coupon's grid: 27 columns of 5 mm from x 7.5, rows of
// 8.5 mm from y 2.5, cells 1.5 mm below a row's top and 1.2 mm above its end.
#include "TransferRenderSupport.h"

#include "drawing/untBlankObj.h"

#include <gtest/gtest.h>

namespace {

const TColor Tint = TBlankObj::HalfColorA(FormColour);
const TColor Logo = TBlankObj::HalfColorB(FormColour);

TEST(TransferGridTest, BoxAreaEndsWhereTheKindWantsIt)
{
    const struct {
        quint16 kind;
        double bottom;
    } cases[] = {{bkTransfer, 87.5}, {bkTransferZus, 86.3}, {bkTransferTax, 86.3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        TransferRender r(c.kind);
        r.Template();
        EXPECT_DOUBLE_EQ(GridBottom, c.bottom);
        // The frame of the box area runs along that bottom, in the form colour,
        // away from the lower boxes (x 80 mm lies between the signature and stamp boxes).
        EXPECT_EQ(r.At(79.0, c.bottom), FormColour);
    }
}

TEST(TransferGridTest, RunsOfCellsHaveSeparatorsBetweenTheirCellsOnly)
{
    TransferRender r(bkTransfer);
    r.Template();
    const double y = 32.0; // inside row 3's cells, 29.5 to 35.3
    for (int k = 1; k <= 11; ++k)
        EXPECT_EQ(r.At(82.5 + 5 * k, y), FormColour) << "separator " << k;
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(r.At(85.0 + 5 * k, y), clWhite) << "cell " << k;
    EXPECT_EQ(r.At(100.0, 29.5), FormColour); // the run's top edge
    EXPECT_EQ(r.At(100.0, 29.3), Tint);       // the label strip above it

    TransferRender zus(bkTransferZus);
    zus.Template();
    // Row 7, column 11 of the ZUS coupon, x 62.5 to 67.5, is a run of one cell.
    EXPECT_EQ(zus.Count(62.7, 63.6, 67.3, 69.2, FormColour), 0);
    EXPECT_EQ(zus.At(62.5, 66.0), FormColour);
    EXPECT_EQ(zus.At(67.5, 66.0), FormColour);
}

TEST(TransferTemplateTest, PaymentModeShapesTheFourthRow)
{
    const struct {
        TPrzelewWplata mode;
        bool lastCell; // the 27th cell, x 137.5 to 142.5
        bool separators;
        int groupTicks; // ticks rising from the outline under row 4
    } cases[] = {{pwNone, true, true, 7}, {pwWplata, true, false, 0}, {pwPrzelew, false, true, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        TransferRender r(bkTransfer, c.mode);
        r.Template();
        const double y = 40.5; // inside row 4's cells, 38.0 to 43.8
        EXPECT_EQ(r.At(140.0, y), c.lastCell ? clWhite : Tint);
        EXPECT_EQ(r.At(87.5, y), c.separators ? FormColour : clWhite);
        int ticks = 0;
        for (int col = 2; col <= 26; col += 4)
            ticks += r.At(ColX(col), 42.5) == FormColour; // 44.0 rising to 41.5
        EXPECT_EQ(ticks, c.groupTicks);
        // The transfer mode brings the outline in to the last account cell (35.5 to 44.0 high).
        EXPECT_EQ(r.At(142.2, 40.0) == FormColour, c.mode != pwPrzelew);
        if (c.mode == pwPrzelew)
            EXPECT_EQ(r.At(137.5, 40.0), FormColour);
    }
}

TEST(TransferTemplateTest, ThickOutlinesAreSixPixelsAroundTheirLine)
{
    TransferRender r(bkTransfer);
    r.Template();
    // Top of the outline around row 2 at y 18.5, away from labels and
    // separators: an even pen puts its extra pixel below the line.
    for (int dy = -2; dy <= 3; ++dy)
        EXPECT_EQ(PixelAt(r.Image(), 600, 185 + dy), FormColour) << dy;
    EXPECT_EQ(PixelAt(r.Image(), 600, 176), clWhite); // inside row 1's cells
    EXPECT_EQ(PixelAt(r.Image(), 600, 192), Tint);    // row 2's label strip
    // Digit-group ticks of row 2: 27.0 rising 2.5 mm, after the 2nd digit and then every 4.
    for (double x : {17.5, 37.5, 57.5, 77.5, 97.5, 117.5})
        EXPECT_EQ(r.At(x + 0.2, 25.0), FormColour) << x;
    EXPECT_NE(r.At(27.5 + 0.2, 25.0), FormColour);
}

TEST(TransferTemplateTest, CornerMarksAreBlackWhateverTheFormColour)
{
    TransferRender r(bkTransfer);
    r.Template();
    for (const QPointF mm : {QPointF(10.0, 2.5), QPointF(5.5, 7.0), QPointF(140.0, 2.5), QPointF(144.5, 7.0),
                             QPointF(10.0, 80.0), QPointF(5.5, 75.0)})
        EXPECT_EQ(r.At(mm.x(), mm.y()), clBlack) << mm.x() << ", " << mm.y();
    EXPECT_EQ(r.Count(135, 75, 150, 90, clBlack), 0); // no bottom-right mark
}

TEST(TransferTemplateTest, CrossInTheTextColourMarksTheMode)
{
    for (const TPrzelewWplata mode : {pwNone, pwWplata, pwPrzelew}) {
        SCOPED_TRACE(mode);
        TransferRender r(bkTransfer, mode);
        r.Template();
        // The W box spans x 47.5 to 51.9 and the P box 52.5 to 56.9, y 29.8 to 35.0;
        // the cross marks the box of the mode not chosen.
        EXPECT_EQ(r.Count(47.5, 29.8, 52.0, 35.1, TextColour) > 0, mode == pwPrzelew);
        EXPECT_EQ(r.Count(52.5, 29.8, 57.0, 35.1, TextColour) > 0, mode == pwWplata);
        if (mode != pwNone) // where the two strokes cross
            EXPECT_EQ(r.At(mode == pwWplata ? 54.75 : 49.75, 32.5), TextColour);
    }
}

TEST(TransferTemplateTest, ZusLogoShowsOutsideButNotInsideRowsTwoToFive)
{
    TransferRender r(bkTransferZus);
    r.Template();
    // The logo's band under the letters crosses row 8's decision-number cells
    // (x 75.5, y 75.5 is table point 2000, 150) and the Z's foot crosses row 6.
    EXPECT_EQ(r.At(75.5, 75.5), Logo);
    EXPECT_EQ(r.At(45.5, 57.0), Logo);
    // The Z's stroke at y 50 mm lies in row 5's cells, which are white again.
    EXPECT_EQ(r.At(45.0, 50.0), clWhite);
    // Nothing of the logo outside its box, 25.5 to 122.95 by 25.5 to 79.275 mm.
    EXPECT_EQ(r.Count(8, 3, 25.3, 86, Logo), 0);
    EXPECT_EQ(r.Count(123.2, 3, 142, 86, Logo), 0);
    EXPECT_GT(r.Count(25.5, 25.5, 122.95, 79.275, Logo), 10000);
}

TEST(TransferTemplateTest, TaxWordLiesUnderTheFramesCentredOverTheBoxArea)
{
    TransferRender r(bkTransferTax);
    r.Template();
    QRect logoInk;
    for (int y = 0; y < 1050; ++y)
        for (int x = 0; x < 1500; ++x)
            if (PixelAt(r.Image(), x, y) == Logo)
                logoInk |= QRect(x, y, 1, 1);
    ASSERT_FALSE(logoInk.isNull());
    // Centred between 7.5 and 142.5 mm, and within the box area's width and height.
    EXPECT_NEAR((logoInk.left() + logoInk.right() + 1) / 2.0, 750, 15);
    EXPECT_GE(logoInk.left(), 75);
    EXPECT_LE(logoInk.right(), 1425);
    EXPECT_GE(logoInk.top(), 300);
    EXPECT_LE(logoInk.bottom(), 863);
    // Wide enough to be the heavy face: at least 120 of the 135 mm.
    EXPECT_GE(logoInk.width(), 1200);
    // Wherever a letter crosses a separator of row 5, the separator stays on top.
    int crossings = 0;
    for (int c = 1; c < 27; ++c) {
        const int x = Px(ColX(c));
        for (int y = Px(46.7); y < Px(52.1); ++y) {
            if (PixelAt(r.Image(), x - 1, y) == Logo && PixelAt(r.Image(), x + 1, y) == Logo) {
                ++crossings;
                EXPECT_EQ(PixelAt(r.Image(), x, y), FormColour) << DescribePixel(r.Image(), x, y).toStdString();
            }
        }
    }
    EXPECT_GT(crossings, 0);
}

TEST(TransferTemplateTest, ZusCouponHasNoRecipientCellsAndTheTextColourOnlyInItsMarks)
{
    TransferRender r(bkTransferZus, pwWplata);
    r.Template();
    // Rows 0 and 1 hold the institution's name and the legends instead of recipient cells.
    EXPECT_EQ(r.Count(60, 12.6, 62.4, 18.2, clWhite), 0);
    // The text colour appears only in the institution's name and the cross.
    const int everywhere = r.Count(0, 0, 150, 105, TextColour);
    const int name = r.Count(7.5, 4.0, 80.0, 10.5, TextColour);
    const int cross = r.Count(52.0, 29.5, 57.5, 35.5, TextColour); // round ends reach past the box
    EXPECT_GT(name, 0);
    EXPECT_GT(cross, 0);
    EXPECT_EQ(everywhere, name + cross);
}

} // namespace
