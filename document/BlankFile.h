#pragma once

#include "drawing/BlankData.h"
#include "drawing/Exception.h"

#include <QByteArray>

// The document file: little-endian fields in a fixed order, format versions
// 1 to 7 read, version 7 written.
constexpr quint16 BlankFileVersion = 7;
// The reader's limit on a file's size. A document's fields have bounds of
// their own that keep the largest one far below it.
constexpr qint64 MaxBlankFileBytes = 1024 * 1024;

// Reads a file's bytes into data. Fields the file's version does not hold
// keep their values; fields read before a failure keep what was read.
// Throws Exception with the reader's message on a bad or short file, and
// refuses a field longer than its editor's bound as a bad format.
void ReadBlankFile(const QByteArray& bytes, TBlankData& data);
// The bytes of data in format version 7.
QByteArray WriteBlankFile(const TBlankData& data);

// A multi-line field as the file stores it: every line ends in CR LF.
QString JoinLines(const QStringList& lines);
// Splits at CR LF, a lone CR or a lone LF; a final break adds no line.
QStringList SplitLines(const QString& text);

// A save refused because the old file could only have been overwritten in
// place, where a failure or a kill would leave neither document: the user is
// offered to save under another name.
class ESaveElsewhere : public Exception {
public:
    using Exception::Exception;
};
