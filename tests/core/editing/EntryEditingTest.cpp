#include "core/editing/EntryEditing.h"

#include "core/commands/TapeCommands.h"

#include "core/CoreTestSupport.h"

#include <map>

namespace qm {
namespace {

using namespace test;

TEST(EntryEditing, KeyPressTable)
{
    for (const CaseRow& r : caseFile("core_entry_keys.tsv", 6)) {
        const KeyDecision d = classifyKeyPress(r.number(0), r[1], ',', '.');
        EXPECT_EQ(std::to_string(d.swallow) + std::to_string(d.tail) + std::to_string(d.enter) + (d.op ? d.op : '-'),
                  r[2] + r[3] + r[4] + r[5]) << r.where;
    }
    // With the comma as decimal separator the period groups thousands.
    EXPECT_FALSE(classifyKeyPress('.', "1.234,5", '.', ',').swallow);
    EXPECT_TRUE(classifyKeyPress(',', "1.234,5", '.', ',').swallow);
    // A non-ASCII separator is compared as the character code it is typed as.
    EXPECT_FALSE(classifyKeyPress(0xA0, "1", static_cast<char>(0xA0), ',').swallow);
}

// What a line stores: "kept" (nothing), "text:<text>" or the number's text.
std::string stored(const std::optional<Value>& v) { return !v ? "kept" : test::stored(*v); }

TEST(EntryEditing, EditsOfTheCaseFile)
{
    std::map<std::string, int> kinds;
    for (const CaseRow& row : caseFile("core_entry_values.tsv", 0)) {
        const std::string& kind = row[0];
        ++kinds[kind];
        if (kind == "reads") {
            EXPECT_EQ(editTextReadsBack(row[2], valueOf(row[1]), English) ? "yes" : "no", row[3]) << row.where;
        } else if (kind == "release" || kind == "releaseG") {
            EXPECT_EQ(stored(keyReleaseValue(valueOf(row[1]), row[2], kind == "releaseG" ? German : English)), row[3]) << row.where;
        } else if (kind == "delete" || kind == "deleteG") {
            const DeleteEdit e = keypadDelete(row[1], row.number(2), kind == "deleteG" ? German : English);
            EXPECT_EQ(e.text + "|" + std::to_string(e.caret) + "|" + stored(e.value), row[3] + "|" + row[4] + "|" + row[5]) << row.where;
        } else if (kind == "sign") {
            const SignEdit e = keypadSign(row[1], English);
            EXPECT_EQ(e.text + "|" + std::to_string(e.caret) + "|" + (e.focus ? "yes" : "no") + "|" +
                          std::to_string(e.foreColor ? static_cast<int>(*e.foreColor) : -1) + "|" + stored(e.value),
                      row[2] + "|" + row[3] + "|" + row[4] + "|" + row[5] + "|" + row[6]) << row.where;
        } else if (kind == "function") {
            EXPECT_EQ(functionLineText(row[1], row[2], row[3].at(0)), row[4]) << row.where;
        } else if (kind == "memory") {
            EXPECT_EQ(stored(totalMemoryValue(row[1], English)), row[2]) << row.where;
        } else if (kind == "percent") {
            EXPECT_EQ(togglePercent(row[1]), row[2]) << row.where;
        } else if (kind == "isfunction") {
            EXPECT_EQ(isFunctionLine(row[1]) ? "yes" : "no", row[2]) << row.where;
        } else {
            ADD_FAILURE() << row.where;
        }
    }
    EXPECT_EQ(kinds.size(), 10u);
    EXPECT_TRUE(keypadDelete("Sin(30)", 0, English).value->isDouble());
}

TEST(EntryEditing, TapeGrowsByOneLineUntilItsLimit)
{
    Tape tape;
    tape.resize(17);   // rows 0..16 shown, nothing to scroll
    tape.TapeValue[16] = Value(Decimal::fromInt(4));
    Result<int> m = growTape(tape, 0, 16, 'x');
    ASSERT_TRUE(m);
    EXPECT_EQ(*m, 1);
    ASSERT_EQ(tape.size(), 18u);
    EXPECT_EQ(stored(tape.TapeValue[16]) + " " + stored(tape.TapeValue[17]) + " " + tape.TapeOp[17], "4 empty x");
    // A tape longer than the scroll range says (left by Clear All) is cut to it.
    tape.resize(40);
    ASSERT_TRUE(growTape(tape, 1, 16, '-'));
    EXPECT_EQ(tape.size(), 19u);
    EXPECT_EQ(tape.TapeOp[18], '-');
    // Past 32767 lines (as a file may bring) it still grows, up to the
    // tape's limit, where nothing changes.
    Tape big;
    big.resize(40000);
    ASSERT_TRUE(growTape(big, 40000 - 1 - 16, 16, '+', 40001));   // the last line the limit allows
    EXPECT_EQ(big.TapeLast(), 40000);
    const std::size_t size = big.size();
    EXPECT_EQ(growTape(big, 40000 - 16, 16, '+', 40001).failure(), Failure::OutOfRange);
    EXPECT_EQ(big.size(), size);
    EXPECT_FALSE(growTape(big, -1, 16, '+'));
}

} // namespace
} // namespace qm
