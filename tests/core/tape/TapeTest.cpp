#include "core/tape/MailCalc.h"
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/PositiveSort.h"
#include "core/tape/SettingsFile.h"
#include "core/number/TextForm.h"

#include "core/CoreTestSupport.h"

#include <bit>
#include <cstdlib>
#include <map>
#include <random>

#include <sys/wait.h>
#include <unistd.h>

namespace qm {
namespace {

using namespace test;

struct Calc {
    CalcSettings settings;
    FunctionButtons buttons = defaultFunctionButtons();
    std::string previous = "previous";
    Evaluator evaluator;
    TotalResult operator()(const Tape& tape) { return MailCalc(tape, settings, buttons, previous, evaluator); }
    std::string text(const Tape& tape) { return (*this)(tape).text; }
};

TEST(MailCalc, TotalsOfTheCaseFile)
{
    for (const CaseRow& row : caseFile("core_mailcalc_totals.tsv", 6)) {
        Calc calc;
        calc.settings.DecimalPlaces = row.number(0);
        calc.settings.StatMode = row.number(1);
        calc.settings.regional = row[2] == "G" ? German : English;
        EXPECT_EQ(calc.text(tapeOfLines(row[3])), row[4]) << row.where;
    }
}

TEST(MailCalc, UserFunctionFormulaRulesAndTheColour)
{
    Calc calc;
    for (const CaseRow& r : caseFile("core_mailcalc_functions.tsv", 3)) {
        if (r[0].starts_with("button "))
            calc.buttons.at(std::stoul(r[0].substr(7))) = {r[1], r[2], ""};
        else
            EXPECT_EQ(calc.text(tapeOfLines(r[1])), r[2]) << r.where;
    }
    // Red for a negative total; an unknown mode keeps the box's text, coloured by it.
    Calc plain;
    EXPECT_EQ(plain(tapeOfLines("+0")).colour, TotalColourBlack);
    EXPECT_EQ(plain(tapeOfLines("+5|-7")).colour, TotalColourRed);
    plain.settings.StatMode = 1;
    EXPECT_EQ(plain(tapeOfLines("+-5")).colour, TotalColourBlack);   // "Average : -5"
    plain.settings.StatMode = 9;
    plain.previous = "-12";
    const TotalResult kept = plain(tapeOfLines("+1"));
    EXPECT_EQ(kept.text, "-12");
    EXPECT_EQ(kept.colour, TotalColourRed);
}

// Every line's running total, from the one pass, is the total of the tape
// cut after that line: on a tape built from the shared decimal vectors
// (a under "+", b under the case's operator), with rounding, function and
// power lines mixed in, in both the plain and the fixed-decimals form.
TEST(MailCalcRunningTotals, EqualTheTotalOfTheTapeCutAfterEachLine)
{
    Tape tape;
    const std::map<std::string, char> ops = {{"add", '+'}, {"sub", '-'}, {"mul", 'x'}, {"div", '/'}};
    const char* const extras[] = {"Roun(2)", "Int", "Asin(1)", "Sqr(2)", "Fix", "Atan(1)"};
    std::size_t cases = 0;
    for (const CaseRow& row : caseFile("decimal_vectors.tsv", 4)) {
        if (!ops.count(row[0]))
            continue;
        tape.TapeValue.push_back(val(row[1]));
        tape.TapeOp.push_back('+');
        tape.TapeValue.push_back(val(row[2]));
        tape.TapeOp.push_back(ops.at(row[0]));
        if (++cases % 7 == 0) {
            tape.TapeValue.emplace_back(std::string(extras[(cases / 7) % std::size(extras)]));
            tape.TapeOp.push_back(cases % 3 == 0 ? '^' : '+');
        }
    }
    ASSERT_GT(cases, 1000u);
    const FunctionButtons buttons = defaultFunctionButtons();
    for (const int decimals : {25, 2}) {
        CalcSettings settings;
        settings.DecimalPlaces = decimals;
        Evaluator ev;
        std::vector<LineTotal> totals;
        const TotalResult whole = MailCalc(tape, settings, buttons, {}, ev, totals);
        ASSERT_EQ(totals.size(), tape.size());
        EXPECT_EQ(runningTotalText(totals.back(), settings, buttons), whole.text);
        Tape cut;
        for (std::size_t i = 0; i < tape.size(); ++i) {
            cut.TapeValue.push_back(tape.TapeValue[i]);
            cut.TapeOp.push_back(tape.TapeOp[i]);
            Evaluator fresh;
            ASSERT_EQ(runningTotalText(totals[i], settings, buttons), MailCalc(cut, settings, buttons, {}, fresh).text)
                << "line " << i << " with " << decimals << " decimals";
        }
    }
}

// The same value in the same representation: kind, scale, bits or bytes.
bool identical(const Value& a, const Value& b)
{
    if (a.kind() != b.kind())
        return false;
    if (a.isDecimal())
        return a.decimal() == b.decimal() && a.decimal().scale() == b.decimal().scale();
    if (a.isDouble())
        return std::bit_cast<std::uint64_t>(a.dbl()) == std::bit_cast<std::uint64_t>(b.dbl());
    return !a.isText() || a.text() == b.text();
}

// The selection sort done literally, one pass per place over the rest: the
// reference the tree form must match exactly.
void selectionSortLiteral(std::vector<Value>& values)
{
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        std::size_t b = i;
        for (std::size_t j = i + 1; j < values.size(); ++j) {
            if (compare(values[j], values[b]) < 0)
                b = j;
        }
        if (b != i)
            std::swap(values[i], values[b]);
    }
}

void expectIdentical(const std::vector<Value>& got, const std::vector<Value>& want, const std::string& what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_TRUE(identical(got[i], want[i])) << what << " at " << i << ": " << plainText(got[i]);
}

TEST(PositiveSort, PositivesFirstRestZeroedAndTheFastFormMatchesTheLiteralPass)
{
    for (const CaseRow& c : caseFile("core_positive_sort.tsv", 3)) {
        std::vector<Value> in = valuesOf(c[0]);
        EXPECT_EQ(sortPositivesFirst(in), static_cast<std::size_t>(c.number(1))) << c.where;
        expectIdentical(in, valuesOf(c[2]), c.where);
    }
    // Many ties that can still be told apart: scales, doubles beside equal
    // decimals, empties beside zeros, texts.
    const std::vector<Value> pool = {
        val("1"), val("1.0"), Value(1.0), val("0"), val("0.0"), Value(), Value(0.0), val("-2"),
        val("-2.0"), Value(-2.0), val("0.1"), Value(0.1), Value("a"), Value("b"), Value("a"),
        val("79228162514264337593543950335"), Value(1e30)};
    std::mt19937 gen(12345);
    for (int round = 0; round < 3001; ++round) {
        // The last round is one long tape of small integers.
        const bool large = round == 3000;
        std::vector<Value> a(large ? 4000 : std::uniform_int_distribution<std::size_t>(0, 40)(gen));
        for (auto& x : a)
            x = large ? Value(Decimal::fromInt(std::uniform_int_distribution<int>(-500, 500)(gen)))
                      : pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(gen)];
        std::vector<Value> b = a;
        selectionSortLiteral(a);
        detail::selectionSortTree(b);
        expectIdentical(b, a, "round " + std::to_string(round));
        for (std::size_t i = 1; i < b.size(); ++i)
            ASSERT_TRUE(compare(b[i - 1], b[i]) <= 0) << i;
    }
}

namespace fs = std::filesystem;

std::string bytes(std::initializer_list<int> list)
{
    std::string s;
    for (int b : list)
        s.push_back(static_cast<char>(b));
    return s;
}

// Every field in file order, names with their kind.
std::vector<std::string> dump(const SettingsData& d)
{
    std::vector<std::string> fields;
    for (const FunctionButton& b : d.buttons)
        fields.insert(fields.end(), {b.Caption, b.Formula, b.ToolTip});
    for (std::size_t k = 0; k < d.HighScores.size(); ++k)
        fields.insert(fields.end(), {std::to_string(static_cast<int>(d.HighScoreNames[k].kind())) + ":" +
                                         plainText(d.HighScoreNames[k]), std::to_string(d.HighScores[k])});
    return fields;
}

TEST(SettingsFileWrite, ExactBytes)
{
    SettingsData d;
    d.buttons[0] = {"Svol", "X", ""};
    d.buttons[22].ToolTip = "\u00E9";
    d.HighScoreNames[0] = Value("Ann");
    d.HighScores[0] = 300;
    d.HighScores[1] = -2;                  // name left empty
    d.HighScoreNames[2] = Value("");       // empty text stays a text
    d.HighScores[39] = -32768;
    std::string expected = bytes({8, 0, 4, 0, 'S', 'v', 'o', 'l', 8, 0, 1, 0, 'X'});
    for (int field = 2; field < FunctionButtonCount * 3 - 1; ++field)
        expected += bytes({8, 0, 0, 0});
    expected += bytes({8, 0, 1, 0, 0xE9,                        // the last tooltip in the code page
                       8, 0, 3, 0, 'A', 'n', 'n', 0x2C, 0x01,   // "Ann", 300
                       0, 0, 0xFE, 0xFF,                        // empty, -2
                       8, 0, 0, 0, 0, 0});                      // "", 0
    expected += std::string((HighScoreCount - 4) * 4, '\0') + bytes({0, 0, 0x00, 0x80});
    EXPECT_EQ(writeSettings(d), expected);
}

TEST(SettingsFile, RoundTripKeepsEverythingAndCutsLongTexts)
{
    SettingsData d;
    for (std::size_t k = 0; k < d.buttons.size(); ++k)
        d.buttons[k] = {"B" + std::to_string(k), "X*" + std::to_string(k), "tip \u20AC" + std::to_string(k)};
    for (std::size_t k = 0; k < d.HighScores.size(); ++k) {
        if (k % 3 != 2)
            d.HighScoreNames[k] = Value("N\u00FC" + std::to_string(k));
        d.HighScores[k] = static_cast<std::int16_t>(1000 - 97 * static_cast<int>(k));
    }
    const std::string written = writeSettings(d);
    EXPECT_EQ(dump(readSettings(written)), dump(d));
    // Bytes beyond the last field, left by an older longer file, are ignored.
    EXPECT_EQ(dump(readSettings(written + std::string("\x08\x00garbage", 9))), dump(d));
    // A number as a name is written as text; a text too long is cut to 32767 bytes.
    d.HighScoreNames[0] = Value(Decimal::fromInt(-12));
    d.buttons[0].Formula = std::string(40000, 'a');
    const std::string cut = writeSettings(d);
    EXPECT_EQ(cut.substr(6, 4), bytes({8, 0, 0xFF, 0x7F}));   // after the caption "B0"
    const SettingsData back = readSettings(cut);
    EXPECT_EQ(back.buttons[0].Formula, std::string(SettingsTextMaxBytes, 'a'));
    EXPECT_EQ(stored(back.HighScoreNames[0]), "text:-12");
}

// A field the file does not give keeps the value it had (the built-in one
// at start-up); reading stops at the first damaged field, since the place of
// those after it can no longer be trusted. Only a file that gives every
// field is a settings file.
TEST(SettingsFileRead, WhatCannotBeReadKeepsItsBuiltInValueUpToTheLargestFile)
{
    const SettingsData base = builtInSettings();
    SettingsData d, ok;
    d.buttons[0] = {"Abc", "X", "Hi"};
    d.buttons[5].Caption = "Kilo";
    for (std::size_t k = 0; k < 4; ++k) {
        d.HighScoreNames[k] = Value("P" + std::to_string(k));
        d.HighScores[k] = static_cast<std::int16_t>(10 + k);
    }
    ok.buttons[0].Caption = "Ok";
    // The first `fields` fields of `file`, the rest of base.
    const auto mix = [&base](const SettingsData& file, int fields) {
        std::vector<std::string> out = dump(base), from = dump(file);
        std::copy_n(from.begin(), fields, out.begin());
        return out;
    };
    const std::string full = writeSettings(d);
    const std::size_t firstButton = 4 + 3 + 4 + 1 + 4 + 2;
    // The first caption readable, the formula damaged, then a well-formed tooltip.
    const auto damaged = [](const std::string& second) { return bytes({8, 0, 2, 0, 'O', 'k'}) + second + bytes({8, 0, 1, 0, 'T'}); };
    const struct { const char* name; std::string bytes; std::string problem; const SettingsData& from; int fields; } rows[] = {
        {"complete", full, "", d, SettingsFieldCount},
        {"longer than the data", full + "junk", "", d, SettingsFieldCount},
        {"empty", "", "the file is empty", d, 0},
        {"one byte", "\x08", "the file ends inside field 1 of 149", d, 0},
        {"cut inside a text", full.substr(0, 5), "the file ends inside field 1 of 149", d, 0},
        {"cut inside a length", full.substr(0, firstButton + 3), "the file ends inside field 4 of 149", d, 3},
        {"unknown type", full.substr(0, firstButton) + bytes({5, 0}), "field 4 has the unknown type code 5", d, 3},
        // entries 4.. are an empty name and a score, 4 bytes each
        {"cut inside the third entry's score", full.substr(0, full.size() - 36 * 4 - 9), "the file ends inside field 75 of 149", d, 74},
        {"length past the end", damaged(bytes({8, 0, 10, 0, 'a', 'b'})), "the file ends inside field 2 of 149", ok, 1},
        {"unknown type code 2 with data", damaged(bytes({2, 0, 1, 0})), "field 2 has the unknown type code 2", ok, 1},
        {"largest length", damaged(bytes({8, 0, 0xFF, 0xFF}) + std::string(10, 'x')), "the file ends inside field 2 of 149", ok, 1},
    };
    for (const auto& r : rows) {
        const SettingsRead read = readSettings(r.bytes, base);
        EXPECT_EQ(std::to_string(read.complete) + " " + read.problem, std::to_string(r.problem.empty()) + " " + r.problem) << r.name;
        EXPECT_EQ(dump(read.data), mix(r.from, r.fields)) << r.name;
    }
    // The largest file there can be is every field a text of 65535 bytes; one
    // byte more is not a settings file, however it starts.
    EXPECT_EQ(SettingsFileMaxBytes, 7143831u);
    std::string largest;
    for (int field = 0; field < FunctionButtonCount * 3 + HighScoreCount; ++field) {
        largest += bytes({8, 0, 0xFF, 0xFF}) + std::string(0xFFFF, static_cast<char>('a' + field % 26));
        if (field >= FunctionButtonCount * 3)
            largest += bytes({1, 0});   // the entry's score
    }
    ASSERT_EQ(largest.size(), SettingsFileMaxBytes);
    const SettingsRead read = readSettings(largest, builtInSettings());
    EXPECT_TRUE(read.complete) << read.problem;
    EXPECT_EQ(read.data.buttons[22].ToolTip, std::string(0xFFFF, 'a' + 68 % 26));
    EXPECT_EQ(read.data.HighScores[39], 1);
    const SettingsRead over = readSettings(largest + "x", builtInSettings());
    EXPECT_FALSE(over.complete);
    EXPECT_EQ(over.problem, "larger than the largest settings file (7143831 bytes)");
    EXPECT_EQ(dump(over.data), dump(builtInSettings()));
}

class SettingsFileDisk : public ::testing::Test {
protected:
    TempDir temp;
    fs::path at(const char* name) const { return temp / name; }
};

// Loading tells a missing, unreadable, damaged and complete file apart;
// saving never loses the file it replaces: a damaged one is kept aside, a
// folder is left alone.
TEST_F(SettingsFileDisk, LoadingTellsWhatItFoundAndSavingKeepsADamagedFileAside)
{
    const SettingsData data = builtInSettings();
    const std::string written = writeSettings(data);
    SettingsData d = data;
    d.buttons[3].Caption = "Mine";
    putFile(at("good.cal"), writeSettings(d));
    putFile(at("cut.cal"), "\x08\x00\x05");
    putFile(at("huge.cal"), writeSettings(d));
    fs::resize_file(at("huge.cal"), std::uintmax_t{40} << 30);   // sparse: no disk used
    fs::create_directory(at("folder.cal"));
    const std::string builtIn = data.buttons[3].Caption;
    const struct { const char* file; bool ok, complete; FileError error; std::string caption3; } rows[] = {
        {"good.cal", true, true, FileError::None, "Mine"},
        {"cut.cal", true, false, FileError::None, builtIn},
        {"huge.cal", true, false, FileError::None, builtIn},
        {"none.cal", false, false, FileError::NotFound, builtIn},
        {"folder.cal", false, false, FileError::IsFolder, builtIn},
    };
    for (const auto& r : rows) {
        const SettingsLoad load = loadSettingsFile(at(r.file));
        EXPECT_EQ(std::make_tuple(load.ok, load.complete, load.error, load.data.buttons[3].Caption, load.reason.empty()),
                  std::make_tuple(r.ok, r.complete, r.error, r.caption3, r.complete)) << r.file;
    }
    EXPECT_EQ(builtIn, defaultFunctionButtons()[3].Caption);
    EXPECT_TRUE(saveSettingsFile(at("good.cal"), data));
    EXPECT_FALSE(fs::exists(at("good.cal.damaged")));
    EXPECT_TRUE(saveSettingsFile(at("cut.cal"), data));
    EXPECT_EQ(fileBytes(at("cut.cal.damaged")), std::string("\x08\x00\x05"));
    // A second damaged file gets a numbered copy; the first stays.
    putFile(at("cut.cal"), "\x08\x00\x06");
    EXPECT_TRUE(saveSettingsFile(at("cut.cal"), data));
    EXPECT_EQ(fileBytes(at("cut.cal.damaged")), std::string("\x08\x00\x05"));
    EXPECT_EQ(fileBytes(at("cut.cal.damaged-2")), std::string("\x08\x00\x06"));
    EXPECT_TRUE(saveSettingsFile(at("huge.cal"), data));
    EXPECT_EQ(fs::file_size(at("huge.cal.damaged")), std::uintmax_t{40} << 30);
    EXPECT_TRUE(saveSettingsFile(at("new.cal"), data));
    for (const char* file : {"good.cal", "cut.cal", "huge.cal", "new.cal"})
        EXPECT_EQ(fileBytes(at(file)), written) << file;
    EXPECT_FALSE(saveSettingsFile(at("folder.cal"), data));
    EXPECT_TRUE(fs::is_directory(at("folder.cal")));
    EXPECT_EQ(damagedSettingsPath("/a/b.cal"), fs::path("/a/b.cal.damaged"));
}

// A settings file the user may not read is never replaced, though its folder
// would let it be. Run as an ordinary user: as root, in a child process that
// has become "nobody".
TEST_F(SettingsFileDisk, SavingNeverReplacesAFileItCannotRead)
{
    const std::string old = writeSettings(builtInSettings()) + "old";
    putFile(at("locked.cal"), old);
    fs::permissions(temp.path, fs::perms::all);
    fs::permissions(at("locked.cal"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
    auto attempt = [this] {
        const FileStatus st = saveSettingsFile(at("locked.cal"), builtInSettings());
        return !st.ok && st.reason == "the file there cannot be read (permission denied), so it is not replaced";
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(attempt());
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool asNobody = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            std::_Exit(!asNobody ? 2 : attempt() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 2) << "could not become nobody";
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_EQ(fileBytes(at("locked.cal")), old);
    EXPECT_EQ(temp.entries(), 1u);
}

} // namespace
} // namespace qm
