#include "layouts/untBlWplata.h"

#include "drawing/BlankData.h"
#include "drawing/FormAmount.h"
#include "drawing/ProgramWebAddress.h"
#include "drawing/untBlankObj.h"
#include "layouts/WordsSplit.h"

namespace untBlWplata {
QStringList WorkLines;
} // namespace untBlWplata

using namespace untBlWplata;

namespace {

const QString FormFace = QStringLiteral("Arial CE");
constexpr double NoClip = -1;
constexpr double LeftMm = 3.0;
constexpr double RightMm = 67.0;
constexpr double LowerWordsRightMm = 58.0;
constexpr double BandStepMm = 0.8;
constexpr int BandLines = 6;
constexpr int LabelPoints = 7;
constexpr int ValuePoints = 10;
constexpr int FiguresPoints = 12;
constexpr int NotePoints = 6;
// Both lines of words must stay on the coupon: smaller sizes until they fit.
constexpr std::initializer_list<int> WordsPoints = {10, 9, 8, 7, 6, 5, 4};

const QString& CouponTitle(int index)
{
    static const QString titles[DepositCoupons] = {
        QStringLiteral("Odcinek dla poczty"), QStringLiteral("Odcinek dla banku"),
        QStringLiteral("Odcinek dla posiadacza rachunku"), QStringLiteral("Potwierdzenie dla wpłacającego")};
    return titles[qBound(0, index, DepositCoupons - 1)];
}

bool HasFeeBox(int index)
{
    return index == 0 || index == DepositCoupons - 1;
}

void SetPen(TBlankObj& obj, TColor colour, TPenStyle style, double widthMm)
{
    obj.Canvas()->Pen.Color = colour;
    obj.Canvas()->Pen.Style = style;
    obj.SetPenWidth(widthMm);
}

void DrawBand(TBlankObj& obj, double x2, double y)
{
    for (int n = 0; n < BandLines; ++n)
        obj.HorizLine(LeftMm, x2, y + n * BandStepMm);
}

void DrawFrontForm(const TBlankData& data, TBlankObj& obj, int index)
{
    BeginCoupon(data, obj);
    TCanvas& canvas = *obj.Canvas();
    obj.HorizLine(LeftMm, RightMm, 42);
    obj.HorizLine(LeftMm, RightMm, 78);
    obj.SetFont(NotePoints, data.FKolForm, 0, FormFace);
    obj.DrawText(FormFooter, LeftMm, 96, NoClip, 0);

    SetPen(obj, data.FKolForm, psSolid, 0);
    obj.Rectangle(7, 80, 15, 90);
    obj.SetFont(LabelPoints, clNone, 0, QString());
    const QString stamp = QStringLiteral("Datownik");
    obj.DrawText(stamp, LeftMm, 80 + obj.TextWidth(stamp), NoClip, 90);
    if (HasFeeBox(index)) {
        obj.Rectangle(51, 80, 67, 95);
        obj.SetFont(LabelPoints, clNone, 0, QString());
        obj.DrawCenteredText(QStringLiteral("Opłata"), 51, 67, 80);
        obj.DrawText(QStringLiteral("zł"), 51.7, 91, NoClip, 0);
        obj.DrawText(QStringLiteral("gr"), 59.5, 91, NoClip, 0);
        canvas.Pen.Style = psDot;
        obj.HorizLine(23, 47, 90);
        obj.DrawCenteredText(QStringLiteral("Podpis przyjm."), 23, 47, 90.5);
        canvas.Pen.Style = psSolid;
    }
    obj.SetFont(ValuePoints, clNone, 0, QString());
    obj.DrawCenteredText(CouponTitle(index), 0, DepositCouponWidthMm, 2.5);
    obj.DrawText(QStringLiteral("Zł"), LeftMm, 8, NoClip, 0);
    obj.DrawText(QStringLiteral("gr"), 56, 8, NoClip, 0);
    canvas.Pen.Style = psDot;
    obj.HorizLine(LeftMm + obj.TextWidth(QStringLiteral("Zł")) + 1, 55, 11);
    obj.HorizLine(56 + obj.TextWidth(QStringLiteral("gr")) + 1, RightMm, 11);
    canvas.Pen.Style = psSolid;
    DrawBand(obj, RightMm, 14.8);
    DrawBand(obj, LowerWordsRightMm, 22.8);
    obj.SetFont(LabelPoints, clNone, 0, QString());
    obj.DrawCenteredText(QStringLiteral("słownie złotych"), LeftMm, RightMm, 19.3);
    obj.SetFont(NotePoints, clNone, 0, QString());
    obj.DrawCenteredText(QStringLiteral("grosze"), 58.5, RightMm, 22);
    obj.DrawCenteredText(QStringLiteral("jak wyżej"), 58.5, RightMm, 24.8);

    canvas.Pen.Style = psDot;
    for (double y : {33.0, 40.0, 49.0, 55.0, 62.0, 69.0, 76.0})
        obj.HorizLine(LeftMm, RightMm, y);
    obj.SetFont(LabelPoints, clNone, 0, QString());
    obj.DrawCenteredText(QStringLiteral("wpłacający"), LeftMm, RightMm, 33);
    obj.DrawText(QStringLiteral("Nazwa banku"), LeftMm, 42.3, NoClip, 0);
    obj.DrawText(QStringLiteral("Numer rachunku"), LeftMm, 55.3, NoClip, 0);
    obj.DrawText(QStringLiteral("Nazwa rachunku"), LeftMm, 62.3, NoClip, 0);
}

// The złote and grosze, each centred on its dotted line.
void DrawFigures(const TFormAmount& amount, TBlankObj& obj)
{
    if (!amount.Shown)
        return;
    obj.SetFont(ValuePoints, clNone, 0, QString());
    const double zloteFrom = LeftMm + obj.TextWidth(QStringLiteral("Zł")) + 1;
    const double groszeFrom = 56 + obj.TextWidth(QStringLiteral("gr")) + 1;
    obj.SetFont(FiguresPoints, clNone, 0, QString());
    obj.DrawCenteredText(amount.Zlote, zloteFrom, 55, 7);
    obj.DrawCenteredText(amount.Grosze, groszeFrom, RightMm, 7);
}

void DrawWords(const TFormAmount& amount, TBlankObj& obj)
{
    if (amount.Words.isEmpty())
        return;
    const TWordsLines lines = FitWords(obj, amount.Words, WordsPoints, fsItalic, RightMm - LeftMm,
                                       LowerWordsRightMm - LeftMm);
    obj.DrawCenteredText(lines.First, LeftMm, RightMm, 15);
    obj.DrawCenteredText(lines.Second, LeftMm, LowerWordsRightMm, 23);
}

// The first two lines of a field re-flowed to the coupon's span.
void DrawTwoLines(TBlankObj& obj, const QStringList& field, double y1, double y2)
{
    WorkLines = field;
    obj.WrapText(WorkLines, RightMm - LeftMm, 2);
    obj.DrawCenteredText(WorkLines.value(0), LeftMm, RightMm, y1);
    obj.DrawCenteredText(WorkLines.value(1), LeftMm, RightMm, y2);
}

} // namespace

void untBlWplata::BeginCoupon(const TBlankData& Data, TBlankObj& Obj)
{
    TCanvas& canvas = *Obj.Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWhite;
    Obj.FillRect(0, 0, DepositCouponWidthMm, DepositCouponHeightMm);
    canvas.Brush.Style = bsClear;
    SetPen(Obj, Data.FKolForm, psSolid, 0.5);
}

void DrawDepositCouponFront(const TBlankData& Data, TBlankObj& Obj, int Index)
{
    if (!Obj.Canvas())
        return;
    DrawFrontForm(Data, Obj, Index);
    const TFormAmount amount = FormAmount(Data.FKwota);
    Obj.SetFont(FiguresPoints, Data.FKolTekst, 0, QString());
    DrawFigures(amount, Obj);
    DrawWords(amount, Obj);
    Obj.SetFont(ValuePoints, clNone, fsItalic, QString());
    DrawTwoLines(Obj, Data.FNadawca, 29, 36);
    DrawTwoLines(Obj, Data.FBank, 45, 51);
    Obj.DrawCenteredText(Data.FOdbRach, LeftMm, RightMm, 58);
    DrawTwoLines(Obj, Data.FOdbiorca, 65, 72);
    Obj.SetPenWidth(0);
}
