#include "layouts/untBlWplata.h"

#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"

using namespace untBlWplata;

namespace {

const QString FormFace = QStringLiteral("Arial CE");
constexpr double LeftMm = 8.0;
constexpr double RightMm = 62.0;
constexpr double LineYMm = 15.0;
constexpr double LabelYMm = 11.5;
constexpr double FirstTitleYMm = 18.0;
constexpr double TitleStepMm = 5.0;
constexpr int TitleLines = 10;
constexpr int LabelPoints = 7;
constexpr int TitlePoints = 10;
constexpr int UpsideDown = 180;

// Text turned upside down about its corner (x, y) and cut to the 54 mm the
// upright text is cut to: lines past the tenth are not re-flowed.
void DrawTurnedText(TBlankObj& obj, const QString& text, double x, double y)
{
    TCanvas& canvas = *obj.Canvas();
    const auto px = [&](double mm, double origin) { return obj.MM2Pixel(mm + origin); };
    const int right = px(x, obj.OriginX());
    const int bottom = px(y, obj.OriginY());
    canvas.Font.SetOrientation(UpsideDown * 10);
    canvas.TextRect({px(x - (RightMm - LeftMm), obj.OriginX()), bottom - obj.MM2Pixel(DepositCouponHeightMm), right,
                     bottom},
                    right, bottom, text);
}

} // namespace

void DrawDepositCouponBack(const TBlankData& Data, TBlankObj& Obj, int Index, bool Turned)
{
    Q_UNUSED(Index);
    if (!Obj.Canvas())
        return;
    BeginCoupon(Data, Obj);
    // Turned about the coupon's centre: y becomes 100 - y, a left end x a right end 70 - x.
    const auto y = [Turned](double mm) { return Turned ? DepositCouponHeightMm - mm : mm; };
    Obj.HorizLine(LeftMm, RightMm, y(LineYMm));
    Obj.SetFont(LabelPoints, Data.FKolForm, 0, FormFace);
    const QString label = QStringLiteral("Tytuł wpłaty");
    if (Turned)
        DrawTurnedText(Obj, label, RightMm, y(LabelYMm));
    else
        Obj.DrawText(label, LeftMm, LabelYMm, RightMm, 0);

    Obj.SetFont(TitlePoints, Data.FKolTekst, fsItalic, QString());
    WorkLines = Data.FTytul;
    Obj.WrapText(WorkLines, RightMm - LeftMm, TitleLines);
    const double h = Obj.TextHeight();
    // A long title stops at the coupon's edge instead of running onto the next row.
    for (int i = 0; i < WorkLines.size() && FirstTitleYMm + TitleStepMm * i + h <= DepositCouponHeightMm; ++i) {
        const double top = FirstTitleYMm + TitleStepMm * i;
        if (Turned)
            DrawTurnedText(Obj, WorkLines[i], RightMm, y(top));
        else
            Obj.DrawText(WorkLines[i], LeftMm, top, RightMm, 0);
    }
}
