#include "ui/commands/PrintTape.h"

#include "core/commands/PrintLayout.h"
#include "core/files/CalcFile.h"
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/MailCalc.h"
#include "core/tape/SettingsFile.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/SettingsLocation.h"

#include <QFont>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace qm::ui {

namespace {

// The tape's print font: Arial, or its metric twin where Arial is missing.
QFont tapeFont(bool bold)
{
    QFont f(QStringLiteral("Arial"), 10);
    f.setStyleHint(QFont::SansSerif);
    f.setBold(bold);
    return f;
}

PrintResult failed(const QString& reason)
{
    PrintResult r;
    r.reason = reason;
    return r;
}

QString failureReason(Failure f)
{
    if (f == Failure::Overflow)
        return QStringLiteral("the total is too wide for the page.");
    return QString::fromLatin1(failureName(f)) + QLatin1Char('.');
}

} // namespace

PrintResult printTape(QPrinter& printer, const Tape& tape, int decimalPlaces,
                      const Regional& regional, const QString& totalText)
{
    if (!printer.isValid())
        return failed(QStringLiteral("the printer is not available."));

    QPainter painter;
    if (!painter.begin(&printer))
        return failed(QStringLiteral("the printer \"%1\" could not be started.")
                          .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                                  : printer.outputFileName()));

    const QFont regular = tapeFont(false);
    const QFont bold = tapeFont(true);
    const QFontMetricsF regularMetrics(regular, painter.device());
    const QFontMetricsF boldMetrics(bold, painter.device());
    const PrintTextWidth width = [&](std::string_view text, bool isBold) {
        return (isBold ? boldMetrics : regularMetrics).horizontalAdvance(toQ(text));
    };

    const Result<PrintPlan> plan =
        planPrintedTape(tape, decimalPlaces, regional, toStd(totalText), width);
    if (!plan) {
        painter.end();
        return failed(failureReason(plan.failure()));
    }

    const double lineHeight = std::max(regularMetrics.lineSpacing(), boldMetrics.lineSpacing());
    const double pageHeight = printer.pageRect(QPrinter::DevicePixel).height();
    PrintResult result;
    int page = 0;
    for (std::size_t i = 0; i < plan->lines.size(); ++i) {
        const PrintLine& line = plan->lines[i];
        const PrintPlace place = printPlace(i, lineHeight, pageHeight);
        while (page < place.page) {
            if (!printer.newPage()) {
                painter.end();
                return failed(QStringLiteral("the printer could not start page %1.").arg(page + 2));
            }
            ++page;
        }
        const QFontMetricsF& metrics = line.bold ? boldMetrics : regularMetrics;
        painter.setFont(line.bold ? bold : regular);
        const double baseline = place.y + metrics.ascent();
        painter.drawText(QPointF(0, baseline), toQ(line.op));
        painter.drawText(QPointF(line.amountX, baseline), toQ(line.amount));
    }
    if (!painter.end())
        return failed(QStringLiteral("the document could not be completed."));
    result.printed = true;
    result.lines = static_cast<int>(plan->lines.size());
    result.pages = page + 1;
    return result;
}

PrintResult printTapeOnDefaultPrinter(const Tape& tape, int decimalPlaces,
                                      const Regional& regional, const QString& totalText)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return failed(QStringLiteral("no default printer is set up."));
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Calculation tape"));
    return printTape(printer, tape, decimalPlaces, regional, totalText);
}

PrintResult printTapeToPdf(const QString& pdfPath, const Tape& tape, int decimalPlaces,
                           const Regional& regional, const QString& totalText)
{
    if (pdfPath.isEmpty())
        return failed(QStringLiteral("no output file was named."));
    // Found out here, with the system's reason, rather than as a printer that
    // does not start.
    const bool existed = QFileInfo::exists(pdfPath);
    {
        QFile probe(pdfPath);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
            return failed(QStringLiteral("\"%1\" cannot be written (%2).")
                              .arg(pdfPath, probe.errorString()));
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setDocName(QStringLiteral("Calculation tape"));
    PrintResult r = printTape(printer, tape, decimalPlaces, regional, totalText);
    if (!r.printed && !existed)
        QFile::remove(pdfPath);
    return r;
}

QString printFailureText(const QString& reason)
{
    return QStringLiteral("The tape was not printed: %1").arg(reason);
}

void showPrintFailure(QWidget* parent, const PrintResult& result)
{
    if (result.printed)
        return;
    const QString title = parent ? parent->window()->windowTitle() : QString();
    QMessageBox box(QMessageBox::Warning, title, printFailureText(result.reason),
                    QMessageBox::Ok, parent);
    box.exec();
}

namespace {

constexpr int VariableDecimals = 25;

struct BatchOptions {
    QString calcFile;
    QString output;
    int decimals = VariableDecimals;   // every run starts with "Variable"
};

// Reads the options; returns the reason when they do not make sense.
QString parseBatch(const QStringList& args, BatchOptions& o)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--print") || a == QLatin1String("--output") ||
            a == QLatin1String("--decimals")) {
            if (!hasValue)
                return QStringLiteral("%1 needs a value").arg(a);
            const QString v = args[++i];
            if (a == QLatin1String("--print")) {
                o.calcFile = v;
            } else if (a == QLatin1String("--output")) {
                o.output = v;
            } else if (v.compare(QLatin1String("variable"), Qt::CaseInsensitive) == 0) {
                o.decimals = VariableDecimals;
            } else {
                bool ok = false;
                const int n = v.toInt(&ok);
                if (!ok || n < 0 || n > 6)
                    return QStringLiteral("--decimals takes 0 to 6 or variable, not \"%1\"").arg(v);
                o.decimals = n;
            }
        } else {
            return QStringLiteral("unknown option \"%1\"").arg(a);
        }
    }
    if (o.calcFile.isEmpty())
        return QStringLiteral("no calculation file to print (--print FILE.Clc)");
    return {};
}

// The function buttons the program would start with: the settings file's
// when there is one, else the shipped ones.
FunctionButtons startupButtons()
{
    const SettingsChoice choice = chooseSettingsFile(QString());
    if (choice.read) {
        const SettingsLoad load = loadSettingsFile(std::filesystem::path(choice.path.toStdString()));
        if (load.ok)
            return load.data.buttons;
    }
    return defaultFunctionButtons();
}

int batchFailure(const QString& reason)
{
    std::fprintf(stderr, "%s\n", printFailureText(reason).toLocal8Bit().constData());
    return 1;
}

} // namespace

int runPrintBatch(const QStringList& args)
{
    BatchOptions o;
    const QString bad = parseBatch(args, o);
    if (!bad.isEmpty())
        return batchFailure(bad + QLatin1Char('.'));

    const QFileInfo file(o.calcFile);
    if (!file.isFile())
        return batchFailure(QStringLiteral("\"%1\" does not exist.").arg(o.calcFile));
    const Regional regional = systemRegional();
    const CalcFileRead read =
        loadCalcFile(std::filesystem::path(file.absoluteFilePath().toStdString()), regional);
    if (!read.ok()) {
        const QString where = read.error.line > 0
                                  ? QStringLiteral(" (line %1)").arg(read.error.line)
                                  : QString();
        return batchFailure(QStringLiteral("\"%1\" cannot be read%2: %3.")
                                .arg(o.calcFile, where, toQ(read.error.reason)));
    }

    CalcSettings settings;
    settings.DecimalPlaces = o.decimals;
    settings.regional = regional;
    Evaluator evaluator;
    const TotalResult total = MailCalc(*read.tape, settings, startupButtons(), std::string(), evaluator);

    const QString totalText = toQ(total.text);
    const PrintResult r =
        o.output.isEmpty()
            ? printTapeOnDefaultPrinter(*read.tape, o.decimals, regional, totalText)
            : printTapeToPdf(o.output, *read.tape, o.decimals, regional, totalText);
    if (!r.printed)
        return batchFailure(r.reason);
    return 0;
}

} // namespace qm::ui
