#include "BatchMode.h"

#include "core/files/CalcFile.h"
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/MailCalc.h"
#include "core/tape/SettingsFile.h"
#include "ui/commands/PrintTape.h"
#include "ui/platform/RegionalSettings.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <filesystem>
#include <ostream>

namespace qm::app {

namespace {

const char* const ProgramName = "quillmate";

const QString OptTotal = QStringLiteral("total");
const QString OptEvaluate = QStringLiteral("evaluate");
const QString OptPrint = QStringLiteral("print");
const QString OptOutput = QStringLiteral("output");
const QString OptDecimals = QStringLiteral("decimals");
const QString OptStat = QStringLiteral("stat");
const QString OptSettings = QStringLiteral("settings");
const QString OptHelp = QStringLiteral("help");
const QString OptVersion = QStringLiteral("version");

// The --stat values, in the order of the statistics modes.
const QStringList StatModeNames = {QStringLiteral("total"), QStringLiteral("average"),
                                   QStringLiteral("mean"), QStringLiteral("mode")};

void addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Adding-machine calculator with a rolling tape.\n"
        "Without options the window starts; a PATH names a calculation file (.Clc) to open\n"
        "or the settings file to use."));
    parser.addOptions({
        {OptTotal, QStringLiteral("Print the grand total of calculation file FILE and exit."),
         QStringLiteral("FILE")},
        {OptDecimals,
         QStringLiteral("With --total or --print: decimals shown, 0 to 6 or variable (default)."),
         QStringLiteral("N")},
        {OptStat,
         QStringLiteral("With --total or --print: the total line, total (default), average, mean or mode."),
         QStringLiteral("MODE")},
        {OptSettings, QStringLiteral("With --total: take the function buttons from settings file FILE."),
         QStringLiteral("FILE")},
        {OptEvaluate, QStringLiteral("Print the value of the arithmetic expression EXPR and exit."),
         QStringLiteral("EXPR")},
        {OptPrint,
         QStringLiteral("Print the tape of calculation file FILE on the default printer and exit."),
         QStringLiteral("FILE")},
        {OptOutput, QStringLiteral("With --print: write the printed tape to PDF file FILE instead."),
         QStringLiteral("FILE")},
        {{QStringLiteral("h"), OptHelp}, QStringLiteral("Show this help and exit.")},
        {OptVersion, QStringLiteral("Show the version and exit.")},
    });
    parser.addPositionalArgument(QStringLiteral("PATH"),
                                 QStringLiteral("Calculation or settings file for the window."),
                                 QStringLiteral("[PATH]"));
}

CommandLine usageError(const QString& message)
{
    CommandLine c;
    c.mode = Mode::UsageError;
    c.message = message;
    return c;
}

std::string toUtf8(const QString& s)
{
    const QByteArray bytes = s.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::filesystem::path toPath(const QString& s)
{
    return std::filesystem::path(toUtf8(s));
}

int runTotal(const CommandLine& c, std::ostream& out, std::ostream& err)
{
    const Regional regional = ui::systemRegional();

    const CalcFileRead read = loadCalcFile(toPath(c.calcPath), regional);
    if (!read.ok()) {
        err << toUtf8(c.calcPath);
        if (read.error.line > 0)
            err << ':' << read.error.line;
        err << ": " << read.error.reason << '\n';
        return ExitUnreadable;
    }

    FunctionButtons buttons = defaultFunctionButtons();
    if (!c.settingsPath.isEmpty()) {
        const SettingsLoad settings = loadSettingsFile(toPath(c.settingsPath));
        if (!settings.ok) {
            err << toUtf8(c.settingsPath) << ": " << settings.reason << '\n';
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
    return ExitOk;
}

int runPrint(const CommandLine& c)
{
    QStringList args{QStringLiteral("--print"), c.calcPath, QStringLiteral("--decimals"),
                     c.decimalPlaces > 6 ? QStringLiteral("variable")
                                         : QString::number(c.decimalPlaces),
                     QStringLiteral("--stat"), StatModeNames.value(c.statMode, StatModeNames.front())};
    if (!c.outputPath.isEmpty())
        args << QStringLiteral("--output") << c.outputPath;
    return ui::runPrintBatch(args) == 0 ? ExitOk : ExitUnreadable;
}

int runEvaluate(const CommandLine& c, std::ostream& out)
{
    Evaluator evaluator;
    const Result<std::string> result = evaluator.Evaluate(toUtf8(c.expression));
    if (!result) {
        out << "failure: " << failureName(result.failure()) << '\n';
        return ExitEvaluateFailed;
    }
    out << *result << '\n';
    return ExitOk;
}

} // namespace

bool isBatchCommandLine(const QStringList& arguments)
{
    static const QStringList longNames = {OptTotal, OptEvaluate, OptPrint, OptOutput, OptDecimals,
                                          OptStat, OptSettings, OptHelp, OptVersion};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("-h"))
            return true;
        if (!a.startsWith(QLatin1String("--")))
            continue;
        const QString name = a.mid(2).section(QLatin1Char('='), 0, 0);
        if (longNames.contains(name))
            return true;
    }
    return false;
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    if (!isBatchCommandLine(arguments)) {
        CommandLine c;
        c.argument = arguments.mid(1).join(QLatin1Char(' ')).remove(QLatin1Char('"'));
        return c;
    }

    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(OptHelp)) {
        CommandLine c;
        c.mode = Mode::Help;
        c.message = parser.helpText();
        return c;
    }
    if (parser.isSet(OptVersion)) {
        CommandLine c;
        c.mode = Mode::Version;
        return c;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument '%1' in a batch mode")
                              .arg(parser.positionalArguments().constFirst()));

    const bool total = parser.isSet(OptTotal);
    const bool evaluate = parser.isSet(OptEvaluate);
    const bool print = parser.isSet(OptPrint);
    if (total && evaluate)
        return usageError(QStringLiteral("--total and --evaluate cannot be combined"));
    if (print && (total || evaluate))
        return usageError(QStringLiteral("--print cannot be combined with --total or --evaluate"));
    if (!total && !print && parser.isSet(OptDecimals))
        return usageError(QStringLiteral("--decimals needs --total or --print"));
    if (!total && !print && parser.isSet(OptStat))
        return usageError(QStringLiteral("--stat needs --total or --print"));
    if (!total && parser.isSet(OptSettings))
        return usageError(QStringLiteral("--settings needs --total"));
    if (!print && parser.isSet(OptOutput))
        return usageError(QStringLiteral("--output needs --print"));

    CommandLine c;
    if (evaluate) {
        c.mode = Mode::Evaluate;
        c.expression = parser.value(OptEvaluate);
        return c;
    }

    if (print) {
        c.mode = Mode::Print;
        c.calcPath = parser.value(OptPrint);
        if (c.calcPath.isEmpty())
            return usageError(QStringLiteral("--print needs a file name"));
        c.outputPath = parser.value(OptOutput);
        if (parser.isSet(OptOutput) && c.outputPath.isEmpty())
            return usageError(QStringLiteral("--output needs a file name"));
    } else {
        c.mode = Mode::Total;
        c.calcPath = parser.value(OptTotal);
        if (c.calcPath.isEmpty())
            return usageError(QStringLiteral("--total needs a file name"));
    }
    c.settingsPath = parser.value(OptSettings);
    if (parser.isSet(OptSettings) && c.settingsPath.isEmpty())
        return usageError(QStringLiteral("--settings needs a file name"));

    if (parser.isSet(OptDecimals)) {
        const QString d = parser.value(OptDecimals);
        if (d == QLatin1String("variable")) {
            c.decimalPlaces = 25;
        } else if (d.size() == 1 && d.at(0) >= QLatin1Char('0') && d.at(0) <= QLatin1Char('6')) {
            c.decimalPlaces = d.at(0).unicode() - '0';
        } else {
            return usageError(QStringLiteral("--decimals takes 0 to 6 or variable, not '%1'").arg(d));
        }
    }
    if (parser.isSet(OptStat)) {
        const QString s = parser.value(OptStat);
        const qsizetype index = StatModeNames.indexOf(s);
        if (index < 0)
            return usageError(QStringLiteral("--stat takes total, average, mean or mode, not '%1'").arg(s));
        c.statMode = static_cast<int>(index);
    }
    return c;
}

bool needsGuiApplication(const CommandLine& commandLine)
{
    return commandLine.mode == Mode::Print;
}

int runBatch(const CommandLine& c, std::ostream& out, std::ostream& err)
{
    switch (c.mode) {
    case Mode::Total:
        return runTotal(c, out, err);
    case Mode::Evaluate:
        return runEvaluate(c, out);
    case Mode::Print:
        return runPrint(c);
    case Mode::Help:
        out << toUtf8(c.message);
        return ExitOk;
    case Mode::Version:
        out << "8.1\n";
        return ExitOk;
    case Mode::UsageError:
        err << ProgramName << ": " << toUtf8(c.message) << "\nTry '" << ProgramName
            << " --help'.\n";
        return ExitUsage;
    case Mode::Window:
        break;
    }
    err << ProgramName << ": no batch mode given\n";
    return ExitUsage;
}

} // namespace qm::app
