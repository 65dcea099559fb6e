// What can be typed into the amount, account-number and postal-code editors,
// and the maximum lengths of the editors, through real key events.
#include "BlankEditorsTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <ostream>

namespace {

struct TypingCase {
    const char* name;
    quint16 kind;
    int tag;
    const char* typed;
    const char* shown;
};

void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }

class BlankEditorsTyping : public BlankEditorsFixture, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(BlankEditorsTyping, OnlyTheAllowedCharactersAppear)
{
    const auto form = NewForm(GetParam().kind);
    form->SetEditorValue(GetParam().tag, QString());
    auto* edit = EditorAs<QLineEdit>(*form, GetParam().tag);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(edit->text(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(BlankEditorsKeys, BlankEditorsTyping,
    ::testing::Values(
        TypingCase{"amount_digits_and_both_separators", bkTransfer, 1, "1a2,b3.4 -x", "12,3.4"},
        TypingCase{"amount_refuses_signs_and_blanks", bkTransferTax, 1, "+-5 e", "5"},
        TypingCase{"recipient_account_digits_blank_dash", bkTransfer, 17, "12 ab-34,5.", "12 -345"},
        TypingCase{"sender_account_digits_blank_dash", bkTransferZus, 33, "PL61 1090-x", "61 1090-"},
        TypingCase{"deposit_account", bkDeposit, 17, "00 1x2", "00 12"},
        TypingCase{"addressee_postal_code", bkMoneyOrder, 18, "00-9x5 0", "00-950"},
        TypingCase{"sender_postal_code", bkMoneyOrder, 34, "a31-1,5.1", "31-151"},
        // Editors without a filter take anything.
        TypingCase{"payer_nip_unfiltered", bkTransferZus, 37, "ab 1-", "ab 1-"},
        TypingCase{"post_office_unfiltered", bkMoneyOrder, 36, "Ustka 1", "Ustka 1"}),
    [](const auto& info) { return std::string(info.param.name); });

// A key that types a character QTest has no key for, as the keyboard sends it.
void TypeCharacter(QWidget* w, QChar c)
{
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class BlankEditorsKeys : public BlankEditorsFixture {};

TEST_F(BlankEditorsKeys, PolishLettersDoNotAppearInFilteredEditors)
{
    const auto form = NewForm(bkMoneyOrder);
    for (const int tag : {1, 18, 34}) {
        SCOPED_TRACE(tag);
        form->SetEditorValue(tag, QStringLiteral("1"));
        auto* edit = EditorAs<QLineEdit>(*form, tag);
        TypeCharacter(edit, QChar(0x0105)); // ą
        TypeCharacter(edit, QChar(0x0141)); // Ł
        EXPECT_EQ(edit->text(), QStringLiteral("1"));
    }
}

TEST_F(BlankEditorsKeys, BackspaceWorksInAmountAndAccountButNotInPostalCode)
{
    struct Case {
        quint16 kind;
        int tag;
        const char* after;
    };
    for (const Case c : {Case{bkTransfer, 1, "12"}, Case{bkTransfer, 17, "12"}, Case{bkTransfer, 33, "12"},
                         Case{bkMoneyOrder, 18, "123"}, Case{bkMoneyOrder, 34, "123"}}) {
        SCOPED_TRACE(c.tag);
        const auto form = NewForm(c.kind);
        form->SetEditorValue(c.tag, QStringLiteral("123"));
        auto* edit = EditorAs<QLineEdit>(*form, c.tag);
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.after));
    }
}

TEST_F(BlankEditorsKeys, DeleteAndArrowsTypeNothingAndPass)
{
    const auto form = NewForm(bkMoneyOrder);
    form->SetEditorValue(18, QStringLiteral("00-950"));
    auto* edit = EditorAs<QLineEdit>(*form, 18);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), QStringLiteral("0-950"));
    // An X keyboard gives the Delete key the DEL character as its text.
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("-950"));
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClicks(edit, QStringLiteral("1"));
    EXPECT_EQ(edit->text(), QStringLiteral("-9150"));
    EXPECT_EQ(form->OdbKod(), QStringLiteral("-9150"));
}

TEST_F(BlankEditorsKeys, TabLeavesAFilteredEditor)
{
    const auto form = NewForm(bkMoneyOrder);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (const int tag : {1, 34}) {
        SCOPED_TRACE(tag);
        QWidget* edit = form->EditorOfTag(tag);
        edit->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), edit);
        QTest::keyClick(edit, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), edit);
    }
}

TEST_F(BlankEditorsKeys, ClipboardKeysWorkInFilteredEditors)
{
    // Account numbers are mostly copied from an invoice, so Ctrl+V must paste.
    const auto form = NewForm(bkTransfer);
    auto* account = EditorAs<QLineEdit>(*form, 17);
    form->SetEditorValue(17, QString());
    QApplication::clipboard()->setText(QStringLiteral("61 1090 1014 0000 0712 1981 2874"));
    QTest::keyClick(account, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->OdbRach(), QStringLiteral("61 1090 1014 0000 0712 1981 2874"));
    QTest::keyClick(account, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(account, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(account->text().isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("61 1090 1014 0000 0712 1981 2874"));
}

TEST_F(BlankEditorsKeys, AmountTakesTheLocalesSeparatorOnlyFromTheEightBitSet)
{
    // The Arabic decimal separator lies beyond the 8-bit set: refused.
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    ASSERT_EQ(QLocale().decimalPoint(), QString(QChar(0x066B)));
    const auto form = NewForm(bkTransfer);
    form->SetEditorValue(1, QStringLiteral("12"));
    auto* edit = EditorAs<QLineEdit>(*form, 1);
    TypeCharacter(edit, QChar(0x066B));
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
}

struct LimitCase {
    quint16 kind;
    int tag;
    int maxLength;
};

void PrintTo(const LimitCase& c, std::ostream* os) { *os << "kind " << c.kind << " tag " << c.tag; }

class BlankEditorsLimits : public BlankEditorsFixture, public ::testing::WithParamInterface<LimitCase> {};

// The editor's text, whatever its class.
QString TextOf(QWidget* w)
{
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
        return memo->toPlainText();
    if (auto* list = qobject_cast<QComboBox*>(w))
        return list->currentText();
    return {};
}

TEST_P(BlankEditorsLimits, TypingStopsAtTheMaximumLength)
{
    const auto form = NewForm(GetParam().kind);
    form->SetEditorValue(GetParam().tag, QString());
    QWidget* editor = form->EditorOfTag(GetParam().tag);
    ASSERT_NE(editor, nullptr);
    // Digits pass every filter.
    const QString typed = QString(GetParam().maxLength + 5, QLatin1Char('7'));
    QTest::keyClicks(editor, typed);
    EXPECT_EQ(TextOf(editor), typed.left(GetParam().maxLength));
}

INSTANTIATE_TEST_SUITE_P(BlankEditorsKeys, BlankEditorsLimits,
    ::testing::Values(LimitCase{1, 32, 130}, LimitCase{1, 48, 130}, LimitCase{1, 17, 35}, LimitCase{1, 16, 130},
                      LimitCase{1, 64, 120}, LimitCase{2, 32, 130}, LimitCase{2, 35, 130}, LimitCase{2, 34, 6},
                      LimitCase{2, 36, 130}, LimitCase{2, 16, 130}, LimitCase{2, 19, 130}, LimitCase{2, 18, 6},
                      LimitCase{2, 20, 130}, LimitCase{5, 16, 130}, LimitCase{5, 17, 35}, LimitCase{5, 33, 35},
                      LimitCase{5, 32, 130}, LimitCase{5, 64, 120}, LimitCase{6, 33, 35}, LimitCase{6, 32, 130},
                      LimitCase{6, 37, 10}, LimitCase{6, 39, 14}, LimitCase{6, 40, 2}, LimitCase{6, 41, 6},
                      LimitCase{6, 43, 15}, LimitCase{7, 16, 130}, LimitCase{7, 17, 35}, LimitCase{7, 33, 35},
                      LimitCase{7, 32, 130}, LimitCase{7, 39, 14}, LimitCase{7, 44, 7}, LimitCase{7, 45, 7},
                      LimitCase{7, 46, 20}));

TEST_F(BlankEditorsKeys, AmountAndCorrespondenceHaveNoLimit)
{
    const auto form = NewForm(bkMoneyOrder);
    form->SetEditorValue(64, QString());
    const QString text(300, QLatin1Char('x'));
    QTest::keyClicks(form->EditorOfTag(64), text);
    EXPECT_EQ(form->Tytul(), QStringList{text});
    form->SetEditorValue(1, QString());
    QTest::keyClicks(form->EditorOfTag(1), QStringLiteral("12345678901234567890"));
    EXPECT_EQ(EditorAs<QLineEdit>(*form, 1)->text(), QStringLiteral("12345678901234567890"));
}

TEST_F(BlankEditorsKeys, MemoLineBreakCountsAsTwoCharacters)
{
    const auto form = NewForm(bkTransfer);
    form->SetEditorValue(64, QString());
    QWidget* memo = form->EditorOfTag(64);
    // 117 + CR LF + 1 fills the 120 characters of "Tytułem".
    const QString first(117, QLatin1Char('x'));
    QTest::keyClicks(memo, first);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("abc"));
    EXPECT_EQ(form->Tytul(), (QStringList{first, QStringLiteral("a")}));
}

TEST_F(BlankEditorsKeys, PasteInsertsWhatFits)
{
    const auto form = NewForm(bkTransferZus);
    form->SetEditorValue(37, QStringLiteral("12"));
    auto* edit = EditorAs<QLineEdit>(*form, 37);
    edit->setCursorPosition(1);
    QApplication::clipboard()->setText(QStringLiteral("ABCDEFGHIJ"));
    edit->paste();
    EXPECT_EQ(edit->text(), QStringLiteral("1ABCDEFGH2"));
    EXPECT_EQ(form->NadNIP(), QStringLiteral("1ABCDEFGH2"));
}

TEST_F(BlankEditorsKeys, ValueSetByTheProgramIsKeptWhole)
{
    const auto form = NewForm(bkTransferZus);
    form->SetEditorValue(37, QStringLiteral("12345678901234"));
    EXPECT_EQ(form->NadNIP(), QStringLiteral("12345678901234"));
    // Already too long: no more typing, but deleting works.
    auto* edit = EditorAs<QLineEdit>(*form, 37);
    QTest::keyClicks(edit, QStringLiteral("5"));
    EXPECT_EQ(edit->text(), QStringLiteral("12345678901234"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(form->NadNIP(), QStringLiteral("1234567890123"));
}

} // namespace
