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
