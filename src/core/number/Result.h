#pragma once
// A value or the kind of failure that stopped its computation. Core reports
// failures as these values, never by undefined behaviour; a result must be
// looked at (it is [[nodiscard]]), and reading the value of a failure throws
// std::bad_variant_access, a programming error the checks before it rule out.

#include <utility>
#include <variant>

namespace qm {

enum class Failure {
    Conversion,      // text that is not a number where one is needed
    Overflow,        // result outside the decimal or double range, or a 16/32-bit limit
    DivisionByZero,
    InvalidArgument, // e.g. a negative number of decimals, square root of a negative number
    OutOfRange,      // an index or count outside its bounds
    Power,           // a power without a finite real result
    Tokens,          // more than 100 token slots in the evaluator
};

const char* failureName(Failure f);

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : v_(std::move(value)) {}
    Result(Failure f) : v_(f) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<0>(v_); }
    T& value() & { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }
    Failure failure() const { return std::get<1>(v_); }
    T valueOr(T fallback) const { return ok() ? value() : fallback; }

private:
    std::variant<T, Failure> v_;
};

} // namespace qm
