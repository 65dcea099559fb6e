#include "platform/RegistryFormat.h"

#include <QStringDecoder>

#include <limits>
#include <optional>

namespace {

const char Separator = '\\';
const QByteArray FileComment = "; Wplatomat: the user's registry (UTF-8)\n";
const QByteArray Utf8Bom = "\xEF\xBB\xBF";

bool IsControl(char16_t u)
{
    return u < 0x20 || (u >= 0x7F && u < 0xA0);
}

void AppendHex(QByteArray& out, unsigned value, int digits)
{
    out += QByteArray::number(value, 16).toUpper().rightJustified(digits, '0');
}

QByteArray Escape(const QString& text, bool isName)
{
    QByteArray out;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            out += text.mid(i, 2).toUtf8();
            ++i;
            continue;
        }
        if (QChar::isSurrogate(u)) {
            out += "%u";
            AppendHex(out, u, 4);
            continue;
        }
        // Spaces at the ends are escaped so that trimming a line in an editor costs nothing.
        const bool special = IsControl(u) || u == '%' || (u == ' ' && (i == 0 || i == n - 1))
            || (isName && (u == '=' || u == '[' || u == ']' || u == ';' || u == Separator));
        if (special) {
            out += '%';
            AppendHex(out, u, 2);
        } else if (u < 0x80) {
            out += char(u);
        } else {
            out += QString(QChar(u)).toUtf8();
        }
    }
    return out;
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

std::optional<unsigned> HexNumber(QStringView digits)
{
    unsigned value = 0;
    for (QChar c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + unsigned(digit);
    }
    return value;
}

// Only blanks and tabs: other white space may belong to a name or a text.
QStringView TrimBlanks(QStringView text)
{
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (!text.isEmpty() && blank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && (blank(text.back()) || text.back() == QLatin1Char('\r')))
        text.chop(1);
    return text;
}

std::optional<QString> Unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('%')) {
            out += text[i];
            continue;
        }
        const bool wide = i + 1 < text.size() && text[i + 1] == QLatin1Char('u');
        const qsizetype start = i + (wide ? 2 : 1);
        const qsizetype digits = wide ? 4 : 2;
        if (start + digits > text.size())
            return std::nullopt;
        const std::optional<unsigned> code = HexNumber(text.mid(start, digits));
        if (!code)
            return std::nullopt;
        out += QChar(char16_t(*code));
        i = start + digits - 1;
    }
    return out;
}

std::optional<QStringList> ParseHeader(QStringView line)
{
    const QStringView inner = line.mid(1, line.size() - 2);
    QStringList path;
    if (inner.isEmpty())
        return path;
    if (inner.count(QLatin1Char(Separator)) >= RegistryTree::MaxKeyDepth)
        return std::nullopt;
    for (QStringView part : inner.split(QLatin1Char(Separator))) {
        // Checked before unescaping too, so that a huge damaged name is not decoded.
        if (part.size() > 6 * RegistryTree::MaxKeyNameLength)
            return std::nullopt;
        const std::optional<QString> name = Unescape(part);
        if (!name || !RegistryTree::isValidKeyName(*name))
            return std::nullopt;
        path << *name;
    }
    return path;
}

std::optional<qint32> ParseInteger(QStringView text)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

std::optional<QByteArray> ParseBinary(QStringView text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    QByteArray bytes;
    bytes.reserve(text.size() / 2);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        const std::optional<unsigned> byte = HexNumber(text.mid(i, 2));
        if (!byte)
            return std::nullopt;
        bytes += char(*byte);
    }
    return bytes;
}

bool ParseData(QStringView typed, RegistryData& data)
{
    const qsizetype colon = typed.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return false;
    const QStringView tag = TrimBlanks(typed.left(colon));
    const QStringView payload = typed.mid(colon + 1);
    if (tag == QLatin1String("str")) {
        if (std::optional<QString> text = Unescape(payload)) {
            data = std::move(*text);
            return true;
        }
    } else if (tag == QLatin1String("int")) {
        if (std::optional<qint32> number = ParseInteger(TrimBlanks(payload))) {
            data = *number;
            return true;
        }
    } else if (tag == QLatin1String("bin")) {
        if (std::optional<QByteArray> bytes = ParseBinary(TrimBlanks(payload))) {
            data = std::move(*bytes);
            return true;
        }
    }
    return false;
}

bool HasControlCharacter(QStringView line)
{
    for (QChar c : line) {
        if (IsControl(c.unicode()) && c != QLatin1Char('\t'))
            return true;
    }
    return false;
}

// Parents before their subkeys; the depth is bounded by the tree. A key
// without values is implied by its subkeys' headers, so a deep chain of keys
// takes one header and the text stays as long as the one it was read from.
void AppendKey(QByteArray& out, const RegistryTree& tree, int id, const QByteArray& path)
{
    const RegistryKey& key = tree.key(id);
    const bool isRoot = id == RegistryTree::Root;
    if (!key.values.isEmpty() || (!isRoot && key.children.empty())) {
        out += "\n[" + path + "]\n";
        for (const RegistryValue& value : key.values) {
            out += Escape(value.name, true);
            switch (value.type()) {
            case rdString: out += "=str:" + Escape(std::get<QString>(value.data), false); break;
            case rdInteger: out += "=int:" + QByteArray::number(std::get<qint32>(value.data)); break;
            case rdBinary: out += "=bin:" + std::get<QByteArray>(value.data).toHex(); break;
            case rdUnknown: break;
            }
            out += '\n';
        }
    }
    for (int subkey : tree.subkeys(id))
        AppendKey(out, tree, subkey, (isRoot ? QByteArray() : path + Separator) + Escape(tree.key(subkey).name, true));
}

} // namespace

namespace RegistryFormat {

RegistryTree parse(const QByteArray& text)
{
    RegistryTree tree;
    int current = RegistryTree::None;
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    qsizetype pos = text.startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
    for (;;) {
        const qsizetype end = text.indexOf('\n', pos);
        if (end < 0)
            break; // a last line without its line feed was cut off
        decoder.resetState();
        const QString decoded = decoder.decode(QByteArrayView(text.constData() + pos, end - pos));
        pos = end + 1;
        const QStringView line = TrimBlanks(decoded);
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        const bool header = line.startsWith(QLatin1Char('['));
        if (decoder.hasError() || HasControlCharacter(line)) {
            if (header || !line.contains(QLatin1Char('=')))
                current = RegistryTree::None;
            continue;
        }
        if (header) {
            std::optional<QStringList> path;
            if (line.endsWith(QLatin1Char(']')))
                path = ParseHeader(line);
            current = path ? tree.createKey(*path) : RegistryTree::None;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            current = RegistryTree::None; // perhaps a header that lost its bracket
            continue;
        }
        if (current == RegistryTree::None)
            continue;
        const std::optional<QString> name = Unescape(TrimBlanks(line.left(equals)));
        RegistryData data;
        if (name && RegistryTree::isValidValueName(*name) && ParseData(line.mid(equals + 1), data))
            tree.setValue(current, *name, data);
    }
    return tree;
}

QByteArray format(const RegistryTree& tree)
{
    QByteArray out = FileComment;
    AppendKey(out, tree, RegistryTree::Root, QByteArray());
    return out;
}

} // namespace RegistryFormat
