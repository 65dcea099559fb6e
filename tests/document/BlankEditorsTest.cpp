// The editor panel through real key and mouse events: what each editor lets
// through, where its value goes, the choice lists with their codes, the
// payment boxes and the colour panels.
#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "helpers/TempConfig.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QLocale Polish(QLocale::Polish, QLocale::Poland);
const QLocale English(QLocale::English, QLocale::UnitedStates);

class BlankEditors : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(Polish); }

    // Offscreen, but laid out and able to take mouse clicks like a real window.
    static std::unique_ptr<TfrmBlank> NewForm(quint16 kind)
    {
        auto form = std::make_unique<TfrmBlank>(nullptr, kind);
        form->show();
        return form;
    }
    std::unique_ptr<TfrmBlank> FormFromFile(const TBlankData& data)
    {
        const QString path = dir.filePath(QStringLiteral("dokument.wpt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(WriteBlankFile(data)) < 0)
            return nullptr;
        file.close();
        auto form = std::make_unique<TfrmBlank>(nullptr, path);
        form->show();
        return form;
    }
    template <class T>
    static T* Editor(const TfrmBlank& form, int tag)
    {
        return qobject_cast<T*>(form.EditorOfTag(tag));
    }
    // The editor emptied, then typed into; its text afterwards.
    static QString Type(TfrmBlank& form, int tag, const QString& typed)
    {
        form.SetEditorValue(tag, QString());
        form.SetModified(false);
        QWidget* w = form.EditorOfTag(tag);
        QTest::keyClicks(w, typed);
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
            return memo->toPlainText();
        if (auto* list = qobject_cast<QComboBox*>(w))
            return list->currentText();
        return qobject_cast<QLineEdit*>(w)->text();
    }

    TempConfig config;
    QTemporaryDir dir;
};

TEST_F(BlankEditors, EditorsLetThroughOnlyTheirCharactersUpToTheirLength)
{
    const struct {
        const char* name;
        quint16 kind;
        int tag;
        QString typed;
        QString shown;
    } cases[] = {
        {"amount: digits and both separators", bkTransfer, 1, "1a2,b3.4 -x", "12,3.4"},
        {"amount: no signs, blanks or exponents", bkTransferTax, 1, "+-5 e", "5"},
        {"account: digits, blank and dash", bkTransfer, 17, "12 ab-34,5.", "12 -345"},
        {"sender account: no country letters", bkTransferZus, 33, "PL61 1090-x", "61 1090-"},
        {"postal code: digits and dash", bkMoneyOrder, 18, "00-9x5 0", "00-950"},
        {"NIP: no filter", bkTransferZus, 37, "ab 1-", "ab 1-"},
        // Digits pass every filter, so only the length stops them.
        {"memo of 120", bkDeposit, 64, QString(125, '7'), QString(120, '7')},
        {"postal code of 6", bkMoneyOrder, 34, QString(10, '7'), QString(6, '7')},
        {"list of 7", bkTransferTax, 45, QString(10, '7'), QString(7, '7')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Type(*NewForm(c.kind), c.tag, c.typed), c.shown);
    }
}

TEST_F(BlankEditors, EditingKeysPassTheFiltersExceptBackspaceInPostalCodes)
{
    for (int tag : {1, 17, 18}) {
        SCOPED_TRACE(tag);
        const auto form = NewForm(tag == 18 ? bkMoneyOrder : bkTransfer);
        form->SetEditorValue(tag, QStringLiteral("123"));
        QTest::keyClick(form->EditorOfTag(tag), Qt::Key_Backspace);
        EXPECT_EQ(Editor<QLineEdit>(*form, tag)->text(), tag == 18 ? "123" : "12");
    }
    const auto form = NewForm(bkMoneyOrder);
    form->SetEditorValue(18, QStringLiteral("00-950"));
    auto* code = Editor<QLineEdit>(*form, 18);
    QTest::keyClick(code, Qt::Key_Home);
    // An X keyboard gives the Delete key the DEL character as its text.
    QTest::sendKeyEvent(QTest::Click, code, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
    EXPECT_EQ(form->OdbKod(), QStringLiteral("0-950"));
    // Account numbers are mostly copied from an invoice, so Ctrl+V must paste.
    const QString account = QStringLiteral("61 1090 1014 0000 0712 1981 2874");
    QApplication::clipboard()->setText(account);
    const auto transfer = NewForm(bkTransfer);
    transfer->SetEditorValue(17, QString());
    QTest::keyClick(transfer->EditorOfTag(17), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(transfer->OdbRach(), account);
}

TEST_F(BlankEditors, TypedAmountIsConvertedExactlyInEitherLocaleAndCapped)
{
    const struct {
        QLocale locale;
        const char* typed;
        Currency stored;
    } cases[] = {
        {Polish, "12.5", 125000}, {English, "12,5", 125000}, {Polish, "0,0001", 1},
        // Beyond four decimals the tie goes to the even neighbour, not up.
        {Polish, "0,00005", 0}, {Polish, "0,00015", 2}, {Polish, "0,000051", 1},
        {English, "1,234.5", 0}, // two separators do not convert
        {Polish, "1000000000", 9999999999900}, // a billion is capped
        {Polish, "99999999999999999999", 0},   // past the currency range nothing converts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QLocale::setDefault(c.locale);
        const auto form = NewForm(bkTransfer);
        // The editor keeps what was typed, capped or not.
        EXPECT_EQ(Type(*form, 1, QString::fromLatin1(c.typed)), QString::fromLatin1(c.typed));
        EXPECT_EQ(form->Kwota(), c.stored);
        EXPECT_TRUE(form->Modified());
    }
    // Shown in its shortest form, also beyond what the editor lets through.
    for (const auto& [locale, amount, shown] : {std::tuple{Polish, Currency(1234500), "123,45"},
                                                std::tuple{English, Currency(1234500), "123.45"},
                                                std::tuple{Polish, Currency(15000000000000), "1500000000"}}) {
        QLocale::setDefault(locale);
        TBlankData data;
        data.FKind = bkTransfer;
        data.FKwota = amount;
        const auto form = FormFromFile(data);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(Editor<QLineEdit>(*form, 1)->text(), QString::fromLatin1(shown));
    }
}

TEST_F(BlankEditors, TypingGoesIntoTheTagsFieldWithoutSurroundingBlanks)
{
    // One case per tag: the tag names the same field on every form. The
    // reference pictures of the coupons fill the transfer forms' tags.
    const struct {
        quint16 kind;
        int tag;
        QString typed;
        std::function<QString(const TfrmBlank&)> field;
        QString stored;
    } cases[] = {
        {2, 19, "ul. Lipowa 2", [](const TfrmBlank& f) { return f.OdbAdres(); }, "ul. Lipowa 2"},
        {2, 20, "Puck", [](const TfrmBlank& f) { return f.OdbPoczta(); }, "Puck"},
        {2, 34, "00-950", [](const TfrmBlank& f) { return f.NadKod(); }, "00-950"},
        {2, 35, "ul. Polna 1", [](const TfrmBlank& f) { return f.NadAdres(); }, "ul. Polna 1"},
        {2, 36, "Ustka", [](const TfrmBlank& f) { return f.NadPoczta(); }, "Ustka"},
        {1, 48, "PKO BP", [](const TfrmBlank& f) { return f.Bank().join('|'); }, "PKO BP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        const auto form = NewForm(c.kind);
        Type(*form, c.tag, c.typed);
        EXPECT_EQ(c.field(*form), c.stored);
        EXPECT_TRUE(form->Modified());
    }
    // Empty lines and blanks around a line are no part of the field.
    const auto form = NewForm(bkTransfer);
    form->SetEditorValue(17, QStringLiteral("\t 61 1090 \r\n"));
    EXPECT_EQ(form->OdbRach(), QStringLiteral("61 1090"));
    form->SetEditorValue(16, QStringLiteral("\r\n Firma\r\nul. Długa 5 \r\n\r\n"));
    EXPECT_EQ(form->Odbiorca(), (QStringList{QStringLiteral("Firma"), QStringLiteral("ul. Długa 5")}));

    // Longer than a line edit holds: whole through an edit of another field and a save.
    TBlankData data;
    data.FKind = bkTransfer;
    data.FOdbRach = QString(40000, QLatin1Char('7'));
    const auto longer = FormFromFile(data);
    ASSERT_NE(longer, nullptr);
    QTest::keyClicks(longer->EditorOfTag(64), QStringLiteral("Faktura 12"));
    longer->Save();
    QFile file(longer->FileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TBlankData saved;
    ReadBlankFile(file.readAll(), saved);
    EXPECT_EQ(saved.FOdbRach, data.FOdbRach);
}

TEST_F(BlankEditors, EachListEntryStoresItsCode)
{
    const auto code = [](const TfrmBlank& f, int tag) {
        return tag == 21 ? f.OdbRach() : QString(tag == 38 ? f.NadTypId2() : f.NadTypWplaty());
    };
    const struct {
        quint16 kind;
        int tag;
        QStringList entries;
        QStringList codes;
    } cases[] = {
        {6, 21, {"<Nie wybrano>", "1 - Ubezpieczenie społeczne", "2 - Ubezpieczenie zdrowotne", "3 - FP i FGŚP",
                 "4 - FEP"},
         {"  101010230000261395 00000", "83101010230000261395100000", "78101010230000261395200000",
          "73101010230000261395300000", "68101010230000261395400000"}},
        {6, 38, {"<Nie wybrano>", "R - REGON", "P - PESEL", "1 - Dowód osobisty", "2 - Paszport"},
         {" ", "R", "P", "1", "2"}},
        {7, 38, {"N - NIP", "R - REGON", "P - PESEL", "1 - Dowód osobisty", "2 - Paszport", "3 - Inny dokument"},
         {"N", "R", "P", "1", "2", "3"}},
        {6, 42, {"<Nie wybrano>", "S - Składka za 1 miesiąc", "M - Składka dłuższa niż miesiąc", "U - Układ ratalny",
                 "T - Odroczenie terminu", "D - Dodatkowa opłata", "E - Koszty egzekucyjne",
                 "A - Dodatkowa opłata za błędy płatnika"},
         {" ", "S", "M", "U", "T", "D", "E", "A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " tag " << c.tag);
        const auto form = NewForm(c.kind);
        auto* list = Editor<QComboBox>(*form, c.tag);
        ASSERT_NE(list, nullptr);
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->itemText(i);
        EXPECT_EQ(entries, c.entries);
        // The user's choice from the keyboard, from the last entry up one by one.
        form->SetEditorValue(c.tag, int(c.codes.size() - 1));
        for (qsizetype i = c.codes.size() - 1; i >= 0; --i) {
            EXPECT_EQ(code(*form, c.tag), c.codes.at(i));
            QTest::keyClick(list, Qt::Key_Up);
        }
    }
}

TEST_F(BlankEditors, TwentyFirstCharacterOfAZusAccountPicksTheAccount)
{
    const struct {
        const char* odbRach;
        const char* shown;
        const char* stored;
    } cases[] = {
        // Only the digit counts: the list's own account replaces the rest.
        {"00000000000000000000200000", "2 - Ubezpieczenie zdrowotne", "78101010230000261395200000"},
        {"68101010230000261395", "<Nie wybrano>", "  101010230000261395 00000"},
        {"68101010230000261395000000", "<Nie wybrano>", "  101010230000261395 00000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.odbRach);
        TBlankData data;
        data.FKind = bkTransferZus;
        data.FOdbRach = QString::fromLatin1(c.odbRach);
        const auto form = FormFromFile(data);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(Editor<QComboBox>(*form, 21)->currentText(), QString::fromUtf8(c.shown));
        EXPECT_EQ(form->OdbRach(), QString::fromLatin1(c.stored));
    }
}

TEST_F(BlankEditors, PaymentBoxesExcludeEachOtherAndTheSmallReceiptShowsTheCoupon)
{
    const auto form = NewForm(bkTransfer);
    const auto click = [&](int tag) {
        QWidget* box = form->EditorOfTag(tag);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
    };
    const struct {
        int clicked;
        TPrzelewWplata mode;
    } clicks[] = {{80, pwPrzelew}, {81, pwWplata}, {80, pwPrzelew}, {80, pwNone}};
    for (const auto& c : clicks) {
        click(c.clicked);
        EXPECT_EQ(form->PrzelewWplata(), c.mode);
        EXPECT_EQ(Editor<QCheckBox>(*form, 80)->isChecked(), c.mode == pwPrzelew);
        EXPECT_EQ(Editor<QCheckBox>(*form, 81)->isChecked(), c.mode == pwWplata);
    }
    click(82);
    EXPECT_TRUE(form->MalePokwit());
    form->SetViewSide(bsBottom);
    click(82);
    EXPECT_FALSE(form->MalePokwit());
    EXPECT_EQ(form->ViewSide(), bsTop);
    EXPECT_TRUE(form->Modified());
}

// A choice becomes the document's colour and the kind's default in the
// registry without marking the document modified; a cancel changes nothing.
TEST_F(BlankEditors, ChosenColourIsTheDocumentsAndTheKindsDefault)
{
    const auto registryValue = [](const char* name) {
        TRegistry reg;
        return reg.OpenKey(QStringLiteral("Software\\Korvex\\Wplatomat"), false)
                   ? std::optional<qint32>(reg.ReadInteger(QString::fromLatin1(name)))
                   : std::nullopt;
    };
    const QColor chosen(10, 20, 30);
    const auto form = NewForm(bkTransferZus);
    QWidget* panel = form->EditorOfTag(257);
    for (const bool accept : {false, true}) {
        QColor started;
        QTimer::singleShot(0, panel, [&] {
            if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
                started = dialog->currentColor();
                dialog->setCurrentColor(chosen);
                accept ? dialog->accept() : dialog->reject();
            }
        });
        QTest::mouseClick(panel, Qt::LeftButton);
        EXPECT_EQ(started, QColor(157, 170, 0)); // the ZUS form's own colour
        EXPECT_EQ(form->KolForm(), accept ? RGBColor(10, 20, 30) : RGBColor(157, 170, 0));
    }
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(registryValue("BlankColor6"), qint32(RGBColor(10, 20, 30)));
    EXPECT_EQ(registryValue("DataColor6"), qint32(clBlack));
    EXPECT_EQ(NewForm(bkTransferZus)->EditorOfTag(257)->palette().color(QPalette::Window), chosen);
    // Other kinds keep their own.
    EXPECT_EQ(NewForm(bkTransferTax)->KolForm(), RGBColor(213, 122, 0));
    EXPECT_EQ(NewForm(bkDeposit)->KolForm(), RGBColor(31, 198, 6));
}

} // namespace
