// The colour panels: the colour dialog starts with the document's colour, a
// choice becomes the document's colour and the kind's default in the
// registry without marking the document modified, a cancel changes nothing.
#include "BlankEditorsTestSupport.h"

#include "platform/Registry.h"

#include <QApplication>
#include <QColorDialog>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

const QString AppKey = QStringLiteral("Software\\Korvex\\Wplatomat");

class BlankEditorsColours : public BlankEditorsFixture {
protected:
    // Clicks the panel and answers the colour dialog it opens: with a colour,
    // or with a cancel when there is none. Returns the colour the dialog
    // started with.
    QColor ClickAndAnswer(QWidget* panel, std::optional<QColor> answer)
    {
        QColor started;
        bool answered = false;
        QTimer::singleShot(0, panel, [&] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            started = dialog->currentColor();
            answered = true;
            if (answer) {
                dialog->setCurrentColor(*answer);
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
        QTest::mouseClick(panel, Qt::LeftButton);
        EXPECT_TRUE(answered) << "no colour dialog opened";
        return started;
    }

    static std::optional<qint32> RegistryValue(const QString& name)
    {
        TRegistry reg;
        if (!reg.OpenKey(AppKey, false))
            return std::nullopt;
        return reg.ReadInteger(name);
    }
};

TEST_F(BlankEditorsColours, ChosenFormColourIsTheDocumentsAndTheKindsDefault)
{
    const auto form = NewForm(bkTransferZus);
    ASSERT_TRUE(WaitForRepaint(*form));
    QWidget* panel = form->EditorOfTag(257);
    const QColor started = ClickAndAnswer(panel, QColor(10, 20, 30));
    // The ZUS form's own colour: red 157, green 170, blue 0.
    EXPECT_EQ(started, QColor(157, 170, 0));
    EXPECT_EQ(form->KolForm(), RGBColor(10, 20, 30));
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(10, 20, 30));
    EXPECT_FALSE(form->Modified());
    EXPECT_TRUE(form->NeedRefresh());
    EXPECT_EQ(RegistryValue(QStringLiteral("BlankColor6")), qint32(RGBColor(10, 20, 30)));
    EXPECT_EQ(RegistryValue(QStringLiteral("DataColor6")), qint32(clBlack));

    const auto next = NewForm(bkTransferZus);
    EXPECT_EQ(next->KolForm(), RGBColor(10, 20, 30));
    EXPECT_EQ(next->EditorOfTag(257)->palette().color(QPalette::Window), QColor(10, 20, 30));
    // Another kind keeps its own.
    const auto other = NewForm(bkTransferTax);
    EXPECT_EQ(other->KolForm(), RGBColor(213, 122, 0));
}

TEST_F(BlankEditorsColours, ChosenTextColourIsTheDocumentsAndTheKindsDefault)
{
    const auto form = NewForm(bkTransfer);
    ASSERT_TRUE(WaitForRepaint(*form));
    QWidget* panel = form->EditorOfTag(256);
    EXPECT_EQ(ClickAndAnswer(panel, QColor(0, 0, 255)), QColor(0, 0, 0));
    EXPECT_EQ(form->KolTekst(), RGBColor(0, 0, 255));
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(form->KolForm(), RGBColor(234, 88, 0));
    EXPECT_FALSE(form->Modified());
    EXPECT_TRUE(form->NeedRefresh());
    EXPECT_EQ(RegistryValue(QStringLiteral("DataColor5")), qint32(RGBColor(0, 0, 255)));
    EXPECT_EQ(RegistryValue(QStringLiteral("BlankColor5")), qint32(RGBColor(234, 88, 0)));

    const auto next = NewForm(bkTransfer);
    EXPECT_EQ(next->KolTekst(), RGBColor(0, 0, 255));
    EXPECT_EQ(next->EditorOfTag(256)->palette().color(QPalette::Window), QColor(0, 0, 255));
}

TEST_F(BlankEditorsColours, CancelledDialogChangesNothing)
{
    const auto form = NewForm(bkDeposit);
    ASSERT_TRUE(WaitForRepaint(*form));
    QWidget* panel = form->EditorOfTag(257);
    // The deposit form's own colour: red 31, green 198, blue 6.
    EXPECT_EQ(ClickAndAnswer(panel, std::nullopt), QColor(31, 198, 6));
    EXPECT_EQ(form->KolForm(), RGBColor(31, 198, 6));
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(31, 198, 6));
    EXPECT_FALSE(form->Modified());
    EXPECT_FALSE(form->NeedRefresh());
    EXPECT_FALSE(RegistryValue(QStringLiteral("BlankColor1")).has_value());
    EXPECT_FALSE(RegistryValue(QStringLiteral("DataColor1")).has_value());
}

TEST_F(BlankEditorsColours, DialogStartsWithAColourReadFromAFile)
{
    TBlankData data;
    data.FKind = bkTransferTax;
    data.FKolTekst = RGBColor(200, 0, 100);
    data.FKolForm = RGBColor(1, 2, 3);
    const auto form = FormFromFile(data);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->EditorOfTag(256)->palette().color(QPalette::Window), QColor(200, 0, 100));
    EXPECT_EQ(ClickAndAnswer(form->EditorOfTag(256), std::nullopt), QColor(200, 0, 100));
    EXPECT_EQ(ClickAndAnswer(form->EditorOfTag(257), std::nullopt), QColor(1, 2, 3));
}

} // namespace
