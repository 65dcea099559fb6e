// The empty transfer coupon, probed at ten pixels per millimetre at places
// taken from the coupon's grid: 27 columns of 5 mm from x 7.5, rows of
// 8.5 mm from y 2.5, cells 1.5 mm below a row's top and 1.2 mm above its end.
// Only rules the reference pictures cannot prove on their own: what the
// payment mode does to row 4, what stays black or white whatever the colours,
// and where the text colour may appear.
#include "TransferRenderSupport.h"

#include "drawing/untBlankObj.h"

#include <gtest/gtest.h>

namespace {

const TColor Tint = TBlankObj::HalfColorA(FormColour);
const TColor Logo = TBlankObj::HalfColorB(FormColour);

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

TEST(TransferTemplateTest, CornerMarksAreBlackWhateverTheFormColour)
{
    TransferRender r(bkTransfer);
    r.Template();
    for (const QPointF mm : {QPointF(10.0, 2.5), QPointF(5.5, 7.0), QPointF(140.0, 2.5), QPointF(144.5, 7.0),
                             QPointF(10.0, 80.0), QPointF(5.5, 75.0)})
        EXPECT_EQ(r.At(mm.x(), mm.y()), clBlack) << mm.x() << ", " << mm.y();
    EXPECT_EQ(r.Count(135, 75, 150, 90, clBlack), 0); // no bottom-right mark
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
