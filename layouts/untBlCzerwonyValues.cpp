#include "layouts/untBlCzerwony.h"

#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"

namespace {

const QString FormFace = QStringLiteral("Arial CE");
constexpr double WrapWidthMm = 134.0;
constexpr int CellsPerRow = 27;
constexpr double FreeTextIndentMm = 1.0;

// Two rows of a field: one character per cell when both wrapped lines fit
// the 27 cells, otherwise both lines as free text over the cells.
void DrawTwoLines(TBlankObj& obj, const QStringList& lines, int firstRow)
{
    WorkLines = lines;
    obj.WrapText(WorkLines, WrapWidthMm, 2);
    const QString line1 = WorkLines.value(0);
    const QString line2 = WorkLines.value(1);
    if (line1.trimmed().size() > CellsPerRow || line2.trimmed().size() > CellsPerRow) {
        obj.DrawText(line1, ColX(0) + FreeTextIndentMm, CellTextY(obj, firstRow), -1, 0);
        obj.DrawText(line2, ColX(0) + FreeTextIndentMm, CellTextY(obj, firstRow + 1), -1, 0);
    } else {
        DrawCellText(obj, line1.trimmed(), 0, firstRow, CellsPerRow, AnyChars());
        DrawCellText(obj, line2.trimmed(), 0, firstRow + 1, CellsPerRow, AnyChars());
    }
}

void SetSize(TBlankObj& obj, int points)
{
    obj.SetFont(points, clNone, 0, QString());
}

void DrawKindRows(const TBlankData& data, TBlankObj& obj)
{
    const quint16 kind = data.FKind;
    const auto one = [](QChar c) { return QString(c).trimmed(); };
    if (kind == bkTransferZus) {
        SetSize(obj, 13);
        DrawCellText(obj, data.FNadNIP.trimmed(), 0, 7, 10, DigitChars());
        DrawCellText(obj, one(data.FNadTypId2), 11, 7, 1, ZusIdTypeChars());
        DrawCellText(obj, data.FNadId2.trimmed(), 13, 7, 14, AlnumChars());
        DrawCellText(obj, one(data.FNadTypWplaty), 0, 8, 1, UpperChars());
        if (data.FNadNrDeklar != 0)
            DrawCellText(obj, QStringLiteral("%1").arg(data.FNadNrDeklar, 2, 10, QLatin1Char('0')), 2, 8, 2,
                         DigitChars());
        DrawCellText(obj, data.FNadDeklaracja.trimmed(), 5, 8, 6, DigitChars());
        DrawCellText(obj, data.FNadNrDecyzji.trimmed(), 12, 8, 15, AnyChars());
    } else if (kind == bkTransferTax) {
        SetSize(obj, 13);
        DrawCellText(obj, data.FNadId2.trimmed(), 0, 7, 14, DigitChars());
        DrawCellText(obj, one(data.FNadTypId2), 15, 7, 1, TaxIdTypeChars());
        DrawCellText(obj, data.FNadOkres.trimmed(), 19, 7, 7, PeriodChars());
        DrawCellText(obj, data.FNadSymbolForm.trimmed(), 0, 8, 7, FormSymbolChars());
        DrawCellText(obj, data.FNadIdZobow.trimmed(), 7, 8, 20, AnyChars());
    } else {
        SetSize(obj, 12);
        DrawTwoLines(obj, data.FTytul, 7);
    }
}

QString FormCode(quint16 kind)
{
    if (kind == bkTransferZus)
        return QStringLiteral("00");
    if (kind == bkTransferTax)
        return QStringLiteral("07");
    return QStringLiteral("06");
}

} // namespace

void DrawTransferCoupon(const TBlankData& Data, TBlankObj& Obj, int Coupon)
{
    DrawTransferTemplate(Data, Obj, Coupon);
    if (!Obj.Canvas())
        return;
    const quint16 kind = Data.FKind;

    Obj.SetFont(15, Data.FKolTekst, 0, FormFace);
    if (Data.FKwota > 0)
        DrawCellText(Obj, FormatAmountFixed(Data.FKwota, AppFormatSettings), 15, 3, 12, AnyChars());

    if (Data.FPrzelewWplata == pwWplata) {
        SetSize(Obj, 8);
        // Cut at the coupon's edge: the words of a large amount would run
        // into the coupon or receipt beside it on the sheet.
        if (Data.FKwota > 0)
            Obj.DrawText(TBlankObj::InWordsFull(Data.FKwota, false), ColX(0) + FreeTextIndentMm, RowY(4) + 3.0,
                         CouponWidthMm, 0);
    } else {
        SetSize(Obj, 14);
        DrawCellText(Obj, Data.FNadRach.trimmed(), 0, 4, 26, DigitChars());
    }

    if (kind != bkTransferZus) {
        SetSize(Obj, 12);
        DrawTwoLines(Obj, Data.FOdbiorca, 0);
    }

    SetSize(Obj, 14);
    if (kind == bkTransferZus)
        DrawCellText(Obj, Data.FOdbRach, 0, 2, 26, DigitBlankChars());
    else
        DrawCellText(Obj, Data.FOdbRach.trimmed(), 0, 2, 26, DigitChars());

    SetSize(Obj, 12);
    DrawTwoLines(Obj, Data.FNadawca, 5);

    DrawKindRows(Data, Obj);

    SetSize(Obj, 14);
    DrawCellText(Obj, QStringLiteral("PLN"), 11, 3, 3, UpperChars());
    SetSize(Obj, 13);
    DrawCellText(Obj, FormCode(kind), 25, 9, 2, DigitChars());
}
