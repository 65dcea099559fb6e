#pragma once

#include <QString>

// A field of pdfinfo's report on the file ("Title", "Page size"); empty when missing.
QString PdfInfo(const QString& pdfPath, const QString& field);

// A money order's two jobs, the strip dx, dy mm from the sheet's corner: the
// back, mirrored left-right as the sheet turns, has its thick outline (x 91,
// y 93) within 0.5 mm of the front's (x 91, y 7), the cut line along y 100 is
// on the front only, and the back's picture reached the file losslessly.
void ExpectMoneyOrderSides(const QString& frontPdf, const QString& backPdf, double dx, double dy);
