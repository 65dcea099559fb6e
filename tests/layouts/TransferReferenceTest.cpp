// Whole coupons through the preview path at zoom 100, compared pixel for
// pixel with pictures that were checked by eye when they were made. Set
// WPLATOMAT_WRITE_REFERENCES=1 to write new pictures after a deliberate change.
#include "helpers/PixelProbe.h"
#include "helpers/TempConfig.h"
#include "document/BackBuffer.h"
#include "document/BlankFormUnit.h"
#include "drawing/untCommon.h"
#include "layouts/untBlCzerwony.h"
#include "platform/Registry.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace {

constexpr int PreviewDpi = 100;

struct ReferenceCase {
    quint16 kind;
    TPrzelewWplata mode;
    TBlankSide side;
    const char* file;
};

void FillDocument(TfrmBlank& form, TPrzelewWplata mode)
{
    form.SetPrzelewWplata(mode);
    form.SetKwota(1234'5600);
    form.SetEditorValue(16, QStringLiteral("Spółdzielnia Mieszkaniowa\r\n„Zacisze” w Łodzi"));
    form.SetEditorValue(17, QStringLiteral("61 1090 1014 0000 0712 1981 2874"));
    form.SetEditorValue(33, QStringLiteral("12 1020 5558 1111 1234 5678 9012"));
    form.SetEditorValue(32, QStringLiteral("Józef Żółkiewski\r\nul. Świętokrzyska 12/4, Kraków"));
    form.SetEditorValue(64, QStringLiteral("Czynsz za grudzień 2026\r\nlokal nr 4"));
    form.SetEditorValue(37, QStringLiteral("5250001234"));
    form.SetEditorValue(39, QStringLiteral("ABC123456"));
    form.SetEditorValue(41, QStringLiteral("112026"));
    form.SetEditorValue(43, QStringLiteral("D/12/2026"));
    form.SetEditorValue(44, QStringLiteral("26M11"));
    form.SetEditorValue(45, QStringLiteral("VAT-7"));
    form.SetEditorValue(46, QStringLiteral("decyzja 12/2026"));
}

QImage Render(const ReferenceCase& c)
{
    TRegistry reg;
    reg.OpenKey(QStringLiteral("Software\\Korvex\\Wplatomat"), true);
    reg.WriteInteger(QStringLiteral("BlankColor%1").arg(c.kind), 0x000058EA);
    reg.WriteInteger(QStringLiteral("DataColor%1").arg(c.kind), 0x00602000);
    TfrmBlank form(nullptr, c.kind);
    FillDocument(form, c.mode);
    TBlankObj& obj = form.BlankObj;
    obj.SetDPI(PreviewDpi);
    QImage screen(obj.MM2Pixel(CouponWidthMm), obj.MM2Pixel(CouponHeightMm), QImage::Format_RGB32);
    screen.fill(Qt::gray);
    TCanvas canvas(&screen);
    form.SetPixelsPerInch(PreviewDpi);
    obj.SetCanvas(&canvas);
    PaintTransferForm(&form, c.side);
    canvas.End();
    return screen;
}

// "x 12.3-15.0 mm, y 40.0-41.2 mm (57 pixels)" for the differing part.
QString DescribeDifference(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2 instead of %3x%4")
            .arg(actual.width()).arg(actual.height()).arg(expected.width()).arg(expected.height());
    QRect area;
    int count = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                area |= QRect(x, y, 1, 1);
                ++count;
            }
    if (count == 0)
        return QString();
    const double mmPerPixel = 25.4 / PreviewDpi;
    return QStringLiteral("x %1-%2 mm, y %3-%4 mm (%5 pixels)")
        .arg(area.left() * mmPerPixel, 0, 'f', 1).arg((area.right() + 1) * mmPerPixel, 0, 'f', 1)
        .arg(area.top() * mmPerPixel, 0, 'f', 1).arg((area.bottom() + 1) * mmPerPixel, 0, 'f', 1)
        .arg(count);
}

class TransferReferenceTest : public ::testing::TestWithParam<ReferenceCase> {
protected:
    void SetUp() override
    {
        InitializeCommonUnit();
        InitializeBackBuffer();
    }
    TempConfig config;
};

TEST_P(TransferReferenceTest, PreviewMatchesTheCheckedPicture)
{
    const QImage actual = Render(GetParam()).convertToFormat(QImage::Format_RGB32);
    const QString path = QStringLiteral(WPLATOMAT_TEST_DATA "/reference/") + QLatin1String(GetParam().file);
    if (qEnvironmentVariableIntValue("WPLATOMAT_WRITE_REFERENCES") == 1) {
        QDir().mkpath(QStringLiteral(WPLATOMAT_TEST_DATA "/reference"));
        ASSERT_TRUE(actual.save(path));
        return;
    }
    const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "missing " << path.toStdString();
    const QString difference = DescribeDifference(actual, expected);
    if (!difference.isEmpty())
        actual.save(QDir::temp().filePath(QStringLiteral("actual-") + QLatin1String(GetParam().file)));
    EXPECT_TRUE(difference.isEmpty()) << GetParam().file << " differs at " << difference.toStdString()
                                      << "; the drawn picture is in " << QDir::tempPath().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Coupons, TransferReferenceTest,
    ::testing::Values(ReferenceCase{5, pwNone, bsTop, "transfer-5-none.png"},
                      ReferenceCase{5, pwWplata, bsTop, "transfer-5-wplata.png"},
                      ReferenceCase{5, pwPrzelew, bsTop, "transfer-5-przelew.png"},
                      ReferenceCase{6, pwNone, bsTop, "transfer-6-none.png"},
                      ReferenceCase{6, pwWplata, bsTop, "transfer-6-wplata.png"},
                      ReferenceCase{6, pwPrzelew, bsTop, "transfer-6-przelew.png"},
                      ReferenceCase{7, pwNone, bsTop, "transfer-7-none.png"},
                      ReferenceCase{7, pwWplata, bsTop, "transfer-7-wplata.png"},
                      ReferenceCase{7, pwPrzelew, bsTop, "transfer-7-przelew.png"},
                      ReferenceCase{5, pwNone, bsBottom, "transfer-receipt.png"}),
    [](const auto& info) {
        std::string name = info.param.file;
        name = name.substr(0, name.size() - 4);
        for (char& ch : name)
            if (ch == '-')
                ch = '_';
        return name;
    });

} // namespace
