#include "drawing/BlankData.h"
#include "drawing/Exception.h"
#include "drawing/untCommon.h"
#include "helpers/PixelProbe.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

TEST(ColourMixers, BlendAndLightenMixEachChannelWithTruncatingDivision)
{
    const struct { TColor from, to; int num, den; TColor blended; } cases[] = {
        {RGBColor(10, 20, 30), RGBColor(200, 150, 100), 7, 7, RGBColor(200, 150, 100)},
        {RGBColor(10, 20, 30), RGBColor(200, 150, 100), 1, 0, RGBColor(10, 20, 30)}, // no denominator
        {RGBColor(200, 0, 0), RGBColor(100, 0, 0), 1, 3, RGBColor(167, 0, 0)},       // 200 - 33, not a floor's 166
        {RGBColor(0, 255, 90), RGBColor(255, 0, 30), 1, 2, RGBColor(127, 128, 60)},
        {clRed, clWhite, 9, 10, 0xE5E5FF},                                            // 255 * 9 / 10 = 229
        {RGBColor(100, 0, 255), clWhite, 1, 3, RGBColor(151, 85, 255)},               // 100 + 155 / 3, 255 / 3
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BlendColors(c.from, c.to, c.num, c.den), c.blended) << c.num << "/" << c.den;
        if (c.to == clWhite)
            EXPECT_EQ(LightenColor(c.from, c.num, c.den), c.blended);
    }
}

TEST(RotateBitmap180, TurnsInPlaceAtEitherDepthWithWhatTheBitmapsCanvasDrewLast)
{
    const TColor pixels[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0xABCDEF, 0x808080};
    for (const TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(format);
        bitmap.SetSize(3, 2);
        for (int i = 0; i < 6; ++i)
            bitmap.Image().setPixelColor(i % 3, i / 3, ToQColor(pixels[i]));
        bitmap.Canvas().Brush.Color = clBlack;
        bitmap.Canvas().FillRect(TRect{2, 1, 3, 2}); // the painter stays active on the bitmap
        const uchar* bits = bitmap.Image().constBits();
        RotateBitmap180(bitmap);
        EXPECT_EQ(bitmap.Image().constBits(), bits);
        EXPECT_EQ(bitmap.Image().depth(), format == pf24bit ? 24 : 32);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(PixelAt(bitmap.Image(), 2 - i % 3, 1 - i / 3), i == 5 ? clBlack : pixels[i]) << i;
    }
}

// Points the folders at a fresh temporary tree and starts with the unit uninitialised, whatever ran before.
class CommonFolders : public ::testing::Test {
protected:
    void SetUp() override { FinalizeCommonUnit(); }
    void TearDown() override
    {
        FinalizeCommonUnit();
        qputenv("HOME", home);
        qunsetenv("XDG_CONFIG_HOME");
    }
    QString Tmp(const QString& relative) const { return tmp.filePath(relative); }
    void Set(const char* name, const QString& value) { qputenv(name, QFile::encodeName(Tmp(value))); }
    QByteArray home = qgetenv("HOME");
    QTemporaryDir tmp;
};

TEST_F(CommonFolders, KnownFoldersAreCreatedWhenMissingAndTheDataFolderLookedUpOnceItIsThere)
{
    // A null configHome is unset; a null expected folder is never looked at.
    const struct { int csidl; const char *configHome, *expected; } cases[] = {
        {40, "cfg", "home"}, {26, "cfg", "cfg"}, {26, nullptr, "home/.config"}, {25, "cfg", nullptr},
        {0x8000 | 26, "cfg", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.csidl);
        qunsetenv("XDG_CONFIG_HOME");
        if (c.configHome)
            Set("XDG_CONFIG_HOME", c.configHome);
        Set("HOME", "home");
        QString path = u"stale"_s;
        GetFolder(c.csidl, path);
        EXPECT_EQ(path.isEmpty() ? path : QDir::cleanPath(path), c.expected ? Tmp(c.expected) : QString());
        if (c.expected)
            EXPECT_TRUE(QFileInfo(path).isDir());
    }
    // The slash is not doubled; a later change of the folder is not seen.
    Set("XDG_CONFIG_HOME", "first/");
    EXPECT_EQ(GetUserDataDir(), Tmp("first") + u"/KORVEX/Wplatomat/"_s);
    Set("XDG_CONFIG_HOME", "second");
    EXPECT_EQ(GetUserDataDir(), Tmp("first") + u"/KORVEX/Wplatomat/"_s);
    EXPECT_FALSE(QFileInfo::exists(Tmp("second")));
}

TEST_F(CommonFolders, UncreatableAppDataThrowsWithTheSystemsErrorAndInitialiseSetsTheFormsFormatOnce)
{
    QFile(Tmp("file")).open(QIODevice::WriteOnly); // no folder can be made below a file
    Set("XDG_CONFIG_HOME", "file/config");
    QString path = u"stale"_s;
    EXPECT_THROW(try { GetFolder(26, path); } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"GetFolder: SHGetKnownFolderPath: Błąd %1. %2"_s.arg(ENOTDIR)
                                   .arg(QString::fromLocal8Bit(std::strerror(ENOTDIR))));
        throw;
    }, Exception);
    EXPECT_TRUE(path.isEmpty());
    EXPECT_THROW(InitializeCommonUnit(), Exception);
    EXPECT_TRUE(AppFormatSettings.DecimalSeparator.isNull());

    Set("XDG_CONFIG_HOME", "cfg");
    InitializeCommonUnit();
    EXPECT_TRUE(QFileInfo(Tmp("cfg/KORVEX/Wplatomat")).isDir());
    // Only the decimal separator of the forms' format takes effect.
    EXPECT_EQ(AppFormatSettings.DecimalSeparator, u',');
    AppFormatSettings.DecimalSeparator = u'.';
    InitializeCommonUnit();
    EXPECT_EQ(AppFormatSettings.DecimalSeparator, u'.');
}

TEST(FormatAmount, FixedRoundsHalfAwayFromZeroAndGeneralIsShortest)
{
    // Amounts in złote times 10000.
    const struct { Currency amount; const char *fixed, *general; } cases[] = {
                 {0, "0,00", "0"}, {12345000, "1234,50", "1234,5"},
                 {12350, "1,24", "1,235"}, {-12350, "-1,24", "-1,235"}, // the half goes away from zero
                 {9950, "1,00", "0,995"}, {-49, "0,00", "-0,0049"},     // carried; nothing left to be negative
                 {9999999999900, "999999999,99", "999999999,99"}};
    // Thousands separator set on purpose: the forms never group digits.
    TFormatSettings settings;
    settings.ThousandSeparator = QLatin1Char(' ');
    for (QChar decimal : {QLatin1Char(','), QLatin1Char('.')}) {
        settings.DecimalSeparator = decimal;
        for (const auto& c : cases) {
            EXPECT_EQ(FormatAmountFixed(c.amount, settings), QString::fromUtf8(c.fixed).replace(',', decimal));
            EXPECT_EQ(FormatAmountGeneral(c.amount, settings), QString::fromUtf8(c.general).replace(',', decimal));
        }
    }
}

// A new document's colours and codes by its kind, and the month before the day it is made, its day clamped.
TEST(DocumentDefaults, EachKindTakesItsOwnColourAndTheMonthBeforeToday)
{
    const struct { quint16 kind; TColor colour; } kinds[] = {
        {bkDeposit, RGBColor(31, 198, 6)},
        {bkMoneyOrder, RGBColor(234, 88, 0)},
        {bkTransfer, RGBColor(234, 88, 0)},
        {bkTransferZus, RGBColor(157, 170, 0)},
        {bkTransferTax, RGBColor(213, 122, 0)},
    };
    for (const auto& k : kinds) {
        TBlankData d;
        d.FKind = k.kind;
        SetDocumentDefaults(d, QDate(2026, 1, 15));
        EXPECT_EQ(d.FKolForm, k.colour) << k.kind;
        EXPECT_EQ(d.FKolTekst, clBlack);
        EXPECT_EQ(d.FNadTypId2, k.kind == bkTransferTax ? QChar(u'N') : QChar()) << k.kind;
        EXPECT_EQ(d.FNadTypWplaty, u'S');
        EXPECT_EQ(d.FNadNrDeklar, 1);
        EXPECT_EQ(d.FNadDeklaracja, u"122025"_s);
        EXPECT_EQ(d.FNadOkres, u"25M12"_s);
    }
    TBlankData d;
    SetDocumentDefaults(d, QDate(2026, 3, 31));
    EXPECT_EQ(d.FNadDeklaracja, u"022026"_s);
    EXPECT_EQ(d.FNadOkres, u"26M02"_s);
}

} // namespace
