// Regional separators from Qt's locales, and the names that are calculations.

#include "ui/platform/RegionalSettings.h"
#include "ui/platform/SettingsLocation.h"
#include "ui/tape/WindowTestSupport.h"

namespace qm::ui {
namespace {

TEST(Regional, SeparatorsOfLocales)
{
    const struct { const char* locale; char decimalSep, thousandSep; } rows[] = {
        {"en_US", '.', ','},
        {"de_DE", ',', '.'},
        {"fr_FR", ',', ' '},    // narrow no-break space typed as a blank
        {"de_CH", '.', '\''},   // typographic apostrophe
        {"hi_IN", '.', ','},    // 12,34,567: the last group counts
    };
    for (const auto& r : rows) {
        const Regional got = regionalFromLocale(QLocale(QString::fromLatin1(r.locale)));
        EXPECT_EQ(got.decimalSep, r.decimalSep) << r.locale;
        EXPECT_EQ(got.thousandSep, r.thousandSep) << r.locale;
        EXPECT_EQ(got.grouping, 3) << r.locale;
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
