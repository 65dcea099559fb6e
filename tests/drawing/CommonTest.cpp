#include "drawing/Exception.h"
#include "drawing/untCommon.h"
#include "helpers/PixelProbe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QPalette>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Hex(TColor c)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", unsigned(c));
    return text;
}

struct MixCase {
    const char* name;
    TColor from;
    TColor to;
    int num;
    int den;
    TColor expected;
};

TEST(ColourMixers, BlendAndLightenMixEachChannelWithTruncatingDivision)
{
    const TColor a = RGBColor(10, 20, 30);
    const TColor b = RGBColor(200, 150, 100);
    const std::vector<MixCase> blends = {
        {"all of the way", a, b, 7, 7, b},
        {"zero denominator keeps the first colour", a, b, 1, 0, a},
        // 200 + (-100 * 1) / 3 = 200 - 33; a floor would give 166.
        {"falling", RGBColor(200, 0, 0), RGBColor(100, 0, 0), 1, 3, RGBColor(167, 0, 0)},
        // 0 + 255/2 = 127; 255 - 255/2 = 128; 90 - 60/2 = 60
        {"mixed directions", RGBColor(0, 255, 90), RGBColor(255, 0, 30), 1, 2, RGBColor(127, 128, 60)},
    };
    for (const MixCase& c : blends) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Hex(BlendColors(c.from, c.to, c.num, c.den)), Hex(c.expected));
    }
    const std::vector<MixCase> lightens = {
        {"red 9/10", clRed, clWhite, 9, 10, 0xE5E5FF}, // 255 * 9 / 10 = 229
        // 100 + 155 / 3 = 151; 0 + 255 / 3 = 85
        {"thirds truncate", RGBColor(100, 0, 255), clWhite, 1, 3, RGBColor(151, 85, 255)},
    };
    for (const MixCase& c : lightens) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Hex(LightenColor(c.from, c.num, c.den)), Hex(c.expected));
    }
}

TEST(ColourMixers, WindowColourIsResolvedBeforeMixing)
{
    const QPalette saved = QGuiApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(10, 20, 30));
    QGuiApplication::setPalette(palette);
    // 10 + 245/2 = 132, 20 + 235/2 = 137, 30 + 225/2 = 142
    EXPECT_EQ(Hex(LightenColor(clWindow, 1, 2)), Hex(RGBColor(132, 137, 142)));
    EXPECT_EQ(Hex(BlendColors(clRed, clWindow, 1, 1)), Hex(RGBColor(10, 20, 30)));
    QGuiApplication::setPalette(saved);
}

std::unique_ptr<TBitmap> MakeBitmap(int width, int height, const std::vector<TColor>& rows)
{
    auto bitmap = std::make_unique<TBitmap>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->Image().setPixelColor(x, y, ToQColor(rows[size_t(y * width + x)]));
    return bitmap;
}

void ExpectPixels(const QImage& image, int width, int height, const std::vector<TColor>& rows)
{
    ASSERT_EQ(image.width(), width);
    ASSERT_EQ(image.height(), height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(Hex(PixelAt(image, x, y)), Hex(rows[size_t(y * width + x)]))
                << "at (" << x << ", " << y << ")";
}

constexpr TColor P = 0x0000FF, Q = 0x00FF00, R = 0xFF0000, S = 0x123456, T = 0xABCDEF, U = 0x808080;

TEST(RotateBitmap180, MirrorsBothAxesIncludingWhatTheSourceCanvasDrew)
{
    auto source = MakeBitmap(3, 2, {P, Q, R, S, T, U});
    source->Canvas().Brush.Color = clBlack;
    source->Canvas().FillRect(TRect{0, 0, 1, 1}); // the painter stays active on the source
    const std::unique_ptr<TBitmap> turned = RotateBitmap180(*source);
    ASSERT_TRUE(turned);
    ExpectPixels(turned->Image(), 3, 2, {U, T, S, R, Q, clBlack});

    // The result is a bitmap of its own: drawing on it leaves the source alone.
    turned->Canvas().Brush.Color = P;
    turned->Canvas().FillRect(TRect{0, 0, 1, 1});
    ExpectPixels(turned->Image(), 3, 2, {P, T, S, R, Q, clBlack});
    ExpectPixels(source->Image(), 3, 2, {clBlack, Q, R, S, T, U});
}

struct RestoredEnv {
    explicit RestoredEnv(const char* n) : name(n), set(qEnvironmentVariableIsSet(n)), value(qgetenv(n)) {}
    ~RestoredEnv() { set ? qputenv(name, value) : qunsetenv(name); }
    const char* name;
    bool set;
    QByteArray value;
};

// Every test here points the folders at a fresh temporary tree and starts
// with the unit uninitialised, whatever ran before it in the process.
class CommonFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        FinalizeCommonUnit();
    }
    void TearDown() override { FinalizeCommonUnit(); }

    QString Tmp(const QString& relative) const { return m_tmp.filePath(relative); }
    static void SetEnv(const char* name, const QString& value) { qputenv(name, QFile::encodeName(value)); }
    // A folder below a regular file, which no one can create.
    QString BlockedFolder() const
    {
        QFile file(Tmp(QStringLiteral("file")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return Tmp(QStringLiteral("file/config"));
    }

private:
    RestoredEnv m_config{"XDG_CONFIG_HOME"};
    RestoredEnv m_home{"HOME"};
    QTemporaryDir m_tmp;
};

TEST_F(CommonFolders, KnownFoldersAreCreatedWhenMissing)
{
    const struct {
        const char* name;
        int csidl;
        const char* configHome; // null: unset
        const char* expected;
    } cases[] = {
        {"the profile is home", 40, "cfg", "home"},
        {"application data is the config home", 26, "cfg", "cfg"},
        {"application data falls back to .config of home", 26, nullptr, "home/.config"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.configHome)
            SetEnv("XDG_CONFIG_HOME", Tmp(QString::fromLatin1(c.configHome)));
        else
            qunsetenv("XDG_CONFIG_HOME");
        SetEnv("HOME", Tmp(QStringLiteral("home")));
        QString path;
        GetFolder(c.csidl, path);
        EXPECT_EQ(QDir::cleanPath(path), Tmp(QString::fromLatin1(c.expected)));
        EXPECT_TRUE(QFileInfo(path).isDir());
    }
}

TEST_F(CommonFolders, UncreatableAppDataThrowsWithSystemErrorAndIsNotKept)
{
    SetEnv("XDG_CONFIG_HOME", BlockedFolder());
    QString path = QStringLiteral("stale");
    // Other numbers never look at it.
    for (int csidl : {0, 25, 27, 0x8000 | 26}) {
        EXPECT_NO_THROW(GetFolder(csidl, path)) << csidl;
        EXPECT_TRUE(path.isEmpty()) << csidl;
    }
    path = QStringLiteral("stale");
    try {
        GetFolder(26, path);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("GetFolder: SHGetKnownFolderPath: Błąd %1. ").arg(ENOTDIR)
                                   + QString::fromLocal8Bit(std::strerror(ENOTDIR)));
    }
    EXPECT_TRUE(path.isEmpty());
    EXPECT_THROW(InitializeCommonUnit(), Exception);
    EXPECT_TRUE(AppFormatSettings.CurrencyString.isEmpty());
    // Looked up once per run, but only once it succeeds.
    SetEnv("XDG_CONFIG_HOME", Tmp("first") + QLatin1Char('/')); // the slash is not doubled
    EXPECT_EQ(GetUserDataDir(), Tmp("first") + QStringLiteral("/KORVEX/Wplatomat/"));
    SetEnv("XDG_CONFIG_HOME", Tmp("second"));
    EXPECT_EQ(GetUserDataDir(), Tmp("first") + QStringLiteral("/KORVEX/Wplatomat/"));
    EXPECT_FALSE(QFileInfo::exists(Tmp("second")));
}

TEST_F(CommonFolders, InitializeCreatesDataFolderAndPolishAmountFormatOncePerRun)
{
    if (QLocale::system().decimalPoint() == QStringLiteral(","))
        GTEST_SKIP() << "needs a system locale whose decimal separator is not a comma";
    SetEnv("XDG_CONFIG_HOME", Tmp("cfg"));
    InitializeCommonUnit();
    EXPECT_TRUE(QFileInfo(Tmp("cfg/KORVEX/Wplatomat")).isDir());
    const TFormatSettings& s = AppFormatSettings;
    EXPECT_EQ(s.DecimalSeparator, QLatin1Char(','));
    EXPECT_TRUE(s.ThousandSeparator.isNull());
    EXPECT_EQ(s.CurrencyString, QStringLiteral("zł"));
    EXPECT_EQ(s.CurrencyDecimals, 2);
    EXPECT_EQ(s.ShortDateFormat, QStringLiteral("yyyy-mm-dd"));

    AppFormatSettings.DecimalSeparator = QLatin1Char('.');
    InitializeCommonUnit();
    EXPECT_EQ(AppFormatSettings.DecimalSeparator, QLatin1Char('.'));
}

TEST(FormatAmount, FixedRoundsHalfAwayFromZeroAndGeneralIsShortest)
{
    const struct {
        Currency amount; // złote times 10000
        const char* fixed;
        const char* general;
    } cases[] = {
        {0, "0,00", "0"},
        {12345000, "1234,50", "1234,5"},
        {12350, "1,24", "1,235"},    // the half goes up
        {-12350, "-1,24", "-1,235"}, // away from zero, not toward plus
        {9950, "1,00", "0,995"},     // carried into the złote
        {-49, "0,00", "-0,0049"},    // nothing left to be negative
        {9999999999900, "999999999,99", "999999999,99"},
    };
    // Thousands separator set on purpose: the forms never group digits.
    TFormatSettings settings;
    settings.ThousandSeparator = QLatin1Char(' ');
    for (QChar decimal : {QLatin1Char(','), QLatin1Char('.')}) {
        settings.DecimalSeparator = decimal;
        for (const auto& c : cases) {
            SCOPED_TRACE(c.amount);
            EXPECT_EQ(FormatAmountFixed(c.amount, settings), QString::fromUtf8(c.fixed).replace(',', decimal));
            EXPECT_EQ(FormatAmountGeneral(c.amount, settings), QString::fromUtf8(c.general).replace(',', decimal));
        }
    }
}

} // namespace
