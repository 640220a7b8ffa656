#include "core/files/CalcFile.h"

#include "core/CoreTestSupport.h"

#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace qm {
namespace {

using namespace test;

// Each line as operator, kind and plain text; decimals compare by value.
std::string dump(const Tape& t)
{
    std::string s = std::to_string(t.TapeOp.size()) + " operators\n";
    for (std::size_t i = 0; i < t.size(); ++i)
        s += (i < t.TapeOp.size() ? t.TapeOp[i] : '#') + std::to_string(static_cast<int>(t.TapeValue[i].kind())) +
             " " + plainText(t.TapeValue[i]) + "\n";
    return s;
}

TEST(CalcFileWrite, ValueForms)
{
    struct Row { char op; Value value; const char* line; };
    const Row rows[] = {
        {'-', val("-5"), "--5"}, {'/', val("-0.25"), "/-0.25"},
        {'+', Value(), "+0"},                            // never set
        {'+', Value("Caf\u00E9(2)"), "+Caf\xE9(2)"},    // Windows-1252 on disk
        {'+', Value("\u2192(1)"), "+?(1)"},              // not in the code page
        {'+', Value("a(\r\nb)"), "+a(??b)"},             // would split the line
        {'x', Value(1e20), "x1E+20"},                    // double values: reread as decimals
        {'\n', val("1"), "?1"}, {static_cast<char>(0xE9), val("1"), "?1"},
    };
    for (const Row& r : rows) {
        const Tape tape = tapeOf({{r.op, r.value}});
        EXPECT_EQ(writeCalcFile(tape, English), std::string("Ferrowick 6\r\n") + r.line + "\r\n")
            << r.line;
    }
    Tape missingOp = tapeOf({{'x', val("2")}});
    missingOp.TapeValue.push_back(val("7"));
    EXPECT_EQ(writeCalcFile(missingOp, English), "Ferrowick 6\r\nx2\r\n+7\r\n");   // written as plus
}

TEST(CalcFileRead, AcceptedFiles)
{
    struct Row { const char* name; std::string bytes; Tape expected; };
    const Row rows[] = {
        {"example", "Ferrowick 6\r\n+12.5\r\nx3\r\n+0\r\n",
         tapeOf({{'+', val("12.5")}, {'x', val("3")}, {'+', val("0")}})},
        {"mixed ends", "H\n+5\r\nx2\r-1\n",
         tapeOf({{'+', val("5")}, {'x', val("2")}, {'-', val("1")}})},
        {"no final line end", "H\r\n+5", tapeOf({{'+', val("5")}})},
        {"double minus", "H\r\n--5\r\n", tapeOf({{'-', val("-5")}})},
        {"operator alone", "H\r\n+\r\nx\r\n", tapeOf({{'+', val("0")}, {'x', val("0")}})},
        {"bracket only", "H\r\n+(\r\n", tapeOf({{'+', Value("(")}})},
        {"code page", "H\r\n+Caf\xE9(\x80)\r\n", tapeOf({{'+', Value("Caf\u00E9(\u20AC)")}})},
        {"exponent", "H\r\n+1E+20\r\n", tapeOf({{'+', val("100000000000000000000")}})},
        {"unknown operator", "H\r\nq5\r\n", tapeOf({{'q', val("5")}})},
        {"high operator byte", "H\r\n\xE9" "5\r\n", tapeOf({{'?', val("5")}})},
    };
    for (const Row& r : rows) {
        const CalcFileRead read = readCalcFile(r.bytes, English);
        ASSERT_TRUE(read.ok()) << r.name << ": " << read.error.line << " " << read.error.reason;
        EXPECT_EQ(dump(*read.tape), dump(r.expected)) << r.name;
    }
}

TEST(CalcFileRead, RegionalSeparators)
{
    const CalcFileRead read = readCalcFile("H\r\n+12,5\r\n+1.234,5\r\n--0,5\r\n", German);
    ASSERT_TRUE(read.ok()) << read.error.reason;
    EXPECT_EQ(dump(*read.tape), dump(tapeOf({{'+', val("12.5")}, {'+', val("1234.5")}, {'-', val("-0.5")}})));
    // The same file under a period separator fails at the first line that
    // does not fit.
    const CalcFileRead english = readCalcFile("H\r\n+1\r\n+12,5x\r\n", English);
    ASSERT_FALSE(english.ok());
    EXPECT_EQ(english.error.line, 3u);
}

TEST(CalcFileRead, RejectedFiles)
{
    struct Row { const char* name; std::string bytes; std::size_t line; std::string reason; };
    const Row rows[] = {
        {"empty file", "", 1, "the file is empty: no header line"},
        {"header only", "Ferrowick 6", 2, "no tape line after the header"},
        {"bad value", "H\r\n+5\r\nxabc\r\n", 3, "not a number: \"abc\""},
        {"half a number", "H\r\n+12H\r\n", 2, "not a number: \"12H\""},
        {"empty line", "H\r\n+5\r\n\r\n+1\r\n", 3, "empty line: no operator"},
        {"too large", "H\r\n+99999999999999999999999999999999\r\n", 2,
         "number out of range: \"99999999999999999999999999999999\""},
        {"control characters shown as ?", std::string("H\r\n+1\t2\0", 8), 2,
         "not a number: \"1?2?\""},
        {"long value cut", "H\r\n+" + std::string(50, '7') + "z\r\n", 2,
         "not a number: \"" + std::string(40, '7') + "...\""},
    };
    for (const Row& r : rows) {
        const CalcFileRead read = readCalcFile(r.bytes, English);
        ASSERT_FALSE(read.ok()) << r.name;
        EXPECT_EQ(read.error.line, r.line) << r.name;
        EXPECT_EQ(read.error.reason, r.reason) << r.name;
    }
}

TEST(CalcFileRoundTrip, SeventeenLinesGiveEighteenFileLinesAndComeBackWhole)
{
    Tape tape;
    const char ops[] = {'+', '-', 'x', '/', '^'};
    for (int i = 0; i < 17; ++i) {
        tape.TapeOp.push_back(ops[i % 5]);
        if (i % 4 == 3)
            tape.TapeValue.emplace_back("Roun(" + std::to_string(i) + ")");
        else
            tape.TapeValue.emplace_back(Decimal::fromInt((i - 8) * 1001).div(Decimal::fromInt(8)).value());
    }
    for (const Regional& r : {English, German}) {
        const std::string bytes = writeCalcFile(tape, r);
        std::size_t lines = 0;
        for (std::size_t p = bytes.find("\r\n"); p != std::string::npos; p = bytes.find("\r\n", p + 2))
            ++lines;
        EXPECT_EQ(lines, 18u);
        const CalcFileRead read = readCalcFile(bytes, r);
        ASSERT_TRUE(read.ok()) << read.error.reason;
        EXPECT_EQ(dump(*read.tape), dump(tape));
    }
    Tape large;
    for (int i = 0; i < 25000; ++i) {
        large.TapeOp.push_back(i % 2 ? '+' : '-');
        large.TapeValue.emplace_back(Decimal::fromInt(i));
    }
    const CalcFileRead read = readCalcFile(writeCalcFile(large, English), English);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(dump(*read.tape), dump(large));
}

TEST(CalcFileDisk, SavesLoadsAndReportsUnreadableFiles)
{
    const TempDir temp("calcfile");
    const fs::path& dir = temp.path;
    const fs::path path = dir / "tape.Clc";
    const Tape tape = tapeOf({{'+', val("1.5")}, {'x', Value("Kilo(10)")}});

    ASSERT_TRUE(saveCalcFile(path, tape, English));
    const CalcFileRead read = loadCalcFile(path, English);
    ASSERT_TRUE(read.ok()) << read.error.reason;
    EXPECT_EQ(dump(*read.tape), dump(tape));

    const CalcFileRead missing = loadCalcFile(dir / "none.Clc", English);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error.line, 0u);
    EXPECT_EQ(missing.error.reason, "file not found");

    std::ofstream(dir / "bad.Clc", std::ios::binary) << "H\r\n+1\r\n+x\r\n";
    const CalcFileRead bad = loadCalcFile(dir / "bad.Clc", English);
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error.line, 3u);
}

} // namespace
} // namespace qm
