// The user's defaults list: our default is added at most once, and every line of theirs is kept in order.
#include "app/DesktopEntries.h"

#include <QList>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QByteArray> updated = DesktopEntries::WithDefaultApplication(bytes);
    if (!updated)
        return 0;
    if (DesktopEntries::WithDefaultApplication(*updated))
        std::abort();
    qsizetype from = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        from = updated->indexOf(line, from);
        if (from < 0)
            std::abort();
        from += line.size();
    }
    return 0;
}
