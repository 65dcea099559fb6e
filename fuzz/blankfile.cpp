// Feeds arbitrary bytes to the document file reader, then writes back what it read and reads that again: a refused
// file must fail with the program's own exception, and what was read must survive a save unchanged, within the size
// the reader of the document window takes.
#include "document/BlankFile.h"
#include "drawing/Exception.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    TBlankData document;
    try {
        ReadBlankFile(bytes, document);
    } catch (const Exception&) {
        // Fields read before the failure stay; writing them must still work.
        WriteBlankFile(document);
        return 0;
    }

    // Kinds 3 and 4 are read as 5, and lines lose their breaks' kind, so the first read is not compared with the
    // file; a second round must be exact.
    const QByteArray written = WriteBlankFile(document);
    TBlankData again;
    ReadBlankFile(written, again);
    if (WriteBlankFile(again) != written || written.size() > MaxBlankFileBytes)
        std::abort();
    return 0;
}
