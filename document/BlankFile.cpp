#include "document/BlankFile.h"

#include "document/FieldLengths.h"
#include "drawing/Exception.h"

#include <QStringDecoder>
#include <QtEndian>

#include <cstring>

namespace {

// What each format version added; the reader compares against these.
constexpr quint16 LastPaddedVersion = 2;     // three unused words after the amount
constexpr quint16 FirstTytulVersion = 2;
constexpr quint16 FirstModeVersion = 4;      // payment mode and small receipt
constexpr quint16 FirstAddressVersion = 5;   // NadRach of its own, the six address strings
constexpr quint16 FirstWideVersion = 6;      // UTF-16 strings, ZUS and tax fields, colours
constexpr quint16 FirstTaxPeriodVersion = 7;

constexpr qsizetype PaddingBytes = 12;
constexpr qsizetype Utf16UnitBytes = 2;

// Older files were written by a Polish system in its 8-bit code page.
constexpr char AnsiCodePage[] = "windows-1250";

constexpr QChar Cr = QLatin1Char('\r');
constexpr QChar Lf = QLatin1Char('\n');

// A multi-line field is stored with a line break after its last line too.
constexpr int LastBreakUnits = 2;

// A file cut short, a count that is negative or runs past the end, a field
// longer than its editor: the user is told the file is damaged.
[[noreturn]] void ThrowBadFormat()
{
    throw Exception(QStringLiteral("Nieprawidłowy format pliku."));
}

qsizetype TextUnits(const QStringList& lines)
{
    qsizetype units = 0;
    for (const QString& line : lines)
        units += line.size() + LastBreakUnits;
    return units;
}

// Reads the fields of a file's bytes in order. Every read that the bytes
// cannot satisfy throws before anything is allocated or stored, so a short
// or lying file costs no more memory than its own size.
class FieldReader {
public:
    explicit FieldReader(const QByteArray& bytes)
        : m_data(reinterpret_cast<const uchar*>(bytes.constData())), m_size(bytes.size()) {}

    // The two leading words tolerate a short file: missing bytes read as 0,
    // and the kind and version checks then refuse the file with their messages.
    quint16 WordOrZero()
    {
        quint16 word = 0;
        for (int shift = 0; shift < 16 && m_pos < m_size; shift += 8)
            word |= quint16(m_data[m_pos++] << shift);
        return word;
    }

    quint8 U8() { return *Take(1); }
    quint16 U16() { return qFromLittleEndian<quint16>(Take(2)); }
    quint32 U32() { return qFromLittleEndian<quint32>(Take(4)); }
    qint64 I64() { return qFromLittleEndian<qint64>(Take(8)); }
    void Skip(qsizetype count) { Take(count); }

    void UseAnsiStrings() { m_ansi = QStringDecoder(AnsiCodePage, QStringDecoder::Flag::Stateless); }

    // A string of at most maxUnits code units; a longer one is no field the
    // program could have written.
    QString String(int maxUnits)
    {
        const qint32 count = qFromLittleEndian<qint32>(Take(4));
        if (count < 0 || count > maxUnits)
            ThrowBadFormat();
        if (m_ansi.isValid()) {
            const uchar* text = Take(count);
            return m_ansi.decode(QByteArrayView(text, count));
        }
        const uchar* units = Take(qsizetype(count) * Utf16UnitBytes);
        QString text(count, Qt::Uninitialized);
        qFromLittleEndian<quint16>(units, count, text.data());
        return text;
    }

    // The lines of a multi-line field no longer than maxLength in its editor,
    // where lone CRs and LFs count as the CR LF pairs they become.
    QStringList Text(int maxLength)
    {
        QStringList lines = SplitLines(String(maxLength + LastBreakUnits));
        if (TextUnits(lines) > maxLength + LastBreakUnits)
            ThrowBadFormat();
        return lines;
    }

private:
    const uchar* Take(qsizetype count)
    {
        if (count > m_size - m_pos)
            ThrowBadFormat();
        const uchar* at = m_data + m_pos;
        m_pos += count;
        return at;
    }

    const uchar* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    QStringDecoder m_ansi;
};

class FieldWriter {
public:
    explicit FieldWriter(qsizetype expectedSize) { m_bytes.reserve(expectedSize); }

    void U8(quint8 value) { m_bytes.append(char(value)); }
    void U16(quint16 value) { Append(qToLittleEndian(value)); }
    void U32(quint32 value) { Append(qToLittleEndian(value)); }
    void I64(qint64 value) { Append(qToLittleEndian(value)); }

    void String(const QString& text)
    {
        const qint32 count = qint32(text.size());
        Append(qToLittleEndian(count));
        const qsizetype at = m_bytes.size();
        m_bytes.resize(at + qsizetype(count) * Utf16UnitBytes);
        qToLittleEndian<quint16>(text.utf16(), count, m_bytes.data() + at);
    }

    QByteArray Bytes() const { return m_bytes; }

private:
    template <typename T>
    void Append(T littleEndian)
    {
        char raw[sizeof(T)];
        std::memcpy(raw, &littleEndian, sizeof(T));
        m_bytes.append(raw, qsizetype(sizeof(T)));
    }

    QByteArray m_bytes;
};

// The version-7 file of a document whose strings are all empty.
constexpr qsizetype EmptyDocumentBytes = 103;

namespace L = FieldLength;
// The correspondence of the money order and the title of the transfers share the field.
constexpr int TytulLength = qMax(L::Title, L::Correspondence);
// Before NadRach had a field of its own, files took it from the first line
// of Bank: such a value must survive being saved and read again.
constexpr int NadRachUnits = qMax(L::Account, L::Name);

constexpr qsizetype LargestFileBytes = EmptyDocumentBytes + Utf16UnitBytes
    * (3 * (L::Name + LastBreakUnits) + TytulLength + LastBreakUnits + NadRachUnits + L::Account
       + 2 * (L::PostalCode + 2 * L::Name) + L::Nip + L::SecondId + L::Declaration + L::DecisionNumber
       + L::TaxPeriod + L::FormSymbol + L::ObligationId);
static_assert(LargestFileBytes <= MaxBlankFileBytes, "a document the program holds must read back");

qsizetype WrittenSize(const TBlankData& d)
{
    const qsizetype units = TextUnits(d.FNadawca) + TextUnits(d.FBank) + TextUnits(d.FOdbiorca)
        + TextUnits(d.FTytul) + d.FNadRach.size() + d.FOdbRach.size() + d.FOdbKod.size()
        + d.FOdbAdres.size() + d.FOdbPoczta.size() + d.FNadKod.size() + d.FNadAdres.size()
        + d.FNadPoczta.size() + d.FNadNIP.size() + d.FNadId2.size() + d.FNadDeklaracja.size()
        + d.FNadNrDecyzji.size() + d.FNadOkres.size() + d.FNadSymbolForm.size()
        + d.FNadIdZobow.size();
    return EmptyDocumentBytes + units * Utf16UnitBytes;
}

} // namespace

void ReadBlankFile(const QByteArray& bytes, TBlankData& data)
{
    FieldReader file(bytes);
    const quint16 kind = file.WordOrZero();
    if (kind < bkDeposit || kind > bkTransferTax)
        ThrowBadFormat();
    const quint16 version = file.WordOrZero();
    if (version < 1 || version > BlankFileVersion)
        throw Exception(QStringLiteral("Nieprawidłowa wersja pliku."));

    // The deposit and transfer forms of old files are today's one form in
    // its two payment modes.
    if (kind == bkLegacyDeposit || kind == bkLegacyTransfer) {
        data.FKind = bkTransfer;
        data.FPrzelewWplata = kind == bkLegacyDeposit ? pwWplata : pwPrzelew;
        data.FMalePokwit = false;
    } else {
        data.FKind = kind;
    }
    if (version < FirstWideVersion)
        file.UseAnsiStrings();

    // Stored amounts are trusted: the editor's cap is not applied to files.
    data.FKwota = file.I64();
    if (version <= LastPaddedVersion)
        file.Skip(PaddingBytes);
    if (version >= FirstModeVersion) {
        // A mode byte outside the enumeration is kept, so that saving gives it back.
        data.FPrzelewWplata = TPrzelewWplata(file.U8());
        data.FMalePokwit = file.U8() != 0;
    }
    data.FNadawca = file.Text(L::Name);
    if (version >= FirstAddressVersion)
        data.FNadRach = file.String(NadRachUnits);
    data.FBank = file.Text(L::Name);
    // Before NadRach had a field, the sender's account was typed as the
    // first line of the bank text.
    if (version < FirstAddressVersion && !data.FBank.isEmpty())
        data.FNadRach = data.FBank.first();
    data.FOdbiorca = file.Text(L::Name);
    data.FOdbRach = file.String(L::Account);
    if (version >= FirstTytulVersion)
        data.FTytul = file.Text(TytulLength);
    if (version >= FirstAddressVersion) {
        data.FOdbKod = file.String(L::PostalCode);
        data.FOdbAdres = file.String(L::Name);
        data.FOdbPoczta = file.String(L::Name);
        data.FNadKod = file.String(L::PostalCode);
        data.FNadAdres = file.String(L::Name);
        data.FNadPoczta = file.String(L::Name);
    }
    if (version >= FirstWideVersion) {
        data.FNadNIP = file.String(L::Nip);
        data.FNadId2 = file.String(L::SecondId);
        data.FNadTypId2 = QChar(file.U16());
        data.FNadNrDeklar = file.U8();
        data.FNadTypWplaty = QChar(file.U16());
        data.FNadDeklaracja = file.String(L::Declaration);
        data.FNadNrDecyzji = file.String(L::DecisionNumber);
        data.FKolTekst = file.U32();
        data.FKolForm = file.U32();
    }
    if (version >= FirstTaxPeriodVersion) {
        data.FNadOkres = file.String(L::TaxPeriod);
        data.FNadSymbolForm = file.String(L::FormSymbol);
        data.FNadIdZobow = file.String(L::ObligationId);
    }
}

QByteArray WriteBlankFile(const TBlankData& data)
{
    FieldWriter file(WrittenSize(data));
    file.U16(data.FKind);
    file.U16(BlankFileVersion);
    file.I64(data.FKwota);
    file.U8(data.FPrzelewWplata);
    file.U8(data.FMalePokwit ? 1 : 0);
    file.String(JoinLines(data.FNadawca));
    file.String(data.FNadRach);
    file.String(JoinLines(data.FBank));
    file.String(JoinLines(data.FOdbiorca));
    file.String(data.FOdbRach);
    file.String(JoinLines(data.FTytul));
    file.String(data.FOdbKod);
    file.String(data.FOdbAdres);
    file.String(data.FOdbPoczta);
    file.String(data.FNadKod);
    file.String(data.FNadAdres);
    file.String(data.FNadPoczta);
    file.String(data.FNadNIP);
    file.String(data.FNadId2);
    file.U16(data.FNadTypId2.unicode());
    file.U8(data.FNadNrDeklar);
    file.U16(data.FNadTypWplaty.unicode());
    file.String(data.FNadDeklaracja);
    file.String(data.FNadNrDecyzji);
    file.U32(data.FKolTekst);
    file.U32(data.FKolForm);
    file.String(data.FNadOkres);
    file.String(data.FNadSymbolForm);
    file.String(data.FNadIdZobow);
    return file.Bytes();
}

QString JoinLines(const QStringList& lines)
{
    QString text;
    text.reserve(TextUnits(lines));
    for (const QString& line : lines) {
        text += line;
        text += Cr;
        text += Lf;
    }
    return text;
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != Cr && c != Lf)
            continue;
        lines.append(text.mid(start, i - start));
        if (c == Cr && i + 1 < size && text.at(i + 1) == Lf)
            ++i;
        start = i + 1;
    }
    // Text after the last break is a line; a final break opens none.
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}
