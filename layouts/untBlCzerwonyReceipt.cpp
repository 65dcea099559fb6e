#include "layouts/untBlCzerwony.h"

#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"

#include <QLocale>

namespace {

const QString FormFace = QStringLiteral("Arial CE");
constexpr double FrameLeft = 7.5;
constexpr double FrameTop = 2.5;
constexpr double FrameRight = 52.5;
constexpr double FrameBottom = 74.5;
constexpr double ValueX = 9.5;
constexpr double ReceiptWrapMm = 41.0;
// Where the coupon beside the receipt begins on the sheet: free text is cut there.
constexpr double ReceiptWidthMm = 55.0;

QString ReceiptCaption(int which)
{
    if (which == 1)
        return QStringLiteral("DOWÓD/POKWITOWANIE DLA ODBIORCY");
    if (which == 2)
        return QStringLiteral("DOWÓD/POKWITOWANIE DLA ZLECENIODAWCY");
    return QString();
}

// An account as the receipt shows it: digits, letters and hyphens only.
QString PackedAccount(const QString& account)
{
    QString packed;
    for (const QChar ch : account.trimmed())
        if (ch == QLatin1Char('-') || (ch.unicode() < 128 && ch.isLetterOrNumber()))
            packed += ch;
    return packed;
}

// The amount with two decimals in the user's own decimal separator.
QString LocaleAmount(Currency amount)
{
    TFormatSettings settings;
    settings.DecimalSeparator = QLocale().decimalPoint().at(0);
    return FormatAmountFixed(amount, settings);
}

void DrawLines(TBlankObj& obj, const QStringList& lines, double width, int count, double y, double step)
{
    WorkLines = lines;
    obj.WrapText(WorkLines, width, count);
    for (int i = 0; i < count && i < WorkLines.size(); ++i)
        obj.DrawText(WorkLines[i], ValueX, y + i * step, -1, 0);
}

} // namespace

void DrawTransferReceipt(const TBlankData& Data, TBlankObj& Obj, int Which)
{
    TCanvas* canvasPtr = Obj.Canvas();
    if (!canvasPtr)
        return;
    TCanvas& canvas = *canvasPtr;
    const TColor kolForm = Data.FKolForm;

    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = kolForm;
    Obj.SetPenWidth(0.15);
    canvas.Brush.Style = bsClear;
    Obj.Rectangle(FrameLeft, FrameTop, FrameRight, FrameBottom);
    for (double y : {10.5, 18.5, 36.5, 44.5, 62.5})
        Obj.HorizLine(FrameLeft + 0.1, FrameRight - 0.1, y);

    // Labels stand on white boxes that interrupt the lines beneath them.
    Obj.SetFont(6, kolForm, 0, FormFace);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWhite;
    const struct {
        const char* text;
        double top;
    } labels[] = {{" nr rachunku odbiorcy ", 1.5}, {" odbiorca ", 17.5}, {" kwota ", 35.5},
                  {" nazwa zleceniodawcy ", 43.5}, {" tytułem ", 61.5}};
    for (const auto& label : labels)
        Obj.DrawText(QString::fromUtf8(label.text), 18.5, label.top, -1, 0);

    Obj.SetFont(8, clNone, 0, QString());
    const QString caption = ReceiptCaption(Which);
    if (!caption.isEmpty())
        Obj.DrawText(caption, 3.5, FrameBottom, -1, 90);

    Obj.SetPenWidth(0.2);
    canvas.Brush.Style = bsClear;
    Obj.Ellipse(9.5, 82.5, 25.5, 98.5);

    Obj.SetFont(6, kolForm, 0, FormFace);
    Obj.DrawText(QStringLiteral(" Opłata "), 35.5, 98.5, -1, 0);
    for (int i = 0; i < 4; ++i)
        Obj.Rectangle(29.5 + 5 * i, 92.5, 34.5 + 5 * i, 98.0);
    Obj.SetPenWidth(0.5);
    Obj.VertLine(39.5, 92.7, 97.8);

    Obj.SetFont(8, Data.FKolTekst, 0, FormFace);
    Obj.DrawText(PackedAccount(Data.FOdbRach), ValueX, 5.5, ReceiptWidthMm, 0);
    Obj.SetFont(6, clNone, 0, QString());
    DrawLines(Obj, Data.FOdbiorca, ReceiptWrapMm, 4, 21.0, 4.0);
    if (Data.FKwota > 0) {
        Obj.SetFont(10, clNone, 0, QString());
        Obj.DrawText(LocaleAmount(Data.FKwota) + QStringLiteral(" PLN"), 18.5, 37.5, -1, 0);
        Obj.SetFont(6, clNone, 0, QString());
        Obj.DrawText(TBlankObj::InWordsSimpleFull(Data.FKwota), 9.0, 41.5, ReceiptWidthMm, 0);
    }
    Obj.SetFont(6, clNone, 0, QString());
    DrawLines(Obj, Data.FNadawca, ReceiptWrapMm, 4, 47.0, 3.5);
    Obj.SetFont(5, clNone, 0, QString());
    DrawLines(Obj, Data.FTytul, ReceiptWrapMm, 3, 64.0, 2.5);
}
