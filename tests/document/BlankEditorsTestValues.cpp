// Editors to fields and fields to editors: the amount in the user's locale,
// the text fields, the declaration number and the values by tag.
#include "BlankEditorsTestSupport.h"

#include <QTest>

#include <functional>
#include <ostream>

namespace {

const QLocale Polish(QLocale::Polish, QLocale::Poland);
const QLocale English(QLocale::English, QLocale::UnitedStates);

class BlankEditorsValues : public BlankEditorsFixture {};

// ---- the amount ------------------------------------------------------------------

struct AmountCase {
    const char* name;
    QLocale locale;
    const char* typed;
    Currency stored;
};

void PrintTo(const AmountCase& c, std::ostream* os) { *os << c.name; }

class BlankEditorsAmountTyped : public BlankEditorsFixture, public ::testing::WithParamInterface<AmountCase> {};

TEST_P(BlankEditorsAmountTyped, TypedAmountIsStoredExactly)
{
    QLocale::setDefault(GetParam().locale);
    const auto form = NewForm(bkTransfer);
    form->SetEditorValue(1, QString());
    auto* edit = EditorAs<QLineEdit>(*form, 1);
    QTest::keyClicks(edit, QString::fromLatin1(GetParam().typed));
    EXPECT_EQ(form->Kwota(), GetParam().stored);
    // The editor keeps what was typed, capped or not.
    EXPECT_EQ(edit->text(), QString::fromLatin1(GetParam().typed));
    EXPECT_TRUE(form->Modified());
}

INSTANTIATE_TEST_SUITE_P(BlankEditorsAmounts, BlankEditorsAmountTyped,
    ::testing::Values(
        AmountCase{"pl_point", Polish, "12.5", 125000},
        AmountCase{"pl_comma", Polish, "12,5", 125000},
        AmountCase{"en_point", English, "12.5", 125000},
        AmountCase{"en_comma", English, "12,5", 125000},
        AmountCase{"pl_grosze", Polish, "123,45", 1234500},
        AmountCase{"pl_whole", Polish, "100", 1000000},
        AmountCase{"pl_trailing_separator", Polish, "7,", 70000},
        AmountCase{"pl_leading_separator", Polish, ",25", 2500},
        AmountCase{"pl_tenth_of_a_grosz", Polish, "0,0001", 1},
        // Beyond four decimals the tie goes to the even neighbour.
        AmountCase{"pl_tie_rounds_down_to_even", Polish, "0,00005", 0},
        AmountCase{"pl_tie_rounds_up_to_even", Polish, "0,00015", 2},
        AmountCase{"pl_above_tie_rounds_up", Polish, "0,000051", 1},
        AmountCase{"pl_two_separators_do_not_convert", Polish, "1.234,5", 0},
        AmountCase{"en_two_separators_do_not_convert", English, "1,234.5", 0},
        AmountCase{"pl_separator_alone_does_not_convert", Polish, ",", 0},
        AmountCase{"pl_largest_amount", Polish, "999999999,99", 9999999999900},
        AmountCase{"pl_billion_is_capped", Polish, "1000000000", 9999999999900},
        AmountCase{"en_more_is_capped", English, "123456789012.5", 9999999999900},
        // Past the currency range nothing converts.
        AmountCase{"pl_out_of_range", Polish, "99999999999999999999", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BlankEditorsValues, ClearingTheAmountStoresZero)
{
    const auto form = NewForm(bkTransfer);
    form->SetEditorValue(1, QString());
    auto* edit = EditorAs<QLineEdit>(*form, 1);
    QTest::keyClicks(edit, QStringLiteral("4,5"));
    ASSERT_EQ(form->Kwota(), 45000);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_EQ(form->Kwota(), 0);
}

TEST_F(BlankEditorsValues, AmountSetByTheProgramMayCarryASignAndAnExponent)
{
    const auto form = NewForm(bkTransfer);
    struct Case {
        const char* text;
        Currency stored;
    };
    for (const Case c : {Case{" 7,5\t", 75000}, Case{"-12,5", -125000}, Case{"+3", 30000}, Case{"1,5E2", 1500000},
                         Case{"25e-2", 2500}, Case{"1E", 0}, Case{"12 345", 0}, Case{"1\u00A0234", 0},
                         Case{"12zł", 0}}) {
        SCOPED_TRACE(c.text);
        form->SetEditorValue(1, QString::fromUtf8(c.text));
        EXPECT_EQ(form->Kwota(), c.stored);
    }
}

struct ShownAmountCase {
    const char* name;
    QLocale locale;
    Currency amount;
    const char* shown;
};

void PrintTo(const ShownAmountCase& c, std::ostream* os) { *os << c.name; }

class BlankEditorsAmountShown : public BlankEditorsFixture, public ::testing::WithParamInterface<ShownAmountCase> {};

TEST_P(BlankEditorsAmountShown, AmountIsShownInItsShortestForm)
{
    QLocale::setDefault(GetParam().locale);
    TBlankData data;
    data.FKind = bkTransfer;
    data.FKwota = GetParam().amount;
    const auto form = FormFromFile(data);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(EditorAs<QLineEdit>(*form, 1)->text(), QString::fromLatin1(GetParam().shown));
    EXPECT_EQ(form->Kwota(), GetParam().amount);
}

INSTANTIATE_TEST_SUITE_P(BlankEditorsAmounts, BlankEditorsAmountShown,
    ::testing::Values(ShownAmountCase{"pl_grosze", Polish, 1234500, "123,45"},
                      ShownAmountCase{"pl_whole", Polish, 1000000, "100"},
                      ShownAmountCase{"pl_tenths", Polish, 125000, "12,5"},
                      ShownAmountCase{"pl_zero", Polish, 0, "0"},
                      ShownAmountCase{"pl_ten_thousandth", Polish, 1, "0,0001"},
                      ShownAmountCase{"pl_largest", Polish, 9999999999900, "999999999,99"},
                      // A file may hold more than the editor lets through.
                      ShownAmountCase{"pl_uncapped_from_file", Polish, 15000000000000, "1500000000"},
                      ShownAmountCase{"pl_negative", Polish, -125000, "-12,5"},
                      ShownAmountCase{"en_grosze", English, 1234500, "123.45"},
                      ShownAmountCase{"en_whole", English, 1000000, "100"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- text fields ---------------------------------------------------------------------

struct FieldCase {
    const char* name;
    quint16 kind;
    int tag;
    const char* typed;
    std::function<QString(const TfrmBlank&)> field;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

class BlankEditorsTypedField : public BlankEditorsFixture, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(BlankEditorsTypedField, TypingGoesIntoTheTagsField)
{
    const auto form = NewForm(GetParam().kind);
    form->SetEditorValue(GetParam().tag, QString());
    form->SetModified(false);
    QTest::keyClicks(form->EditorOfTag(GetParam().tag), QString::fromLatin1(GetParam().typed));
    EXPECT_EQ(GetParam().field(*form), QString::fromLatin1(GetParam().typed));
    EXPECT_TRUE(form->Modified());
}

TEST_F(BlankEditorsValues, EveryEditMarksThePreviewStale)
{
    const auto form = NewForm(bkTransferZus);
    struct Step {
        const char* name;
        std::function<void()> edit;
    };
    const Step steps[] = {
        {"edit", [&] { QTest::keyClicks(form->EditorOfTag(33), QStringLiteral("1")); }},
        {"memo", [&] { QTest::keyClicks(form->EditorOfTag(32), QStringLiteral("a")); }},
        {"list", [&] { QTest::keyClick(form->EditorOfTag(42), Qt::Key_Down); }},
        {"check box", [&] { QTest::mouseClick(form->EditorOfTag(81), Qt::LeftButton, {}, QPoint(8, 8)); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(WaitForRepaint(*form));
        step.edit();
        EXPECT_TRUE(form->NeedRefresh());
    }
}

QString Joined(const QStringList& lines) { return lines.join(QLatin1Char('|')); }

INSTANTIATE_TEST_SUITE_P(BlankEditorsFields, BlankEditorsTypedField,
    ::testing::Values(
        FieldCase{"deposit_payer", 1, 32, "Jan", [](const TfrmBlank& f) { return Joined(f.Nadawca()); }},
        FieldCase{"deposit_bank", 1, 48, "PKO BP", [](const TfrmBlank& f) { return Joined(f.Bank()); }},
        FieldCase{"deposit_account", 1, 17, "12 34", [](const TfrmBlank& f) { return f.OdbRach(); }},
        FieldCase{"deposit_account_name", 1, 16, "Gmina", [](const TfrmBlank& f) { return Joined(f.Odbiorca()); }},
        FieldCase{"deposit_title", 1, 64, "Czynsz", [](const TfrmBlank& f) { return Joined(f.Tytul()); }},
        FieldCase{"order_sender", 2, 32, "Anna Nowak", [](const TfrmBlank& f) { return Joined(f.Nadawca()); }},
        FieldCase{"order_sender_address", 2, 35, "ul. Polna 1", [](const TfrmBlank& f) { return f.NadAdres(); }},
        FieldCase{"order_sender_code", 2, 34, "00-950", [](const TfrmBlank& f) { return f.NadKod(); }},
        FieldCase{"order_sender_office", 2, 36, "Ustka", [](const TfrmBlank& f) { return f.NadPoczta(); }},
        FieldCase{"order_addressee", 2, 16, "Jan Kowalski", [](const TfrmBlank& f) { return Joined(f.Odbiorca()); }},
        FieldCase{"order_addressee_address", 2, 19, "ul. Lipowa 2", [](const TfrmBlank& f) { return f.OdbAdres(); }},
        FieldCase{"order_addressee_code", 2, 18, "31-151", [](const TfrmBlank& f) { return f.OdbKod(); }},
        FieldCase{"order_addressee_office", 2, 20, "Puck", [](const TfrmBlank& f) { return f.OdbPoczta(); }},
        FieldCase{"order_text", 2, 64, "Pozdrowienia", [](const TfrmBlank& f) { return Joined(f.Tytul()); }},
        FieldCase{"transfer_recipient", 5, 16, "Firma", [](const TfrmBlank& f) { return Joined(f.Odbiorca()); }},
        FieldCase{"transfer_recipient_account", 5, 17, "61 1090", [](const TfrmBlank& f) { return f.OdbRach(); }},
        FieldCase{"transfer_sender_account", 5, 33, "10-20", [](const TfrmBlank& f) { return f.NadRach(); }},
        FieldCase{"zus_payer_account", 6, 33, "11 22", [](const TfrmBlank& f) { return f.NadRach(); }},
        FieldCase{"zus_nip", 6, 37, "5260001246", [](const TfrmBlank& f) { return f.NadNIP(); }},
        FieldCase{"zus_second_id", 6, 39, "ABC123456", [](const TfrmBlank& f) { return f.NadId2(); }},
        FieldCase{"zus_period", 6, 41, "012026", [](const TfrmBlank& f) { return f.NadDeklaracja(); }},
        FieldCase{"zus_decision", 6, 43, "D/1/2026", [](const TfrmBlank& f) { return f.NadNrDecyzji(); }},
        FieldCase{"tax_id", 7, 39, "5260001246", [](const TfrmBlank& f) { return f.NadId2(); }},
        FieldCase{"tax_period", 7, 44, "26M01", [](const TfrmBlank& f) { return f.NadOkres(); }},
        FieldCase{"tax_form_symbol_typed", 7, 45, "PIT-4", [](const TfrmBlank& f) { return f.NadSymbolForm(); }},
        FieldCase{"tax_liability", 7, 46, "ZOB/7", [](const TfrmBlank& f) { return f.NadIdZobow(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BlankEditorsValues, MemoGivesItsFieldOneLinePerRow)
{
    const auto form = NewForm(bkTransfer);
    QWidget* memo = form->EditorOfTag(32);
    QTest::keyClicks(memo, QStringLiteral("Jan Nowak"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("ul. Polna 1"));
    EXPECT_EQ(form->Nadawca(), (QStringList{QStringLiteral("Jan Nowak"), QStringLiteral("ul. Polna 1")}));
    EXPECT_EQ(form->GetEditorValue(32).toString(), QStringLiteral("Jan Nowak\r\nul. Polna 1"));
    // An empty line at the end is no line of the field.
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(form->Nadawca().size(), 2);
    form->SetEditorValue(32, QString());
    EXPECT_TRUE(form->Nadawca().isEmpty());
}

TEST_F(BlankEditorsValues, ValuesAreSetWithoutSurroundingBlanksAndControlCharacters)
{
    const auto form = NewForm(bkTransfer);
    form->SetEditorValue(17, QStringLiteral("\t 61 1090 \r\n"));
    EXPECT_EQ(form->OdbRach(), QStringLiteral("61 1090"));
    EXPECT_EQ(form->GetEditorValue(17).toString(), QStringLiteral("61 1090"));
    form->SetEditorValue(16, QStringLiteral("\r\n Firma\r\nul. Długa 5 \r\n\r\n"));
    EXPECT_EQ(form->Odbiorca(), (QStringList{QStringLiteral("Firma"), QStringLiteral("ul. Długa 5")}));
}

TEST_F(BlankEditorsValues, DocumentFromAFileLeavesTheEditorsInNormalForm)
{
    TBlankData data;
    data.FKind = bkTransfer;
    data.FNadawca = QStringList{QStringLiteral(" Jan "), QStringLiteral("ul. Polna 1"), QString()};
    data.FNadRach = QStringLiteral("  61 1090 ");
    data.FOdbiorca = QStringList{QString(), QStringLiteral("Firma")};
    const auto form = FormFromFile(data);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Nadawca(), (QStringList{QStringLiteral("Jan "), QStringLiteral("ul. Polna 1")}));
    EXPECT_EQ(form->NadRach(), QStringLiteral("61 1090"));
    EXPECT_EQ(form->Odbiorca(), QStringList{QStringLiteral("Firma")});
}

TEST_F(BlankEditorsValues, MoneyOrderNamesAreOneLineEdits)
{
    TBlankData data;
    data.FKind = bkMoneyOrder;
    data.FOdbiorca = QStringList{QStringLiteral("Jan Kowalski")};
    data.FTytul = QStringList{QStringLiteral("Wszystkiego"), QStringLiteral("najlepszego")};
    const auto form = FormFromFile(data);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(EditorAs<QLineEdit>(*form, 16)->text(), QStringLiteral("Jan Kowalski"));
    EXPECT_EQ(EditorAs<QPlainTextEdit>(*form, 64)->toPlainText(), QStringLiteral("Wszystkiego\nnajlepszego"));
    EXPECT_EQ(form->Tytul(), data.FTytul);
}

// ---- the declaration number ---------------------------------------------------------

TEST_F(BlankEditorsValues, DeclarationNumberIsAByteAndZeroWhenNotANumber)
{
    const auto form = NewForm(bkTransferZus);
    EXPECT_EQ(EditorAs<QLineEdit>(*form, 40)->text(), QStringLiteral("1"));
    struct Case {
        const char* text;
        int stored;
    };
    for (const Case c : {Case{"7", 7}, Case{"300", 44}, Case{"256", 0}, Case{"-1", 255}, Case{"ab", 0},
                         Case{"", 0}, Case{"12", 12}}) {
        SCOPED_TRACE(c.text);
        form->SetEditorValue(40, QString::fromLatin1(c.text));
        EXPECT_EQ(form->NadNrDeklar(), c.stored);
    }
    form->SetEditorValue(40, QString());
    QTest::keyClicks(form->EditorOfTag(40), QStringLiteral("35"));
    EXPECT_EQ(form->NadNrDeklar(), 35);
}

// ---- values by tag -------------------------------------------------------------------

TEST_F(BlankEditorsValues, TagWithoutAnEditorIsIgnored)
{
    const auto form = NewForm(bkTransfer);
    form->SetEditorValue(37, QStringLiteral("5260001246"));
    form->SetEditorValue(999, QStringLiteral("x"));
    EXPECT_TRUE(form->NadNIP().isEmpty());
    EXPECT_FALSE(form->Modified());
    EXPECT_FALSE(form->GetEditorValue(37).isValid());
    EXPECT_FALSE(form->GetEditorValue(999).isValid());
}

TEST_F(BlankEditorsValues, ValueOfEachKindOfEditor)
{
    const auto form = NewForm(bkTransfer);
    form->SetEditorValue(64, QStringLiteral("a\r\nb"));
    EXPECT_EQ(form->GetEditorValue(64).toString(), QStringLiteral("a\r\nb"));
    form->SetEditorValue(82, true);
    EXPECT_EQ(form->GetEditorValue(82), QVariant(true));
    EXPECT_TRUE(form->MalePokwit());
    form->SetModified(false);
    ASSERT_TRUE(WaitForRepaint(*form));
    form->SetEditorValue(257, RGBColor(1, 2, 3));
    EXPECT_EQ(form->GetEditorValue(257).toUInt(), RGBColor(1, 2, 3));
    EXPECT_EQ(form->EditorOfTag(257)->palette().color(QPalette::Window), QColor(1, 2, 3));
    // A colour panel is no editor of the document: its field stays.
    EXPECT_EQ(form->KolForm(), RGBColor(234, 88, 0));
    EXPECT_FALSE(form->Modified());
    EXPECT_FALSE(form->NeedRefresh());
}

} // namespace
