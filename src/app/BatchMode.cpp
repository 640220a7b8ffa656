#include "BatchMode.h"

#include "PdfOutput.h"

#include "core/Version.h"
#include "core/commands/TapeRecord.h"
#include "core/files/CalcFile.h"
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/MailCalc.h"
#include "core/tape/SettingsFile.h"
#include "core/commands/PrintLayout.h"
#include "ui/commands/PrintTape.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/SettingsLocation.h"

#include <QString>

#include <array>
#include <exception>
#include <filesystem>
#include <new>
#include <ostream>
#include <string_view>

namespace qm::app {

namespace {

const char* const ProgramName = "quillmate";

// The paths are the bytes of the command line, used as they are.
std::filesystem::path pathOf(const std::string& bytes) { return std::filesystem::path(bytes); }

// What a batch mode prints is a number when it reads as one under the
// regional settings, after the label a statistic puts before it.
bool isNumberText(std::string_view text, const Regional& regional)
{
    static constexpr std::array<std::string_view, 3> labels{"Average : ", "Mean : ", "Mode : "};
    for (const std::string_view label : labels) {
        if (text.substr(0, label.size()) == label) {
            text.remove_prefix(label.size());
            break;
        }
    }
    // A result beyond the decimal range ("1E+29", the form a power step
    // leaves) is still a number.
    if (text.empty())
        return false;
    const Result<Decimal> number = parseRegional(text, regional);
    return number.ok() || number.failure() == Failure::Overflow;
}

void reportCalcFile(std::ostream& err, const std::string& path, const CalcFileError& error)
{
    err << path;
    if (error.line > 0)
        err << ':' << error.line;
    err << ": " << error.reason << '\n';
}

int runTotal(const CommandLine& c, std::ostream& out, std::ostream& err)
{
    const Regional regional = ui::systemRegional();

    const CalcFileRead read = loadCalcFile(pathOf(c.calcPath), regional);
    if (!read.ok()) {
        reportCalcFile(err, c.calcPath, read.error);
        return ExitUnreadable;
    }

    FunctionButtons buttons = defaultFunctionButtons();
    if (!c.settingsPath.empty()) {
        const SettingsLoad settings = loadSettingsFile(pathOf(c.settingsPath));
        if (!settings.ok) {
            err << c.settingsPath << ": " << settings.reason << '\n';
            return ExitUnreadable;
        }
        if (!settings.complete) {
            err << c.settingsPath << ": not a settings file (" << settings.reason << ")\n";
            return ExitUnreadable;
        }
        buttons = settings.data.buttons;
    }

    CalcSettings calc;
    calc.DecimalPlaces = c.decimalPlaces;
    calc.StatMode = c.statMode;
    calc.regional = regional;
    Evaluator evaluator;
    const TotalResult total = MailCalc(*read.tape, calc, buttons, std::string(), evaluator);
    out << total.text << '\n';
    return isNumberText(total.text, regional) ? ExitOk : ExitNotANumber;
}

int runEvaluate(const CommandLine& c, std::ostream& out)
{
    Evaluator evaluator;
    const auto result = evaluator.evaluate(c.expression);
    if (!result) {
        out << result.failure().describe() << '\n';
        return ExitNotANumber;
    }
    out << *result << '\n';
    return ExitOk;
}

int printFailure(std::ostream& err, const std::string& reason)
{
    err << "The tape was not printed: " << reason << '\n';
    return ExitUnreadable;
}

int runPrint(const CommandLine& c, std::ostream& err)
{
    const Regional regional = ui::systemRegional();
    const CalcFileRead read = loadCalcFile(pathOf(c.calcPath), regional);
    if (!read.ok())
    {
        std::string reason(1, '"');
        reason += c.calcPath;
        reason += "\" cannot be read: ";
        reason += describeCalcFileError(read.error);
        return printFailure(err, reason);
    }

    // The function buttons the window would start with.
    const ui::SettingsPlan settings = ui::planSettings(QString(), ui::programSettingsFolders());
    CalcSettings calc;
    calc.DecimalPlaces = c.decimalPlaces;
    calc.StatMode = c.statMode;
    calc.regional = regional;
    Evaluator evaluator;
    const QString totalText = ui::toQ(printedTotalText(*read.tape, calc, settings.data.buttons, evaluator));

    if (!c.outputPath.empty()) {
        const std::string failed = writeTapePdf(c.outputPath, *read.tape, c.decimalPlaces, regional, totalText);
        return failed.empty() ? ExitOk : printFailure(err, failed);
    }
    const ui::PrintResult printed = ui::printTapeOnDefaultPrinter(*read.tape, c.decimalPlaces, regional, totalText);
    return printed.printed ? ExitOk : printFailure(err, printed.reason.toStdString());
}

// The tape as CSV, as "Export CSV..." writes it; "Variable" decimals and
// the running total, as the window starts.
int runCsv(const CommandLine& c, std::ostream& out, std::ostream& err)
{
    const Regional regional = ui::systemRegional();
    const CalcFileRead read = loadCalcFile(pathOf(c.calcPath), regional);
    if (!read.ok()) {
        reportCalcFile(err, c.calcPath, read.error);
        return ExitUnreadable;
    }
    CalcSettings calc;
    calc.regional = regional;
    const FunctionButtons buttons = defaultFunctionButtons();
    Evaluator evaluator;
    std::vector<LineTotal> totals;
    MailCalc(*read.tape, calc, buttons, std::string(), evaluator, totals);
    // Every line a file gives counts, as when the window opens it.
    const std::string csv = tapeRecord(*read.tape, read.tape->size(), totals, calc, buttons, RecordFormat::Csv);
    if (c.outputPath.empty()) {
        out << csv;
        out.flush();
        return out ? ExitOk : ExitUnreadable;
    }
    const FileStatus written = writeRecordFile(pathOf(c.outputPath), csv);
    if (!written) {
        err << c.outputPath << ": " << written.reason << '\n';
        return ExitUnreadable;
    }
    return ExitOk;
}

int runMode(const CommandLine& c, std::ostream& out, std::ostream& err)
{
    switch (c.mode) {
    case Mode::Total:
        return runTotal(c, out, err);
    case Mode::Evaluate:
        return runEvaluate(c, out);
    case Mode::Print:
        return runPrint(c, err);
    case Mode::Csv:
        return runCsv(c, out, err);
    case Mode::Help:
        out << helpText();
        return ExitOk;
    case Mode::Version:
        out << ProgramVersion << "\n";
        return ExitOk;
    case Mode::UsageError:
        err << ProgramName << ": " << c.message << '\n' << usageText() << "Try '" << ProgramName
            << " --help'.\n";
        return ExitUsage;
    case Mode::Window:
        break;
    }
    err << ProgramName << ": no batch mode given\n";
    return ExitUsage;
}

} // namespace

bool needsGuiApplication(const CommandLine& commandLine)
{
    return commandLine.mode == Mode::Print;
}

int runBatch(const CommandLine& c, std::ostream& out, std::ostream& err)
{
    try {
        return runMode(c, out, err);
    } catch (const std::bad_alloc&) {
        err << ProgramName << ": not enough memory\n";
    } catch (const std::exception& e) {
        err << ProgramName << ": " << e.what() << '\n';
    }
    return ExitUnreadable;
}

} // namespace qm::app
