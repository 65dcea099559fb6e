// The money order drawn, read back from a PDF page, previewed against pictures, and printed.
#include "ReferencePicture.h"
#include "helpers/PageRaster.h"
#include "helpers/PdfText.h"
#include "helpers/PixelProbe.h"
#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/Exception.h"
#include "drawing/untBlankObj.h"
#include "layouts/untBlPrzekaz.h"
#include "layouts/untBlWplata.h"
#include "platform/Bitmap.h"
#include "platform/PdfFile.h"
#include "platform/Printer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr TColor TextColour = 0x002080C0, FormColour = 0x00A05020;

int Px(double mm) { return int(mm * 10 + 0.5); }
QRect Area(double x1, double y1, double x2, double y2) { return QRect(QPoint(Px(x1), Px(y1)), QPoint(Px(x2), Px(y2))); }

TBlankData Order(Currency kwota = 0)
{
    TBlankData d;
    d.FKind = bkMoneyOrder;
    d.FKolForm = FormColour;
    d.FKolTekst = TextColour;
    d.FKwota = kwota;
    return d;
}

QImage Draw(const TBlankData& d, void (*routine)(const TBlankData&, TBlankObj&))
{
    TBlankObj obj;
    TBitmap bitmap(2100, 1000);
    obj.SetDPI(254);
    obj.SetCanvas(&bitmap.Canvas());
    routine(d, obj);
    bitmap.Canvas().End();
    return bitmap.Image().copy();
}

// The bounds in mm of the pixels of one colour in the area.
QRectF ColourBounds(const QImage& image, const QRect& area, TColor colour)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (PixelAt(image, x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return QRectF(bounds.left() / 10.0, bounds.top() / 10.0, bounds.width() / 10.0, bounds.height() / 10.0);
}

// The words of the PDF page whose boxes lie wholly in (x1..x2, y1..y2 mm), and the middle of their span.
std::string WordsIn(const QVector<PdfWord>& words, double x1, double x2, double y1, double y2, QPointF* span = nullptr)
{
    QStringList found;
    QPointF at(x2, x1);
    for (const PdfWord& w : words) {
        const double left = PointsToMm(w.xMin);
        const double right = PointsToMm(w.xMax);
        const double middle = PointsToMm(w.yMin + w.yMax) / 2;
        if (left < x1 - 0.1 || right > x2 + 0.1 || middle < y1 || middle > y2)
            continue;
        found << w.text;
        at = QPointF(std::min(at.x(), left), std::max(at.y(), right));
    }
    if (span)
        *span = at;
    return found.join(QLatin1Char(' ')).toStdString();
}

TEST(MoneyOrderTest, AmountIsRoundedOnceAndPrintedCompleteAt600Dpi)
{
    const struct {
        Currency kwota;
        const char* zlote;
        const char* grosze;
        const char* words;
    } rows[] = {
        {1234'5600, "1234", "56", "jeden tysiąc dwieście trzydzieści cztery"},
        {0, "", "", ""},
        {5000, "0", "50", ""},
        {12'9990, "13", "00", "trzynaście"},
        {-5'0000, "", "", ""},
        {10'0000'0000'0000, "", "", ""},
        {9'9999'9999'9900, "999999999", "99",
         "dziewięćset dziewięćdziesiąt dziewięć milionów "
         "dziewięćset dziewięćdziesiąt dziewięć tysięcy "
         "dziewięćset dziewięćdziesiąt dziewięć"},
        {7'7777'7777'0000, "777777777", "00",
         "siedemset siedemdziesiąt siedem milionów siedemset siedemdziesiąt siedem tysięcy siedemset "
         "siedemdziesiąt siedem"}};
    // Each section's złote and grosze spans and the top of its figures.
    const double sections[3][5] = {{40, 77, 81, 89, 33.5}, {102, 131, 135, 143, 37.5}, {156, 188, 192, 200, 41.5}};
    QTemporaryDir dir;
    const QString path = dir.filePath(u"front.pdf"_s);
    for (const auto& row : rows) {
        {
            TPdfFile pdf(path, 210, 100, 600);
            TBlankObj obj;
            obj.SetDPI(600);
            obj.SetCanvas(&pdf.Canvas());
            DrawMoneyOrderFront(Order(row.kwota), obj);
        }
        const QVector<PdfWord> words = ReadPdfWords(path, PdfWordOrder::Drawing).words;
        // Figures centred on their spans; the words' second line from x 6, each line wholly within its span.
        for (const auto& [zloteFrom, zloteTo, groszeFrom, groszeTo, top] : sections) {
            QPointF span;
            EXPECT_EQ(WordsIn(words, zloteFrom, zloteTo, top, top + 5, &span), row.zlote);
            if (*row.zlote)
                EXPECT_NEAR(span.x() + span.y(), zloteFrom + zloteTo, 0.6);
            EXPECT_EQ(WordsIn(words, groszeFrom, groszeTo, top, top + 5, &span), row.grosze);
            if (*row.grosze)
                EXPECT_NEAR(span.x() + span.y(), groszeFrom + groszeTo, 0.6);
        }
        QPointF span;
        const std::string second = WordsIn(words, 6, 79, 46, 50, &span);
        EXPECT_EQ(WordsIn(words, 16, 89, 41, 45) + (second.empty() ? "" : " ") + second, row.words);
        if (!second.empty())
            EXPECT_NEAR(span.x(), 6, 0.2);
    }
}

TEST(MoneyOrderTest, LongNamesStopAtTheirSpansAndTheTitleAtTheBoxBottom)
{
    TBlankData d = Order();
    const QString name = u"Przedsiębiorstwo Wielobranżowe Żółw i Wspólnicy spółka jawna"_s;
    d.FNadawca = {name, u"drugi wiersz"_s};
    d.FOdbiorca = {name + name};
    d.FTytul = QStringList(25, u"Zapłata"_s);
    const QImage front = Draw(d, DrawMoneyOrderFront);
    // Each name's span (left, right) and rows (top, line): cut at most a word gap short of the right end.
    const double names[][4] = {{6, 9, 14, 70},    {6, 50, 55, 89},    {97, 11, 15, 143},
                               {97, 47, 51, 143}, {151, 18, 22, 200}, {151, 47, 51, 200}};
    for (const auto& [left, top, line, right] : names) {
        const QRectF ink = ColourBounds(front, Area(left - 2, top, right + 3, line), TextColour);
        EXPECT_LT(ink.right(), right) << left << ", " << top;
        EXPECT_GT(ink.right(), right - 5) << left << ", " << top;
    }
    const QImage back = Draw(d, DrawMoneyOrderBack);
    const double first = ColourBounds(back, Area(96, 17, 144, 20.9), TextColour).top();
    EXPECT_NEAR(first, 17.5, 0.5);
    for (int n = 1; n < 19; ++n)
        EXPECT_DOUBLE_EQ(ColourBounds(back, Area(96, 17 + 4 * n, 144, 20.9 + 4 * n), TextColour).top(), first + 4 * n);
    EXPECT_EQ(CountPixels(back, Area(95, 92.9, 145, 100), TextColour), 0);
}

// A side previewed at zoom 100 on a window of the strip's size, all of it or only the area given.
QImage Preview(const TBlankData& d, TBlankSide side, const QRect& area = QRect())
{
    InitializeBackBuffer();
    TBlankObj obj;
    QImage window(827, 394, QImage::Format_RGB32);
    window.fill(Qt::gray);
    TCanvas canvas(&window);
    canvas.SetClipRect(area);
    obj.SetDPI(100);
    obj.SetCanvas(&canvas);
    PaintMoneyOrder(d, obj, side);
    canvas.End();
    return window;
}

TEST(MoneyOrderTest, PreviewShowsBothSidesUprightAndRepaintsPartsAlike)
{
    TBlankData filled = Order(1234'5600);
    filled.FNadawca = {u"Józef Żółkiewski"_s};
    filled.FNadKod = u"31-042"_s;
    filled.FNadAdres = u"ul. Świętokrzyska 12/4"_s;
    filled.FNadPoczta = u"Kraków"_s;
    filled.FOdbiorca = {u"Spółdzielnia Mieszkaniowa „Zacisze”"_s};
    filled.FOdbAdres = u"ul. Piotrkowska 104"_s;
    filled.FOdbPoczta = u"Łódź"_s;
    filled.FOdbKod = u"90-001"_s;
    filled.FTytul = {u"Zwrot za bilety"_s, u"na koncert w Opolu"_s};
    const TSidePicture cases[] = {{false, bsTop, "money-order-front-empty.png"},
                 {true, bsTop, "money-order-front-filled.png"},
                 {false, bsBottom, "money-order-back-empty.png"},
                 {true, bsBottom, "money-order-back-filled.png"}};
    const QRect part(137, 61, 300, 200);
    for (const auto& c : cases) {
        const TBlankData d = c.filled ? filled : Order();
        const QImage full = Preview(d, c.side);
        EXPECT_EQ(Preview(d, c.side, part).copy(part), full.copy(part)) << c.file;
        ExpectReferencePicture(full, QLatin1String(c.file));
    }
}

TEST(MoneyOrderPrintTest, OffsetsShiftTheStripByTheMarginsLessTheAllowances)
{
    // At 600 ppi 4 mm are 94 pixels, 7 mm 165; A4 is 4961 wide. The front's origin and the back's corner.
    const struct {
        int left, top, right;
        QPoint front, back;
    } rows[] = {{0, 0, 0, {0, 0}, {0, 0}},
                {150, 100, 150, {-94, -100}, {-206, -100}},
                {50, 0, 150, {50, 0}, {-150, 0}},
                {150, 200, 150, {-94, 165}, {-206, 165}},
                {0, 165, 0, {0, 165}, {0, 165}}};
    for (const auto& r : rows) {
        const TMoneyOrderOffsets o = GetMoneyOrderPrintOffsets(600, r.left, r.top, 4961, 4961 - r.left - r.right);
        EXPECT_EQ(o.Front(), r.front) << r.left << ", " << r.top;
        EXPECT_EQ(o.Back(), r.back) << r.left << ", " << r.top;
    }
}

// One job a row, its title, page width in pt and its pictures' ppi: the money order's back at the queue's coarser
// figure, at most 1200. A back whose job cannot start returns the shared bitmap; without it the user is told.
TEST(MoneyOrderPrintTest, EachSideChoiceGivesItsOneJobAndAFailedBackReturnsTheSharedBitmap)
{
    QTemporaryDir dir;
    InitializeBackBuffer();
    const auto spool = [&](const QString& folder, int dpi, int yDpi) {
        const QPageSize a4(QPageSize::A4);
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(folder, QStringList{u"pdf"_s}, dpi, a4, QMarginsF(),
                                                               yDpi));
    };
    using Print = void (*)(const TBlankData&, TBlankObj&, const TSideChoice&);
    const struct {
        Print print;
        bool front;
        QString title, width, pictures;
        int xDpi = 300, yDpi = 0;
    } rows[] = {
        {PrintDepositForm, true, u"Blankiet - przód"_s, u"842"_s, {}},
        {PrintDepositForm, false, u"Blankiet - tył"_s, u"842"_s, {}},
        {PrintMoneyOrder, false, u"Przekaz - rewers"_s, u"595"_s, u"1200x1200"_s, 5760, 1440},
        {PrintMoneyOrder, false, u"Przekaz - rewers"_s, u"595"_s, u"360x360"_s, 720, 360},
        {PrintMoneyOrder, false, u"Przekaz - rewers"_s, u"595"_s, u"360x360"_s, 360, 720},
    };
    int job = 0;
    for (const auto& r : rows) {
        spool(dir.path(), r.xDpi, r.yDpi);
        TBlankObj obj;
        r.print(TBlankData{}, obj, TSideChoice{r.front, true, {}});
        const QString file = dir.filePath(u"pdf-%1.pdf"_s.arg(++job));
        EXPECT_EQ(PdfInfo(file, u"Title"_s), r.title);
        EXPECT_EQ(PdfInfo(file, u"Page size"_s).left(3), r.width);
        EXPECT_EQ(PdfImageResolutions(file).join(u' '), r.pictures);
    }
    // The deposit form's coupons 3 + 70 i mm from the sheet's edge, each titled at its top, the fee box only on the
    // post office's and the payer's (0 and 3); their dotted frames, the left edge at x 3 mm about half inked.
    const QString deposit = dir.filePath(u"pdf-1.pdf"_s);
    const QVector<PdfWord> words = ReadPdfWords(deposit, PdfWordOrder::Drawing).words;
    const char* const titles[] = {"Odcinek dla poczty", "Odcinek dla banku", "Odcinek dla posiadacza rachunku",
                                  "Potwierdzenie dla wpłacającego"};
    for (int i = 0; i < 4; ++i) {
        const QVector<PdfWordRun> runs = FindPhrase(words, QString::fromUtf8(titles[i]));
        ASSERT_EQ(runs.size(), 1) << titles[i];
        EXPECT_NEAR(PointsToMm(runs[0].box.xMin + runs[0].box.xMax) / 2, 38 + 70 * i, 0.3) << titles[i];
        EXPECT_NEAR(PointsToMm(runs[0].box.yMin), 2.5, 0.3) << titles[i];
    }
    QList<double> fees;
    for (const PdfWordRun& r : FindPhrase(words, u"Opłata"_s))
        fees << std::round(PointsToMm(r.box.xMin + r.box.xMax) / 2);
    EXPECT_EQ(fees, QList<double>({62, 272}));
    double share = 0;
    InkCentreMm(RasterPage(deposit, 300), false, 2.5, 3.5, 20, 80, &share);
    EXPECT_NEAR(share, 0.5, 0.2);
    Preview(Order(), bsBottom);
    spool(dir.filePath(u"gone"_s), 600, 0);
    TBlankObj obj;
    EXPECT_THROW(PrintMoneyOrder(TBlankData{}, obj, TSideChoice{false, true, {}}), Exception);
    const TBitmap* shared = BackBuffer();
    EXPECT_EQ(shared->Width(), 827);
    EXPECT_EQ(shared->Height(), 394);
    EXPECT_EQ(shared->PixelFormat(), pf32bit);
    FinalizeBackBuffer();
    try {
        PrintMoneyOrder(TBlankData{}, obj, TSideChoice{false, true, {}});
        ADD_FAILURE() << "printed a back without the shared bitmap";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Za mało pamięci, by przygotować tył przekazu do wydruku. "
                               u"Tył przekazu nie został wydrukowany."_s);
    }
    EXPECT_FALSE(obj.Printing());
    EXPECT_FALSE(Printer().Printing());
}

} // namespace
