// Numbers: Decimal and Value arithmetic (every reference case of
// tests/data/decimal_vectors.tsv, and what the vectors do not reach), ordering
// and the text forms, also under a C locale with a comma point.

#include "core/number/Decimal.h"
#include "core/number/Value.h"

#include "core/CoreTestSupport.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>

namespace qm {
namespace {

using namespace test;

TEST(Decimal, PartsLimitsArithmeticScalesAndRounding)
{
    for (const CaseRow& c : caseFile("core_decimal.tsv", 0)) {
        if (c[0] == "parts") {
            const auto p = Decimal::fromParts(static_cast<std::uint32_t>(std::stoul(c[1])), static_cast<std::uint32_t>(std::stoul(c[2])),
                                              static_cast<std::uint32_t>(std::stoul(c[3])), c[4] == "-", c.number(5));
            EXPECT_EQ(show(p) + (p.ok() && p->isNegative() ? " negative" : ""), c[6]) << c.where;
            continue;
        }
        const Decimal a = dec(c[1]);
        if (c[0] == "scale") {
            EXPECT_EQ(std::to_string(a.div(dec(c[2]))->scale()), c[3]) << c.where;
        } else if (c[0] == "round") {
            EXPECT_EQ(show(a.round(c.number(2))) + " " + show(a.roundHalfAwayFromZero(c.number(2))), c[3] + " " + c[4]) << c.where;
        } else {
            const Decimal b = dec(c[2]);
            const char op = c[0].at(0);
            EXPECT_EQ(show(op == '+' ? a.add(b) : op == '-' ? a.sub(b) : op == '*' ? a.mul(b) : a.div(b)), c[3]) << c.where;
        }
    }
    const auto p = dec("12.5").mul(Decimal::fromInt(2));
    EXPECT_EQ(p->scale(), 1);
    EXPECT_EQ(*p, Decimal::fromInt(25));
    EXPECT_EQ(dec("-7.9").floor().scale(), 0);
    EXPECT_EQ(dec("1.5").round(-1).failure(), Failure::InvalidArgument);
    EXPECT_EQ(dec("1.5").roundHalfAwayFromZero(-1).failure(), Failure::InvalidArgument);
    EXPECT_EQ(plainText(Decimal::fromInt(std::numeric_limits<std::int64_t>::min())), "-9223372036854775808");
    EXPECT_FALSE(Decimal().negated().isNegative());
    EXPECT_FALSE(dec("-0.1").trunc().isNegative());
}

// A double written in a case, whatever the C locale.
double number(const std::string& s)
{
    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    EXPECT_TRUE(res.ec == std::errc() && res.ptr == s.data() + s.size()) << "cannot read double " << s;
    return v;
}

// The file writes decimals canonically: a result's plain text must be the
// expected field, and reading and printing each argument must agree.
TEST(DecimalVectors, EveryLineMatches)
{
    const std::vector<CaseRow> cases = caseFile("decimal_vectors.tsv", 4);
    ASSERT_GT(cases.size(), 2500u) << "vector file missing or truncated";
    const auto canonical = [](const std::string& s) {
        EXPECT_EQ(plainText(dec(s)), s);
        return dec(s);
    };
    std::map<std::string, int> checked;
    for (const CaseRow& c : cases) {
        const std::string &op = c[0], &expected = c[3];
        const std::string want = expected == "OVERFLOW" ? "failure: overflow" : expected == "DIVZERO" ? "failure: division by zero" : expected;
        if (op == "add" || op == "sub" || op == "mul" || op == "div") {
            const Decimal a = canonical(c[1]), b = canonical(c[2]);
            EXPECT_EQ(show(op == "add" ? a.add(b) : op == "sub" ? a.sub(b) : op == "mul" ? a.mul(b) : a.div(b)), want) << c.where;
        } else if (op == "round" || op == "floor" || op == "trunc") {
            const Decimal a = canonical(c[1]);
            EXPECT_EQ(show(op == "round" ? a.round(std::stoi(c[2])) : op == "floor" ? Result<Decimal>(a.floor()) : Result<Decimal>(a.trunc())), want) << c.where;
        } else if (op == "fromdouble") {
            EXPECT_EQ(show(Decimal::fromDouble(number(c[1]))), want) << c.where;
        } else if (op == "todouble") {
            const double got = canonical(c[1]).toDouble(), exact = number(expected);   // within one unit in the last place
            EXPECT_TRUE(got == exact || got == std::nextafter(exact, INFINITY) || got == std::nextafter(exact, -INFINITY))
                << c.where << ": got " << doubleText(got);
        } else {
            ADD_FAILURE() << c.where;
            continue;
        }
        ++checked[op];
    }
    EXPECT_EQ(checked.size(), 9u);
}

// "D:<plain text>", "F:<double text>" or "failure: <name>".
std::string shown(const Result<Value>& r)
{
    if (!r.ok())
        return std::string("failure: ") + failureName(r.failure());
    return (r->isDecimal() ? "D:" : r->isDouble() ? "F:" : "?:") + plainText(*r);
}

TEST(Value, ArithmeticPowerAndConversions)
{
    for (const CaseRow& c : caseFile("core_value_arithmetic.tsv", 4)) {
        const Value a = valueOf(c[1]), b = valueOf(c[2]);
        const char op = c[0].at(0);
        if (op == 'd' || op == 'D') {
            EXPECT_EQ(op == 'd' ? doubleText(toDouble(a)) : show(toDecimal(a)), c[3]) << c.where;
            continue;
        }
        const auto r = op == '+' ? add(a, b) : op == '-' ? sub(a, b) : op == '*' ? mul(a, b) : op == '/' ? div(a, b) : power(a, b);
        EXPECT_EQ(shown(r), c[3]) << c.where;
    }
}

// Equal neighbours share a group: every pair compares as its groups do.
TEST(Ordering, DecimalsAcrossScalesAndValuesOfEveryKind)
{
    std::vector<std::pair<Value, int>> decimals, values;
    for (const CaseRow& c : caseFile("core_value_order.tsv", 3))
        (c[0] == "decimal" ? decimals : values).emplace_back(valueOf(c[1]), c.number(2));
    ASSERT_EQ(decimals.size(), 15u);
    ASSERT_EQ(values.size(), 27u);
    for (const auto& [x, xGroup] : decimals)
        for (const auto& [y, yGroup] : decimals) {
            EXPECT_EQ(x.decimal() <=> y.decimal(), xGroup <=> yGroup) << plainText(x) << " vs " << plainText(y);
            EXPECT_EQ(x.decimal() == y.decimal(), xGroup == yGroup) << plainText(x) << " vs " << plainText(y);
        }
    for (const auto& [x, xGroup] : values)
        for (const auto& [y, yGroup] : values)
            EXPECT_EQ(compare(x, y), xGroup <=> yGroup) << plainText(x) << " vs " << plainText(y);
}

namespace fs = std::filesystem;

const Regional& regionalNamed(const std::string& name)
{
    static const std::map<std::string, Regional> named = {
        {"E", English}, {"G", German}, {"same", {',', ',', 3}}, {"blank", {',', ' ', 3}},
        {"noGroup", {'.', ',', 0}}, {"fours", {'.', '\'', 4}}};
    return named.at(name);
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
    const TempDir dir;
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
