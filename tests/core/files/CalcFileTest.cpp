#include "core/files/CalcFile.h"
#include "core/files/Cp1252.h"
#include "core/files/DriveList.h"
#include "core/files/StripExtension.h"

#include "core/CoreTestSupport.h"

#include <limits>
#include <map>

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
    for (const CaseRow& r : caseFile("core_calcfile_write.tsv", 3))
        EXPECT_EQ(writeCalcFile(tapeOf({{r[0].at(0), valueOf(r[1])}}), English), "Ferrowick 6\r\n" + r[2] + "\r\n") << r.where;
    Tape missingOp = tapeOf({{'x', val("2")}});
    missingOp.TapeValue.push_back(val("7"));
    EXPECT_EQ(writeCalcFile(missingOp, English), "Ferrowick 6\r\nx2\r\n+7\r\n");   // written as plus
}

TEST(CalcFileRead, FilesOfTheCaseFileWholeAndInPieces)
{
    const std::map<std::string, Regional> settings = {
        {"E", English}, {"G", German}, {"blank", {',', ' ', 3}}, {"same", {'.', '.', 3}}};
    for (const CaseRow& row : caseFile("core_calcfile_read.tsv", 4)) {
        const CalcFileRead read = readCalcFile(row[1], settings.at(row[0]));
        if (row[2] == "0") {
            ASSERT_TRUE(read.ok()) << row.where << ": " << read.error.line << " " << read.error.reason;
            EXPECT_EQ(dump(*read.tape), dump(tapeOfLines(row[3]))) << row.where;
            // However the file comes in pieces (a CR LF split between two), the tape is the same.
            for (std::size_t piece = 1; piece <= 4; ++piece) {
                CalcFileReader reader(settings.at(row[0]));
                for (std::size_t at = 0; at < row[1].size(); at += piece)
                    ASSERT_TRUE(reader.feed(std::string_view(row[1]).substr(at, piece))) << row.where;
                const CalcFileRead pieces = reader.finish();
                EXPECT_TRUE(pieces.ok() && dump(*pieces.tape) == dump(*read.tape)) << row.where << " in pieces of " << piece;
            }
        } else {
            EXPECT_FALSE(read.ok()) << row.where;
            EXPECT_EQ(std::to_string(read.error.line) + " " + (row[3].empty() ? "" : read.error.reason), row[2] + " " + row[3])
                << row.where << ": " << read.error.reason;
        }
    }
}

// Notes: a tab and the note after the value, only on lines that have one,
// so a tape without notes gives the bytes it always gave.
TEST(CalcFileRoundTrip, NotesComeBackAndATapeWithoutThemKeepsItsBytes)
{
    Tape tape = tapeOfLines("+12.5|x3|-Sin(30)|+0");
    EXPECT_EQ(writeCalcFile(tape, English), "Ferrowick 6\r\n+12.5\r\nx3\r\n-Sin(30)\r\n+0\r\n");
    tape.setNote(0, "Caf\xC3\xA9, \"lunch\"");   // cp1252 on disk
    tape.setNote(2, "Angle");
    const std::string bytes = writeCalcFile(tape, English);
    EXPECT_EQ(bytes, "Ferrowick 6\r\n+12.5\tCaf\xE9, \"lunch\"\r\nx3\r\n-Sin(30)\tAngle\r\n+0\r\n");
    const CalcFileRead back = readCalcFile(bytes, English);
    ASSERT_TRUE(back.ok()) << back.error.reason;
    EXPECT_EQ(dump(*back.tape), dump(tape));
    EXPECT_EQ(back.tape->TapeNote, tape.TapeNote);
    // A control character in a note would end its file line early.
    tape.setNote(3, "a\nb\rc\td");
    EXPECT_NE(writeCalcFile(tape, English).find("+0\ta?b?c?d\r\n"), std::string::npos);
    // A note too long is refused with its line, like any other fault.
    const CalcFileRead r = readCalcFile("Ferrowick 6\r\n+1\r\n+2\t" + std::string(MaxNoteChars + 1, 'n') + "\r\n", English);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error.line, 3u) << r.error.reason;
}

TEST(CalcFileRead, LimitsOfLinesLineLengthAndEmptyLines)
{
    // The longest line is read; one byte more fails at that line.
    const std::string longest = "+(" + std::string(MaxCalcLineBytes - 2, 'a');
    EXPECT_TRUE(readCalcFile("Ferrowick 6\r\n" + longest + "\r\n", English).ok());
    const CalcFileRead tooLong = readCalcFile("Ferrowick 6\r\n+1\r\n" + longest + "a\r\n", English);
    EXPECT_EQ(tooLong.error.line, 3u);
    EXPECT_EQ(tooLong.error.reason, "the line is longer than 1048576 bytes");
    // MaxTapeLines tape lines are read; one more fails at that line. (Only
    // counted: the tape itself would take 400 MB.)
    std::string block;
    for (int i = 0; i < 100000; ++i)
        block += "+\n";
    const auto fullReader = [&block](CalcFileReader& reader) {
        EXPECT_TRUE(reader.feed("Ferrowick 6\n"));
        for (std::size_t lines = 0; lines < MaxTapeLines; lines += 100000)
            ASSERT_TRUE(reader.feed(block)) << lines;
    };
    CalcFileReader counter(English, false), full(English, false);
    fullReader(counter);
    EXPECT_TRUE(counter.feed("\n"));   // an empty line at the end is no tape line
    fullReader(full);
    EXPECT_FALSE(full.feed("x2\n"));
    const CalcFileRead over = full.finish();
    EXPECT_EQ(over.error.line, MaxTapeLines + 2);
    EXPECT_EQ(over.error.reason, "the tape would have more than 10000000 lines");
    // Reading stops at the first empty line that is not the last: a file of
    // endless empty lines fails with the first piece, keeping nothing.
    CalcFileReader reader(English);
    ASSERT_TRUE(reader.feed("Ferrowick 6\r\n+1\r\n"));
    std::string empties;
    for (int i = 0; i < (1 << 19); ++i)
        empties += "\r\n";
    EXPECT_FALSE(reader.feed(empties));
    EXPECT_FALSE(reader.feed(empties));   // nothing more is read
    const CalcFileRead read = reader.finish();
    EXPECT_EQ(std::to_string(read.error.line) + " " + read.error.reason, "3 the line is empty");
}

// The first line must be the header, so a file without one never opens with
// its first tape line lost.
TEST(CalcFileRead, HeaderIsChecked)
{
    for (const CaseRow& r : caseFile("core_calcfile_header.tsv", 2)) {
        const bool header = r[1] == "1";
        EXPECT_EQ(isCalcFileHeader(r[0]), header) << r.where;
        const CalcFileRead read = readCalcFile(r[0] + "\r\n+2\r\n", English);
        EXPECT_EQ(read.ok(), header) << r.where;
        if (!header && !r[0].empty()) {
            EXPECT_TRUE(read.error.line == 1u && read.error.problem == FileProblem::NotHeader) << r.where;
        }
    }
    EXPECT_EQ(readCalcFile("+100\r\n+2\r\n", English).error.reason,
              "\"+100\" is not the header of a calculation file (\"Ferrowick 6\")");
    // As the user reads it (the window and batch tables show the rest): an error without a reason.
    EXPECT_EQ(describeCalcFileError({0, "", {}, {}, {}}), ".");
}

TEST(CalcFileDisk, SavesLoadsReportsUnreadableFilesAndRefusesWhatWouldNotOpenAgain)
{
    const TempDir temp;
    const fs::path& dir = temp.path;
    const fs::path path = dir / "tape.Clc";
    const Tape tape = tapeOfLines("+1.5|xKilo(10)");
    ASSERT_TRUE(saveCalcFile(path, tape, English));
    const CalcFileRead read = loadCalcFile(path, English);
    ASSERT_TRUE(read.ok()) << read.error.reason;
    EXPECT_EQ(dump(*read.tape), dump(tape));
    putFile(dir / "bad.Clc", "Ferrowick 6\r\n+1\r\n+x\r\n");
    // Empty lines, then zeros up to just below the size limit: reading stops
    // at the first empty line instead of taking the file in.
    const fs::path empties = dir / "empties.Clc";
    putFile(empties, "Ferrowick 6\r\n+1\r\n\r\n\r\n");
    fs::resize_file(empties, MaxCalcFileBytes);
    // Sparse files beyond the limit take no disk space; refused unread.
    putFile(dir / "huge.Clc", "Ferrowick 6\r\n");
    fs::resize_file(dir / "huge.Clc", MaxCalcFileBytes + 1);
    fs::create_directory(dir / "folder.Clc");
    const struct { fs::path file; std::size_t line; std::string reason; } rows[] = {
        {dir / "none.Clc", 0, "file not found"},
        {dir / "folder.Clc", 0, "is a folder"},
        {dir / "bad.Clc", 3, "\"x\" is not a number"},
        {empties, 3, "the line is empty"},
        {dir / "huge.Clc", 0, "the file is larger than 536870912 bytes"},
    };
    for (const auto& r : rows) {
        const CalcFileRead got = loadCalcFile(r.file, English);
        ASSERT_FALSE(got.ok()) << r.file;
        EXPECT_EQ(std::to_string(got.error.line) + " " + got.error.reason, std::to_string(r.line) + " " + r.reason) << r.file;
    }
    // A tape whose file would not open again is not saved, and says which line.
    const fs::path refused = dir / "t.Clc";
    const struct { Tape tape; std::string reason; } unsaved[] = {
        {tapeOf({{'+', val("1")}, {'+', Value("Sin30")}}), "tape line 2 would not open again: \"Sin30\" is not a number"},
        {tapeOf({{'x', Value(std::numeric_limits<double>::infinity())}}),
         "tape line 1 would not open again: \"Infinity\" is not a number"},
        {tapeOf({{'+', Value(std::string(1, '(') + std::string(MaxCalcLineBytes, 'a'))}}),
         "tape line 1 would not open again: the line is longer than 1048576 bytes"},
    };
    for (const auto& r : unsaved) {
        const FileStatus st = saveCalcFile(refused, r.tape, English);
        EXPECT_TRUE(!st.ok && !fs::exists(refused)) << r.reason;
        EXPECT_EQ(st.reason, r.reason);
    }
}

// File names and texts: the code page, extensions and the drive list.
TEST(FileTexts, CodePageAndExtensionCases)
{
    for (const test::CaseRow& r : test::caseFile("core_cp1252.tsv", 3)) {
        if (r[0] == "strip") {
            EXPECT_EQ(StripExtension(r[1]), r[2]) << r.where;
            continue;
        }
        EXPECT_EQ(encodeCp1252(r[r[0] == "decode" ? 2 : 1]), r[r[0] == "decode" ? 1 : 2]) << r.where;
        if (r[0] == "decode") {
            EXPECT_EQ(decodeCp1252(r[1]), r[2]) << r.where;
        }
    }
}

TEST(Cp1252, EveryByteSurvivesDecodeAndEncode)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = decodeCp1252(all);
    EXPECT_EQ(utf8.size(), 128u + 128u * 2u + 17u);   // 17 of the high bytes need three
    EXPECT_EQ(encodeCp1252(utf8), all);
    EXPECT_FALSE(isAscii(all));
    EXPECT_TRUE(isAscii(all.substr(0, 128)));
    EXPECT_EQ(decodeCp1252(all.substr(0, 128)), all.substr(0, 128));
}

TEST(DriveList, OrdersDrivesUserFolderParentFoldersThenMatchingFiles)
{
    ListingInput in;
    in.style = PathStyle::Posix;
    in.drives = {{"/", "/", DriveFixed, std::nullopt}, {"/media/stick", "", DriveRemovable, std::string("STICK")}};
    in.userFolder = "/home/ann";
    in.currentFolder = "/home/ann/calc";
    // Listing order as the platform gives it: files and folders mixed.
    in.items = {{"a.Clc", false, false}, {"b.CLC", false, false}, {"notes.txt", false, false},
                {"sub", true, false},    {"locked.Clc", false, true}, {"old", true, false},
                {".", true, false},      {"..", true, false}};
    in.pattern = ".Clc";
    std::string got;
    for (const DriveEntry& e : buildListing(in))
        got += e.text + " " + std::to_string(e.kind) + " " + e.path + "|";
    // Kinds: 13 fixed drive, 12 removable (its path falls back to the root),
    // 110 user folder, 1 folder, 2 file, 3 read-only file.
    EXPECT_EQ(got, "/ 13 /|/media/stick <STICK> 12 /media/stick|ann 110 /home/ann/|.. 1 |sub 1 |old 1 |a.Clc 2 |b.CLC 2 |locked.Clc 3 |");
}

TEST(DriveList, EntryUnderThePointerAndScrollRange)
{
    for (const test::CaseRow& c : test::caseFile("core_drive_entry_at.tsv", 5)) {
        const std::optional<int> at = entryAt(std::stod(c[0]), c.number(1), c.number(2), c.number(3));
        EXPECT_EQ(at ? std::to_string(*at) : "-", c[4]) << c.where;
    }
    // The scroll bar divides by max - min; at the largest value the bottom row holds the last entry.
    for (int count : {0, 1, 10, 11, 100}) {
        const ScrollLayout s = scrollLayout(count, 10);
        EXPECT_GT(s.valueMax, s.valueMin);
        EXPECT_EQ(clampTopIndex(s.valueMax + 5, count, 10), count > 10 ? count - 9 : 1) << count;
    }
}

} // namespace
} // namespace qm
