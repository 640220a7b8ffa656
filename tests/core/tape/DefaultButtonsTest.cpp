#include "core/tape/DefaultButtons.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(DefaultButtons, CaptionsFormulasAndTips)
{
    const FunctionButtons b = defaultFunctionButtons();
    const char* captions[] = {"Exp", "Log", "Sqr", "Sin", "Cos", "Tan", "Cot", "Csc",
                              "Sec", "Asin", "Acos", "Atan", "Fix", "Int", "Roun", "Svol",
                              "Kilo", "Ibs", "", "", "", "", ""};
    for (int i = 0; i < FunctionButtonCount; ++i) {
        EXPECT_EQ(b[static_cast<std::size_t>(i)].Caption, captions[i]) << i;
        EXPECT_FALSE(b[static_cast<std::size_t>(i)].ToolTip.empty()) << i;
        if (i < 15 || i > 17) {
            EXPECT_TRUE(b[static_cast<std::size_t>(i)].Formula.empty()) << i;
        }
    }
    EXPECT_EQ(b[15].Formula, "(4*3.14159265358979*X^3)/3");
    EXPECT_EQ(b[16].Formula, "X/2.2");
    EXPECT_EQ(b[17].Formula, "X*2.2");
    EXPECT_EQ(b[0].ToolTip, "Specifying e (the base of natural logarithms) raised to a power.");
    EXPECT_EQ(b[1].ToolTip, "Specifying the natural logarithm of a number");
    EXPECT_EQ(b[2].ToolTip, "Specifying the square root of a number.");
    EXPECT_EQ(b[17].ToolTip, "Kilograms to Pounds function button... Ibs(Kilos)");
    EXPECT_EQ(b[22].ToolTip, "Custom function button...");
}

} // namespace
} // namespace qm
