#include "PrintPdfTools.h"

#include "ui/commands/PrintTape.h"
#include "ui/platform/RegionalSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qm::ui {
namespace {

class PrintBatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::haveTool(QStringLiteral("pdftotext")))
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        ASSERT_TRUE(dir.isValid());
        sep = QChar::fromLatin1(systemRegional().decimalSep);
    }

    // A calculation file; "." in the lines stands for the regional separator.
    QString writeCalc(const char* name, QStringList lines)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray bytes = "Ferrowick 6\r\n";
        for (QString& l : lines)
            bytes += l.replace(QLatin1Char('.'), sep).toLatin1() + "\r\n";
        f.write(bytes);
        return path;
    }

    // Runs the batch and returns its exit code; `err` gets standard error.
    int run(const QStringList& args, std::string& err)
    {
        ::testing::internal::CaptureStderr();
        const int code = runPrintBatch(args);
        err = ::testing::internal::GetCapturedStderr();
        return code;
    }

    QString loc(QString s) const { return s.replace(QLatin1Char('.'), sep); }

    QTemporaryDir dir;
    QChar sep;
};

TEST_F(PrintBatch, PrintsTheFileWithItsRecalculatedTotal)
{
    const QString calc = writeCalc("tape.Clc", {"+12.5", "x3", "+0", "+Sin(30)"});
    const QString pdf = dir.filePath("tape.pdf");
    std::string err;
    ASSERT_EQ(run({"--print", calc, "--decimals", "2", "--output", pdf}, err), 0) << err;
    EXPECT_EQ(err, "");
    const std::vector<QStringList> lines = test::layoutLines(pdf);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (QStringList{"+", loc("12.50")}));
    EXPECT_EQ(lines[1], (QStringList{"x", loc("3.00")}));
    // 37.5 + sin(30 radians): the total line carries the recalculated sum.
    EXPECT_EQ(lines[2], (QStringList{"=", loc("36.51")}));
}

TEST_F(PrintBatch, DecimalsDefaultToVariable)
{
    const QString calc = writeCalc("third.Clc", {"+1", "/3"});
    const QString pdf = dir.filePath("third.pdf");
    std::string err;
    ASSERT_EQ(run({"--output", pdf, "--print", calc}, err), 0) << err;
    const std::vector<QStringList> lines = test::layoutLines(pdf);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (QStringList{"+", "1"}));
    EXPECT_EQ(lines[1], (QStringList{"/", "3"}));
    EXPECT_EQ(lines[2], (QStringList{"=", loc("0.3333333333333333333333333333")}));
}

TEST_F(PrintBatch, EveryFailureIsOneLineAndExitCodeOne)
{
    const QString good = writeCalc("good.Clc", {"+1"});
    const QString bad = writeCalc("bad.Clc", {"+1", "+abc"});
    const QString pdf = dir.filePath("never.pdf");
    struct Row {
        const char* what;
        QStringList args;
        const char* mentions;
    };
    const Row rows[] = {
        {"no file", {"--output", pdf}, "--print"},
        {"missing file", {"--print", dir.filePath("none.Clc"), "--output", pdf}, "does not exist"},
        {"unreadable line", {"--print", bad, "--output", pdf}, "line 3"},
        {"decimals out of range", {"--print", good, "--decimals", "7", "--output", pdf}, "7"},
        {"decimals not a number", {"--print", good, "--decimals", "two", "--output", pdf}, "two"},
        {"option without value", {"--print", good, "--output"}, "--output"},
        {"unknown option", {"--print", good, "--color"}, "--color"},
        {"unwritable output", {"--print", good, "--output", dir.filePath("no/such/dir.pdf")}, ""},
    };
    for (const Row& r : rows) {
        std::string err;
        EXPECT_EQ(run(r.args, err), 1) << r.what;
        EXPECT_EQ(err.rfind("The tape was not printed: ", 0), 0u) << r.what << ": " << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << r.what << ": " << err;
        EXPECT_NE(err.find(r.mentions), std::string::npos) << r.what << ": " << err;
    }
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(PrintBatch, WithoutOutputItUsesTheDefaultPrinter)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer; not printing on it";
    const QString calc = writeCalc("p.Clc", {"+1"});
    std::string err;
    EXPECT_EQ(run({"--print", calc}, err), 1);
    EXPECT_EQ(err, "The tape was not printed: no default printer is set up.\n");
}

} // namespace
} // namespace qm::ui
