#include "core/controls/PropertyBag.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(PropertyBag, CaseFreeKeysAndConversions)
{
    PropertyBag bag;
    bag.write("Fontsize", 11.25f);
    bag.write("FONTSIZE", 2.5f); // same key: replaced in place, first spelling kept
    bag.write("big", 3e9f);
    bag.write("s", std::string(" 12 "));
    bag.write("word", std::string("twelve"));
    bag.write("i", std::int32_t{0});
    EXPECT_EQ(bag.entries()[0].first, "Fontsize");
    EXPECT_EQ(*bag.readFloat("fontSize", 9.0f), 2.5f);
    EXPECT_EQ(*bag.readInt32("fontsize", 0), 2); // halves to even
    EXPECT_EQ(*bag.readString("fontsize", ""), "2.5");
    EXPECT_EQ(bag.readInt32("big", 0).failure(), Failure::Overflow);
    EXPECT_EQ(*bag.readInt32("s", 0), 12);
    EXPECT_EQ(bag.readInt32("word", 0).failure(), Failure::Conversion);
    EXPECT_EQ(bag.readBool("word", true).failure(), Failure::Conversion);
    EXPECT_EQ(*bag.readBool("i", true), false);
    EXPECT_TRUE(bag.remove("WORD"));
    EXPECT_FALSE(bag.contains("word"));
    EXPECT_EQ(bag.size(), 4u);
}

TEST(PropertyBag, TextRoundTripKeepsTypesOrderAndSinglePrecision)
{
    PropertyBag bag;
    bag.write("Caption", std::string("a \"quoted\" \\ line\nand\ttab"));
    bag.writeColour("BackColor", 0xE0E0E0);
    bag.writeColour("RenderColor", 0x80000012);
    bag.write("Enabled", false);
    bag.write("Fontsize", 11.25f);
    bag.write("Odd", 0.1f);
    bag.write("Border", std::int32_t{-32768});
    const std::string text = bag.toText();
    const auto back = PropertyBag::fromText(text);
    ASSERT_TRUE(back.ok()) << text;
    EXPECT_EQ(*back, bag) << text;
    EXPECT_NE(text.find("Fontsize = f:11.25\n"), std::string::npos) << text;
}

TEST(PropertyBag, MalformedTextFails)
{
    const char* bad[] = {
        "Caption s:\"x\"", "Caption = x:1", "Value = i:12x", "Size = f:nan",   // no '=', type, trailing text
        "Value = i:99999999999", "Caption = s:\"open", "Caption = s:\"a\\q\"",  // 33 bits, unterminated, escape
    };
    for (const char* t : bad)
        EXPECT_FALSE(PropertyBag::fromText(t).ok()) << t;
    const auto ok = PropertyBag::fromText("\r\n  Value = i:-5\r\n\nMax=i:7");
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(*ok->readInt32("value", 0), -5);
    EXPECT_EQ(*ok->readInt32("MAX", 0), 7);
}

} // namespace
} // namespace qm
