#pragma once
// Test support shared by the core test programs.

#include "core/number/TextForm.h"
#include "core/tape/Tape.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm::test {

inline const Regional English{'.', ',', 3};
inline const Regional German{',', '.', 3};

// A decimal written as text in a test; a mistyped one fails the test.
inline Decimal dec(std::string_view text)
{
    const auto r = parseStrict(text);
    EXPECT_TRUE(r.ok()) << text;
    return r.valueOr(Decimal());
}
inline Value val(std::string_view text) { return Value(dec(text)); }

// A result as text: its value, or "failure: <name>".
inline std::string show(const Result<Decimal>& r)
{
    return r.ok() ? plainText(*r) : std::string("failure: ") + failureName(r.failure());
}
inline std::string show(const Result<std::string>& r)
{
    return r.ok() ? *r : std::string("failure: ") + failureName(r.failure());
}

// What a line stores: the number's plain text, "text:<text>" or "empty".
inline std::string stored(const Value& v)
{
    return v.isText() ? "text:" + v.text() : v.isEmpty() ? "empty" : plainText(v, '.');
}

inline Tape tapeOf(std::vector<std::pair<char, Value>> lines)
{
    Tape t;
    for (auto& [op, v] : lines) {
        t.TapeOp.push_back(op);
        t.TapeValue.push_back(std::move(v));
    }
    return t;
}

// "op value|op value|...": an empty value is a line never set, a value with
// "(" or "%" a text line, " " as operator none.
inline Tape tapeOfLines(std::string_view written)
{
    Tape t;
    for (std::size_t from = 0; from <= written.size();) {
        const std::size_t bar = std::min(written.find('|', from), written.size());
        const std::string_view line = written.substr(from, bar - from);
        from = bar + 1;
        const std::string_view v = line.substr(1);
        t.TapeOp.push_back(line.front());
        t.TapeValue.push_back(v.empty() ? Value() : v.find_first_of("(%") != v.npos ? Value(std::string(v)) : val(v));
    }
    return t;
}

// The tape written back in that form.
inline std::string tapeText(const Tape& t)
{
    if (t.TapeOp.size() != t.TapeValue.size())
        return "operators and values differ in number";
    std::string s;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i)
            s += '|';
        s += t.TapeOp[i];
        s += plainText(t.TapeValue[i]);
    }
    return s;
}

// A fresh folder of its own under the temporary directory, removed at the end.
struct TempDir {
    std::filesystem::path path;
    explicit TempDir(const std::string& name)
        : path(std::filesystem::temp_directory_path() /
               ("qm_" + name + "_" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    // One per test, named after it.
    TempDir() : TempDir(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
    ~TempDir() { std::error_code ec; std::filesystem::remove_all(path, ec); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path / name; }
    // A finished or failed save must leave no temporary file behind.
    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path), {}));
    }
};

inline std::string fileBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void putFile(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

} // namespace qm::test
