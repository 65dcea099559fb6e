#pragma once

// Helpers the canvas's drawing files share.

#include "platform/Canvas.h"

#include <QRect>

#include <utility>

inline QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

inline void Normalize(int& a, int& b)
{
    if (a > b)
        std::swap(a, b);
}

// Puts the corners in order; false when no pixel lies inside the box.
inline bool NormalizeBox(int& left, int& top, int& right, int& bottom)
{
    Normalize(left, right);
    Normalize(top, bottom);
    return right - left >= 1 && bottom - top >= 1;
}
