// The money order at 254 ppi, as a 600 dpi PDF page read back with pdftotext, through the preview against pictures
// checked by eye (rewritten with WPLATOMAT_WRITE_REFERENCES=1 after a deliberate change), and printed.
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

namespace {

constexpr TColor TextColour = 0x002080C0;
constexpr TColor FormColour = 0x00A05020;

int Px(double mm) { return int(mm * 10 + 0.5); }
QRect Area(double x1, double y1, double x2, double y2) { return QRect(QPoint(Px(x1), Px(y1)), QPoint(Px(x2), Px(y2))); }

TBlankData Order(TColor form, Currency kwota = 0)
{
    TBlankData d;
    d.FKind = bkMoneyOrder, d.FKolForm = form, d.FKolTekst = TextColour, d.FKwota = kwota;
    return d;
}

QImage Draw(const TBlankData& d, void (*routine)(const TBlankData&, TBlankObj&))
{
    TBlankObj obj;
    TBitmap bitmap(2100, 1000);
    obj.SetDPI(254), obj.SetCanvas(&bitmap.Canvas());
    routine(d, obj);
    bitmap.Canvas().End();
    return bitmap.Image().copy();
}

// The bounds in mm of the pixels of one colour in the area (x1, y1, x2, y2 mm).
QRectF ColourBounds(const QImage& image, const QRect& area, TColor colour)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (PixelAt(image, x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return QRectF(bounds.left() / 10.0, bounds.top() / 10.0, bounds.width() / 10.0, bounds.height() / 10.0);
}

// The words of the PDF page whose boxes lie wholly in (x1..x2, y1..y2 mm).
std::string WordsIn(const QVector<PdfWord>& words, double x1, double x2, double y1, double y2, double* centre = nullptr)
{
    QStringList found;
    for (const PdfWord& w : words) {
        const double l = PointsToMm(w.xMin), r = PointsToMm(w.xMax), mid = PointsToMm(w.yMin + w.yMax) / 2;
        if (l >= x1 - 0.1 && r <= x2 + 0.1 && mid >= y1 && mid <= y2) {
            found << w.text;
            if (centre)
                *centre = (l + r) / 2;
        }
    }
    return found.join(QLatin1Char(' ')).toStdString();
}

TEST(MoneyOrderTest, AmountIsRoundedOnceAndPrintedCompleteAt600Dpi)
{
    struct Row { Currency kwota; const char* zlote; const char* grosze; const char* words; };
    const Row rows[] = {
        {1234'5600, "1234", "56", "jeden tysiąc dwieście trzydzieści cztery"}, {0, "", "", ""},
        {5000, "0", "50", ""}, {12'9990, "13", "00", "trzynaście"}, {-5'0000, "", "", ""},
        {10'0000'0000'0000, "", "", ""},
        {9'9999'9999'9900, "999999999", "99", "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset "
         "dziewięćdziesiąt dziewięć tysięcy dziewięćset dziewięćdziesiąt dziewięć"},
        {7'7777'7777'0000, "777777777", "00", "siedemset siedemdziesiąt siedem milionów siedemset "
         "siedemdziesiąt siedem tysięcy siedemset siedemdziesiąt siedem"}};
    // Each section's złote and grosze spans and the top of its figures.
    const double sections[3][5] = {{40, 77, 81, 89, 33.5}, {102, 131, 135, 143, 37.5}, {156, 188, 192, 200, 41.5}};
    QTemporaryDir dir;
    for (const Row& row : rows) {
        const QString path = dir.filePath(QStringLiteral("front.pdf"));
        {
            TPdfFile pdf(path, 210, 100, 600);
            TBlankObj obj;
            obj.SetDPI(600), obj.SetCanvas(&pdf.Canvas());
            DrawMoneyOrderFront(Order(FormColour, row.kwota), obj);
        }
        const PdfWords page = ReadPdfWords(path, PdfWordOrder::Drawing);
        for (const auto& s : sections) {
            double centre = 0;
            EXPECT_EQ(WordsIn(page.words, s[0], s[1], s[4], s[4] + 5, &centre), row.zlote);
            if (*row.zlote)
                EXPECT_NEAR(centre, (s[0] + s[1]) / 2, 0.3);
            EXPECT_EQ(WordsIn(page.words, s[2], s[3], s[4], s[4] + 5, &centre), row.grosze);
            if (*row.grosze)
                EXPECT_NEAR(centre, (s[2] + s[3]) / 2, 0.3);
        }
        // Both lines of words, each wholly within its span: 16-89 and 6-79 mm.
        const std::string second = WordsIn(page.words, 6, 79, 46, 50);
        EXPECT_EQ(WordsIn(page.words, 16, 89, 41, 45) + (second.empty() ? "" : " ") + second, row.words);
    }
}

TEST(MoneyOrderTest, LongNamesStopAtTheirSpansAndTheTitleAtTheBoxBottom)
{
    TBlankData d = Order(FormColour);
    const QString name = u"Przedsiębiorstwo Wielobranżowe Żółw i Wspólnicy spółka jawna"_qs;
    d.FNadawca = {name, u"drugi wiersz"_qs}, d.FOdbiorca = {name + name}, d.FTytul = QStringList(25, u"Zapłata"_qs);
    const QImage front = Draw(d, DrawMoneyOrderFront);
    // Each name: its span's left end, the top of its cell and its line, its span's right end; WrapText cuts a name a
    // word gap short of the span at most.
    const double names[][4] = {{6, 9, 14, 70}, {6, 50, 55, 89}, {97, 11, 15, 143}, {97, 47, 51, 143},
                               {151, 18, 22, 200}, {151, 47, 51, 200}};
    for (const auto& n : names) {
        const QRectF ink = ColourBounds(front, Area(n[0] - 2, n[1], n[3] + 3, n[2]), TextColour);
        EXPECT_LT(ink.right(), n[3]) << n[0] << ", " << n[1];
        EXPECT_GT(ink.right(), n[3] - 5) << n[0] << ", " << n[1];
    }
    const QImage back = Draw(d, DrawMoneyOrderBack);
    const double top = ColourBounds(back, Area(96, 17, 144, 20.9), TextColour).top();
    EXPECT_NEAR(top, 17.5, 0.5);
    for (int n = 1; n < 19; ++n)
        EXPECT_DOUBLE_EQ(ColourBounds(back, Area(96, 17 + 4 * n, 144, 20.9 + 4 * n), TextColour).top(), top + 4 * n);
    EXPECT_EQ(CountPixels(back, Area(95, 92.9, 145, 100), TextColour), 0);
}

// The preview of a side at zoom 100 on a window of the strip's size (210 x 100 mm), all of it or only the area given.
QImage Preview(const TBlankData& d, TBlankSide side, const QRect& area = QRect())
{
    InitializeBackBuffer();
    TBlankObj obj;
    QImage window(827, 394, QImage::Format_RGB32);
    window.fill(Qt::gray);
    TCanvas canvas(&window);
    canvas.SetClipRect(area), obj.SetDPI(100), obj.SetCanvas(&canvas);
    PaintMoneyOrder(d, obj, side);
    canvas.End();
    return window;
}

TEST(MoneyOrderTest, PreviewShowsBothSidesUprightAndRepaintsPartsAlike)
{
    TBlankData filled = Order(FormColour, 1234'5600);
    filled.FNadawca = {u"Józef Żółkiewski"_qs}, filled.FNadKod = u"31-042"_qs;
    filled.FOdbiorca = {u"Spółdzielnia Mieszkaniowa „Zacisze”"_qs};
    filled.FNadAdres = u"ul. Świętokrzyska 12/4"_qs, filled.FNadPoczta = u"Kraków"_qs;
    filled.FOdbAdres = u"ul. Piotrkowska 104"_qs, filled.FOdbPoczta = u"Łódź"_qs, filled.FOdbKod = u"90-001"_qs;
    filled.FTytul = {u"Zwrot za bilety"_qs, u"na koncert w Opolu"_qs};
    const struct { bool filled; TBlankSide side; const char* file; } cases[] = {
        {false, bsTop, "money-order-front-empty.png"}, {true, bsTop, "money-order-front-filled.png"},
        {false, bsBottom, "money-order-back-empty.png"}, {true, bsBottom, "money-order-back-filled.png"}};
    for (const auto& c : cases) {
        const TBlankData d = c.filled ? filled : Order(FormColour);
        const QImage full = Preview(d, c.side);
        EXPECT_EQ(Preview(d, c.side, QRect(137, 61, 300, 200)).copy(137, 61, 300, 200), full.copy(137, 61, 300, 200))
            << c.file;
        const QString path = QStringLiteral(WPLATOMAT_TEST_DATA "/reference/") + QLatin1String(c.file);
        if (qEnvironmentVariableIntValue("WPLATOMAT_WRITE_REFERENCES") == 1)
            ASSERT_TRUE(full.save(path));
        EXPECT_TRUE(full == QImage(path).convertToFormat(QImage::Format_RGB32)) << c.file;
    }
}

TEST(MoneyOrderPrintTest, OffsetsShiftTheStripByTheMarginsLessTheAllowances)
{
    // 600 ppi: 4 mm are 94 pixels, 7 mm 165; A4 is 4961 pixels wide.
    const struct {
        int L, T, R, dx, dy;
        QPoint front, back;
    } rows[] = {{0, 0, 0, 0, 0, {0, 0}, {0, 0}}, {150, 100, 150, 56, 0, {-94, -100}, {-206, -100}},
                {50, 0, 150, 100, 0, {50, 0}, {-150, 0}}, {150, 200, 150, 56, 365, {-94, 165}, {-206, 165}}};
    for (const auto& r : rows) {
        const TMoneyOrderOffsets o = GetMoneyOrderPrintOffsets(600, r.L, r.T, 4961, 4961 - r.L - r.R);
        EXPECT_EQ(QList<int>({o.L, o.T, o.dx, o.dy, o.Front().x(), o.Front().y(), o.Back().x(), o.Back().y()}),
                  QList<int>({r.L, r.T, r.dx, r.dy, r.front.x(), r.front.y(), r.back.x(), r.back.y()}));
    }
}

// One job per row: both sides asked for by a caller with no question to put between them (nobody said the sheet was
// turned, so the front alone, on either form), or the back only; its title, the page's width in pt and its pictures'
// pixels per inch: the money order's back at the queue's coarser figure, at most 1200 dpi. Then a back whose job
// cannot start leaves the shared bitmap at the preview's size and depth; without the bitmap the user is told.
TEST(MoneyOrderPrintTest, EachSideChoiceGivesItsOneJobAndAFailedBackReturnsTheSharedBitmap)
{
    QTemporaryDir dir;
    InitializeBackBuffer();
    const auto spool = [&](const QString& folder, int dpi, int yDpi) {
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(folder, QStringList{u"pdf"_qs}, dpi,
                                                               QPageSize(QPageSize::A4), QMarginsF(), yDpi));
    };
    using TPrint = void (*)(const TBlankData&, TBlankObj&, const TSideChoice&);
    const struct { TPrint print; bool front; QString job; int x = 300, y = 0; } rows[] = {
        {PrintMoneyOrder, true, u"Przekaz - awers 595"_qs}, {PrintDepositForm, true, u"Blankiet - przód 842"_qs},
        {PrintDepositForm, false, u"Blankiet - tył 842"_qs},
        {PrintMoneyOrder, false, u"Przekaz - rewers 595 1200x1200"_qs, 5760, 1440},
        {PrintMoneyOrder, false, u"Przekaz - rewers 595 360x360"_qs, 720, 360},
        {PrintMoneyOrder, false, u"Przekaz - rewers 595 360x360"_qs, 360, 720}};
    for (int n = 0; n < int(std::size(rows)); ++n) {
        spool(dir.path(), rows[n].x, rows[n].y);
        TBlankObj obj;
        rows[n].print(TBlankData{}, obj, TSideChoice{rows[n].front, true, {}});
        const QString job = dir.filePath(u"pdf-%1.pdf"_qs.arg(n + 1));
        EXPECT_EQ((QStringList{PdfInfo(job, u"Title"_qs), PdfInfo(job, u"Page size"_qs).left(3)}
                   + PdfImageResolutions(job)).join(u' '), rows[n].job);
        double share = 0.5; // of the deposit coupons' dotted frames, the left edge at x 3 mm: about half inked
        if (n == 1)
            InkCentreMm(RasterPage(job, 300), false, 2.5, 3.5, 20, 80, &share);
        EXPECT_NEAR(share, 0.5, 0.2) << n;
    }
    Preview(Order(FormColour), bsBottom);
    spool(dir.filePath(u"gone"_qs), 600, 0);
    TBlankObj obj;
    EXPECT_THROW(PrintMoneyOrder(TBlankData{}, obj, TSideChoice{false, true, {}}), Exception);
    const TBitmap* shared = BackBuffer();
    EXPECT_EQ(QList<int>({shared->Width(), shared->Height(), shared->PixelFormat()}), QList<int>({827, 394, pf32bit}));
    FinalizeBackBuffer();
    EXPECT_THROW(try { PrintMoneyOrder(TBlankData{}, obj, TSideChoice{false, true, {}}); } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Za mało pamięci, by przygotować tył przekazu do wydruku. "
                               u"Tył przekazu nie został wydrukowany."_qs);
        throw;
    }, Exception);
    EXPECT_FALSE(obj.Printing() || Printer().Printing());
}

} // namespace
