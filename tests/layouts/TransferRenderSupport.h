#pragma once

// A transfer coupon drawn at 254 pixels per inch, ten pixels to the
// millimetre, so every probe position follows from the form's millimetres.

#include "helpers/PixelProbe.h"
#include "helpers/TempConfig.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Bitmap.h"

constexpr TColor FormColour = 0x00A05020;  // a blue, far from black
constexpr TColor TextColour = 0x002080C0;  // an orange
constexpr int TenPerMm = 254;

inline int Px(double mm)
{
    return int(mm * 10 + 0.5);
}

class TransferRender {
public:
    // A new document of the kind in these colours, drawn without a window.
    explicit TransferRender(quint16 kind, TPrzelewWplata mode = pwNone);

    TBlankData& Data() { return m_data; }
    TBlankObj& Obj() { return m_obj; }
    // The empty coupon only, or the coupon with the document's values.
    void Template(int coupon = 0);
    void Coupon(int coupon = 0);
    void Receipt(int which);
    const QImage& Image() const { return m_bitmap.Image(); }
    TColor At(double xMm, double yMm) const { return PixelAt(Image(), Px(xMm), Px(yMm)); }
    // Pixels of the colour inside the cell (row, col), its frame left out.
    int InkInCell(int row, int col, TColor colour = TextColour) const;
    int Count(double x1Mm, double y1Mm, double x2Mm, double y2Mm, TColor colour) const;

private:
    void Prepare(double widthMm);

    TempConfig m_config;
    TBlankData m_data;
    TBlankObj m_obj;
    TBitmap m_bitmap;
};
