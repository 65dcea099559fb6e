// Whole coupons through the preview path at zoom 100, compared pixel for
// pixel with pictures that were checked by eye when they were made. Set
// WPLATOMAT_WRITE_REFERENCES=1 to write new pictures after a deliberate change.
#include "helpers/TempConfig.h"
#include "drawing/BackBuffer.h"
#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

struct ReferenceCase { quint16 kind; TPrzelewWplata mode; TBlankSide side; const char* file; };

// Every field a coupon of the three kinds shows; each kind draws its own.
QImage Render(const ReferenceCase& c)
{
    TBlankData data;
    data.FKind = c.kind;
    SetDocumentDefaults(data, QDate::currentDate());
    data.FKolForm = 0x000058EA, data.FKolTekst = 0x00602000;
    data.FPrzelewWplata = c.mode, data.FKwota = 1234'5600;
    data.FOdbiorca = QStringList{QStringLiteral("Spółdzielnia Mieszkaniowa"), QStringLiteral("„Zacisze” w Łodzi")};
    // The ZUS form takes its account from a list of the institution's own.
    data.FOdbRach = c.kind == bkTransferZus ? QStringLiteral("  101010230000261395 00000")
                                            : QStringLiteral("61 1090 1014 0000 0712 1981 2874");
    data.FNadRach = QStringLiteral("12 1020 5558 1111 1234 5678 9012"), data.FNadawca = QStringList{QStringLiteral("Józef Żółkiewski"), QStringLiteral("ul. Świętokrzyska 12/4, Kraków")};
    data.FTytul = QStringList{QStringLiteral("Czynsz za grudzień 2026"), QStringLiteral("lokal nr 4")};
    data.FNadNIP = QStringLiteral("5250001234"), data.FNadId2 = QStringLiteral("ABC123456");
    data.FNadDeklaracja = QStringLiteral("112026"), data.FNadNrDecyzji = QStringLiteral("D/12/2026");
    data.FNadOkres = QStringLiteral("26M11"), data.FNadSymbolForm = QStringLiteral("VAT-7");
    data.FNadIdZobow = QStringLiteral("decyzja 12/2026");
    TBlankObj obj;
    obj.SetDPI(100);
    QImage screen(obj.MM2Pixel(CouponWidthMm), obj.MM2Pixel(CouponHeightMm), QImage::Format_RGB32);
    screen.fill(Qt::gray);
    TCanvas canvas(&screen);
    obj.SetCanvas(&canvas);
    PaintTransferForm(data, obj, c.side);
    canvas.End();
    return screen;
}

TEST(TransferReferenceTest, PreviewMatchesTheCheckedPicture)
{
    TempConfig config;
    InitializeCommonUnit(), InitializeBackBuffer();
    const ReferenceCase cases[] = {
        {5, pwNone, bsTop, "transfer-5-none.png"}, {5, pwWplata, bsTop, "transfer-5-wplata.png"}, {5, pwPrzelew, bsTop, "transfer-5-przelew.png"},
        {6, pwNone, bsTop, "transfer-6-none.png"}, {6, pwWplata, bsTop, "transfer-6-wplata.png"}, {6, pwPrzelew, bsTop, "transfer-6-przelew.png"},
        {7, pwNone, bsTop, "transfer-7-none.png"}, {7, pwWplata, bsTop, "transfer-7-wplata.png"}, {7, pwPrzelew, bsTop, "transfer-7-przelew.png"},
        {5, pwNone, bsBottom, "transfer-receipt.png"}};
    for (const ReferenceCase& c : cases) {
        const QImage actual = Render(c);
        const QString path = QStringLiteral(WPLATOMAT_TEST_DATA "/reference/") + QLatin1String(c.file);
        const bool rewrite = qEnvironmentVariableIntValue("WPLATOMAT_WRITE_REFERENCES") == 1 && actual.save(path);
        EXPECT_TRUE(rewrite || actual == QImage(path).convertToFormat(QImage::Format_RGB32)) << c.file;
    }
}

} // namespace
