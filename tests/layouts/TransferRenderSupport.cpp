#include "TransferRenderSupport.h"

#include "drawing/untCommon.h"

#include <QColor>

TransferRender::TransferRender(quint16 kind, TPrzelewWplata mode)
{
    InitializeCommonUnit();
    m_data.FKind = kind;
    SetDocumentDefaults(m_data, QDate::currentDate());
    m_data.FKolForm = FormColour;
    m_data.FKolTekst = TextColour;
    m_data.FPrzelewWplata = mode;
}

void TransferRender::Prepare(double widthMm)
{
    m_obj.SetDPI(TenPerMm);
    m_bitmap.SetSize(m_obj.MM2Pixel(widthMm), m_obj.MM2Pixel(CouponHeightMm));
    m_bitmap.Image().fill(Qt::white);
    m_obj.SetCanvas(&m_bitmap.Canvas());
    m_obj.SetOriginX(0);
    m_obj.SetOriginY(0);
}

void TransferRender::Template(int coupon)
{
    Prepare(CouponWidthMm);
    DrawTransferTemplate(m_data, m_obj, coupon);
}

void TransferRender::Coupon(int coupon)
{
    Prepare(CouponWidthMm);
    DrawTransferCoupon(m_data, m_obj, coupon);
}

void TransferRender::Receipt(int which)
{
    Prepare(60);
    DrawTransferReceipt(m_data, m_obj, which);
}

int TransferRender::InkInCell(int row, int col, TColor colour) const
{
    return Count(ColX(col) + 0.3, RowY(row) + 1.7, ColX(col + 1) - 0.3, RowY(row + 1) - 1.4, colour);
}

int TransferRender::Count(double x1Mm, double y1Mm, double x2Mm, double y2Mm, TColor colour) const
{
    return CountPixels(Image(), QRect(QPoint(Px(x1Mm), Px(y1Mm)), QPoint(Px(x2Mm) - 1, Px(y2Mm) - 1)), colour);
}
