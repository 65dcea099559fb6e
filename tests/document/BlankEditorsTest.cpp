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
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

const QLocale Polish(QLocale::Polish, QLocale::Poland), English(QLocale::English, QLocale::UnitedStates);

class BlankEditors : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(Polish); }
    // Shown offscreen, laid out and able to take mouse clicks like a real window.
    template <class Source>
    static std::unique_ptr<TfrmBlank> NewForm(Source kindOrPath)
    {
        auto form = std::make_unique<TfrmBlank>(nullptr, kindOrPath);
        form->show();
        return form;
    }
    // A document of the kind with the amount and a text field (the receiver's account), saved and opened.
    std::unique_ptr<TfrmBlank> FormFromFile(quint16 kind, Currency kwota, const QString& text = {},
                                            QString TBlankData::*field = &TBlankData::FOdbRach)
    {
        TBlankData data;
        data.FKind = kind, data.FKwota = kwota, data.*field = text;
        QFile file(dir.filePath(QStringLiteral("dokument.wpt")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(WriteBlankFile(data)) > 0);
        file.close();
        return NewForm(file.fileName());
    }
    static QString Text(const TfrmBlank& form, int tag)
    {
        QWidget* w = form.EditorOfTag(tag);
        if (auto* list = qobject_cast<QComboBox*>(w))
            return list->currentText();
        auto* memo = qobject_cast<QPlainTextEdit*>(w);
        return memo ? memo->toPlainText() : qobject_cast<QLineEdit*>(w)->text();
    }
    // What the field of the editor's tag holds, amounts in ten-thousandths.
    static QString Stored(const TfrmBlank& f, int tag)
    {
        const std::map<int, QString> fields{{1, QString::number(f.Kwota())}, {17, f.OdbRach()}, {21, f.OdbRach()},
            {18, f.OdbKod()}, {33, f.NadRach()}, {34, f.NadKod()}, {37, f.NadNIP()}, {38, f.NadTypId2()}, {42, f.NadTypWplaty()}};
        return fields.count(tag) ? fields.at(tag) : Text(f, tag);
    }
    TempConfig config;
    QTemporaryDir dir;
};

// Typed into an editor, what it shows and what its field stores; amounts are
// converted exactly in either locale and capped.
TEST_F(BlankEditors, EditorsLetThroughOnlyTheirCharactersUpToTheirLengthIntoTheTagsField)
{
    const struct { QLocale locale; quint16 kind; int tag; QString typed, shown, stored; } cases[] = {
        {Polish, bkTransfer, 17, "12 ab-34,5.", "12 -345", "12 -345"}, // digits, blank and dash
        {Polish, bkTransferZus, 33, "PL61 1090-x", "61 1090-", "61 1090-"}, // no country letters
        {Polish, bkMoneyOrder, 18, "00-9x5 0", "00-950", "00-950"},
        {Polish, bkTransferZus, 37, "ab 1-", "ab 1-", "ab 1-"}, // no filter
        // Digits pass every filter, so only the length stops them.
        {Polish, bkMoneyOrder, 34, QString(10, '7'), QString(6, '7'), QString(6, '7')},
        {Polish, bkDeposit, 64, QString(125, '7'), QString(120, '7'), QString(120, '7')},
        {Polish, bkMoneyOrder, 64, QString(2001, '7'), QString(2000, '7'), QString(2000, '7')},
        // Amounts in ten-thousandths: no signs, blanks or exponents.
        {Polish, bkTransfer, 1, "1a2,b3.4 -x", "12,3.4", "0"}, {Polish, bkTransfer, 1, "+-5 e", "5", "50000"},
        {Polish, bkTransfer, 1, "12.5", "12.5", "125000"}, {English, bkTransfer, 1, "12,5", "12,5", "125000"},
        // Beyond four decimals the tie goes to the even neighbour, not up.
        {Polish, bkTransfer, 1, "0,00005", "0,00005", "0"}, {Polish, bkTransfer, 1, "0,00015", "0,00015", "2"},
        {Polish, bkTransfer, 1, "0,000051", "0,000051", "1"},
        {English, bkTransfer, 1, "1,234.5", "1,234.5", "0"}, // two separators do not convert
        {Polish, bkTransfer, 1, "1000000000", "1000000000", "9999999999900"}, // a billion is capped
        {Polish, bkTransfer, 1, "99999999999999999999", "99999999999999999999", "0"}, // past the currency range
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        QLocale::setDefault(c.locale);
        const auto form = NewForm(c.kind);
        form->SetEditorValue(c.tag, QString());
        form->SetModified(false);
        QTest::keyClicks(form->EditorOfTag(c.tag), c.typed);
        EXPECT_EQ(Text(*form, c.tag), c.shown);
        EXPECT_EQ(Stored(*form, c.tag), c.stored);
        EXPECT_TRUE(form->Modified());
    }
    QLocale::setDefault(Polish);
    // An amount is shown in its shortest form, also beyond what the editor lets through.
    for (const auto& [locale, amount, shown] : {std::tuple{Polish, Currency(1234500), "123,45"},
                                                std::tuple{English, Currency(1234500), "123.45"},
                                                std::tuple{Polish, Currency(15000000000000), "1500000000"}}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(Text(*FormFromFile(bkTransfer, amount), 1), QString::fromLatin1(shown));
    }
    // Backspace passes every filter but the postal code's, Delete even that one
    // (an X keyboard gives it the DEL character as its text).
    const auto form = NewForm(bkMoneyOrder);
    for (int tag : {1, 18}) {
        form->SetEditorValue(tag, QStringLiteral("00-950"));
        QTest::keyClick(form->EditorOfTag(tag), Qt::Key_Backspace);
        QTest::keyClick(form->EditorOfTag(tag), Qt::Key_Home);
        QTest::sendKeyEvent(QTest::Click, form->EditorOfTag(tag), Qt::Key_Delete, QString(QChar(0x7F)), {});
    }
    EXPECT_EQ(Text(*form, 1), QStringLiteral("0-95"));
    EXPECT_EQ(form->OdbKod(), QStringLiteral("0-950"));
    // Account numbers are mostly copied from an invoice, so Ctrl+V must paste.
    const auto transfer = NewForm(bkTransfer);
    QApplication::clipboard()->setText(QStringLiteral("61 1090 1014 0000 0712 1981 2874"));
    QTest::keyClick(transfer->EditorOfTag(17), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(transfer->OdbRach(), QStringLiteral("61 1090 1014 0000 0712 1981 2874"));
    // Blank lines and blanks around a line are no part of the field.
    transfer->SetEditorValue(16, QStringLiteral("\r\n Firma\r\nul. Długa 5 \r\n\r\n"));
    EXPECT_EQ(transfer->Odbiorca(), (QStringList{QStringLiteral("Firma"), QStringLiteral("ul. Długa 5")}));
    // A field longer than its editor takes (an old file's sender account) survives an edit of another and a save.
    const auto opened = FormFromFile(bkTransfer, 0, QString(130, QLatin1Char('7')), &TBlankData::FNadRach);
    QTest::keyClicks(opened->EditorOfTag(64), QStringLiteral("Faktura 12"));
    opened->Save();
    QFile file(opened->FileName());
    TBlankData saved;
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ReadBlankFile(file.readAll(), saved);
    EXPECT_EQ(saved.FNadRach, QString(130, QLatin1Char('7')));
    EXPECT_EQ(saved.FTytul, QStringList{QStringLiteral("Faktura 12")});
}

TEST_F(BlankEditors, EachListEntryStoresItsCodeAndAZusAccountsTwentyFirstDigitPicksItsEntry)
{
    const struct { quint16 kind; int tag; QStringList entries, codes; } cases[] = {
        {6, 21, {"<Nie wybrano>", "1 - Ubezpieczenie społeczne", "2 - Ubezpieczenie zdrowotne", "3 - FP i FGŚP", "4 - FEP"},
         {"  101010230000261395 00000", "83101010230000261395100000", "78101010230000261395200000",
          "73101010230000261395300000", "68101010230000261395400000"}},
        {7, 38, {"N - NIP", "R - REGON", "P - PESEL"}, {"N", "R", "P"}},
        {6, 42, {"<Nie wybrano>", "S - Składka za 1 miesiąc", "M - Składka dłuższa niż miesiąc"}, {" ", "S", "M"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " tag " << c.tag);
        const auto form = NewForm(c.kind);
        auto* list = qobject_cast<QComboBox*>(form->EditorOfTag(c.tag));
        ASSERT_NE(list, nullptr);
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->itemText(i);
        EXPECT_EQ(entries.mid(0, c.entries.size()), c.entries);
        // The user's choice from the keyboard, from the last entry up one by one.
        form->SetEditorValue(c.tag, int(c.codes.size() - 1));
        for (qsizetype i = c.codes.size() - 1; i >= 0; --i) {
            EXPECT_EQ(Stored(*form, c.tag), c.codes.at(i));
            QTest::keyClick(list, Qt::Key_Up);
        }
    }
    // Only the digit counts: the list's own account replaces the rest.
    for (const auto& [odbRach, shown, stored] :
         {std::tuple{"00000000000000000000200000", "2 - Ubezpieczenie zdrowotne", "78101010230000261395200000"},
          std::tuple{"68101010230000261395", "<Nie wybrano>", "  101010230000261395 00000"}}) {
        const auto form = FormFromFile(bkTransferZus, 0, QString::fromLatin1(odbRach));
        EXPECT_EQ(Text(*form, 21), QString::fromUtf8(shown));
        EXPECT_EQ(form->OdbRach(), QString::fromLatin1(stored));
    }
}

// The payment boxes exclude each other and the small receipt shows the coupon.
// A colour choice becomes the document's and the kind's default in the
// registry without marking the document modified; a cancel changes nothing.
TEST_F(BlankEditors, PaymentBoxesAndChosenColour)
{
    auto form = NewForm(bkTransfer);
    const auto click = [&](int tag) {
        QWidget* box = form->EditorOfTag(tag);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
    };
    for (const auto& [clicked, mode] : {std::pair{80, pwPrzelew}, {81, pwWplata}, {80, pwPrzelew}, {80, pwNone}}) {
        click(clicked);
        EXPECT_EQ(form->PrzelewWplata(), mode);
        EXPECT_EQ(qobject_cast<QCheckBox*>(form->EditorOfTag(81))->isChecked(), mode == pwWplata);
    }
    click(82);
    EXPECT_TRUE(form->MalePokwit());
    form->SetViewSide(bsBottom);
    click(82);
    EXPECT_FALSE(form->MalePokwit());
    EXPECT_EQ(form->ViewSide(), bsTop);
    EXPECT_TRUE(form->Modified());
    form = NewForm(bkTransferZus);
    QWidget* panel = form->EditorOfTag(257);
    for (const bool accept : {false, true}) {
        QColor started;
        QTimer::singleShot(0, panel, [&] {
            if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
                started = dialog->currentColor();
                dialog->setCurrentColor(QColor(10, 20, 30));
                accept ? dialog->accept() : dialog->reject();
            }
        });
        QTest::mouseClick(panel, Qt::LeftButton);
        EXPECT_EQ(started, QColor(157, 170, 0)); // the ZUS form's own colour
        EXPECT_EQ(form->KolForm(), accept ? RGBColor(10, 20, 30) : RGBColor(157, 170, 0));
    }
    EXPECT_FALSE(form->Modified());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\Korvex\\Wplatomat"), false));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("BlankColor6")), qint32(RGBColor(10, 20, 30)));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("DataColor6")), qint32(clBlack));
    EXPECT_EQ(NewForm(bkTransferZus)->EditorOfTag(257)->palette().color(QPalette::Window), QColor(10, 20, 30));
    EXPECT_EQ(NewForm(bkTransferTax)->KolForm(), RGBColor(213, 122, 0)); // other kinds keep their own
}

} // namespace
