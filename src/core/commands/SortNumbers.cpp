#include "core/commands/SortNumbers.h"

#include "core/commands/TapeCommands.h"

#include <algorithm>
#include <compare>

namespace qm {

namespace {

enum class Group { Number, Zero, Text };

Group groupOf(const Value& v)
{
    switch (v.kind()) {
    case Value::Kind::Empty:
        return Group::Zero;
    case Value::Kind::Decimal:
        return v.decimal().isZero() ? Group::Zero : Group::Number;
    case Value::Kind::Double:
        return v.dbl() == 0.0 ? Group::Zero : Group::Number;
    case Value::Kind::Text:
        return Group::Text;
    }
    return Group::Text;
}

// The groups in their order; within the numbers by value. With a stable
// sort equal numbers, the zeros and the texts keep their tape order.
bool sortsBefore(const Value& a, const Value& b)
{
    const Group ga = groupOf(a);
    const Group gb = groupOf(b);
    if (ga != gb)
        return ga < gb;
    return ga == Group::Number && std::is_lt(compare(a, b));
}

} // namespace

std::vector<Value> sortedNumbers(std::vector<Value> values)
{
    std::stable_sort(values.begin(), values.end(), sortsBefore);
    return values;
}

void sortTapeNumbers(Tape& tape)
{
    const std::size_t lines = std::min(tape.TapeValue.size(), tape.TapeOp.size());
    std::vector<std::size_t> taking;
    taking.reserve(lines);
    for (std::size_t i = 0; i < lines; ++i) {
        if (tape.TapeOp[i] != BlankOp)
            taking.push_back(i);
    }
    // A note travels with its value.
    std::vector<std::size_t> order = taking;
    std::stable_sort(order.begin(), order.end(), [&tape](std::size_t a, std::size_t b) {
        return sortsBefore(tape.TapeValue[a], tape.TapeValue[b]);
    });
    std::vector<Value> values;
    values.reserve(order.size());
    for (std::size_t i : order)
        values.push_back(std::move(tape.TapeValue[i]));
    std::vector<std::string> notes;
    if (tape.hasNotes()) {
        notes.reserve(order.size());
        for (std::size_t i : order)
            notes.push_back(tape.note(i));
    }
    for (std::size_t k = 0; k < taking.size(); ++k) {
        tape.TapeValue[taking[k]] = std::move(values[k]);
        if (!notes.empty())
            tape.setNote(taking[k], std::move(notes[k]));
    }
}

} // namespace qm
