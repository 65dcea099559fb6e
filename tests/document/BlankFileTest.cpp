#include "document/BlankFile.h"
#include "drawing/Exception.h"
#include "helpers/ByteBuilder.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

#include <limits>
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

std::string Text(const QString& s) { return s.toStdString(); }
std::string Text(const QStringList& lines) { return std::to_string(lines.size()) + ": " + Text(lines.join(u'|')); }
std::string Text(QChar c) { return std::to_string(c.unicode()); }
template <class Number>
std::string Text(Number n) { return std::to_string(n); }

// Every stored field in file order, as text for comparing and printing.
#define F(name) {#name, [](const TBlankData& d) { return Text(d.F##name); }}
const std::pair<const char*, std::string (*)(const TBlankData&)> Fields[] = {
    F(Kind), F(Kwota), F(PrzelewWplata), F(MalePokwit), F(Nadawca), F(NadRach), F(Bank), F(Odbiorca), F(OdbRach),
    F(Tytul), F(OdbKod), F(OdbAdres), F(OdbPoczta), F(NadKod), F(NadAdres), F(NadPoczta), F(NadNIP), F(NadId2),
    F(NadTypId2), F(NadNrDeklar), F(NadTypWplaty), F(NadDeklaracja), F(NadNrDecyzji), F(KolTekst), F(KolForm),
    F(NadOkres), F(NadSymbolForm), F(NadIdZobow)};
#undef F

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

// Every field set to a value apart from OldDocument's, the numbers to their extremes.
TBlankData FileDocument(quint16 kind)
{
    TBlankData d;
    d.FKind = kind;
    d.FKwota = std::numeric_limits<qint64>::min();
    d.FPrzelewWplata = pwPrzelew;
    d.FMalePokwit = true;
    d.FNadawca = {u"Jan Kowalski"_s, u"ul. Źródlana 5"_s};
    d.FBank = {u"PKO BP 12 1020"_s, u"Oddział w Łodzi"_s};
    d.FOdbiorca = {u"Zakład Gazowniczy"_s, QString(), u"Gdańsk"_s};
    d.FTytul = {u"Opłata za gaz"_s, u"faktura 7/2026"_s};
    using T = TBlankData;
    for (const auto& [field, text] : {std::pair{&T::FNadRach, u"11 1020"}, {&T::FOdbRach, u"22 1140"},
             {&T::FOdbKod, u"80-557"}, {&T::FOdbAdres, u"ul. Węglowa 1"}, {&T::FOdbPoczta, u"Gdańsk Śródmieście"},
             {&T::FNadKod, u"90-001"}, {&T::FNadAdres, u"ul. Piotrkowska 3"}, {&T::FNadPoczta, u"Łódź"},
             {&T::FNadNIP, u"5260250274"}, {&T::FNadId2, u"ABC123456"}, {&T::FNadDeklaracja, u"032026"},
             {&T::FNadNrDecyzji, u"D/12"}, {&T::FNadOkres, u"26M03"}, {&T::FNadSymbolForm, u"PIT-4R"},
             {&T::FNadIdZobow, u"Z-77"}})
        d.*field = QString::fromUtf16(text);
    d.FNadTypId2 = u'Ż';
    d.FNadNrDeklar = 255;
    d.FNadTypWplaty = QChar(0xFFFF);
    d.FKolTekst = 0x123456;
    d.FKolForm = 0xFFFFFFFF;
    return d;
}

// A document as it is before its file is read.
TBlankData OldDocument()
{
    TBlankData d;
    d.FKwota = 5;
    d.FPrzelewWplata = pwWplata;
    d.FNadawca = d.FBank = d.FOdbiorca = d.FTytul = {u"dawna wartość"_s};
    for (QString* s : {&d.FNadRach, &d.FOdbRach, &d.FOdbKod, &d.FOdbAdres, &d.FOdbPoczta, &d.FNadKod, &d.FNadAdres,
                       &d.FNadPoczta, &d.FNadNIP, &d.FNadId2, &d.FNadDeklaracja, &d.FNadNrDecyzji, &d.FNadOkres,
                       &d.FNadSymbolForm, &d.FNadIdZobow})
        *s = u"dawna wartość"_s;
    d.FNadTypId2 = u'N';
    d.FNadNrDeklar = 1;
    d.FNadTypWplaty = u'S';
    d.FKolForm = 0x0058EA;
    return d;
}

// A file of the version, field by field from the format's table, and where each field ends.
std::pair<QByteArray, FieldEnds> Assemble(quint16 version, const TBlankData& d)
{
    ByteBuilder b;
    FieldEnds ends;
    const auto string = [&](const char* field, const QString& text) {
        version >= 6 ? b.Utf16String(text) : b.AnsiString(QStringEncoder("windows-1250").encode(text));
        ends[field] = b.Size();
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
        string("NadRach", d.FNadRach);
    text("Bank", d.FBank);
    if (version < 5 && !d.FBank.isEmpty())
        ends["NadRach"] = b.Size();
    text("Odbiorca", d.FOdbiorca);
    string("OdbRach", d.FOdbRach);
    if (version >= 2)
        text("Tytul", d.FTytul);
    for (const auto& [field, value] : {std::pair{"OdbKod", &TBlankData::FOdbKod}, {"OdbAdres", &TBlankData::FOdbAdres},
                                        {"OdbPoczta", &TBlankData::FOdbPoczta}, {"NadKod", &TBlankData::FNadKod},
                                        {"NadAdres", &TBlankData::FNadAdres}, {"NadPoczta", &TBlankData::FNadPoczta}})
        if (version >= 5)
            string(field, d.*value);
    if (version >= 6) {
        string("NadNIP", d.FNadNIP);
        string("NadId2", d.FNadId2);
        number("NadTypId2", d.FNadTypId2.unicode(), 2);
        number("NadNrDeklar", d.FNadNrDeklar, 1);
        number("NadTypWplaty", d.FNadTypWplaty.unicode(), 2);
        string("NadDeklaracja", d.FNadDeklaracja);
        string("NadNrDecyzji", d.FNadNrDecyzji);
        number("KolTekst", d.FKolTekst, 4);
        number("KolForm", d.FKolForm, 4);
    }
    for (const auto& [field, value] : {std::pair{"NadOkres", &TBlankData::FNadOkres},
                                        {"NadSymbolForm", &TBlankData::FNadSymbolForm}, {"NadIdZobow", &TBlankData::FNadIdZobow}})
        if (version >= 7)
            string(field, d.*value);
    return {b.Bytes(), ends};
}

// Every version read whole and cut at every byte: only the fields read whole
// change, and before version 5 the sender's account is the first line of Bank.
TEST(BlankFileRead, EveryVersionWholeOrCutAnywhereKeepsOnlyTheFieldsReadWhole)
{
    constexpr quint16 Kinds[] = {bkDeposit, bkMoneyOrder, bkTransfer, bkTransferZus, bkTransferTax, bkMoneyOrder,
                                 bkTransferZus};
    for (quint16 version = 1; version <= 7; ++version) {
        const TBlankData file = FileDocument(Kinds[version - 1]);
        TBlankData stored = file;
        if (version < 5)
            stored.FNadRach = file.FBank.first();
        const auto [bytes, ends] = Assemble(version, file);
        for (qsizetype length = 0; length <= bytes.size(); ++length) {
            SCOPED_TRACE(::testing::Message() << "version " << version << ", " << length << " bytes");
            TBlankData data = OldDocument();
            // One byte is a kind whose high byte counts as 0; the version is then missing.
            ASSERT_EQ(ReadError(bytes.left(length), data), length == bytes.size() ? ""
                                                            : length == 0  ? FormatError
                                                            : length < 3   ? VersionError
                                                                           : StreamReadError);
            ASSERT_EQ(Mismatches(data, stored, OldDocument(), ends, length), "");
        }
    }
}

// A version-7 header with an empty document's amount and mode bytes.
ByteBuilder Version7Start()
{
    return std::move(ByteBuilder().U16(bkTransfer).U16(7).I64(0).U8(0).U8(0));
}

TEST(BlankFileRead, WholeButWrongFilesAreRefusedWithTheirMessage)
{
    const struct {
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {ByteBuilder().U16(8).U16(7).Bytes(), FormatError},      // kind 8
        {ByteBuilder().U16(0x0105).U16(7).Bytes(), FormatError}, // a kind with a high byte
        {ByteBuilder().U16(5).U16(8).Bytes(), VersionError},
        {Version7Start().I32(-1).Bytes(), StreamReadError},
        {Version7Start().I32(0x40000000).I64(0).Bytes(), StreamReadError}, // its bytes overflow
        {ByteBuilder().U16(5).U16(5).I64(0).U16(0).I32(0x7FFFFFFF).Bytes(), StreamReadError},
    };
    for (const auto& c : cases) {
        TBlankData data;
        EXPECT_EQ(ReadError(c.bytes, data), c.message) << c.bytes.toHex().toStdString();
    }
}

TEST(BlankFileRead, KindAndPaymentModeFollowTheFileKindAndVersion)
{
    // Kinds 3 and 4 are the old deposit and transfer forms: before version 4
    // their kind gave the payment mode, from version 4 on the mode byte does.
    const struct {
        quint16 version, fileKind;
        quint8 modeByte;  // versions 4 and later, as is the receipt byte
        bool receiptByte, malePokwit;
        TPrzelewWplata mode;
    } cases[] = {{1, bkLegacyDeposit, 0, false, false, pwWplata}, {2, bkLegacyTransfer, 0, false, false, pwPrzelew},
                 {3, bkTransferZus, 0, false, true, pwNone},     {4, bkLegacyDeposit, 0, false, false, pwNone},
                 {4, bkLegacyTransfer, 1, true, true, pwWplata}, {7, bkLegacyDeposit, 2, false, false, pwPrzelew}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "version " << c.version << " kind " << c.fileKind);
        TBlankData file = FileDocument(c.fileKind);
        file.FPrzelewWplata = TPrzelewWplata(c.modeByte);
        file.FMalePokwit = c.receiptByte;
        TBlankData data;
        data.FMalePokwit = true;
        ASSERT_EQ(ReadError(Assemble(c.version, file).first, data), "");
        EXPECT_EQ(data.FKind, c.fileKind == bkTransferZus ? bkTransferZus : bkTransfer);
        EXPECT_EQ(data.FPrzelewWplata, c.mode);
        EXPECT_EQ(data.FMalePokwit, c.malePokwit);
    }
}

// Version 7 of an empty document whose Tytul field is given as bytes.
QByteArray Version7WithTytul(const QByteArray& tytulField)
{
    ByteBuilder b = Version7Start();
    b.I32(0).I32(0).I32(0).I32(0).I32(0).Raw(tytulField); // Nadawca to OdbRach, then Tytul
    for (int i = 0; i < 8; ++i)                            // OdbKod to NadId2
        b.I32(0);
    b.U16('N').U8(1).U16('S').I32(0).I32(0);               // NadTypId2 to NadNrDecyzji
    return b.U32(0x000000).U32(0x0058EA).I32(0).I32(0).I32(0).Bytes(); // KolTekst to NadIdZobow
}

TEST(BlankFileRead, SplitsTextsAtEveryKindOfLineBreakAndReadsEightBitsAsWindows1250)
{
    const struct {
        const char* text;
        QStringList lines;
    } cases[] = {{"a\r\nb\r\n", {u"a"_s, u"b"_s}}, {"a\rb", {u"a"_s, u"b"_s}}, {"a\nb", {u"a"_s, u"b"_s}},
                 {"", {}}, {"\r\n", {QString()}}, {"a\n\rb", {u"a"_s, QString(), u"b"_s}},
                 {"a\r\r\n", {u"a"_s, QString()}}};
    for (const auto& c : cases) {
        const QByteArray raw(c.text);
        SCOPED_TRACE(raw.toPercentEncoding().toStdString());
        TBlankData data;
        ASSERT_EQ(ReadError(Version7WithTytul(ByteBuilder().Utf16String(QString::fromLatin1(raw)).Bytes()), data), "");
        EXPECT_EQ(data.FTytul, c.lines);
    }
    // The 8-bit strings are Windows-1250: 0xB3 is ł.
    TBlankData data;
    ASSERT_EQ(ReadError(ByteBuilder().U16(bkTransfer).U16(1).I64(0).Raw(QByteArray(12, 0)).AnsiString("Pi\xB3sudski")
                            .Raw(QByteArray(12, 0)).Bytes(), data), "");
    EXPECT_EQ(data.FNadawca, QStringList{u"Piłsudski"_s});
}

TEST(BlankFileWrite, WritesVersionSevenAsItsTableLaysItOutAndExtremesReadBack)
{
    TBlankData empty;
    empty.FKind = bkTransfer;
    empty.FNadTypId2 = u'N';
    empty.FNadNrDeklar = 1;
    empty.FNadTypWplaty = u'S';
    empty.FKolForm = 0x0058EA;
    const QByteArray emptyBytes = Version7WithTytul(ByteBuilder().I32(0).Bytes());
    ASSERT_EQ(emptyBytes.size(), 103);
    EXPECT_EQ(WriteBlankFile(empty), emptyBytes);
    EXPECT_EQ(WriteBlankFile(FileDocument(bkTransferTax)), Assemble(7, FileDocument(bkTransferTax)).first);

    // Long lines of letters beyond Latin-1 and beyond 16 bits.
    TBlankData document = FileDocument(bkTransferTax);
    for (int i = 0; i < 40; ++i)
        document.FNadawca << u"Zażółć gęślą jaźń 😀 ŻÓŁW %1 "_s.arg(i).repeated(5);
    TBlankData data = OldDocument();
    ASSERT_EQ(ReadError(WriteBlankFile(document), data), "");
    EXPECT_EQ(Mismatches(data, document, document), "");
}

} // namespace
