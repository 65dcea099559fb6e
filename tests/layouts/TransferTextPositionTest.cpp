// Transfer coupons printed into a PDF file at a printer's 600 pixels per inch
// and read back with poppler: every label, legend, caption and value must
// stand where the form's millimetres put it, and come out letter for letter.
#include "helpers/PdfText.h"
#include "helpers/TempConfig.h"
#include "document/BlankFormUnit.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/PdfFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <ostream>

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

const char* ModeName(TPrzelewWplata mode)
{
    switch (mode) {
    case pwWplata: return "Wplata";
    case pwPrzelew: return "Przelew";
    default: return "None";
    }
}

// A gtest-safe name from a text: its ASCII letters and digits, blanks and the
// rest folded into single underscores.
std::string SafeName(const QString& text, int maxLength = 40)
{
    std::string name;
    for (QChar ch : text) {
        const char c = ch.toLatin1();
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
        if (int(name.size()) >= maxLength)
            break;
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name;
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
        m_form = std::make_unique<TfrmBlank>(nullptr, kind);
        m_form->SetPrzelewWplata(mode);
    }
    ~PrintedCoupon()
    {
        m_form.reset();
        FinalizeCommonUnit();
    }
    PrintedCoupon(const PrintedCoupon&) = delete;
    PrintedCoupon& operator=(const PrintedCoupon&) = delete;

    TfrmBlank& Form() { return *m_form; }

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
        TBlankObj& obj = m_form->BlankObj;
        obj.SetCanvas(&m_pdf->Canvas());
        obj.SetDPI(PrinterDpi);
        obj.SetOriginX(0);
        obj.SetOriginY(0);
        DrawTransferCoupon(m_form.get(), coupon);
        return true;
    }

    // Measured on the PDF canvas itself, so before Read().
    FontFacts Measure(int points, Face face, const QString& text)
    {
        TBlankObj& obj = m_form->BlankObj;
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
        m_form->BlankObj.SetCanvas(nullptr);
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
    TempConfig m_config; // the kind colours come from a registry of the test's own
    QTemporaryDir m_dir;
    std::unique_ptr<TfrmBlank> m_form;
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

// ---- labels of the rows --------------------------------------------------------

struct LabelCase {
    quint16 kind;
    TPrzelewWplata mode;
    const char* label; // as printed, with its leading and trailing blank
    double xMm;        // top-left corner of the label's text cell
    double topMm;
};

void PrintTo(const LabelCase& c, std::ostream* os)
{
    *os << "kind " << c.kind << ' ' << ModeName(c.mode) << " \"" << c.label << '"';
}

constexpr double LabelX = 8.5;
constexpr int LabelPoints = 5;

const LabelCase LabelCases[] = {
    {5, pwNone, " nazwa odbiorcy ", LabelX, 2.5},
    {5, pwNone, " nazwa odbiorcy cd. ", LabelX, 10.5},
    {5, pwNone, " nr rachunku odbiorcy ", LabelX, 19.0},
    {5, pwNone, " waluta ", 63.5, 27.5},
    {5, pwNone, " kwota ", 83.5, 27.5},
    {5, pwNone, " nr rachunku zleceniodawcy (przelew) / kwota słownie (wpłata) ", LabelX, 36.0},
    {5, pwWplata, " kwota słownie ", LabelX, 36.0},
    {5, pwPrzelew, " nr rachunku zleceniodawcy ", LabelX, 36.0},
    {5, pwNone, " nazwa zleceniodawcy ", LabelX, 44.5},
    {5, pwNone, " nazwa zleceniodawcy c.d. ", LabelX, 53.0},
    {5, pwNone, " tytułem ", LabelX, 61.5},
    {5, pwNone, " tytułem cd. ", LabelX, 70.0},

    {6, pwNone, " 01. Nr rachunku bankowego ZUS ", LabelX, 19.0},
    {6, pwNone, " waluta ", 63.5, 27.5},
    {6, pwNone, " 03. Kwota ", 83.5, 27.5},
    {6, pwNone, " 04. Nr rachunku bankowego płatnika (przelew) / kwota słownie (wpłata) ", LabelX, 36.0},
    {6, pwWplata, " 04. Kwota słownie ", LabelX, 36.0},
    {6, pwPrzelew, " 04. Nr rachunku bankowego płatnika ", LabelX, 36.0},
    {6, pwNone, " 05. Nazwa skrócona płatnika lub imię i nazwisko płatnika ", LabelX, 44.5},
    {6, pwNone, " 05. Nazwa skrócona płatnika lub imię i nazwisko płatnika c.d. ", LabelX, 53.0},
    {6, pwNone, " 06. NIP płatnika ", LabelX, 61.5},
    {6, pwNone, " 07. ", 63.5, 61.5},
    {6, pwNone, " 08. Drugi identyfikator płatnika ", 73.5, 61.5},
    {6, pwNone, " 09. ", LabelX, 70.0},
    {6, pwNone, " 10. Nr deklaracji ", 16.5, 70.0},
    {6, pwNone, " 11. Deklaracja ", 33.5, 70.0},
    {6, pwNone, " 12. Nr decyzji/umowy/tytułu wykonawczego ", 68.5, 70.0},

    {7, pwNone, " 01. Nazwa organu podatkowego ", LabelX, 2.5},
    {7, pwNone, " 02. Nazwa organu podatkowego cd. ", LabelX, 10.5},
    {7, pwNone, " 03. Nr rachunku bankowego organu podatkowego ", LabelX, 19.0},
    {7, pwNone, " waluta ", 63.5, 27.5},
    {7, pwNone, " 05. Kwota ", 83.5, 27.5},
    {7, pwNone, " 06. Nr rachunku bankowego zobowiązanego (przelew) / kwota słownie (wpłata) ", LabelX, 36.0},
    {7, pwWplata, " 06. Kwota słownie ", LabelX, 36.0},
    {7, pwPrzelew, " 06. Nr rachunku bankowego zobowiązanego ", LabelX, 36.0},
    {7, pwNone, " 07. Nazwa i adres zobowiązanego ", LabelX, 44.5},
    {7, pwNone, " 08. Nazwa i adres zobowiązanego c.d. ", LabelX, 53.0},
    {7, pwNone, " 09. NIP lub identyfikator uzupełniający zobowiązanego ", LabelX, 61.5},
    {7, pwNone, " 10. Typ identyfikatora ", 78.5, 61.5},
    {7, pwNone, " 11. Okres (rok / typ okresu / numer) ", 98.5, 61.5},
    {7, pwNone, " 12. Symbol formularza lub płatności ", LabelX, 70.0},
    {7, pwNone,
     " 13. Identyfikacja zobowiązania (rodzaj dokumentu, np. decyzja, tytuł wykonawczy, postanowienie) ", 43.5,
     70.0},
};

class RowLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(RowLabelTest, LabelStartsAtItsCornerAfterItsLeadingBlank)
{
    const LabelCase& c = GetParam();
    PrintedCoupon coupon(c.kind, c.mode);
    ASSERT_TRUE(coupon.Print(0));
    const QString label = QString::fromUtf8(c.label);
    const FontFacts font = coupon.Measure(LabelPoints, Face::Regular, label);
    const QVector<PdfWord>& words = coupon.Read();
    ASSERT_TRUE(coupon.Error().isEmpty()) << coupon.Error().toStdString();
    const PdfFontMetrics* embedded = coupon.Font(Face::Regular);
    ASSERT_NE(embedded, nullptr) << "no regular Liberation Sans in the file";

    const QVector<PdfWordRun> runs = FindPhrase(words, label);
    const PdfWordRun* run = Nearest(runs, words, c.xMm + font.leadingBlanksMm, c.topMm);
    ASSERT_NE(run, nullptr) << "label not found among: " << AllText(words).toStdString();
    const PdfWord& first = words[run->first];
    EXPECT_NEAR(PointsToMm(first.xMin), c.xMm + font.leadingBlanksMm, PositionToleranceMm);
    EXPECT_NEAR(PointsToMm(Baseline(first, *embedded)), c.topMm + font.ascentMm, PositionToleranceMm);
    EXPECT_NEAR(FontSize(first, *embedded), LabelPoints, SizeTolerancePt);
}

std::string LabelName(const ::testing::TestParamInfo<LabelCase>& info)
{
    return "Kind" + std::to_string(info.param.kind) + ModeName(info.param.mode) + "_"
           + SafeName(QString::fromUtf8(info.param.label)) + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Labels, RowLabelTest, ::testing::ValuesIn(LabelCases), LabelName);

// ---- other printed texts: backgrounds, legends, boxes, free values -------------

enum class Anchor { Left, Centre };

struct TextCase {
    const char* name;
    quint16 kind;
    TPrzelewWplata mode;
    std::function<void(TfrmBlank&)> fill; // the document's values, if the text is one
    const char* text;                     // as drawn
    Anchor anchor;
    double xMm;       // left edge of the text cell, or the centre of its width
    double topMm;     // top of the text cell; ignored when cellRow is set
    int cellRow;      // >= 0: a line centred on the cells of that row
    int points;
    Face face;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

// The legends step 1.85 mm from line to line.
constexpr double LegendStep = 1.85;
constexpr double ZusLegendTop = 4.0;
constexpr double LowerLegendTop = 87.0;
constexpr double CellMiddleBelowRow = 4.4;

const TextCase TextCases[] = {
    {"MarkW", 5, pwNone, nullptr, "W", Anchor::Left, 47.8, 30.2, -1, 11, Face::Regular},
    {"MarkP", 5, pwNone, nullptr, "P", Anchor::Left, 53.4, 30.2, -1, 11, Face::Regular},
    {"Fee", 5, pwNone, nullptr, "Opłata", Anchor::Left, 76.5, 89.5, -1, 6, Face::Regular},
    {"TaxFee", 7, pwNone, nullptr, "15. Opłata", Anchor::Left, 76.5, 89.5, -1, 6, Face::Regular},
    {"Signature", 5, pwNone, nullptr, "pieczęć, data i podpis(y) zleceniodawcy", Anchor::Centre, 41.5, 100.0, -1,
     5, Face::Regular},
    {"ZusSignature1", 6, pwNone, nullptr, "Nazwisko, imię i adres wpłacającego lub", Anchor::Centre, 41.5, 97.5,
     -1, 5, Face::Regular},
    {"ZusSignature2", 6, pwNone, nullptr, "pieczęć, podpis(y) zleceniodawcy", Anchor::Centre, 41.5, 100.0, -1, 5,
     Face::Regular},
    {"TaxSignature", 7, pwNone, nullptr, "14. Pieczęć, data i podpis zobowiązanego", Anchor::Centre, 41.5, 100.0,
     -1, 5, Face::Regular},

    {"ZusName", 6, pwNone, nullptr, "Zakład Ubezpieczeń Społecznych", Anchor::Left, 9.5, 5.0, -1, 12, Face::Bold},
    {"ZusDues", 6, pwNone, nullptr, "Należności z tytułu skladek", Anchor::Left, 19.5, 11.5, -1, 10,
     Face::Regular},
    {"ZusIdTypeFirst", 6, pwNone, nullptr, "07. Typ drugiego", Anchor::Left, 80.5, ZusLegendTop, -1, 5,
     Face::Regular},
    {"ZusIdTypeLast", 6, pwNone, nullptr, "2 - Paszport", Anchor::Left, 80.5, ZusLegendTop + 5 * LegendStep, -1, 5,
     Face::Regular},
    {"ZusAccountFirst", 6, pwNone, nullptr, "01. Numer rachunku ZUS", Anchor::Left, 96.5, ZusLegendTop, -1, 5,
     Face::Regular},
    {"ZusAccountIndented", 6, pwNone, nullptr, "  - wpisać 83 w 1 i 2 kratce oraz 1 w 21 kratce", Anchor::Left,
     96.5, ZusLegendTop + 2 * LegendStep, -1, 5, Face::Regular},
    {"ZusAccountLast", 6, pwNone, nullptr, "FEP - wpisać 68 w 1 i 2 kratce oraz 4 w 21 kratce", Anchor::Left, 96.5,
     ZusLegendTop + 6 * LegendStep, -1, 5, Face::Regular},
    {"ZusPaymentTypeFirst", 6, pwNone, nullptr, "09. Typ wpłaty", Anchor::Left, 120.5, LowerLegendTop, -1, 5,
     Face::Regular},
    {"ZusPaymentTypeLast", 6, pwNone, nullptr, "za błędy płatnika", Anchor::Left, 120.5,
     LowerLegendTop + 8 * LegendStep, -1, 5, Face::Regular},

    {"TaxWord", 7, pwNone, nullptr, "PODATKI", Anchor::Centre, 75.0, 30.0, -1, 75, Face::Heavy},
    {"TaxIdTypeFirst", 7, pwNone, nullptr, "Typ identyfikatora: N - NIP,", Anchor::Left, 120.5, LowerLegendTop, -1,
     5, Face::Regular},
    {"TaxIdTypeLast", 7, pwNone, nullptr, "tożsamość", Anchor::Left, 120.5, LowerLegendTop + 4 * LegendStep, -1, 5,
     Face::Regular},
    // The period legend keeps 0.6 mm more from the identifier legend.
    {"TaxPeriodFirst", 7, pwNone, nullptr, "Typ okresu, np. R - rok,", Anchor::Left, 120.5,
     LowerLegendTop + 4 * LegendStep + 2.45, -1, 5, Face::Regular},
    {"TaxPeriodLast", 7, pwNone, nullptr, "J - dzień", Anchor::Left, 120.5,
     LowerLegendTop + 4 * LegendStep + 2.45 + 3 * LegendStep, -1, 5, Face::Regular},

    {"AmountInWords", 5, pwWplata, [](TfrmBlank& f) { f.SetKwota(1234 * OneZloty + OneZloty / 2); },
     "jeden tysiąc dwieście trzydzieści cztery zł pięćdziesiąt gr", Anchor::Left, 8.5, 39.5, -1, 8,
     Face::Regular},
    {"LongRecipientLine1", 5, pwNone,
     [](TfrmBlank& f) {
         f.Odbiorca() << QStringLiteral("Zakład Ubezpieczeń Społecznych") << QStringLiteral("Oddział w Łodzi");
     },
     "Zakład Ubezpieczeń Społecznych", Anchor::Left, 8.5, 0, 0, 12, Face::Regular},
    {"LongRecipientLine2", 5, pwNone,
     [](TfrmBlank& f) {
         f.Odbiorca() << QStringLiteral("Zakład Ubezpieczeń Społecznych") << QStringLiteral("Oddział w Łodzi");
     },
     "Oddział w Łodzi", Anchor::Left, 8.5, 0, 1, 12, Face::Regular},
    {"LongTitle", 5, pwPrzelew,
     [](TfrmBlank& f) { f.Tytul() << QStringLiteral("Zapłata za fakturę nr 12/2026 z dnia 3 listopada"); },
     "Zapłata za fakturę nr 12/2026 z dnia 3 listopada", Anchor::Left, 8.5, 0, 7, 12, Face::Regular},
};

class PrintedTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(PrintedTextTest, TextStandsWhereTheFormPutsIt)
{
    const TextCase& c = GetParam();
    PrintedCoupon coupon(c.kind, c.mode);
    if (c.fill)
        c.fill(coupon.Form());
    ASSERT_TRUE(coupon.Print(0));
    const QString text = QString::fromUtf8(c.text);
    const FontFacts font = coupon.Measure(c.points, c.face, text);
    const QVector<PdfWord>& words = coupon.Read();
    ASSERT_TRUE(coupon.Error().isEmpty()) << coupon.Error().toStdString();
    const PdfFontMetrics* embedded = coupon.Font(c.face);
    ASSERT_NE(embedded, nullptr) << EmbeddedName(c.face).toStdString() << " is not in the file";

    // A line centred on a row's cells has its middle at the cells' middle.
    const double top = c.cellRow >= 0
                           ? RowY(c.cellRow) + CellMiddleBelowRow - (font.ascentMm + font.descentMm) / 2
                           : c.topMm;
    const QVector<PdfWordRun> runs = FindPhrase(words, text);
    const PdfWordRun* run = Nearest(runs, words, c.xMm, top);
    ASSERT_NE(run, nullptr) << "text not found among: " << AllText(words).toStdString();
    const PdfWord& first = words[run->first];
    if (c.anchor == Anchor::Left)
        EXPECT_NEAR(PointsToMm(first.xMin), c.xMm + font.leadingBlanksMm, PositionToleranceMm);
    else
        EXPECT_NEAR(PointsToMm(run->box.xMin + run->box.xMax) / 2, c.xMm, PositionToleranceMm);
    EXPECT_NEAR(PointsToMm(Baseline(first, *embedded)), top + font.ascentMm, PositionToleranceMm);
    EXPECT_NEAR(FontSize(first, *embedded), c.points, SizeTolerancePt);
}

std::string TextName(const ::testing::TestParamInfo<TextCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Texts, PrintedTextTest, ::testing::ValuesIn(TextCases), TextName);

// ---- values written one character per cell ------------------------------------------

struct CellCase {
    const char* name;
    quint16 kind;
    TPrzelewWplata mode;
    std::function<void(TfrmBlank&)> fill;
    const char* cells; // what the cells hold from the first on; a blank is an empty cell
    int row;
    int col;
    int points;
};

void PrintTo(const CellCase& c, std::ostream* os)
{
    *os << c.name;
}

constexpr double CellWidth = 5.0;

const CellCase CellCases[] = {
    {"Amount", 5, pwNone, [](TfrmBlank& f) { f.SetKwota(1234 * OneZloty + OneZloty / 2); }, "1234,50", 3, 15, 15},
    {"LargestAmount", 7, pwPrzelew, [](TfrmBlank& f) { f.SetKwota(999999999 * OneZloty + 99 * OneZloty / 100); },
     "999999999,99", 3, 15, 15},
    {"Currency", 5, pwNone, nullptr, "PLN", 3, 11, 14},
    {"ZusCurrency", 6, pwWplata, nullptr, "PLN", 3, 11, 14},
    {"FormCode", 5, pwNone, nullptr, "06", 9, 25, 13},
    {"ZusFormCode", 6, pwNone, nullptr, "00", 9, 25, 13},
    {"TaxFormCode", 7, pwNone, nullptr, "07", 9, 25, 13},
    {"Recipient", 5, pwNone, [](TfrmBlank& f) { f.Odbiorca() << QStringLiteral("Jan Kowalski"); }, "Jan Kowalski",
     0, 0, 12},
    {"RecipientSecondLine", 7, pwNone,
     [](TfrmBlank& f) { f.Odbiorca() << QStringLiteral("Urząd Skarbowy") << QStringLiteral("Łódź-Bałuty"); },
     "Łódź-Bałuty", 1, 0, 12},
    {"Sender", 5, pwWplata, [](TfrmBlank& f) { f.Nadawca() << QStringLiteral("Żółć Gęślą Jaźń"); },
     "Żółć Gęślą Jaźń", 5, 0, 12},
    {"SenderSecondLine", 6, pwNone,
     [](TfrmBlank& f) { f.Nadawca() << QStringLiteral("Anna Nowak") << QStringLiteral("ul. Długa 5"); },
     "ul. Długa 5", 6, 0, 12},
    {"Title", 5, pwPrzelew, [](TfrmBlank& f) { f.Tytul() << QStringLiteral("Faktura 12/2026"); },
     "Faktura 12/2026", 7, 0, 12},
    {"ZusPaymentType", 6, pwNone, nullptr, "S", 8, 0, 13},
    {"ZusDeclarationNumber", 6, pwNone, nullptr, "01", 8, 2, 13},
    {"TaxIdType", 7, pwNone, nullptr, "N", 7, 15, 13},
};

class CellValueTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellValueTest, EachCharacterIsCentredInItsCell)
{
    const CellCase& c = GetParam();
    PrintedCoupon coupon(c.kind, c.mode);
    if (c.fill)
        c.fill(coupon.Form());
    ASSERT_TRUE(coupon.Print(0));
    const FontFacts font = coupon.Measure(c.points, Face::Regular, QString());
    const QVector<PdfWord>& words = coupon.Read();
    ASSERT_TRUE(coupon.Error().isEmpty()) << coupon.Error().toStdString();
    const PdfFontMetrics* embedded = coupon.Font(Face::Regular);
    ASSERT_NE(embedded, nullptr);

    // Every character drawn on its own is a word of its own; blanks draw nothing.
    const QString cells = QString::fromUtf8(c.cells);
    QStringList letters;
    QVector<int> columns;
    for (int i = 0; i < cells.size(); ++i) {
        if (cells[i] != QLatin1Char(' ')) {
            letters << QString(cells[i]);
            columns << c.col + i;
        }
    }
    const double baseline = RowY(c.row) + CellMiddleBelowRow + (font.ascentMm - font.descentMm) / 2;
    const QVector<PdfWordRun> runs = FindPhrase(words, letters.join(QLatin1Char(' ')));
    const PdfWordRun* run = Nearest(runs, words, ColX(c.col), baseline - font.ascentMm);
    ASSERT_NE(run, nullptr) << "value not found among: " << AllText(words).toStdString();
    for (int k = 0; k < letters.size(); ++k) {
        const PdfWord& w = words[run->first + k];
        SCOPED_TRACE(("character " + letters[k] + " in column " + QString::number(columns[k])).toStdString());
        EXPECT_NEAR(PointsToMm(w.xMin + w.xMax) / 2, ColX(columns[k]) + CellWidth / 2, PositionToleranceMm);
        EXPECT_NEAR(PointsToMm(Baseline(w, *embedded)), baseline, PositionToleranceMm);
        EXPECT_NEAR(FontSize(w, *embedded), c.points, SizeTolerancePt);
    }
}

std::string CellName(const ::testing::TestParamInfo<CellCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Values, CellValueTest, ::testing::ValuesIn(CellCases), CellName);

// ---- texts turned to read upward ----------------------------------------------------

struct TurnedCase {
    TPrzelewWplata mode;
    int coupon;
    const char* text;
};

void PrintTo(const TurnedCase& c, std::ostream* os)
{
    *os << ModeName(c.mode) << " coupon " << c.coupon << " \"" << c.text << '"';
}

// Captions sit right of the box area, centred on its height; the title left
// of it, centred on the rows above the lower strip.
constexpr double CaptionLeft = 144.0;
constexpr double CaptionMiddle = 87.5 / 2;
constexpr double TitleRight = 7.5;
constexpr double TitleMiddle = 79.0 / 2;

const TurnedCase CaptionCases[] = {
    {pwNone, 0, "odcinek dla banku odbiorcy"},
    {pwNone, 1, "odcinek dla odbiorcy"},
    {pwPrzelew, 2, "odcinek dla zleceniodawcy"},
    {pwPrzelew, 3, "odcinek dla banku zleceniodawcy"},
    {pwWplata, 0, "odcinek dla banku"},
    {pwWplata, 1, "odcinek dla posiadacza rachunku"},
    {pwWplata, 2, "odcinek dla wpłacającego"},
    {pwWplata, 3, "odcinek dla instytucji przyjmującej zlecenie"},
};

const TurnedCase TitleCases[] = {
    {pwNone, 0, "Polecenie przelewu / Wpłata gotówkowa"},
    {pwWplata, 1, "Wpłata gotówkowa"},
    {pwPrzelew, 2, "Polecenie przelewu"},
};

// The turned words of a phrase, read upward: their boxes stack from the
// bottom of the page towards its top.
struct TurnedExtent {
    bool found = false;
    double leftMm = 0;
    double rightMm = 0;
    double topMm = 0;
    double bottomMm = 0;
};

TurnedExtent FindTurned(const QVector<PdfWord>& words, const QString& phrase)
{
    TurnedExtent extent;
    const QVector<PdfWordRun> runs = FindPhrase(words, phrase);
    if (runs.size() != 1)
        return extent;
    extent.found = true;
    extent.leftMm = PointsToMm(runs[0].box.xMin);
    extent.rightMm = PointsToMm(runs[0].box.xMax);
    extent.topMm = PointsToMm(runs[0].box.yMin);
    extent.bottomMm = PointsToMm(runs[0].box.yMax);
    return extent;
}

class CaptionTest : public ::testing::TestWithParam<TurnedCase> {};

TEST_P(CaptionTest, CaptionReadsUpwardRightOfTheBoxes)
{
    const TurnedCase& c = GetParam();
    for (quint16 kind : {bkTransfer, bkTransferZus, bkTransferTax}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        PrintedCoupon coupon(kind, c.mode);
        ASSERT_TRUE(coupon.Print(c.coupon));
        const QVector<PdfWord>& words = coupon.Read();
        ASSERT_TRUE(coupon.Error().isEmpty()) << coupon.Error().toStdString();
        const TurnedExtent caption = FindTurned(words, QString::fromUtf8(c.text));
        ASSERT_TRUE(caption.found) << "caption not found once among: " << AllText(words).toStdString();
        EXPECT_GT(caption.leftMm, CaptionLeft);
        EXPECT_LT(caption.rightMm, CouponWidthMm);
        EXPECT_NEAR((caption.topMm + caption.bottomMm) / 2, CaptionMiddle, PositionToleranceMm);
    }
}

std::string TurnedName(const ::testing::TestParamInfo<TurnedCase>& info)
{
    return std::string(ModeName(info.param.mode)) + std::to_string(info.param.coupon) + "_"
           + SafeName(QString::fromUtf8(info.param.text));
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionTest, ::testing::ValuesIn(CaptionCases), TurnedName);

class TitleTest : public ::testing::TestWithParam<TurnedCase> {};

TEST_P(TitleTest, TitleReadsUpwardLeftOfTheBoxes)
{
    const TurnedCase& c = GetParam();
    PrintedCoupon coupon(bkTransfer, c.mode);
    ASSERT_TRUE(coupon.Print(c.coupon));
    const QVector<PdfWord>& words = coupon.Read();
    ASSERT_TRUE(coupon.Error().isEmpty()) << coupon.Error().toStdString();
    const TurnedExtent title = FindTurned(words, QString::fromUtf8(c.text));
    ASSERT_TRUE(title.found) << "title not found once among: " << AllText(words).toStdString();
    EXPECT_GT(title.leftMm, 0.0);
    EXPECT_LT(title.rightMm, TitleRight);
    EXPECT_NEAR((title.topMm + title.bottomMm) / 2, TitleMiddle, PositionToleranceMm);
}

INSTANTIATE_TEST_SUITE_P(Titles, TitleTest, ::testing::ValuesIn(TitleCases), TurnedName);

TEST(CouponPagesTest, EachPageCarriesItsOwnCoupon)
{
    PrintedCoupon coupons(bkTransfer, pwNone);
    ASSERT_TRUE(coupons.Print(0));
    ASSERT_TRUE(coupons.Print(3));
    const QVector<PdfWord>& words = coupons.Read();
    ASSERT_TRUE(coupons.Error().isEmpty()) << coupons.Error().toStdString();
    const QVector<PdfWordRun> first = FindPhrase(words, QStringLiteral("odcinek dla banku odbiorcy"));
    const QVector<PdfWordRun> last = FindPhrase(words, QStringLiteral("odcinek dla banku zleceniodawcy"));
    ASSERT_EQ(first.size(), 1);
    ASSERT_EQ(last.size(), 1);
    EXPECT_EQ(first[0].box.page, 1);
    EXPECT_EQ(last[0].box.page, 2);
    // The second page starts from its own corner, not below the first.
    EXPECT_NEAR(PointsToMm(last[0].box.yMin + last[0].box.yMax) / 2, CaptionMiddle, PositionToleranceMm);
    EXPECT_EQ(FindPhrase(words, QStringLiteral("nazwa odbiorcy")).size(), 4); // rows 0 and 1, twice
}

// ---- Polish letters survive into the printed text -------------------------------------

struct LettersCase {
    const char* name;
    quint16 kind;
    TPrzelewWplata mode;
    int coupon;
    std::function<void(TfrmBlank&)> fill;
    const char* phrase;
};

void PrintTo(const LettersCase& c, std::ostream* os)
{
    *os << c.name;
}

const LettersCase LettersCases[] = {
    {"Title", 5, pwNone, 0, nullptr, "Wpłata gotówkowa"},
    {"ZusName", 6, pwNone, 0, nullptr, "Zakład Ubezpieczeń Społecznych"},
    // The pre-printed text has it without the ł.
    {"ZusDues", 6, pwNone, 0, nullptr, "Należności z tytułu skladek"},
    {"SenderContinued", 5, pwNone, 0, nullptr, "nazwa zleceniodawcy c.d."},
    {"ZusLegend", 6, pwNone, 0, nullptr, "FP i FGŚP - wpisać 73 w 1 i 2 kratce oraz 3 w 21 kratce"},
    {"ZusPaymentType", 6, pwNone, 0, nullptr, "S - Składka za 1 miesiąc"},
    {"TaxLegend", 7, pwNone, 0, nullptr, "P - półrocze, K - kwartał,"},
    {"TaxObligation", 7, pwNone, 0, nullptr,
     "13. Identyfikacja zobowiązania (rodzaj dokumentu, np. decyzja, tytuł wykonawczy, postanowienie)"},
    {"Caption", 5, pwWplata, 2, nullptr, "odcinek dla wpłacającego"},
    {"AmountInWords", 6, pwWplata, 0, [](TfrmBlank& f) { f.SetKwota(25 * OneZloty); },
     "dwadzieścia pięć zł zero gr"},
    {"FreeRecipient", 7, pwNone, 0,
     [](TfrmBlank& f) { f.Odbiorca() << QStringLiteral("Urząd Skarbowy Łódź-Bałuty w Łodzi, ul. Żeromskiego"); },
     "Urząd Skarbowy Łódź-Bałuty w Łodzi, ul. Żeromskiego"},
};

class PolishLettersTest : public ::testing::TestWithParam<LettersCase> {};

TEST_P(PolishLettersTest, PrintedTextKeepsItsLetters)
{
    const LettersCase& c = GetParam();
    PrintedCoupon coupon(c.kind, c.mode);
    if (c.fill)
        c.fill(coupon.Form());
    ASSERT_TRUE(coupon.Print(c.coupon));
    const QVector<PdfWord>& words = coupon.Read();
    ASSERT_TRUE(coupon.Error().isEmpty()) << coupon.Error().toStdString();
    EXPECT_FALSE(FindPhrase(words, QString::fromUtf8(c.phrase)).isEmpty())
        << "not among: " << AllText(words).toStdString();
}

std::string LettersName(const ::testing::TestParamInfo<LettersCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Letters, PolishLettersTest, ::testing::ValuesIn(LettersCases), LettersName);

} // namespace
