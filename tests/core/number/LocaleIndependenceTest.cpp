// The number layer must read and write the same texts whatever the C locale:
// a Qt application sets it from the environment, which often has a comma point.

#include "core/CoreTestSupport.h"

#include <clocale>
#include <cstdlib>

namespace {

namespace fs = std::filesystem;
using qm::Decimal;

bool commaPointActive()
{
    const std::lconv* lc = std::localeconv();
    return lc != nullptr && std::string(lc->decimal_point) == ",";
}

// Switches to a locale with a comma point: an installed one, else one built
// with localedef into `dir`. Returns a reason when neither works.
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
    const qm::test::TempDir dir("number_locale");
    struct Reset { ~Reset() { std::setlocale(LC_ALL, "C"); } } reset;
    if (const std::string why = enterCommaLocale(dir.path); !why.empty())
        GTEST_SKIP() << "Skipping the locale test: " << why;
    ASSERT_TRUE(commaPointActive());
    const qm::Regional us{'.', ',', 3};
    const qm::Regional de{',', '.', 3};
    EXPECT_EQ(qm::plainText(qm::parseStrict("-1234.5E-1").value()), "-123.45");
    EXPECT_FALSE(qm::parseStrict("1,5").ok());
    EXPECT_EQ(qm::plainText(qm::parseRegional("1,234.5", us).value()), "1234.5");
    EXPECT_EQ(qm::plainText(qm::parseRegional("1.234,5", de).value(), ','), "1234,5");
    EXPECT_EQ(qm::leadingNumber("1.5E-07"), 1.5e-7);
    EXPECT_EQ(qm::leadingNumber("2,5"), 2.0);
    EXPECT_EQ(qm::doubleText(2.5), "2.5");
    EXPECT_EQ(qm::doubleText(1.5e-7), "1.5E-07");
    EXPECT_EQ(qm::formatFixed(qm::parseStrict("-1234.5").value(), 2, us).value(), "-1,234.50");
    EXPECT_EQ(qm::formatFixed(qm::parseStrict("-1234.5").value(), 2, de).value(), "-1.234,50");
    EXPECT_EQ(qm::plainText(Decimal::fromDouble(2.718281828459045).value()), "2.71828182845904");
    EXPECT_EQ(qm::parseStrict("0.1").value().toDouble(), 0.1);
}

} // namespace
