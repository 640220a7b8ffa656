#include "PrintPdfTools.h"

#include "ui/commands/PrintTape.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>

namespace qm::ui {
namespace {

using test::boldTexts;
using test::layoutLines;
using test::pdfPages;
using test::pdfWords;

Value dec(const char* text)
{
    Result<Decimal> d = parseStrict(text);
    EXPECT_TRUE(d.ok()) << text;
    return d.valueOr(Decimal());
}

Tape makeTape(std::vector<std::pair<char, Value>> lines)
{
    Tape t;
    for (auto& [op, v] : lines) {
        t.TapeOp.push_back(op);
        t.TapeValue.push_back(std::move(v));
    }
    return t;
}

const Regional periodRegion{'.', ',', 3};
const Regional commaRegion{',', '.', 3};

class PrintPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"pdftotext", "pdftohtml", "pdfinfo"}) {
            if (!test::haveTool(QString::fromLatin1(tool)))
                GTEST_SKIP() << tool << " (poppler-utils) is not installed";
        }
        ASSERT_TRUE(dir.isValid());
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
};

TEST_F(PrintPdf, AddingMachineStrip)
{
    const Tape tape = makeTape({{'+', dec("12.5")}, {'x', dec("3")}, {'+', dec("0")}, {'+', Value()}});
    const QString pdf = path("strip.pdf");
    const PrintResult r = printTapeToPdf(pdf, tape, 2, periodRegion, QStringLiteral("37.50"));
    ASSERT_TRUE(r.printed) << r.reason.toStdString();
    EXPECT_EQ(r.lines, 3);
    EXPECT_EQ(r.pages, 1);
    EXPECT_EQ(pdfPages(pdf), 1);

    const std::vector<QStringList> lines = layoutLines(pdf);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (QStringList{"+", "12.50"}));
    EXPECT_EQ(lines[1], (QStringList{"x", "3.00"}));
    EXPECT_EQ(lines[2], (QStringList{"=", "37.50"}));

    // The "=" line and nothing else is bold.
    EXPECT_EQ(boldTexts(pdf).join(QLatin1Char(' ')), QStringLiteral("= 37.50"));
}

TEST_F(PrintPdf, AmountsShareOneRightEdgeRightOfTheOperators)
{
    const Tape tape = makeTape({{'+', dec("1")},
                                {'-', dec("22.5")},
                                {'x', dec("1234.25")},
                                {'/', dec("7")},
                                {'^', dec("0.5")}});
    const QString pdf = path("edge.pdf");
    const PrintResult r = printTapeToPdf(pdf, tape, 2, periodRegion, QStringLiteral("-98,765.43"));
    ASSERT_TRUE(r.printed) << r.reason.toStdString();

    const std::vector<test::PdfWord> words = pdfWords(pdf);
    ASSERT_EQ(words.size(), 12u);   // six lines of operator and amount
    const QStringList ops{"+", "-", "x", "/", "^", "="};
    const QStringList amounts{"1.00", "22.50", "1,234.25", "7.00", ".50", "-98,765.43"};
    const double edge = words[1].xMax;
    double lastY = -1;
    for (int i = 0; i < 6; ++i) {
        const test::PdfWord& op = words[static_cast<std::size_t>(2 * i)];
        const test::PdfWord& amount = words[static_cast<std::size_t>(2 * i + 1)];
        EXPECT_EQ(op.text, ops[i]);
        EXPECT_EQ(amount.text, amounts[i]);
        EXPECT_NEAR(amount.xMax, edge, 0.5) << amount.text.toStdString();
        EXPECT_LT(op.xMax, amount.xMin) << amount.text.toStdString();
        EXPECT_NEAR(op.xMin, words[0].xMin, 0.5) << "operators start every line";
        EXPECT_GT(op.yMin, lastY) << "one line each, top down";
        lastY = op.yMin;
    }
    // Three wide letters of room left of the widest amount, the total: at
    // 10 points three bold W are about 28 points, less the "=" itself.
    const double room = words[11].xMin - words[10].xMax;
    EXPECT_GT(room, 15.0);
    EXPECT_LT(room, 30.0);
}

TEST_F(PrintPdf, LeavesOutZeroNegativeAndTextLines)
{
    const Tape tape = makeTape({{'+', dec("0")},
                                {'+', dec("5")},
                                {'-', dec("-4")},
                                {'+', Value("Sin(30)")},
                                {'+', Value("Int")},
                                {'+', Value("Roun(2)")},
                                {'x', Value("Kilo(12)")},
                                {'+', Value()},
                                {'+', dec("0.75")}});
    const QString pdf = path("leftout.pdf");
    const PrintResult r = printTapeToPdf(pdf, tape, 25, periodRegion, QStringLiteral("5.75"));
    ASSERT_TRUE(r.printed) << r.reason.toStdString();
    const std::vector<QStringList> lines = layoutLines(pdf);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (QStringList{"+", "5"}));
    EXPECT_EQ(lines[1], (QStringList{"+", "0.75"}));   // "Variable": plain text
    EXPECT_EQ(lines[2], (QStringList{"=", "5.75"}));
}

TEST_F(PrintPdf, CommaSettingLeavesOutValuesBelowOne)
{
    const Tape tape = makeTape({{'+', dec("0.5")}, {'+', dec("1.5")}, {'+', dec("1234.5")}});
    const QString pdf = path("comma.pdf");
    const PrintResult r = printTapeToPdf(pdf, tape, 2, commaRegion, QStringLiteral("1.236,50"));
    ASSERT_TRUE(r.printed) << r.reason.toStdString();
    const std::vector<QStringList> lines = layoutLines(pdf);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (QStringList{"+", "1,50"}));
    EXPECT_EQ(lines[1], (QStringList{"+", "1.234,50"}));
    EXPECT_EQ(lines[2], (QStringList{"=", "1.236,50"}));
}

TEST_F(PrintPdf, LongTapeBreaksIntoFullPages)
{
    Tape tape;
    for (int i = 0; i < 200; ++i) {
        tape.TapeOp.push_back('+');
        tape.TapeValue.push_back(Value(Decimal::fromInt(i + 1)));
    }
    const QString pdf = path("long.pdf");
    const PrintResult r = printTapeToPdf(pdf, tape, 0, periodRegion, QStringLiteral("20,100"));
    ASSERT_TRUE(r.printed) << r.reason.toStdString();
    EXPECT_EQ(r.lines, 201);
    EXPECT_GE(r.pages, 2);
    EXPECT_EQ(pdfPages(pdf), r.pages);

    // Every line is there once, in order, and pages are filled before the next starts.
    const std::vector<QStringList> lines = layoutLines(pdf);
    ASSERT_EQ(lines.size(), 201u);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(lines[static_cast<std::size_t>(i)],
                  (QStringList{"+", QString::number(i + 1)}));
    EXPECT_EQ(lines.back(), (QStringList{"=", "20,100"}));
    const QString firstPage = test::runTool("pdftotext", {"-f", "1", "-l", "1", "-layout", pdf, "-"});
    const int onFirst = static_cast<int>(firstPage.count(QLatin1Char('+')));
    EXPECT_GE(onFirst * (r.pages - 1), 201 - onFirst) << "only the last page may be short";
}

TEST_F(PrintPdf, UnwritableOutputIsAFailureWithAReason)
{
    const QString pdf = dir.filePath(QStringLiteral("missing-folder/out.pdf"));
    const PrintResult r = printTapeToPdf(pdf, makeTape({{'+', dec("1")}}), 2, periodRegion,
                                         QStringLiteral("1.00"));
    EXPECT_FALSE(r.printed);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_FALSE(printTapeToPdf(QString(), Tape{}, 2, periodRegion, "0").printed);
}

TEST(PrintDefault, NoDefaultPrinterIsReportedNotIgnored)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    const PrintResult r = printTapeOnDefaultPrinter(Tape{}, 2, periodRegion, "0");
    EXPECT_FALSE(r.printed);
    EXPECT_EQ(r.reason, QStringLiteral("no default printer is set up."));
}

TEST(PrintDefault, FailureMessageBoxCarriesTheProgramTitle)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quillmate 8.1    (Educational Version)"));
    PrintResult failed;
    failed.reason = QStringLiteral("no default printer is set up.");

    QString seenTitle, seenText;
    int seenButtons = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (box && box->isVisible()) {
                seenTitle = box->windowTitle();
                seenText = box->text();
                seenButtons = static_cast<int>(box->buttons().size());
                box->accept();
            }
        }
    });
    poll.start(20);
    showPrintFailure(&window, failed);
    poll.stop();
    EXPECT_EQ(seenTitle, window.windowTitle());
    EXPECT_EQ(seenText, QStringLiteral("The tape was not printed: no default printer is set up."));
    EXPECT_EQ(seenButtons, 1);

    // A successful print shows nothing (the box would block this test otherwise).
    PrintResult ok;
    ok.printed = true;
    showPrintFailure(&window, ok);
}

} // namespace
} // namespace qm::ui
