// Text forms of numbers: printing, strict/regional/leading-number reading and
// fixed-decimal formatting, also under a C locale with a comma point (a Qt
// application sets it from the environment).

#include "core/CoreTestSupport.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <map>

namespace qm {
namespace {

using namespace test;
namespace fs = std::filesystem;

const Regional& regionalNamed(const std::string& name)
{
    static const std::map<std::string, Regional> named = {
        {"E", English}, {"G", German}, {"same", {',', ',', 3}}, {"blank", {',', ' ', 3}},
        {"noGroup", {'.', ',', 0}}, {"fours", {'.', '\'', 4}}};
    return named.at(name);
}

double number(const std::string& text)
{
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

void checkTextForms()
{
    std::map<std::string, int> forms;
    for (const CaseRow& row : caseFile("core_textform.tsv", 4)) {
        const std::string& form = row[0];
        const std::string& in = row[1];
        ++forms[form];
        if (form == "double") {
            EXPECT_EQ(doubleText(number(in), row[2].at(0)), row[3]) << row.where;
        } else if (form == "strict") {
            EXPECT_EQ(show(parseStrict(in)), row[3]) << row.where;
        } else if (form == "regional") {
            EXPECT_EQ(show(parseRegional(in, regionalNamed(row[2]))), row[3]) << row.where;
        } else if (form == "leading") {
            EXPECT_EQ(leadingNumber(in), number(row[3])) << row.where;
        } else if (form == "plain") {
            EXPECT_EQ(plainText(valueOf(in), row[2].at(0)), row[3]) << row.where;
        } else if (form == "fixed" || form == "fixedValue") {
            const std::size_t blank = row[2].find(' ');
            const Value v = form == "fixed" ? Value(dec(in)) : valueOf(in);
            EXPECT_EQ(show(formatFixed(v, std::stoi(row[2].substr(0, blank)), regionalNamed(row[2].substr(blank + 1)))),
                      row[3]) << row.where;
        } else {
            ADD_FAILURE() << row.where;
        }
    }
    EXPECT_EQ(forms.size(), 7u);
}

TEST(TextForm, CasesOfTheFile)
{
    checkTextForms();
    // What doubleText writes, parseStrict reads back (inside the decimal range).
    for (double v : {1e20, 1.5e-7, -2.5, 1.0 / 3.0, 1e-6, 123456789012345678.0, 7.9e28, 1e-30})
        EXPECT_EQ(parseStrict(doubleText(v)).value(), Decimal::fromDouble(v).value()) << doubleText(v);
    EXPECT_EQ(show(parseStrict("0." + std::string(5000, '0') + "1")), "0");
    EXPECT_EQ(show(parseStrict("1." + std::string(60, '3'))), "1.3333333333333333333333333333");
}

bool commaPointActive()
{
    const std::lconv* lc = std::localeconv();
    return lc != nullptr && std::string(lc->decimal_point) == ",";
}

// An installed comma locale, else one built with localedef into `dir`;
// returns a reason when neither works.
std::string enterCommaLocale(const fs::path& dir)
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (std::setlocale(LC_ALL, name) != nullptr && commaPointActive())
            return {};
    if (!fs::exists("/usr/share/i18n/locales/de_DE"))
        return "no comma locale installed and no de_DE source to build one (Debian package locales)";
    fs::create_directories(dir);
    const std::string cmd =
        "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    [[maybe_unused]] const int rc = std::system(cmd.c_str());   // warnings give rc 1 yet a usable locale
    ::setenv("LOCPATH", dir.c_str(), 1);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr && commaPointActive())
        return {};
    return "localedef could not build de_DE.UTF-8";
}

TEST(CommaLocale, ConversionsIgnoreTheCLocale)
{
    const TempDir dir("number_locale");
    struct Reset { ~Reset() { std::setlocale(LC_ALL, "C"); } } reset;
    if (const std::string why = enterCommaLocale(dir.path); !why.empty())
        GTEST_SKIP() << "Skipping the locale test: " << why;
    ASSERT_TRUE(commaPointActive());
    checkTextForms();
    EXPECT_EQ(plainText(Decimal::fromDouble(2.718281828459045).value()), "2.71828182845904");
    EXPECT_EQ(parseStrict("0.1").value().toDouble(), 0.1);
}

} // namespace
} // namespace qm
