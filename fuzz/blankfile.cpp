// The document reader: a refused file fails with the program's own exception and what was read can still be
// written; what was read survives a second round unchanged, within the size the document window reads.
#include "document/BlankFile.h"
#include "drawing/Exception.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TBlankData document;
    try {
        ReadBlankFile(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), document);
    } catch (const Exception&) {
        WriteBlankFile(document);
        return 0;
    }
    // Kinds 3 and 4 are read as 5 and line breaks lose their kind: only the second round must be exact.
    const QByteArray written = WriteBlankFile(document);
    TBlankData again;
    ReadBlankFile(written, again);
    if (WriteBlankFile(again) != written || written.size() > MaxBlankFileBytes)
        std::abort();
    return 0;
}
