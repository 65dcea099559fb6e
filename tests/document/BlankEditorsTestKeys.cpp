// What can be typed into the amount, account-number and postal-code editors,
// and the maximum lengths of the editors, through real key events.
#include "BlankEditorsTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace {

class BlankEditorsKeys : public BlankEditorsFixture {};

TEST_F(BlankEditorsKeys, OnlyTheAllowedCharactersAppear)
{
    const struct {
        const char* name;
        quint16 kind;
        int tag;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"amount: digits and both separators", bkTransfer, 1, "1a2,b3.4 -x", "12,3.4"},
        {"amount: no signs, blanks or exponents", bkTransferTax, 1, "+-5 e", "5"},
        {"account: digits, blank and dash", bkTransfer, 17, "12 ab-34,5.", "12 -345"},
        {"sender account: no country letters", bkTransferZus, 33, "PL61 1090-x", "61 1090-"},
        {"postal code: digits and dash", bkMoneyOrder, 18, "00-9x5 0", "00-950"},
        {"NIP: no filter", bkTransferZus, 37, "ab 1-", "ab 1-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto form = NewForm(c.kind);
        form->SetEditorValue(c.tag, QString());
        auto* edit = EditorAs<QLineEdit>(*form, c.tag);
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.shown));
    }
}

TEST_F(BlankEditorsKeys, DeletingKeysPassTheFiltersExceptBackspaceInPostalCodes)
{
    struct Case {
        quint16 kind;
        int tag;
        const char* after;
    };
    for (const Case c : {Case{bkTransfer, 1, "12"}, Case{bkTransfer, 17, "12"}, Case{bkMoneyOrder, 18, "123"}}) {
        SCOPED_TRACE(c.tag);
        const auto form = NewForm(c.kind);
        form->SetEditorValue(c.tag, QStringLiteral("123"));
        QTest::keyClick(form->EditorOfTag(c.tag), Qt::Key_Backspace);
        EXPECT_EQ(EditorAs<QLineEdit>(*form, c.tag)->text(), QString::fromLatin1(c.after));
    }
    const auto form = NewForm(bkMoneyOrder);
    form->SetEditorValue(18, QStringLiteral("00-950"));
    auto* edit = EditorAs<QLineEdit>(*form, 18);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    // An X keyboard gives the Delete key the DEL character as its text.
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
    EXPECT_EQ(form->OdbKod(), QStringLiteral("-950"));
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

TEST_F(BlankEditorsKeys, TypingStopsAtTheMaximumLength)
{
    const struct {
        quint16 kind;
        int tag;
        int maxLength;
    } cases[] = {{1, 64, 120}, {2, 34, 6}, {7, 45, 7}}; // a memo, a filtered edit, a list
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " tag " << c.tag);
        const auto form = NewForm(c.kind);
        form->SetEditorValue(c.tag, QString());
        // Digits pass every filter.
        const QString typed(c.maxLength + 5, QLatin1Char('7'));
        QTest::keyClicks(form->EditorOfTag(c.tag), typed);
        EXPECT_EQ(TextOf(form->EditorOfTag(c.tag)), typed.left(c.maxLength));
    }
}

} // namespace
