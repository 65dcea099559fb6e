#pragma once

#include <QHash>
#include <QString>

class QIODevice;

// Stands in for the other system's version resource: our executables carry
// their version table in the ELF section ".wplatomat.version", a run of
// NUL-ended UTF-8 pairs "path\0text\0", paths like
// "StringFileInfo\041504E2\FileVersion". Paths are matched without regard
// to letter case.
class TVersionInfo {
public:
    // The table of the executable file; false, and nothing kept, for a file
    // without one (any other program, a missing or unreadable file).
    bool Load(const QString& exeName);
    // The same from the bytes of an opened file.
    bool Load(QIODevice& file);
    // The text at the path; empty when the table does not hold it.
    QString Query(const QString& path) const;

private:
    QHash<QString, QString> m_values;
};
