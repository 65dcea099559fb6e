// Transfer coupons drawn into a 600 dpi PDF file and read back: labels, legends and values where the form's
// millimetres put them, in their size.
#include "helpers/PdfText.h"
#include "helpers/TempConfig.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/PdfFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

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
