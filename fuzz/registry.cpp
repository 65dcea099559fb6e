// Feeds arbitrary bytes to the registry file reader, looks up everything it
// found the way the program would (in another letter case), and checks that
// what was read is within the format's bounds and is written back into a text
// that reads the same.
#include "platform/RegistryFormat.h"

#include <cstdint>
#include <cstdlib>

namespace {

void LookUpEverything(const RegistryTree& tree, const RegistryKey& key, const QStringList& path)
{
    if (!RegistryTree::isValidPath(path) || tree.findKey(path) != &key)
        std::abort();
    QStringList upper;
    for (const QString& name : path)
        upper << name.toUpper();
    // Upper case may spell a letter in two (as "ß"), which then folds apart.
    const bool foldsAlike = RegistryFoldCase(upper.join(QLatin1Char('\\'))) == RegistryFoldCase(path.join(QLatin1Char('\\')));
    if (foldsAlike && tree.findKey(upper) != &key)
        std::abort();
    tree.subkeyNames(upper);
    for (const RegistryValue& value : key.values()) {
        if (!RegistryTree::isValidValueName(value.name) || !key.findValue(value.name)
            || key.findValue(value.name)->type() == rdUnknown)
            std::abort();
        key.findValue(value.name.toLower());
    }
    for (const RegistryKey* subkey : key.subkeys())
        LookUpEverything(tree, *subkey, QStringList(path) << subkey->name());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const RegistryTree tree = RegistryFormat::parse(bytes);
    LookUpEverything(tree, tree.root(), {});

    const QByteArray written = RegistryFormat::format(tree);
    const RegistryTree again = RegistryFormat::parse(written);
    if (again != tree || RegistryFormat::format(again) != written)
        std::abort();
    return 0;
}
