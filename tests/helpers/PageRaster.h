#pragma once

#include <QImage>
#include <QStringList>

// A field of pdfinfo's report on the file ("Title", "Page size"); empty when missing.
QString PdfInfo(const QString& pdfPath, const QString& field);

// The pixels per inch of the PDF's pictures, "across x down", each once, as pdfimages lists them.
QStringList PdfImageResolutions(const QString& pdfPath);

// The first page of a PDF in grey at dpi, by cairo, which places pictures as the spooler's Ghostscript does.
QImage RasterPage(const QString& pdfPath, int dpi = 600);
// Of the rows (horizontal) or columns fromMm..toMm of a page, counted along aMm..bMm: the centre in mm of their dark
// pixels (-1 when none), and in share the dark part of the darkest one. A faded line has no dark pixels.
double InkCentreMm(const QImage& page, bool horizontal, double fromMm, double toMm, double aMm, double bMm,
                   double* share = nullptr);

// A money order's two jobs, the strip dx, dy mm from the sheet's corner: the back, mirrored as the sheet turns, has
// its outline within 0.1 mm of the front's (x 91, y 7), the cut line along y 100 is on the front only, the back's
// dotted cut lines (x 93 and 147) are whole at dpi, and its picture is in the file losslessly at dpi.
void ExpectMoneyOrderSides(const QString& frontPdf, const QString& backPdf, double dx, double dy, int dpi);
