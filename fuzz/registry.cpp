// Feeds arbitrary bytes to the registry file reader, looks up everything it
// found the way the program would (in another letter case), and checks that
// what was read is written back into a text that reads the same.
#include "platform/RegistryFormat.h"

#include <cstdint>
#include <cstdlib>

namespace {

void LookUpEverything(const RegistryTree& tree)
{
    for (const RegistryKey* key : tree.keys()) {
        const QStringList path = key->path().isEmpty() ? QStringList() : key->path().toUpper().split(QLatin1Char('\\'));
        if (!tree.keyExists(path) && RegistryFoldCase(path.join(QLatin1Char('\\'))) == RegistryFoldCase(key->path()))
            std::abort();
        tree.subkeyNames(path);
        for (const RegistryValue& value : key->values()) {
            if (!key->findValue(value.name) || key->findValue(value.name)->type() == rdUnknown)
                std::abort();
            key->findValue(value.name.toLower());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const RegistryTree tree = RegistryFormat::parse(bytes);
    LookUpEverything(tree);

    const QByteArray written = RegistryFormat::format(tree);
    const RegistryTree again = RegistryFormat::parse(written);
    if (again != tree || RegistryFormat::format(again) != written)
        std::abort();
    return 0;
}
