#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// What reading a file from outside the program gave.
enum class TFileRead {
    Ok,
    Missing,    // no such file
    NotRegular, // a FIFO, a device, a folder: never read, never waited on
    TooLarge,   // larger than the caller's limit; nothing read
    Failed      // could not be opened or read
};

// Reads a whole regular file (links followed) of at most maxBytes. The file
// is opened without blocking, so a FIFO put in a document's or a setting's
// place can neither hold the program nor feed it without end.
TFileRead ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& data);

// Opens a regular file (links followed) by its name's bytes, without
// blocking, for a reader that takes only the parts it needs.
TFileRead OpenRegularFile(const QString& path, QFile& file);

// What saving a file in place of the old one gave.
enum class TFileSave {
    Ok,
    CannotCreate, // no file can be made or written at the path
    FolderClosed, // the old file is writable, but its folder takes no new file
    Failed        // writing or renaming failed; the old file is as it was
};

// Writes data to a new file beside the old one, syncs it and renames it over
// the old one, so a full disk or a crash at any moment leaves the old file or
// the new one, whole. Nothing is ever written into the old file itself. Every
// whole file the program writes goes through here; on a failure, reason (when
// given) has the system's word for it.
TFileSave SaveRegularFile(const QString& path, const QByteArray& data, QString* reason = nullptr);
