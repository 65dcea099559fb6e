#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "platform/FileName.h"

#include <QFile>
#include <QSaveFile>

void TfrmBlank::Save()
{
    // The old file is replaced only once the whole document is written.
    // Unbuffered, because a write error met while flushing a buffer at
    // commit would go unnoticed and the short file would replace the old one.
    QSaveFile file(FFileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Exception(QStringLiteral("Nie możma zapisać pliku: ") + FFileName);
    const QByteArray bytes = WriteBlankFile(F);
    const bool written = file.write(bytes) == bytes.size();
    if (!written || !file.commit()) {
        file.cancelWriting();
        throw Exception(QStringLiteral("Wystąpił błąd podczas zapisywania pliku: ") + FFileName);
    }
    SetModified(false);
}

void TfrmBlank::Load()
{
    QFile file;
    if (!OpenByName(file, FFileName))
        throw Exception(QStringLiteral("Nie można otworzyć pliku: ") + FFileName);
    ReadBlankFile(file.readAll(), F);
    FNeedRefresh = true;
    FModified = false;
    setWindowModified(false);
}
