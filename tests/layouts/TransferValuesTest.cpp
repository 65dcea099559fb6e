// The document's values drawn at ten pixels per millimetre: one character per
// 5 mm cell of the grid (columns from x 7.5, rows of 8.5 mm from y 2.5),
// filtered by what each run accepts, or free text where a name does not fit
// the cells; nothing beyond the coupon's 150 mm.
#include "helpers/PixelProbe.h"
#include "helpers/TempConfig.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Bitmap.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr TColor TextColour = 0x002080C0;

struct Drawn {
    Drawn(quint16 kind, TPrzelewWplata mode, const std::function<void(TBlankData&)>& fill)
        : bitmap(2200, 1050)
    {
        InitializeCommonUnit();
        data.FKind = kind;
        SetDocumentDefaults(data, QDate::currentDate());
        data.FKolTekst = TextColour, data.FPrzelewWplata = mode;
        fill ? fill(data) : void();
        obj.SetDPI(254);
        obj.SetCanvas(&bitmap.Canvas());
        DrawTransferCoupon(data, obj, 0);
    }
    int Ink(double x1, double y1, double x2, double y2) const
    {
        return CountPixels(bitmap.Image(), QRect(QPoint(int(x1 * 10 + 0.5), int(y1 * 10 + 0.5)),
                                                 QPoint(int(x2 * 10 + 0.5) - 1, int(y2 * 10 + 0.5) - 1)), TextColour);
    }
    // '#' for each cell of the row, from column from on, that holds ink inside its frame.
    QString Cells(int row, int from, int count) const
    {
        QString seen;
        for (int c = from; c < from + count; ++c)
            seen += Ink(ColX(c) + 0.3, RowY(row) + 1.7, ColX(c + 1) - 0.3, RowY(row + 1) - 1.4) ? u'#' : u'.';
        return seen;
    }
    TempConfig config;
    TBlankData data;
    TBlankObj obj;
    TBitmap bitmap;
};

TEST(TransferValuesTest, EachRunTakesTheCharactersItAcceptsOnePerCell)
{
    const struct {
        quint16 kind;
        TPrzelewWplata mode;
        std::function<void(TBlankData&)> fill;
        QVector<std::tuple<int, int, const char*>> cells; // row, first column, what the cells show
    } rows[] = {
        // No amount: its cells stay empty, currency and the form's code stay.
        {bkTransfer, pwWplata, nullptr, {{3, 15, "............"}, {3, 11, "###"}, {9, 25, "##"}}},
        {bkTransfer, pwPrzelew, [](TBlankData& d) { d.FNadRach = QStringLiteral("12 3456-78"); }, {{4, 0, "########.."}}},
        // "<Nie wybrano>" leaves the check digits and the account's digit to the hand.
        {bkTransferZus, pwNone, [](TBlankData& d) { d.FOdbRach = QStringLiteral("  101010230000261395 00000"); },
         {{2, 0, "..##################.#####"}}},
        {bkTransfer, pwNone, [](TBlankData& d) { d.FOdbiorca << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZA") << QStringLiteral("ŁÓDŹ"); },
         {{0, 0, "###########################"}, {1, 0, "####.."}}},
        // One name too long for the cells turns both lines to free text packed from x 8.5 mm.
        {bkTransfer, pwNone, [](TBlankData& d) { d.FOdbiorca << QStringLiteral("II") << QString(30, u'I'); },
         {{0, 1, "."}, {1, 20, "......."}}},
        {bkTransferZus, pwNone, [](TBlankData& d) { // 12 digits for ten cells; 7 written 07; the payment type S
             d.FNadNIP = QStringLiteral("123-456-78-90-12"), d.FNadId2 = QStringLiteral("abc123"), d.FNadNrDeklar = 7; },
         {{7, 0, "##########"}, {7, 13, "######."}, {8, 0, "#"}, {8, 2, "##"}, {9, 25, "##"}}},
        {bkTransferTax, pwNone, [](TBlankData& d) { // digits only in the identifier; a blank keeps its cell
             d.FNadId2 = QStringLiteral("PL 525-000-12-34"), d.FNadOkres = QStringLiteral("26M11");
             d.FNadSymbolForm = QStringLiteral("VAT-7K"), d.FNadIdZobow = QStringLiteral("decyzja ł/1"); },
         {{7, 0, "##########."}, {7, 15, "#"}, {7, 19, "#####."}, {8, 0, "######."}, {8, 7, "#######.###.."}}},
    };
    for (const auto& r : rows) {
        const Drawn d(r.kind, r.mode, r.fill);
        for (const auto& [row, from, cells] : r.cells)
            EXPECT_EQ(d.Cells(row, from, int(strlen(cells))), QLatin1String(cells)) << "kind " << r.kind << " row " << row;
        EXPECT_EQ(d.Ink(150, 0, 220, 105), 0) << "beyond the coupon, kind " << r.kind;
    }
}

} // namespace
