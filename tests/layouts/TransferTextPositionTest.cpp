// Transfer coupons printed into a PDF file at a printer's 600 pixels per inch
// and read back with poppler: every label, legend, caption and value must
// stand where the form's millimetres put it, and come out letter for letter.
#include "helpers/PdfText.h"
#include "helpers/TempConfig.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/PdfFile.h"

#include <QRectF>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

namespace {

constexpr int PrinterDpi = 600;
constexpr double PositionToleranceMm = 0.3;
// A point size becomes whole device pixels: at 600 dpi at most 0.06 pt off.
constexpr double SizeTolerancePt = 0.1;
constexpr Currency OneZloty = CurrencyScale;

// The faces the coupon uses, as the drawing object names them and as the
// PDF file embeds their substitutes.
enum class Face { Regular, Bold, Heavy };

QString FaceName(Face face)
{
    return face == Face::Heavy ? QStringLiteral("Arial Black") : QStringLiteral("Arial CE");
}

TFontStyles FaceStyle(Face face)
{
    return face == Face::Bold ? fsBold : 0;
}

QString EmbeddedName(Face face)
{
    switch (face) {
    case Face::Bold: return QStringLiteral("LiberationSans-Bold");
    case Face::Heavy: return QStringLiteral("DejaVuSans-Bold");
    default: return QStringLiteral("LiberationSans");
    }
}

// Vertical metrics and blank widths of one font, taken from the canvas the
// coupon was drawn on.
struct FontFacts {
    double ascentMm = 0;
    double descentMm = 0;
    double leadingBlanksMm = 0;
};

// One coupon of a fresh document, drawn into its own PDF file.
class PrintedCoupon {
public:
    PrintedCoupon(quint16 kind, TPrzelewWplata mode)
    {
        // As at start-up: the amounts take the forms' own format from here.
        InitializeCommonUnit();
        m_data.FKind = kind;
        SetDocumentDefaults(m_data, QDate::currentDate());
        m_data.FPrzelewWplata = mode;
    }
    ~PrintedCoupon() { FinalizeCommonUnit(); }
    PrintedCoupon(const PrintedCoupon&) = delete;
    PrintedCoupon& operator=(const PrintedCoupon&) = delete;

    TBlankData& Data() { return m_data; }

    // The coupon on the first page, or on a new page of the same file.
    bool Print(int coupon)
    {
        if (m_pdf) {
            m_pdf->NewPage();
        } else {
            m_path = m_dir.filePath(QStringLiteral("coupon.pdf"));
            m_pdf = std::make_unique<TPdfFile>(m_path, CouponWidthMm, CouponHeightMm, PrinterDpi);
        }
        if (!m_pdf->IsOpen())
            return false;
        m_obj.SetCanvas(&m_pdf->Canvas());
        m_obj.SetDPI(PrinterDpi);
        m_obj.SetOriginX(0);
        m_obj.SetOriginY(0);
        DrawTransferCoupon(m_data, m_obj, coupon);
        return true;
    }

    // Measured on the PDF canvas itself, so before Read().
    FontFacts Measure(int points, Face face, const QString& text)
    {
        TBlankObj& obj = m_obj;
        obj.SetFont(points, clNone, FaceStyle(face), FaceName(face));
        const TCanvas& canvas = *obj.Canvas();
        FontFacts facts;
        facts.ascentMm = obj.Pixel2MM(canvas.TextAscent());
        facts.descentMm = obj.Pixel2MM(canvas.TextDescent());
        int blanks = 0;
        while (blanks < text.size() && text[blanks] == QLatin1Char(' '))
            ++blanks;
        facts.leadingBlanksMm = blanks > 0 ? obj.TextWidth(QString(blanks, QLatin1Char(' '))) : 0.0;
        return facts;
    }

    // Finishes the file and reads its words in the order they were drawn, so
    // that characters written one per cell stay separate words.
    const QVector<PdfWord>& Read()
    {
        m_obj.SetCanvas(nullptr);
        m_pdf->Close();
        PdfWords words = ReadPdfWords(m_path, PdfWordOrder::Drawing);
        m_error = words.error;
        m_words = words.words;
        m_fonts = ReadPdfFontMetrics(m_path);
        return m_words;
    }

    const QString& Error() const { return m_error; }
    const PdfFontMetrics* Font(Face face) const { return FindFont(m_fonts, EmbeddedName(face)); }

private:
    TempConfig m_config; // a data folder of the test's own
    QTemporaryDir m_dir;
    TBlankData m_data;
    TBlankObj m_obj;
    std::unique_ptr<TPdfFile> m_pdf;
    QString m_path;
    QString m_error;
    QVector<PdfWord> m_words;
    QVector<PdfFontMetrics> m_fonts;
};

// Of the runs that spell a phrase, the one whose first word starts nearest to
// the point; null when the phrase is nowhere.
const PdfWordRun* Nearest(const QVector<PdfWordRun>& runs, const QVector<PdfWord>& words, double xMm, double yMm)
{
    const PdfWordRun* best = nullptr;
    double bestDistance = std::numeric_limits<double>::max();
    for (const PdfWordRun& run : runs) {
        const PdfWord& first = words[run.first];
        const double d = std::hypot(PointsToMm(first.xMin) - xMm, PointsToMm(first.yMin) - yMm);
        if (d < bestDistance) {
            bestDistance = d;
            best = &run;
        }
    }
    return best;
}


enum class Anchor { Left, Centre };

struct TextCase {
    quint16 kind;
    TPrzelewWplata mode;
    std::function<void(TBlankData&)> fill; // the document's values, if the text is one
    const char* text;                     // as drawn
    Anchor anchor;
    double xMm;   // left edge of the text cell, or the centre of its width
    double topMm; // top of the text cell; ignored when cellRow is set
    int cellRow;  // >= 0: a line centred on the cells of that row
    int points;
    Face face;
    int cellCol = -1; // >= 0: a character centred in that column's cell, xMm unused
};

constexpr double CellWidth = 5.0;

// A row's label, printed with a blank before and after it.
TextCase Label(quint16 kind, TPrzelewWplata mode, const char* text, double xMm, double topMm)
{
    return {kind, mode, nullptr, text, Anchor::Left, xMm, topMm, -1, 5, Face::Regular};
}

constexpr double LabelX = 8.5;
constexpr double CellMiddleBelowRow = 4.4;

void ExpectTextWhereTheFormPutsIt(const TextCase& c)
{
    SCOPED_TRACE(c.text);
    PrintedCoupon coupon(c.kind, c.mode);
    if (c.fill)
        c.fill(coupon.Data());
    ASSERT_TRUE(coupon.Print(0));
    const QString text = QString::fromUtf8(c.text);
    const FontFacts font = coupon.Measure(c.points, c.face, text);
    const QVector<PdfWord>& words = coupon.Read();
    ASSERT_TRUE(coupon.Error().isEmpty()) << coupon.Error().toStdString();
    const PdfFontMetrics* embedded = coupon.Font(c.face);
    ASSERT_NE(embedded, nullptr) << EmbeddedName(c.face).toStdString() << " is not in the file";

    // A line centred on a row's cells has its middle at the cells' middle;
    // the grid is the one the coupon just drawn set.
    const double x = c.cellCol >= 0 ? ColX(c.cellCol) + CellWidth / 2 : c.xMm;
    const double top = c.cellRow >= 0
                           ? RowY(c.cellRow) + CellMiddleBelowRow - (font.ascentMm + font.descentMm) / 2
                           : c.topMm;
    const QVector<PdfWordRun> runs = FindPhrase(words, text);
    const PdfWordRun* run = Nearest(runs, words, x, top);
    ASSERT_NE(run, nullptr) << "text not found among: " << AllText(words).toStdString();
    const PdfWord& first = words[run->first];
    if (c.anchor == Anchor::Left)
        EXPECT_NEAR(PointsToMm(first.xMin), x + font.leadingBlanksMm, PositionToleranceMm);
    else
        EXPECT_NEAR(PointsToMm(run->box.xMin + run->box.xMax) / 2, x, PositionToleranceMm);
    EXPECT_NEAR(PointsToMm(Baseline(first, *embedded)), top + font.ascentMm, PositionToleranceMm);
    EXPECT_NEAR(FontSize(first, *embedded), c.points, SizeTolerancePt);
}

TEST(TransferTextPositionTest, RowLabelsStartAtTheirCornerAfterTheirLeadingBlank)
{
    // A few of each kind: the first row, the longest label, and the ones the
    // payment mode chooses.
    const TextCase cases[] = {
        Label(5, pwNone, " nazwa odbiorcy ", LabelX, 2.5),
        Label(5, pwWplata, " kwota słownie ", LabelX, 36.0),
        Label(6, pwPrzelew, " 04. Nr rachunku bankowego płatnika ", LabelX, 36.0),
        Label(7, pwNone,
              " 13. Identyfikacja zobowiązania (rodzaj dokumentu, np. decyzja, tytuł wykonawczy, postanowienie) ",
              43.5, 70.0),
    };
    for (const TextCase& c : cases)
        ExpectTextWhereTheFormPutsIt(c);
}

TEST(TransferTextPositionTest, LegendsMarksAndFreeValuesStandWhereTheFormPutsThem)
{
    // The legends step 1.85 mm from line to line.
    constexpr double LegendStep = 1.85;
    constexpr double LowerLegendTop = 87.0;
    const auto recipient = [](TBlankData& f) {
        f.FOdbiorca << QStringLiteral("Zakład Ubezpieczeń Społecznych") << QStringLiteral("Oddział w Łodzi");
    };
    const TextCase cases[] = {
        {5, pwNone, nullptr, "W", Anchor::Left, 47.8, 30.2, -1, 11, Face::Regular},
        {5, pwNone, nullptr, "pieczęć, data i podpis(y) zleceniodawcy", Anchor::Centre, 41.5, 100.0, -1, 5,
         Face::Regular},
        {6, pwNone, nullptr, "Zakład Ubezpieczeń Społecznych", Anchor::Left, 9.5, 5.0, -1, 12, Face::Bold},
        {7, pwNone, nullptr, "PODATKI", Anchor::Centre, 75.0, 30.0, -1, 75, Face::Heavy},
        // The period legend keeps 0.6 mm more from the identifier legend.
        {7, pwNone, nullptr, "Typ okresu, np. R - rok,", Anchor::Left, 120.5, LowerLegendTop + 4 * LegendStep + 2.45,
         -1, 5, Face::Regular},
        {5, pwWplata, [](TBlankData& f) { f.FKwota = 1234 * OneZloty + OneZloty / 2; },
         "jeden tysiąc dwieście trzydzieści cztery zł pięćdziesiąt gr", Anchor::Left, 8.5, 39.5, -1, 8,
         Face::Regular},
        // Names too long for the cells are free text centred on their rows.
        {5, pwNone, recipient, "Zakład Ubezpieczeń Społecznych", Anchor::Left, 8.5, 0, 0, 12, Face::Regular},
        {5, pwPrzelew, [](TBlankData& f) { f.FTytul << QStringLiteral("Zapłata za fakturę nr 12/2026 z dnia 3 listopada"); },
         "Zapłata za fakturę nr 12/2026 z dnia 3 listopada", Anchor::Left, 8.5, 0, 7, 12, Face::Regular},
    };
    for (const TextCase& c : cases)
        ExpectTextWhereTheFormPutsIt(c);
}

TEST(TransferTextPositionTest, EachCharacterOfACellValueIsCentredInItsCell)
{
    const auto amount = [](TBlankData& f) { f.FKwota = 1234 * OneZloty + OneZloty / 2; };
    const struct {
        quint16 kind;
        std::function<void(TBlankData&)> fill;
        const char* cells; // what the cells hold from the first on
        int row;
        int col;
        int points;
    } values[] = {{5, amount, "1234,50", 3, 15, 15}, {7, nullptr, "07", 9, 25, 13}, {7, nullptr, "N", 7, 15, 13}};
    // Every character is drawn on its own, centred in its cell.
    for (const auto& v : values)
        for (int i = 0; v.cells[i]; ++i)
            ExpectTextWhereTheFormPutsIt({v.kind, pwNone, v.fill, std::string(1, v.cells[i]).c_str(), Anchor::Centre, 0, 0,
                                          v.row, v.points, Face::Regular, v.col + i});
}

// The turned phrase read upward, found exactly once: its box in mm.
std::optional<QRectF> FindTurned(const QVector<PdfWord>& words, const QString& phrase)
{
    const QVector<PdfWordRun> runs = FindPhrase(words, phrase);
    if (runs.size() != 1)
        return std::nullopt;
    const PdfWord& box = runs[0].box;
    return QRectF(QPointF(PointsToMm(box.xMin), PointsToMm(box.yMin)), QPointF(PointsToMm(box.xMax), PointsToMm(box.yMax)));
}

// Captions sit right of the box area, centred on its height; the title left
// of it, centred on the rows above the lower strip.
constexpr double CaptionLeft = 144.0;
constexpr double CaptionMiddle = 87.5 / 2;

TEST(TransferTextPositionTest, CaptionsAndTitlesReadUpwardBesideTheBoxes)
{
    const struct {
        quint16 kind;
        TPrzelewWplata mode;
        int coupon;
        const char* text;
        bool caption; // else the title
    } cases[] = {
        {5, pwNone, 0, "odcinek dla banku odbiorcy", true},
        {5, pwWplata, 2, "odcinek dla wpłacającego", true},
        {5, pwWplata, 3, "odcinek dla instytucji przyjmującej zlecenie", true},
        {5, pwNone, 0, "Polecenie przelewu / Wpłata gotówkowa", false},
        {5, pwWplata, 1, "Wpłata gotówkowa", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " coupon " << c.coupon << ": " << c.text);
        PrintedCoupon coupon(c.kind, c.mode);
        ASSERT_TRUE(coupon.Print(c.coupon));
        const QVector<PdfWord>& words = coupon.Read();
        ASSERT_TRUE(coupon.Error().isEmpty()) << coupon.Error().toStdString();
        const std::optional<QRectF> box = FindTurned(words, QString::fromUtf8(c.text));
        ASSERT_TRUE(box) << "not found once among: " << AllText(words).toStdString();
        if (c.caption) {
            EXPECT_GT(box->left(), CaptionLeft);
            EXPECT_LT(box->right(), CouponWidthMm);
            EXPECT_NEAR(box->center().y(), CaptionMiddle, PositionToleranceMm);
        } else {
            EXPECT_GT(box->left(), 0.0);
            EXPECT_LT(box->right(), 7.5);
            EXPECT_NEAR(box->center().y(), 79.0 / 2, PositionToleranceMm);
        }
    }
}

} // namespace
