// The registry file reader: every key and value it found is within the format's bounds and found again by its name,
// a key also in another letter case, and what was read is written back into a text that reads the same.
#include "platform/RegistryFormat.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(const RegistryTree& tree, int id, qsizetype depth)
{
    for (const RegistryValue& value : tree.key(id).values)
        if (!RegistryTree::isValidValueName(value.name) || tree.findValue(id, value.name) != &value)
            std::abort();
    for (int subkey : tree.subkeys(id)) {
        const QString& name = tree.key(subkey).name;
        const QString upper = name.toUpper();
        // Upper case may spell a letter in two (as "ß"), which then folds apart.
        const bool sameFold = RegistryFoldCase(upper) == RegistryFoldCase(name);
        if (depth == RegistryTree::MaxKeyDepth || !RegistryTree::isValidKeyName(name)
            || (sameFold && tree.findSubkey(id, upper) != subkey))
            std::abort();
        Check(tree, subkey, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const RegistryTree tree = RegistryFormat::parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    Check(tree, RegistryTree::Root, 0);
    const QByteArray written = RegistryFormat::format(tree);
    const RegistryTree again = RegistryFormat::parse(written);
    if (again != tree || RegistryFormat::format(again) != written)
        std::abort();
    return 0;
}
