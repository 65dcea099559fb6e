#include "drawing/untBlankObj.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
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

struct WordsCase {
    Currency value;
    const char* words;
};

void PrintTo(const WordsCase& c, std::ostream* os)
{
    *os << c.value << " -> " << c.words;
}

// INT64 max holds 922 337 203 685 477.5807 zł.
constexpr const char* Int64MaxWords =
    u8"dziewięćset dwadzieścia dwa biliony trzysta trzydzieści siedem miliardów dwieście "
    u8"trzy miliony sześćset osiemdziesiąt pięć tysięcy czterysta siedemdziesiąt siedem";

TEST(InWordsCardinal, EveryUnitTeenTensAndHundredsWord)
{
    const QStringList units = U8(u8"zero jeden dwa trzy cztery pięć sześć siedem osiem dziewięć dziesięć "
                                 u8"jedenaście dwanaście trzynaście czternaście piętnaście szesnaście "
                                 u8"siedemnaście osiemnaście dziewiętnaście").split(QLatin1Char(' '));
    const QStringList tens = U8(u8"dwadzieścia trzydzieści czterdzieści pięćdziesiąt sześćdziesiąt "
                                u8"siedemdziesiąt osiemdziesiąt dziewięćdziesiąt").split(QLatin1Char(' '));
    const QStringList hundreds = U8(u8"sto dwieście trzysta czterysta pięćset sześćset siedemset osiemset "
                                    u8"dziewięćset").split(QLatin1Char(' '));
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(TBlankObj::InWords(Amount(n), false), units[n]);
    for (int t = 2; t <= 9; ++t)
        EXPECT_EQ(TBlankObj::InWords(Amount(t * 10), false), tens[t - 2]);
    for (int h = 1; h <= 9; ++h)
        EXPECT_EQ(TBlankObj::InWords(Amount(h * 100), false), hundreds[h - 1]);
}

class InWordsCardinalTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(InWordsCardinalTest, SpellsWholeZlotyInPolish)
{
    const WordsCase& c = GetParam();
    EXPECT_EQ(TBlankObj::InWords(c.value, false), U8(c.words));
    // A nonzero amount reads the same whether or not zero would be blanked.
    if (c.value / CurrencyScale != 0)
        EXPECT_EQ(TBlankObj::InWords(c.value, true), U8(c.words));
}

INSTANTIATE_TEST_SUITE_P(Compounds, InWordsCardinalTest, ::testing::Values(
    WordsCase{Amount(1234), u8"jeden tysiąc dwieście trzydzieści cztery"},
    WordsCase{Amount(1000005), u8"jeden milion pięć"},
    WordsCase{Amount(305012017), u8"trzysta pięć milionów dwanaście tysięcy siedemnaście"},
    WordsCase{Amount(999999999),
              u8"dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt "
              u8"dziewięć tysięcy dziewięćset dziewięćdziesiąt dziewięć"},
    WordsCase{Amount(1234567890),
              u8"jeden miliard dwieście trzydzieści cztery miliony pięćset sześćdziesiąt "
              u8"siedem tysięcy osiemset dziewięćdziesiąt"},
    WordsCase{Amount(1001000000000), u8"jeden bilion jeden miliard"}));

// One, few (2-4 except 12-14) and many forms of each group word.
INSTANTIATE_TEST_SUITE_P(GroupWordForms, InWordsCardinalTest, ::testing::Values(
    WordsCase{Amount(1000), u8"jeden tysiąc"},
    WordsCase{Amount(2000), u8"dwa tysiące"},
    WordsCase{Amount(5000), u8"pięć tysięcy"},
    WordsCase{Amount(21000), u8"dwadzieścia jeden tysięcy"},
    WordsCase{Amount(22000), u8"dwadzieścia dwa tysiące"},
    WordsCase{Amount(24000), u8"dwadzieścia cztery tysiące"},
    WordsCase{Amount(25000), u8"dwadzieścia pięć tysięcy"},
    WordsCase{Amount(101000), u8"sto jeden tysięcy"},
    WordsCase{Amount(112000), u8"sto dwanaście tysięcy"},
    WordsCase{Amount(122000), u8"sto dwadzieścia dwa tysiące"},
    WordsCase{Amount(1000000), u8"jeden milion"},
    WordsCase{Amount(5000000), u8"pięć milionów"},
    WordsCase{Amount(21000000), u8"dwadzieścia jeden milionów"},
    WordsCase{Amount(22000000), u8"dwadzieścia dwa miliony"},
    WordsCase{Amount(25000000), u8"dwadzieścia pięć milionów"},
    WordsCase{Amount(101000000), u8"sto jeden milionów"},
    WordsCase{Amount(112000000), u8"sto dwanaście milionów"},
    WordsCase{Amount(122000000), u8"sto dwadzieścia dwa miliony"},
    WordsCase{Amount(1000000000), u8"jeden miliard"},
    WordsCase{Amount(2000000000), u8"dwa miliardy"},
    WordsCase{Amount(5000000000), u8"pięć miliardów"},
    WordsCase{Amount(22000000000), u8"dwadzieścia dwa miliardy"},
    WordsCase{Amount(2000000000000), u8"dwa biliony"}));

INSTANTIATE_TEST_SUITE_P(Negative, InWordsCardinalTest, ::testing::Values(
    WordsCase{Amount(-5), u8"minus pięć"},
    WordsCase{Amount(-2, -5000), u8"minus dwa"},
    WordsCase{Amount(-22000000), u8"minus dwadzieścia dwa miliony"},
    WordsCase{Amount(-2000000000), u8"minus dwa miliardy"},
    WordsCase{Amount(0, -5000), u8"zero"}));

TEST(InWordsCardinal, Int64ExtremesGiveTheirWholeZlotyAndGrosze)
{
    const Currency max = std::numeric_limits<Currency>::max();
    const Currency min = std::numeric_limits<Currency>::min();
    EXPECT_EQ(TBlankObj::InWords(max, false), U8(Int64MaxWords));
    // 2^63 / 10000 has the same whole part as INT64 max.
    EXPECT_EQ(TBlankObj::InWords(min, false), U8(u8"minus ") + U8(Int64MaxWords));
    // Fractions .5807 and .5808 both round to 58 grosze.
    const QString tail = U8(u8" zł pięćdziesiąt osiem gr");
    EXPECT_EQ(TBlankObj::InWordsFull(max, false), U8(Int64MaxWords) + tail);
    EXPECT_EQ(TBlankObj::InWordsFull(min, false), U8(u8"minus ") + U8(Int64MaxWords) + tail);
}

class InWordsFullTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(InWordsFullTest, SpellsZlotyAndGrosze)
{
    const WordsCase& c = GetParam();
    EXPECT_EQ(TBlankObj::InWordsFull(c.value, false), U8(c.words));
    if (c.value != 0)
        EXPECT_EQ(TBlankObj::InWordsFull(c.value, true), U8(c.words));
}

INSTANTIATE_TEST_SUITE_P(Cases, InWordsFullTest, ::testing::Values(
    WordsCase{Amount(1234, 5600), u8"jeden tysiąc dwieście trzydzieści cztery zł pięćdziesiąt sześć gr"},
    WordsCase{Amount(0, 500), u8"zero zł pięć gr"},
    WordsCase{Amount(0), u8"zero zł zero gr"},
    WordsCase{Amount(5000000000, 1000), u8"pięć miliardów zł dziesięć gr"},
    WordsCase{Amount(-1234, -5600), u8"minus jeden tysiąc dwieście trzydzieści cztery zł pięćdziesiąt sześć gr"},
    WordsCase{Amount(0, -500), u8"minus zero zł pięć gr"},
    WordsCase{Amount(-1, -150), u8"minus jeden zł dwa gr"}));

// Grosze go to the nearest one, an exact half to the even one, never carried into złote.
INSTANTIATE_TEST_SUITE_P(HalfToEven, InWordsFullTest, ::testing::Values(
    WordsCase{Amount(0, 50), u8"zero zł zero gr"},
    WordsCase{Amount(0, 150), u8"zero zł dwa gr"},
    WordsCase{Amount(0, 250), u8"zero zł dwa gr"},
    WordsCase{Amount(0, 251), u8"zero zł trzy gr"},
    WordsCase{Amount(0, 9999), u8"zero zł sto gr"},
    WordsCase{Amount(1, 9950), u8"jeden zł sto gr"}));

TEST(InWordsFull, ZeroIsBlankWhenAskedButAGroszIsNot)
{
    EXPECT_EQ(TBlankObj::InWords(Amount(0), true), QString());
    EXPECT_EQ(TBlankObj::InWords(Amount(0, -9999), true), QString());
    EXPECT_EQ(TBlankObj::InWordsFull(Amount(0), true), QString());
    EXPECT_EQ(TBlankObj::InWordsFull(Amount(0, 100), true), U8(u8"zero zł jeden gr"));
}

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

INSTANTIATE_TEST_SUITE_P(Cases, InWordsSimpleTest, ::testing::Values(
    SimpleCase{5, 2, u8"zer*pię*"},
    SimpleCase{0, 2, u8"zer*zer*"},
    SimpleCase{-7, 1, u8"zer*"},
    SimpleCase{123, 2, u8"jed*dwa*trz*"},
    SimpleCase{9876543210, 0, u8"dzi*osi*sie*sze*pię*czt*trz*dwa*jed*zer*"}));

class InWordsSimpleFullTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(InWordsSimpleFullTest, AbbreviatesZlotyAndGrosze)
{
    const WordsCase& c = GetParam();
    EXPECT_EQ(TBlankObj::InWordsSimpleFull(c.value), U8(c.words));
}

INSTANTIATE_TEST_SUITE_P(Cases, InWordsSimpleFullTest, ::testing::Values(
    WordsCase{Amount(12, 500), u8"jed*dwa*zł*zer*pię*gr"},
    WordsCase{Amount(0, 5000), u8"zł*pię*zer*gr"},
    WordsCase{Amount(100), u8"jed*zer*zer*zł*zer*zer*gr"},
    WordsCase{Amount(-12, -500), u8"min*jed*dwa*zł*zer*pię*gr"},
    WordsCase{Amount(0, 9999), u8"zł*jed*zer*zer*gr"},
    WordsCase{Amount(0, 150), u8"zł*zer*dwa*gr"},
    WordsCase{std::numeric_limits<Currency>::min(),
              u8"min*dzi*dwa*dwa*trz*trz*sie*dwa*zer*trz*sze*osi*pię*czt*sie*sie*zł*pię*osi*gr"}));

// The rule as a grammar book puts it: the singular after a bare "one", the
// nominative plural after numbers ending in 2, 3 or 4 except 12-14, the
// genitive plural after all others.
TEST(InWordsProperty, EveryGroupTakesTheGrammaticalForm)
{
    struct GroupForms {
        qint64 scale;
        const char* one;
        const char* few;
        const char* many;
    };
    const GroupForms table[] = {
        {1000, u8"tysiąc", u8"tysiące", u8"tysięcy"},
        {1000000, u8"milion", u8"miliony", u8"milionów"},
        {1000000000, u8"miliard", u8"miliardy", u8"miliardów"},
        {1000000000000, u8"bilion", u8"biliony", u8"bilionów"},
    };
    for (const GroupForms& forms : table) {
        // Bilions stop where a Currency does, at 922.
        const qint64 fits = std::numeric_limits<Currency>::max() / Amount(forms.scale + 7);
        const int lastGroup = static_cast<int>(std::min<qint64>(999, fits));
        for (int group = 1; group <= lastGroup; ++group) {
            const int last = group % 10;
            const bool few = last >= 2 && last <= 4 && group / 10 % 10 != 1;
            const QString expected = U8(group == 1 ? forms.one : few ? forms.few : forms.many);
            const Currency value = Amount(group * forms.scale);
            const QString text = TBlankObj::InWords(value, false);
            EXPECT_EQ(text.section(QLatin1Char(' '), -1), expected) << text.toStdString();
            // Units after the group word leave it unchanged, with one blank between.
            EXPECT_EQ(TBlankObj::InWords(value + Amount(7), false), text + U8(u8" siedem"));
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

TEST(InWordsLetters, PolishLettersAreSingleCodePoints)
{
    // Written with escapes so the check holds whatever an editor did to this file.
    EXPECT_EQ(TBlankObj::InWords(Amount(5000000), false), QString::fromUtf16(u"pi\u0119\u0107 milion\u00f3w"));
    EXPECT_EQ(TBlankObj::InWords(Amount(60), false), QString::fromUtf16(u"sze\u015b\u0107dziesi\u0105t"));
    EXPECT_EQ(TBlankObj::InWordsFull(Amount(1), false), QString::fromUtf16(u"jeden z\u0142 zero gr"));
}

} // namespace
