#include "layouts/untBlPrzekaz.h"

#include "drawing/BlankData.h"
#include "drawing/ProgramWebAddress.h"
#include "drawing/untBlankObj.h"

using namespace untBlPrzekaz;

namespace {

const QString FormFace = QStringLiteral("Arial CE");
constexpr double NoClip = -1;
constexpr double NoticeStepMm = 3.0;

QString Dots(int count)
{
    return QString(count, QLatin1Char('.'));
}

const QStringList& Notices()
{
    static const QStringList lines{
        QStringLiteral("      Uwaga! Reklamację dotyczącą"),
        QStringLiteral("przekazu można skladać w placówce"),
        QStringLiteral("pocztowej w terminie 1 roku od dnia"),
        QStringLiteral("następnego po dniu zawarcia umowy."),
        QStringLiteral("      Nadawca przekazu pocztowego"),
        QStringLiteral("uiszcza dodatkową opłatę za:"),
        QStringLiteral("zwrot do nadawcy przekazu pocztowego"),
        QStringLiteral("po wyczerpaniu, zgodnie z przepisami,"),
        QStringLiteral("możliwości jego doręczenia lub wydania"),
        QStringLiteral("odbiorcy."),
        QStringLiteral("      Niepodjęta przez nadawcę kwota"),
        QStringLiteral("zwróconego przekazu pocztowego"),
        QStringLiteral("pozostaje w depozycie Poczty Polskiej."),
        QStringLiteral("      Przy wpłatach dla posiadaczy"),
        QStringLiteral("rachunków bankowych należy stosować"),
        QStringLiteral("\"BLANKIET WPŁAT NA RACHUNKI"),
        QStringLiteral("BANKOWE\"."),
    };
    return lines;
}

void DrawPaymentPart(const TBlankData& data, TBlankObj& obj)
{
    SectionBox = {4, 4 + 87, 9, 9 + 84};
    const auto [X1, X2, Y1, Y2] = SectionBox;
    DrawStrokes(obj, {
        {skPen, psDot, 0, 0, 0},
        {skVert, 93, Y1, Y2, 0},
        {skVert, 147, Y1, Y2, 0},
        {skPen, psDot, 0.6, 0, 0},
        {skRect, X1, Y1, X2, Y2},
        {skPen, psSolid, 0.2, 0, 0},
        {skHoriz, X1, X1 + 22, Y1 + 15, 0},
        {skHoriz, X1 + 22, X2, Y1 + 23, 0},
        {skHoriz, X1, X2, Y1 + 51, 0},
        {skVert, X1 + 22, Y1, Y1 + 51, 0},
        {skVert, X1 + 47, Y1, Y1 + 23, 0},
        {skVert, X1 + 53, Y1 + 51, Y2, 0},
        {skEllipse, X1 + 29, Y1 + 4, X1 + 44, Y1 + 19},
        {skEllipse, X1 + 64.5, Y1 + 53, X1 + 79.5, Y1 + 68},
    });
    DrawFormTexts(data, obj, {
        {QStringLiteral("Kwotę wymienioną na odwrocie otrzymałem"), tpCentred, X1 + 22, X2, Y1 + 24, 8, fsBold},
        {QStringLiteral("Przelano na rachunek ") + Dots(50), tpCentred, X1 + 25, X2 - 3, Y1 + 30, 8, 0},
        {QStringLiteral("dnia "), tpLeft, X1 + 25, NoClip, Y1 + 37, 7, 0},
        {Dots(50), tpFill, 0, X2 - 19, Y1 + 37, 8, 0},
        {QStringLiteral("20 "), tpLeft, X2 - 18, NoClip, Y1 + 37, 7, 0},
        {Dots(25), tpFill, 0, X2 - 6, Y1 + 37, 8, 0},
        {QStringLiteral("r."), tpLeft, X2 - 5, X2, Y1 + 37, 7, 0},
        {Dots(100), tpLeft, X1 + 25, X2 - 3, Y1 + 44, 8, 0},
        {QStringLiteral("Podpis odbiorcy albo nr rachunku bankowego"), tpCentred, X1 + 25, X2 - 3, Y1 + 47, 6, 0},
        {QStringLiteral("Dzień nadejścia"), tpRotated, X1 + 23, NoClip, Y1 + 19, 6, 0},
        {QStringLiteral("Dzień wypłaty"), tpRotated, X1 + 56, NoClip, Y1 + 67, 6, 0},
        {QStringLiteral("Nr księgi wypł."), tpCentred, X1 + 62, X1 + 82, Y1 + 70, 6, 0},
        {QStringLiteral("przekazów"), tpCentred, X1 + 62, X1 + 82, Y1 + 72.5, 6, 0},
        {QStringLiteral("podpis wypłac."), tpCentred, X1 + 62, X1 + 82, Y1 + 80, 6, 0},
        {QStringLiteral("Nr karty (listy)"), tpCentred, X1, X1 + 22, Y1 + 1, 6, 0},
        {QStringLiteral("poręczeń"), tpCentred, X1, X1 + 22, Y1 + 3, 6, 0},
        {QStringLiteral("Notatka"), tpCentred, X1, X1 + 22, Y1 + 16, 6, 0},
        {QStringLiteral("doręczycielska"), tpCentred, X1, X1 + 22, Y1 + 18, 6, 0},
        {QStringLiteral("Awizowano"), tpCentred, X1 + 47, X2, Y1 + 1, 7, 0},
        {QStringLiteral("dnia "), tpLeft, X1 + 49, NoClip, Y1 + 7.5, 7, 0},
        {Dots(50), tpFill, 0, X2 - 15, Y1 + 7.5, 8, 0},
        {QStringLiteral("20 "), tpLeft, X2 - 14, NoClip, Y1 + 7.5, 7, 0},
        {Dots(25), tpFill, 0, X2 - 4, Y1 + 7.5, 8, 0},
        {QStringLiteral("r."), tpLeft, X2 - 3, X2, Y1 + 7.5, 7, 0},
        {Dots(50), tpLeft, X1 + 49, X2 - 2, Y1 + 13.5, 8, 0},
        {QStringLiteral("Podpis"), tpLeft, X1 + 49, NoClip, Y1 + 19, 6, 0},
        {QStringLiteral("Znamiona dokumentu tożsamości"), tpCentred, X1, X1 + 53, Y1 + 52, 7, 0},
        {Dots(75), tpLeft, X1 + 3, X1 + 50, Y1 + 58, 8, 0},
        {QStringLiteral("rodzaj dokumentu "), tpLeft, X1 + 3, NoClip, Y1 + 62.5, 7, 0},
        {Dots(50), tpFill, 0, X1 + 50, Y1 + 62.5, 8, 0},
        {QStringLiteral("wydany przez "), tpLeft, X1 + 3, NoClip, Y1 + 67, 7, 0},
        {Dots(50), tpFill, 0, X1 + 50, Y1 + 67, 8, 0},
        {Dots(75), tpLeft, X1 + 3, X1 + 50, Y1 + 71.5, 8, 0},
        {QStringLiteral("miejsce i data wydania"), tpLeft, X1 + 3, NoClip, Y1 + 75, 7, 0},
        {Dots(75), tpLeft, X1 + 3, X1 + 50, Y1 + 79, 8, 0},
    });
}

void DrawCorrespondenceBox(const TBlankData& data, TBlankObj& obj)
{
    SetSection(95, 50);
    const auto [X1, X2, Y1, Y2] = SectionBox;
    DrawStrokes(obj, {{skPen, psSolid, 0.6, 0, 0}, {skRect, X1, Y1, X2, Y2}});
    DrawFormTexts(data, obj, {{QStringLiteral("Miejsce na korespondencję"), tpCentred, X1, X2, Y1 + 1, 7, 0}});
}

void DrawNotices(const TBlankData& data, TBlankObj& obj)
{
    SetSection(149, 53);
    const auto [X1, X2, Y1, Y2] = SectionBox;
    obj.SetFont(8, data.FKolForm, 0, FormFace);
    WorkLines = Notices();
    for (int i = 0; i < WorkLines.size(); ++i)
        obj.DrawText(WorkLines[i], X1 + 2, Y1 + NoticeStepMm * i, NoClip, 0);
    obj.SetFont(5, data.FKolForm, 0, FormFace);
    // Measured in the font it is drawn in, so it ends at X2 at any resolution.
    obj.DrawText(FormFooter, X2 - obj.TextWidth(FormFooter), Y2 - 2, NoClip, 0);
}

} // namespace

void DrawMoneyOrderBackForm(const TBlankData& Data, TBlankObj& Obj)
{
    if (!SetFormPen(Data, Obj))
        return;
    DrawPaymentPart(Data, Obj);
    DrawCorrespondenceBox(Data, Obj);
    DrawNotices(Data, Obj);
}
