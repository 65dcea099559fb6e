#pragma once

// The postal money order (kind 2): the empty front and back in the form
// colour, the document's values over them in the text colour, and the
// preview. Every routine draws through the drawing object it is given, at
// whatever resolution and origin the caller set.

#include "drawing/BlankTypes.h"
#include "layouts/SideChoice.h"
#include "platform/Canvas.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <initializer_list>

class TBlankObj;
struct TBlankData;

constexpr double MoneyOrderWidthMm = 210.0;
constexpr double MoneyOrderHeightMm = 100.0;

// The unit's scratch state, in its own namespace: the transfer unit has a
// WorkLines of its own.
namespace untBlPrzekaz {

// The frame of the section being drawn, in mm; positions inside a section
// are offsets from it.
struct TSectionBox {
    double X1 = 0;
    double X2 = 0;
    double Y1 = 0;
    double Y2 = 0;
};
extern TSectionBox SectionBox;
// Moves the frame across to X1, Width wide, keeping its top and bottom.
void SetSection(double X1, double Width);
// The template's pen in the form colour over a clear brush; false without a canvas.
bool SetFormPen(const TBlankData& Data, TBlankObj& Obj);
// A multi-line field copied for re-flowing, never the document's own list.
extern QStringList WorkLines;

// One stroke of a template: a pen change or a shape, in mm. Lines are
// (x1, x2, y) or (x, y1, y2), boxes (x1, y1, x2, y2), pens (style, width).
enum TStrokeKind { skPen, skHoriz, skVert, skRect, skEllipse, skBand };
struct TStroke {
    TStrokeKind Kind;
    double A, B, C, D;
};
void DrawStrokes(TBlankObj& Obj, std::initializer_list<TStroke> Strokes);

// One caption of a template in the form colour. Left texts are cut at X2
// when it is 0 or more; a fill starts where the last left text ended.
enum TPlace { tpLeft, tpCentred, tpRotated, tpFill };
struct TFormText {
    QString Text;
    TPlace Place;
    double X1, X2, Y;
    int Points;
    TFontStyles Style;
};
void DrawFormTexts(const TBlankData& Data, TBlankObj& Obj, std::initializer_list<TFormText> Texts);

} // namespace untBlPrzekaz

// Count hairlines with the current pen from X1 to X2, the first at Y, each
// further one 0.7 mm lower.
void DrawThickHorizLine(TBlankObj& Obj, int Count, double X1, double X2, double Y);
// Up to five digits of Code centred in the postcode cells whose first cell
// starts at (X, Y); other characters are skipped.
void DrawPostcode(TBlankObj& Obj, const QString& Code, double X, double Y);

// The empty front and back.
void DrawMoneyOrderFrontForm(const TBlankData& Data, TBlankObj& Obj);
void DrawMoneyOrderBackForm(const TBlankData& Data, TBlankObj& Obj);
// The empty side, then the document's values on it.
void DrawMoneyOrderFront(const TBlankData& Data, TBlankObj& Obj);
void DrawMoneyOrderBack(const TBlankData& Data, TBlankObj& Obj);
// The preview of a side, upright, through the shared off-screen bitmap.
void PaintMoneyOrder(const TBlankData& Data, TBlankObj& Obj, TBlankSide Side);

// Where the strip lies on the paper, in the printer's device pixels: L and T
// are the unprintable margins at the left and top edges, dx and dy the
// strip's shift from the paper's left and top edges.
struct TMoneyOrderOffsets {
    int L = 0;
    int T = 0;
    int dx = 0;
    int dy = 0;
    // The front's origin on the printer's canvas, which starts at the printable area.
    QPoint Front() const { return {dx - L, dy - T}; }
    // The turned back's corner on that canvas: turned about the sheet's
    // vertical axis, the strip's shift goes the other way.
    QPoint Back() const { return {-L - dx, dy - T}; }
};
TMoneyOrderOffsets GetMoneyOrderPrintOffsets(int Dpi, int PhysicalOffsetX, int PhysicalOffsetY, int PhysicalWidth,
                                             int PageWidth);
// The chosen sides in portrait, each its own job; the back is drawn and
// turned before its job starts, and an Exception says when it cannot be.
void PrintMoneyOrder(const TBlankData& Data, TBlankObj& Obj, const TSideChoice& Choice);
