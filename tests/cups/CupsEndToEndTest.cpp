// The printer layer against a CUPS daemon of the test's own: its queues, the first current when none is the
// default, the second of two landscape jobs and a two-sided money order rasterised from the PDF the queue writes.
#include "helpers/PageRaster.h"
#include "helpers/PdfText.h"
#include "helpers/PrivateCups.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "document/BlankFormUnit.h"
#include "drawing/BackBuffer.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "layouts/untBlPrzekaz.h"
#include "platform/DevMode.h"
#include "platform/Printer.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const QString FileQueue = QStringLiteral("pdf-file"), CupsPdfQueue = QStringLiteral("cups-pdf");
constexpr qint16 PaperLetter = 1, PaperA4 = 9, ColorOn = 2;
constexpr int RasterDpi = 150;

// The dark pixels across a line of the page between a and b mm, at mm: the
// centre of their one unbroken run in mm, or -1.
double DarkCentre(const QImage& page, bool alongX, double atMm, double aMm, double bMm)
{
    const auto px = [](double mm) { return int(mm / 25.4 * RasterDpi + 0.5); };
    int first = -1, last = -1, count = 0;
    for (int i = px(aMm); i <= px(bMm); ++i) {
        // Black, not the form's colour nor its tint.
        if (qGray(alongX ? page.pixel(i, px(atMm)) : page.pixel(px(atMm), i)) < 80)
            first = first < 0 ? i : first, last = i, ++count;
    }
    return first >= 0 && count == last - first + 1 ? (first + last + 1) / 2.0 * 25.4 / RasterDpi : -1;
}

class CupsEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!PrivateCups::Installed())
            GTEST_SKIP() << "CUPS (cupsd, lpadmin) is not installed";
        ASSERT_TRUE(cups.Start()) << cups.Error().toStdString();
        // Letter by default in the fixture's driver, so that A4 comes only from the device mode.
        ASSERT_TRUE(cups.AddQueue(FileQueue, QStringLiteral("file://") + outFile)) << cups.Error().toStdString();
        ASSERT_TRUE(QFile::exists(cupsPdfPpd)) << "the cups-pdf driver (printer-driver-cups-pdf) is not installed";
        // Listed, never printed on: only a daemon running as root may use its
        // backend, which would write outside our folder; others get a discarding device.
        ASSERT_TRUE(cups.AddQueue(CupsPdfQueue, cupsPdfUri, cupsPdfPpd)) << cups.Error().toStdString();
        // Only now, with CUPS_SERVER on our daemon, are the queues read.
        Printer().SetSpooler(std::make_unique<TSystemSpooler>());
    }
    // The program-wide printer outlives this daemon.
    void TearDown() override { Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(QDir::tempPath(), QStringList{}, 600, QPageSize(QPageSize::A4), QMarginsF())); }
    static QByteArray A4InColour()
    {
        TDevMode mode;
        mode.Fields = dmPaperSizeField | dmColorField, mode.PaperSize = PaperA4, mode.Color = ColorOn;
        return EncodeDevMode(mode);
    }

    TempConfig config;
    PrivateCups cups{QStringLiteral(WPLATOMAT_TEST_DATA "/cups")};
    QString outFile = QDir(cups.OutputFolder()).filePath(QStringLiteral("job.pdf"));
    QString cupsPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
    QString cupsPdfUri = geteuid() == 0 ? QStringLiteral("cups-pdf:/") : QStringLiteral("file:///dev/null");
};

TEST_F(CupsEndToEndTest, ListsTheDaemonsQueuesWithDriverAndDeviceAddress)
{
    ASSERT_TRUE(Printer().Spooler().DefaultQueue().isEmpty());
    EXPECT_EQ(Printer().PrinterName(), Printer().Printers().value(0));
    // A start lists the queues from the spooler's records and reads no driver but the current queue's, which Qt's
    // printer reads for itself too.
    QFile log(QDir(cups.OutputFolder()).filePath(QStringLiteral("../log/access_log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly) && log.seek(log.size()));
    Printer().SetSpooler(std::make_unique<TSystemSpooler>());
    const QByteArray current = "GET /printers/" + Printer().PrinterName().toUtf8() + ".ppd";
    QByteArray requests;
    // The daemon logs a moment later; a third read, were there one, would be in by then too.
    QTest::qWaitFor([&] { return (requests += log.readAll()).count(current) > 2; }, 500);
    EXPECT_EQ(requests.count(".ppd "), requests.count(current));
    EXPECT_EQ(requests.count(current), 2) << requests.constData();
    const struct {
        QString queue, driver, port;
        qint16 defaultPaper; // the driver's, without a device mode of the queue's own
    } rows[] = {{FileQueue, QStringLiteral("Test PDF file printer"), QStringLiteral("file://") + outFile, PaperLetter},
                {CupsPdfQueue, QStringLiteral("Generic CUPS-PDF Printer (w/ options)"), cupsPdfUri, PaperA4}};
    for (const auto& e : rows) {
        QString name, driver, port;
        QByteArray block;
        TDevMode plain, chosen;
        Printer().SetPrinter(e.queue, QString(), QString(), QByteArray());
        Printer().GetPrinter(name, driver, port, block);
        EXPECT_TRUE(DecodeDevMode(block, plain));
        Printer().SetPrinter(e.queue, QString(), QString(), A4InColour());
        Printer().GetPrinter(name, driver, port, block);
        EXPECT_TRUE(DecodeDevMode(block, chosen));
        EXPECT_EQ(QStringList({name, driver, port}), QStringList({e.queue, e.driver, e.port}));
        EXPECT_EQ(QList<int>({plain.PaperSize, chosen.PaperSize, chosen.Color, Printer().PrinterIndex()}),
                  QList<int>({e.defaultPaper, PaperA4, ColorOn, int(Printer().Printers().indexOf(e.queue))})) << e.queue.toStdString();
    }
    EXPECT_EQ(Printer().Printers().size(), 2);
}

// Every coupon's corner mark: an L of 0.6 mm black lines from (5.5, 2.5) to
// (13.5, 2.5) and down to (5.5, 10.5); coupon k at (150 (k div 2), 105 (k mod
// 2)) mm from the sheet's corner once the printable area's offsets are taken
// off. The driver's margins differ on every side (12, 18, 15, 9 pt), so one
// taken from the wrong side moves the coupons.
TEST_F(CupsEndToEndTest, SecondLandscapeJobPutsTheFourCouponsAtTheirPlacesOnTheSheet)
{
    InitializeCommonUnit();
    TfrmBlank form(nullptr, bkTransfer);
    const QString recipient = QStringLiteral("Spółdzielnia Mieszkaniowa Zorza");
    form.Odbiorca() = QStringList{recipient};
    Printer().SetPrinter(FileQueue, QString(), QString(), A4InColour());
    PrintTransferLandscape(form.Data(), form.BlankObj, TCouponChoice{});
    PrintTransferLandscape(form.Data(), form.BlankObj, TCouponChoice{});
    ASSERT_TRUE(cups.WaitForJobs(FileQueue, 2)) << cups.Error().toStdString();
    EXPECT_EQ(FindPhrase(ReadPdfWords(outFile).words, recipient).size(), 4) << cups.Error().toStdString();
    const QString prefix = QDir(cups.OutputFolder()).filePath(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(RasterDpi),
                                                             QStringLiteral("-png"), QStringLiteral("-singlefile"), outFile, prefix}), 0);
    const QImage page = QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
            const double ox = CouponWidthMm * (k / 2), oy = CouponHeightMm * (k % 2);
        // Across each arm of the L, between things that are not black; 1 mm for the driver's rounding.
        EXPECT_NEAR(DarkCentre(page, true, oy + 7.0, ox + 3.5, ox + 7.2), ox + 5.5, 1.0);
        EXPECT_NEAR(DarkCentre(page, false, ox + 9.5, oy + 0.8, oy + 4.2), oy + 2.5, 1.0);
    }
}

// Both sides, OK between: the strip 15 pt - 4 mm right of the sheet's edge for the driver's A4 margins
// (left 12, right 15, top 18 pt), the turned back behind the front.
TEST_F(CupsEndToEndTest, MoneyOrderBothSidesGivesTwoJobsThatRegister)
{
    InitializeCommonUnit(), InitializeBackBuffer();
    TfrmBlank form(nullptr, bkMoneyOrder);
    Printer().SetPrinter(FileQueue, QString(), QString(), A4InColour());
    const QString frontFile = outFile + u".front.pdf"_qs;
    PrintMoneyOrder(form.Data(), form.BlankObj, {true, true, [&] { return cups.WaitForJobs(FileQueue, 1) && QFile::copy(outFile, frontFile); }});
    ASSERT_TRUE(cups.WaitForJobs(FileQueue, 2)) << cups.Error().toStdString();
    ExpectMoneyOrderSides(frontFile, outFile, 15 * MmPerPoint - 4, 0);
}

} // namespace
