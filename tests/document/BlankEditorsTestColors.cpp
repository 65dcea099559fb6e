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

TEST_F(BlankEditorsColours, ChosenColourIsTheDocumentsAndTheKindsDefaultWithoutModifyingIt)
{
    const struct {
        quint16 kind;
        int tag;
        QColor started; // the kind's own colour
        const char* chosenName;
        const char* otherName;
        QColor other;
    } cases[] = {{bkTransferZus, 257, QColor(157, 170, 0), "BlankColor6", "DataColor6", QColor(0, 0, 0)},
                 {bkTransfer, 256, QColor(0, 0, 0), "DataColor5", "BlankColor5", QColor(234, 88, 0)}};
    const QColor chosen(10, 20, 30);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosenName);
        const auto form = NewForm(c.kind);
        ASSERT_TRUE(WaitForRepaint(*form));
        QWidget* panel = form->EditorOfTag(c.tag);
        // A cancel changes nothing.
        EXPECT_EQ(ClickAndAnswer(panel, std::nullopt), c.started);
        EXPECT_EQ(panel->palette().color(QPalette::Window), c.started);
        EXPECT_FALSE(form->NeedRefresh());
        EXPECT_FALSE(RegistryValue(QString::fromLatin1(c.chosenName)).has_value());
        EXPECT_EQ(ClickAndAnswer(panel, chosen), c.started);
        EXPECT_EQ(c.tag == 257 ? form->KolForm() : form->KolTekst(), RGBColor(10, 20, 30));
        EXPECT_EQ(panel->palette().color(QPalette::Window), chosen);
        EXPECT_FALSE(form->Modified());
        EXPECT_TRUE(form->NeedRefresh());
        EXPECT_EQ(RegistryValue(QString::fromLatin1(c.chosenName)), qint32(RGBColor(10, 20, 30)));
        EXPECT_EQ(RegistryValue(QString::fromLatin1(c.otherName)), qint32(FromQColor(c.other)));

        const auto next = NewForm(c.kind);
        EXPECT_EQ(next->EditorOfTag(c.tag)->palette().color(QPalette::Window), chosen);
    }
    // Other kinds keep their own.
    EXPECT_EQ(NewForm(bkTransferTax)->KolForm(), RGBColor(213, 122, 0));
    EXPECT_EQ(NewForm(bkDeposit)->KolForm(), RGBColor(31, 198, 6));
}

} // namespace
