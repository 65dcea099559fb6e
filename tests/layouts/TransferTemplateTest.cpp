// The empty transfer coupon, probed at ten pixels per millimetre at places
// taken from the coupon's grid: 27 columns of 5 mm from x 7.5, rows of
// 8.5 mm from y 2.5, cells 1.5 mm below a row's top and 1.2 mm above its end.
#include "TransferRenderSupport.h"

#include "drawing/untBlankObj.h"

#include <gtest/gtest.h>

namespace {

const TColor Tint = TBlankObj::HalfColorA(FormColour);
const TColor Logo = TBlankObj::HalfColorB(FormColour);

TEST(TransferGridTest, ColumnsAndRowsFollowThePitch)
{
    TransferRender r(bkTransfer);
    r.Template();
    EXPECT_DOUBLE_EQ(ColX(0), 7.5);
    EXPECT_DOUBLE_EQ(ColX(26), 137.5);
    EXPECT_DOUBLE_EQ(ColX(27), 142.5);
    EXPECT_DOUBLE_EQ(GridRight, ColX(27));
    EXPECT_DOUBLE_EQ(RowY(0), 2.5);
    EXPECT_DOUBLE_EQ(RowY(10), 87.5);
}

struct BottomCase {
    quint16 kind;
    double bottom;
};

class GridBottomTest : public ::testing::TestWithParam<BottomCase> {};

TEST_P(GridBottomTest, BoxAreaEndsWhereTheKindWantsIt)
{
    TransferRender r(GetParam().kind);
    r.Template();
    EXPECT_DOUBLE_EQ(GridBottom, GetParam().bottom);
    // The frame of the box area runs along that bottom, in the form colour,
    // away from the lower boxes (x 80 mm lies between the signature and stamp boxes).
    EXPECT_EQ(r.At(79.0, GetParam().bottom), FormColour);
}

INSTANTIATE_TEST_SUITE_P(Kinds, GridBottomTest,
    ::testing::Values(BottomCase{bkTransfer, 87.5}, BottomCase{bkTransferZus, 86.3},
                      BottomCase{bkTransferTax, 86.3}));

TEST(TransferGridTest, AmountRunHasTwelveCellsWithElevenSeparators)
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
}

TEST(TransferGridTest, OneCellRunHasNoSeparator)
{
    TransferRender r(bkTransferZus);
    r.Template();
    // Row 7, column 11 of the ZUS coupon: x 62.5 to 67.5.
    EXPECT_EQ(r.Count(62.7, 63.6, 67.3, 69.2, FormColour), 0);
    EXPECT_EQ(r.At(62.5, 66.0), FormColour);
    EXPECT_EQ(r.At(67.5, 66.0), FormColour);
}

TEST(TransferGridTest, CellBoxWithNothingToDoLeavesPenAndBrushAlone)
{
    TransferRender r(bkTransfer);
    r.Template();
    TCanvas& canvas = *r.Form().BlankObj.Canvas();
    canvas.Pen.Color = 0x00010203;
    canvas.Brush.Color = 0x00040506;
    canvas.Brush.Style = bsSolid;
    const QImage before = r.Image().copy();
    DrawCellBox(&r.Form(), 7, 11, 1, false, false, false);
    EXPECT_EQ(canvas.Pen.Color, 0x00010203u);
    EXPECT_EQ(canvas.Brush.Color, 0x00040506u);
    EXPECT_EQ(canvas.Brush.Style, bsSolid);
    EXPECT_EQ(r.Image(), before);
}

struct Row4Case {
    TPrzelewWplata mode;
    bool lastCell;       // the 27th cell, x 137.5 to 142.5
    bool separators;
    int groupTicks;      // ticks rising from the outline under row 4
};

class Row4Test : public ::testing::TestWithParam<Row4Case> {};

TEST_P(Row4Test, PaymentModeShapesTheFourthRow)
{
    TransferRender r(bkTransfer, GetParam().mode);
    r.Template();
    const double y = 40.5; // inside row 4's cells, 38.0 to 43.8
    EXPECT_EQ(r.At(140.0, y), GetParam().lastCell ? clWhite : Tint);
    EXPECT_EQ(r.At(87.5, y), GetParam().separators ? FormColour : clWhite);
    int ticks = 0;
    for (int c = 2; c <= 26; c += 4)
        ticks += r.At(ColX(c), 42.5) == FormColour; // 44.0 rising to 41.5
    EXPECT_EQ(ticks, GetParam().groupTicks);
}

INSTANTIATE_TEST_SUITE_P(Modes, Row4Test,
    ::testing::Values(Row4Case{pwNone, true, true, 7}, Row4Case{pwWplata, true, false, 0},
                      Row4Case{pwPrzelew, false, true, 7}));

TEST(TransferTemplateTest, TransferModeBringsTheOutlineInToTheLastAccountCell)
{
    TransferRender przelew(bkTransfer, pwPrzelew);
    przelew.Template();
    EXPECT_EQ(przelew.At(137.5, 40.0), FormColour); // the outline's right side, 35.5 to 44.0
    EXPECT_NE(przelew.At(142.2, 40.0), FormColour);
    TransferRender none(bkTransfer, pwNone);
    none.Template();
    EXPECT_EQ(none.At(142.2, 40.0), FormColour);
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
    EXPECT_EQ(r.At(10.0, 2.5), clBlack);  // top left, along
    EXPECT_EQ(r.At(5.5, 7.0), clBlack);   // top left, down
    EXPECT_EQ(r.At(140.0, 2.5), clBlack); // top right
    EXPECT_EQ(r.At(144.5, 7.0), clBlack);
    EXPECT_EQ(r.At(10.0, 80.0), clBlack); // bottom left
    EXPECT_EQ(r.At(5.5, 75.0), clBlack);
    EXPECT_EQ(r.Count(135, 75, 150, 90, clBlack), 0); // no bottom-right mark
}

struct CrossCase {
    TPrzelewWplata mode;
    int inW;
    int inP;
};

class PaymentCrossTest : public ::testing::TestWithParam<CrossCase> {};

TEST_P(PaymentCrossTest, CrossInTheTextColourMarksTheMode)
{
    TransferRender r(bkTransfer, GetParam().mode);
    r.Template();
    // The W box spans x 47.5 to 51.9 and the P box 52.5 to 56.9, y 29.8 to 35.0.
    const int inW = r.Count(47.5, 29.8, 52.0, 35.1, TextColour);
    const int inP = r.Count(52.5, 29.8, 57.0, 35.1, TextColour);
    EXPECT_EQ(inW > 0, GetParam().inW > 0);
    EXPECT_EQ(inP > 0, GetParam().inP > 0);
    if (GetParam().inP)
        EXPECT_EQ(r.At(54.75, 32.5), TextColour); // where the two strokes cross
    if (GetParam().inW)
        EXPECT_EQ(r.At(49.75, 32.5), TextColour);
}

INSTANTIATE_TEST_SUITE_P(Modes, PaymentCrossTest,
    ::testing::Values(CrossCase{pwNone, 0, 0}, CrossCase{pwWplata, 0, 1}, CrossCase{pwPrzelew, 1, 0}));

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

TEST(TransferTemplateTest, ZusCouponHasNoRecipientCells)
{
    TransferRender r(bkTransferZus);
    r.Template();
    // Rows 0 and 1 hold the institution's name and the legends instead.
    EXPECT_EQ(r.Count(60, 12.6, 62.4, 18.2, clWhite), 0);
    EXPECT_GT(r.Count(9.5, 5.0, 80.0, 9.5, TextColour), 0); // the name in the text colour
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

TEST(TransferTemplateTest, FormColourDrawsLinesAndTextColourOnlyTheMarks)
{
    TransferRender r(bkTransferZus, pwWplata);
    r.Template();
    // The text colour appears only in the institution's name and the cross.
    const int everywhere = r.Count(0, 0, 150, 105, TextColour);
    const int name = r.Count(7.5, 4.0, 80.0, 10.5, TextColour);
    const int cross = r.Count(52.0, 29.5, 57.5, 35.5, TextColour); // round ends reach past the box
    EXPECT_GT(name, 0);
    EXPECT_GT(cross, 0);
    EXPECT_EQ(everywhere, name + cross);
}

} // namespace
