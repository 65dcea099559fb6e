#include "helpers/PageRaster.h"

#include <QImageReader>
#include <QProcess>

#include <QRegularExpression>

#include <cmath>

#include <gtest/gtest.h>

namespace {

QByteArray Run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    return process.waitForFinished(60'000) ? process.readAllStandardOutput() : QByteArray();
}

int Px(const QImage& page, double mm)
{
    return int(mm / 1000 * page.dotsPerMeterX() + 0.5);
}

} // namespace

QString PdfInfo(const QString& pdfPath, const QString& field)
{
    const QRegularExpression line(u"^"_qs + field + u":\\s*(.*)$"_qs, QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(Run(u"pdfinfo"_qs, {pdfPath}))).captured(1).trimmed();
}

QStringList PdfImageResolutions(const QString& pdfPath)
{
    QStringList found;
    for (const QString& line : QString::fromUtf8(Run(u"pdfimages"_qs, {u"-list"_qs, pdfPath})).split(u'\n').mid(2))
        found << line.simplified().section(u' ', 12, 13).replace(u' ', u'x');
    found.removeDuplicates();
    return found.filter(u"x"_qs);
}

QImage RasterPage(const QString& pdfPath, int dpi)
{
    Run(u"pdftocairo"_qs,
        {u"-gray"_qs, u"-png"_qs, u"-singlefile"_qs, u"-r"_qs, QString::number(dpi), pdfPath, pdfPath});
    QImageReader::setAllocationLimit(0); // a page at 600 dpi is more than Qt reads unasked
    QImage page = QImageReader(pdfPath + u".png"_qs).read();
    page.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    return page;
}

double InkCentreMm(
    const QImage& page, bool horizontal, double fromMm, double toMm, double aMm, double bMm, double* share)
{
    double sum = 0;
    int total = 0, most = 0;
    for (int i = Px(page, fromMm); i <= Px(page, toMm); ++i) {
        int ink = 0;
        for (int j = Px(page, aMm); j <= Px(page, bMm); ++j)
            ink += qGray(horizontal ? page.pixel(j, i) : page.pixel(i, j)) < 160;
        sum += ink * (i + 0.5);
        total += ink;
        most = std::max(most, ink);
    }
    if (share)
        *share = double(most) / (Px(page, bMm) - Px(page, aMm) + 1);
    return total ? sum / total * 1000 / page.dotsPerMeterX() : -1;
}

void ExpectMoneyOrderSides(const QString& frontPdf, const QString& backPdf, double dx, double dy, int dpi)
{
    QPointF at[2];
    double cut[2];
    double dotted = 0;
    for (int side = 0; side < 2; ++side) {
        const QString pdf = side ? backPdf : frontPdf;
        const QImage page = RasterPage(pdf).mirrored(side, false);
        const QImage own = RasterPage(pdf, dpi).mirrored(side, false);
        ASSERT_FALSE(page.isNull()) << pdf.toStdString();
        ASSERT_FALSE(own.isNull()) << pdf.toStdString();
        at[side] = {InkCentreMm(page, false, 90 + dx, 92 + dx, 25 + dy, 65 + dy),
            InkCentreMm(page, true, 6 + dy, 8 + dy, 10 + dx, 60 + dx)};
        InkCentreMm(page, true, 99.5 + dy, 100.5 + dy, 10, 190, &cut[side]);
        for (const double x : {93.0, 147.0}) {
            InkCentreMm(own, false, x - 0.3 + dx, x + 0.3 + dx, 10 + dy, 88 + dy, &dotted);
            EXPECT_GT(dotted, 0.4) << x << (side ? " back" : " front");
        }
    }
    EXPECT_NEAR(at[0].x(), 91 + dx, 0.1);
    EXPECT_NEAR(at[0].y(), 7 + dy, 0.1);
    EXPECT_NEAR(at[1].x(), at[0].x(), 0.1);
    EXPECT_NEAR(at[1].y(), at[0].y(), 0.1);
    EXPECT_GT(cut[0], 0.95);
    EXPECT_LT(cut[1], 0.5);
    const QString images = QString::fromUtf8(Run(u"pdfimages"_qs, {u"-list"_qs, backPdf}));
    EXPECT_TRUE(images.contains(QRegularExpression(u" image .* %1 +%1 "_qs.arg(dpi)))) << images.toStdString();
    EXPECT_FALSE(images.contains(u"jpeg"_qs)) << images.toStdString();
}
