#pragma once

// The deposit form (kind 1): a sheet of four coupons side by side, each
// drawn alone with its origin at the coupon's corner, previewed one coupon
// at a time and printed front and back on the two sides of one sheet.

#include "drawing/BlankTypes.h"
#include "layouts/SideChoice.h"

#include <QStringList>

class TBlankObj;
struct TBlankData;

constexpr double DepositCouponWidthMm = 70.0;
constexpr double DepositCouponHeightMm = 100.0;
constexpr int DepositCoupons = 4;
// Coupon i of a printed row starts at 3 + 70 i mm from the printable area's left edge.
constexpr double DepositRowLeftMm = 3.0;

namespace untBlWplata {
// A multi-line field copied for re-flowing, never the document's own list.
extern QStringList WorkLines;
// The coupon painted white and a 0.5 mm solid pen in the form colour.
void BeginCoupon(const TBlankData& Data, TBlankObj& Obj);
} // namespace untBlWplata

// The front of coupon Index (0..3): form in the form colour, values in the text colour.
void DrawDepositCouponFront(const TBlankData& Data, TBlankObj& Obj, int Index);
// The back, the same for every coupon; Turned rotates it 180 degrees about the coupon's centre.
void DrawDepositCouponBack(const TBlankData& Data, TBlankObj& Obj, int Index, bool Turned);
// The preview of coupon 0's side, upright, through the shared off-screen bitmap.
void PaintDepositForm(const TBlankData& Data, TBlankObj& Obj, TBlankSide Side);

// Where the two rows go, in device pixels from the printable area's top, so
// that both lie as far from their own edge of the sheet: the front row's top
// below the sheet's top, the back row's bottom above the sheet's bottom.
struct TDepositRows {
    int FrontTopPx = 0;
    int BackTopPx = 0;
};
TDepositRows DepositRowPlacement(int OffsetYPx, int PhysicalHeightPx, int PageHeightPx, int RowHeightPx);

// The chosen sides as landscape jobs "Blankiet - przód" and "Blankiet - tył";
// the back of a both-sides print only when the sheet was turned.
void PrintDepositForm(const TBlankData& Data, TBlankObj& Obj, const TSideChoice& Choice);
