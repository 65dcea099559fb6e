#include "layouts/untBlPrzekaz.h"

#include "drawing/BlankData.h"
#include "drawing/FormAmount.h"
#include "drawing/untBlankObj.h"
#include "layouts/WordsSplit.h"

using namespace untBlPrzekaz;

namespace {

constexpr int FiguresPoints = 12;
constexpr int MainTextPoints = 10;
constexpr int CouponTextPoints = 8;
constexpr int TitlePoints = 8;
constexpr int WordsPoints = 8;
constexpr double TitleStepMm = 4.0;
constexpr int TitleWrappedLines = 10;

void SetSize(TBlankObj& obj, int points)
{
    obj.SetFont(points, clNone, 0, QString());
}

QString FirstLine(TBlankObj& obj, const QStringList& field, double widthMm)
{
    WorkLines = field;
    obj.WrapText(WorkLines, widthMm, 1);
    return WorkLines.value(0);
}

// Złote centred between x1 and x2, grosze between X2 - 10 and X2 - 2.
void DrawFigures(const TFormAmount& amount, TBlankObj& obj, double x1, double x2, double top)
{
    if (!amount.Shown)
        return;
    obj.DrawCenteredText(amount.Zlote, x1, x2, top);
    obj.DrawCenteredText(amount.Grosze, SectionBox.X2 - 10, SectionBox.X2 - 2, top);
}

void DrawWords(const TFormAmount& amount, TBlankObj& obj)
{
    const auto [X1, X2, Y1, Y2] = SectionBox;
    const double widthMm = (X2 - 2) - (X1 + 12);
    if (amount.Words.isEmpty())
        return;
    // Smaller sizes only when the second line would lose words; both spans are
    // as wide: 89 - 16 and 79 - 6 mm.
    const TWordsLines lines = FitWords(obj, amount.Words, {WordsPoints, 7, 6}, 0, widthMm, widthMm);
    if (!lines.Split) {
        obj.DrawCenteredText(lines.First, X1 + 12, X2 - 2, Y1 + 34);
        return;
    }
    obj.DrawText(lines.First, X1 + 12, Y1 + 34, X2 - 2, 0);
    obj.DrawText(lines.Second, X1 + 2, Y1 + 39, X2 - 12, 0);
}

void DrawMainPartValues(const TBlankData& data, const TFormAmount& amount, TBlankObj& obj)
{
    SectionBox = {4, 4 + 87, 7, 7 + 64};
    const auto [X1, X2, Y1, Y2] = SectionBox;
    obj.SetFont(FiguresPoints, data.FKolTekst, 0, QString());
    DrawFigures(amount, obj, X1 + 36, X2 - 14, Y1 + 26.5);
    SetSize(obj, WordsPoints);
    DrawWords(amount, obj);
    SetSize(obj, MainTextPoints);
    const double h = obj.TextHeight();
    obj.DrawText(FirstLine(obj, data.FNadawca, (X2 - 21) - (X1 + 2)), X1 + 2, Y1 + 7 - h, X2 - 21, 0);
    obj.DrawText(data.FNadAdres, X1 + 26.5, Y1 + 14 - h, X2 - 2, 0);
    obj.DrawText(data.FNadPoczta, X1 + 26.5, Y1 + 21 - h, X2 - 2, 0);
    DrawPostcode(obj, data.FNadKod, X1 + 2, Y1 + 14);
    obj.DrawText(FirstLine(obj, data.FOdbiorca, (X2 - 2) - (X1 + 2)), X1 + 2, Y1 + 48 - h, X2 - 2, 0);
    obj.DrawText(data.FOdbAdres, X1 + 26.5, Y1 + 54 - h, X2 - 2, 0);
    obj.DrawText(data.FOdbPoczta, X1 + 26.5, Y1 + 60 - h, X2 - 2, 0);
    DrawPostcode(obj, data.FOdbKod, X1 + 2, Y1 + 53);
}

// Where the coupon and the receipt differ: their left edge, width and the
// lines of the amount and of the sender, from the section's top.
struct TCouponRows {
    double X1, Width, Figures, SenderName, SenderStreet, SenderPost;
};

void DrawCouponValues(const TBlankData& data, const TFormAmount& amount, TBlankObj& obj, const TCouponRows& rows)
{
    SectionBox.X1 = rows.X1;
    SectionBox.X2 = rows.X1 + rows.Width;
    const auto [X1, X2, Y1, Y2] = SectionBox;
    obj.SetFont(FiguresPoints, data.FKolTekst, 0, QString());
    DrawFigures(amount, obj, X1 + 7, X2 - 14, Y1 + rows.Figures);
    SetSize(obj, CouponTextPoints);
    const double h = obj.TextHeight();
    const double nameWidth = (X2 - 2) - (X1 + 2);
    const double top = Y1; // a lambda may not capture a structured binding in C++17
    const auto on = [&](const QString& t, double x1, double x2, double line) {
        obj.DrawCenteredText(t, x1, x2, top + line - h);
    };
    on(FirstLine(obj, data.FNadawca, nameWidth), X1 + 2, X2 - 2, rows.SenderName);
    on(data.FNadAdres, X1 + 2, X2 - 2, rows.SenderStreet);
    on(data.FNadKod, X1 + 2, X1 + 18, rows.SenderPost);
    on(data.FNadPoczta, X1 + 18, X2 - 2, rows.SenderPost);
    on(FirstLine(obj, data.FOdbiorca, nameWidth), X1 + 2, X2 - 2, 44);
    on(data.FOdbAdres, X1 + 2, X2 - 2, 52);
    on(data.FOdbKod, X1 + 2, X1 + 18, 60);
    on(data.FOdbPoczta, X1 + 18, X2 - 2, 60);
}

} // namespace

void DrawMoneyOrderFront(const TBlankData& Data, TBlankObj& Obj)
{
    DrawMoneyOrderFrontForm(Data, Obj);
    if (!Obj.Canvas())
        return;
    const TFormAmount amount = FormAmount(Data.FKwota);
    DrawMainPartValues(Data, amount, Obj);
    DrawCouponValues(Data, amount, Obj, {95, 50, 30.5, 8, 15, 25});
    DrawCouponValues(Data, amount, Obj, {149, 53, 34.5, 15, 22, 28.5});
}

void DrawMoneyOrderBack(const TBlankData& Data, TBlankObj& Obj)
{
    DrawMoneyOrderBackForm(Data, Obj);
    if (!Obj.Canvas())
        return;
    SectionBox.X1 = 95;
    SectionBox.X2 = 95 + 50;
    const auto [X1, X2, Y1, Y2] = SectionBox;
    Obj.SetFont(TitlePoints, Data.FKolTekst, 0, QString());
    WorkLines = Data.FTytul;
    Obj.WrapText(WorkLines, (X2 - X1) - 4, TitleWrappedLines);
    const double h = Obj.TextHeight();
    double y = Y1 + 8;
    // A long title stops at the box's bottom edge instead of running off the form.
    for (int i = 0; i < WorkLines.size() && y + h <= Y2; ++i, y += TitleStepMm)
        Obj.DrawText(WorkLines[i], X1 + 2, y, X2 - 2, 0);
}
