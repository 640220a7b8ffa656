#pragma once
// The stored properties of one control instance: keys matched without regard
// to case, each holding a boolean, a 32-bit integer, a single-precision number
// or a string, kept in the order first written. A plain text form lets a
// window's description keep its controls' bags in a file.

#include "core/number/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace qm {

using PropertyValue = std::variant<bool, std::int32_t, float, std::string>;

class PropertyBag {
public:
    // Replaces the value of an existing key (keeping its place and spelling)
    // or appends a new one.
    void write(std::string_view key, PropertyValue value);
    void writeColour(std::string_view key, std::uint32_t colour);

    bool contains(std::string_view key) const;
    std::optional<PropertyValue> find(std::string_view key) const;
    bool remove(std::string_view key);
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }
    const std::vector<std::pair<std::string, PropertyValue>>& entries() const { return entries_; }

    // Typed reads: a missing key gives the fallback; a stored value of another
    // type is converted (numbers, booleans, and strings holding a number or
    // True/False); a value that cannot be converted or does not fit fails.
    Result<std::string> readString(std::string_view key, std::string fallback) const;
    Result<std::int32_t> readInt32(std::string_view key, std::int32_t fallback) const;
    Result<std::uint32_t> readColour(std::string_view key, std::uint32_t fallback) const;
    Result<bool> readBool(std::string_view key, bool fallback) const;
    Result<float> readFloat(std::string_view key, float fallback) const;

    // One line per key: Key = b:True | i:-12 | f:11.25 | s:"text" (strings with
    // \" \\ \n \r \t escapes). fromText fails with Failure::Conversion on a
    // malformed line.
    std::string toText() const;
    static Result<PropertyBag> fromText(std::string_view text);

    bool operator==(const PropertyBag&) const = default;

private:
    std::vector<std::pair<std::string, PropertyValue>> entries_;
};

} // namespace qm
