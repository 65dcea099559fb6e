#include "TransferRenderSupport.h"

#include "drawing/untCommon.h"
#include "platform/Registry.h"

#include <QColor>

TransferRender::TransferRender(quint16 kind, TPrzelewWplata mode)
{
    InitializeCommonUnit();
    // A new document takes its kind's colours from the registry.
    TRegistry reg;
    reg.OpenKey(QStringLiteral("Software\\Korvex\\Wplatomat"), true);
    reg.WriteInteger(QStringLiteral("BlankColor%1").arg(kind), qint32(FormColour));
    reg.WriteInteger(QStringLiteral("DataColor%1").arg(kind), qint32(TextColour));
    m_form = std::make_unique<TfrmBlank>(nullptr, kind);
    m_form->SetPrzelewWplata(mode);
}

void TransferRender::Prepare(double widthMm)
{
    TBlankObj& obj = m_form->BlankObj;
    obj.SetDPI(TenPerMm);
    m_bitmap.SetSize(obj.MM2Pixel(widthMm), obj.MM2Pixel(CouponHeightMm));
    m_bitmap.Image().fill(Qt::white);
    obj.SetCanvas(&m_bitmap.Canvas());
    obj.SetOriginX(0);
    obj.SetOriginY(0);
}

void TransferRender::Template(int coupon)
{
    Prepare(CouponWidthMm);
    DrawTransferTemplate(m_form.get(), coupon);
}

void TransferRender::Coupon(int coupon)
{
    Prepare(CouponWidthMm);
    DrawTransferCoupon(m_form.get(), coupon);
}

void TransferRender::Receipt(int which)
{
    Prepare(60);
    DrawTransferReceipt(m_form.get(), which);
}

int TransferRender::InkInCell(int row, int col, TColor colour) const
{
    return Count(ColX(col) + 0.3, RowY(row) + 1.7, ColX(col + 1) - 0.3, RowY(row + 1) - 1.4, colour);
}

int TransferRender::Count(double x1Mm, double y1Mm, double x2Mm, double y2Mm, TColor colour) const
{
    return CountPixels(Image(), QRect(QPoint(Px(x1Mm), Px(y1Mm)), QPoint(Px(x2Mm) - 1, Px(y2Mm) - 1)), colour);
}
