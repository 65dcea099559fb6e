#include "layouts/untBlCzerwony.h"

#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"

#include <initializer_list>

namespace {

const QString FormFace = QStringLiteral("Arial CE");
const QString HeavyFace = QStringLiteral("Arial Black");

constexpr double HairlineMm = 0;
constexpr double ThickMm = 0.6;
constexpr double FrameMm = 0.15;
constexpr double CrossMm = 0.5;
constexpr double LegendStepMm = 1.85;

QString CouponCaption(TPrzelewWplata mode, int coupon)
{
    static const char* const deposit[] = {"odcinek dla banku", "odcinek dla posiadacza rachunku",
                                          "odcinek dla wpłacającego",
                                          "odcinek dla instytucji przyjmującej zlecenie"};
    static const char* const transfer[] = {"odcinek dla banku odbiorcy", "odcinek dla odbiorcy",
                                           "odcinek dla zleceniodawcy", "odcinek dla banku zleceniodawcy"};
    if (coupon < 0 || coupon > 3)
        return QString();
    return QString::fromUtf8(mode == pwWplata ? deposit[coupon] : transfer[coupon]);
}

QString FormTitle(TPrzelewWplata mode)
{
    switch (mode) {
    case pwWplata: return QStringLiteral("Wpłata gotówkowa");
    case pwPrzelew: return QStringLiteral("Polecenie przelewu");
    default: return QStringLiteral("Polecenie przelewu / Wpłata gotówkowa");
    }
}

void DrawColumn(TBlankObj& obj, double x, double y, std::initializer_list<const char*> lines)
{
    for (const char* line : lines) {
        obj.DrawText(QString::fromUtf8(line), x, y, -1, 0);
        y += LegendStepMm;
    }
}

void DrawZusBackground(const TBlankData& data, TBlankObj& obj, TCanvas& canvas)
{
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = TBlankObj::HalfColorB(data.FKolForm);
    DrawZusLogoPath(obj, 1, 12);
    DrawZusLogoPath(obj, 13, 28);
    DrawZusLogoPath(obj, 29, 36);
    canvas.Brush.Style = bsClear;
    obj.SetFont(12, data.FKolTekst, fsBold, FormFace);
    obj.DrawText(QStringLiteral("Zakład Ubezpieczeń Społecznych"), GridLeft + 2, GridTop + 2.5, -1, 0);
    obj.SetFont(10, data.FKolForm, 0, FormFace);
    obj.DrawText(QStringLiteral("Należności z tytułu skladek"), GridLeft + 12, GridTop + 9, -1, 0);
    obj.SetFont(5, data.FKolForm, 0, FormFace);
    DrawColumn(obj, ColX(15) - 2, GridTop + 1.5,
               {"07. Typ drugiego", "identyfikatora", "R - REGON", "P - PESEL", "1 - Dowód osobisty",
                "2 - Paszport"});
    DrawColumn(obj, ColX(18) - 1, GridTop + 1.5,
               {"01. Numer rachunku ZUS", "Ubezpieczenie społeczne",
                "  - wpisać 83 w 1 i 2 kratce oraz 1 w 21 kratce", "Ubezpieczenie zdrowotne",
                "  - wpisać 78 w 1 i 2 kratce oraz 2 w 21 kratce",
                "FP i FGŚP - wpisać 73 w 1 i 2 kratce oraz 3 w 21 kratce",
                "FEP - wpisać 68 w 1 i 2 kratce oraz 4 w 21 kratce"});
    DrawColumn(obj, ColX(22) + 3, RowY(10) - 0.5,
               {"09. Typ wpłaty", "S - Składka za 1 miesiąc", "M - Składka dłuższa niż m-c",
                "U - Układ ratalny", "T - Odroczenie terminu", "D - Dodatkowa opłata",
                "E - Koszty egzekucyjne", "A - Dodatkowa opłata", "za błędy płatnika"});
}

void DrawTaxBackground(const TBlankData& data, TBlankObj& obj, TCanvas& canvas)
{
    canvas.Brush.Style = bsClear;
    obj.SetFont(75, TBlankObj::HalfColorB(data.FKolForm), 0, HeavyFace);
    const QString word = QStringLiteral("PODATKI");
    const double w = obj.TextWidth(word);
    obj.DrawText(word, GridLeft + ((GridRight - GridLeft) - w) / 2, 30.0, -1, 0);
    obj.SetFont(5, data.FKolForm, 0, FormFace);
    const double x = ColX(22) + 3;
    DrawColumn(obj, x, RowY(10) - 0.5,
               {"Typ identyfikatora: N - NIP,", "R - REGON, P - PESEL,", "1 - Dowód osobisty, 2 - Paszport,",
                "3 - Inny dokument potwierdzający", "tożsamość"});
    // The period legend stands a little apart from the identifier legend.
    DrawColumn(obj, x, RowY(10) - 0.5 + 4 * LegendStepMm + LegendStepMm + 0.6,
               {"Typ okresu, np. R - rok,", "P - półrocze, K - kwartał,", "M - miesiąc, D - dekada,",
                "J - dzień"});
}

void DrawThickOutlines(const TBlankData& data, TBlankObj& obj, TCanvas& canvas)
{
    const quint16 kind = data.FKind;
    const TPrzelewWplata mode = data.FPrzelewWplata;
    obj.SetPenWidth(ThickMm);
    canvas.Brush.Style = bsClear;
    canvas.Pen.Color = data.FKolForm;
    obj.Rectangle(GridLeft + 0.3, RowY(2) - 1, ColX(26) + 0.2, RowY(3) - 1);
    obj.Rectangle(GridLeft + 75, RowY(3) - 1, GridRight - 0.3, RowY(4) - 1);
    const double xr = mode == pwPrzelew ? ColX(26) : GridRight - 0.3;
    const double bottom = RowY(5) - 1;
    obj.VertLine(GridLeft + 0.3, RowY(3) - 1, bottom);
    obj.HorizLine(GridLeft + 0.3, xr, bottom);
    obj.VertLine(xr, RowY(4) - 1, bottom);
    if (kind == bkTransferZus)
        obj.HorizLine(ColX(12), xr, 78.0);
    // Digit groups of the account numbers: after the check digits, then every four.
    for (int c = 2; c <= 22; c += 4)
        obj.VertLine(ColX(c), RowY(3) - 1, RowY(3) - 3.5);
    if (mode != pwWplata)
        for (int c = 2; c <= 26; c += 4)
            obj.VertLine(ColX(c), bottom, bottom - 2.5);
    if (kind == bkTransferZus) {
        obj.VertLine(ColX(7), 78.0, 72.0);
        for (int c = 12; c <= 26; ++c)
            obj.VertLine(ColX(c), 78.0, 75.5);
    } else if (kind == bkTransferTax) {
        obj.VertLine(ColX(14), 61.0, 69.5);
        obj.VertLine(ColX(18), 61.0, 69.5);
        for (int c : {21, 22, 24})
            obj.VertLine(ColX(c), 69.5, 63.5);
        obj.VertLine(ColX(7), 69.5, 78.0);
    }
}

QString Row4Label(quint16 kind, TPrzelewWplata mode)
{
    static const char* const labels[3][3] = {
        // pwNone, pwWplata, pwPrzelew
        {" nr rachunku zleceniodawcy (przelew) / kwota słownie (wpłata) ", " kwota słownie ",
         " nr rachunku zleceniodawcy "},
        {" 04. Nr rachunku bankowego płatnika (przelew) / kwota słownie (wpłata) ", " 04. Kwota słownie ",
         " 04. Nr rachunku bankowego płatnika "},
        {" 06. Nr rachunku bankowego zobowiązanego (przelew) / kwota słownie (wpłata) ", " 06. Kwota słownie ",
         " 06. Nr rachunku bankowego zobowiązanego "},
    };
    const int family = kind == bkTransferZus ? 1 : kind == bkTransferTax ? 2 : 0;
    const int m = mode == pwWplata ? 1 : mode == pwPrzelew ? 2 : 0;
    return QString::fromUtf8(labels[family][m]);
}

void DrawRowLabels(const TBlankData& data, TBlankObj& obj)
{
    const quint16 kind = data.FKind;
    const double x = GridLeft + 1;
    auto label = [&](const char* text, double lx, double y) { obj.DrawText(QString::fromUtf8(text), lx, y, -1, 0); };
    auto rowTop = [](int r) { return RowY(r) - 0.5; };
    if (kind == bkTransferZus) {
        label(" 01. Nr rachunku bankowego ZUS ", x, rowTop(2));
        label(" waluta ", ColX(11) + 1, rowTop(3));
        label(" 03. Kwota ", ColX(15) + 1, rowTop(3));
        obj.DrawText(Row4Label(kind, data.FPrzelewWplata), x, rowTop(4), -1, 0);
        const char* payer = " 05. Nazwa skrócona płatnika lub imię i nazwisko płatnika ";
        label(payer, x, rowTop(5));
        obj.DrawText(QString::fromUtf8(payer) + QStringLiteral("c.d. "), x, rowTop(6), -1, 0);
        label(" 06. NIP płatnika ", x, rowTop(7));
        label(" 07. ", ColX(11) + 1, rowTop(7));
        label(" 08. Drugi identyfikator płatnika ", ColX(13) + 1, rowTop(7));
        label(" 09. ", x, rowTop(8));
        label(" 10. Nr deklaracji ", ColX(2) - 1, rowTop(8));
        label(" 11. Deklaracja ", ColX(5) + 1, rowTop(8));
        label(" 12. Nr decyzji/umowy/tytułu wykonawczego ", ColX(12) + 1, rowTop(8));
    } else if (kind == bkTransferTax) {
        label(" 01. Nazwa organu podatkowego ", x, RowY(0));
        label(" 02. Nazwa organu podatkowego cd. ", x, rowTop(1));
        label(" 03. Nr rachunku bankowego organu podatkowego ", x, rowTop(2));
        label(" waluta ", ColX(11) + 1, rowTop(3));
        label(" 05. Kwota ", ColX(15) + 1, rowTop(3));
        obj.DrawText(Row4Label(kind, data.FPrzelewWplata), x, rowTop(4), -1, 0);
        label(" 07. Nazwa i adres zobowiązanego ", x, rowTop(5));
        label(" 08. Nazwa i adres zobowiązanego c.d. ", x, rowTop(6));
        label(" 09. NIP lub identyfikator uzupełniający zobowiązanego ", x, rowTop(7));
        label(" 10. Typ identyfikatora ", ColX(14) + 1, rowTop(7));
        label(" 11. Okres (rok / typ okresu / numer) ", ColX(18) + 1, rowTop(7));
        label(" 12. Symbol formularza lub płatności ", x, rowTop(8));
        label(" 13. Identyfikacja zobowiązania (rodzaj dokumentu, np. decyzja, tytuł wykonawczy, postanowienie) ",
              ColX(7) + 1, rowTop(8));
    } else {
        label(" nazwa odbiorcy ", x, RowY(0));
        label(" nazwa odbiorcy cd. ", x, rowTop(1));
        label(" nr rachunku odbiorcy ", x, rowTop(2));
        label(" waluta ", ColX(11) + 1, rowTop(3));
        label(" kwota ", ColX(15) + 1, rowTop(3));
        obj.DrawText(Row4Label(kind, data.FPrzelewWplata), x, rowTop(4), -1, 0);
        label(" nazwa zleceniodawcy ", x, rowTop(5));
        label(" nazwa zleceniodawcy c.d. ", x, rowTop(6));
        label(" tytułem ", x, rowTop(7));
        label(" tytułem cd. ", x, rowTop(8));
    }
}

void DrawLowerStrip(const TBlankData& data, TBlankObj& obj, TCanvas& canvas)
{
    const quint16 kind = data.FKind;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWhite;
    obj.SetPenWidth(FrameMm);
    obj.Rectangle(GridLeft + 90, RowY(9) + 2, GridLeft + 111.5, RowY(9) + 23.5);
    obj.Ellipse(GridLeft + 95, RowY(9) + 7, GridLeft + 106.5, RowY(9) + 18.5);
    obj.Rectangle(GridLeft, RowY(9) + 2, GridLeft + 68, RowY(9) + 23.5);

    canvas.Brush.Style = bsClear;
    obj.SetFont(5, data.FKolForm, 0, FormFace);
    auto centred = [&](const char* text, double y) {
        const QString t = QString::fromUtf8(text);
        obj.DrawText(t, GridLeft + (68 - obj.TextWidth(t)) / 2, y, -1, 0);
    };
    if (kind == bkTransferZus) {
        centred("Nazwisko, imię i adres wpłacającego lub", 97.5);
        centred("pieczęć, podpis(y) zleceniodawcy", 100.0);
    } else if (kind == bkTransferTax) {
        centred("14. Pieczęć, data i podpis zobowiązanego", 100.0);
    } else {
        centred("pieczęć, data i podpis(y) zleceniodawcy", 100.0);
    }
    obj.SetFont(6, data.FKolForm, 0, FormFace);
    obj.DrawText(kind == bkTransferTax ? QStringLiteral("15. Opłata") : QStringLiteral("Opłata"), GridLeft + 69,
                 RowY(10) + 2, -1, 0);
    for (int i = 0; i < 4; ++i)
        obj.Rectangle(ColX(14 + i) - 1, RowY(10) + 6, ColX(15 + i) - 1, RowY(10) + 11.8);
    obj.SetPenWidth(CrossMm);
    obj.VertLine(ColX(16) - 1, RowY(10) + 6.2, RowY(10) + 11.6);
}

void DrawCornerMarks(TBlankObj& obj, TCanvas& canvas)
{
    obj.SetPenWidth(ThickMm);
    canvas.Pen.Color = clBlack;
    obj.HorizLine(GridLeft - 2, GridLeft + 6, RowY(0));
    obj.VertLine(GridLeft - 2, RowY(0), RowY(0) + 8);
    obj.HorizLine(GridRight - 6, GridRight + 2, RowY(0));
    obj.VertLine(GridRight + 2, RowY(0), RowY(0) + 8);
    obj.HorizLine(GridLeft - 2, GridLeft + 6, RowY(9) + 1);
    obj.VertLine(GridLeft - 2, RowY(9) + 1, RowY(9) - 7);
}

} // namespace

void DrawTransferTemplate(const TBlankData& Data, TBlankObj& Obj, int Coupon)
{
    TCanvas* canvasPtr = Obj.Canvas();
    if (!canvasPtr)
        return;
    TCanvas& canvas = *canvasPtr;
    const quint16 kind = Data.FKind;
    const TPrzelewWplata mode = Data.FPrzelewWplata;
    const TColor kolForm = Data.FKolForm;

    Obj.SetPenWidth(HairlineMm);
    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = kolForm;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = TBlankObj::HalfColorA(kolForm);

    GridLeft = 7.5;
    GridRight = GridLeft + 135;
    GridTop = 2.5;
    GridBottom = RowY(10);
    if (kind == bkTransferZus || kind == bkTransferTax)
        GridBottom -= 1.2;

    Obj.FillRect(GridLeft, GridTop, GridRight, GridBottom);
    DrawCellBoxes(Data, Obj, false, false, true);
    if (kind == bkTransferZus)
        DrawZusBackground(Data, Obj, canvas);
    else if (kind == bkTransferTax)
        DrawTaxBackground(Data, Obj, canvas);
    DrawCellBoxes(Data, Obj, true, true, false);

    // The W and P boxes; their corners are given bottom first.
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWhite;
    canvas.Pen.Color = kolForm;
    Obj.Rectangle(ColX(8), RowY(4) - 1.5, ColX(9) - 0.6, RowY(4) - 6.7);
    Obj.Rectangle(ColX(9), RowY(4) - 1.5, ColX(10) - 0.6, RowY(4) - 6.7);

    DrawThickOutlines(Data, Obj, canvas);

    Obj.SetFont(5, kolForm, 0, FormFace);
    canvas.Brush.Style = bsClear;
    DrawRowLabels(Data, Obj);

    Obj.SetFont(8, clNone, 0, QString());
    const QString caption = CouponCaption(mode, Coupon);
    Obj.DrawText(caption, ColX(27) + 2, (RowY(10) + Obj.TextWidth(caption)) / 2, -1, 90);
    const QString title = FormTitle(mode);
    Obj.DrawText(title, 2.0, (RowY(9) + Obj.TextWidth(title)) / 2, -1, 90);

    Obj.SetFont(11, kolForm, 0, QString());
    canvas.Brush.Style = bsClear;
    Obj.DrawText(QStringLiteral("W"), ColX(8) + 0.3, RowY(3) + 2.2, -1, 0);
    Obj.DrawText(QStringLiteral("P"), ColX(9) + 0.9, RowY(3) + 2.2, -1, 0);

    if (mode != pwNone) {
        Obj.SetPenWidth(CrossMm);
        canvas.Pen.Color = Data.FKolTekst;
        const double x1 = mode == pwWplata ? ColX(9) : ColX(8);
        const double x2 = x1 + 4.5;
        Obj.Line(x1, RowY(3) + 2, x2, RowY(4) - 1.5);
        Obj.Line(x2, RowY(3) + 2, x1, RowY(4) - 1.5);
    }

    Obj.SetPenWidth(FrameMm);
    canvas.Pen.Color = kolForm;
    canvas.Brush.Style = bsClear;
    Obj.Rectangle(GridLeft, GridTop, GridRight, GridBottom);
    Obj.HorizLine(0, GridLeft, GridTop);
    Obj.HorizLine(0, GridRight, RowY(9));
    Obj.HorizLine(GridRight, CouponWidthMm, GridBottom);

    DrawLowerStrip(Data, Obj, canvas);
    DrawCornerMarks(Obj, canvas);
}
