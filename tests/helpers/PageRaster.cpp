#include "helpers/PageRaster.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

constexpr int Dpi = 300;

QByteArray Run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    return process.waitForFinished(60'000) ? process.readAllStandardOutput() : QByteArray();
}

// Of the rows (columns) from fromMm to toMm, the one darkest along aMm..bMm in mm, and its dark share.
double DarkestLineMm(const QImage& page, bool horizontal, double fromMm, double toMm, double aMm, double bMm, double* share = nullptr)
{
    const auto px = [](double mm) { return int(mm / 25.4 * Dpi + 0.5); };
    int best = -1, bestInk = 0;
    for (int i = px(fromMm); i <= px(toMm); ++i) {
        int ink = 0;
        for (int j = px(aMm); j <= px(bMm); ++j)
            ink += qGray(horizontal ? page.pixel(j, i) : page.pixel(i, j)) < 160;
        if (ink > bestInk)
            best = i, bestInk = ink;
    }
    share ? *share = double(bestInk) / (px(bMm) - px(aMm) + 1) : 0;
    return best * 25.4 / Dpi;
}

} // namespace

QString PdfInfo(const QString& pdfPath, const QString& field)
{
    const QRegularExpression line(u"^"_qs + field + u":\\s*(.*)$"_qs, QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(Run(u"pdfinfo"_qs, {pdfPath}))).captured(1).trimmed();
}

void ExpectMoneyOrderSides(const QString& frontPdf, const QString& backPdf, double dx, double dy)
{
    QPointF at[2];
    double cut[2];
    for (int side = 0; side < 2; ++side) {
        const QString pdf = side ? backPdf : frontPdf;
        Run(u"pdftoppm"_qs, {u"-gray"_qs, u"-png"_qs, u"-singlefile"_qs, u"-r"_qs, QString::number(Dpi), pdf, pdf});
        const QImage page = QImage(pdf + u".png"_qs).mirrored(side, false);
        ASSERT_FALSE(page.isNull()) << pdf.toStdString();
        at[side] = {DarkestLineMm(page, false, 89.5 + dx, 92.5 + dx, 25 + dy, 65 + dy), DarkestLineMm(page, true, 5.5 + dy, 8.5 + dy, 10 + dx, 60 + dx)};
        EXPECT_TRUE(std::abs(DarkestLineMm(page, true, 99 + dy, 101 + dy, 10, 190, &cut[side]) - 100 - dy) < 0.2 || side);
    }
    EXPECT_NEAR(at[0].x(), 91 + dx, 0.5);
    EXPECT_NEAR(at[0].y(), 7 + dy, 0.5);
    EXPECT_TRUE(std::abs(at[1].x() - at[0].x()) <= 0.5 && std::abs(at[1].y() - at[0].y()) <= 0.5) << at[1].x() << " " << at[1].y();
    EXPECT_TRUE(cut[0] > 0.95 && cut[1] < 0.5) << cut[0] << " " << cut[1];
    const QByteArray images = Run(u"pdfimages"_qs, {u"-list"_qs, backPdf});
    EXPECT_TRUE(images.contains(" image ") && !images.contains("jpeg")) << images.toStdString();
}
