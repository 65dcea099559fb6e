#include "app/info.h"

#include "platform/VersionInfo.h"

namespace {

// Only the language is a property; the code page is always Windows-1250's.
const QString CodePage = QStringLiteral("04E2");

} // namespace

TEPInfoExe::TEPInfoExe(QObject* AOwner)
    : QObject(AOwner)
    , FLangId(QStringLiteral("0415"))
{
}

void TEPInfoExe::Execute()
{
    TVersionInfo info;
    if (!info.Load(FExeName))
        return;
    const QString table = QStringLiteral("StringFileInfo\\") + FLangId + CodePage + QLatin1Char('\\');
    const std::pair<const char*, QString*> values[] = {
        {"CompanyName", &FCompanyName},         {"FileDescription", &FFileDescription},
        {"FileVersion", &FFileVersion},         {"InternalName", &FInternalName},
        {"LegalCopyright", &FLegalCopyright},   {"LegalTradeMarks", &FLegalTradeMarks},
        {"OriginalFilename", &FOriginalFilename}, {"ProductName", &FProductName},
        {"ProductVersion", &FProductVersion},   {"Comments", &FComments},
    };
    for (const auto& [name, field] : values)
        *field = info.Query(table + QLatin1String(name));
}
