// The printer layer against a real CUPS daemon of the test's own: the
// queues it lists with their drivers and device addresses, the current one
// when none is the default, and the second of two four-coupon landscape jobs
// that go through the spooler into a PDF file, rasterised and searched for
// the coupons' corner marks and tint.
#include "helpers/PdfText.h"
#include "helpers/PrivateCups.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "document/BlankFormUnit.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/DevMode.h"
#include "platform/Printer.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>

#include <unistd.h>

namespace {

const QString FileQueue = QStringLiteral("pdf-file");
const QString CupsPdfQueue = QStringLiteral("cups-pdf");
const QString FileModel = QStringLiteral("Test PDF file printer");
// Whole points, different on every side, so that a margin taken from the
// wrong side or not at all moves the coupons.
const QMarginsF FileMarginsPt(12, 18, 15, 9);

constexpr qint16 PaperLetter = 1;
constexpr qint16 PaperA4 = 9;
constexpr qint16 ColorOn = 2;
constexpr int RasterDpi = 150;
constexpr double PlaceToleranceMm = 1.0; // the driver may round its printable area
constexpr double MarkThicknessMm = 0.6;
constexpr double MinTintShare = 0.2;
constexpr double MaxStrayTintShare = 0.01;

const QString Recipient = QStringLiteral("Spółdzielnia Mieszkaniowa Zorza");

double PxToMm(double px)
{
    return px * 25.4 / RasterDpi;
}

int MmToPx(double mm)
{
    return int(std::lround(mm / 25.4 * RasterDpi));
}

// The corner marks are black; the form colour and its tint are not.
bool IsDark(QRgb p)
{
    return qRed(p) < 96 && qGreen(p) < 96 && qBlue(p) < 96;
}

// A dark run along a line of the page, in millimetres from the sheet's corner.
struct DarkSpan {
    double fromMm = 0;
    double toMm = 0;
    double Centre() const { return (fromMm + toMm) / 2; }
    double Length() const { return toMm - fromMm; }
};

// The dark pixels of a row (alongX) or column between a and b mm at position
// at mm; nullopt when there are none or they are not one unbroken run.
std::optional<DarkSpan> DarkRun(const QImage& page, bool alongX, double atMm, double aMm, double bMm)
{
    const int at = MmToPx(atMm);
    int first = -1, last = -1, count = 0;
    for (int i = MmToPx(aMm); i <= MmToPx(bMm); ++i) {
        const int x = alongX ? i : at;
        const int y = alongX ? at : i;
        if (!page.valid(x, y) || !IsDark(page.pixel(x, y)))
            continue;
        if (first < 0)
            first = i;
        last = i;
        ++count;
    }
    if (first < 0 || count != last - first + 1)
        return std::nullopt;
    return DarkSpan{PxToMm(first), PxToMm(last + 1)};
}

// How much of the area has the tint's colour, give or take the rasteriser's rounding.
double TintShare(const QImage& page, const QRect& area, QRgb tint)
{
    const QRect clipped = area.intersected(page.rect());
    if (clipped.isEmpty())
        return 0;
    int count = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const QRgb p = page.pixel(x, y);
            count += std::abs(qRed(p) - qRed(tint)) <= 6 && std::abs(qGreen(p) - qGreen(tint)) <= 6
                     && std::abs(qBlue(p) - qBlue(tint)) <= 6;
        }
    return double(count) / (double(clipped.width()) * clipped.height());
}

QString NickName(const QString& ppdPath)
{
    QFile file(ppdPath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QRegularExpression nick(QStringLiteral("^\\*NickName:\\s*\"([^\"]*)\""),
                                  QRegularExpression::MultilineOption);
    return nick.match(QString::fromLatin1(file.readAll())).captured(1);
}

class CupsEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!PrivateCups::Installed())
            GTEST_SKIP() << "CUPS (cupsd, lpadmin, lpstat) is not installed";
        ASSERT_TRUE(cups.Start()) << cups.Error().toStdString();
        outFile = QDir(cups.OutputFolder()).filePath(QStringLiteral("job.pdf"));
        // Letter by default, so that A4 comes only from the device mode.
        ASSERT_TRUE(cups.AddPdfFileQueue(FileQueue, outFile, FileModel, FileMarginsPt, QStringLiteral("Letter")))
            << cups.Error().toStdString();
        cupsPdfPpd = PrivateCups::CupsPdfPpd();
        ASSERT_FALSE(cupsPdfPpd.isEmpty()) << "the cups-pdf driver (printer-driver-cups-pdf) is not installed";
        // Listed only, never printed on: its backend would write outside
        // our folder. Only a daemon running as root may use that backend
        // (it is readable by root alone); any other refuses its scheme, so
        // there the driver is put on a device that discards.
        cupsPdfUri = geteuid() == 0 ? QStringLiteral("cups-pdf:/") : QStringLiteral("file:///dev/null");
        ASSERT_TRUE(cups.AddQueue(CupsPdfQueue, cupsPdfUri, cupsPdfPpd))
            << cups.Error().toStdString();
        // Only now, with CUPS_SERVER pointing at our daemon, are the queues read.
        Printer().SetSpooler(std::make_unique<TSystemSpooler>());
    }

    void TearDown() override
    {
        // The program-wide printer outlives this daemon; leave it on nothing
        // of ours.
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(QDir::tempPath(), QStringList{}, 600,
                                                               QPageSize(QPageSize::A4), QMarginsF()));
    }

    static QByteArray A4InColour()
    {
        TDevMode mode;
        mode.Fields = dmPaperSizeField | dmColorField;
        mode.PaperSize = PaperA4;
        mode.Color = ColorOn;
        return EncodeDevMode(mode);
    }

    QImage Rasterise(const QString& pdf)
    {
        const QString prefix = QDir(cups.OutputFolder()).filePath(QStringLiteral("page"));
        QProcess process;
        process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(RasterDpi),
                                                   QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
        if (!process.waitForFinished(60'000) || process.exitCode() != 0) {
            process.kill();
            ADD_FAILURE() << "pdftoppm failed: " << process.readAllStandardError().toStdString();
            return QImage();
        }
        return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    }

    TempConfig config;
    PrivateCups cups;
    QString outFile;
    QString cupsPdfPpd;
    QString cupsPdfUri;
};

TEST_F(CupsEndToEndTest, ListsTheDaemonsQueuesWithDriverAndDeviceAddress)
{
    // The daemon has no default queue, so its first queue is the current one.
    ASSERT_TRUE(Printer().Spooler().DefaultQueue().isEmpty());
    EXPECT_EQ(Printer().PrinterName(), Printer().Printers().value(0));
    QStringList listed = Printer().Printers();
    listed.sort();
    EXPECT_EQ(listed, (QStringList{CupsPdfQueue, FileQueue}));

    struct Expected {
        QString queue;
        QString driver;
        QString port;
        qint16 defaultPaper;
    };
    const Expected expected[] = {
        {FileQueue, FileModel, QStringLiteral("file://") + outFile, PaperLetter},
        {CupsPdfQueue, NickName(cupsPdfPpd), cupsPdfUri, PaperA4},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.queue.toStdString());
        ASSERT_FALSE(e.driver.isEmpty());
        // Without a device mode of its own the queue keeps its driver's defaults.
        Printer().SetPrinter(e.queue, QString(), QString(), QByteArray());
        QString name, driver, port;
        QByteArray block;
        Printer().GetPrinter(name, driver, port, block);
        TDevMode mode;
        ASSERT_TRUE(DecodeDevMode(block, mode));
        EXPECT_EQ(mode.PaperSize, e.defaultPaper);

        Printer().SetPrinter(e.queue, QString(), QString(), A4InColour());
        Printer().GetPrinter(name, driver, port, block);
        EXPECT_EQ(name, e.queue);
        EXPECT_EQ(driver, e.driver);
        EXPECT_EQ(port, e.port);
        ASSERT_TRUE(DecodeDevMode(block, mode));
        EXPECT_EQ(mode.PaperSize, PaperA4);
        EXPECT_EQ(mode.Color, ColorOn);
        EXPECT_EQ(Printer().PrinterIndex(), Printer().Printers().indexOf(e.queue));
    }
}

// Every coupon's top-left corner mark, an L of 0.6 mm black lines from
// (5.5, 2.5) to (13.5, 2.5) and down to (5.5, 10.5) of the coupon, and its
// tinted box from (7.5, 2.5) to (142.5, 87.5). Without fit to page the
// layout places coupon k at (150 (k div 2), 105 (k mod 2)) mm from the
// sheet's corner, having subtracted the printable area's offsets; a driver
// whose margins differ on every side shows whether they were the right ones.
TEST_F(CupsEndToEndTest, LandscapeJobPutsTheFourCouponsAtTheirPlacesOnTheSheet)
{
    InitializeCommonUnit();
    TfrmBlank form(nullptr, bkTransfer);
    form.SetPrzelewWplata(pwPrzelew);
    form.SetKwota(1234'5000);
    form.Odbiorca() = QStringList{Recipient, QStringLiteral("ul. Długa 5")};

    Printer().SetPrinter(FileQueue, QString(), QString(), A4InColour());
    ASSERT_EQ(Printer().PrinterName(), FileQueue);
    // The second job of the session is the one checked: the queue keeps the last.
    PrintTransferLandscape(form.Data(), form.BlankObj, TCouponChoice{});
    PrintTransferLandscape(form.Data(), form.BlankObj, TCouponChoice{});
    ASSERT_TRUE(cups.WaitForJobs(FileQueue, 2)) << cups.Error().toStdString();

    // The landscape sheet as the layer described it to the layout, with the
    // driver's margins as its offsets.
    const int dpi = Printer().DeviceCaps(LOGPIXELSX);
    ASSERT_GT(dpi, 0);
    EXPECT_NEAR(Printer().DeviceCaps(PHYSICALWIDTH) * 25.4 / dpi, 297, 1);
    EXPECT_NEAR(Printer().DeviceCaps(PHYSICALHEIGHT) * 25.4 / dpi, 210, 1);
    EXPECT_GT(Printer().DeviceCaps(PHYSICALOFFSETX), 0);
    EXPECT_GT(Printer().DeviceCaps(PHYSICALOFFSETY), 0);

    QFile file(outFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the queue wrote no " << outFile.toStdString();
    const QByteArray pdf = file.readAll();
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(pageObject), 1);

    // The document's own values made it through, once per coupon.
    const PdfWords read = ReadPdfWords(outFile);
    ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
    EXPECT_EQ(FindPhrase(read.words, Recipient).size(), 4) << AllText(read.words).toStdString();

    const QImage page = Rasterise(outFile);
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(PxToMm(page.width()), 297, 1);
    EXPECT_NEAR(PxToMm(page.height()), 210, 1);

    const QRgb tint = QColor(GetRValue(TBlankObj::HalfColorA(form.KolForm())),
                             GetGValue(TBlankObj::HalfColorA(form.KolForm())),
                             GetBValue(TBlankObj::HalfColorA(form.KolForm())))
                          .rgb();
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(QStringLiteral("coupon %1").arg(k).toStdString());
        const double ox = CouponWidthMm * (k / 2);
        const double oy = CouponHeightMm * (k % 2);

        // Across each arm of the L, between things that are not black.
        const std::optional<DarkSpan> down = DarkRun(page, true, oy + 7.0, ox + 3.5, ox + 7.2);
        const std::optional<DarkSpan> across = DarkRun(page, false, ox + 6.5, oy + 0.8, oy + 4.2);
        ASSERT_TRUE(down && across) << "no corner mark near (" << ox + 5.5 << ", " << oy + 2.5 << ") mm";
        EXPECT_NEAR(down->Centre(), ox + 5.5, PlaceToleranceMm);
        EXPECT_NEAR(across->Centre(), oy + 2.5, PlaceToleranceMm);
        EXPECT_NEAR(down->Length(), MarkThicknessMm, 0.3);
        EXPECT_NEAR(across->Length(), MarkThicknessMm, 0.3);

        // Along each arm: 8 mm, plus the round caps.
        const std::optional<DarkSpan> top = DarkRun(page, true, across->Centre(), ox + 3.0, ox + 16.0);
        const std::optional<DarkSpan> left = DarkRun(page, false, down->Centre(), oy + 0.8, oy + 13.5);
        ASSERT_TRUE(top && left);
        EXPECT_NEAR(top->fromMm, ox + 5.5 - MarkThicknessMm / 2, PlaceToleranceMm);
        EXPECT_NEAR(top->toMm, ox + 13.5 + MarkThicknessMm / 2, PlaceToleranceMm);
        EXPECT_NEAR(left->fromMm, oy + 2.5 - MarkThicknessMm / 2, PlaceToleranceMm);
        EXPECT_NEAR(left->toMm, oy + 10.5 + MarkThicknessMm / 2, PlaceToleranceMm);

        // The tint fills the box between the cells and stops at its edges:
        // none left of it nor above it.
        const auto share = [&](double x1, double y1, double x2, double y2) {
            return TintShare(page, QRect(QPoint(MmToPx(ox + x1), MmToPx(oy + y1)),
                                         QPoint(MmToPx(ox + x2) - 1, MmToPx(oy + y2) - 1)),
                             tint);
        };
        EXPECT_GT(share(7.5, 2.5, 142.5, 87.5), MinTintShare);
        EXPECT_LT(share(6.0, 20.0, 7.0, 80.0), MaxStrayTintShare);
        EXPECT_LT(share(20.0, 0.8, 140.0, 2.0), MaxStrayTintShare);
    }
}

} // namespace
