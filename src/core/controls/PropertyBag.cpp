#include "core/controls/PropertyBag.h"

#include "core/controls/ControlMath.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace qm {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameKey(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A whole string holding one number (no blanks, no trailing text).
std::optional<double> parseNumber(std::string_view s)
{
    s = trim(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double d = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<bool> parseBool(std::string_view s)
{
    s = trim(s);
    if (sameKey(s, "true"))
        return true;
    if (sameKey(s, "false"))
        return false;
    if (const auto d = parseNumber(s))
        return *d != 0.0;
    return std::nullopt;
}

std::string formatFloat(float f)
{
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, f);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

std::string formatInt(std::int64_t v)
{
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

std::string quote(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

std::optional<std::string> unquote(std::string_view s)
{
    if (s.size() < 2 || s.front() != '"' || s.back() != '"')
        return std::nullopt;
    s = s.substr(1, s.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"')
            return std::nullopt;
        if (c == '\\') {
            if (++i >= s.size())
                return std::nullopt;
            switch (s[i]) {
            case '"': c = '"'; break;
            case '\\': c = '\\'; break;
            case 'n': c = '\n'; break;
            case 'r': c = '\r'; break;
            case 't': c = '\t'; break;
            default: return std::nullopt;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

void PropertyBag::write(std::string_view key, PropertyValue value)
{
    for (auto& e : entries_)
        if (sameKey(e.first, key)) {
            e.second = std::move(value);
            return;
        }
    entries_.emplace_back(std::string(key), std::move(value));
}

void PropertyBag::writeColour(std::string_view key, std::uint32_t colour)
{
    write(key, static_cast<std::int32_t>(colour));
}

bool PropertyBag::contains(std::string_view key) const { return find(key).has_value(); }

std::optional<PropertyValue> PropertyBag::find(std::string_view key) const
{
    for (const auto& e : entries_)
        if (sameKey(e.first, key))
            return e.second;
    return std::nullopt;
}

bool PropertyBag::remove(std::string_view key)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if (sameKey(it->first, key)) {
            entries_.erase(it);
            return true;
        }
    return false;
}

Result<std::string> PropertyBag::readString(std::string_view key, std::string fallback) const
{
    const auto v = find(key);
    if (!v)
        return fallback;
    if (const auto* s = std::get_if<std::string>(&*v))
        return *s;
    if (const auto* b = std::get_if<bool>(&*v))
        return std::string(*b ? "True" : "False");
    if (const auto* i = std::get_if<std::int32_t>(&*v))
        return formatInt(*i);
    return formatFloat(std::get<float>(*v));
}

Result<std::int32_t> PropertyBag::readInt32(std::string_view key, std::int32_t fallback) const
{
    const auto v = find(key);
    if (!v)
        return fallback;
    if (const auto* i = std::get_if<std::int32_t>(&*v))
        return *i;
    if (const auto* b = std::get_if<bool>(&*v))
        return *b ? 1 : 0;
    if (const auto* f = std::get_if<float>(&*v))
        return roundToInt32(*f);
    if (const auto d = parseNumber(std::get<std::string>(*v)))
        return roundToInt32(*d);
    return Failure::Conversion;
}

Result<std::uint32_t> PropertyBag::readColour(std::string_view key, std::uint32_t fallback) const
{
    const auto v = find(key);
    if (!v)
        return fallback;
    // Colours such as 0x80000014 are kept as negative 32-bit integers.
    const auto i = readInt32(key, 0);
    if (!i)
        return i.failure();
    return static_cast<std::uint32_t>(*i);
}

Result<bool> PropertyBag::readBool(std::string_view key, bool fallback) const
{
    const auto v = find(key);
    if (!v)
        return fallback;
    if (const auto* b = std::get_if<bool>(&*v))
        return *b;
    if (const auto* i = std::get_if<std::int32_t>(&*v))
        return *i != 0;
    if (const auto* f = std::get_if<float>(&*v))
        return *f != 0.0f;
    if (const auto b = parseBool(std::get<std::string>(*v)))
        return *b;
    return Failure::Conversion;
}

Result<float> PropertyBag::readFloat(std::string_view key, float fallback) const
{
    const auto v = find(key);
    if (!v)
        return fallback;
    if (const auto* f = std::get_if<float>(&*v))
        return *f;
    if (const auto* i = std::get_if<std::int32_t>(&*v))
        return static_cast<float>(*i);
    if (const auto* b = std::get_if<bool>(&*v))
        return *b ? 1.0f : 0.0f;
    const auto d = parseNumber(std::get<std::string>(*v));
    if (!d)
        return Failure::Conversion;
    if (std::fabs(*d) > std::numeric_limits<float>::max())
        return Failure::Overflow;
    return static_cast<float>(*d);
}

std::string PropertyBag::toText() const
{
    std::string out;
    for (const auto& [key, value] : entries_) {
        out += key;
        out += " = ";
        if (const auto* b = std::get_if<bool>(&value))
            out += *b ? "b:True" : "b:False";
        else if (const auto* i = std::get_if<std::int32_t>(&value))
            out += "i:" + formatInt(*i);
        else if (const auto* f = std::get_if<float>(&value))
            out += "f:" + formatFloat(*f);
        else
            out += "s:" + quote(std::get<std::string>(value));
        out += '\n';
    }
    return out;
}

Result<PropertyBag> PropertyBag::fromText(std::string_view text)
{
    PropertyBag bag;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        line = trim(line);
        if (line.empty())
            continue;
        const auto eq = line.find('=');
        if (eq == std::string_view::npos)
            return Failure::Conversion;
        const std::string_view key = trim(line.substr(0, eq));
        const std::string_view rest = trim(line.substr(eq + 1));
        if (key.empty() || rest.size() < 2 || rest[1] != ':')
            return Failure::Conversion;
        const std::string_view body = rest.substr(2);
        switch (rest[0]) {
        case 'b': {
            if (sameKey(body, "true"))
                bag.write(key, true);
            else if (sameKey(body, "false"))
                bag.write(key, false);
            else
                return Failure::Conversion;
            break;
        }
        case 'i': {
            std::int32_t i = 0;
            const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), i);
            if (body.empty() || ec != std::errc() || end != body.data() + body.size())
                return Failure::Conversion;
            bag.write(key, i);
            break;
        }
        case 'f': {
            float f = 0;
            const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), f);
            if (body.empty() || ec != std::errc() || end != body.data() + body.size()
                || !std::isfinite(f))
                return Failure::Conversion;
            bag.write(key, f);
            break;
        }
        case 's': {
            auto s = unquote(body);
            if (!s)
                return Failure::Conversion;
            bag.write(key, std::move(*s));
            break;
        }
        default:
            return Failure::Conversion;
        }
    }
    return bag;
}

} // namespace qm
