#pragma once
// A value or the kind of failure that stopped its computation. Core reports
// failures as these values, never by undefined behaviour; a result must be
// looked at (it is [[nodiscard]]), and reading the value of a failure throws
// std::bad_variant_access, a programming error the checks before it rule out.

#include <type_traits>
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

// E is the reason type; a reason another type converts to (a Failure where
// E wraps one) is taken as it stands.
template <class T, class E = Failure>
class [[nodiscard]] Result {
public:
    Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Result(E reason) : v_(std::in_place_index<1>, reason) {}
    template <class R, std::enable_if_t<!std::is_same_v<R, E> && std::is_constructible_v<E, R> &&
                                            !std::is_constructible_v<T, R>, int> = 0>
    Result(R reason) : v_(std::in_place_index<1>, E(reason)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<0>(v_); }
    T& value() & { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }
    const E& failure() const { return std::get<1>(v_); }
    T valueOr(T fallback) const { return ok() ? value() : fallback; }

private:
    std::variant<T, E> v_;
};

} // namespace qm
