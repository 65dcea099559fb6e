#include "document/BlankFile.h"
#include "drawing/Exception.h"
#include "helpers/ByteBuilder.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <map>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr char FormatError[] = "Nieprawidłowy format pliku.";
constexpr char VersionError[] = "Nieprawidłowa wersja pliku.";
constexpr char StreamReadError[] = "Stream read error";

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

std::string Lines(const QStringList& lines)
{
    return std::to_string(lines.size()) + " line(s): " + lines.join(u" | "_s).toStdString();
}

std::string Text(const QString& s) { return s.toStdString(); }
std::string Text(const QStringList& lines) { return Lines(lines); }
std::string Text(QChar c) { return std::to_string(c.unicode()); }
template <class Number>
std::string Text(Number n) { return std::to_string(n); }

struct Field {
    const char* name;
    std::string (*value)(const TBlankData&);
};

// Every stored field in file order, as text for comparing and printing.
#define FIELD(name) {#name, [](const TBlankData& d) { return Text(d.F##name); }}
const Field Fields[] = {
    FIELD(Kind),       FIELD(Kwota),        FIELD(PrzelewWplata), FIELD(MalePokwit),   FIELD(Nadawca),
    FIELD(NadRach),    FIELD(Bank),         FIELD(Odbiorca),      FIELD(OdbRach),      FIELD(Tytul),
    FIELD(OdbKod),     FIELD(OdbAdres),     FIELD(OdbPoczta),     FIELD(NadKod),       FIELD(NadAdres),
    FIELD(NadPoczta),  FIELD(NadNIP),       FIELD(NadId2),        FIELD(NadTypId2),    FIELD(NadNrDeklar),
    FIELD(NadTypWplaty), FIELD(NadDeklaracja), FIELD(NadNrDecyzji), FIELD(KolTekst),   FIELD(KolForm),
    FIELD(NadOkres),   FIELD(NadSymbolForm), FIELD(NadIdZobow),
};
#undef FIELD

// Where in an assembled file each field the reader stores is complete.
using FieldEnds = std::map<std::string, qsizetype>;

// Each field of actual must be stored's when the first length bytes hold it
// whole, and old's otherwise. Returns the fields that are not, one a line.
std::string Mismatches(const TBlankData& actual, const TBlankData& stored, const TBlankData& old,
                       const FieldEnds& ends, qsizetype length)
{
    std::string report;
    for (const Field& field : Fields) {
        const auto end = ends.find(field.name);
        const bool read = end != ends.end() && end->second <= length;
        const std::string want = field.value(read ? stored : old);
        const std::string got = field.value(actual);
        if (got != want)
            report += std::string(field.name) + ": \"" + got + "\", expected \"" + want + "\"\n";
    }
    return report;
}

std::string Differences(const TBlankData& actual, const TBlankData& expected)
{
    return Mismatches(actual, expected, expected, {}, 0);
}

// Every field set, and every value apart from OldDocument's.
TBlankData FileDocument(quint16 kind)
{
    TBlankData d;
    d.FKind = kind;
    d.FKwota = 123'456'789;
    d.FPrzelewWplata = pwPrzelew;
    d.FMalePokwit = true;
    d.FNadawca = {u"Jan Kowalski"_s, u"ul. Źródlana 5"_s};
    d.FNadRach = u"11 1020 3040"_s;
    d.FBank = {u"PKO BP 12 1020"_s, u"Oddział w Łodzi"_s};
    d.FOdbiorca = {u"Zakład Gazowniczy"_s, QString(), u"Gdańsk"_s};
    d.FOdbRach = u"22 1140 2004"_s;
    d.FTytul = {u"Opłata za gaz"_s, u"faktura 7/2026"_s};
    d.FOdbKod = u"80-557"_s;
    d.FOdbAdres = u"ul. Węglowa 1"_s;
    d.FOdbPoczta = u"Gdańsk Śródmieście"_s;
    d.FNadKod = u"90-001"_s;
    d.FNadAdres = u"ul. Piotrkowska 3"_s;
    d.FNadPoczta = u"Łódź"_s;
    d.FNadNIP = u"5260250274"_s;
    d.FNadId2 = u"ABC123456"_s;
    d.FNadTypId2 = u'P';
    d.FNadNrDeklar = 40;
    d.FNadTypWplaty = u'M';
    d.FNadDeklaracja = u"032026"_s;
    d.FNadNrDecyzji = u"D/12"_s;
    d.FKolTekst = 0x123456;
    d.FKolForm = 0xABCDEF;
    d.FNadOkres = u"26M03"_s;
    d.FNadSymbolForm = u"PIT-4R"_s;
    d.FNadIdZobow = u"Z-77"_s;
    return d;
}

// A document as it is before its file is read.
TBlankData OldDocument()
{
    TBlankData d;
    d.FKind = 0;
    d.FKwota = 5;
    d.FPrzelewWplata = pwWplata;
    d.FMalePokwit = false;
    d.FNadawca = {u"dawny nadawca"_s};
    d.FBank = {u"dawny bank"_s};
    d.FOdbiorca = {u"dawny odbiorca"_s};
    d.FTytul = {u"dawny tytuł"_s};
    for (QString* s : {&d.FNadRach, &d.FOdbRach, &d.FOdbKod, &d.FOdbAdres, &d.FOdbPoczta, &d.FNadKod,
                       &d.FNadAdres, &d.FNadPoczta, &d.FNadNIP, &d.FNadId2, &d.FNadDeklaracja,
                       &d.FNadNrDecyzji, &d.FNadOkres, &d.FNadSymbolForm, &d.FNadIdZobow})
        *s = u"dawna wartość"_s;
    d.FNadTypId2 = u'N';
    d.FNadNrDeklar = 1;
    d.FNadTypWplaty = u'S';
    d.FKolTekst = 0;
    d.FKolForm = 0x0058EA;
    return d;
}

QByteArray Cp1250(const QString& text)
{
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

struct AssembledFile {
    QByteArray bytes;
    FieldEnds ends;
};

// A file of the version, field by field from the format's table.
AssembledFile Assemble(quint16 version, const TBlankData& d)
{
    ByteBuilder b;
    FieldEnds ends;
    const auto mark = [&](const char* field) { ends[field] = b.Size(); };
    const auto string = [&](const char* field, const QString& text) {
        if (version >= 6)
            b.Utf16String(text);
        else
            b.AnsiString(Cp1250(text));
        mark(field);
    };
    const auto text = [&](const char* field, const QStringList& lines) {
        string(field, lines.isEmpty() ? QString() : lines.join(u"\r\n"_s) + u"\r\n"_s);
    };
    b.U16(d.FKind).U16(version);
    // A valid version's high byte is 0: the kind is taken once the low byte is there.
    ends["Kind"] = 3;
    b.I64(d.FKwota);
    mark("Kwota");
    // The twelve unused bytes look like two short strings, so not skipping them shows.
    if (version <= 2)
        b.I32(3).Raw("abc").I32(1).U8('x');
    if (version >= 4) {
        b.U8(d.FPrzelewWplata);
        mark("PrzelewWplata");
        b.U8(d.FMalePokwit);
        mark("MalePokwit");
    }
    text("Nadawca", d.FNadawca);
    if (version >= 5)
        string("NadRach", d.FNadRach);
    text("Bank", d.FBank);
    if (version < 5 && !d.FBank.isEmpty())
        mark("NadRach");
    text("Odbiorca", d.FOdbiorca);
    string("OdbRach", d.FOdbRach);
    if (version >= 2)
        text("Tytul", d.FTytul);
    if (version >= 5) {
        string("OdbKod", d.FOdbKod);
        string("OdbAdres", d.FOdbAdres);
        string("OdbPoczta", d.FOdbPoczta);
        string("NadKod", d.FNadKod);
        string("NadAdres", d.FNadAdres);
        string("NadPoczta", d.FNadPoczta);
    }
    if (version >= 6) {
        string("NadNIP", d.FNadNIP);
        string("NadId2", d.FNadId2);
        b.U16(d.FNadTypId2.unicode());
        mark("NadTypId2");
        b.U8(d.FNadNrDeklar);
        mark("NadNrDeklar");
        b.U16(d.FNadTypWplaty.unicode());
        mark("NadTypWplaty");
        string("NadDeklaracja", d.FNadDeklaracja);
        string("NadNrDecyzji", d.FNadNrDecyzji);
        b.U32(d.FKolTekst);
        mark("KolTekst");
        b.U32(d.FKolForm);
        mark("KolForm");
    }
    if (version >= 7) {
        string("NadOkres", d.FNadOkres);
        string("NadSymbolForm", d.FNadSymbolForm);
        string("NadIdZobow", d.FNadIdZobow);
    }
    return {b.Bytes(), ends};
}

// What a whole file of the version leaves in the fields it holds: before
// version 5 the sender's account is the first line of Bank.
TBlankData AsStored(quint16 version, const TBlankData& d)
{
    TBlankData stored = d;
    if (version < 5 && !d.FBank.isEmpty())
        stored.FNadRach = d.FBank.first();
    return stored;
}

quint16 KindOfVersion(quint16 version)
{
    constexpr quint16 Kinds[] = {bkDeposit, bkMoneyOrder, bkTransfer, bkTransferZus,
                                 bkTransferTax, bkMoneyOrder, bkTransferZus};
    return Kinds[version - 1];
}

class BlankFileVersionTest : public ::testing::TestWithParam<quint16> {};

TEST_P(BlankFileVersionTest, ReadsTheFieldsItsVersionHoldsAndKeepsTheOthers)
{
    const quint16 version = GetParam();
    const TBlankData file = FileDocument(KindOfVersion(version));
    const AssembledFile assembled = Assemble(version, file);
    TBlankData data = OldDocument();
    ASSERT_EQ(ReadError(assembled.bytes, data), "");
    EXPECT_EQ(Mismatches(data, AsStored(version, file), OldDocument(), assembled.ends,
                         assembled.bytes.size()), "");
}

TEST_P(BlankFileVersionTest, AFileCutAnywhereFailsAndKeepsOnlyTheFieldsReadWhole)
{
    const quint16 version = GetParam();
    const TBlankData file = FileDocument(KindOfVersion(version));
    const AssembledFile assembled = Assemble(version, file);
    for (qsizetype length = 0; length < assembled.bytes.size(); ++length) {
        SCOPED_TRACE(length);
        TBlankData data = OldDocument();
        // One byte is a kind whose high byte counts as 0; the version is then missing.
        const char* message = length == 0 ? FormatError : length < 3 ? VersionError : StreamReadError;
        ASSERT_EQ(ReadError(assembled.bytes.left(length), data), message);
        ASSERT_EQ(Mismatches(data, AsStored(version, file), OldDocument(), assembled.ends, length), "");
    }
}

INSTANTIATE_TEST_SUITE_P(AllVersions, BlankFileVersionTest, ::testing::Range<quint16>(1, 8),
                         [](const auto& info) { return "Version" + std::to_string(info.param); });

struct FailureCase {
    const char* name;
    QByteArray (*bytes)();
    const char* message;
};

// A version-7 header with an empty document's amount and mode bytes.
ByteBuilder Version7Start()
{
    ByteBuilder b;
    b.U16(bkTransfer).U16(7).I64(0).U8(0).U8(0);
    return b;
}

// Files cut short are covered field by field above; these are whole but wrong.
const FailureCase FailureCases[] = {
    {"EmptyFile", [] { return QByteArray(); }, FormatError},
    {"KindEight", [] { return ByteBuilder().U16(8).U16(7).Bytes(); }, FormatError},
    {"KindWithHighByte", [] { return ByteBuilder().U16(0x0105).U16(7).Bytes(); }, FormatError},
    {"VersionEight", [] { return ByteBuilder().U16(5).U16(8).Bytes(); }, VersionError},
    {"NegativeCount", [] { return Version7Start().I32(-1).Bytes(); }, StreamReadError},
    {"Utf16CountWhoseBytesOverflow", [] { return Version7Start().I32(0x40000000).I64(0).Bytes(); },
     StreamReadError},
    {"AnsiCountNearLargest", [] { return ByteBuilder().U16(5).U16(5).I64(0).U16(0).I32(0x7FFFFFFF).Bytes(); },
     StreamReadError},
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class BlankFileFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(BlankFileFailureTest, RefusesTheFileWithItsMessage)
{
    TBlankData data = OldDocument();
    EXPECT_EQ(ReadError(GetParam().bytes(), data), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Files, BlankFileFailureTest, ::testing::ValuesIn(FailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BlankFileReadTest, KindAndPaymentModeFollowTheFileKindAndVersion)
{
    // Kinds 3 and 4 are the old deposit and transfer forms: before version 4
    // their kind gave the payment mode, from version 4 on the mode byte does.
    const struct {
        quint16 version, fileKind;
        quint8 modeByte;  // versions 4 and later
        bool receiptByte; // versions 4 and later
        quint16 kind;
        TPrzelewWplata mode;
        bool malePokwit;
    } cases[] = {{1, bkLegacyDeposit, 0, false, bkTransfer, pwWplata, false},
                 {2, bkLegacyTransfer, 0, false, bkTransfer, pwPrzelew, false},
                 {3, bkLegacyTransfer, 0, false, bkTransfer, pwPrzelew, false},
                 {3, bkTransferZus, 0, false, bkTransferZus, pwNone, true},
                 {4, bkLegacyDeposit, 0, false, bkTransfer, pwNone, false},
                 {4, bkLegacyTransfer, 1, true, bkTransfer, pwWplata, true},
                 {7, bkLegacyDeposit, 2, false, bkTransfer, pwPrzelew, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "version " << c.version << " kind " << c.fileKind);
        TBlankData file = FileDocument(c.fileKind);
        file.FPrzelewWplata = TPrzelewWplata(c.modeByte);
        file.FMalePokwit = c.receiptByte;
        TBlankData data;
        data.FPrzelewWplata = pwNone;
        data.FMalePokwit = true;
        ASSERT_EQ(ReadError(Assemble(c.version, file).bytes, data), "");
        EXPECT_EQ(data.FKind, c.kind);
        EXPECT_EQ(data.FPrzelewWplata, c.mode);
        EXPECT_EQ(data.FMalePokwit, c.malePokwit);
    }
}

// The version tests encode their Polish letters the same way; this is the byte itself.
TEST(BlankFileReadTest, EightBitStringsAreWindows1250)
{
    const QByteArray bytes = ByteBuilder().U16(bkTransfer).U16(1).I64(0).Raw(QByteArray(12, 0))
                                 .AnsiString("Pi\xB3sudski\r\n").Raw(QByteArray(3 * 4, 0)).Bytes();
    TBlankData data = OldDocument();
    ASSERT_EQ(ReadError(bytes, data), "");
    EXPECT_EQ(data.FNadawca, QStringList{u"Piłsudski"_s});
}

// Version 7 of an empty document whose Tytul field is given as bytes.
QByteArray Version7WithTytul(const QByteArray& tytulField)
{
    ByteBuilder b = Version7Start();
    b.I32(0).I32(0).I32(0).I32(0).I32(0); // Nadawca, NadRach, Bank, Odbiorca, OdbRach
    b.Raw(tytulField);
    for (int i = 0; i < 8; ++i)           // OdbKod to NadId2
        b.I32(0);
    b.U16('N').U8(1).U16('S');            // NadTypId2, NadNrDeklar, NadTypWplaty
    b.I32(0).I32(0);                      // NadDeklaracja, NadNrDecyzji
    b.U32(0x000000).U32(0x0058EA);        // KolTekst, KolForm
    b.I32(0).I32(0).I32(0);               // NadOkres, NadSymbolForm, NadIdZobow
    return b.Bytes();
}

TBlankData EmptyDocument()
{
    TBlankData d;
    d.FKind = bkTransfer;
    d.FNadTypId2 = u'N';
    d.FNadNrDeklar = 1;
    d.FNadTypWplaty = u'S';
    d.FKolForm = 0x0058EA;
    return d;
}

TEST(BlankFileReadTest, SplitsTextsAtEveryKindOfLineBreak)
{
    const struct {
        const char* text;
        QStringList lines;
    } cases[] = {{"a\r\nb\r\n", {u"a"_s, u"b"_s}}, {"a\rb", {u"a"_s, u"b"_s}},
                 {"a\nb", {u"a"_s, u"b"_s}},       {"a\r\nb", {u"a"_s, u"b"_s}},
                 {"", {}},                         {"\r\n", {QString()}},
                 {"a\n\rb", {u"a"_s, QString(), u"b"_s}}, {"a\r\r\n", {u"a"_s, QString()}}};
    for (const auto& c : cases) {
        const QByteArray raw(c.text);
        SCOPED_TRACE(raw.toPercentEncoding().toStdString());
        TBlankData wide = OldDocument();
        ASSERT_EQ(ReadError(Version7WithTytul(ByteBuilder().Utf16String(QString::fromLatin1(raw)).Bytes()), wide), "");
        EXPECT_EQ(wide.FTytul, c.lines);
        const QByteArray ansi = ByteBuilder().U16(bkTransfer).U16(2).I64(0).Raw(QByteArray(12, 0))
                                    .AnsiString({}).AnsiString({}).AnsiString({}).AnsiString({})
                                    .AnsiString(raw).Bytes();
        TBlankData narrow = OldDocument();
        ASSERT_EQ(ReadError(ansi, narrow), "");
        EXPECT_EQ(narrow.FTytul, c.lines);
    }
}

TEST(BlankFileWriteTest, WritesVersionSevenAsItsTableLaysItOut)
{
    const QByteArray empty = Version7WithTytul(ByteBuilder().I32(0).Bytes());
    ASSERT_EQ(empty.size(), 103);
    EXPECT_EQ(WriteBlankFile(EmptyDocument()), empty);
    TBlankData data = OldDocument();
    ASSERT_EQ(ReadError(empty, data), "");
    EXPECT_EQ(Differences(data, EmptyDocument()), "");
    const TBlankData full = FileDocument(bkTransferTax);
    EXPECT_EQ(WriteBlankFile(full), Assemble(7, full).bytes);
}

TEST(BlankFileWriteTest, ExtremeValuesReadBackUnchanged)
{
    QStringList longText;
    for (int i = 0; i < 40; ++i)
        longText << u"Zażółć gęślą jaźń 😀 ŻÓŁW %1 "_s.arg(i).repeated(5);
    TBlankData document = FileDocument(bkTransferTax);
    document.FKwota = std::numeric_limits<qint64>::min();
    document.FNadawca = longText;
    document.FBank = {QString(), u"Bank Zachodni WBK"_s};
    document.FNadTypId2 = u'Ż';
    document.FNadNrDeklar = 255;
    document.FNadTypWplaty = QChar(0xFFFF);
    document.FKolForm = 0xFFFFFFFF;
    TBlankData data = OldDocument();
    ASSERT_EQ(ReadError(WriteBlankFile(document), data), "");
    EXPECT_EQ(Differences(data, document), "");
}

} // namespace
