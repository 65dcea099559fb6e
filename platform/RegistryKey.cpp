#include "platform/RegistryKey.h"

namespace {

// The next code point of the text, folded; an unpaired surrogate comes back
// as it is. QString::toCaseFolded would turn unpaired surrogates into U+FFFD,
// but only when some other letter changes too, so that one name could fold
// in two ways.
char32_t NextFolded(const QString& text, qsizetype& i)
{
    const char16_t u = text[i++].unicode();
    if (QChar::isHighSurrogate(u) && i < text.size() && QChar::isLowSurrogate(text[i].unicode()))
        return QChar::toCaseFolded(QChar::surrogateToUcs4(u, text[i++].unicode()));
    if (QChar::isSurrogate(u))
        return u;
    return QChar::toCaseFolded(char32_t(u));
}

} // namespace

QString RegistryFoldCase(const QString& name)
{
    QString folded;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size();) {
        const char32_t code = NextFolded(name, i);
        if (QChar::requiresSurrogates(code)) {
            folded += QChar(QChar::highSurrogate(code));
            folded += QChar(QChar::lowSurrogate(code));
        } else {
            folded += QChar(char16_t(code));
        }
    }
    // Shares the name's text when folding changes nothing, as for most names.
    return folded == name ? name : folded;
}

TRegDataType RegistryValue::type() const
{
    switch (data.index()) {
    case 0: return rdString;
    case 1: return rdInteger;
    case 2: return rdBinary;
    default: return rdUnknown;
    }
}

bool RegistryValue::operator==(const RegistryValue& other) const
{
    return name == other.name && data == other.data;
}

