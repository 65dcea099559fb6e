// The DDE message reader, fed in pieces as a socket delivers them, and the shell's macro splitter on every text it
// yields: what was read encodes back to the bytes it came from, and the reader never holds more than one message.
#include "app/Shell_DDE.h"
#include "platform/Dde.h"
#include "platform/DdeProtocol.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The first byte sets the size of the pieces.
    const qsizetype piece = bytes.isEmpty() ? 1 : 1 + (uchar(bytes[0]) % 64) * 97;
    TDdeMessageReader reader;
    QByteArray encoded;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype take = std::min({piece, reader.Wanted(), bytes.size() - pos});
        reader.Feed(bytes.mid(pos, take));
        pos += take;
        const std::optional<TDdeMessage> message = reader.Next();
        if (reader.Wanted() < 0 || reader.Wanted() > DdeLimits::HeaderBytes + DdeLimits::MaxMessageBytes)
            std::abort();
        if (!message && (take == 0 || reader.IsBad()))
            break;
        if (!message)
            continue;
        encoded += EncodeDdeMessage(*message);
        for (const QString& line : SplitDdeLines(message->text + QLatin1Char('\n') + message->data))
            for (const QString& item : SplitMacroLine(line))
                if (item.size() > line.size())
                    std::abort();
    }
    if (!bytes.left(pos).startsWith(encoded))
        std::abort();
    return 0;
}
