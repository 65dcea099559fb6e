#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "helpers/ByteBuilder.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr char FormatError[] = "Nieprawidłowy format pliku.";
constexpr char VersionError[] = "Nieprawidłowa wersja pliku.";

// The message the reader throws; empty when it read the bytes.
std::string ReadError(const QByteArray& bytes, TBlankData& data)
{
    try {
        ReadBlankFile(bytes, data);
    } catch (const Exception& e) {
        return e.Message().toStdString();
    }
    return {};
}

std::string Text(const QString& s) { return s.toStdString(); }
std::string Text(const QStringList& lines) { return std::to_string(lines.size()) + ": " + Text(lines.join(u'|')); }
std::string Text(QChar c) { return std::to_string(c.unicode()); }
template <class Number> std::string Text(Number n) { return std::to_string(n); }

// Every stored field in file order, as text for comparing and printing.
#define F(name) {#name, [](const TBlankData& d) { return Text(d.F##name); }}
const std::pair<const char*, std::string (*)(const TBlankData&)> Fields[] = {
    F(Kind), F(Kwota), F(PrzelewWplata), F(MalePokwit), F(Nadawca), F(NadRach), F(Bank), F(Odbiorca), F(OdbRach),
    F(Tytul), F(OdbKod), F(OdbAdres), F(OdbPoczta), F(NadKod), F(NadAdres), F(NadPoczta), F(NadNIP), F(NadId2),
    F(NadTypId2), F(NadNrDeklar), F(NadTypWplaty), F(NadDeklaracja), F(NadNrDecyzji), F(KolTekst), F(KolForm),
    F(NadOkres), F(NadSymbolForm), F(NadIdZobow)};
#undef F
// The string fields with the editors' maximum lengths; NadRach takes the first line of Bank in old files.
#define S(name, bound) {#name, {&TBlankData::F##name, bound}}
const std::map<std::string, std::pair<QString TBlankData::*, int>> Strings = {
    S(NadRach, 130), S(OdbRach, 35), S(OdbKod, 6), S(OdbAdres, 130), S(OdbPoczta, 130), S(NadKod, 6),
    S(NadAdres, 130), S(NadPoczta, 130), S(NadNIP, 10), S(NadId2, 14), S(NadDeklaracja, 6), S(NadNrDecyzji, 15),
    S(NadOkres, 7), S(NadSymbolForm, 7), S(NadIdZobow, 20)};
const std::map<std::string, std::pair<QStringList TBlankData::*, int>> Texts = {
    S(Nadawca, 130), S(Bank, 130), S(Odbiorca, 130), S(Tytul, 2000)};
#undef S

// Where in an assembled file each field the reader stores is complete.
using FieldEnds = std::map<std::string, qsizetype>;

// Each field of actual must be stored's when the first length bytes hold it
// whole, and old's otherwise. Returns the fields that are not, one a line.
std::string Mismatches(const TBlankData& actual, const TBlankData& stored, const TBlankData& old,
                       const FieldEnds& ends = {}, qsizetype length = 0)
{
    std::string report;
    for (const auto& [name, value] : Fields) {
        const auto end = ends.find(name);
        const std::string want = value(end != ends.end() && end->second <= length ? stored : old);
        if (value(actual) != want)
            report += std::string(name) + ": \"" + value(actual) + "\", expected \"" + want + "\"\n";
    }
    return report;
}

// A file's document has every field set to a value of its own with Polish
// letters and the numbers at their extremes; an old one, as a document is
// before its file is read, differs from it in every field.
TBlankData Document(quint16 kind, bool old = false)
{
    TBlankData d;
    d.FKind = old ? 0 : kind;
    d.FKwota = old ? 5 : std::numeric_limits<qint64>::min();
    d.FPrzelewWplata = old ? pwWplata : pwPrzelew;
    d.FMalePokwit = !old;
    d.FNadawca = d.FBank = d.FOdbiorca = d.FTytul = {u"dawna wartość"_s};
    if (!old) {
        d.FNadawca = {u"Jan Kowalski"_s, u"ul. Źródlana 5"_s};
        d.FBank = {u"PKO BP 12 1020"_s, u"Oddział w Łodzi"_s};
        d.FOdbiorca = {u"Zakład Gazowniczy"_s, QString(), u"Gdańsk"_s};
        d.FTytul = {u"Opłata za gaz"_s, u"faktura 7/2026"_s};
    }
    for (const auto& [name, field] : Strings)
        d.*field.first = old ? u"dawne"_s : (u"ż"_s + QString::fromLatin1(name)).left(field.second);
    d.FNadTypId2 = old ? u'N' : u'Ż';
    d.FNadNrDeklar = old ? 1 : 255;
    d.FNadTypWplaty = old ? u'S' : QChar(0xFFFF);
    d.FKolTekst = old ? 0 : 0x123456;
    d.FKolForm = old ? 0x0058EA : 0xFFFFFFFF;
    return d;
}

// A file of the version, field by field from the format's table, and where each
// field ends; rawTytul, when given, is stored as Tytul's text as it is.
std::pair<QByteArray, FieldEnds> Assemble(quint16 version, const TBlankData& d, const QString* rawTytul = nullptr)
{
    ByteBuilder b;
    FieldEnds ends;
    const auto string = [&](const char* field, const QString& text) {
        version >= 6 ? b.Utf16String(text) : b.AnsiString(QStringEncoder("windows-1250").encode(text));
        ends[field] = b.Size();
    };
    const auto strings = [&](std::initializer_list<const char*> fields) {
        for (const char* field : fields)
            string(field, d.*Strings.at(field).first);
    };
    const auto text = [&](const char* field, const QStringList& lines) {
        string(field, lines.isEmpty() ? QString() : lines.join(u"\r\n"_s) + u"\r\n"_s);
    };
    const auto number = [&](const char* field, quint64 value, int bytes) {
        bytes == 1 ? b.U8(value) : bytes == 2 ? b.U16(value) : bytes == 4 ? b.U32(value) : b.I64(value);
        ends[field] = b.Size();
    };
    b.U16(d.FKind).U16(version);
    // A valid version's high byte is 0: the kind is taken once the low byte is there.
    ends["Kind"] = 3;
    number("Kwota", d.FKwota, 8);
    // The twelve unused bytes look like two short strings, so not skipping them shows.
    if (version <= 2)
        b.I32(3).Raw("abc").I32(1).U8('x');
    if (version >= 4) {
        number("PrzelewWplata", d.FPrzelewWplata, 1);
        number("MalePokwit", d.FMalePokwit, 1);
    }
    text("Nadawca", d.FNadawca);
    if (version >= 5)
        strings({"NadRach"});
    text("Bank", d.FBank);
    if (version < 5 && !d.FBank.isEmpty())
        ends["NadRach"] = b.Size();
    text("Odbiorca", d.FOdbiorca);
    strings({"OdbRach"});
    if (version >= 2)
        rawTytul ? string("Tytul", *rawTytul) : text("Tytul", d.FTytul);
    if (version >= 5)
        strings({"OdbKod", "OdbAdres", "OdbPoczta", "NadKod", "NadAdres", "NadPoczta"});
    if (version >= 6) {
        strings({"NadNIP", "NadId2"});
        number("NadTypId2", d.FNadTypId2.unicode(), 2);
        number("NadNrDeklar", d.FNadNrDeklar, 1);
        number("NadTypWplaty", d.FNadTypWplaty.unicode(), 2);
        strings({"NadDeklaracja", "NadNrDecyzji"});
        number("KolTekst", d.FKolTekst, 4);
        number("KolForm", d.FKolForm, 4);
    }
    if (version >= 7)
        strings({"NadOkres", "NadSymbolForm", "NadIdZobow"});
    return {b.Bytes(), ends};
}

// Every version read whole and cut at every byte: only the fields read whole
// change, and before version 5 the sender's account is the first line of Bank.
// Versions before 6 store their Polish letters in Windows-1250. Kinds 3 and 4 are
// the old deposit and transfer forms, whose payment mode the mode byte overrides from version 4.
TEST(BlankFileRead, EveryVersionWholeOrCutAnywhereKeepsOnlyTheFieldsReadWhole)
{
    constexpr quint16 Kinds[] = {bkLegacyTransfer, bkLegacyDeposit, bkDeposit, bkLegacyDeposit, bkTransferTax,
                                 bkMoneyOrder, bkTransferZus};
    for (quint16 version = 1; version <= 7; ++version) {
        const TBlankData file = Document(Kinds[version - 1]);
        TBlankData stored = file;
        auto [bytes, ends] = Assemble(version, file);
        if (version < 5)
            stored.FNadRach = file.FBank.first();
        if (file.FKind == bkLegacyDeposit || file.FKind == bkLegacyTransfer)
            stored.FKind = bkTransfer;
        if (stored.FKind != file.FKind && version < 4) {
            stored.FPrzelewWplata = file.FKind == bkLegacyDeposit ? pwWplata : pwPrzelew, stored.FMalePokwit = false;
            ends["PrzelewWplata"] = ends["MalePokwit"] = 3;
        }
        for (qsizetype length = 0; length <= bytes.size(); ++length) {
            SCOPED_TRACE(::testing::Message() << "version " << version << ", " << length << " bytes");
            TBlankData data = Document(0, true);
            // One byte is a kind whose high byte counts as 0; the version is then missing.
            ASSERT_EQ(ReadError(bytes.left(length), data), length == bytes.size() ? ""
                                                            : length > 0 && length < 3 ? VersionError
                                                                                       : FormatError);
            ASSERT_EQ(Mismatches(data, stored, Document(0, true), ends, length), "");
        }
    }
}

// Whole files read with their message, or their Tytul split at every kind of line break. Only a file that cannot
// be opened names itself; one cut short, with a bad count or too long a field, or too large, is damaged.
TEST(BlankFileRead, WholeButWrongFilesAreRefusedWithTheirMessageAndEveryLineBreakSplits)
{
    // A version-7 header with an empty document's amount and mode bytes.
    const QByteArray start7 = ByteBuilder().U16(bkTransfer).U16(7).I64(0).U8(0).U8(0).Bytes();
    const auto tytul = [](const char* raw) {
        const QString text = QString::fromLatin1(raw);
        return Assemble(7, Document(bkTransfer), &text).first;
    };
    const QTemporaryDir dir;
    const QString file = dir.filePath(u"plik.wpt"_s), missing = dir.filePath(u"brak.wpt"_s);
    // lines: Tytul, when read.
    const struct { QByteArray bytes; std::string message; QStringList lines = {}; QString path = {}; } cases[] = {
        {{}, "Nie można otworzyć pliku: " + missing.toStdString(), {}, missing},
        {{}, "Nie można otworzyć pliku: " + dir.path().toStdString(), {}, dir.path()},
        {ByteBuilder().U16(8).U16(7).Bytes(), FormatError},      // kind 8
        {ByteBuilder().U16(0x0105).U16(7).Bytes(), FormatError}, // a kind with a high byte
        {ByteBuilder().U16(5).U16(8).Bytes(), VersionError}, {start7.left(9), FormatError},
        {start7 + ByteBuilder().I32(-1).Bytes(), FormatError},
        {start7 + ByteBuilder().I32(2).Utf16(u"a"_s).Bytes(), FormatError},
        {start7 + ByteBuilder().Utf16String(QString(133, u'a')).Bytes(), FormatError}, // 130 and a line break
        {start7 + QByteArray(MaxBlankFileBytes, 0), FormatError},
        {tytul("a\r\nb\r\n"), "", {u"a"_s, u"b"_s}}, {tytul("a\rb"), "", {u"a"_s, u"b"_s}},
        {tytul("a\nb"), "", {u"a"_s, u"b"_s}}, {tytul(""), ""}, {tytul("\r\n"), "", {QString()}},
        {tytul("a\n\rb"), "", {u"a"_s, QString(), u"b"_s}}, {tytul("a\r\r\n"), "", {u"a"_s, QString()}},
    };
    for (const auto& c : cases) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(c.bytes) == c.bytes.size() && out.flush());
        TBlankData data; // the window's editors would trim the lines
        ReadError(c.bytes, data);
        const TfrmBlank form(nullptr, c.path.isEmpty() ? file : c.path); // it closes itself when it cannot read
        EXPECT_EQ(form.LoadError().toStdString(), c.message) << c.bytes.left(40).toHex().toStdString();
        EXPECT_EQ(data.FTytul, c.lines) << c.bytes.left(40).toHex().toStdString();
    }
}

TEST(BlankFileWrite, WritesVersionSevenAsItsTableLaysItOut)
{
    const TBlankData empty{clBlack, 0, bkTransfer};
    const QByteArray emptyBytes = Assemble(7, empty).first;
    ASSERT_EQ(emptyBytes.size(), 103);
    EXPECT_EQ(WriteBlankFile(empty), emptyBytes);
    EXPECT_EQ(WriteBlankFile(Document(bkTransferTax)), Assemble(7, Document(bkTransferTax)).first);
}


// Every field at its editor's length reads back after a save, in letters beyond Latin-1 and
// beyond 16 bits, also with 600 kB of bytes after the fields; one past it is refused, also
// in a 600 kB old file, so no document the program holds saves beyond what it reads.
TEST(BlankFileRead, FieldsUpToTheirEditorsLengthsReadBackAndALongerOneIsRefused)
{
    // Each text is two lines and the line break between them.
    const auto filled = [](const std::string& longer, int extra, const QString& letters) {
        TBlankData d = Document(bkTransferTax);
        const auto fill = [&](const std::string& name, int length) {
            length += name == longer ? extra : 0;
            return letters.repeated(length / letters.size() + 1).left(length);
        };
        for (const auto& [name, field] : Strings)
            d.*field.first = fill(name, field.second);
        for (const auto& [name, field] : Texts) {
            const QString text = fill(name, field.second - 2);
            d.*field.first = QStringList{text.left(text.size() / 2), text.mid(text.size() / 2)};
        }
        return d;
    };
    const QString polish = u"ąćęłńóśźż"_s, beyond16Bits = u"😀"_s;
    for (const auto& [version, text, after] : {std::tuple{5, polish, 600'000}, {7, polish, 0}, {7, beyond16Bits, 0}}) {
        const TBlankData full = filled({}, 0, text);
        const auto [file, ends] = Assemble(quint16(version), full);
        SCOPED_TRACE(::testing::Message() << "version " << version << ", " << after << " bytes after");
        TBlankData data = Document(0, true), again = Document(0, true);
        ASSERT_EQ(ReadError(file + QByteArray(after, 'x'), data), "");
        ASSERT_EQ(ReadError(WriteBlankFile(data), again), "");
        EXPECT_EQ(Mismatches(again, full, Document(0, true), ends, file.size()), "");
    }
    // Lone line feeds are line breaks of two characters each.
    const QString feeds(1002, u'\n');
    TBlankData data;
    EXPECT_EQ(ReadError(Assemble(7, filled({}, 0, polish), &feeds).first, data), FormatError);
    std::vector<std::pair<std::string, int>> longer = {{"Tytul", 600'000}};
    for (const auto& [name, value] : Fields)
        if (Strings.count(name) || Texts.count(name))
            longer.emplace_back(name, 1);
    for (const auto& [name, extra] : longer)
        for (quint16 version : {5, 7}) {
            const auto [bytes, ends] = Assemble(version, filled(name, extra, polish));
            SCOPED_TRACE(::testing::Message() << name << " + " << extra << " in version " << version);
            EXPECT_EQ(ReadError(bytes, data), ends.count(name) ? FormatError : "");
        }
}

} // namespace
