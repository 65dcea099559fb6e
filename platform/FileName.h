#pragma once

#include <QByteArray>
#include <QString>

// A file name is bytes, which Qt reads as UTF-8: a name that is not valid
// UTF-8 could not be reached again. Here every byte outside valid UTF-8
// becomes the lone surrogate U+DC80..U+DCFF (as Python's surrogateescape
// does) and goes back to that byte, so any name survives the round trip.
QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);

// Whether Qt's own file classes reach the file by this name.
bool QtCanName(const QString& name);
// A regular file (links followed) by the name's bytes.
bool IsFileByName(const QString& name);

// Whether a name holds a C0 control character or DEL: a line feed in it would
// start another line of whatever text carries it.
bool HasControlCharacter(QStringView name);
