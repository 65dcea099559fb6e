#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "helpers/QtPrinters.h"
#include "helpers/TempConfig.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QLocale Polish(QLocale::Polish, QLocale::Poland);
const QLocale English(QLocale::English, QLocale::UnitedStates);
const QString KeyName = u"Software\\Korvex\\Wplatomat"_s;
// The ZUS accounts by the entry of their list.
const QStringList Zus{"  101010230000261395 00000", "83101010230000261395100000", "78101010230000261395200000",
                      "73101010230000261395300000", "68101010230000261395400000"};

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
    // The document saved to a file and opened.
    std::unique_ptr<TfrmBlank> FormFromFile(const TBlankData& data)
    {
        QFile file(dir.filePath(u"dokument.wpt"_s));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WriteBlankFile(data));
        file.close();
        return NewForm(file.fileName());
    }
    static QString Text(const TfrmBlank& form, int tag)
    {
        const auto* list = qobject_cast<const QComboBox*>(form.EditorOfTag(tag));
        return list ? list->currentText() : form.GetEditorValue(tag).toString();
    }
    // What the field of the editor's tag holds, amounts in ten-thousandths.
    static QString Stored(const TfrmBlank& f, int tag)
    {
        const std::map<int, QString> fields{
            {1, QString::number(f.Kwota())}, {17, f.OdbRach()}, {21, f.OdbRach()}, {18, f.OdbKod()},
            {33, f.NadRach()}, {34, f.NadKod()}, {37, f.NadNIP()}, {38, f.NadTypId2()},
            {40, QString::number(f.NadNrDeklar())}, {42, f.NadTypWplaty()}};
        return fields.count(tag) ? fields.at(tag) : Text(f, tag);
    }
    // With its start in view, the edit's end is in view too: the text does not scroll.
    static bool ShowsWhole(QWidget* editor)
    {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        // Painting scrolls the text to the cursor.
        edit->home(false);
        edit->grab();
        const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
        edit->end(false);
        edit->grab();
        const int end = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
        return end - start == edit->fontMetrics().horizontalAdvance(edit->text());
    }
    TempConfig config;
    QTemporaryDir dir;
};

// Typed into an editor, what it shows and what its field stores; amounts are converted exactly in either locale
// and capped.
TEST_F(BlankEditors, EditorsLetThroughOnlyTheirCharactersUpToTheirLengthIntoTheTagsField)
{
    const struct { QLocale locale; quint16 kind; int tag; QString typed, shown, stored; } cases[] = {
        {Polish, bkTransfer, 17, "12 ab-34,5.", "12 -345", "12 -345"}, // digits, blank and dash
        {Polish, bkTransferZus, 33, "PL61 1090-x", "61 1090-", "61 1090-"}, // no country letters
        {Polish, bkMoneyOrder, 18, "00-9x5 0", "00-950", "00-950"},
        {Polish, bkTransferZus, 37, "ab 1-5678901", "ab 1-56789", "ab 1-56789"}, // no filter
        {Polish, bkTransferZus, 40, "3x", "3x", "0"}, {Polish, bkTransferZus, 40, "255", "25", "25"},
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
    // Digits pass every filter, so only the length stops them. A code (20 characters at most) of that many
    // digits shows whole at the panel's default width; the desktop fonts' digits are all equally wide.
    const struct { quint16 kind; int tag, length; } lengths[] = {
        {7, 17, 35}, {6, 33, 35}, {2, 34, 6}, {6, 37, 10}, {7, 39, 14}, {6, 40, 2}, {6, 41, 6}, {6, 43, 15},
        {7, 44, 7}, {7, 46, 20}, {5, 16, 130}, {1, 48, 130}, {1, 64, 120}, {2, 64, 2000}, {2, 20, 130}, {2, 18, 6}};
    for (const auto& [kind, tag, length] : lengths) {
        const auto form = NewForm(kind);
        form->SetEditorValue(tag, QString());
        QTest::keyClicks(form->EditorOfTag(tag), QString(length + 2, u'7'));
        EXPECT_EQ(Text(*form, tag), QString(length, u'7')) << tag;
        if (length <= 20)
            EXPECT_TRUE(ShowsWhole(form->EditorOfTag(tag))) << tag;
    }
    // Pairs share a row 8 pixels apart; the post office ends where the amount does, the declaration's halves match.
    for (const auto& [kind, first, second] : {std::tuple{2, 34, 36}, {2, 18, 20}, {6, 40, 41}}) {
        const auto form = NewForm(quint16(kind));
        const QRect a = form->EditorOfTag(first)->geometry();
        const QRect b = form->EditorOfTag(second)->geometry();
        EXPECT_EQ(b.topLeft() - a.topRight(), QPoint(9, 0));
        if (kind == 6)
            EXPECT_EQ(b.width(), a.width());
        else
            EXPECT_EQ(b.right(), form->EditorOfTag(1)->geometry().right());
    }
    // An amount is shown in its shortest form, also beyond what the editor lets through, and whole up to the cap.
    for (const auto& [locale, amount, shown] : {std::tuple{Polish, Currency(1234500), "123,45"},
             {English, Currency(1234500), "123.45"}, {Polish, Currency(15000000000000), "1500000000"},
             {Polish, MaxKwota, "999999999,99"}}) {
        QLocale::setDefault(locale);
        const auto form = FormFromFile({clBlack, 0, bkTransfer, amount});
        EXPECT_EQ(Text(*form, 1), QString::fromLatin1(shown));
        EXPECT_TRUE(ShowsWhole(form->EditorOfTag(1))) << shown;
    }
    // Backspace passes every filter but the postal code's, Delete even that one (an X keyboard gives it the DEL
    // character as its text).
    const auto form = NewForm(bkMoneyOrder);
    for (int tag : {1, 18}) {
        form->SetEditorValue(tag, u"00-950"_s);
        QTest::keyClick(form->EditorOfTag(tag), Qt::Key_Backspace);
        QTest::keyClick(form->EditorOfTag(tag), Qt::Key_Home);
        QTest::sendKeyEvent(QTest::Click, form->EditorOfTag(tag), Qt::Key_Delete, QString(QChar(0x7F)), {});
    }
    EXPECT_EQ(Text(*form, 1), u"0-95"_s);
    EXPECT_EQ(form->OdbKod(), u"0-950"_s);
    // Account numbers are mostly copied from an invoice, so Ctrl+V must paste; blank lines and blanks around a
    // line are no part of the field. A pasted tab, which would print as a gap, is a blank.
    const auto transfer = NewForm(bkTransfer);
    QApplication::clipboard()->setText(u"61 1090 1014\t0000 0712 1981 2874"_s);
    QTest::keyClick(transfer->EditorOfTag(17), Qt::Key_V, Qt::ControlModifier);
    QApplication::clipboard()->setText(u"Jan\tNowak"_s);
    QTest::keyClick(transfer->EditorOfTag(32), Qt::Key_V, Qt::ControlModifier);
    transfer->SetEditorValue(16, u"\r\n Firma\r\nul. Długa 5 \r\n\r\n"_s);
    EXPECT_EQ(transfer->OdbRach(), u"61 1090 1014 0000 0712 1981 2874"_s);
    EXPECT_EQ(transfer->Odbiorca(), QStringList({"Firma", "ul. Długa 5"}));
    EXPECT_EQ(transfer->Nadawca(), QStringList({"Jan Nowak"}));
}

// A document of every kind opens with each caption over the editor of its field (by tag), its payment boxes and
// colours; Tab and Shift+Tab go through the editors in that order and back, and it saves back byte for byte.
TEST_F(BlankEditors, AFileShowsItsKindsCaptionsTabsThroughThemAndSavesBackUnchanged)
{
    const std::map<quint16, const char*> captions = {
        {1, "Wpłacający 32|Nazwa banku 48|Numer rachunku 17|Nazwa rachunku 16|Tytułem 64"},
        {2, "Nadawca - nazwa 32|Nadawca - adres 35|Kod 34|Poczta 36|Adresat - nazwa 16|Adresat - adres 19|Kod 18"
            "|Poczta 20|Korespondencja 64"},
        {5, "Odbiorca 16|Numer rachunku odbiorcy 17|Numer rachunku nadawcy 33|Nadawca 32|Tytułem 64"},
        {6, "Numer rachunku ZUS 21|Numer rachunku płatnika 33|Nazwa płatnika 32|NIP płatnika 37"
            "|Typ drugiego identyfikatora 38|Drugi identyfikator 39|Typ wpłaty 42|Numer deklaracji 40|Deklaracja 41"
            "|Numer decyzji 43"},
        {7, "Nazwa organu podatkowego 16|Numer rachunku organu podatkowego 17|Numer rachunku zobowiązanego 33"
            "|Nazwa i adres zobowiązanego 32|NIP lub identyfikator uzupełniający 39|Typ identyfikatora 38|Okres 44"
            "|Symbol formularza 45|Identyfikacja zobowiązania 46"}};
    // A file's colours are its own, whatever new documents of its kind start with.
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(KeyName, true));
    for (int kind = 1; kind <= 7; ++kind) {
        reg.WriteInteger(u"BlankColor%1"_s.arg(kind), 0);
        reg.WriteInteger(u"DataColor%1"_s.arg(kind), 0);
    }
    for (const auto& [kind, kindCaptions] : captions) {
        SCOPED_TRACE(::testing::Message() << "kind " << kind);
        TBlankData d{TColor(0x102030 + kind), 0x405060, kind, 1234567 + kind};
        d.FPrzelewWplata = TPrzelewWplata(kind % 3);
        d.FMalePokwit = kind == bkTransfer;
        d.FNadNrDeklar = 7;
        const QStringList lines{"Jan Kowalski", "ul. Źródlana 5", "PKO BP", "Opłata za gaz", "fv 7/2026"};
        // The money order's names are single edits.
        const qsizetype nameLines = kind == bkMoneyOrder ? 1 : 2;
        d.FNadawca = lines.mid(0, nameLines);
        d.FBank = lines.mid(1, nameLines);
        d.FOdbiorca = lines.mid(2, nameLines);
        d.FTytul = lines.mid(3);
        d.FOdbRach = Zus.at(4);
        d.FNadTypId2 = u'P';
        d.FNadTypWplaty = u'U';
        int n = 0;
        for (QString* s : {&d.FOdbKod, &d.FOdbAdres, &d.FOdbPoczta, &d.FNadKod, &d.FNadAdres, &d.FNadPoczta,
                           &d.FNadNIP, &d.FNadId2, &d.FNadDeklaracja, &d.FNadNrDecyzji, &d.FNadOkres,
                           &d.FNadSymbolForm, &d.FNadIdZobow})
            *s = QString::number(++n * 11);
        d.FNadRach = QString(130, u'7'); // longer than its editor takes, as old files have it
        const auto form = FormFromFile(d);
        QStringList shown;
        const QObjectList children = form->EditorOfTag(1)->parentWidget()->children();
        for (qsizetype c = 0; c + 1 < children.size(); ++c)
            if (auto* label = qobject_cast<QLabel*>(children.at(c)))
                shown << label->text() + u' ' + children.at(c + 1)->property("tag").toString();
        const QString rows = QString::fromUtf8(kindCaptions);
        EXPECT_EQ(shown.join(u'|'), u"Kwota 1|%1|Kolor tekstu 256|Kolor formularza 257"_s.arg(rows));
        // The amount's edit, at least 80 pixels wide, ends 24 pixels from the panel's right edge.
        const QWidget* amount = form->EditorOfTag(1);
        EXPECT_GE(amount->width(), 80);
        EXPECT_EQ(amount->parentWidget()->width() - amount->x() - amount->width(), 24);
        const std::pair<int, bool> boxes[] = {
            {80, d.FPrzelewWplata == pwPrzelew}, {81, d.FPrzelewWplata == pwWplata}, {82, d.FMalePokwit}};
        for (const auto& [tag, on] : boxes)
            if (auto* box = qobject_cast<QCheckBox*>(form->EditorOfTag(tag)))
                EXPECT_EQ(box->isChecked(), on) << tag;
        EXPECT_EQ(form->EditorOfTag(256)->palette().color(QPalette::Window), ToQColor(d.FKolTekst));
        EXPECT_EQ(form->EditorOfTag(257)->palette().color(QPalette::Window), ToQColor(d.FKolForm));
        // The payment boxes come last.
        QStringList order{"1"};
        const char* checks = kind == 5 ? "|81|80|82" : kind > 5 ? "|81|80" : "";
        for (const QString& row : (rows + QLatin1String(checks)).split(u'|'))
            order << row.section(u' ', -1);
        QStringList visited;
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->EditorOfTag(1)->setFocus(Qt::TabFocusReason);
        for (qsizetype i = 0; i + 1 < 2 * order.size(); ++i) {
            visited << QApplication::focusWidget()->property("tag").toString();
            const bool back = i + 1 >= order.size();
            QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
        }
        EXPECT_EQ(visited, order + QStringList(order.rbegin() + 1, order.rend()));
        form->Save();
        QFile saved(form->FileName());
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readAll(), WriteBlankFile(d));
        form->SetModified(true);
        form->Load();
        EXPECT_FALSE(form->Modified());
    }
}

// Every entry of a choice list shows for its code in a file, and a choice from the keyboard, from the last entry
// up, stores its code. Of a ZUS account only the 21st character counts: the list's own account replaces the rest.
TEST_F(BlankEditors, ChoiceListsShowTheFilesCodeAndStoreTheChosenOne)
{
    const struct { quint16 kind; int tag; QStringList entries; QString codes; } lists[] = {
        {6, 21, {"<Nie wybrano>", "1 - Ubezpieczenie społeczne", "2 - Ubezpieczenie zdrowotne", "3 - FP i FGŚP",
                 "4 - FEP"}, "01234"},
        {6, 38, {"<Nie wybrano>", "R - REGON", "P - PESEL", "1 - Dowód osobisty", "2 - Paszport"}, " RP12"},
        {7, 38, {"N - NIP", "R - REGON", "P - PESEL", "1 - Dowód osobisty", "2 - Paszport", "3 - Inny dokument"},
         "NRP123"},
        {6, 42, {"<Nie wybrano>", "S - Składka za 1 miesiąc", "M - Składka dłuższa niż miesiąc",
                 "U - Układ ratalny", "T - Odroczenie terminu", "D - Dodatkowa opłata", "E - Koszty egzekucyjne",
                 "A - Dodatkowa opłata za błędy płatnika"}, " SMUTDEA"}};
    for (const auto& l : lists) {
        for (int i = 0; i < l.codes.size(); ++i) {
            TBlankData d{clBlack, 0, l.kind};
            d.FOdbRach = Zus.at(l.tag == 21 ? i : 0);
            d.FNadTypId2 = l.tag == 38 ? l.codes.at(i) : u' ';
            d.FNadTypWplaty = l.tag == 42 ? l.codes.at(i) : u' ';
            EXPECT_EQ(Text(*FormFromFile(d), l.tag), l.entries.at(i)) << l.tag;
        }
        const auto form = NewForm(l.kind);
        auto* list = qobject_cast<QComboBox*>(form->EditorOfTag(l.tag));
        form->SetEditorValue(l.tag, int(l.codes.size() - 1));
        for (qsizetype i = l.codes.size() - 1; i >= 0; --i) {
            EXPECT_EQ(Stored(*form, l.tag), l.tag == 21 ? Zus.at(i) : QString(l.codes.at(i)));
            QTest::keyClick(list, Qt::Key_Up);
        }
    }
    for (const auto& [odbRach, entry] : {std::pair{"00000000000000000000200000", 2}, {"68101010230000261395", 0}}) {
        TBlankData d{clBlack, 0, bkTransferZus};
        d.FOdbRach = QString::fromLatin1(odbRach);
        const auto form = FormFromFile(d);
        EXPECT_EQ(Text(*form, 21), lists[0].entries.at(entry));
        EXPECT_EQ(form->OdbRach(), Zus.at(entry));
    }
}

// The payment boxes exclude each other and the small receipt shows the coupon. A colour choice becomes the
// document's and the kind's default in the registry without marking the document modified; a cancel changes nothing.
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
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            started = dialog->currentColor();
            dialog->setCurrentColor(QColor(10, 20, 30));
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        QTest::mouseClick(panel, Qt::LeftButton);
        EXPECT_EQ(started, QColor(157, 170, 0)); // the ZUS form's own colour
        EXPECT_EQ(form->KolForm(), accept ? RGBColor(10, 20, 30) : RGBColor(157, 170, 0));
    }
    form->SetKwota(0); // the amount it has
    EXPECT_FALSE(form->Modified());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(KeyName, false));
    EXPECT_EQ(reg.ReadInteger(u"BlankColor6"_s), qint32(RGBColor(10, 20, 30)));
    EXPECT_EQ(reg.ReadInteger(u"DataColor6"_s), qint32(clBlack));
    ASSERT_TRUE(reg.WriteInteger(u"DataColor6"_s, 0x1E140A));
    const auto zus = NewForm(bkTransferZus);
    for (int tag : {256, 257})
        EXPECT_EQ(zus->EditorOfTag(tag)->palette().color(QPalette::Window), QColor(10, 20, 30)) << tag;
    EXPECT_EQ(NewForm(bkTransferTax)->KolForm(), RGBColor(213, 122, 0)); // other kinds keep their own
}

} // namespace
