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

TEST(BlendColors, MixesEachChannelWithTruncatingDivision)
{
    const TColor a = RGBColor(10, 20, 30);
    const TColor b = RGBColor(200, 150, 100);
    const std::vector<MixCase> cases = {
        {"none of the way", a, b, 0, 7, a},
        {"all of the way", a, b, 7, 7, b},
        // 200 + (-100 * 1) / 3 = 200 - 33; a floor would give 166.
        {"red falling", RGBColor(200, 0, 0), RGBColor(100, 0, 0), 1, 3, RGBColor(167, 0, 0)},
        {"green falling", RGBColor(0, 200, 0), RGBColor(0, 100, 0), 1, 3, RGBColor(0, 167, 0)},
        {"blue falling", RGBColor(0, 0, 200), RGBColor(0, 0, 100), 1, 3, RGBColor(0, 0, 167)},
        // 100 + 100 / 3 = 133
        {"rising", RGBColor(100, 100, 100), RGBColor(200, 200, 200), 1, 3, RGBColor(133, 133, 133)},
        // 0 + 255/2 = 127; 255 - 255/2 = 128; 90 - 60/2 = 60
        {"mixed directions", RGBColor(0, 255, 90), RGBColor(255, 0, 30), 1, 2, RGBColor(127, 128, 60)},
    };
    for (const MixCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Hex(BlendColors(c.from, c.to, c.num, c.den)), Hex(c.expected));
    }
}

TEST(BlendColors, ZeroDenominatorGivesFirstColour)
{
    EXPECT_EQ(Hex(BlendColors(RGBColor(1, 2, 3), clWhite, 1, 0)), Hex(RGBColor(1, 2, 3)));
}

TEST(LightenColor, MovesTowardWhite)
{
    const std::vector<MixCase> cases = {
        {"white stays white", clWhite, clWhite, 9, 10, clWhite},
        {"black 9/10", clBlack, clWhite, 9, 10, 0xE5E5E5},            // 255 * 9 / 10 = 229
        {"red 9/10", clRed, clWhite, 9, 10, 0xE5E5FF},
        {"red 8/10", clRed, clWhite, 8, 10, 0xCCCCFF},                // 255 * 8 / 10 = 204
        {"nothing of the way", RGBColor(1, 2, 3), clWhite, 0, 10, RGBColor(1, 2, 3)},
        {"all of the way", RGBColor(1, 2, 3), clWhite, 10, 10, clWhite},
        // 100 + 155 / 3 = 151; 0 + 255 / 3 = 85
        {"thirds truncate", RGBColor(100, 0, 255), clWhite, 1, 3, RGBColor(151, 85, 255)},
    };
    for (const MixCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Hex(LightenColor(c.from, c.num, c.den)), Hex(c.expected));
    }
}

class SystemColourMix : public ::testing::Test {
protected:
    void SetUp() override
    {
        QPalette palette = m_saved;
        palette.setColor(QPalette::Active, QPalette::Base, QColor(10, 20, 30));
        QGuiApplication::setPalette(palette);
    }
    void TearDown() override { QGuiApplication::setPalette(m_saved); }

    QPalette m_saved = QGuiApplication::palette();
};

TEST_F(SystemColourMix, WindowColourIsResolvedBeforeMixing)
{
    // 10 + 245/2 = 132, 20 + 235/2 = 137, 30 + 225/2 = 142
    EXPECT_EQ(Hex(LightenColor(clWindow, 1, 2)), Hex(RGBColor(132, 137, 142)));
    EXPECT_EQ(Hex(BlendColors(clWindow, RGBColor(110, 120, 130), 1, 2)), Hex(RGBColor(60, 70, 80)));
    EXPECT_EQ(Hex(BlendColors(clRed, clWindow, 1, 1)), Hex(RGBColor(10, 20, 30)));
    EXPECT_EQ(Hex(BlendColors(clWindow, clRed, 0, 1)), Hex(RGBColor(10, 20, 30)));
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

struct TurnCase {
    const char* name;
    int width;
    int height;
    std::vector<TColor> source;
    std::vector<TColor> turned;
};

constexpr TColor P = 0x0000FF, Q = 0x00FF00, R = 0xFF0000, S = 0x123456, T = 0xABCDEF, U = 0x808080;

TEST(RotateBitmap180, MirrorsBothAxesAndLeavesSourceAlone)
{
    const std::vector<TurnCase> cases = {
        {"2 x 1", 2, 1, {P, Q}, {Q, P}},
        {"1 x 2", 1, 2, {P, Q}, {Q, P}},
        {"3 x 2", 3, 2, {P, Q, R, S, T, U}, {U, T, S, R, Q, P}},
    };
    for (const TurnCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto source = MakeBitmap(c.width, c.height, c.source);
        const std::unique_ptr<TBitmap> turned = RotateBitmap180(*source);
        ASSERT_TRUE(turned);
        ExpectPixels(turned->Image(), c.width, c.height, c.turned);
        ExpectPixels(source->Image(), c.width, c.height, c.source);
    }
}

TEST(RotateBitmap180, SeesWhatSourceCanvasDrewAndResultCanvasDraws)
{
    auto source = MakeBitmap(3, 2, {U, U, U, U, U, U});
    source->Canvas().Brush.Color = P;
    source->Canvas().FillRect(TRect{0, 0, 1, 1}); // painter stays active on the source
    auto turned = RotateBitmap180(*source);
    ExpectPixels(turned->Image(), 3, 2, {U, U, U, U, U, P});

    turned->Canvas().Brush.Color = Q;
    turned->Canvas().FillRect(TRect{0, 0, 1, 1});
    ExpectPixels(turned->Image(), 3, 2, {Q, U, U, U, U, P});
    ExpectPixels(source->Image(), 3, 2, {P, U, U, U, U, U});
}

// Every test here points the folders at a fresh temporary tree and starts
// with the unit uninitialised, whatever ran before it in the process.
class CommonFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        FinalizeCommonUnit();
    }
    void TearDown() override
    {
        FinalizeCommonUnit();
        Restore("XDG_CONFIG_HOME", m_savedConfig);
        Restore("HOME", m_savedHome);
    }

    QString Tmp(const QString& relative) const { return m_tmp.filePath(relative); }
    static void SetEnv(const char* name, const QString& value) { qputenv(name, QFile::encodeName(value)); }
    // A folder below a regular file, which no one can create.
    QString BlockedFolder() const
    {
        QFile file(Tmp(QStringLiteral("file")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return Tmp(QStringLiteral("file/config"));
    }
    static QString ExpectedFailure(int error)
    {
        return QStringLiteral("GetFolder: SHGetKnownFolderPath: Błąd %1. ").arg(error)
               + QString::fromLocal8Bit(std::strerror(error));
    }

private:
    struct Saved {
        bool set;
        QByteArray value;
    };
    static Saved Save(const char* name) { return {qEnvironmentVariableIsSet(name), qgetenv(name)}; }
    static void Restore(const char* name, const Saved& saved)
    {
        if (saved.set)
            qputenv(name, saved.value);
        else
            qunsetenv(name);
    }

    Saved m_savedConfig = Save("XDG_CONFIG_HOME");
    Saved m_savedHome = Save("HOME");
    QTemporaryDir m_tmp;
};

TEST_F(CommonFolders, AppDataIsConfigHomeCreatedWhenMissing)
{
    SetEnv("XDG_CONFIG_HOME", Tmp("cfg"));
    QString path;
    GetFolder(26, path);
    EXPECT_EQ(QDir::cleanPath(path), Tmp("cfg"));
    EXPECT_TRUE(QFileInfo(Tmp("cfg")).isDir());
}

TEST_F(CommonFolders, AppDataFallsBackToDotConfigOfHome)
{
    qunsetenv("XDG_CONFIG_HOME");
    SetEnv("HOME", Tmp("home"));
    QString path;
    GetFolder(26, path);
    EXPECT_EQ(QDir::cleanPath(path), Tmp("home/.config"));
    EXPECT_TRUE(QFileInfo(Tmp("home/.config")).isDir());
}

TEST_F(CommonFolders, ProfileIsHomeCreatedWhenMissing)
{
    SetEnv("HOME", Tmp("home"));
    QString path;
    GetFolder(40, path);
    EXPECT_EQ(QDir::cleanPath(path), Tmp("home"));
    EXPECT_TRUE(QFileInfo(Tmp("home")).isDir());
}

TEST_F(CommonFolders, OtherNumbersGiveEmptyPath)
{
    SetEnv("XDG_CONFIG_HOME", BlockedFolder()); // would throw if it were looked at
    for (int csidl : {-1, 0, 5, 25, 27, 39, 41, 0x8000 | 26}) {
        SCOPED_TRACE(csidl);
        QString path = QStringLiteral("stale");
        EXPECT_NO_THROW(GetFolder(csidl, path));
        EXPECT_TRUE(path.isEmpty());
    }
}

TEST_F(CommonFolders, UncreatableAppDataThrowsWithSystemError)
{
    SetEnv("XDG_CONFIG_HOME", BlockedFolder());
    QString path = QStringLiteral("stale");
    try {
        GetFolder(26, path);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), ExpectedFailure(ENOTDIR));
    }
    EXPECT_TRUE(path.isEmpty());
}

TEST_F(CommonFolders, AppDataThatIsAFileThrows)
{
    const QString file = Tmp(QStringLiteral("plain"));
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    SetEnv("XDG_CONFIG_HOME", file);
    QString path;
    try {
        GetFolder(26, path);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), ExpectedFailure(ENOTDIR));
    }
}

TEST_F(CommonFolders, UserDataDirIsBelowAppDataWithTrailingSlash)
{
    for (const QString& configHome : {Tmp("a"), Tmp("b") + QLatin1Char('/')}) {
        FinalizeCommonUnit();
        SetEnv("XDG_CONFIG_HOME", configHome);
        const QString base = configHome.endsWith(QLatin1Char('/')) ? configHome : configHome + QLatin1Char('/');
        EXPECT_EQ(GetUserDataDir(), base + QStringLiteral("KORVEX/Wplatomat/"));
    }
}

TEST_F(CommonFolders, UserDataDirIsLookedUpOnce)
{
    SetEnv("XDG_CONFIG_HOME", Tmp("first"));
    const QString first = GetUserDataDir();
    SetEnv("XDG_CONFIG_HOME", Tmp("second"));
    EXPECT_EQ(GetUserDataDir(), first);
    EXPECT_EQ(first, Tmp("first") + QStringLiteral("/KORVEX/Wplatomat/"));
    EXPECT_FALSE(QFileInfo::exists(Tmp("second")));
}

TEST_F(CommonFolders, FailedLookupIsNotCached)
{
    SetEnv("XDG_CONFIG_HOME", BlockedFolder());
    EXPECT_THROW(GetUserDataDir(), Exception);
    SetEnv("XDG_CONFIG_HOME", Tmp("good"));
    EXPECT_EQ(GetUserDataDir(), Tmp("good") + QStringLiteral("/KORVEX/Wplatomat/"));
}

TEST_F(CommonFolders, InitializeCreatesDataFolderAndPolishAmountFormat)
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
    EXPECT_EQ(s.CurrencyFormat, 2);
    EXPECT_EQ(s.NegCurrFormat, 8);
    EXPECT_EQ(s.DateSeparator, QLatin1Char('-'));
    EXPECT_EQ(s.TimeSeparator, QLatin1Char(':'));
    EXPECT_EQ(s.ListSeparator, QLatin1Char(';'));
    EXPECT_EQ(s.ShortDateFormat, QStringLiteral("yyyy-mm-dd"));
    EXPECT_EQ(s.LongDateFormat, QStringLiteral("d mmmm yyyy"));
    EXPECT_TRUE(s.TimeAMString.isEmpty());
    EXPECT_TRUE(s.TimePMString.isEmpty());
    EXPECT_EQ(s.ShortTimeFormat, QStringLiteral("h:nn"));
    EXPECT_EQ(s.LongTimeFormat, QStringLiteral("hh:nn:ss"));
}

TEST_F(CommonFolders, InitializeRunsOncePerRun)
{
    SetEnv("XDG_CONFIG_HOME", Tmp("cfg"));
    InitializeCommonUnit();
    AppFormatSettings.DecimalSeparator = QLatin1Char('.');
    InitializeCommonUnit();
    EXPECT_EQ(AppFormatSettings.DecimalSeparator, QLatin1Char('.'));

    FinalizeCommonUnit();
    EXPECT_TRUE(AppFormatSettings.CurrencyString.isEmpty());
    SetEnv("XDG_CONFIG_HOME", Tmp("again"));
    InitializeCommonUnit();
    EXPECT_EQ(AppFormatSettings.DecimalSeparator, QLatin1Char(','));
    EXPECT_TRUE(QFileInfo(Tmp("again/KORVEX/Wplatomat")).isDir());
}

TEST_F(CommonFolders, InitializeLetsFolderFailurePass)
{
    SetEnv("XDG_CONFIG_HOME", BlockedFolder());
    EXPECT_THROW(InitializeCommonUnit(), Exception);
    EXPECT_TRUE(AppFormatSettings.CurrencyString.isEmpty());
}

struct AmountCase {
    Currency amount; // złote times 10000
    const char* expected;
};

// Thousands separator set on purpose: the forms never group digits.
TFormatSettings FormsSettings(QChar decimal)
{
    TFormatSettings s;
    s.DecimalSeparator = decimal;
    s.ThousandSeparator = QLatin1Char(' ');
    return s;
}

TEST(FormatAmountFixed, WritesTwoDecimalsRoundingHalfAwayFromZero)
{
    const std::vector<AmountCase> cases = {
        {9999999999900, "999999999,99"},
        {0, "0,00"},
        {12345000, "1234,50"},
        {1000000, "100,00"},
        {12345, "1,23"},
        {12350, "1,24"},   // 1.235: the half goes up
        {49, "0,00"},      // 0.0049
        {50, "0,01"},      // 0.005
        {9950, "1,00"},    // 0.995 carries into the złote
        {-12345000, "-1234,50"},
        {-12350, "-1,24"}, // away from zero, not toward plus
        {-50, "-0,01"},
        {-49, "0,00"},     // nothing left to be negative
    };
    const TFormatSettings settings = FormsSettings(QLatin1Char(','));
    for (const AmountCase& c : cases) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(FormatAmountFixed(c.amount, settings), QString::fromUtf8(c.expected));
    }
}

TEST(FormatAmountGeneral, WritesShortestForm)
{
    const std::vector<AmountCase> cases = {
        {125000, "12,5"},
        {1000000, "100"},
        {500, "0,05"},
        {-31234, "-3,1234"},
        {0, "0"},
        {1, "0,0001"},
        {-10000, "-1"},
        {9999999999900, "999999999,99"},
    };
    const TFormatSettings settings = FormsSettings(QLatin1Char(','));
    for (const AmountCase& c : cases) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(FormatAmountGeneral(c.amount, settings), QString::fromUtf8(c.expected));
    }
}

TEST(FormatAmount, TakesDecimalSeparatorFromSettings)
{
    const TFormatSettings settings = FormsSettings(QLatin1Char('.'));
    EXPECT_EQ(FormatAmountFixed(12345000, settings), QStringLiteral("1234.50"));
    EXPECT_EQ(FormatAmountGeneral(12345000, settings), QStringLiteral("1234.5"));
}

} // namespace
