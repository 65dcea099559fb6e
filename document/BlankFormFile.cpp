#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "platform/RegularFile.h"

#include <QSaveFile>

void TfrmBlank::Save()
{
    // The old file is replaced only once the whole document is written.
    // Unbuffered, because a write error met while flushing a buffer at
    // commit would go unnoticed and the short file would replace the old one.
    QSaveFile file(FFileName);
    // A folder that takes no temporary file but holds a writable document is
    // still saved to: in place, since refusing would be worse than losing
    // the atomic replacement there.
    file.setDirectWriteFallback(true);
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
    QByteArray bytes;
    switch (ReadRegularFile(FFileName, MaxBlankFileBytes, bytes)) {
    case TFileRead::Ok:
        break;
    case TFileRead::NotRegular:
    case TFileRead::TooLarge:
        throw Exception(QStringLiteral("Nieprawidłowy format pliku."));
    case TFileRead::Missing:
    case TFileRead::Failed:
        throw Exception(QStringLiteral("Nie można otworzyć pliku: ") + FFileName);
    }
    ReadBlankFile(bytes, F);
    FNeedRefresh = true;
    FModified = false;
    setWindowModified(false);
}
