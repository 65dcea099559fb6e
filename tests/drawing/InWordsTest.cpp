#include "drawing/untBlankObj.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

// Amounts are written as whole złote plus ten-thousandths, as a Currency holds them.
constexpr Currency Amount(qint64 zl, qint64 tenThousandths = 0) { return zl * CurrencyScale + tenThousandths; }

QString U8(const char* utf8) { return QString::fromUtf8(utf8); }

QString Spell(const QString& how, Currency value)
{
    const bool blankZero = how.endsWith(u"BlankZero"_qs);
    return how == u"SimpleFull"_qs      ? TBlankObj::InWordsSimpleFull(value)
           : how.startsWith(u"Full"_qs) ? TBlankObj::InWordsFull(value, blankZero)
                                       : TBlankObj::InWords(value, blankZero);
}

// How an amount is spelt, from a table of amounts and their Polish words.
TEST(InWords, SpellsAmountsInPolish)
{
    QFile table(QStringLiteral(WPLATOMAT_TEST_DATA "/inwords.tsv"));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text));
    int rows = 0;
    for (const QString& line : QString::fromUtf8(table.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList row = line.split(QLatin1Char('\t'));
        if (line.startsWith(QLatin1Char('#')) || row.size() != 3)
            continue;
        ++rows;
        EXPECT_EQ(Spell(row[0], row[1].toLongLong()), row[2]) << line.toStdString();
    }
    EXPECT_EQ(rows, 26 + 36);
    EXPECT_EQ(TBlankObj::InWordsSimple(-7, 1), U8(u8"zer*"));
    EXPECT_EQ(TBlankObj::InWordsSimple(9876543210, 0), U8(u8"dzi*osi*sie*sze*pię*czt*trz*dwa*jed*zer*"));
}

// The rule as a grammar book puts it: the singular after a bare "one", the
// nominative plural after numbers ending in 2, 3 or 4 except 12-14, the
// genitive plural after all others.
TEST(InWords, EveryGroupTakesTheGrammaticalForm)
{
    const struct { qint64 scale; const char *one, *few, *many; } table[] = {
        {1000, u8"tysiąc", u8"tysiące", u8"tysięcy"},
        {1000000, u8"milion", u8"miliony", u8"milionów"},
        {1000000000, u8"miliard", u8"miliardy", u8"miliardów"},
        {1000000000000, u8"bilion", u8"biliony", u8"bilionów"},
    };
    for (const auto& forms : table) {
        // Bilions stop where a Currency does, at 922.
        const int lastGroup = int(std::min<qint64>(999, INT64_MAX / Amount(forms.scale + 7)));
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
