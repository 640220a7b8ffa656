#include "core/tape/SettingsFile.h"

#include "core/number/TextForm.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

std::string bytes(std::initializer_list<int> list)
{
    std::string s;
    for (int b : list)
        s.push_back(static_cast<char>(b));
    return s;
}

constexpr std::size_t ButtonBytes = FunctionButtonCount * 3 * 4;   // every text empty: type 8, length 0

// Every field on a line of its own, names with their kind.
std::string dump(const SettingsData& d)
{
    std::string s;
    for (const FunctionButton& b : d.buttons)
        s += b.Caption + "|" + b.Formula + "|" + b.ToolTip + "\n";
    for (std::size_t k = 0; k < d.HighScores.size(); ++k)
        s += std::to_string(static_cast<int>(d.HighScoreNames[k].kind())) + ":" + plainText(d.HighScoreNames[k]) +
             " " + std::to_string(d.HighScores[k]) + "\n";
    return s;
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
    ASSERT_TRUE(back.HighScoreNames[0].isText());
    EXPECT_EQ(back.HighScoreNames[0].text(), "-12");
}

TEST(SettingsFileRead, EmptyAndShortFilesGiveEmptyFields)
{
    EXPECT_EQ(dump(readSettings("")), dump(SettingsData{}));

    // Cut inside the third high-score entry's score: entries 0 and 1 survive,
    // the name of entry 2 too, its score and everything after are 0 / empty.
    SettingsData d;
    d.buttons[5].Caption = "Kilo";
    for (std::size_t k = 0; k < 4; ++k) {
        d.HighScoreNames[k] = Value("P" + std::to_string(k));
        d.HighScores[k] = static_cast<std::int16_t>(10 + k);
    }
    const std::string full = writeSettings(d);
    const std::size_t cut = ButtonBytes + 4 + 3 * (6 + 2) - 1;
    const SettingsData part = readSettings(full.substr(0, cut));
    EXPECT_EQ(part.buttons[5].Caption, "Kilo");
    EXPECT_EQ(part.HighScores[1], 11);
    ASSERT_TRUE(part.HighScoreNames[2].isText());
    EXPECT_EQ(part.HighScoreNames[2].text(), "P2");
    EXPECT_EQ(part.HighScores[2], 0);
    EXPECT_TRUE(part.HighScoreNames[3].isEmpty());
    EXPECT_EQ(part.HighScores[3], 0);

    // A file that ends after a single byte of the first field.
    EXPECT_EQ(readSettings("\x08").buttons[0].Caption, "");
}

TEST(SettingsFileRead, DamagedFieldStopsReading)
{
    struct Row { const char* name; std::string second; };
    const Row rows[] = {
        {"length past the end", bytes({8, 0, 10, 0, 'a', 'b'})}, {"unknown type", bytes({5, 0})},
        {"unknown type with data", bytes({2, 0, 1, 0})},
        {"largest length", bytes({8, 0, 0xFF, 0xFF}) + std::string(10, 'x')},
    };
    for (const Row& r : rows) {
        // First caption readable, the formula damaged, then a well-formed tooltip
        // that must not be read: its place can no longer be trusted.
        const std::string file = bytes({8, 0, 2, 0, 'O', 'k'}) + r.second + bytes({8, 0, 1, 0, 'T'});
        SettingsData expected;
        expected.buttons[0].Caption = "Ok";
        EXPECT_EQ(dump(readSettings(file)), dump(expected)) << r.name;
    }
}

} // namespace
} // namespace qm
