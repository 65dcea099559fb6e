// The document's values on the coupon: one character per 5 mm cell, filtered
// by what each run accepts, or free text where a name does not fit the cells.
#include "TransferRenderSupport.h"

#include <gtest/gtest.h>

namespace {

QString Cells(const TransferRender& r, int row, int from, int to)
{
    QString seen;
    for (int c = from; c <= to; ++c)
        seen += r.InkInCell(row, c) > 0 ? QLatin1Char('#') : QLatin1Char('.');
    return seen;
}

// Where amounts, currency and code stand is read from the printed file elsewhere.
TEST(TransferValuesTest, NoAmountLeavesItsCellsAndWordsEmptyButCurrencyAndCodeStay)
{
    TransferRender r(bkTransfer, pwWplata);
    r.Coupon();
    EXPECT_EQ(Cells(r, 3, 15, 26), QString(12, QLatin1Char('.')));
    EXPECT_EQ(r.Count(7.5, 38.0, 142.5, 43.8, TextColour), 0); // no words in row 4
    EXPECT_EQ(Cells(r, 3, 11, 13), QStringLiteral("###"));
    EXPECT_EQ(Cells(r, 9, 25, 26), QStringLiteral("##"));
}

TEST(TransferValuesTest, WordsOfAHugeAmountStopAtTheCouponsEdge)
{
    TransferRender r(bkTransfer, pwWplata);
    r.Data().FKwota = 777'777'777'7700LL;
    // Draw beyond the coupon to see whether anything spills over.
    TBlankObj& obj = r.Obj();
    TBitmap wide(Px(220), Px(105));
    obj.SetDPI(TenPerMm);
    obj.SetCanvas(&wide.Canvas());
    DrawTransferCoupon(r.Data(), obj, 0);
    EXPECT_GT(CountPixels(wide.Image(), QRect(QPoint(Px(140), Px(38)), QPoint(Px(150) - 1, Px(44))), TextColour), 0);
    EXPECT_EQ(CountPixels(wide.Image(), QRect(QPoint(Px(150), 0), QPoint(Px(220) - 1, Px(105) - 1)), TextColour), 0);
}

TEST(TransferValuesTest, AccountIsPackedToItsDigitsOnTransferForms)
{
    TransferRender r(bkTransfer, pwPrzelew);
    r.Data().FNadRach = QStringLiteral("12 3456-78");
    r.Coupon();
    EXPECT_EQ(Cells(r, 4, 0, 9), QStringLiteral("########.."));
}

TEST(TransferValuesTest, ZusAccountKeepsACellForEveryBlank)
{
    TransferRender r(bkTransferZus);
    // The account chosen as "<Nie wybrano>" leaves the check digits and the
    // account's digit to be written by hand.
    r.Data().FOdbRach = QStringLiteral("  101010230000261395 00000");
    r.Coupon();
    EXPECT_EQ(Cells(r, 2, 0, 25), QStringLiteral("..##################.#####"));
}

TEST(TransferValuesTest, NamesThatFitGoOneCharacterPerCell)
{
    TransferRender r(bkTransfer);
    r.Data().FOdbiorca << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZA") << QStringLiteral("ŁÓDŹ");
    r.Coupon();
    EXPECT_EQ(Cells(r, 0, 0, 26), QString(27, QLatin1Char('#')));
    EXPECT_EQ(Cells(r, 1, 0, 5), QStringLiteral("####..")); // letters with diacritics in a free run
}

TEST(TransferValuesTest, NameTooLongForTheCellsSwitchesBothLinesToFreeText)
{
    TransferRender r(bkTransfer);
    // Narrow letters: in cells each would stand at a cell's centre, 10.0, 15.0 ... mm.
    r.Data().FOdbiorca << QStringLiteral("II") << QStringLiteral("IIIIIIIIIIIIIIIIIIIIIIIIIIIIII");
    r.Coupon();
    // Free text packs the letters from x 8.5 mm: nothing near the second cell's centre.
    EXPECT_EQ(r.Count(14.2, 4.0, 15.8, 9.8, TextColour), 0);
    EXPECT_GT(r.Count(8.5, 4.0, 10.5, 9.8, TextColour), 0);
    // Thirty letters packed end well before the last cells.
    EXPECT_EQ(Cells(r, 1, 20, 26), QStringLiteral("......."));

    TransferRender cells(bkTransfer);
    cells.Data().FOdbiorca << QStringLiteral("II") << QStringLiteral("IIIIIIIIIIIIIIIIIIIIIIIIIII");
    cells.Coupon();
    EXPECT_GT(cells.Count(14.2, 4.0, 15.8, 9.8, TextColour), 0);
    EXPECT_EQ(Cells(cells, 1, 0, 26), QString(27, QLatin1Char('#')));
}

TEST(TransferValuesTest, TitleTakesRowsSevenAndEightOnTheGeneralForm)
{
    TransferRender r(bkTransfer);
    r.Data().FTytul << QStringLiteral("FV 1/2026") << QStringLiteral("czynsz");
    r.Coupon();
    EXPECT_EQ(Cells(r, 7, 0, 9), QStringLiteral("##.######."));
    EXPECT_EQ(Cells(r, 8, 0, 6), QStringLiteral("######."));
}

TEST(TransferValuesTest, ZusRowsFilterTheirCharacters)
{
    TransferRender r(bkTransferZus);
    r.Data().FNadNIP = QStringLiteral("123-456-78-90-12"); // 12 digits, ten cells
    r.Data().FNadId2 = QStringLiteral("abc123");
    r.Data().FNadNrDeklar = 7;
    r.Coupon();
    EXPECT_EQ(Cells(r, 7, 0, 9), QString(10, QLatin1Char('#')));
    EXPECT_EQ(r.Count(ColX(10), 63.5, ColX(11), 69.3, TextColour), 0); // not a cell
    EXPECT_EQ(Cells(r, 7, 13, 19), QStringLiteral("######.")); // lower case passes here
    EXPECT_EQ(Cells(r, 8, 2, 3), QStringLiteral("##"));       // 7 written 07
    EXPECT_EQ(Cells(r, 8, 0, 0), QStringLiteral("#"));        // the default payment type S
    EXPECT_EQ(Cells(r, 9, 25, 26), QStringLiteral("##"));
    // A declaration number of 0 is left for the hand.
    r.Data().FNadNrDeklar = 0;
    r.Coupon();
    EXPECT_EQ(Cells(r, 8, 2, 3), QStringLiteral(".."));
}

TEST(TransferValuesTest, TaxRowsFilterTheirCharacters)
{
    TransferRender r(bkTransferTax);
    r.Data().FNadId2 = QStringLiteral("PL 525-000-12-34");
    r.Data().FNadOkres = QStringLiteral("26M11");
    r.Data().FNadSymbolForm = QStringLiteral("VAT-7K");
    r.Data().FNadIdZobow = QStringLiteral("decyzja ł/1");
    r.Coupon();
    EXPECT_EQ(Cells(r, 7, 0, 10), QStringLiteral("##########.")); // digits only
    EXPECT_EQ(Cells(r, 7, 15, 15), QStringLiteral("#"));          // N
    EXPECT_EQ(Cells(r, 7, 19, 24), QStringLiteral("#####."));
    EXPECT_EQ(Cells(r, 8, 0, 6), QStringLiteral("######."));
    EXPECT_EQ(Cells(r, 8, 7, 19), QStringLiteral("#######.###..")); // the blank keeps its cell
}

class CellTextTest : public ::testing::Test {
protected:
    CellTextTest() : r(bkTransfer)
    {
        r.Template();
        // A white sheet with the grid globals set by the coupon above.
        r.Obj().Canvas()->Brush.Style = bsSolid;
        r.Obj().Canvas()->Brush.Color = clWhite;
        r.Obj().Canvas()->Pen.Style = psClear;
        r.Obj().Rectangle(0, 0, 150, 105);
        r.Obj().SetFont(14, TextColour, 0, QStringLiteral("Arial CE"));
    }
    void Draw(const QString& text, int col, int row, int max, const TCharSet& set)
    {
        DrawCellText(r.Obj(), text, col, row, max, set);
    }
    TransferRender r;
};

TEST_F(CellTextTest, TextRunsOnIntoTheNextRowAfterColumnTwentySix)
{
    Draw(QStringLiteral("ABCDEF"), 25, 3, 4, AnyChars());
    EXPECT_EQ(Cells(r, 3, 24, 26), QStringLiteral(".##"));
    EXPECT_EQ(Cells(r, 4, 0, 2), QStringLiteral("##."));
}

TEST_F(CellTextTest, LettersBeyondEightBitsNeedAnOpenRun)
{
    Draw(QStringLiteral("łó"), 0, 5, 5, AnyChars());
    EXPECT_EQ(Cells(r, 5, 0, 2), QStringLiteral("##."));
    Draw(QStringLiteral("łó"), 0, 7, 5, AlnumChars());
    EXPECT_EQ(Cells(r, 7, 0, 1), QStringLiteral("..")); // ł is 322; ó is 243 but not a letter of the set
}

TEST(CellTextYTest, LineOfFourMillimetresStandsAtThirtyPointFourInRowThree)
{
    TransferRender r(bkTransfer);
    r.Template();
    TBlankObj& obj = r.Obj();
    // At five pixels per millimetre a 10 pt line is 18 px em, 16 up and 4 down: 4.0 mm.
    obj.SetDPI(127);
    obj.SetFont(10, clNone, 0, QStringLiteral("Arial CE"));
    ASSERT_DOUBLE_EQ(obj.TextHeight(), 4.0);
    EXPECT_DOUBLE_EQ(CellTextY(obj, 3), 30.4);
}

} // namespace
