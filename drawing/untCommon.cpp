#include "drawing/untCommon.h"

#include "drawing/Exception.h"
#include "platform/PrivateFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

TFormatSettings AppFormatSettings;

namespace {

constexpr int CsidlAppData = 26;
constexpr int CsidlProfile = 40;
constexpr QLatin1String DataSubFolder("KORVEX/Wplatomat/");

QString g_userDataDir;
int g_initCount = 0;

// Qt does not report why a creation failed, so a last mkdir of our own
// leaves the real cause in errno for the error message.
bool ForceFolder(const QString& path)
{
    if (QFileInfo(path).isDir() || QDir().mkpath(path))
        return true;
    if (::mkdir(QFile::encodeName(path).constData(), 0700) == 0)
        return true;
    if (errno == EEXIST && !QFileInfo(path).isDir())
        errno = ENOTDIR; // a file sits where the folder belongs
    return false;
}

QString ExecutableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

int MixChannel(int from, int to, int Num, int Den)
{
    return from + (to - from) * Num / Den;
}

TColor AssembleColor(int r, int g, int b)
{
    // Callers keep 0 <= Num <= Den, so every channel is already 0..255.
    return TColor(r + g * 256 + b * 65536);
}

QChar FirstChar(const QString& text)
{
    return text.isEmpty() ? QChar() : text.at(0);
}

TFormatSettings LocaleFormatSettings(const QLocale& locale)
{
    TFormatSettings s;
    s.DecimalSeparator = FirstChar(locale.decimalPoint());
    s.ThousandSeparator = FirstChar(locale.groupSeparator());
    s.CurrencyString = locale.currencySymbol();
    s.TimeAMString = locale.amText();
    s.TimePMString = locale.pmText();
    return s;
}

// The forms write amounts the Polish way whatever the user's locale is.
TFormatSettings FormsFormatSettings(const QLocale& locale)
{
    TFormatSettings s = LocaleFormatSettings(locale);
    s.CurrencyFormat = 2;
    s.NegCurrFormat = 8;
    s.ThousandSeparator = QChar();
    s.DecimalSeparator = QLatin1Char(',');
    s.CurrencyDecimals = 2;
    s.DateSeparator = QLatin1Char('-');
    s.TimeSeparator = QLatin1Char(':');
    s.ListSeparator = QLatin1Char(';');
    s.CurrencyString = QStringLiteral("zł");
    s.ShortDateFormat = QStringLiteral("yyyy-mm-dd");
    s.LongDateFormat = QStringLiteral("d mmmm yyyy");
    s.TimeAMString.clear();
    s.TimePMString.clear();
    s.ShortTimeFormat = QStringLiteral("h:nn");
    s.LongTimeFormat = QStringLiteral("hh:nn:ss");
    return s;
}

// Unsigned, so that even the most negative amount has a magnitude.
std::uint64_t Magnitude(Currency amount)
{
    return amount < 0 ? 0 - std::uint64_t(amount) : std::uint64_t(amount);
}

// The message names the last system error, not the call's own result.
[[noreturn]] void ThrowFolderError()
{
    unsigned code = 0;
    QString msg;
    GetLastErrorText(code, msg);
    const QString call = IsVistaOrLater() ? QStringLiteral("SHGetKnownFolderPath")
                                          : QStringLiteral("SHGetFolderPath");
    throw Exception(QStringLiteral("GetFolder: %1: Błąd %2. ").arg(call).arg(code) + msg);
}

} // namespace

TColor BlendColors(TColor ColorA, TColor ColorB, int Num, int Den)
{
    const TColor a = ColorToRGB(ColorA);
    if (Den == 0)
        return a;
    const TColor b = ColorToRGB(ColorB);
    return AssembleColor(MixChannel(GetRValue(a), GetRValue(b), Num, Den),
                         MixChannel(GetGValue(a), GetGValue(b), Num, Den),
                         MixChannel(GetBValue(a), GetBValue(b), Num, Den));
}

TColor LightenColor(TColor Color, int Num, int Den)
{
    return BlendColors(Color, clWhite, Num, Den);
}

// Every system this port runs on has the known-folder service's equivalent.
bool IsVistaOrLater()
{
    return true;
}

void GetLastErrorText(unsigned& Code, QString& Msg)
{
    Code = unsigned(errno);
    Msg = QString::fromLocal8Bit(std::strerror(int(Code)));
}

void GetFolder(int CSIDL, QString& Path)
{
    Path.clear();
    QString folder;
    if (CSIDL == CsidlAppData)
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    else if (CSIDL == CsidlProfile)
        folder = QDir::homePath();
    else
        return;

    if (folder.isEmpty())
        errno = ENOENT;
    if (folder.isEmpty() || !ForceFolder(folder))
        ThrowFolderError();
    Path = folder;
}

QString GetUserDataDir()
{
    if (g_userDataDir.isEmpty()) {
        QString dir;
        GetFolder(CsidlAppData, dir);
        if (dir.isEmpty())
            dir = ExecutableFolder();
        if (!dir.endsWith(QLatin1Char('/')))
            dir += QLatin1Char('/');
        g_userDataDir = dir + DataSubFolder;
    }
    return g_userDataDir;
}

void RotateBitmap180(TBitmap& Bitmap)
{
    // What the bitmap's own canvas drew must be in the picture before it turns.
    Bitmap.Canvas().End();
    Bitmap.Image().mirror(true, true);
}

QString FormatAmountFixed(Currency amount, const TFormatSettings& settings)
{
    // Half a grosz rounds away from zero, as the forms always have.
    const std::uint64_t grosze = (Magnitude(amount) + CurrencyScale / 200) / (CurrencyScale / 100);
    QString text = QString::number(grosze / 100) + settings.DecimalSeparator
                   + QStringLiteral("%1").arg(grosze % 100, 2, 10, QLatin1Char('0'));
    if (amount < 0 && grosze != 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString FormatAmountGeneral(Currency amount, const TFormatSettings& settings)
{
    const std::uint64_t magnitude = Magnitude(amount);
    QString text = QString::number(magnitude / CurrencyScale);
    if (const std::uint64_t fraction = magnitude % CurrencyScale) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += settings.DecimalSeparator + digits;
    }
    if (amount < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

void InitializeCommonUnit()
{
    if (g_initCount > 0)
        return;
    // The version record needs no filling here: IsVistaOrLater knows the answer.
    // Private: the registry and the single-instance lock lie there too. A
    // failure shows later, where the folder is used.
    MakePrivateFolders(GetUserDataDir());
    AppFormatSettings = FormsFormatSettings(QLocale::system());
    ++g_initCount;
}

void FinalizeCommonUnit()
{
    AppFormatSettings = TFormatSettings();
    g_userDataDir.clear();
    g_initCount = 0;
}
