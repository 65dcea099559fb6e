#pragma once

#include <array>

// The pale logo behind the ZUS coupon: three closed outlines of cubic
// segments, numbered from 1, in 1/40 mm with y counted upward from the
// bottom (the top edge is y 2151).
struct TBezierSegment {
    int p[4][2];
};

constexpr int ZusLogoTop = 2151;
constexpr int ZusLogoUnitsPerMm = 40;
extern const std::array<TBezierSegment, 36> ZusLogoSegments;
