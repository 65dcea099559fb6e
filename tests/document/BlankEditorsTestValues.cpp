// Editors to fields and fields to editors: the amount in the user's locale,
// the text fields and the values by tag.
#include "BlankEditorsTestSupport.h"

#include <QTest>

#include <functional>

namespace {

const QLocale Polish(QLocale::Polish, QLocale::Poland);
const QLocale English(QLocale::English, QLocale::UnitedStates);

class BlankEditorsValues : public BlankEditorsFixture {};

TEST_F(BlankEditorsValues, TypedAmountIsConvertedExactlyInEitherLocaleAndCapped)
{
    const struct {
        const char* name;
        QLocale locale;
        const char* typed;
        Currency stored;
    } cases[] = {
        {"pl point", Polish, "12.5", 125000},
        {"pl comma", Polish, "12,5", 125000},
        {"en point", English, "12.5", 125000},
        {"en comma", English, "12,5", 125000},
        {"ten-thousandth", Polish, "0,0001", 1},
        // Beyond four decimals the tie goes to the even neighbour, not up.
        {"tie rounds down to even", Polish, "0,00005", 0},
        {"two separators do not convert", English, "1,234.5", 0},
        {"largest amount", Polish, "999999999,99", 9999999999900},
        {"a billion is capped", Polish, "1000000000", 9999999999900},
        {"past the currency range nothing converts", Polish, "99999999999999999999", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QLocale::setDefault(c.locale);
        const auto form = NewForm(bkTransfer);
        form->SetEditorValue(1, QString());
        auto* edit = EditorAs<QLineEdit>(*form, 1);
        QTest::keyClicks(edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(form->Kwota(), c.stored);
        // The editor keeps what was typed, capped or not.
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.typed));
        EXPECT_TRUE(form->Modified());
    }
}

TEST_F(BlankEditorsValues, AmountIsShownInItsShortestFormInTheLocale)
{
    const struct {
        QLocale locale;
        Currency amount;
        const char* shown;
    } cases[] = {{Polish, 1234500, "123,45"}, {Polish, 1000000, "100"},
                 // A file may hold more than the editor lets through.
                 {Polish, 15000000000000, "1500000000"}, {English, 1234500, "123.45"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        QLocale::setDefault(c.locale);
        TBlankData data;
        data.FKind = bkTransfer;
        data.FKwota = c.amount;
        const auto form = FormFromFile(data);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(EditorAs<QLineEdit>(*form, 1)->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(form->Kwota(), c.amount);
    }
}

QString Joined(const QStringList& lines) { return lines.join(QLatin1Char('|')); }

TEST_F(BlankEditorsValues, TypingGoesIntoTheTagsField)
{
    // One case per tag: the tag names the same field on every form. The
    // reference pictures of the coupons fill the transfer forms' tags.
    const struct {
        quint16 kind;
        int tag;
        const char* typed;
        std::function<QString(const TfrmBlank&)> field;
    } cases[] = {
        {2, 19, "ul. Lipowa 2", [](const TfrmBlank& f) { return f.OdbAdres(); }},
        {2, 20, "Puck", [](const TfrmBlank& f) { return f.OdbPoczta(); }},
        {2, 34, "00-950", [](const TfrmBlank& f) { return f.NadKod(); }},
        {2, 35, "ul. Polna 1", [](const TfrmBlank& f) { return f.NadAdres(); }},
        {2, 36, "Ustka", [](const TfrmBlank& f) { return f.NadPoczta(); }},
        {1, 48, "PKO BP", [](const TfrmBlank& f) { return Joined(f.Bank()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        const auto form = NewForm(c.kind);
        form->SetEditorValue(c.tag, QString());
        form->SetModified(false);
        QTest::keyClicks(form->EditorOfTag(c.tag), QString::fromLatin1(c.typed));
        EXPECT_EQ(c.field(*form), QString::fromLatin1(c.typed));
        EXPECT_TRUE(form->Modified());
    }
}

TEST_F(BlankEditorsValues, TextFieldsHoldOneLinePerRowWithoutSurroundingBlanks)
{
    const auto form = NewForm(bkTransfer);
    QWidget* memo = form->EditorOfTag(32);
    QTest::keyClicks(memo, QStringLiteral("Jan Nowak"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("ul. Polna 1"));
    // An empty line at the end is no line of the field.
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(form->Nadawca(), (QStringList{QStringLiteral("Jan Nowak"), QStringLiteral("ul. Polna 1")}));
    form->SetEditorValue(17, QStringLiteral("\t 61 1090 \r\n"));
    EXPECT_EQ(form->OdbRach(), QStringLiteral("61 1090"));
    form->SetEditorValue(16, QStringLiteral("\r\n Firma\r\nul. Długa 5 \r\n\r\n"));
    EXPECT_EQ(form->Odbiorca(), (QStringList{QStringLiteral("Firma"), QStringLiteral("ul. Długa 5")}));

    TBlankData data;
    data.FKind = bkTransfer;
    data.FNadawca = QStringList{QStringLiteral(" Jan "), QStringLiteral("ul. Polna 1"), QString()};
    data.FOdbiorca = QStringList{QString(), QStringLiteral("Firma")};
    const auto fromFile = FormFromFile(data);
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(fromFile->Nadawca(), (QStringList{QStringLiteral("Jan "), QStringLiteral("ul. Polna 1")}));
    EXPECT_EQ(fromFile->Odbiorca(), QStringList{QStringLiteral("Firma")});

    // Longer than a line edit holds: whole through an edit of another field and a save.
    data.FOdbRach = QString(40000, QLatin1Char('7'));
    const auto longer = FormFromFile(data);
    QTest::keyClicks(longer->EditorOfTag(64), QStringLiteral("Faktura 12"));
    longer->Save();
    QFile file(longer->FileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TBlankData saved;
    ReadBlankFile(file.readAll(), saved);
    EXPECT_EQ(saved.FOdbRach, data.FOdbRach);
}

} // namespace
