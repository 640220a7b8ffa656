#pragma once
// Test support shared by the core test programs.

#include "core/number/TextForm.h"
#include "core/tape/Tape.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
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

inline Tape tapeOf(std::vector<std::pair<char, Value>> lines)
{
    Tape t;
    for (auto& [op, v] : lines) {
        t.TapeOp.push_back(op);
        t.TapeValue.push_back(std::move(v));
    }
    return t;
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
    ~TempDir() { std::error_code ec; std::filesystem::remove_all(path, ec); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

} // namespace qm::test
