#include "app/info.h"
#include "helpers/ByteBuilder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char* const Names[] = {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
                             "LegalTradeMarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"};

// A little-endian ELF64 file: header, the table, the section names, then the
// null, table and names section headers, as the ELF tables lay them out.
QByteArray ElfWithTable(const QByteArray& table)
{
    const QByteArray names = QByteArray(1, '\0') + ".wplatomat.version" + '\0' + ".shstrtab" + '\0';
    const qint64 namesAt = 64 + table.size(), headersAt = namesAt + names.size();
    ByteBuilder elf;
    elf.Raw("\x7f" "ELF").U8(2).U8(1).U8(1).Raw(QByteArray(9, '\0')).U16(2).U16(62).U32(1);
    elf.I64(0).I64(0).I64(headersAt).U32(0).U16(64).U16(56).U16(0).U16(64).U16(3).U16(2);
    elf.Raw(table).Raw(names).Raw(QByteArray(64, '\0'));
    elf.U32(1).U32(1).I64(2).I64(0).I64(64).I64(table.size()).U32(0).U32(0).I64(1).I64(0);
    elf.U32(20).U32(3).I64(0).I64(0).I64(namesAt).I64(names.size()).U32(0).U32(0).I64(1).I64(0);
    return elf.Bytes();
}

} // namespace

TEST(InfoExe, ExecuteFillsTheValuesFromAVersionTableAndLeavesThemForAFileWithout)
{
    QTemporaryDir dir;
    // FileVersion is missing between two names that have texts.
    const char pairs[] = "StringFileInfo\\041504E2\\FileDescription\0Opis\0"
                         "StringFileInfo\\041504E2\\InternalName\0wplatomat\0";
    const QByteArray lacking = ElfWithTable(QByteArray(pairs, sizeof pairs - 1));
    const struct { QString file; QByteArray bytes; const char* langId; const char* values; } cases[] = {
        {QCoreApplication::applicationFilePath(), {}, "0415", "||1.15.0.153||||||1.0.0.0|"},
        {QCoreApplication::applicationFilePath(), {}, "0409", "|||||||||"},
        {dir.filePath("lacking"), lacking, "0415", "|Opis||wplatomat||||||"},
        {dir.filePath("cut"), lacking.left(lacking.size() - 1), "0415", "x|x|x|x|x|x|x|x|x|x"},
        {QStringLiteral("/bin/sh"), {}, "0415", "x|x|x|x|x|x|x|x|x|x"},
        {dir.filePath("missing"), {}, "0415", "x|x|x|x|x|x|x|x|x|x"},
    };
    for (const auto& c : cases) {
        if (!c.bytes.isEmpty()) {
            QFile file(c.file);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(c.bytes) == c.bytes.size());
        }
        TEPInfoExe info;
        EXPECT_EQ(info.LangId() + info.ExeName(), QStringLiteral("0415"));
        for (const char* name : Names)
            info.setProperty(name, QStringLiteral("x"));
        info.SetExeName(c.file);
        info.SetLangId(QString::fromLatin1(c.langId));
        info.Execute();
        QStringList values;
        for (const char* name : Names)
            values << info.property(name).toString();
        EXPECT_EQ(values.join(QLatin1Char('|')), QString::fromLatin1(c.values)) << c.file.toStdString();
    }
}
