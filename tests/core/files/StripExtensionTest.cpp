#include "core/files/StripExtension.h"

#include <gtest/gtest.h>

namespace {

struct StripCase {
    const char* in;
    const char* out;
};

TEST(StripExtension, RemovesFromTheLastDot)
{
    const StripCase cases[] = {
        {"budget.txt", "budget"},
        {"budget", "budget"},
        {"my.budget.txt", "my.budget"},
        {"report.clc", "report"},
        {".Clc", ""},            // a text starting with its only "."
        {"", ""},
        {"name.", "name"},
        {"a..b", "a."},
        {"..", "."},
        {"Gr\xC3\xBC\xC3\x9F" "e.Clc", "Gr\xC3\xBC\xC3\x9F" "e"},   // UTF-8 name
    };
    for (const StripCase& c : cases)
        EXPECT_EQ(qm::StripExtension(c.in), c.out) << "input: " << c.in;
}

TEST(StripExtension, AppendingTheExtensionGivesTheDialogNames)
{
    // The file dialog always turns a name into StripExtension(name) + ".Clc".
    const StripCase cases[] = {
        {"budget.txt", "budget.Clc"},
        {"budget", "budget.Clc"},
        {"my.budget.txt", "my.budget.Clc"},
        {"", ".Clc"},
        {".Clc", ".Clc"},
        {"report.clc", "report.Clc"},
    };
    for (const StripCase& c : cases)
        EXPECT_EQ(qm::StripExtension(c.in) + ".Clc", c.out) << "input: " << c.in;
}

} // namespace
