#pragma once
// Scripts of input for the editing session, shared by its tests.

#include "core/editing/TapeEditor.h"

#include "core/CoreTestSupport.h"

#include <functional>
#include <map>

namespace qm::test {

// A tape of `lines` lines: 1, 2, 3, ... under "+", every fourth under "-".
inline Tape numbered(std::size_t lines)
{
    Tape t;
    t.resize(lines);
    for (std::size_t i = 0; i < lines; ++i) {
        t.TapeValue[i] = Value(Decimal::fromInt(static_cast<std::int64_t>(i) + 1));
        t.TapeOp[i] = i % 4 == 3 ? '-' : '+';
    }
    return t;
}

// Runs a script: characters are typed ('\x7f' is the Delete key, '\b'
// Backspace); a name in brackets is a button, a key, a command or a focus
// change or a setting, a number after it its argument ([Row3], [Open40],
// [Dec2]); [Ins:text], [Paste:text], [Tape:op value|...], [Note:line:text]
// ([NoNote:...] must be refused) and [Button:n:caption(:formula)] take texts.
inline void run(TapeEditor& e, std::string_view script)
{
    static const std::map<std::string, KeypadKey> keys = {
        {".", KeypadKey::Decimal}, {"CA", KeypadKey::ClearAll}, {"+", KeypadKey::Plus},
        {"-", KeypadKey::Minus},   {"x", KeypadKey::Times},     {"/", KeypadKey::Divide},
        {"C", KeypadKey::Clear},   {"Del", KeypadKey::Delete},  {"^", KeypadKey::Power},
        {"+/-", KeypadKey::Sign},  {"%", KeypadKey::Percent}};
    static const std::map<std::string, std::function<void(TapeEditor&)>> actions = {
        {"M+", &TapeEditor::memoryPlus}, {"MR", &TapeEditor::memoryRecall}, {"M=", &TapeEditor::memoryTotal},
        {"Pi", &TapeEditor::pi},         {"All", &TapeEditor::selectAll},   {"Cut", &TapeEditor::cutSelection},
        {"Up", &TapeEditor::moveUp},     {"Down", &TapeEditor::moveDown},   {"PgUp", &TapeEditor::pageUp},
        {"PgDn", &TapeEditor::pageDown}, {"Total", &TapeEditor::focusTotal}, {"Leave", &TapeEditor::clearTotalShade},
        {"ClearAll", &TapeEditor::clearAll}, {"Sort", &TapeEditor::sortNumbers},
        {"Recalc", &TapeEditor::recalculate}, {"Forget", &TapeEditor::forgetHistory},
        {"DecV", [](TapeEditor& t) { t.setDecimals(VariableDecimals); }},
        {"Undo", [](TapeEditor& t) { EXPECT_TRUE(t.undo()) << "nothing to undo"; }},
        {"Redo", [](TapeEditor& t) { EXPECT_TRUE(t.redo()) << "nothing to redo"; }}};
    static const std::map<std::string, std::function<void(TapeEditor&, int)>> numbered = {
        {"Op", &TapeEditor::cycleOperator}, {"Row", &TapeEditor::focusRow}, {"F", &TapeEditor::functionButton},
        {"Caret", [](TapeEditor& t, int n) { t.setCaret(n, n); }}, {"Scroll", &TapeEditor::scrollTo},
        {"Open", [](TapeEditor& t, int n) { t.replaceTape(test::numbered(static_cast<std::size_t>(n))); }},
        {"Grow", [](TapeEditor& t, int n) { Tape g = t.tape(); g.resize(static_cast<std::size_t>(n)); t.replaceTape(g); }},
        {"Dec", &TapeEditor::setDecimals}, {"Shown", &TapeEditor::setShownRows}, {"ScrollBy", &TapeEditor::scrollBy},
        {"Stat", [](TapeEditor& t, int n) { t.setStatMode(static_cast<StatMode>(n)); }},
        {"Max", [](TapeEditor& t, int n) { t.setMaxLines(static_cast<std::size_t>(n)); }},
        {"Lock", [](TapeEditor& t, int n) { t.setTapeLocked(n != 0); }}};
    for (std::size_t i = 0; i < script.size(); ++i) {
        if (script[i] != '[') {
            script[i] == '\x7f' ? e.deleteForward() : e.typeCharacter(script[i]);
            continue;
        }
        const std::size_t end = script.find(']', i);
        ASSERT_NE(end, std::string_view::npos) << script;
        const std::string name(script.substr(i + 1, end - i - 1));
        i = end;
        const std::size_t digits = name.find_first_of("-0123456789");
        if (name.size() == 1 && digits == 0) e.keypad(static_cast<KeypadKey>(name[0] - '0'));
        else if (keys.count(name)) e.keypad(keys.at(name));
        else if (actions.count(name)) actions.at(name)(e);
        else if (name == "ScrollEnd") e.scrollTo(e.scrollMax());
        else if (name == "LastRow") e.focusRow(e.lastRow());
        else if (name.starts_with("Ins:")) e.insertText(name.substr(4));
        else if (name.starts_with("Paste:")) e.pasteNumbers(name.substr(6));
        else if (name.starts_with("Tape:")) e.replaceTape(tapeOfLines(name.substr(5)));
        else if (name.starts_with("Note:") || name.starts_with("NoNote:")) {   // [Note:line:text], NoNote refused
            const std::size_t colon = name.find(':'), second = name.find(':', colon + 1);
            EXPECT_EQ(e.setNote(std::stoll(name.substr(colon + 1, second - colon - 1)), name.substr(second + 1)), !name.starts_with("NoNote:"))
                << name;
        }
        else if (name.starts_with("Button:")) {   // [Button:N:caption] or [Button:N:caption:formula]
            FunctionButtons b = e.functionButtons();
            const std::size_t colon = name.find(':', 7), second = name.find(':', colon + 1);
            FunctionButton& f = b.at(std::stoul(name.substr(7, colon - 7)));
            f.Caption = name.substr(colon + 1, second - colon - 1);
            if (second != std::string::npos)
                f.Formula = name.substr(second + 1);
            e.setFunctionButtons(b);
        }
        else if (digits != std::string::npos && numbered.count(name.substr(0, digits)))
            numbered.at(name.substr(0, digits))(e, std::stoi(name.substr(digits)));
        else {
            const auto& b = e.functionButtons();
            const auto it = std::find_if(b.begin(), b.end(), [&](const FunctionButton& f) { return f.Caption == name; });
            ASSERT_NE(it, b.end()) << name;
            e.functionButton(static_cast<int>(it - b.begin()));
        }
    }
}

} // namespace qm::test
