// Command-line switches: "/" or "-", a command, ":" and the file. On this
// system the file part keeps every "/" and "-" it holds.
#include "helpers/QtPrinters.h"
#include "app/Shell_DDE.h"

#include <gtest/gtest.h>

namespace {

struct SwitchCase {
    const char* argument;
    bool parsed;
    const char* command;
    const char* file;
};

void PrintTo(const SwitchCase& c, std::ostream* os)
{
    *os << c.argument;
}

class ShellParamTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(ShellParamTest, SwitchIsSplitIntoCommandAndFile)
{
    QString command = QStringLiteral("stale"), file = QStringLiteral("stale"), option = QStringLiteral("stale");
    EXPECT_EQ(ParseShellParam(QString::fromUtf8(GetParam().argument), command, file, option), GetParam().parsed);
    EXPECT_EQ(command, QString::fromUtf8(GetParam().command));
    EXPECT_EQ(file, QString::fromUtf8(GetParam().file));
    EXPECT_TRUE(option.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Arguments, ShellParamTest,
    ::testing::Values(SwitchCase{"/print:/home/ula/Dokumenty/a.wpt", true, "print", "/home/ula/Dokumenty/a.wpt"},
                      SwitchCase{"-open:/home/ula/Moje-dokumenty/a.wpt", true, "open", "/home/ula/Moje-dokumenty/a.wpt"},
                      SwitchCase{"-OPEN:a-b.wpt", true, "OPEN", "a-b.wpt"},
                      SwitchCase{"/:x.wpt", true, "", "x.wpt"},
                      SwitchCase{"/open:", true, "open", ""},
                      SwitchCase{"/x", false, "", ""},
                      SwitchCase{"a.wpt", false, "", ""},
                      SwitchCase{"", false, "", ""},
                      SwitchCase{"/print:/tmp/z żółwiem.wpt", true, "print", "/tmp/z żółwiem.wpt"}));

} // namespace
