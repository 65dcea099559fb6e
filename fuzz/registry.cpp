// Feeds arbitrary bytes to the registry file reader, looks up everything it found the way the program would (in
// another letter case), and checks that what was read is within the format's bounds and is written back into a text
// that reads the same.
#include "platform/RegistryFormat.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Each key is found from its parent in another letter case; the whole path is walked from the root only for leaves,
// so a deep chain costs no more than its text.
void LookUpEverything(const RegistryTree& tree, int id, QStringList& path)
{
    if (path.size() > RegistryTree::MaxKeyDepth || (!path.isEmpty() && !RegistryTree::isValidKeyName(path.back())))
        std::abort();
    for (const RegistryValue& value : tree.key(id).values) {
        if (!RegistryTree::isValidValueName(value.name) || tree.findValue(id, value.name) != &value
            || value.type() == rdUnknown)
            std::abort();
        tree.findValue(id, value.name.toLower());
    }
    const std::vector<int> subkeys = tree.subkeys(id);
    if (subkeys.empty() && (tree.findKey(path) != id || !tree.subkeyNames(path).isEmpty()))
        std::abort();
    for (int subkey : subkeys) {
        const QString& name = tree.key(subkey).name;
        const QString upper = name.toUpper();
        // Upper case may spell a letter in two (as "ß"), which then folds apart.
        if (RegistryFoldCase(upper) == RegistryFoldCase(name) && tree.findSubkey(id, upper) != subkey)
            std::abort();
        path << name;
        LookUpEverything(tree, subkey, path);
        path.removeLast();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const RegistryTree tree = RegistryFormat::parse(bytes);
    QStringList path;
    LookUpEverything(tree, RegistryTree::Root, path);

    const QByteArray written = RegistryFormat::format(tree);
    const RegistryTree again = RegistryFormat::parse(written);
    if (again != tree || RegistryFormat::format(again) != written)
        std::abort();
    return 0;
}
