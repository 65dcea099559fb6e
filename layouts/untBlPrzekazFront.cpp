#include "layouts/untBlPrzekaz.h"

#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"

namespace untBlPrzekaz {

TSectionBox SectionBox;
QStringList WorkLines;

namespace {

const QString FormFace = QStringLiteral("Arial CE");
const QString StreetCaption = QStringLiteral("ulica, nr domu, nr mieszkania, miejscowość");
constexpr double BandStepMm = 0.7;
constexpr double CellWidthMm = 3.75;
constexpr double CellHeightMm = 6.5;
constexpr double CellGapMm = 3.0;
constexpr double DigitTopMm = 1.5;
constexpr int PostcodeCells = 5;
constexpr double NoClip = -1;

// The five cells with the gap after the second, as the digits fill them.
double CellX(double x, int cell)
{
    return x + cell * CellWidthMm + (cell >= 2 ? CellGapMm : 0);
}

void DrawPostcodeCells(TBlankObj& obj, double x, double y)
{
    for (int cell = 0; cell < PostcodeCells; ++cell)
        obj.Rectangle(CellX(x, cell), y, CellX(x, cell) + CellWidthMm, y + CellHeightMm);
}

} // namespace

void SetSection(double X1, double Width)
{
    SectionBox.X1 = X1;
    SectionBox.X2 = X1 + Width;
}

bool SetFormPen(const TBlankData& Data, TBlankObj& Obj)
{
    TCanvas* canvas = Obj.Canvas();
    if (!canvas)
        return false;
    canvas->Pen.Style = psSolid;
    canvas->Pen.Color = Data.FKolForm;
    canvas->Brush.Style = bsClear;
    return true;
}

void DrawStrokes(TBlankObj& Obj, std::initializer_list<TStroke> Strokes)
{
    TCanvas* canvas = Obj.Canvas();
    if (!canvas)
        return;
    for (const TStroke& s : Strokes) {
        switch (s.Kind) {
        case skPen:
            canvas->Pen.Style = TPenStyle(int(s.A));
            Obj.SetPenWidth(s.B);
            break;
        case skHoriz: Obj.HorizLine(s.A, s.B, s.C); break;
        case skVert: Obj.VertLine(s.A, s.B, s.C); break;
        case skRect: Obj.Rectangle(s.A, s.B, s.C, s.D); break;
        case skEllipse: Obj.Ellipse(s.A, s.B, s.C, s.D); break;
        case skBand: DrawThickHorizLine(Obj, 6, s.A, s.B, s.C); break;
        }
    }
}

void DrawFormTexts(const TBlankData& Data, TBlankObj& Obj, std::initializer_list<TFormText> Texts)
{
    double lastEnd = 0;
    for (const TFormText& t : Texts) {
        // Every caption sets its font, which also ends the turn of a rotated one.
        Obj.SetFont(t.Points, Data.FKolForm, t.Style, FormFace);
        switch (t.Place) {
        case tpLeft:
            lastEnd = t.X1 + Obj.DrawText(t.Text, t.X1, t.Y, t.X2, 0);
            break;
        case tpCentred: Obj.DrawCenteredText(t.Text, t.X1, t.X2, t.Y); break;
        case tpRotated: Obj.DrawText(t.Text, t.X1, t.Y, NoClip, 90); break;
        case tpFill: Obj.DrawCenteredText(t.Text, lastEnd, t.X2, t.Y); break;
        }
    }
}

} // namespace untBlPrzekaz

using namespace untBlPrzekaz;

void DrawThickHorizLine(TBlankObj& Obj, int Count, double X1, double X2, double Y)
{
    for (int n = 0; n < Count; ++n) {
        Obj.HorizLine(X1, X2, Y);
        Y += BandStepMm;
    }
}

void DrawPostcode(TBlankObj& Obj, const QString& Code, double X, double Y)
{
    int cell = 0;
    for (const QChar ch : Code) {
        if (cell >= PostcodeCells)
            break;
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            continue;
        const double x = CellX(X, cell);
        Obj.DrawCenteredText(QString(ch), x, x + CellWidthMm, Y + DigitTopMm);
        ++cell;
    }
}

namespace {

void DrawMainPart(const TBlankData& data, TBlankObj& obj)
{
    SectionBox = {4, 4 + 87, 7, 7 + 64};
    const auto [X1, X2, Y1, Y2] = SectionBox;
    DrawStrokes(obj, {
        {skPen, psDot, 0, 0, 0},
        {skVert, 93, Y1, Y2 + 18, 0},
        {skVert, 147, Y1, Y2 + 18, 0},
        // The thick outline steps round the fee box, which the post fills in.
        {skPen, psDot, 0.6, 0, 0},
        {skVert, X1, Y1, Y2, 0},
        {skHoriz, X1, X2 - 19, Y1, 0},
        {skVert, X2 - 19, Y1, Y1 + 8.5, 0},
        {skHoriz, X2 - 19, X2, Y1 + 8.5, 0},
        {skVert, X2, Y1 + 8.5, Y2, 0},
        {skHoriz, X1, X2, Y2, 0},
        {skPen, psDot, 0, 0, 0},
        {skHoriz, X2 - 15, X2 - 9, Y1 + 7, 0},
        {skHoriz, X2 - 5, X2, Y1 + 7, 0},
        {skHoriz, X1 + 2, X2 - 21, Y1 + 7, 0},
        {skHoriz, X1 + 26.5, X2 - 2, Y1 + 14, 0},
        {skHoriz, X1 + 26.5, X2 - 2, Y1 + 21, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 48, 0},
        {skHoriz, X1 + 26.5, X2 - 2, Y1 + 54, 0},
        {skHoriz, X1 + 26.5, X2 - 2, Y1 + 60, 0},
        {skHoriz, X1, X1 + 21, Y2 + 10, 0},
        {skHoriz, X2 - 20, X2 - 1, Y2 + 5, 0},
        {skHoriz, X2 - 20, X2 - 1, Y2 + 13, 0},
        {skPen, psSolid, 0.2, 0, 0},
        {skHoriz, X1 + 26.5, X2 - 2, Y1 + 21.7, 0},
        {skHoriz, X1 + 26.5, X2 - 2, Y1 + 60.7, 0},
        {skRect, X1 + 23, Y2 + 5, X1 + 40, Y2 + 15},
        {skEllipse, X1 + 49, Y2 + 3, X1 + 62, Y2 + 16},
        {skPen, psSolid, 0, 0, 0},
        {skBand, X1 + 36, X2 - 14, Y1 + 27, 0},
        {skBand, X2 - 10, X2 - 2, Y1 + 27, 0},
        {skBand, X1 + 12, X2 - 2, Y1 + 34, 0},
        {skBand, X1 + 2, X2 - 12, Y1 + 39, 0},
    });
    DrawPostcodeCells(obj, X1 + 2, Y1 + 14);
    DrawPostcodeCells(obj, X1 + 2, Y1 + 53);
    DrawStrokes(obj, {
        {skPen, psSolid, 0.2, 0, 0},
        {skHoriz, X1 + 10.2, X1 + 11.8, Y1 + 17.5, 0},
        {skHoriz, X1 + 10.2, X1 + 11.8, Y1 + 56.5, 0},
    });
    DrawFormTexts(data, obj, {
        {QStringLiteral("Opłata"), tpCentred, X2 - 19, X2, Y1, 6, fsBold},
        {QStringLiteral("zł"), tpLeft, X2 - 18, NoClip, Y1 + 5, 6, 0},
        {QStringLiteral("gr"), tpLeft, X2 - 8, NoClip, Y1 + 5, 6, 0},
        {QStringLiteral("Świadczenia dodatkowe"), tpLeft, X1 + 2, NoClip, Y1 + 0.4, 6, 0},
        {QStringLiteral("Nadawca (imię i nazwisko - nazwa)"), tpLeft, X1 + 2, NoClip, Y1 + 7.2, 6, 0},
        {QStringLiteral("Adresat (imię i nazwisko lub nazwa instytucji)"), tpLeft, X1 + 2, NoClip, Y1 + 48.2, 6, 0},
        {StreetCaption, tpLeft, X1 + 26.5, NoClip, Y1 + 14.2, 6, 0},
        {StreetCaption, tpLeft, X1 + 26.5, NoClip, Y1 + 54.2, 6, 0},
        {QStringLiteral("ozn. kodowe"), tpCentred, X1 + 2, X1 + 23.75, Y1 + 20.7, 6, 0},
        {QStringLiteral("ozn. kodowe"), tpCentred, X1 + 2, X1 + 23.75, Y1 + 59.7, 6, 0},
        {QStringLiteral("poczta"), tpCentred, X1 + 26.5, X2 - 2, Y1 + 21.9, 6, 0},
        {QStringLiteral("poczta"), tpCentred, X1 + 26.5, X2 - 2, Y1 + 60.9, 6, 0},
        {QStringLiteral("słownie"), tpLeft, X1 + 2, NoClip, Y1 + 34.5, 6, 0},
        {QStringLiteral("groszy"), tpLeft, X2 - 10, NoClip, Y1 + 38.5, 5, 0},
        {QStringLiteral("jak wyżej"), tpLeft, X2 - 11, NoClip, Y1 + 40.5, 5, 0},
        {QStringLiteral("PRZEKAZ"), tpLeft, X1 + 2, NoClip, Y1 + 25, 10, fsBold},
        {QStringLiteral("POCZTOWY"), tpLeft, X1 + 2, NoClip, Y1 + 28.5, 10, fsBold},
        {QStringLiteral("na zł"), tpLeft, X1 + 28, NoClip, Y1 + 27, 9, 0},
        {QStringLiteral("gr"), tpLeft, X2 - 13.5, NoClip, Y1 + 27, 9, 0},
        {QStringLiteral("Nr nadania"), tpCentred, X1 + 2, X1 + 21, Y2 + 1, 6, 0},
        {QStringLiteral("Stempel okręgowy"), tpCentred, X1 + 21, X1 + 42, Y2 + 1, 6, 0},
        {QStringLiteral("Dzień nadania"), tpRotated, X1 + 44.5, NoClip, Y2 + 16.5, 6, 0},
        {QStringLiteral("podpis przyjm."), tpCentred, X2 - 20, X2 - 1, Y2 + 5.2, 6, 0},
        {QStringLiteral("podpis kontr."), tpCentred, X2 - 20, X2 - 1, Y2 + 13.2, 6, 0},
        {QStringLiteral("Uwaga: Części zakreślone tłustą linią wypełnia nadawca atramentem, długopisem,"),
         tpLeft, X1, NoClip, Y2 + 18, 6, 0},
        {QStringLiteral("drukiem, maszyną do pisania lub za pomocą tuszowego odcisku stempla."), tpLeft, X1, NoClip,
         Y2 + 21, 6, 0},
    });
}

void DrawAddresseeCoupon(const TBlankData& data, TBlankObj& obj)
{
    SetSection(95, 50);
    const auto [X1, X2, Y1, Y2] = SectionBox;
    DrawStrokes(obj, {
        {skPen, psSolid, 0.6, 0, 0},
        {skRect, X1, Y1, X2, Y2},
        {skPen, psDot, 0, 0, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 8, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 15, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 25, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 44, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 52, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 60, 0},
        {skPen, psSolid, 0.2, 0, 0},
        {skHoriz, X1 + 18, X2 - 2, Y1 + 25.7, 0},
        {skHoriz, X1 + 18, X2 - 2, Y1 + 60.7, 0},
        {skEllipse, X1 + 7, Y2 + 3, X1 + 20, Y2 + 16},
        {skPen, psSolid, 0, 0, 0},
        {skBand, X1 + 7, X2 - 14, Y1 + 31, 0},
        {skBand, X2 - 10, X2 - 2, Y1 + 31, 0},
    });
    DrawFormTexts(data, obj, {
        {QStringLiteral("Odcinek dla adresata"), tpCentred, X1, X2, Y1 + 1, 7, fsBold},
        {QStringLiteral("Nadawca (imię i nazwisko - nazwa)"), tpCentred, X1, X2, Y1 + 8.2, 6, 0},
        {QStringLiteral("Adresat (imię i nazwisko - nazwa)"), tpCentred, X1, X2, Y1 + 44.2, 6, 0},
        {StreetCaption, tpCentred, X1, X2, Y1 + 15.2, 6, 0},
        {StreetCaption, tpCentred, X1, X2, Y1 + 52.2, 6, 0},
        {QStringLiteral("ozn. kodowe"), tpCentred, X1 + 2, X1 + 18, Y1 + 25.2, 6, 0},
        {QStringLiteral("ozn. kodowe"), tpCentred, X1 + 2, X1 + 18, Y1 + 60.2, 6, 0},
        {QStringLiteral("poczta"), tpCentred, X1 + 18, X2 - 2, Y1 + 25.9, 6, 0},
        {QStringLiteral("poczta"), tpCentred, X1 + 18, X2 - 2, Y1 + 60.9, 6, 0},
        {QStringLiteral("A D R E S A T"), tpLeft, X1 + 2, NoClip, Y1 + 37, 6, 0},
        {QStringLiteral("zł"), tpLeft, X1 + 2, NoClip, Y1 + 31, 9, fsBold},
        {QStringLiteral("gr"), tpCentred, X2 - 14, X2 - 10, Y1 + 31, 9, fsBold},
        {QStringLiteral("Dzień nadania"), tpRotated, X1 + 0.5, NoClip, Y2 + 16.5, 6, 0},
    });
}

void DrawSenderReceipt(const TBlankData& data, TBlankObj& obj)
{
    SetSection(149, 53);
    const auto [X1, X2, Y1, Y2] = SectionBox;
    DrawStrokes(obj, {
        {skPen, psSolid, 0.6, 0, 0},
        {skRect, X1, Y1, X2, Y2},
        {skPen, psDot, 0, 0, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 15, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 22, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 28.5, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 44, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 52, 0},
        {skHoriz, X1 + 2, X2 - 2, Y1 + 60, 0},
        {skHoriz, X1 + 22, X1 + 28, Y2 + 8, 0},
        {skHoriz, X1 + 32, X1 + 36, Y2 + 8, 0},
        {skHoriz, X1 + 20, X1 + 36, Y2 + 14, 0},
        {skHoriz, X2 - 15, X2, Y2 + 11, 0},
        {skPen, psSolid, 0.2, 0, 0},
        {skHoriz, X1 + 18, X2 - 2, Y1 + 29.2, 0},
        {skHoriz, X1 + 18, X2 - 2, Y1 + 60.7, 0},
        {skEllipse, X1 + 4, Y2 + 3, X1 + 17, Y2 + 16},
        {skPen, psSolid, 0, 0, 0},
        {skBand, X1 + 7, X2 - 14, Y1 + 35, 0},
        {skBand, X2 - 10, X2 - 2, Y1 + 35, 0},
    });
    DrawFormTexts(data, obj, {
        {QStringLiteral("Starannie przechowywać"), tpCentred, X1, X2, Y1 + 1, 7, fsBold},
        {QStringLiteral("Dowód nadania przekazu"), tpCentred, X1, X2, Y1 + 4, 7, 0},
        {QStringLiteral("pocztowego (pokwitowanie)"), tpCentred, X1, X2, Y1 + 7, 7, 0},
        {QStringLiteral("Nadawca (imię i nazwisko - nazwa)"), tpCentred, X1, X2, Y1 + 15.2, 6, 0},
        {QStringLiteral("Adresat (imię i nazwisko - nazwa)"), tpCentred, X1, X2, Y1 + 44.2, 6, 0},
        {StreetCaption, tpCentred, X1, X2, Y1 + 22.2, 6, 0},
        {StreetCaption, tpCentred, X1, X2, Y1 + 52.2, 6, 0},
        {QStringLiteral("ozn. kodowe"), tpCentred, X1 + 2, X1 + 18, Y1 + 28.7, 6, 0},
        {QStringLiteral("ozn. kodowe"), tpCentred, X1 + 2, X1 + 18, Y1 + 60.2, 6, 0},
        {QStringLiteral("poczta"), tpCentred, X1 + 18, X2 - 2, Y1 + 29.4, 6, 0},
        {QStringLiteral("poczta"), tpCentred, X1 + 18, X2 - 2, Y1 + 60.9, 6, 0},
        {QStringLiteral("zł"), tpLeft, X1 + 2, NoClip, Y1 + 35, 9, fsBold},
        {QStringLiteral("gr"), tpCentred, X2 - 14, X2 - 10, Y1 + 35, 9, fsBold},
        {QStringLiteral("Opłata"), tpCentred, X1 + 20, X1 + 36, Y2 + 1, 6, fsBold},
        {QStringLiteral("zł"), tpLeft, X1 + 20, NoClip, Y2 + 6, 6, 0},
        {QStringLiteral("gr"), tpLeft, X1 + 29, NoClip, Y2 + 6, 6, 0},
        {QStringLiteral("podpis przyjm."), tpCentred, X1 + 20, X1 + 36, Y2 + 14.2, 6, 0},
        {QStringLiteral("Dzień nadania"), tpRotated, X1 + 0.5, NoClip, Y2 + 16.5, 6, 0},
        {QStringLiteral("Nr nadania"), tpCentred, X2 - 15, X2, Y2 + 1, 6, 0},
    });
}

} // namespace

void DrawMoneyOrderFrontForm(const TBlankData& Data, TBlankObj& Obj)
{
    if (!SetFormPen(Data, Obj))
        return;
    DrawMainPart(Data, Obj);
    DrawAddresseeCoupon(Data, Obj);
    DrawSenderReceipt(Data, Obj);
}
