// The values at ten pixels per mm, one character a cell of what each run accepts, or free text; whole coupons
// previewed against pictures.
#include "ReferencePicture.h"
#include "helpers/PixelProbe.h"
#include "helpers/TempConfig.h"
#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Bitmap.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr TColor TextColour = 0x002080C0;

struct Drawn {
    Drawn(quint16 kind, TPrzelewWplata mode, const std::function<void(TBlankData&)>& fill)
        : bitmap(2200, 1050)
    {
        InitializeCommonUnit();
        data.FKind = kind;
        SetDocumentDefaults(data, QDate::currentDate());
        data.FKolTekst = TextColour;
        data.FPrzelewWplata = mode;
        if (fill)
            fill(data);
        obj.SetDPI(254);
        obj.SetCanvas(&bitmap.Canvas());
        DrawTransferCoupon(data, obj, 0);
    }
    int Ink(double x1, double y1, double x2, double y2) const
    {
        const QPoint from(int(x1 * 10 + 0.5), int(y1 * 10 + 0.5));
        const QPoint to(int(x2 * 10 + 0.5) - 1, int(y2 * 10 + 0.5) - 1);
        return CountPixels(bitmap.Image(), QRect(from, to), TextColour);
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

// A row of cells: its number, its first column and what its cells show.
struct Cells {
    int row, from;
    const char* shown;
};

TEST(TransferValuesTest, EachRunTakesTheCharactersItAcceptsOnePerCell)
{
    const struct {
        quint16 kind;
        TPrzelewWplata mode;
        std::function<void(TBlankData&)> fill;
        QVector<Cells> cells;
    } rows[] = {
        // No amount: its cells stay empty, currency and the form's code stay.
        {bkTransfer, pwWplata, nullptr, {{3, 15, "............"}, {3, 11, "###"}, {9, 25, "##"}}},
        {bkTransfer, pwPrzelew, [](TBlankData& d) { d.FNadRach = u"12 3456-78"_s; }, {{4, 0, "########.."}}},
        // "<Nie wybrano>" leaves the check digits and the account's digit to the hand.
        {bkTransferZus, pwNone, [](TBlankData& d) { d.FOdbRach = u"  101010230000261395 00000"_s; },
         {{2, 0, "..##################.#####"}}},
        {bkTransfer, pwNone, [](TBlankData& d) { d.FOdbiorca << u"ABCDEFGHIJKLMNOPQRSTUVWXYZA"_s << u"ŁÓDŹ"_s; },
         {{0, 0, "###########################"}, {1, 0, "####.."}}},
        // One name too long for the cells turns both lines to free text packed from x 8.5 mm.
        {bkTransfer, pwNone, [](TBlankData& d) { d.FOdbiorca << u"II"_s << QString(30, u'I'); },
         {{0, 1, "."}, {1, 20, "......."}}},
        // 12 digits for ten cells; 7 written 07; the payment type S; no N.
        {bkTransferZus, pwNone,
         [](TBlankData& d) {
             d.FNadNIP = u"123-456-78-90-12"_s;
             d.FNadId2 = u"abc123"_s;
             d.FNadNrDeklar = 7;
             d.FNadTypId2 = u'N';
         },
         {{7, 0, "##########"}, {7, 11, "."}, {7, 13, "######."}, {8, 0, "#"}, {8, 2, "##"}, {9, 25, "##"}}},
        // Digits only in the identifier; a blank keeps its cell.
        {bkTransferTax, pwNone,
         [](TBlankData& d) {
             d.FNadId2 = u"PL 525-000-12-34"_s;
             d.FNadOkres = u"26M11"_s;
             d.FNadTypId2 = u'3';
             d.FNadSymbolForm = u"VAT-7K"_s;
             d.FNadIdZobow = u"decyzja ł/1"_s;
         },
         {{7, 0, "##########."}, {7, 15, "#"}, {7, 19, "#####."}, {8, 0, "######."}, {8, 7, "#######.###.."}}},
    };
    for (const auto& r : rows) {
        const Drawn d(r.kind, r.mode, r.fill);
        for (const Cells& c : r.cells)
            EXPECT_EQ(d.Cells(c.row, c.from, int(strlen(c.shown))), QLatin1String(c.shown)) << r.kind << " " << c.row;
        EXPECT_EQ(d.Ink(150, 0, 220, 105), 0) << "beyond the coupon, kind " << r.kind;
    }
}

// Every field of the three kinds, in each payment mode; then the receipt.
TEST(TransferReferenceTest, PreviewMatchesTheCheckedPicture)
{
    TempConfig config;
    InitializeCommonUnit();
    InitializeBackBuffer();
    const char* const modes[] = {"none", "wplata", "przelew"};
    TBlankData data;
    data.FKwota = 1234'5600;
    data.FOdbiorca = QStringList{u"Spółdzielnia Mieszkaniowa"_s, u"„Zacisze” w Łodzi"_s};
    data.FNadRach = u"12 1020 5558 1111 1234 5678 9012"_s;
    data.FNadawca = QStringList{u"Józef Żółkiewski"_s, u"ul. Świętokrzyska 12/4, Kraków"_s};
    data.FTytul = QStringList{u"Czynsz za grudzień 2026"_s, u"lokal nr 4"_s, u"i garaż"_s, u"(zaliczka)"_s};
    data.FNadNIP = u"5250001234"_s;
    data.FNadId2 = u"ABC123456"_s;
    data.FNadNrDecyzji = u"D/12/2026"_s;
    data.FNadSymbolForm = u"VAT-7"_s;
    data.FNadIdZobow = u"decyzja 12/2026"_s;
    for (int n = 0; n < 10; ++n) {
        data.FKind = n < 9 ? bkTransfer + n / 3 : bkTransfer;
        SetDocumentDefaults(data, QDate::currentDate());
        data.FKolForm = 0x000058EA;
        data.FKolTekst = 0x00602000;
        data.FNadDeklaracja = u"112026"_s;
        data.FNadOkres = u"26M11"_s;
        data.FPrzelewWplata = TPrzelewWplata(n % 3);
        // The ZUS form takes its account from a list of the institution's own.
        data.FOdbRach = data.FKind == bkTransferZus ? u"  101010230000261395 00000"_s
                                                    : u"61 1090-1014 0000 0712 1981 2874"_s;
        TBlankObj obj;
        QImage drawn(591, 413, QImage::Format_RGB32); // 150 x 105 mm at 100 ppi
        drawn.fill(Qt::gray);
        TCanvas canvas(&drawn);
        obj.SetDPI(100);
        obj.SetCanvas(&canvas);
        PaintTransferForm(data, obj, n < 9 ? bsTop : bsBottom);
        canvas.End();
        const QString mode = QLatin1String(modes[n % 3]);
        const QString file = u"transfer-%1-%2.png"_s.arg(data.FKind).arg(mode);
        ExpectReferencePicture(drawn, n < 9 ? file : u"transfer-receipt.png"_s);
    }
}

} // namespace
