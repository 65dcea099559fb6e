#pragma once

// The transfer/deposit form (kinds 5, 6 and 7): its grid of character cells,
// the empty coupon, the values, the small receipt and the preview. Each
// routine draws the document's data through the drawing object it is given,
// so a coupon needs no window to be drawn, tested or printed.

#include "drawing/BlankTypes.h"

#include <QString>
#include <QStringList>

#include <bitset>

class TBlankObj;
struct TBlankData;

// The grid of the coupon in millimetres from its top-left corner. Set by
// every empty coupon before anything is drawn; the bottom depends on the kind.
extern double GridLeft;
extern double GridTop;
extern double GridRight;
extern double GridBottom;

// Scratch copy of a multi-line field, re-flowed for one drawing call.
extern QStringList WorkLines;

constexpr double CouponWidthMm = 150.0;
constexpr double CouponHeightMm = 105.0;
constexpr double CellPitchMm = 5.0;
constexpr double RowPitchMm = 8.5;
constexpr int GridColumns = 27;

double RowY(int Row);
double ColX(int Col);
// The top of a text line centred in the cells of Row, in the current font.
double CellTextY(TBlankObj& BlankObj, int Row);

// The characters a cell run accepts; an empty set accepts every character.
class TCharSet {
public:
    TCharSet() = default;
    explicit TCharSet(const char* members);
    bool IsEmpty() const { return m_bits.none(); }
    bool Admits(QChar ch) const;

private:
    std::bitset<256> m_bits;
};

const TCharSet& AnyChars();
const TCharSet& DigitChars();
const TCharSet& DigitBlankChars();
const TCharSet& ZusIdTypeChars();
const TCharSet& AlnumChars();
const TCharSet& UpperChars();
const TCharSet& TaxIdTypeChars();
const TCharSet& PeriodChars();
const TCharSet& FormSymbolChars();

// Writes Text one character per cell from (Row, Col), continuing in column 0
// of the next row; characters the set refuses take no cell.
void DrawCellText(TBlankObj& BlankObj, const QString& Text, int Col, int Row, int MaxChars,
                  const TCharSet& Allowed);

// Fills the outline of the logo segments First..Last with the current brush.
void DrawZusLogoPath(TBlankObj& Obj, int First, int Last);

// One run of cells, and every run of the coupon for its kind and payment mode.
void DrawCellBox(const TBlankData& Data, TBlankObj& Obj, int Row, int Col, int Count, bool Frame, bool Separators,
                 bool Fill);
void DrawCellBoxes(const TBlankData& Data, TBlankObj& Obj, bool Frame, bool Separators, bool Fill);

// The empty coupon 0..3 in the form colour.
void DrawTransferTemplate(const TBlankData& Data, TBlankObj& Obj, int Coupon);
// The empty coupon and the document's values in the text colour.
void DrawTransferCoupon(const TBlankData& Data, TBlankObj& Obj, int Coupon);
// The small receipt: 1 for the recipient, 2 for the orderer.
void DrawTransferReceipt(const TBlankData& Data, TBlankObj& Obj, int Which);
// The preview of the coupon or, on the back, the orderer's receipt.
void PaintTransferForm(const TBlankData& Data, TBlankObj& Obj, TBlankSide Side);

// Which coupons a print takes, as the coupon dialog gives them to the window.
struct TCouponChoice {
    bool selected[4] = {true, true, true, true};
    bool all = true;        // two receipt strips instead of one
    bool autoScale = false; // fit the landscape block to the printable area
};

// One print job each: two coupons per portrait page; strips of receipt and
// coupon; up to four coupons on one landscape page.
void PrintTransferPortrait(const TBlankData& Data, TBlankObj& Obj, const TCouponChoice& Choice);
void PrintTransferWithReceipt(const TBlankData& Data, TBlankObj& Obj, const TCouponChoice& Choice);
void PrintTransferLandscape(const TBlankData& Data, TBlankObj& Obj, const TCouponChoice& Choice);
