// Feeds arbitrary bytes to the DDE message reader, in pieces as a socket delivers them, and every text it yields to
// the shell's macro splitter: what was read must encode back to the bytes it came from, and the reader must never
// hold more than one message's worth.
#include "app/Shell_DDE.h"
#include "platform/Dde.h"
#include "platform/DdeProtocol.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TDdeMessageReader reader;
    QByteArray consumed, encoded;
    qsizetype pos = 0;
    // The first byte sets the size of the pieces.
    const qsizetype piece = bytes.isEmpty() ? 1 : 1 + (uchar(bytes[0]) % 64) * 97;
    while (!reader.IsBad()) {
        const qsizetype take = std::min(std::min(piece, reader.Wanted()), bytes.size() - pos);
        if (take > 0) {
            consumed += bytes.mid(pos, take);
            reader.Feed(bytes.mid(pos, take));
            pos += take;
        }
        const std::optional<TDdeMessage> message = reader.Next();
        if (reader.Wanted() < 0 || reader.Wanted() > DdeLimits::HeaderBytes + DdeLimits::MaxMessageBytes)
            std::abort();
        if (!message) {
            if (take == 0)
                break;
            continue;
        }
        encoded += EncodeDdeMessage(*message);
        for (const QString& line : SplitDdeLines(message->text + QLatin1Char('\n') + message->data))
            for (const QString& item : SplitMacroLine(line))
                if (item.size() > line.size())
                    std::abort();
    }
    if (!consumed.startsWith(encoded))
        std::abort();
    return 0;
}
