// Regional separators from Qt's locales, and the names that are calculations.

#include "ui/platform/RegionalSettings.h"
#include "ui/platform/SettingsLocation.h"
#include "ui/UiTestSupport.h"

namespace qm::ui {
namespace {

TEST(Regional, SeparatorsOfLocales)
{
    for (const auto& r : qm::test::caseFile("app_regional.tsv", 3)) {
        const Regional got = regionalFromLocale(QLocale(QString::fromStdString(r[0])));
        EXPECT_EQ(std::string{got.decimalSep} + got.thousandSep, r[1] + r[2]) << r.where;
        EXPECT_EQ(got.grouping, 3) << r.where;
    }
    // Every locale gives two different plain characters.
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const Regional r = regionalFromLocale(locale);
        const std::string name = locale.name().toStdString();
        EXPECT_NE(r.decimalSep, r.thousandSep) << name;
        EXPECT_TRUE(r.decimalSep == '.' || r.decimalSep == ',' || r.decimalSep == '\'') << name;
        EXPECT_GE(static_cast<unsigned char>(r.thousandSep), 0x20u) << name;
        EXPECT_LT(static_cast<unsigned char>(r.thousandSep), 0x80u) << name;
    }
}

// ".clc" in any letter case names a calculation, never the settings file.
TEST(SettingsLocation, CalculationNames)
{
    for (const char* calc : {"tape.Clc", "tape.Clc.bak", "budget.clc", "BUDGET.CLC"})
        EXPECT_TRUE(namesCalculation(QString::fromLatin1(calc))) << calc;
    EXPECT_FALSE(namesCalculation(QStringLiteral("/tmp/a.cl")));
    EXPECT_FALSE(namesCalculation(QStringLiteral("my.cal")));
}

} // namespace
} // namespace qm::ui
