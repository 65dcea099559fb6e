#pragma once

#include <QImage>
#include <QStringList>

// A field of pdfinfo's report on the file ("Title", "Page size"); empty when missing.
QString PdfInfo(const QString& pdfPath, const QString& field);

// The pixels per inch of the PDF's pictures, "across x down", each once, as pdfimages lists them.
QStringList PdfImageResolutions(const QString& pdfPath);

// The first page of a PDF in grey at dpi, rasterised by cairo, which places a picture pixel for pixel as Ghostscript,
// the spooler's usual rasteriser, does (poppler's own shifts pictures by half a pixel).
QImage RasterPage(const QString& pdfPath, int dpi = 600);
// Of the rows (horizontal) or columns from fromMm to toMm of a page from RasterPage, counted along aMm..bMm: the
// centre in mm of their dark pixels (-1 when none), and in share the dark part of the darkest one. A faded line has
// no dark pixels.
double InkCentreMm(const QImage& page, bool horizontal, double fromMm, double toMm, double aMm, double bMm,
                   double* share = nullptr);

// A money order's two jobs, the strip dx, dy mm from the sheet's corner: the back, mirrored left-right as the sheet
// turns, has its thick outline (x 91, y 93) within 0.1 mm of the front's (x 91, y 7), the cut line along y 100 is on
// the front only, the two dotted cut lines (x 93 and 147) of the back are there at full strength, the back's picture
// reached the file losslessly at the resolution dpi; rasterised at 600 dpi, the cut lines at dpi.
void ExpectMoneyOrderSides(const QString& frontPdf, const QString& backPdf, double dx, double dy, int dpi);
