#include "layouts/untBlCzerwony.h"

#include "document/BlankFormUnit.h"
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

void DrawKindRows(TfrmBlank* form, TBlankObj& obj)
{
    const quint16 kind = form->Kind();
    const auto one = [](QChar c) { return QString(c).trimmed(); };
    if (kind == bkTransferZus) {
        SetSize(obj, 13);
        DrawCellText(obj, form->NadNIP().trimmed(), 0, 7, 10, DigitChars());
        DrawCellText(obj, one(form->NadTypId2()), 11, 7, 1, ZusIdTypeChars());
        DrawCellText(obj, form->NadId2().trimmed(), 13, 7, 14, AlnumChars());
        DrawCellText(obj, one(form->NadTypWplaty()), 0, 8, 1, UpperChars());
        if (form->NadNrDeklar() != 0)
            DrawCellText(obj, QStringLiteral("%1").arg(form->NadNrDeklar(), 2, 10, QLatin1Char('0')), 2, 8, 2,
                         DigitChars());
        DrawCellText(obj, form->NadDeklaracja().trimmed(), 5, 8, 6, DigitChars());
        DrawCellText(obj, form->NadNrDecyzji().trimmed(), 12, 8, 15, AnyChars());
    } else if (kind == bkTransferTax) {
        SetSize(obj, 13);
        DrawCellText(obj, form->NadId2().trimmed(), 0, 7, 14, DigitChars());
        DrawCellText(obj, one(form->NadTypId2()), 15, 7, 1, TaxIdTypeChars());
        DrawCellText(obj, form->NadOkres().trimmed(), 19, 7, 7, PeriodChars());
        DrawCellText(obj, form->NadSymbolForm().trimmed(), 0, 8, 7, FormSymbolChars());
        DrawCellText(obj, form->NadIdZobow().trimmed(), 7, 8, 20, AnyChars());
    } else {
        SetSize(obj, 12);
        DrawTwoLines(obj, form->Tytul(), 7);
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

void DrawTransferCoupon(TfrmBlank* Form, int Coupon)
{
    DrawTransferTemplate(Form, Coupon);
    TBlankObj& obj = Form->BlankObj;
    if (!obj.Canvas())
        return;
    const quint16 kind = Form->Kind();

    obj.SetFont(15, Form->KolTekst(), 0, FormFace);
    if (Form->Kwota() > 0)
        DrawCellText(obj, FormatAmountFixed(Form->Kwota(), AppFormatSettings), 15, 3, 12, AnyChars());

    if (Form->PrzelewWplata() == pwWplata) {
        SetSize(obj, 8);
        // Cut at the coupon's edge: the words of a large amount would run
        // into the coupon or receipt beside it on the sheet.
        if (Form->Kwota() > 0)
            obj.DrawText(TBlankObj::InWordsFull(Form->Kwota(), false), ColX(0) + FreeTextIndentMm, RowY(4) + 3.0,
                         CouponWidthMm, 0);
    } else {
        SetSize(obj, 14);
        DrawCellText(obj, Form->NadRach().trimmed(), 0, 4, 26, DigitChars());
    }

    if (kind != bkTransferZus) {
        SetSize(obj, 12);
        DrawTwoLines(obj, Form->Odbiorca(), 0);
    }

    SetSize(obj, 14);
    if (kind == bkTransferZus)
        DrawCellText(obj, Form->OdbRach(), 0, 2, 26, DigitBlankChars());
    else
        DrawCellText(obj, Form->OdbRach().trimmed(), 0, 2, 26, DigitChars());

    SetSize(obj, 12);
    DrawTwoLines(obj, Form->Nadawca(), 5);

    DrawKindRows(Form, obj);

    SetSize(obj, 14);
    DrawCellText(obj, QStringLiteral("PLN"), 11, 3, 3, UpperChars());
    SetSize(obj, 13);
    DrawCellText(obj, FormCode(kind), 25, 9, 2, DigitChars());
}
