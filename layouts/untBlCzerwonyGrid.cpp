#include "layouts/untBlCzerwony.h"

#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "layouts/ZusLogo.h"

double GridLeft = 0;
double GridTop = 0;
double GridRight = 0;
double GridBottom = 0;
QStringList WorkLines;

namespace {

// Cell boxes leave a strip above them for the row's label and a little below.
constexpr double CellTopInsetMm = 1.5;
constexpr double CellBottomInsetMm = 1.2;
// Where the logo's top-left corner lies within the box area.
constexpr double LogoLeftMm = 18.0;
constexpr double LogoTopMm = 23.0;

} // namespace

double RowY(int Row)
{
    return Row * RowPitchMm + GridTop;
}

double ColX(int Col)
{
    return Col * CellPitchMm + GridLeft;
}

double CellTextY(TBlankObj& BlankObj, int Row)
{
    return RowY(Row) + (RowPitchMm - BlankObj.TextHeight() + 0.3) / 2;
}

TCharSet::TCharSet(const char* members)
{
    for (const char* c = members; *c; ++c)
        m_bits.set(static_cast<unsigned char>(*c));
}

bool TCharSet::Admits(QChar ch) const
{
    if (IsEmpty())
        return true;
    return ch.unicode() < 256 && m_bits.test(ch.unicode());
}

const TCharSet& AnyChars()
{
    static const TCharSet set;
    return set;
}

const TCharSet& DigitChars()
{
    static const TCharSet set("0123456789");
    return set;
}

const TCharSet& DigitBlankChars()
{
    static const TCharSet set(" 0123456789");
    return set;
}

const TCharSet& ZusIdTypeChars()
{
    static const TCharSet set("12PR");
    return set;
}

const TCharSet& AlnumChars()
{
    static const TCharSet set("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return set;
}

const TCharSet& UpperChars()
{
    static const TCharSet set("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return set;
}

const TCharSet& TaxIdTypeChars()
{
    static const TCharSet set("123NPR");
    return set;
}

const TCharSet& PeriodChars()
{
    static const TCharSet set("0123456789DJKMPR");
    return set;
}

const TCharSet& FormSymbolChars()
{
    static const TCharSet set("-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return set;
}

void DrawCellText(TBlankObj& BlankObj, const QString& Text, int Col, int Row, int MaxChars,
                  const TCharSet& Allowed)
{
    int n = 1;
    for (const QChar ch : Text) {
        if (n > MaxChars)
            return;
        if (!Allowed.Admits(ch))
            continue;
        const QString one(ch);
        const double w = BlankObj.TextWidth(one);
        BlankObj.DrawText(one, ColX(Col) + (CellPitchMm - w) / 2, CellTextY(BlankObj, Row), -1, 0);
        ++n;
        if (++Col == GridColumns) {
            Col = 0;
            ++Row;
        }
    }
}

void DrawZusLogoPath(TBlankObj& Obj, int First, int Last)
{
    TCanvas* canvas = Obj.Canvas();
    if (!canvas)
        return;
    auto device = [&](const int (&p)[2]) {
        return QPoint(Obj.MM2Pixel(Obj.OriginX() + GridLeft + LogoLeftMm + p[0] / double(ZusLogoUnitsPerMm)),
                      Obj.MM2Pixel(Obj.OriginY() + GridTop + LogoTopMm
                                   + (ZusLogoTop - p[1]) / double(ZusLogoUnitsPerMm)));
    };
    canvas->BeginPath();
    for (int i = First; i <= Last; ++i) {
        if (i < 1 || i > int(ZusLogoSegments.size()))
            continue;
        const TBezierSegment& s = ZusLogoSegments[i - 1];
        if (i == First) {
            const QPoint start = device(s.p[0]);
            canvas->MoveTo(start.x(), start.y());
        }
        const QPoint curve[3] = {device(s.p[1]), device(s.p[2]), device(s.p[3])};
        canvas->PolyBezierTo(curve, 3);
    }
    canvas->EndPath();
    canvas->FillPath();
}

void DrawCellBox(const TBlankData& Data, TBlankObj& Obj, int Row, int Col, int Count, bool Frame, bool Separators,
                 bool Fill)
{
    if (!Frame && !Separators && !Fill)
        return;
    TCanvas* canvas = Obj.Canvas();
    if (!canvas)
        return;
    canvas->Brush.Color = clWhite;
    canvas->Brush.Style = bsSolid;
    canvas->Pen.Color = Data.FKolForm;
    const double x1 = ColX(Col);
    const double x2 = ColX(Col + Count);
    const double y1 = RowY(Row) + CellTopInsetMm;
    const double y2 = RowY(Row + 1) - CellBottomInsetMm;
    if (Fill)
        Obj.FillRect(x1, y1, x2, y2);
    canvas->Brush.Style = bsClear;
    if (Frame)
        Obj.Rectangle(x1, y1, x2, y2);
    if (Separators)
        for (int k = 1; k < Count; ++k)
            Obj.VertLine(ColX(Col + k), y1, y2);
}

void DrawCellBoxes(const TBlankData& Data, TBlankObj& Obj, bool Frame, bool Separators, bool Fill)
{
    const quint16 kind = Data.FKind;
    const bool zus = kind == bkTransferZus;
    // The ZUS logo must not show inside the cells of rows 2 to 5.
    const bool fillUnderLogo = zus || Fill;
    auto run = [&](int row, int col, int count, bool fill, bool separators) {
        DrawCellBox(Data, Obj, row, col, count, Frame, separators, fill);
    };
    if (!zus) {
        run(0, 0, 27, Fill, Separators);
        run(1, 0, 27, Fill, Separators);
    }
    run(2, 0, 26, fillUnderLogo, Separators);
    run(3, 11, 3, fillUnderLogo, Separators);
    run(3, 15, 12, fillUnderLogo, Separators);
    switch (Data.FPrzelewWplata) {
    case pwPrzelew: run(4, 0, 26, fillUnderLogo, Separators); break;
    case pwWplata: run(4, 0, 27, fillUnderLogo, false); break;
    default: run(4, 0, 27, fillUnderLogo, Separators); break;
    }
    run(5, 0, 27, fillUnderLogo, Separators);
    run(6, 0, 27, Fill, Separators);
    if (zus) {
        run(7, 0, 10, Fill, Separators);
        run(7, 11, 1, Fill, Separators);
        run(7, 13, 14, Fill, Separators);
        run(8, 0, 1, Fill, Separators);
        run(8, 2, 2, Fill, Separators);
        run(8, 5, 6, Fill, Separators);
        run(8, 12, 15, Fill, Separators);
    } else if (kind == bkTransferTax) {
        run(7, 0, 14, Fill, Separators);
        run(7, 15, 1, Fill, Separators);
        run(7, 19, 7, Fill, Separators);
        run(8, 0, 7, Fill, Separators);
        run(8, 7, 20, Fill, Separators);
    } else {
        run(7, 0, 27, Fill, Separators);
        run(8, 0, 27, Fill, Separators);
    }
    run(9, 25, 2, Fill, Separators);
}
