// The choice lists with their entries and codes, the ZUS account picked by
// its digit, the exclusive payment boxes and the small receipt.
#include "BlankEditorsTestSupport.h"

#include <QCheckBox>
#include <QTest>

#include <ostream>

namespace {

class BlankEditorsListsAndBoxes : public BlankEditorsFixture {};

struct ListCase {
    quint16 kind;
    int tag;
    QStringList entries;
    QStringList codes;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << "kind " << c.kind << " tag " << c.tag; }

class BlankEditorsChoices : public BlankEditorsFixture, public ::testing::WithParamInterface<ListCase> {};

QString CodeOf(const TfrmBlank& form, int tag)
{
    switch (tag) {
    case 21: return form.OdbRach();
    case 38: return QString(form.NadTypId2());
    case 42: return QString(form.NadTypWplaty());
    default: return {};
    }
}

TEST_P(BlankEditorsChoices, EachEntryStoresItsCode)
{
    const auto form = NewForm(GetParam().kind);
    auto* list = EditorAs<QComboBox>(*form, GetParam().tag);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(EntriesOf(list), GetParam().entries);
    for (int i = 0; i < GetParam().codes.size(); ++i) {
        SCOPED_TRACE(i);
        form->SetEditorValue(GetParam().tag, i);
        EXPECT_EQ(list->currentIndex(), i);
        EXPECT_EQ(CodeOf(*form, GetParam().tag), GetParam().codes.at(i));
    }
    // The user's choice from the keyboard: back up one entry.
    form->SetModified(false);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(CodeOf(*form, GetParam().tag), GetParam().codes.at(GetParam().codes.size() - 2));
    EXPECT_TRUE(form->Modified());
}

INSTANTIATE_TEST_SUITE_P(BlankEditorsLists, BlankEditorsChoices,
    ::testing::Values(
        ListCase{6, 21,
                 {"<Nie wybrano>", "1 - Ubezpieczenie społeczne", "2 - Ubezpieczenie zdrowotne", "3 - FP i FGŚP",
                  "4 - FEP"},
                 {"  101010230000261395 00000", "83101010230000261395100000", "78101010230000261395200000",
                  "73101010230000261395300000", "68101010230000261395400000"}},
        ListCase{6, 38,
                 {"<Nie wybrano>", "R - REGON", "P - PESEL", "1 - Dowód osobisty", "2 - Paszport"},
                 {" ", "R", "P", "1", "2"}},
        ListCase{7, 38,
                 {"N - NIP", "R - REGON", "P - PESEL", "1 - Dowód osobisty", "2 - Paszport", "3 - Inny dokument"},
                 {"N", "R", "P", "1", "2", "3"}},
        ListCase{6, 42,
                 {"<Nie wybrano>", "S - Składka za 1 miesiąc", "M - Składka dłuższa niż miesiąc",
                  "U - Układ ratalny", "T - Odroczenie terminu", "D - Dodatkowa opłata",
                  "E - Koszty egzekucyjne", "A - Dodatkowa opłata za błędy płatnika"},
                 {" ", "S", "M", "U", "T", "D", "E", "A"}}));

TEST_F(BlankEditorsListsAndBoxes, TwentyFirstCharacterOfAZusAccountPicksTheAccount)
{
    const QString none = QStringLiteral("  101010230000261395 00000");
    const struct {
        const char* odbRach;
        const char* shown;
        QString stored;
    } cases[] = {
        {"68101010230000261395400000", "4 - FEP", QStringLiteral("68101010230000261395400000")},
        // Only the digit counts: the list's own account replaces the rest.
        {"00000000000000000000200000", "2 - Ubezpieczenie zdrowotne", QStringLiteral("78101010230000261395200000")},
        {"68101010230000261395", "<Nie wybrano>", none},
        {"68101010230000261395000000", "<Nie wybrano>", none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.odbRach);
        TBlankData data;
        data.FKind = bkTransferZus;
        data.FOdbRach = QString::fromLatin1(c.odbRach);
        const auto form = FormFromFile(data);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(EditorAs<QComboBox>(*form, 21)->currentText(), QString::fromUtf8(c.shown));
        EXPECT_EQ(form->OdbRach(), c.stored);
    }
}

TEST_F(BlankEditorsListsAndBoxes, UnknownCodesShowTheFirstEntry)
{
    TBlankData data;
    data.FKind = bkTransferTax;
    data.FNadTypId2 = QChar(0);
    data.FNadTypWplaty = QLatin1Char('X');
    data.FNadSymbolForm = QStringLiteral("PIT-4");
    const auto tax = FormFromFile(data);
    ASSERT_NE(tax, nullptr);
    EXPECT_EQ(EditorAs<QComboBox>(*tax, 38)->currentText(), QStringLiteral("N - NIP"));
    EXPECT_EQ(tax->NadTypId2(), QLatin1Char('N'));
    EXPECT_EQ(EditorAs<QComboBox>(*tax, 45)->currentText(), QStringLiteral("PIT-4"));
    EXPECT_EQ(tax->NadSymbolForm(), QStringLiteral("PIT-4"));

    data.FKind = bkTransferZus;
    const auto zus = FormFromFile(data);
    ASSERT_NE(zus, nullptr);
    EXPECT_EQ(EditorAs<QComboBox>(*zus, 42)->currentText(), QStringLiteral("<Nie wybrano>"));
    EXPECT_EQ(zus->NadTypWplaty(), QLatin1Char(' '));
}

void Click(QWidget* box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

TEST_F(BlankEditorsListsAndBoxes, DepositAndTransferBoxesExcludeEachOther)
{
    const auto form = NewForm(bkTransferTax);
    auto* wplata = EditorAs<QCheckBox>(*form, 81);
    auto* przelew = EditorAs<QCheckBox>(*form, 80);
    Click(przelew);
    EXPECT_EQ(form->PrzelewWplata(), pwPrzelew);
    EXPECT_TRUE(form->Modified());
    Click(wplata);
    EXPECT_TRUE(wplata->isChecked());
    EXPECT_FALSE(przelew->isChecked());
    EXPECT_EQ(form->PrzelewWplata(), pwWplata);
    Click(przelew);
    EXPECT_FALSE(wplata->isChecked());
    EXPECT_EQ(form->PrzelewWplata(), pwPrzelew);
    Click(przelew);
    EXPECT_FALSE(przelew->isChecked());
    EXPECT_EQ(form->PrzelewWplata(), pwNone);
}

TEST_F(BlankEditorsListsAndBoxes, PaymentModeOfAFileIsShown)
{
    TBlankData data;
    data.FKind = bkTransfer;
    data.FPrzelewWplata = pwWplata;
    data.FMalePokwit = true;
    const auto form = FormFromFile(data);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(EditorAs<QCheckBox>(*form, 81)->isChecked());
    EXPECT_FALSE(EditorAs<QCheckBox>(*form, 80)->isChecked());
    EXPECT_TRUE(EditorAs<QCheckBox>(*form, 82)->isChecked());
    EXPECT_EQ(form->PrzelewWplata(), pwWplata);
    EXPECT_TRUE(form->MalePokwit());
}

TEST_F(BlankEditorsListsAndBoxes, UncheckingTheSmallReceiptShowsTheCouponAgain)
{
    const auto form = NewForm(bkTransfer);
    auto* receipt = EditorAs<QCheckBox>(*form, 82);
    Click(receipt);
    EXPECT_TRUE(form->MalePokwit());
    form->SetViewSide(bsBottom);
    Click(receipt);
    EXPECT_FALSE(form->MalePokwit());
    EXPECT_EQ(form->ViewSide(), bsTop);
    EXPECT_TRUE(form->Modified());
    // Checking it again leaves the side shown alone.
    form->SetViewSide(bsBottom);
    Click(receipt);
    EXPECT_EQ(form->ViewSide(), bsBottom);
}

} // namespace
