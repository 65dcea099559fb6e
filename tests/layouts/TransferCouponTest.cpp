// The transfer coupon's values at ten pixels per mm, one character a cell of what each run accepts, or free text; its
// labels, legends and values read back from a 600 dpi PDF file where the form's millimetres put them; whole coupons
// previewed against pictures.
#include "ReferencePicture.h"
#include "helpers/PdfText.h"
#include "helpers/PixelProbe.h"
#include "helpers/TempConfig.h"
#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Bitmap.h"
#include "platform/PdfFile.h"

#include <QTemporaryDir>

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

const auto Amount = [](TBlankData& f) { f.FKwota = 1234 * CurrencyScale + CurrencyScale / 2; };
// The faces as the coupon asks for them and as the PDF file embeds their substitutes.
enum Face { Regular, Bold, Heavy };
const char* const Asked[] = {"Arial CE", "Arial CE", "Arial Black"};
const char* const Embedded[] = {"LiberationSans", "LiberationSans-Bold", "DejaVuSans-Bold"};

// The text (past a leading blank) centred on x or left at it, top at topMm; or middle 4.4 mm below cellRow's top,
// centred in cellCol's 5 mm cell.
struct TextCase {
    quint16 kind;
    TPrzelewWplata mode;
    std::function<void(TBlankData&)> fill;
    const char* text;
    bool centred;
    double xMm, topMm;
    int cellRow = -1, points = 5;
    Face face = Regular;
    int cellCol = -1;
};

// The font of a case measured on a canvas: ascent, descent and a blank's width in mm.
struct Metrics {
    double ascent, descent, blank;
};

// Coupon 0 of a fresh document in a PDF file, its words in drawing order: one per cell stays one word.
QVector<PdfWord> Print(const QString& path, const TextCase& c, Metrics& font)
{
    InitializeCommonUnit();
    TempConfig config;
    TBlankData data;
    data.FKind = c.kind;
    SetDocumentDefaults(data, QDate::currentDate());
    data.FPrzelewWplata = c.mode;
    if (c.fill)
        c.fill(data);
    TBlankObj obj;
    TPdfFile pdf(path, CouponWidthMm, CouponHeightMm, 600);
    obj.SetCanvas(&pdf.Canvas());
    obj.SetDPI(600);
    DrawTransferCoupon(data, obj, 0);
    obj.SetFont(c.points, clNone, c.face == Bold ? fsBold : 0, QLatin1String(Asked[c.face]));
    font.ascent = obj.Pixel2MM(pdf.Canvas().TextAscent());
    font.descent = obj.Pixel2MM(pdf.Canvas().TextDescent());
    font.blank = obj.TextWidth(u" "_s);
    obj.SetCanvas(nullptr);
    pdf.Close();
    return ReadPdfWords(path, PdfWordOrder::Drawing).words;
}

TEST(TransferTextPositionTest, LabelsLegendsAndValuesStandWhereTheFormPutsThem)
{
    std::vector<TextCase> cases = {
        // Row labels from their corner, 1 mm right of the box's edge.
        {5, pwNone, nullptr, " nazwa odbiorcy ", false, 8.5, 2.5},
        {5, pwWplata, nullptr, " kwota słownie ", false, 8.5, 36.0},
        {6, pwPrzelew, nullptr, " 04. Nr rachunku bankowego płatnika ", false, 8.5, 36.0},
        {7, pwNone, nullptr,
         " 13. Identyfikacja zobowiązania (rodzaj dokumentu, np. decyzja, tytuł wykonawczy, postanowienie) ", false,
         43.5, 70.0},
        {5, pwNone, nullptr, "W", false, 47.8, 30.2, -1, 11},
        {5, pwNone, nullptr, "pieczęć, data i podpis(y) zleceniodawcy", true, 41.5, 100.0},
        {6, pwNone, nullptr, "Zakład Ubezpieczeń Społecznych", false, 9.5, 5.0, -1, 12, Bold},
        {7, pwNone, nullptr, "PODATKI", true, 75.0, 30.0, -1, 75, Heavy},
        // Legend lines step 1.85 mm from 87 mm; the period's keeps 0.6 mm more.
        {7, pwNone, nullptr, "Typ okresu, np. R - rok,", false, 120.5, 87.0 + 4 * 1.85 + 2.45},
        {5, pwWplata, Amount, "jeden tysiąc dwieście trzydzieści cztery zł pięćdziesiąt gr", false, 8.5, 39.5,
         -1, 8},
        // Names too long for the cells are free text centred on their rows.
        {5, pwNone, [](TBlankData& f) { f.FOdbiorca << u"Zakład Ubezpieczeń Społecznych"_s << u"Łódź"_s; },
         "Zakład Ubezpieczeń Społecznych", false, 8.5, 0, 0, 12},
        {5, pwPrzelew, [](TBlankData& f) { f.FTytul << u"Zapłata za fakturę nr 12/2026 z dnia 3 listopada"_s; },
         "Zapłata za fakturę nr 12/2026 z dnia 3 listopada", false, 8.5, 0, 7, 12},
        {7, pwNone, nullptr, "0", true, 0, 0, 9, 13, Regular, 25},
        {7, pwNone, nullptr, "N", true, 0, 0, 7, 13, Regular, 15},
    };
    // Every character of a cell value is drawn on its own, centred in its cell.
    const char* const figures[] = {"1", "2", "3", "4", ",", "5", "0"};
    for (int i = 0; i < 7; ++i)
        cases.push_back({5, pwNone, Amount, figures[i], true, 0, 0, 3, 15, Regular, 15 + i});
    for (const TextCase& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"coupon.pdf"_s);
        const QString text = QString::fromUtf8(c.text);
        Metrics font;
        const QVector<PdfWord> words = Print(path, c, font);
        const std::optional<PdfFontMetrics> embedded = ReadPdfFont(path, QLatin1String(Embedded[c.face]));
        ASSERT_TRUE(embedded) << Embedded[c.face] << " is not in the file";
        const double x = c.cellCol >= 0 ? ColX(c.cellCol) + 2.5 : c.xMm;
        const double top = c.cellRow >= 0 ? RowY(c.cellRow) + 4.4 - (font.ascent + font.descent) / 2 : c.topMm;
        // Of the runs that spell the text, the one starting nearest to the point.
        const PdfWordRun* run = nullptr;
        const QVector<PdfWordRun> runs = FindPhrase(words, text);
        const auto distance = [&](const PdfWordRun& r) {
            return std::hypot(PointsToMm(r.box.xMin) - x, PointsToMm(r.box.yMin) - top);
        };
        for (const PdfWordRun& r : runs)
            if (!run || distance(r) < distance(*run))
                run = &r;
        ASSERT_NE(run, nullptr) << text.toStdString() << " not among: " << AllText(words).toStdString();
        const PdfWord& first = words[run->first];
        const double blank = text.startsWith(u' ') ? font.blank : 0;
        const double left = c.centred ? PointsToMm(run->box.xMin + run->box.xMax) / 2 : PointsToMm(first.xMin) - blank;
        EXPECT_NEAR(left, x, 0.3) << c.text;
        EXPECT_NEAR(PointsToMm(embedded->Baseline(first)), top + font.ascent, 0.3) << c.text;
        // A point size becomes whole device pixels: at 600 dpi at most 0.06 pt off.
        EXPECT_NEAR(embedded->Size(first), c.points, 0.1) << c.text;
    }
}

} // namespace
