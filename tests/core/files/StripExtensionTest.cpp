#include "core/files/StripExtension.h"

#include <gtest/gtest.h>

namespace {

TEST(StripExtension, RemovesFromTheLastDot)
{
    const struct { const char* in; const char* out; } cases[] = {
        {"budget.txt", "budget"}, {"budget", "budget"}, {"my.budget.txt", "my.budget"},
        {"report.clc", "report"},
        {".Clc", ""},            // a text starting with its only "."
        {"", ""}, {"name.", "name"}, {"a..b", "a."}, {"..", "."},
        {"Gr\xC3\xBC\xC3\x9F" "e.Clc", "Gr\xC3\xBC\xC3\x9F" "e"},   // UTF-8 name
    };
    for (const auto& c : cases)
        EXPECT_EQ(qm::StripExtension(c.in), c.out) << "input: " << c.in;
}

} // namespace
