#pragma once
// Arithmetic expression evaluator used by the user-defined function buttons.
//
// Brackets are resolved by textual substitution, innermost pair first; "+" and
// "-" are folded into the sign of the number that follows, so every
// bracket-free piece is a sum of signed terms; then powers, divisions and
// multiplications are applied one class at a time, each left to right.
//
// evaluate() returns the value's text ("." as point) or the reason there is
// none: one of the evaluator's own errors, which are shown as the texts
// "Error", "Error - Token", "Error - ()", "Error - Sign", "Error - Division",
// or a run-time failure (a text that is not a number, a result out of range,
// a power without a finite real result, more than 100 token slots in one
// piece).
//
// Bracket positions are 16-bit as in the rest of the program: a bracket pair
// whose closing bracket stands beyond position 32767 of the expression being
// reduced fails with Failure::Overflow. Text without brackets may be of any
// length.
//
// The object keeps its buffers between calls so that evaluating a formula
// allocates next to nothing. It is not re-entrant.

#include "core/number/Decimal.h"
#include "core/number/Result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Why an expression has no value.
class EvalError {
public:
    enum class Kind : std::uint8_t { Empty, Token, Brackets, Sign, Division, RunTime };

    constexpr EvalError(Kind kind) : kind_(kind) {}
    constexpr EvalError(Failure failure) : kind_(Kind::RunTime), failure_(failure) {}

    bool isRunTime() const { return kind_ == Kind::RunTime; }
    Failure runTimeFailure() const { return failure_; }   // meaningful only for RunTime
    // The evaluator's own error text; empty for a run-time failure.
    std::string_view text() const;
    // The error text, or "failure: " and the failure's name.
    std::string describe() const;

    friend bool operator==(const EvalError&, const EvalError&) = default;

private:
    Kind kind_;
    Failure failure_ = Failure::Conversion;
};

class Evaluator {
public:
    static constexpr int MaxTokens = 100;         // usable token slots per piece
    static constexpr int MaxBracketPos = 32767;   // 16-bit bracket positions

    Result<std::string, EvalError> evaluate(std::string_view text);

private:
    enum class TokenKind : std::int8_t { Empty, Number, Operator };
    struct Token {
        TokenKind kind = TokenKind::Empty;
        std::string text;
        // Value of Text when this token holds a result computed here; saves
        // reading back a text just written.
        bool hasValue = false;
        Decimal value;
    };
    using TokenTable = std::array<Token, MaxTokens + 1>;   // index 0 never used

    using Step = Result<bool, EvalError>;
    Step findBrackets();
    Step tokenize(std::string_view piece);
    Step calculate();
    int findToken(std::string_view text, int start) const;
    Result<Decimal> strictValue(const Token& t) const;
    void setResult(Token& t, const Decimal& d);
    void removePair(int p);
    void clearTables();

    // Expr is head_ followed by source_ from tailPos_ on. Every substitution
    // happens at the end of head_ (the closing bracket found is always the
    // first one), so the unread tail is never copied or moved.
    std::string source_;
    std::string head_;
    std::size_t tailPos_ = 0;
    std::vector<std::int32_t> opens_;   // 1-based positions of the "(" in head_
    std::size_t bracketsLeft_ = 0;      // pairs not yet substituted
    std::string scratch_;               // the last piece when it spans head_ and tail

    std::string_view piece_;            // the piece being reduced
    std::int16_t openPos_ = 0;
    std::int16_t closePos_ = 0;
    TokenTable tokens_;
    std::int16_t tokenCount_ = 0;
    TokenTable raw_;
    int usedTokens_ = 0;   // tables are clean beyond these indexes
    int usedRaw_ = 0;
};

} // namespace qm
