#include "drawing/untBlankObj.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <ostream>

namespace {

// Amounts are written as whole złote plus ten-thousandths, as a Currency holds them.
constexpr Currency Amount(qint64 zl, qint64 tenThousandths = 0)
{
    return zl * CurrencyScale + tenThousandths;
}

QString U8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString Utf16(const char16_t* text)
{
    return QString::fromUtf16(text);
}

struct WordsCase {
    Currency value;
    const char* words;
};

void PrintTo(const WordsCase& c, std::ostream* os)
{
    *os << c.value << " -> " << c.words;
}

// --- InWords: the whole złote -------------------------------------------------

class InWordsCardinalTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(InWordsCardinalTest, SpellsWholeZlotyInPolish)
{
    const WordsCase& c = GetParam();
    EXPECT_EQ(TBlankObj::InWords(c.value, false), U8(c.words));
    // A nonzero amount reads the same whether or not zero would be blanked.
    if (c.value / CurrencyScale != 0) {
        EXPECT_EQ(TBlankObj::InWords(c.value, true), U8(c.words));
    }
}

INSTANTIATE_TEST_SUITE_P(InWordsEdgeCases, InWordsCardinalTest, ::testing::Values(
    WordsCase{Amount(1), u8"jeden"},
    WordsCase{Amount(12), u8"dwanaście"},
    WordsCase{Amount(21), u8"dwadzieścia jeden"},
    WordsCase{Amount(1000), u8"jeden tysiąc"},
    WordsCase{Amount(2000), u8"dwa tysiące"},
    WordsCase{Amount(5000), u8"pięć tysięcy"},
    WordsCase{Amount(12000), u8"dwanaście tysięcy"},
    WordsCase{Amount(22000), u8"dwadzieścia dwa tysiące"},
    WordsCase{Amount(25000), u8"dwadzieścia pięć tysięcy"},
    WordsCase{Amount(100000), u8"sto tysięcy"},
    WordsCase{Amount(101000), u8"sto jeden tysięcy"},
    WordsCase{Amount(1000005), u8"jeden milion pięć"},
    WordsCase{Amount(2000000), u8"dwa miliony"},
    WordsCase{Amount(999999999),
              u8"dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt "
              u8"dziewięć tysięcy dziewięćset dziewięćdziesiąt dziewięć"},
    WordsCase{Amount(0, 9900), u8"zero"}));

INSTANTIATE_TEST_SUITE_P(InWordsUnitsGroup, InWordsCardinalTest, ::testing::Values(
    WordsCase{Amount(0), u8"zero"},
    WordsCase{Amount(2), u8"dwa"},
    WordsCase{Amount(3), u8"trzy"},
    WordsCase{Amount(4), u8"cztery"},
    WordsCase{Amount(5), u8"pięć"},
    WordsCase{Amount(6), u8"sześć"},
    WordsCase{Amount(7), u8"siedem"},
    WordsCase{Amount(8), u8"osiem"},
    WordsCase{Amount(9), u8"dziewięć"},
    WordsCase{Amount(10), u8"dziesięć"},
    WordsCase{Amount(11), u8"jedenaście"},
    WordsCase{Amount(13), u8"trzynaście"},
    WordsCase{Amount(14), u8"czternaście"},
    WordsCase{Amount(15), u8"piętnaście"},
    WordsCase{Amount(16), u8"szesnaście"},
    WordsCase{Amount(17), u8"siedemnaście"},
    WordsCase{Amount(18), u8"osiemnaście"},
    WordsCase{Amount(19), u8"dziewiętnaście"},
    WordsCase{Amount(20), u8"dwadzieścia"},
    WordsCase{Amount(30), u8"trzydzieści"},
    WordsCase{Amount(40), u8"czterdzieści"},
    WordsCase{Amount(50), u8"pięćdziesiąt"},
    WordsCase{Amount(60), u8"sześćdziesiąt"},
    WordsCase{Amount(70), u8"siedemdziesiąt"},
    WordsCase{Amount(80), u8"osiemdziesiąt"},
    WordsCase{Amount(90), u8"dziewięćdziesiąt"},
    WordsCase{Amount(100), u8"sto"},
    WordsCase{Amount(105), u8"sto pięć"},
    WordsCase{Amount(110), u8"sto dziesięć"},
    WordsCase{Amount(111), u8"sto jedenaście"},
    WordsCase{Amount(200), u8"dwieście"},
    WordsCase{Amount(300), u8"trzysta"},
    WordsCase{Amount(400), u8"czterysta"},
    WordsCase{Amount(500), u8"pięćset"},
    WordsCase{Amount(600), u8"sześćset"},
    WordsCase{Amount(700), u8"siedemset"},
    WordsCase{Amount(800), u8"osiemset"},
    WordsCase{Amount(900), u8"dziewięćset"},
    WordsCase{Amount(999), u8"dziewięćset dziewięćdziesiąt dziewięć"},
    WordsCase{Amount(45, 9999), u8"czterdzieści pięć"}));

INSTANTIATE_TEST_SUITE_P(InWordsThousands, InWordsCardinalTest, ::testing::Values(
    WordsCase{Amount(1001), u8"jeden tysiąc jeden"},
    WordsCase{Amount(2002), u8"dwa tysiące dwa"},
    WordsCase{Amount(3000), u8"trzy tysiące"},
    WordsCase{Amount(4000), u8"cztery tysiące"},
    WordsCase{Amount(10000), u8"dziesięć tysięcy"},
    WordsCase{Amount(11000), u8"jedenaście tysięcy"},
    WordsCase{Amount(13000), u8"trzynaście tysięcy"},
    WordsCase{Amount(14000), u8"czternaście tysięcy"},
    WordsCase{Amount(20000), u8"dwadzieścia tysięcy"},
    WordsCase{Amount(21000), u8"dwadzieścia jeden tysięcy"},
    WordsCase{Amount(23000), u8"dwadzieścia trzy tysiące"},
    WordsCase{Amount(24000), u8"dwadzieścia cztery tysiące"},
    WordsCase{Amount(31000), u8"trzydzieści jeden tysięcy"},
    WordsCase{Amount(92000), u8"dziewięćdziesiąt dwa tysiące"},
    WordsCase{Amount(95000), u8"dziewięćdziesiąt pięć tysięcy"},
    WordsCase{Amount(102000), u8"sto dwa tysiące"},
    WordsCase{Amount(110000), u8"sto dziesięć tysięcy"},
    WordsCase{Amount(112000), u8"sto dwanaście tysięcy"},
    WordsCase{Amount(122000), u8"sto dwadzieścia dwa tysiące"},
    WordsCase{Amount(125000), u8"sto dwadzieścia pięć tysięcy"},
    WordsCase{Amount(200000), u8"dwieście tysięcy"},
    WordsCase{Amount(1234), u8"jeden tysiąc dwieście trzydzieści cztery"}));

INSTANTIATE_TEST_SUITE_P(InWordsMillions, InWordsCardinalTest, ::testing::Values(
    WordsCase{Amount(1000000), u8"jeden milion"},
    WordsCase{Amount(1001000), u8"jeden milion jeden tysiąc"},
    WordsCase{Amount(4000000), u8"cztery miliony"},
    WordsCase{Amount(5000000), u8"pięć milionów"},
    WordsCase{Amount(12000000), u8"dwanaście milionów"},
    WordsCase{Amount(21000000), u8"dwadzieścia jeden milionów"},
    WordsCase{Amount(22000000), u8"dwadzieścia dwa miliony"},
    WordsCase{Amount(24000000), u8"dwadzieścia cztery miliony"},
    WordsCase{Amount(25000000), u8"dwadzieścia pięć milionów"},
    WordsCase{Amount(100000000), u8"sto milionów"},
    WordsCase{Amount(101000000), u8"sto jeden milionów"},
    WordsCase{Amount(112000000), u8"sto dwanaście milionów"},
    WordsCase{Amount(122000000), u8"sto dwadzieścia dwa miliony"},
    WordsCase{Amount(3000003), u8"trzy miliony trzy"},
    WordsCase{Amount(305012017),
              u8"trzysta pięć milionów dwanaście tysięcy siedemnaście"}));

INSTANTIATE_TEST_SUITE_P(InWordsBeyondNineDigits, InWordsCardinalTest, ::testing::Values(
    WordsCase{Amount(1000000000), u8"jeden miliard"},
    WordsCase{Amount(1000000001), u8"jeden miliard jeden"},
    WordsCase{Amount(2000000000), u8"dwa miliardy"},
    WordsCase{Amount(5000000000), u8"pięć miliardów"},
    WordsCase{Amount(12000000000), u8"dwanaście miliardów"},
    WordsCase{Amount(21000000000), u8"dwadzieścia jeden miliardów"},
    WordsCase{Amount(22000000000), u8"dwadzieścia dwa miliardy"},
    WordsCase{Amount(25000000000), u8"dwadzieścia pięć miliardów"},
    WordsCase{Amount(101000000000), u8"sto jeden miliardów"},
    WordsCase{Amount(122000000000), u8"sto dwadzieścia dwa miliardy"},
    WordsCase{Amount(1234567890),
              u8"jeden miliard dwieście trzydzieści cztery miliony pięćset sześćdziesiąt "
              u8"siedem tysięcy osiemset dziewięćdziesiąt"},
    WordsCase{Amount(1000000000000), u8"jeden bilion"},
    WordsCase{Amount(2000000000000), u8"dwa biliony"},
    WordsCase{Amount(5000000000000), u8"pięć bilionów"},
    WordsCase{Amount(1001000000000), u8"jeden bilion jeden miliard"}));

// INT64 max holds 922 337 203 685 477.5807 zł.
constexpr const char* Int64MaxWords =
    u8"dziewięćset dwadzieścia dwa biliony trzysta trzydzieści siedem miliardów dwieście "
    u8"trzy miliony sześćset osiemdziesiąt pięć tysięcy czterysta siedemdziesiąt siedem";

INSTANTIATE_TEST_SUITE_P(InWordsNegative, InWordsCardinalTest, ::testing::Values(
    WordsCase{Amount(-5), u8"minus pięć"},
    WordsCase{Amount(-2, -5000), u8"minus dwa"},
    WordsCase{Amount(-1234), u8"minus jeden tysiąc dwieście trzydzieści cztery"},
    WordsCase{Amount(-22000000), u8"minus dwadzieścia dwa miliony"},
    WordsCase{Amount(-2000000000), u8"minus dwa miliardy"},
    WordsCase{Amount(0, -5000), u8"zero"}));

TEST(InWordsCardinal, ZeroWholeZlotyIsBlankWhenAsked)
{
    EXPECT_EQ(TBlankObj::InWords(Amount(0), true), QString());
    EXPECT_EQ(TBlankObj::InWords(Amount(0, 9900), true), QString());
    EXPECT_EQ(TBlankObj::InWords(Amount(0, -9999), true), QString());
}

TEST(InWordsCardinal, Int64ExtremesGiveTheirWholeZloty)
{
    const Currency max = std::numeric_limits<Currency>::max();
    const Currency min = std::numeric_limits<Currency>::min();
    EXPECT_EQ(TBlankObj::InWords(max, false), U8(Int64MaxWords));
    // 2^63 / 10000 has the same whole part as INT64 max.
    EXPECT_EQ(TBlankObj::InWords(min, false), U8(u8"minus ") + U8(Int64MaxWords));
}

// --- InWordsFull: złote and grosze --------------------------------------------

class InWordsFullTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(InWordsFullTest, SpellsZlotyAndGrosze)
{
    const WordsCase& c = GetParam();
    EXPECT_EQ(TBlankObj::InWordsFull(c.value, false), U8(c.words));
    if (c.value != 0) {
        EXPECT_EQ(TBlankObj::InWordsFull(c.value, true), U8(c.words));
    }
}

INSTANTIATE_TEST_SUITE_P(InWordsFullEdgeCases, InWordsFullTest, ::testing::Values(
    WordsCase{Amount(1234, 5600),
              u8"jeden tysiąc dwieście trzydzieści cztery zł pięćdziesiąt sześć gr"},
    WordsCase{Amount(0, 500), u8"zero zł pięć gr"},
    WordsCase{Amount(100), u8"sto zł zero gr"},
    WordsCase{Amount(0), u8"zero zł zero gr"},
    WordsCase{Amount(-5), u8"minus pięć zł zero gr"},
    WordsCase{Amount(0, 9999), u8"zero zł sto gr"}));

INSTANTIATE_TEST_SUITE_P(InWordsFullOwnCases, InWordsFullTest, ::testing::Values(
    WordsCase{Amount(0, 100), u8"zero zł jeden gr"},
    WordsCase{Amount(1, 1200), u8"jeden zł dwanaście gr"},
    WordsCase{Amount(22, 2200), u8"dwadzieścia dwa zł dwadzieścia dwa gr"},
    WordsCase{Amount(2000000, 9900),
              u8"dwa miliony zł dziewięćdziesiąt dziewięć gr"},
    WordsCase{Amount(5000000000, 1000), u8"pięć miliardów zł dziesięć gr"}));

// Grosze go to the nearest one, an exact half to the even one, never carried into złote.
INSTANTIATE_TEST_SUITE_P(InWordsFullRounding, InWordsFullTest, ::testing::Values(
    WordsCase{Amount(0, 49), u8"zero zł zero gr"},
    WordsCase{Amount(0, 50), u8"zero zł zero gr"},
    WordsCase{Amount(0, 51), u8"zero zł jeden gr"},
    WordsCase{Amount(0, 150), u8"zero zł dwa gr"},
    WordsCase{Amount(0, 250), u8"zero zł dwa gr"},
    WordsCase{Amount(0, 251), u8"zero zł trzy gr"},
    WordsCase{Amount(1, 9950), u8"jeden zł sto gr"},
    WordsCase{Amount(1, 9849), u8"jeden zł dziewięćdziesiąt osiem gr"}));

INSTANTIATE_TEST_SUITE_P(InWordsFullNegative, InWordsFullTest, ::testing::Values(
    WordsCase{Amount(-1234, -5600),
              u8"minus jeden tysiąc dwieście trzydzieści cztery zł pięćdziesiąt sześć gr"},
    WordsCase{Amount(0, -500), u8"minus zero zł pięć gr"},
    WordsCase{Amount(-1, -150), u8"minus jeden zł dwa gr"},
    WordsCase{Amount(-12000000000), u8"minus dwanaście miliardów zł zero gr"}));

TEST(InWordsFull, ZeroIsBlankWhenAsked)
{
    EXPECT_EQ(TBlankObj::InWordsFull(Amount(0), true), QString());
    // Only an amount of exactly zero is blanked; a grosz still gets written.
    EXPECT_EQ(TBlankObj::InWordsFull(Amount(0, 100), true), U8(u8"zero zł jeden gr"));
}

TEST(InWordsFull, Int64ExtremesGiveZlotyAndGrosze)
{
    const Currency max = std::numeric_limits<Currency>::max();
    const Currency min = std::numeric_limits<Currency>::min();
    // Fractions .5807 and .5808 both round to 58 grosze.
    const QString tail = U8(u8" zł pięćdziesiąt osiem gr");
    EXPECT_EQ(TBlankObj::InWordsFull(max, false), U8(Int64MaxWords) + tail);
    EXPECT_EQ(TBlankObj::InWordsFull(min, false), U8(u8"minus ") + U8(Int64MaxWords) + tail);
}

// --- The compact form ---------------------------------------------------------

struct SimpleCase {
    qint64 value;
    int leadingZeroes;
    const char* text;
};

void PrintTo(const SimpleCase& c, std::ostream* os)
{
    *os << c.value << " with " << c.leadingZeroes << " zeroes -> " << c.text;
}

class InWordsSimpleTest : public ::testing::TestWithParam<SimpleCase> {};

TEST_P(InWordsSimpleTest, AbbreviatesEachDigit)
{
    const SimpleCase& c = GetParam();
    EXPECT_EQ(TBlankObj::InWordsSimple(c.value, c.leadingZeroes), U8(c.text));
}

INSTANTIATE_TEST_SUITE_P(InWordsSimpleCases, InWordsSimpleTest, ::testing::Values(
    SimpleCase{5, 2, u8"zer*pię*"},
    SimpleCase{0, 2, u8"zer*zer*"},
    SimpleCase{0, 0, u8""},
    SimpleCase{-7, 0, u8""},
    SimpleCase{-7, 1, u8"zer*"},
    SimpleCase{7, 0, u8"sie*"},
    SimpleCase{42, 2, u8"czt*dwa*"},
    SimpleCase{123, 2, u8"jed*dwa*trz*"},
    SimpleCase{9876543210, 0, u8"dzi*osi*sie*sze*pię*czt*trz*dwa*jed*zer*"},
    SimpleCase{std::numeric_limits<qint64>::max(), 0,
               u8"dzi*dwa*dwa*trz*trz*sie*dwa*zer*trz*sze*osi*pię*czt*sie*sie*pię*osi*zer*sie*"}));

class InWordsSimpleFullTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(InWordsSimpleFullTest, AbbreviatesZlotyAndGrosze)
{
    const WordsCase& c = GetParam();
    EXPECT_EQ(TBlankObj::InWordsSimpleFull(c.value), U8(c.words));
}

INSTANTIATE_TEST_SUITE_P(InWordsSimpleFullCases, InWordsSimpleFullTest, ::testing::Values(
    WordsCase{Amount(12, 500), u8"jed*dwa*zł*zer*pię*gr"},
    WordsCase{Amount(0, 5000), u8"zł*pię*zer*gr"},
    WordsCase{Amount(100), u8"jed*zer*zer*zł*zer*zer*gr"},
    WordsCase{Amount(0), u8"zł*zer*zer*gr"},
    WordsCase{Amount(1234, 5600), u8"jed*dwa*trz*czt*zł*pię*sze*gr"},
    WordsCase{Amount(-12, -500), u8"min*jed*dwa*zł*zer*pię*gr"},
    WordsCase{Amount(0, 9999), u8"zł*jed*zer*zer*gr"},
    WordsCase{Amount(0, 150), u8"zł*zer*dwa*gr"},
    WordsCase{Amount(0, 50), u8"zł*zer*zer*gr"},
    // INT64 max is 922 337 203 685 477.5807 zł; INT64 min one ten-thousandth more.
    WordsCase{std::numeric_limits<Currency>::max(),
              u8"dzi*dwa*dwa*trz*trz*sie*dwa*zer*trz*sze*osi*pię*czt*sie*sie*zł*pię*osi*gr"},
    WordsCase{std::numeric_limits<Currency>::min(),
              u8"min*dzi*dwa*dwa*trz*trz*sie*dwa*zer*trz*sze*osi*pię*czt*sie*sie*zł*pię*osi*gr"}));

// --- Properties over many amounts ---------------------------------------------

// Every word the spelled-out amounts may contain.
QSet<QString> Vocabulary()
{
    const QString all = U8(
        u8"zero minus zł gr jeden dwa trzy cztery pięć sześć siedem osiem dziewięć "
        u8"dziesięć jedenaście dwanaście trzynaście czternaście piętnaście szesnaście "
        u8"siedemnaście osiemnaście dziewiętnaście dwadzieścia trzydzieści czterdzieści "
        u8"pięćdziesiąt sześćdziesiąt siedemdziesiąt osiemdziesiąt dziewięćdziesiąt "
        u8"sto dwieście trzysta czterysta pięćset sześćset siedemset osiemset dziewięćset "
        u8"tysiąc tysiące tysięcy milion miliony milionów miliard miliardy miliardów "
        u8"bilion biliony bilionów");
    const QStringList words = all.split(QLatin1Char(' '));
    return QSet<QString>(words.begin(), words.end());
}

void ExpectCleanWords(const QString& text, const QSet<QString>& vocabulary, Currency value)
{
    SCOPED_TRACE(::testing::Message() << "amount " << value << ": " << text.toStdString());
    ASSERT_FALSE(text.isEmpty());
    EXPECT_FALSE(text.contains(QStringLiteral("  ")));
    EXPECT_FALSE(text.startsWith(QLatin1Char(' ')));
    EXPECT_FALSE(text.endsWith(QLatin1Char(' ')));
    const QStringList words = text.split(QLatin1Char(' '));
    for (const QString& word : words)
        EXPECT_TRUE(vocabulary.contains(word)) << "unknown word " << word.toStdString();
}

// Amounts with every pattern of empty and filled groups, up to INT64 max.
TEST(InWordsProperty, NoDoubleBlanksAndOnlyKnownWords)
{
    const QSet<QString> vocabulary = Vocabulary();
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
    for (int i = 0; i < 20000; ++i) {
        // A fixed xorshift walk, shifted to vary the number of digits.
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        // One bit less than 64 keeps the value positive, so negating it is safe.
        const auto value = static_cast<Currency>(state >> (1 + i % 48));
        const Currency signedValue = i % 3 == 0 ? -value : value;
        ExpectCleanWords(TBlankObj::InWords(signedValue, false), vocabulary, signedValue);
        ExpectCleanWords(TBlankObj::InWordsFull(signedValue, false), vocabulary, signedValue);
        ExpectCleanWords(TBlankObj::InWordsFull(signedValue, true), vocabulary, signedValue);
        if (::testing::Test::HasFailure())
            return;
    }
    for (qint64 zl = 0; zl <= 1000000; zl += 37) {
        const Currency value = Amount(zl, zl % CurrencyScale);
        ExpectCleanWords(TBlankObj::InWords(value, false), vocabulary, value);
        ExpectCleanWords(TBlankObj::InWordsFull(value, false), vocabulary, value);
        if (::testing::Test::HasFailure())
            return;
    }
}

struct GroupForms {
    qint64 scale;
    const char* one;
    const char* few;
    const char* many;
};

// The rule as a grammar book puts it: the singular after a bare "one", the
// nominative plural after numbers ending in 2, 3 or 4 except 12-14, the
// genitive plural after all others.
QString ExpectedGroupWord(int group, const GroupForms& forms)
{
    const int last = group % 10;
    const int tens = group / 10 % 10;
    if (group == 1)
        return U8(forms.one);
    if (last >= 2 && last <= 4 && tens != 1)
        return U8(forms.few);
    return U8(forms.many);
}

TEST(InWordsProperty, EveryGroupTakesTheGrammaticalForm)
{
    const GroupForms table[] = {
        {1000, u8"tysiąc", u8"tysiące", u8"tysięcy"},
        {1000000, u8"milion", u8"miliony", u8"milionów"},
        {1000000000, u8"miliard", u8"miliardy", u8"miliardów"},
        {1000000000000, u8"bilion", u8"biliony", u8"bilionów"},
    };
    const QSet<QString> vocabulary = Vocabulary();
    for (const GroupForms& forms : table) {
        // Bilions stop where a Currency does, at 922.
        const qint64 fits = std::numeric_limits<Currency>::max() / Amount(forms.scale + 7);
        const int lastGroup = static_cast<int>(std::min<qint64>(999, fits));
        for (int group = 1; group <= lastGroup; ++group) {
            const Currency value = Amount(group * forms.scale);
            const QString text = TBlankObj::InWords(value, false);
            ExpectCleanWords(text, vocabulary, value);
            EXPECT_EQ(text.section(QLatin1Char(' '), -1), ExpectedGroupWord(group, forms))
                << text.toStdString();
            // Units after the group word leave it unchanged.
            const QString withUnits = TBlankObj::InWords(value + Amount(7), false);
            EXPECT_EQ(withUnits, text + U8(u8" siedem"));
        }
    }
}

// --- Polish letters -----------------------------------------------------------

TEST(InWordsLetters, PolishLettersAreSingleCodePoints)
{
    // Written with escapes so the check holds whatever the editor did to this file.
    EXPECT_EQ(TBlankObj::InWords(Amount(5), false), Utf16(u"pi\u0119\u0107"));
    EXPECT_EQ(TBlankObj::InWords(Amount(5000), false),
              Utf16(u"pi\u0119\u0107 tysi\u0119cy"));
    EXPECT_EQ(TBlankObj::InWords(Amount(1000), false), Utf16(u"jeden tysi\u0105c"));
    EXPECT_EQ(TBlankObj::InWords(Amount(5000000), false),
              Utf16(u"pi\u0119\u0107 milion\u00f3w"));
    EXPECT_EQ(TBlankObj::InWords(Amount(60), false),
              Utf16(u"sze\u015b\u0107dziesi\u0105t"));
    EXPECT_EQ(TBlankObj::InWordsFull(Amount(1), false),
              Utf16(u"jeden z\u0142 zero gr"));
    EXPECT_EQ(TBlankObj::InWordsSimpleFull(Amount(5)),
              Utf16(u"pi\u0119*z\u0142*zer*zer*gr"));
}

TEST(InWordsLetters, MatchesUtf8SourceLiterals)
{
    EXPECT_EQ(TBlankObj::InWords(Amount(19), false), QStringLiteral("dziewiętnaście"));
    EXPECT_EQ(TBlankObj::InWords(Amount(15), false), QString::fromUtf8(u8"piętnaście"));
    EXPECT_EQ(TBlankObj::InWords(Amount(6), false).size(), 5); // s z e ś ć
}

} // namespace
