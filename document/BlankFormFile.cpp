#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "platform/RegularFile.h"

void TfrmBlank::Save()
{
    switch (SaveRegularFile(FFileName, WriteBlankFile(F))) {
    case TFileSave::Ok:
        break;
    case TFileSave::CannotCreate:
        throw Exception(QStringLiteral("Nie możma zapisać pliku: ") + FFileName);
    case TFileSave::FolderClosed:
        throw ESaveElsewhere(QStringLiteral("Nie można bezpiecznie zapisać pliku: ") + FFileName
                             + QStringLiteral("\n\nFolder nie pozwala utworzyć w nim nowego pliku, a zapis wprost"
                                              " do starego pliku mógłby go zniszczyć, gdyby się nie powiódł."
                                              " Stary plik pozostał bez zmian."));
    case TFileSave::Failed:
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
    case TFileRead::TooLarge: // larger than any document the program writes
        throw Exception(QStringLiteral("Nieprawidłowy format pliku."));
    case TFileRead::NotRegular: // a folder, a device: no file to read
    case TFileRead::Missing:
    case TFileRead::Failed:
        throw Exception(QStringLiteral("Nie można otworzyć pliku: ") + FFileName);
    }
    ReadBlankFile(bytes, F);
    FNeedRefresh = true;
    FModified = false;
    setWindowModified(false);
}
