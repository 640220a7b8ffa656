#include "CommandLine.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace qm::app {

namespace {

enum class Opt { Total, Evaluate, Print, Csv, Output, Decimals, Stat, Settings, Help, Version };

struct OptionName {
    std::string_view name;
    Opt opt;
    bool takesValue;
};

constexpr std::array<OptionName, 10> Options{{
    {"total", Opt::Total, true},
    {"evaluate", Opt::Evaluate, true},
    {"print", Opt::Print, true},
    {"csv", Opt::Csv, true},
    {"output", Opt::Output, true},
    {"decimals", Opt::Decimals, true},
    {"stat", Opt::Stat, true},
    {"settings", Opt::Settings, true},
    {"help", Opt::Help, false},
    {"version", Opt::Version, false},
}};

// Qt's options for a widget program, which QApplication takes out itself.
constexpr std::array<std::string_view, 15> QtOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "display", "name",
    "style", "stylesheet", "session"};
constexpr std::array<std::string_view, 5> QtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& list, std::string_view name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}

CommandLine usageError(std::string message)
{
    CommandLine c;
    c.mode = Mode::UsageError;
    c.message = std::move(message);
    return c;
}

std::string quoted(std::string_view s)
{
    std::string text(1, '\'');
    text += s;
    text += '\'';
    return text;
}

} // namespace

std::string usageText()
{
    return "Usage: quillmate [FILE.Clc | SETTINGS-FILE]\n"
           "       quillmate --total FILE [--decimals 0..6|variable] [--stat total|average|mean|mode]\n"
           "                 [--settings FILE]\n"
           "       quillmate --evaluate EXPRESSION\n"
           "       quillmate --print FILE.Clc [--decimals 0..6|variable] [--stat total|average|mean|mode]\n"
           "                 [--output OUT.pdf]\n"
           "       quillmate --csv FILE.Clc [--output OUT.csv]\n"
           "       quillmate --help | --version\n";
}

std::string helpText()
{
    return usageText() +
           "\n"
           "Adding-machine calculator with a rolling tape.\n"
           "Without options the window starts. A PATH whose name contains .clc (in any letter\n"
           "case) is opened as a calculation; any other PATH names the settings file to use.\n"
           "An existing file that is not a settings file is never written over. Use -- before\n"
           "a PATH that starts with \"-\", also as the FILE of an option (--total -- -a.Clc).\n"
           "Qt's window options (-platform, -style, -geometry, -display, -reverse, ...) are\n"
           "passed on to Qt.\n"
           "\n"
           "Options:\n"
           "  --total <FILE>        Print the grand total of calculation file FILE and exit.\n"
           "  --decimals <N>        With --total or --print: decimals shown, 0 to 6 or\n"
           "                        variable (default).\n"
           "  --stat <MODE>         With --total or --print: what the total line shows, total\n"
           "                        (default), average, mean or mode.\n"
           "  --settings <FILE>     With --total: take the function buttons from settings file\n"
           "                        FILE.\n"
           "  --evaluate <EXPR>     Print the value of the arithmetic expression EXPR and exit.\n"
           "  --print <FILE>        Print the tape of calculation file FILE on the default\n"
           "                        printer and exit.\n"
           "  --output <FILE>       With --print: write the printed tape to PDF file FILE\n"
           "                        instead, through a temporary file, so a failure leaves an\n"
           "                        old FILE whole. An existing FILE that is not a PDF file\n"
           "                        (its name does not end in .pdf, or it does not hold a PDF\n"
           "                        document), or a link to such a file, is never replaced.\n"
           "  --csv <FILE>          Write the tape of calculation file FILE as CSV (operator,\n"
           "                        value, running total, note; the grand total last) to\n"
           "                        standard output, or with --output to OUT.csv (never a\n"
           "                        .Clc file), and exit.\n"
           "  -h, --help            Show this help and exit.\n"
           "  --version             Show the version and exit.\n"
           "\n"
           "Exit status:\n"
           "  0  the printed result is a number; the tape was printed or the PDF written\n"
           "  1  a file could not be read (the message names the cause), the tape was not\n"
           "     printed, or there was not enough memory\n"
           "  2  the command line is wrong (an unknown option, a missing value)\n"
           "  3  --total or --evaluate: the result is not a number (an error text such as\n"
           "     Error, Overflow or Error - Division, an empty result, or a failure)\n";
}

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    std::array<std::optional<std::string>, Options.size()> given;
    std::vector<std::string> positional;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (optionsEnded || a.empty() || a.front() != '-') {
            positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        if (a == "-h") {
            given[static_cast<std::size_t>(Opt::Help)] = std::string();
            continue;
        }
        const bool longForm = a.size() > 2 && a[1] == '-';
        const std::string_view body = std::string_view(a).substr(longForm ? 2 : 1);
        const std::size_t eq = body.find('=');
        const std::string_view name = body.substr(0, eq);
        if (!longForm) {
            if (listed(QtOptionsWithValue, name)) {
                if (eq == std::string_view::npos)
                    ++i;   // its value is Qt's too
                continue;
            }
            if (listed(QtFlags, name) && eq == std::string_view::npos)
                continue;
            return usageError("Unknown option " + quoted(a) + ".");
        }
        const auto option = std::find_if(Options.begin(), Options.end(),
                                         [name](const OptionName& o) { return o.name == name; });
        if (option == Options.end())
            return usageError("Unknown option " + quoted(std::string("--").append(name)) + ".");
        std::string value;
        if (option->takesValue) {
            if (eq != std::string_view::npos) {
                value = std::string(body.substr(eq + 1));
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
                // "--total -- -dash.Clc": the value follows the end of the options.
                if (value == "--" && !optionsEnded && i + 1 < arguments.size()) {
                    optionsEnded = true;
                    value = arguments[++i];
                }
            } else {
                return usageError("Missing value after " + quoted(a) + ".");
            }
        } else if (eq != std::string_view::npos) {
            return usageError("Option " + quoted(std::string("--").append(name)) + " takes no value.");
        }
        given[static_cast<std::size_t>(option->opt)] = std::move(value);
    }

    auto has = [&given](Opt o) { return given[static_cast<std::size_t>(o)].has_value(); };
    auto value = [&given](Opt o) -> const std::string& { return *given[static_cast<std::size_t>(o)]; };

    CommandLine c;
    if (has(Opt::Help)) {
        c.mode = Mode::Help;
        return c;
    }
    if (has(Opt::Version)) {
        c.mode = Mode::Version;
        return c;
    }
    const bool total = has(Opt::Total);
    const bool evaluate = has(Opt::Evaluate);
    const bool print = has(Opt::Print);
    const bool csv = has(Opt::Csv);
    if (csv && (total || evaluate || print))
        return usageError("--csv cannot be combined with --total, --evaluate or --print");
    if (csv && (has(Opt::Decimals) || has(Opt::Stat) || has(Opt::Settings)))
        return usageError("--csv takes only --output");
    if (csv) {
        if (!positional.empty())
            return usageError("unexpected argument " + quoted(positional.front()) + " in a batch mode");
        c.mode = Mode::Csv;
        c.calcPath = value(Opt::Csv);
        if (c.calcPath.empty())
            return usageError("--csv needs a file name");
        if (has(Opt::Output)) {
            c.outputPath = value(Opt::Output);
            if (c.outputPath.empty())
                return usageError("--output needs a file name");
        }
        return c;
    }
    if (total && evaluate)
        return usageError("--total and --evaluate cannot be combined");
    if (print && (total || evaluate))
        return usageError("--print cannot be combined with --total or --evaluate");
    if (!total && !print && has(Opt::Decimals))
        return usageError("--decimals needs --total or --print");
    if (!total && !print && has(Opt::Stat))
        return usageError("--stat needs --total or --print");
    if (!total && has(Opt::Settings))
        return usageError("--settings needs --total");
    if (!print && has(Opt::Output))
        return usageError("--output needs --print or --csv");

    if (!total && !evaluate && !print) {
        for (const std::string& p : positional) {
            if (!c.argument.empty())
                c.argument += ' ';
            c.argument += p;
        }
        std::erase(c.argument, '"');
        return c;
    }
    if (!positional.empty())
        return usageError("unexpected argument " + quoted(positional.front()) + " in a batch mode");

    if (evaluate) {
        c.mode = Mode::Evaluate;
        c.expression = value(Opt::Evaluate);
        return c;
    }
    if (print) {
        c.mode = Mode::Print;
        c.calcPath = value(Opt::Print);
        if (c.calcPath.empty())
            return usageError("--print needs a file name");
        if (has(Opt::Output)) {
            c.outputPath = value(Opt::Output);
            if (c.outputPath.empty())
                return usageError("--output needs a file name");
        }
    } else {
        c.mode = Mode::Total;
        c.calcPath = value(Opt::Total);
        if (c.calcPath.empty())
            return usageError("--total needs a file name");
        if (has(Opt::Settings)) {
            c.settingsPath = value(Opt::Settings);
            if (c.settingsPath.empty())
                return usageError("--settings needs a file name");
        }
    }

    if (has(Opt::Decimals)) {
        const std::string& d = value(Opt::Decimals);
        if (d == "variable") {
            c.decimalPlaces = VariableDecimals;
        } else if (d.size() == 1 && d[0] >= '0' && d[0] <= '6') {
            c.decimalPlaces = d[0] - '0';
        } else {
            return usageError("--decimals takes 0 to 6 or variable, not " + quoted(d));
        }
    }
    if (has(Opt::Stat)) {
        // In the order of StatMode's numbers.
        static constexpr std::array<std::string_view, 4> modes{"total", "average", "mean", "mode"};
        const std::string& s = value(Opt::Stat);
        const auto it = std::find(modes.begin(), modes.end(), s);
        if (it == modes.end())
            return usageError("--stat takes total, average, mean or mode, not " + quoted(s));
        c.statMode = static_cast<int>(it - modes.begin());
    }
    return c;
}

} // namespace qm::app
