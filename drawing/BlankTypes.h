#pragma once

#include <QtGlobal>

#include <array>

// The side of a form shown or printed: the front, or the back (on the
// transfer forms, the small receipt).
enum TBlankSide : quint8 { bsTop = 0, bsBottom = 1 };

// Payment mode of the transfer/deposit forms: it picks the title, the coupon
// captions and one row of the coupon.
enum TPrzelewWplata : quint8 { pwNone = 0, pwWplata = 1, pwPrzelew = 2 };

// Form kinds as documents store them.
constexpr quint16 bkDeposit = 1;
constexpr quint16 bkMoneyOrder = 2;
constexpr quint16 bkLegacyDeposit = 3;
constexpr quint16 bkLegacyTransfer = 4;
constexpr quint16 bkTransfer = 5;
constexpr quint16 bkTransferZus = 6;
constexpr quint16 bkTransferTax = 7;

// Preview zoom steps in pixels per inch; a new window starts at the third.
constexpr std::array<int, 7> ScaleSteps{50, 75, 100, 140, 200, 300, 500};
constexpr int DefaultScaleStep = 2;

constexpr bool IsTransferKind(quint16 kind)
{
    return kind == bkTransfer || kind == bkTransferZus || kind == bkTransferTax;
}
