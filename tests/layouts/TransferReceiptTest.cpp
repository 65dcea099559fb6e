// The small receipt: a 45 x 72 mm frame from (7.5, 2.5), labels on white
// boxes, a caption turned upward left of the frame, the values below.
#include "TransferRenderSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(TransferReceiptTest, FrameFieldLinesAndStampInTheFormColourLabelsOnWhite)
{
    TransferRender r(bkTransfer);
    r.Receipt(2);
    EXPECT_EQ(r.At(12.0, 2.5), FormColour); // left of the label that interrupts it
    EXPECT_EQ(r.At(30.0, 74.5), FormColour);
    EXPECT_EQ(r.At(7.5, 50.0), FormColour);
    EXPECT_EQ(r.At(52.5, 50.0), FormColour);
    for (double y : {10.5, 18.5, 36.5, 44.5, 62.5})
        EXPECT_EQ(r.At(45.0, y), FormColour) << y;
    EXPECT_EQ(r.At(30.0, 50.0), clWhite); // not filled
    // " odbiorca " starts at 18.5 mm, its top 1 mm above the line at 18.5: the
    // line is covered by the label's white box just after its start.
    EXPECT_EQ(r.At(19.0, 18.5), clWhite);
    EXPECT_EQ(r.At(17.5, 82.5), FormColour); // the circle's top, 16 mm across from (9.5, 82.5)
    EXPECT_EQ(r.At(17.5, 90.5), clWhite);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(r.At(29.5 + 5 * i, 95.0), FormColour) << i; // the fee boxes
}

TEST(TransferReceiptTest, CaptionStandsLeftOfTheFrameOnlyForAKnownReceipt)
{
    for (const int which : {0, 1, 2, 3}) {
        SCOPED_TRACE(which);
        TransferRender r(bkTransfer);
        r.Receipt(which);
        EXPECT_EQ(r.Count(3.5, 3.0, 7.3, 74.5, FormColour) > 0, which == 1 || which == 2);
        EXPECT_EQ(r.At(30.0, 74.5), FormColour); // the rest of the receipt is there either way
    }
}

TEST(TransferReceiptTest, NoAmountLeavesBothAmountLinesEmpty)
{
    TransferRender r(bkTransfer);
    r.Receipt(2);
    EXPECT_EQ(r.Count(8.0, 37.0, 52.0, 44.0, TextColour), 0);
    TransferRender paid(bkTransfer);
    paid.Data().FKwota = 1234'5000;
    paid.Receipt(2);
    EXPECT_GT(paid.Count(18.5, 37.0, 52.0, 41.0, TextColour), 0);
    EXPECT_GT(paid.Count(9.0, 41.2, 52.0, 44.0, TextColour), 0);
}

TEST(TransferReceiptTest, RecipientShowsFourLinesAndTitleThree)
{
    TransferRender r(bkTransfer);
    for (int i = 0; i < 6; ++i) {
        r.Data().FOdbiorca << QStringLiteral("Odbiorca %1").arg(i);
        r.Data().FTytul << QStringLiteral("Tytuł %1").arg(i);
    }
    r.Receipt(2);
    // Recipient lines at 21, 25, 29 and 33 mm; a fifth would stand at 37.
    for (double y : {21.0, 25.0, 29.0, 33.0})
        EXPECT_GT(r.Count(9.5, y, 30.0, y + 2.0, TextColour), 0) << y;
    EXPECT_EQ(r.Count(9.5, 36.6, 30.0, 44.0, TextColour), 0);
    // Title lines at 64, 66.5 and 69; nothing at 71.5.
    EXPECT_GT(r.Count(9.5, 69.0, 30.0, 71.0, TextColour), 0);
    EXPECT_EQ(r.Count(9.5, 71.5, 30.0, 74.3, TextColour), 0);
}

TEST(TransferReceiptTest, FreeTextNeverReachesTheCouponBeside)
{
    TransferRender r(bkTransfer);
    r.Data().FKwota = 888'888'888'8800LL;
    r.Data().FOdbRach = QStringLiteral("PL61109010140000071219812874WWWWWWW");
    r.Receipt(2);
    // The coupon of the receipt layout begins 55 mm right of the receipt's corner.
    EXPECT_GT(r.Count(40.0, 3.0, 55.0, 45.0, TextColour), 0);
    EXPECT_EQ(r.Count(55.0, 0.0, 60.0, 105.0, TextColour), 0);
}

} // namespace
