#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "helpers/ByteBuilder.h"
#include "helpers/QtPrinters.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace Qt::StringLiterals;

namespace {

using Doc = TBlankData;

constexpr char FormatError[] = "Nieprawidłowy format pliku.";
constexpr char VersionError[] = "Nieprawidłowa wersja pliku.";

// The string and text fields with their editors' lengths; NadRach takes the first line of Bank in old files.
const std::pair<QString Doc::*, int> Strings[] = {
    {&Doc::FNadRach, 130}, {&Doc::FOdbRach, 35}, {&Doc::FOdbKod, 6}, {&Doc::FOdbAdres, 130},
    {&Doc::FOdbPoczta, 130}, {&Doc::FNadKod, 6}, {&Doc::FNadAdres, 130}, {&Doc::FNadPoczta, 130},
    {&Doc::FNadNIP, 10}, {&Doc::FNadId2, 14}, {&Doc::FNadDeklaracja, 6}, {&Doc::FNadNrDecyzji, 15},
    {&Doc::FNadOkres, 7}, {&Doc::FNadSymbolForm, 7}, {&Doc::FNadIdZobow, 20}};
const std::pair<QStringList Doc::*, int> Texts[] = {
    {&Doc::FNadawca, 130}, {&Doc::FBank, 130}, {&Doc::FOdbiorca, 130}, {&Doc::FTytul, 2000}};

// The message the reader throws; empty when it read the bytes.
std::string ReadError(const QByteArray& bytes, Doc& data)
{
    try {
        ReadBlankFile(bytes, data);
    } catch (const Exception& e) {
        return e.Message().toStdString();
    }
    return {};
}

// Every field, one a line, so that a difference shows which.
std::string Describe(const Doc& d)
{
    QStringList lines;
    for (const qint64 number : {qint64(d.FKind), qint64(d.FKwota), qint64(d.FPrzelewWplata), qint64(d.FMalePokwit),
                                qint64(d.FNadTypId2.unicode()), qint64(d.FNadNrDeklar),
                                qint64(d.FNadTypWplaty.unicode()), qint64(d.FKolTekst), qint64(d.FKolForm)})
        lines << QString::number(number);
    for (const auto& [member, length] : Texts)
        lines << QString::number((d.*member).size()) + u": "_s + (d.*member).join(u'|');
    for (const auto& [member, length] : Strings)
        lines << d.*member;
    return lines.join(u'\n').toStdString();
}

// A document as it is before its file is read: as the window starts one.
Doc Old()
{
    Doc d{clBlack, 0x0058EA, 0, 5};
    d.FPrzelewWplata = pwWplata;
    for (const auto& [member, length] : Texts)
        d.*member = QStringList{u"dawna wartość"_s};
    for (const auto& [member, length] : Strings)
        d.*member = u"dawne"_s;
    d.FNadTypId2 = u'N';
    d.FNadNrDeklar = 1;
    d.FNadTypWplaty = u'S';
    return d;
}

// A file's document differs from an old one in every field, with Polish letters and the numbers at their extremes.
Doc Document(quint16 kind)
{
    Doc d{0x123456, 0xFFFFFFFF, kind, std::numeric_limits<qint64>::min()};
    d.FPrzelewWplata = pwPrzelew;
    d.FMalePokwit = true;
    d.FNadawca = QStringList{u"Jan Kowalski"_s, u"ul. Źródlana 5"_s};
    d.FBank = QStringList{u"PKO BP 12 1020"_s, u"Oddział w Łodzi"_s};
    d.FOdbiorca = QStringList{u"Zakład Gazowniczy"_s, QString(), u"Gdańsk"_s};
    d.FTytul = QStringList{u"Opłata za gaz"_s, u"faktura 7/2026"_s};
    int n = 0;
    for (const auto& [member, length] : Strings)
        d.*member = u"ż%1"_s.arg(++n);
    d.FNadTypId2 = u'Ż';
    d.FNadNrDeklar = 255;
    d.FNadTypWplaty = QChar(0xFFFF);
    return d;
}

// A file of the version, field by field from the format's table, and the document the reader makes of it over Old();
// rawTytul, when given, is stored as Tytul's text as it is.
std::pair<QByteArray, Doc> Assemble(quint16 version, const Doc& d, const QString* rawTytul = nullptr)
{
    ByteBuilder b;
    Doc stored = Old();
    const auto write = [&](const QString& text) {
        if (version >= 6)
            b.Utf16String(text);
        else
            b.AnsiString(QStringEncoder("windows-1250").encode(text));
    };
    const auto string = [&](QString Doc::*member) {
        write(d.*member);
        stored.*member = d.*member;
    };
    const auto text = [&](QStringList Doc::*member) {
        const QStringList& lines = d.*member;
        write(lines.isEmpty() ? QString() : lines.join(u"\r\n"_s) + u"\r\n"_s);
        stored.*member = lines;
    };
    b.U16(d.FKind).U16(version).I64(d.FKwota);
    stored.FKind = d.FKind;
    stored.FKwota = d.FKwota;
    // The twelve unused bytes look like two short strings, so not skipping them shows.
    if (version <= 2)
        b.I32(3).Raw("abc").I32(1).U8('x');
    if (version >= 4) {
        b.U8(d.FPrzelewWplata).U8(d.FMalePokwit);
        stored.FPrzelewWplata = d.FPrzelewWplata;
        stored.FMalePokwit = d.FMalePokwit;
    }
    text(&Doc::FNadawca);
    if (version >= 5)
        string(&Doc::FNadRach);
    text(&Doc::FBank);
    if (version < 5 && !d.FBank.isEmpty())
        stored.FNadRach = d.FBank.first();
    text(&Doc::FOdbiorca);
    string(&Doc::FOdbRach);
    if (rawTytul)
        write(*rawTytul);
    else if (version >= 2)
        text(&Doc::FTytul);
    if (version >= 5)
        for (const auto member : {&Doc::FOdbKod, &Doc::FOdbAdres, &Doc::FOdbPoczta, &Doc::FNadKod, &Doc::FNadAdres,
                                  &Doc::FNadPoczta})
            string(member);
    if (version >= 6) {
        string(&Doc::FNadNIP);
        string(&Doc::FNadId2);
        b.U16(d.FNadTypId2.unicode()).U8(d.FNadNrDeklar).U16(d.FNadTypWplaty.unicode());
        string(&Doc::FNadDeklaracja);
        string(&Doc::FNadNrDecyzji);
        b.U32(d.FKolTekst).U32(d.FKolForm);
        stored.FNadTypId2 = d.FNadTypId2;
        stored.FNadNrDeklar = d.FNadNrDeklar;
        stored.FNadTypWplaty = d.FNadTypWplaty;
        stored.FKolTekst = d.FKolTekst;
        stored.FKolForm = d.FKolForm;
    }
    if (version >= 7)
        for (const auto member : {&Doc::FNadOkres, &Doc::FNadSymbolForm, &Doc::FNadIdZobow})
            string(member);
    return {b.Bytes(), stored};
}

// Every version read whole, in Windows-1250 before version 6, and before version 5 with the sender's account the
// first line of Bank; cut anywhere, refused. Kinds 3 and 4 are the old deposit and transfer forms, whose payment mode
// the mode byte overrides from version 4.
TEST(BlankFileRead, EveryVersionReadsWholeAndCutAnywhereIsRefused)
{
    constexpr quint16 Kinds[] = {bkLegacyTransfer, bkLegacyDeposit, bkDeposit, bkLegacyDeposit, bkTransferTax,
                                 bkMoneyOrder, bkTransferZus};
    for (quint16 version = 1; version <= 7; ++version) {
        const quint16 kind = Kinds[version - 1];
        auto [bytes, stored] = Assemble(version, Document(kind));
        if (kind == bkLegacyDeposit || kind == bkLegacyTransfer)
            stored.FKind = bkTransfer;
        if (stored.FKind != kind && version < 4) {
            stored.FPrzelewWplata = kind == bkLegacyDeposit ? pwWplata : pwPrzelew;
            stored.FMalePokwit = false;
        }
        SCOPED_TRACE(::testing::Message() << "version " << version);
        Doc data = Old();
        ASSERT_EQ(ReadError(bytes, data), "");
        EXPECT_EQ(Describe(data), Describe(stored));
        for (qsizetype length = 0; length < bytes.size(); ++length) {
            // One byte is a kind whose high byte counts as 0; the version is then missing.
            const bool noVersion = length > 0 && length < 3;
            ASSERT_EQ(ReadError(bytes.left(length), data), noVersion ? VersionError : FormatError) << length;
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
    QByteArray highKind = Assemble(7, Document(bkTransfer)).first;
    highKind[1] = 1;
    const QTemporaryDir dir;
    const QString file = dir.filePath(u"plik.wpt"_s);
    const QString missing = dir.filePath(u"brak.wpt"_s);
    // lines: Tytul, when read.
    const struct { QByteArray bytes; std::string message; QStringList lines = {}; QString path = {}; } cases[] = {
        {{}, "Nie można otworzyć pliku: " + missing.toStdString(), {}, missing},
        {{}, "Nie można otworzyć pliku: " + dir.path().toStdString(), {}, dir.path()},
        {Assemble(7, Document(8)).first, FormatError}, {highKind, FormatError},
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
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(c.bytes);
        out.close();
        Doc data; // the window's editors would trim the lines
        ReadError(c.bytes, data);
        const TfrmBlank form(nullptr, c.path.isEmpty() ? file : c.path); // it closes itself when it cannot read
        EXPECT_EQ(form.LoadError().toStdString(), c.message) << c.bytes.left(40).toHex().toStdString();
        EXPECT_EQ(data.FTytul, c.lines) << c.bytes.left(40).toHex().toStdString();
    }
}

TEST(BlankFileWrite, WritesVersionSevenAsItsTableLaysItOut)
{
    const Doc empty{clBlack, 0, bkTransfer};
    const QByteArray emptyBytes = Assemble(7, empty).first;
    ASSERT_EQ(emptyBytes.size(), 103);
    EXPECT_EQ(WriteBlankFile(empty), emptyBytes);
    EXPECT_EQ(WriteBlankFile(Document(bkTransferTax)), Assemble(7, Document(bkTransferTax)).first);
}

// Every field at its editor's length reads back after a save, in letters beyond Latin-1 and beyond 16 bits, also
// with 600 kB of bytes after the fields; one past it is refused, also in a 600 kB old file, so no document the
// program holds saves beyond what it reads.
TEST(BlankFileRead, FieldsUpToTheirEditorsLengthsReadBackAndALongerOneIsRefused)
{
    // Each text is two lines and the line break between them; field number longer has extra characters.
    const auto filled = [](const QString& letters, int longer = -1, int extra = 0) {
        Doc d = Document(bkTransferTax);
        int field = 0;
        const auto fill = [&](int length) {
            length += field++ == longer ? extra : 0;
            return letters.repeated(length / letters.size() + 1).left(length);
        };
        for (const auto& [member, length] : Strings)
            d.*member = fill(length);
        for (const auto& [member, length] : Texts) {
            const QString text = fill(length - 2);
            d.*member = QStringList{text.left(text.size() / 2), text.mid(text.size() / 2)};
        }
        return d;
    };
    const QString polish = u"ąćęłńóśźż"_s;
    for (const auto& [version, letters, after] : {std::tuple{5, polish, 600'000}, {7, polish, 0}, {7, u"😀"_s, 0}}) {
        const auto [file, full] = Assemble(quint16(version), filled(letters));
        SCOPED_TRACE(::testing::Message() << "version " << version << ", " << after << " bytes after");
        Doc data = Old();
        Doc again = Old();
        ASSERT_EQ(ReadError(file + QByteArray(after, 'x'), data), "");
        ASSERT_EQ(ReadError(WriteBlankFile(data), again), "");
        EXPECT_EQ(Describe(again), Describe(full));
    }
    // Lone line feeds are line breaks of two characters each.
    const QString feeds(1002, u'\n');
    Doc data;
    EXPECT_EQ(ReadError(Assemble(7, filled(polish), &feeds).first, data), FormatError);
    constexpr int Fields = int(std::size(Strings) + std::size(Texts));
    std::vector<std::pair<int, int>> longer = {{Fields - 1, 600'000}}; // Tytul, in a 600 kB file
    for (int field = 0; field < Fields; ++field)
        longer.emplace_back(field, 1);
    for (const auto& [field, extra] : longer)
        for (quint16 version : {5, 7}) {
            const QByteArray bytes = Assemble(version, filled(polish, field, extra)).first;
            // A field the version does not hold leaves the file as it was.
            const bool held = bytes != Assemble(version, filled(polish)).first;
            SCOPED_TRACE(::testing::Message() << "field " << field << " + " << extra << ", version " << version);
            EXPECT_EQ(ReadError(bytes, data), held ? FormatError : "");
        }
}

} // namespace
