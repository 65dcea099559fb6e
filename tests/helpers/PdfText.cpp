#include "helpers/PdfText.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>

using namespace Qt::StringLiterals;

PdfWords ReadPdfWords(const QString& pdfPath, PdfWordOrder order)
{
    PdfWords result;
    QStringList arguments{u"-bbox"_s, u"-enc"_s, u"UTF-8"_s};
    if (order == PdfWordOrder::Drawing)
        arguments << u"-raw"_s;
    QProcess process;
    process.start(u"pdftotext"_s, arguments << pdfPath << u"-"_s);
    const bool finished = process.waitForFinished(60'000) && process.exitStatus() == QProcess::NormalExit;
    if (!finished || process.exitCode() != 0) {
        const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
        result.error = u"pdftotext (poppler-utils) failed on %1: %2 %3"_s.arg(pdfPath, process.errorString(), errors);
        return result;
    }
    QXmlStreamReader xml(process.readAllStandardOutput());
    for (int page = 0; !xml.atEnd();) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        page += xml.name() == QLatin1String("page");
        const auto at = [a = xml.attributes()](const char* name) { return a.value(QLatin1String(name)).toDouble(); };
        if (xml.name() == QLatin1String("word")) {
            PdfWord word{QString(), at("xMin"), at("yMin"), at("xMax"), at("yMax"), page};
            word.text = xml.readElementText();
            result.words.append(word);
        }
    }
    // The external DTD the output names is never fetched; only a broken document counts.
    if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        result.error = u"unreadable output of pdftotext: "_s + xml.errorString();
    return result;
}

std::optional<PdfFontMetrics> ReadPdfFont(const QString& pdfPath, const QString& fontName)
{
    QFile file(pdfPath);
    // Font descriptors are plain dictionaries outside any compressed stream.
    const QRegularExpression descriptor(u"/Type\\s*/FontDescriptor[^>]*/FontName\\s*/(?:[A-Z]{6}\\+)?%1[\\s/]"
                                        "[^>]*?/Ascent\\s+(-?[0-9.]+)[^>]*?/Descent\\s+(-?[0-9.]+)"_s
                                            .arg(QRegularExpression::escape(fontName)));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QRegularExpressionMatch m = descriptor.match(QString::fromLatin1(file.readAll()));
    if (!m.hasMatch())
        return std::nullopt;
    return PdfFontMetrics{m.captured(1).toDouble(), m.captured(2).toDouble()};
}

QVector<PdfWordRun> FindPhrase(const QVector<PdfWord>& words, const QString& phrase)
{
    QVector<PdfWordRun> runs;
    const QStringList parts = phrase.split(u' ', Qt::SkipEmptyParts);
    for (int i = 0; !parts.isEmpty() && i + parts.size() <= words.size(); ++i) {
        PdfWordRun run{i, words[i]};
        for (int k = 0; k < parts.size() && run.first >= 0; ++k) {
            const PdfWord& w = words[i + k];
            run.first = w.text == parts[k] && w.page == words[i].page ? i : -1;
            run.box = {parts.join(u' '), std::min(run.box.xMin, w.xMin), std::min(run.box.yMin, w.yMin),
                       std::max(run.box.xMax, w.xMax), std::max(run.box.yMax, w.yMax), w.page};
        }
        if (run.first >= 0)
            runs.append(run);
    }
    return runs;
}

QString AllText(const QVector<PdfWord>& words)
{
    QStringList texts;
    std::transform(words.begin(), words.end(), std::back_inserter(texts), [](const PdfWord& w) { return w.text; });
    return texts.join(u' ');
}
