#include "drawing/untBlankObj.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

// Amounts are written as whole złote plus ten-thousandths, as a Currency holds them.
constexpr Currency Amount(qint64 zl, qint64 tenThousandths = 0) { return zl * CurrencyScale + tenThousandths; }

QString U8(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr Currency Max = std::numeric_limits<Currency>::max();
constexpr Currency Min = std::numeric_limits<Currency>::min();

// INT64 max holds 922 337 203 685 477.5807 zł; 2^63 / 10000 has the same whole part.
#define INT64_MAX_WORDS                                                                                    \
    u8"dziewięćset dwadzieścia dwa biliony trzysta trzydzieści siedem miliardów dwieście trzy miliony " \
    u8"sześćset osiemdziesiąt pięć tysięcy czterysta siedemdziesiąt siedem"

enum Spelling { Words, WordsBlankZero, Full, FullBlankZero, SimpleFull };

QString Spell(Spelling how, Currency value)
{
    switch (how) {
    case Words: return TBlankObj::InWords(value, false);
    case WordsBlankZero: return TBlankObj::InWords(value, true);
    case Full: return TBlankObj::InWordsFull(value, false);
    case FullBlankZero: return TBlankObj::InWordsFull(value, true);
    case SimpleFull: return TBlankObj::InWordsSimpleFull(value);
    }
    return {};
}

TEST(InWords, SpellsAmountsInPolish)
{
    const struct {
        Spelling how;
        Currency value;
        const char* words;
    } cases[] = {
        {Words, Amount(1234), u8"jeden tysiąc dwieście trzydzieści cztery"},
        {Words, Amount(1000005), u8"jeden milion pięć"},
        {Words, Amount(305012017), u8"trzysta pięć milionów dwanaście tysięcy siedemnaście"},
        {Words, Amount(1001000000000), u8"jeden bilion jeden miliard"},
        {WordsBlankZero, Amount(112000), u8"sto dwanaście tysięcy"},
        {Words, Amount(-2, -5000), u8"minus dwa"},
        {Words, Amount(0, -5000), u8"zero"},
        {WordsBlankZero, Amount(0), ""},
        {Words, Max, INT64_MAX_WORDS},
        {Words, Min, u8"minus " INT64_MAX_WORDS},
        // Fractions .5807 and .5808 both round to 58 grosze.
        {Full, Max, INT64_MAX_WORDS u8" zł pięćdziesiąt osiem gr"},
        {Full, Min, u8"minus " INT64_MAX_WORDS u8" zł pięćdziesiąt osiem gr"},
        {FullBlankZero, Amount(1234, 5600), u8"jeden tysiąc dwieście trzydzieści cztery zł pięćdziesiąt sześć gr"},
        {Full, Amount(0), u8"zero zł zero gr"},
        {FullBlankZero, Amount(0), ""},
        {FullBlankZero, Amount(0, 100), u8"zero zł jeden gr"},
        {Full, Amount(0, -500), u8"minus zero zł pięć gr"},
        // Grosze go to the nearest one, an exact half to the even one, never carried into złote.
        {Full, Amount(-1, -150), u8"minus jeden zł dwa gr"},
        {Full, Amount(0, 50), u8"zero zł zero gr"},
        {Full, Amount(0, 250), u8"zero zł dwa gr"},
        {Full, Amount(1, 9950), u8"jeden zł sto gr"},
        // Abbreviated digit by digit; the grosze always take two.
        {SimpleFull, Amount(12, 500), u8"jed*dwa*zł*zer*pię*gr"},
        {SimpleFull, Amount(0, 5000), u8"zł*pię*zer*gr"},
        {SimpleFull, Amount(100), u8"jed*zer*zer*zł*zer*zer*gr"},
        {SimpleFull, Amount(-12, -500), u8"min*jed*dwa*zł*zer*pię*gr"},
        {SimpleFull, Min, u8"min*dzi*dwa*dwa*trz*trz*sie*dwa*zer*trz*sze*osi*pię*czt*sie*sie*zł*pię*osi*gr"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Spell(c.how, c.value), U8(c.words));
    }
    EXPECT_EQ(TBlankObj::InWordsSimple(-7, 1), U8(u8"zer*"));
    EXPECT_EQ(TBlankObj::InWordsSimple(9876543210, 0), U8(u8"dzi*osi*sie*sze*pię*czt*trz*dwa*jed*zer*"));
}

TEST(InWords, EveryUnitTeenTensAndHundredsWord)
{
    const QStringList words = U8(u8"jeden dwa trzy cztery pięć sześć siedem osiem dziewięć dziesięć jedenaście "
                                 u8"dwanaście trzynaście czternaście piętnaście szesnaście siedemnaście osiemnaście "
                                 u8"dziewiętnaście dwadzieścia trzydzieści czterdzieści pięćdziesiąt sześćdziesiąt "
                                 u8"siedemdziesiąt osiemdziesiąt dziewięćdziesiąt sto dwieście trzysta czterysta "
                                 u8"pięćset sześćset siedemset osiemset dziewięćset").split(QLatin1Char(' '));
    for (int i = 0; i < words.size(); ++i) {
        const int n = i < 19 ? i + 1 : i < 27 ? (i - 17) * 10 : (i - 26) * 100;
        EXPECT_EQ(TBlankObj::InWords(Amount(n), false), words[i]) << n;
    }
}

// The rule as a grammar book puts it: the singular after a bare "one", the
// nominative plural after numbers ending in 2, 3 or 4 except 12-14, the
// genitive plural after all others.
TEST(InWords, EveryGroupTakesTheGrammaticalForm)
{
    const struct {
        qint64 scale;
        const char *one, *few, *many;
    } table[] = {
        {1000, u8"tysiąc", u8"tysiące", u8"tysięcy"},
        {1000000, u8"milion", u8"miliony", u8"milionów"},
        {1000000000, u8"miliard", u8"miliardy", u8"miliardów"},
        {1000000000000, u8"bilion", u8"biliony", u8"bilionów"},
    };
    for (const auto& forms : table) {
        // Bilions stop where a Currency does, at 922.
        const int lastGroup = int(std::min<qint64>(999, Max / Amount(forms.scale + 7)));
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
    EXPECT_EQ(TBlankObj::InWords(Amount(-22000000), false), U8(u8"minus dwadzieścia dwa miliony"));
}

} // namespace
