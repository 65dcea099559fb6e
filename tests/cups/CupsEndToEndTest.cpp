// The printer layer against a CUPS daemon of the test's own; jobs rasterised from the PDF its queues write.
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
#include "layouts/untBlWplata.h"
#include "platform/DevMode.h"
#include "platform/Printer.h"
#include "printing/untPrinterOperation.h"

#include <QDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString FileQueue = u"pdf-file"_s, CupsPdfQueue = u"cups-pdf"_s, Queue600 = u"pdf-file-600"_s;
constexpr qint16 PaperLetter = 1, PaperA4 = 9, ColorOn = 2;

class CupsEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PrivateCups::Installed()) << "CUPS (cupsd, lpadmin) is not installed";
        ASSERT_TRUE(cups.Start()) << cups.Error().toStdString();
        // Letter by default in the fixture's driver, so that A4 comes only from the device mode.
        ASSERT_TRUE(cups.AddQueue(FileQueue, u"file://"_s + outFile)) << cups.Error().toStdString();
        ASSERT_TRUE(QFile::exists(cupsPdfPpd)) << "the cups-pdf driver (printer-driver-cups-pdf) is not installed";
        // Listed, never printed on: its backend would write outside our folder.
        ASSERT_TRUE(cups.AddQueue(CupsPdfQueue, cupsPdfUri, cupsPdfPpd)) << cups.Error().toStdString();
        Printer().SetSpooler(std::make_unique<TSystemSpooler>());
    }
    // The program-wide printer outlives this daemon.
    void TearDown() override
    {
        const QPageSize a4(QPageSize::A4);
        Printer().SetSpooler(std::make_unique<TPdfFileSpooler>(QDir::tempPath(), QStringList{}, 600, a4, QMarginsF()));
    }
    // Queues of a driver that prints at the resolution given.
    void AddQueues(const QStringList& queues, const QStringList& resolutions)
    {
        for (int i = 0; i < queues.size(); ++i) {
            const QString option = u"Resolution="_s + resolutions[i];
            ASSERT_TRUE(cups.AddQueue(queues[i], u"file://"_s + outFile, QString(), {option}))
                << cups.Error().toStdString();
        }
        Printer().SetSpooler(std::make_unique<TSystemSpooler>());
    }
    static QByteArray A4InColour()
    {
        TDevMode mode;
        mode.Fields = dmPaperSizeField | dmColorField;
        mode.PaperSize = PaperA4;
        mode.Color = ColorOn;
        return EncodeDevMode(mode);
    }

    TempConfig config;
    PrivateCups cups{WPLATOMAT_TEST_DATA "/cups"_L1};
    QString outFile = QDir(cups.OutputFolder()).filePath(u"job.pdf"_s);
    QString cupsPdfPpd = u"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"_s;
    QString cupsPdfUri = geteuid() == 0 ? u"cups-pdf:/"_s : u"file:///dev/null"_s;
};

TEST_F(CupsEndToEndTest, ListsTheDaemonsQueuesWithDriverAndDeviceAddress)
{
    ASSERT_TRUE(Printer().Spooler().DefaultQueue().isEmpty());
    EXPECT_EQ(Printer().PrinterName(), Printer().Printers().value(0));
    const struct {
        QString queue, driver, port;
        qint16 defaultPaper; // the driver's, without a device mode of the queue's own
    } rows[] = {{FileQueue, u"Test PDF file printer"_s, u"file://"_s + outFile, PaperLetter},
                {CupsPdfQueue, u"Generic CUPS-PDF Printer (w/ options)"_s, cupsPdfUri, PaperA4}};
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
        EXPECT_EQ(name, e.queue);
        EXPECT_EQ(driver, e.driver);
        EXPECT_EQ(port, e.port);
        EXPECT_EQ(plain.PaperSize, e.defaultPaper);
        EXPECT_EQ(chosen.PaperSize, PaperA4);
        EXPECT_EQ(chosen.Color, ColorOn);
        EXPECT_EQ(Printer().PrinterIndex(), Printer().Printers().indexOf(e.queue));
    }
    EXPECT_EQ(Printer().Printers().size(), 2);
    // Without any queue there is no printer to start a job on.
    TearDown();
    EXPECT_TRUE(Printer().PrinterName().isEmpty());
    EXPECT_FALSE(Printer().BeginDoc());
}

// The side a two-sided queue turns pages on, long edge 2 or short edge 3 at byte 94 of the block after the 1572-byte
// record, is kept in the printer set-up file and given back.
TEST_F(CupsEndToEndTest, ThePrinterSetupKeepsTheSideTwoSidedPagesTurnOn)
{
    const QString ppd = WPLATOMAT_TEST_DATA "/cups/duplex.ppd"_L1;
    ASSERT_TRUE(cups.AddQueue(u"duplex"_s, u"file://"_s + outFile, ppd)) << cups.Error().toStdString();
    Printer().SetSpooler(std::make_unique<TSystemSpooler>());
    Printer().SetPrinter(u"duplex"_s, QString(), QString(), QByteArray());
    TPrinterOperations setup;
    setup.SetFileName(config.Path() + u"/PrinterSetup.cfg"_s);
    for (const auto& [side, code] : {std::pair{QPrinter::DuplexLongSide, 2}, {QPrinter::DuplexShortSide, 3}}) {
        Printer().QtPrinter().setDuplex(side);
        ASSERT_EQ(Printer().QtPrinter().duplex(), side);
        setup.SaveSetup();
        QFile saved(setup.FileName());
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readAll().mid(1666, 2), QByteArray(1, char(code)) + '\0');
        Printer().QtPrinter().setDuplex(QPrinter::DuplexNone);
        setup.LoadSetup();
        EXPECT_EQ(Printer().QtPrinter().duplex(), side) << code;
    }
}

// Margins 9, 12, 24 and 15 pt (left, top, right, bottom) on the landscape page. Deposit coupons 3 + 70 i mm from the
// printable left: the front row's dotted frames max(top, bottom) = 15 pt from the top, the back's turned title lines
// 85 mm down a row as far from the bottom. The transfer coupons' corner marks (arms at 5.5 and 2.5 mm) from the sheet's
// corner, or fitted to the printable 285 x 200 mm, where 300 / 285 mm shrink 600 to 570 dpi.
TEST_F(CupsEndToEndTest, LandscapeJobsTakeTheLandscapePagesPrintableArea)
{
    InitializeCommonUnit();
    AddQueues({Queue600}, {u"600dpi"_s});
    Printer().SetPrinter(Queue600, QString(), QString(), A4InColour());
    const double left = 9 * MmPerPoint;
    const double top = 12 * MmPerPoint;
    const double row = 15 * MmPerPoint;
    const double backTitle = 210 - row - 100 + 85;
    TBlankData deposit;
    deposit.FKind = bkDeposit;
    deposit.FKolForm = clBlack;
    deposit.FKolTekst = clBlack;
    deposit.FTytul = QStringList{u"Czynsz"_s};
    TBlankObj obj;
    const QString frontFile = outFile + u".front.pdf"_s;
    const auto keepFront = [&] { return cups.WaitForJobs(Queue600, 1) && QFile::copy(outFile, frontFile); };
    PrintDepositForm(deposit, obj, {true, true, keepFront});
    ASSERT_TRUE(cups.WaitForJobs(Queue600, 2)) << cups.Error().toStdString();
    const QImage front = RasterPage(frontFile);
    const QImage back = RasterPage(outFile);
    for (int i = 0; i < 4; ++i) {
        const double x = left + 3 + 70 * i;
        EXPECT_NEAR(InkCentreMm(front, false, x - 0.5, x + 0.5, row + 20, row + 80), x, 0.1) << i;
        EXPECT_NEAR(InkCentreMm(front, true, row - 0.5, row + 0.5, x + 20, x + 50), row, 0.1) << i;
        EXPECT_NEAR(InkCentreMm(back, true, backTitle - 1, backTitle + 1, x + 10, x + 40), backTitle, 0.1) << i;
    }
    TBlankData transfer;
    transfer.FKind = bkTransfer;
    const struct {
        bool fit;
        double x0, y0, scale;
    } layouts[] = {{false, 0, 0, 1}, {true, left, top, 570 / 600.0}};
    for (const auto& l : layouts) {
        TCouponChoice choice;
        choice.autoScale = l.fit;
        PrintTransferLandscape(transfer, obj, choice);
        ASSERT_TRUE(cups.WaitForJobs(Queue600, l.fit ? 4 : 3)) << cups.Error().toStdString();
        const QImage page = RasterPage(outFile);
        for (int k = 0; k < 4; ++k) {
            const double x = l.x0 + (CouponWidthMm * (k / 2) + 5.5) * l.scale;
            const double y = l.y0 + (CouponHeightMm * (k % 2) + 2.5) * l.scale;
            EXPECT_NEAR(InkCentreMm(page, false, x - 0.6, x + 0.6, y + 1.5, y + 6), x, 0.1) << k << " fit " << l.fit;
            EXPECT_NEAR(InkCentreMm(page, true, y - 0.6, y + 0.6, x + 1.5, x + 6), y, 0.1) << k << " fit " << l.fit;
        }
    }
}

// Both sides of a money order at a 300 and a 600 dpi queue's resolution: the strip (15 pt - 4 mm) right and (7 mm +
// 24 pt) down from the sheet's corner in whole pixels, the turned back behind the front.
TEST_F(CupsEndToEndTest, MoneyOrderIsDrawnAtTheQueuesResolutionAndItsSidesRegister)
{
    InitializeCommonUnit();
    InitializeBackBuffer();
    AddQueues({Queue600, u"inkjet"_s}, {u"600dpi"_s, u"5760x1440dpi"_s});
    for (const auto& [queue, dpi] : {std::pair{FileQueue, 300}, {Queue600, 600}}) {
        Printer().SetPrinter(queue, QString(), QString(), A4InColour());
        // Millimetres to pixels with ties to even; the driver's margins in whole pixels, ties away from zero.
        const auto px = [dpi = dpi](double mm) { return std::nearbyint(mm * dpi / 25.4); };
        const auto margin = [dpi = dpi](double pt) { return std::round(pt * dpi / 72); };
        TBlankData d;
        d.FKind = bkMoneyOrder;
        d.FKolForm = DefaultKolForm(bkMoneyOrder);
        d.FTytul = QStringList{u"Czynsz"_s};
        TBlankObj obj;
        const QString frontFile = outFile + u".front.pdf"_s;
        QFile::remove(frontFile);
        const auto keepFront = [&] { return cups.WaitForJobs(queue, 1) && QFile::copy(outFile, frontFile); };
        PrintMoneyOrder(d, obj, {true, true, keepFront});
        ASSERT_TRUE(cups.WaitForJobs(queue, 2)) << cups.Error().toStdString();
        EXPECT_EQ(obj.DPI(), dpi);
        EXPECT_EQ(Printer().DeviceCaps(LOGPIXELSX), dpi);
        const double dx = (margin(15) - px(4)) * 25.4 / dpi;
        const double dy = (px(7) + margin(24)) * 25.4 / dpi;
        ExpectMoneyOrderSides(frontFile, outFile, dx, dy, dpi);
    }
    Printer().SetPrinter(u"inkjet"_s, QString(), QString(), QByteArray());
    EXPECT_EQ(Printer().DriverResolution(), QSize(5760, 1440));
    EXPECT_EQ(Printer().DeviceCaps(LOGPIXELSX), 5760);
}

} // namespace
