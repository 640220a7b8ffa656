#pragma once
// Test support shared by the core test programs.

#include "core/input/Evaluator.h"
#include "core/number/TextForm.h"
#include "core/tape/Tape.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <charconv>
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
inline std::string show(const Result<std::string, EvalError>& r)
{
    return r.ok() ? *r : r.failure().describe();
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

// A value as a case writes it: empty for none, 'text' for a text (a value
// with "(" or "%" is one too), ~ before a double, else a decimal.
inline Value valueOf(std::string_view v)
{
    if (v.empty())
        return Value();
    if (v.size() >= 2 && v.front() == '\'' && v.back() == '\'')
        return Value(std::string(v.substr(1, v.size() - 2)));
    if (v.find_first_of("(%") != v.npos)
        return Value(std::string(v));
    if (double d = 0; v.front() == '~') {   // from_chars: whatever the C locale
        std::from_chars(v.data() + 1, v.data() + v.size(), d);
        return Value(d);
    }
    return val(v);
}

// Values as a case writes them, joined by ";"; "none" for no value at all.
inline std::vector<Value> valuesOf(std::string_view list)
{
    std::vector<Value> v;
    for (std::size_t from = 0; list != "none" && from <= list.size();) {
        const std::size_t end = std::min(list.find(';', from), list.size());
        v.push_back(valueOf(list.substr(from, end - from)));
        from = end + 1;
    }
    return v;
}

// "op value|op value|...", " " as operator none.
inline Tape tapeOfLines(std::string_view written)
{
    Tape t;
    for (std::size_t from = 0; from <= written.size();) {
        const std::size_t bar = std::min(written.find('|', from), written.size());
        const std::string_view line = written.substr(from, bar - from);
        from = bar + 1;
        t.TapeOp.push_back(line.front());
        t.TapeValue.push_back(valueOf(line.substr(1)));
    }
    return t;
}

// One row of a case file: its fields and where it stands.
struct CaseRow {
    std::string where;
    std::vector<std::string> fields;
    const std::string& operator[](std::size_t i) const { return fields.at(i); }
    int number(std::size_t i) const { return std::stoi(fields.at(i)); }
};

// The rows of tests/data/<name>: tab-separated fields, each row `fields`
// long (0: any); "#" starts a comment line; \t \r \n \b \\ and \xHH are escapes.
inline std::vector<CaseRow> caseFile(const std::string& name, std::size_t fields)
{
    std::ifstream in(std::string(QM_TESTDATA_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::vector<CaseRow> rows;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (text.empty() || text[0] == '#')
            continue;
        CaseRow row{name + ":" + std::to_string(line) + ": " + text, {""}};
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\t') {
                row.fields.emplace_back();
            } else if (c != '\\' || i + 1 == text.size()) {
                row.fields.back() += c;
            } else {
                const char e = text[++i];
                if (e == 'x' && i + 2 < text.size()) {
                    row.fields.back() += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
                    i += 2;
                } else {
                    row.fields.back() += e == 't' ? '\t' : e == 'r' ? '\r' : e == 'n' ? '\n' : e == 'b' ? '\b' : e;
                }
            }
        }
        EXPECT_TRUE(fields == 0 || row.fields.size() == fields) << row.where;
        if (fields == 0 || row.fields.size() == fields)
            rows.push_back(std::move(row));
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
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

// A fresh folder of the test's own under the temporary directory, removed at the end.
struct TempDir {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
        ("qm_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" + std::to_string(::getpid()));
    TempDir()
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
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
