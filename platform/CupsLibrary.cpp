#include "platform/CupsLibrary.h"

#include <QLibrary>

namespace {

template <typename Function>
bool Resolve(QLibrary& library, const char* name, Function& entry)
{
    entry = reinterpret_cast<Function>(library.resolve(name));
    return entry != nullptr;
}

TCupsLibrary Load()
{
    TCupsLibrary cups;
    // Version 2 is the ABI the header describes; the library stays loaded
    // for the process's life, as Qt's own print support keeps it too.
    QLibrary library(QStringLiteral("cups"), 2);
    const bool complete = library.load() && Resolve(library, "cupsGetDests2", cups.GetDests2)
                          && Resolve(library, "cupsGetNamedDest", cups.GetNamedDest)
                          && Resolve(library, "cupsFreeDests", cups.FreeDests)
                          && Resolve(library, "cupsGetOption", cups.GetOption)
                          && Resolve(library, "cupsCopyDestInfo", cups.CopyDestInfo)
                          && Resolve(library, "cupsFindDestDefault", cups.FindDestDefault)
                          && Resolve(library, "cupsFreeDestInfo", cups.FreeDestInfo)
                          && Resolve(library, "ippGetValueTag", cups.GetValueTag)
                          && Resolve(library, "ippGetResolution", cups.GetResolution);
    // Half a library would be worse than none: every entry or no entry.
    return complete ? cups : TCupsLibrary();
}

} // namespace

const TCupsLibrary& Cups()
{
    static const TCupsLibrary cups = Load();
    return cups;
}
