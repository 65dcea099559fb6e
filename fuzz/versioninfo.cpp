// An executable file's version table: nothing is kept from a file without one, and paths match in any letter case.
#include "platform/VersionInfo.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    TVersionInfo info;
    const bool found = info.Load(file);
    for (const char* name : {"FileVersion", "ProductVersion", "Comments"}) {
        const QString path = QStringLiteral("StringFileInfo\\041504E2\\") + QLatin1String(name);
        const QString text = info.Query(path);
        if ((!found && !text.isEmpty()) || info.Query(path.toUpper()) != text)
            std::abort();
    }
    return 0;
}
