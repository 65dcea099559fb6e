#pragma once

#include "drawing/Currency.h"
#include "platform/Canvas.h"

#include <QString>
#include <QStringList>

// The surface every form is drawn on: text, lines, boxes and fills given in
// millimetres, placed on whatever canvas it points at, at that canvas's
// resolution. The preview and the printer go through the same calls.
class TBlankObj {
public:
    TBlankObj();
    TBlankObj(double AWidth, double AHeight);

    TCanvas* Canvas() const { return FCanvas; }
    void SetCanvas(TCanvas* canvas) { FCanvas = canvas; }
    int DPI() const { return FDPI; }
    void SetDPI(int dpi);
    bool Printing() const { return FPrinting; }
    void SetPrinting(bool printing) { FPrinting = printing; }
    double Width() const { return FWidth; }
    double Height() const { return FHeight; }
    double PenWidth() const { return FPenWidth; }
    void SetPenWidth(double mm) { FPenWidth = mm; }
    double OriginX() const { return FOrX; }
    void SetOriginX(double mm) { FOrX = mm; }
    double OriginY() const { return FOrY; }
    void SetOriginY(double mm) { FOrY = mm; }

    int MM2Pixel(double AMM) const;
    double Pixel2MM(int APxl) const;
    void SetIntOrigin(int x, int y);

    void FillRect(double x, double y, double x1, double y1);
    void Rectangle(double x, double y, double x1, double y1);
    void Ellipse(double x, double y, double x1, double y1);
    void Line(double x, double y, double x1, double y1);
    void HorizLine(double x1, double x2, double y);
    void VertLine(double x, double y1, double y2);

    void SetFont(int Size, TColor Color, TFontStyles Style, const QString& Name);
    double TextWidth(const QString& t) const;
    double TextHeight() const;
    // xlimit < 0 draws t turned by Angle degrees and gives its width;
    // otherwise t is cut at xlimit and the result is xlimit - x.
    double DrawText(const QString& t, double x, double y, double xlimit, int Angle);
    void DrawCenteredText(const QString& t, double x1, double x2, double y);
    // Re-flows the lines of s in place so they fit MaxWidth, cutting anywhere.
    void WrapText(QStringList& s, double MaxWidth, int MaxLines) const;

    static TColor HalfColorA(TColor AColor);
    static TColor HalfColorB(TColor AColor);

    // Amounts in Polish words.
    static QString InWords(Currency Value, bool EmptyIfZero);
    static QString InWordsFull(Currency Value, bool EmptyIfZero);
    static QString InWordsSimple(qint64 Value, int LeadingZeroes);
    static QString InWordsSimpleFull(Currency Value);

private:
    int DeviceX(double x) const;
    int DeviceY(double y) const;
    void ApplyPenWidth();

    TCanvas* FCanvas = nullptr;
    int FDPI = 0;
    double FWidth = 0;
    double FHeight = 0;
    double FOrX = 0;
    double FOrY = 0;
    double FPenWidth = 0;
    bool FPrinting = false;
};
