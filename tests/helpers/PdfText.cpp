#include "helpers/PdfText.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

constexpr int PdfToTextTimeoutMs = 60000;

bool ReadAttribute(const QXmlStreamAttributes& attributes, const char* name, double& value)
{
    bool ok = false;
    value = attributes.value(QLatin1String(name)).toDouble(&ok);
    return ok;
}

} // namespace

PdfWords ReadPdfWords(const QString& pdfPath, PdfWordOrder order)
{
    PdfWords result;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (program.isEmpty()) {
        result.error = QStringLiteral("pdftotext is not installed (Debian package poppler-utils)");
        return result;
    }
    QStringList arguments{QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (order == PdfWordOrder::Drawing)
        arguments << QStringLiteral("-raw");
    arguments << pdfPath << QStringLiteral("-");
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(PdfToTextTimeoutMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        result.error = QStringLiteral("pdftotext failed on %1: %2")
                           .arg(pdfPath, QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return result;
    }

    QXmlStreamReader xml(process.readAllStandardOutput());
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            PdfWord word;
            const QXmlStreamAttributes attributes = xml.attributes();
            if (!ReadAttribute(attributes, "xMin", word.xMin) || !ReadAttribute(attributes, "yMin", word.yMin)
                || !ReadAttribute(attributes, "xMax", word.xMax) || !ReadAttribute(attributes, "yMax", word.yMax)) {
                result.error = QStringLiteral("a word without its box in the output of pdftotext");
                return result;
            }
            word.page = page;
            word.text = xml.readElementText();
            result.words.append(word);
        }
    }
    // The output's DOCTYPE names an external DTD, which the reader does not
    // fetch and need not; only a broken document is an error.
    if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        result.error = QStringLiteral("unreadable output of pdftotext: %1").arg(xml.errorString());
    return result;
}

QVector<PdfFontMetrics> ReadPdfFontMetrics(const QString& pdfPath)
{
    QVector<PdfFontMetrics> fonts;
    QFile file(pdfPath);
    if (!file.open(QIODevice::ReadOnly))
        return fonts;
    const QString bytes = QString::fromLatin1(file.readAll());
    // Font descriptors are plain dictionaries outside any compressed stream.
    static const QRegularExpression descriptor(QStringLiteral("/Type\\s*/FontDescriptor(.*?)>>"),
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression name(QStringLiteral("/FontName\\s*/(?:[A-Z]{6}\\+)?([^\\s/\\[<>()]+)"));
    static const QRegularExpression ascent(QStringLiteral("/Ascent\\s+(-?[0-9.]+)"));
    static const QRegularExpression descent(QStringLiteral("/Descent\\s+(-?[0-9.]+)"));
    auto it = descriptor.globalMatch(bytes);
    while (it.hasNext()) {
        const QString body = it.next().captured(1);
        const auto n = name.match(body);
        const auto a = ascent.match(body);
        const auto d = descent.match(body);
        if (n.hasMatch() && a.hasMatch() && d.hasMatch())
            fonts.append({n.captured(1), a.captured(1).toDouble(), d.captured(1).toDouble()});
    }
    return fonts;
}

const PdfFontMetrics* FindFont(const QVector<PdfFontMetrics>& fonts, const QString& fontName)
{
    for (const PdfFontMetrics& font : fonts)
        if (font.fontName == fontName)
            return &font;
    return nullptr;
}

double FontSize(const PdfWord& word, const PdfFontMetrics& font)
{
    const double span = (font.ascent - font.descent) / 1000.0;
    return span > 0 ? (word.yMax - word.yMin) / span : 0;
}

double Baseline(const PdfWord& word, const PdfFontMetrics& font)
{
    return word.yMin + font.ascent / 1000.0 * FontSize(word, font);
}

QVector<int> FindWords(const QVector<PdfWord>& words, const QString& text)
{
    QVector<int> found;
    for (int i = 0; i < words.size(); ++i)
        if (words[i].text == text)
            found.append(i);
    return found;
}

QVector<PdfWordRun> FindPhrase(const QVector<PdfWord>& words, const QString& phrase)
{
    QVector<PdfWordRun> runs;
    const QStringList parts = phrase.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return runs;
    for (int i = 0; i + parts.size() <= words.size(); ++i) {
        bool match = true;
        for (int k = 0; k < parts.size() && match; ++k)
            match = words[i + k].text == parts[k] && words[i + k].page == words[i].page;
        if (!match)
            continue;
        PdfWordRun run;
        run.first = i;
        run.count = int(parts.size());
        run.box = words[i];
        run.box.text = parts.join(QLatin1Char(' '));
        for (int k = 1; k < parts.size(); ++k) {
            const PdfWord& w = words[i + k];
            run.box.xMin = std::min(run.box.xMin, w.xMin);
            run.box.yMin = std::min(run.box.yMin, w.yMin);
            run.box.xMax = std::max(run.box.xMax, w.xMax);
            run.box.yMax = std::max(run.box.yMax, w.yMax);
        }
        runs.append(run);
    }
    return runs;
}

QString AllText(const QVector<PdfWord>& words)
{
    QStringList texts;
    for (const PdfWord& w : words)
        texts.append(w.text);
    return texts.join(QLatin1Char(' '));
}
