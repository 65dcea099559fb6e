#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"

#include <QFile>
#include <QSaveFile>

void TfrmBlank::Save()
{
    // The old file is replaced only once the whole document is written.
    QSaveFile file(FFileName);
    if (!file.open(QIODevice::WriteOnly))
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
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Nie można otworzyć pliku: ") + FFileName);
    ReadBlankFile(file.readAll(), F);
    FNeedRefresh = true;
    FModified = false;
    setWindowModified(false);
}
