#include "core/files/Cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

TEST(Cp1252, DecodesHighBytesToTheirCharacters)
{
    struct Row { unsigned char byte; const char* utf8; };
    const Row rows[] = {
        {0x80, "\u20AC"}, {0x8A, "\u0160"}, {0x92, "\u2019"}, {0x9F, "\u0178"}, {0xA0, "\u00A0"},
        {0x81, "\u0081"}, {0x9D, "\u009D"},   // unassigned: kept as the control character
    };
    for (const Row& r : rows) {
        const std::string in(1, static_cast<char>(r.byte));
        EXPECT_EQ(decodeCp1252(in), r.utf8) << "byte " << int(r.byte);
        EXPECT_EQ(encodeCp1252(r.utf8), in) << "byte " << int(r.byte);
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

TEST(Cp1252, UnrepresentableAndMalformedBecomeQuestionMarks)
{
    struct Row { std::string in; std::string out; };
    const Row rows[] = {
        {"a\u2192b", "a?b"},                 // arrow: not in the code page
        {"\U0001F600(1)", "?(1)"},            // four-byte character counts once
        {"\u0080", "?"},                     // C1 control whose byte means the euro sign
        {"x\x80y", "x?y"},                   // stray continuation byte
        {"\xC3", "?"},                       // truncated sequence at the end
        {"\xE0\x80\x80", "???"},             // overlong three-byte form
        {"\xED\xA0\x80", "???"},             // surrogate
        {"\xF4\x90\x80\x80", "????"},        // above U+10FFFF
        {"Caf\xC3\xA9", "Caf\xE9"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(encodeCp1252(r.in), r.out) << r.in;
}

} // namespace
} // namespace qm
