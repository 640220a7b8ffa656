#include "core/files/Cp1252.h"

#include "core/CoreTestSupport.h"

namespace qm {
namespace {

TEST(Cp1252, CasesOfTheFile)
{
    for (const test::CaseRow& r : test::caseFile("core_cp1252.tsv", 3)) {
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

} // namespace
} // namespace qm
