#include "helpers/PageRaster.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString Run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60'000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QString PdfInfo(const QString& pdfPath, const QString& field)
{
    const QRegularExpression line(u"^"_qs + QRegularExpression::escape(field) + u":\\s*(.*)$"_qs,
                                  QRegularExpression::MultilineOption);
    return line.match(Run(QStringLiteral("pdfinfo"), {pdfPath})).captured(1).trimmed();
}

QImage RasterisePdf(const QString& pdfPath, int dpi)
{
    Run(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                     QStringLiteral("-r"), QString::number(dpi), pdfPath, pdfPath});
    return QImage(pdfPath + u".png"_qs).convertToFormat(QImage::Format_Grayscale8);
}

double DarkestLineMm(const QImage& page, int dpi, bool horizontal, double fromMm, double toMm, double aMm, double bMm,
                     double* share)
{
    const auto px = [dpi](double mm) { return int(mm / 25.4 * dpi + 0.5); };
    int best = -1, bestInk = 0;
    for (int i = px(fromMm); i <= px(toMm); ++i) {
        int ink = 0;
        for (int j = px(aMm); j <= px(bMm); ++j)
            ink += qGray(horizontal ? page.pixel(j, i) : page.pixel(i, j)) < 160;
        if (ink > bestInk)
            best = i, bestInk = ink;
    }
    if (share)
        *share = double(bestInk) / (px(bMm) - px(aMm) + 1);
    return best < 0 ? -1 : best * 25.4 / dpi;
}
