#pragma once

#include <QImage>
#include <QString>

// A field of pdfinfo's report on the file ("Title", "Page size"); empty when missing.
QString PdfInfo(const QString& pdfPath, const QString& field);
// The file's first page rasterised by pdftoppm in grey; null when that fails.
QImage RasterisePdf(const QString& pdfPath, int dpi);
// Where a line crosses a band of the page, in mm: of the rows (columns when
// not horizontal) from fromMm to toMm, the one darkest along aMm..bMm, and
// the share of it that is dark.
double DarkestLineMm(const QImage& page, int dpi, bool horizontal, double fromMm, double toMm, double aMm, double bMm,
                     double* share = nullptr);
