#include "platform/FontFaces.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QRawFont>

namespace {

quint16 ReadBigEndian16(const QByteArray& table, int offset)
{
    return quint16((quint8(table[offset]) << 8) | quint8(table[offset + 1]));
}

} // namespace

FaceSubstitute SubstituteFace(const QString& faceName)
{
    // Liberation Sans has Arial's advance widths and the Polish letters.
    if (faceName.compare(QLatin1String("Arial CE"), Qt::CaseInsensitive) == 0
        || faceName.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("Liberation Sans"), 0};
    // No free face has Arial Black's weight; DejaVu Sans Bold comes closest in
    // width (a word sets within 1 % of it), which the tax form's big
    // background word needs to fill its box.
    if (faceName.compare(QLatin1String("Arial Black"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("DejaVu Sans"), QFont::Bold};
    if (faceName.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        return {QFontDatabase::systemFont(QFontDatabase::GeneralFont).family(), 0};
    return {faceName, 0};
}

namespace {

WinVerticalMetrics ReadWinMetrics(const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray head = raw.fontTable("head");
    // usWinAscent and usWinDescent sit at bytes 74 and 76 of every OS/2 version,
    // unitsPerEm at byte 18 of the head table.
    if (os2.size() >= 78 && head.size() >= 20) {
        const double unitsPerEm = ReadBigEndian16(head, 18);
        if (unitsPerEm > 0)
            return {ReadBigEndian16(os2, 74) / unitsPerEm, ReadBigEndian16(os2, 76) / unitsPerEm};
    }
    // A face without those tables: take the engine's own proportions.
    QFont probe(font);
    probe.setPixelSize(1000);
    const QFontMetricsF metrics(probe);
    return {metrics.ascent() / 1000.0, metrics.descent() / 1000.0};
}

} // namespace

WinVerticalMetrics FaceWinMetrics(const QFont& font)
{
    // The tables are the face's, whatever its size: read them once per face.
    static QHash<QString, WinVerticalMetrics> faces;
    const QString face = font.family() + QChar(0) + QString::number(font.weight()) + QChar(0)
                         + QString::number(int(font.style()));
    const auto known = faces.constFind(face);
    if (known != faces.constEnd())
        return *known;
    return *faces.insert(face, ReadWinMetrics(font));
}
