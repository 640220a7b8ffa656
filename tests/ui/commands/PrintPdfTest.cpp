// Printing the tape into a PDF and reading it back: which lines and texts
// the page holds, where they stand, and failures that are told, not lost.

#include "PrintPdfTools.h"

#include "ui/commands/PrintTape.h"

#include <QTemporaryDir>

namespace qm::ui {
namespace {

using namespace test;

const Regional English{'.', ',', 3};

class PrintPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"pdftotext", "pdftohtml", "pdfinfo"}) {
            if (!haveTool(QString::fromLatin1(tool)))
                GTEST_SKIP() << tool << " (poppler-utils) is not installed";
        }
        ASSERT_TRUE(dir.isValid());
    }
    QTemporaryDir dir;
};

TEST_F(PrintPdf, StripOfOperatorsAndAmountsOnOneRightEdge)
{
    // Zero, negative and text lines are left out.
    const Tape tape = tapeOf({{'+', dec("1")}, {'+', dec("0")}, {'-', dec("22.5")},
                                {'-', dec("-4")}, {'x', dec("1234.25")}, {'+', Value("Sin(30)")},
                                {'/', dec("7")}, {'+', Value()}, {'^', dec("0.5")}});
    const QString pdf = dir.filePath("edge.pdf");
    const PrintResult r = printTapeToPdf(pdf, tape, 2, English, QStringLiteral("-98,765.43"));
    ASSERT_TRUE(r.printed) << r.reason.toStdString();
    EXPECT_EQ(r.lines, 6);
    EXPECT_EQ(r.pages, 1);
    EXPECT_EQ(pdfPages(pdf), 1);
    EXPECT_EQ(boldTexts(pdf).join(' '), "= -98,765.43");   // the total and nothing else

    const std::vector<PdfWord> words = pdfWords(pdf);
    ASSERT_EQ(words.size(), 12u);
    const QStringList ops{"+", "-", "x", "/", "^", "="};
    const QStringList amounts{"1.00", "22.50", "1,234.25", "7.00", ".50", "-98,765.43"};
    for (std::size_t i = 0; i < 6; ++i) {
        const PdfWord& op = words[2 * i];
        const PdfWord& amount = words[2 * i + 1];
        EXPECT_EQ(op.text, ops[static_cast<int>(i)]);
        EXPECT_EQ(amount.text, amounts[static_cast<int>(i)]);
        EXPECT_NEAR(amount.xMax, words[1].xMax, 0.5) << amount.text.toStdString();
        EXPECT_NEAR(op.xMin, words[0].xMin, 0.5) << "operators start every line";
        EXPECT_LT(op.xMax, amount.xMin);
        if (i > 0) {
            EXPECT_GT(op.yMin, words[2 * i - 2].yMin) << "one line each, top down";
        }
    }
    // Three wide letters of room left of the total: at 10 points three bold W
    // are about 28 points, less the "=" itself.
    const double room = words[11].xMin - words[10].xMax;
    EXPECT_GT(room, 15.0);
    EXPECT_LT(room, 30.0);
}

TEST_F(PrintPdf, FailuresAreReportedWithAReason)
{
    const QString pdf = dir.filePath("missing-folder/out.pdf");
    const PrintResult r = printTapeToPdf(pdf, tapeOf({{'+', dec("1")}}), 2, English, "1.00");
    EXPECT_FALSE(r.printed);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_FALSE(printTapeToPdf(QString(), Tape{}, 2, English, "0").printed);

    // The message box carries the window's title; success shows none (the
    // box would block this test).
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quillmate 8.1    (Educational Version)"));
    MessageCatcher catcher;
    showPrintFailure(&window, r);
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.title, window.windowTitle());
    EXPECT_EQ(catcher.text, printFailureText(r.reason));
    PrintResult ok;
    ok.printed = true;
    showPrintFailure(&window, ok);
    EXPECT_EQ(catcher.seen, 1);
}

} // namespace
} // namespace qm::ui
