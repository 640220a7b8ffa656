// Printing the tape into a PDF and reading it back: every line that counts,
// on one right edge, under the recalculated total; the same strip from the
// preview, the export and the printer dialog; failures that are told, not lost.

#include "PrintPdfTools.h"

#include "core/commands/PrintLayout.h"
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"
#include "ui/commands/PrintTape.h"
#include "ui/game/GameController.h"
#include "ui/mainwindow/MainWindowSupport.h"
#include "ui/platform/RegionalSettings.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

#include <functional>

namespace qm::ui {
namespace {

using namespace test;

const Regional English{'.', ',', 3};
const Regional German{',', '.', 3};

QString totalOf(const Tape& tape, int decimals, const Regional& regional)
{
    CalcSettings settings;
    settings.DecimalPlaces = decimals;
    settings.regional = regional;
    Evaluator evaluator;
    return toQ(printedTotalText(tape, settings, defaultFunctionButtons(), evaluator));
}

// Runs `act` on the first modal dialog of type T that shows.
template <class T>
void onDialog(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start(10);
}

// A number as printed, back to a double: grouping dropped, "," or "." as point.
double printedNumber(QString text, const Regional& r)
{
    text.remove(QChar::fromLatin1(r.thousandSep)).replace(QChar::fromLatin1(r.decimalSep), '.');
    bool ok = false;
    const double v = text.toDouble(&ok);
    EXPECT_TRUE(ok) << text.toStdString();
    return v;
}

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

const Tape Mixed = tapeOf({{'+', dec("0.5")}, {'+', dec("-3")}, {'-', dec("-4")},
                           {'+', Value("Sin(30)")}, {'+', dec("1234567.891")}, {'+', dec("0")},
                           {'+', Value("50%")}, {'/', dec("2")}, {'+', Value()}});

TEST_F(PrintPdf, EveryLineThatCountsOnOneRightEdge)
{
    // ((0.5 - 3 + 4 + sin 30) + 1234567.891) * 1.5 / 2 = 925926.3022...
    const QString total = totalOf(Mixed, 2, English);
    ASSERT_EQ(total, "925,926.30");
    const QString pdf = dir.filePath("mixed.pdf");
    const PrintResult r = printTapeToPdf(pdf, Mixed, 2, English, total);
    ASSERT_TRUE(r.printed) << r.reason.toStdString();
    EXPECT_EQ(r.lines, 8);
    EXPECT_EQ(pdfPages(pdf), 1);
    EXPECT_EQ(boldTexts(pdf).join(' '), "= 925,926.30");   // the total and nothing else

    const std::vector<PdfWord> words = pdfWords(pdf);
    const QStringList ops{"+", "+", "-", "+", "+", "+", "/", "="};
    const QStringList amounts{".50", "-3.00", "-4.00", "Sin(30)", "1,234,567.89", "50%", "2.00", total};
    ASSERT_EQ(words.size(), 16u);
    for (std::size_t i = 0; i < 8; ++i) {
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
    const double room = words[15].xMin - words[14].xMax;
    EXPECT_GT(room, 15.0);
    EXPECT_LT(room, 30.0);

    // "Variable" decimals: every figure as the tape shows it.
    ASSERT_TRUE(printTapeToPdf(pdf, Mixed, 25, English, totalOf(Mixed, 25, English)).printed);
    const QStringList lines = layoutText(pdf);
    EXPECT_EQ(lines.mid(0, 7), (QStringList{"+ 0.5", "+ -3", "- -4", "+ Sin(30)", "+ 1234567.891",
                                            "+ 50%", "/ 2"}));
    ASSERT_EQ(lines.size(), 8);
    EXPECT_TRUE(lines[7].startsWith("= 925926.302226")) << lines[7].toStdString();
}

TEST_F(PrintPdf, PlainNumbersAddUpToThePrintedTotal)
{
    const struct { Regional regional; int decimals; Tape tape; QStringList lines; } cases[] = {
        {German, 25, tapeOf({{'+', dec("0.5")}, {'+', dec("12.25")}, {'+', dec("-3")}}),
         {"+ 0,5", "+ 12,25", "+ -3", "= 9,75"}},
        {German, 2, tapeOf({{'+', dec("0.5")}, {'+', dec("1234.25")}, {'-', dec("-0.75")}}),
         {"+ ,50", "+ 1.234,25", "- -,75", "= 1.235,50"}},
        {English, 25, tapeOf({{'+', dec("-0.25")}, {'+', Value()}, {'-', dec("7")}, {'x', dec("-2")}}),
         {"+ -0.25", "- 7", "x -2", "= 14.5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.join(" | ").toStdString());
        const QString pdf = dir.filePath("sum.pdf");
        ASSERT_TRUE(printTapeToPdf(pdf, c.tape, c.decimals, c.regional,
                                   totalOf(c.tape, c.decimals, c.regional)).printed);
        const std::vector<QStringList> lines = layoutLines(pdf);
        EXPECT_EQ(layoutText(pdf), c.lines);
        // The strip itself, worked through like a paper roll, gives its total line.
        double sum = 0;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            ASSERT_EQ(lines[i].size(), 2);
            const double v = printedNumber(lines[i][1], c.regional);
            const QString op = lines[i][0];
            sum = op == "+" ? sum + v : op == "-" ? sum - v : op == "x" ? sum * v : sum / v;
        }
        ASSERT_FALSE(lines.empty());
        EXPECT_NEAR(sum, printedNumber(lines.back().last(), c.regional), 1e-9);
    }
}

TEST_F(PrintPdf, PreviewExportAndDialogPrintTheSameStrip)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quillmate 8.1"));
    const QString total = totalOf(Mixed, 25, German);
    const QString direct = dir.filePath("direct.pdf");
    ASSERT_TRUE(printTapeToPdf(direct, Mixed, 25, German, total).printed);
    const QStringList strip = layoutText(direct);
    ASSERT_EQ(strip.size(), 8);
    EXPECT_EQ(strip.front(), "+ 0,5");
    MessageCatcher catcher;

    // "Export PDF...": the name chosen in the file dialog gets the same document.
    const QString exported = dir.filePath("exported.pdf");
    onDialog<QFileDialog>([&](QFileDialog* d) {
        d->selectFile(exported);
        static_cast<QDialog*>(d)->accept();   // public there
    });
    EXPECT_TRUE(exportTapePdf(&window, Mixed, 25, German, total).printed);
    EXPECT_EQ(layoutText(exported), strip);
    onDialog<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_TRUE(exportTapePdf(&window, Mixed, 25, German, total).cancelled);

    // "Print Preview...": the preview shows the page; its printer, sent to a
    // file, gets the same strip.
    const QString previewed = dir.filePath("previewed.pdf");
    int previewPages = 0;
    onDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog* d) {
        if (auto* view = d->findChild<QPrintPreviewWidget*>())
            previewPages = view->pageCount();
        d->printer()->setOutputFormat(QPrinter::PdfFormat);
        d->printer()->setOutputFileName(previewed);
        emit d->paintRequested(d->printer());
        d->reject();
    });
    const PrintResult preview = previewTape(&window, Mixed, 25, German, total);
    EXPECT_TRUE(preview.cancelled) << "closed without printing";
    EXPECT_EQ(previewPages, 1);
    EXPECT_EQ(layoutText(previewed), strip);

    // "Print...": the system's dialog, sent to a file here (Qt's own dialog:
    // its printer list and file name box), gets the same strip; cancelling
    // prints nothing and says nothing.
    const QString chosen = dir.filePath("chosen.pdf");
    onDialog<QPrintDialog>([&](QPrintDialog* d) {
        EXPECT_FALSE(d->testOption(QAbstractPrintDialog::PrintPageRange)) << "the strip prints whole";
        auto* printers = d->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("filename"));
        const int toFile = printers ? printers->findText(QStringLiteral("PDF"), Qt::MatchContains) : -1;
        if (toFile < 0 || !name) {
            ADD_FAILURE() << "no \"Print to File (PDF)\" in the printer dialog";
            d->reject();
            return;
        }
        printers->setCurrentIndex(toFile);
        name->setText(chosen);
        d->accept();
    });
    EXPECT_TRUE(printTapeWithDialog(&window, Mixed, 25, German, total).printed);
    EXPECT_EQ(layoutText(chosen), strip);
    onDialog<QPrintDialog>([](QPrintDialog* d) { d->reject(); });
    EXPECT_TRUE(printTapeWithDialog(&window, Mixed, 25, German, total).cancelled);
    EXPECT_EQ(catcher.seen, 0);
}

// A text line of any length is shortened so that every amount and the total
// stay on the page.
TEST_F(PrintPdf, ALongTextLineLeavesEveryAmountOnThePage)
{
    const Tape tape = tapeOf({{'+', dec("100")}, {'-', dec("25.5")},
                              {'+', Value("Sqr(1." + std::string(10000, '2') + ")")}, {'+', dec("7")}});
    const QString total = totalOf(tape, 25, English);
    const QString pdf = dir.filePath("long.pdf");
    ASSERT_TRUE(printTapeToPdf(pdf, tape, 25, English, total).printed);
    const std::vector<PdfWord> words = pdfWords(pdf);
    constexpr double A4Width = 595.3;
    for (const QString& amount : {QStringLiteral("100"), QStringLiteral("25.5"), QStringLiteral("7"), total}) {
        const auto at = std::find_if(words.begin(), words.end(), [&](const PdfWord& w) { return w.text == amount; });
        ASSERT_NE(at, words.end()) << amount.toStdString();
        EXPECT_LT(at->xMax, A4Width) << amount.toStdString();
    }
    const QStringList lines = layoutText(pdf);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[2].startsWith("+ Sqr(1.222")) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QChar(0x2026))) << lines[2].toStdString();
}

// "Export PDF..." never replaces a calculation: a name that does not end in
// ".pdf", an existing file that is not a PDF and a link to one are refused
// with a message, and the file stays as it was.
TEST_F(PrintPdf, ExportRefusesEverythingButAPdf)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quillmate 8.1"));
    const QByteArray calcBytes = "Ferrowick 6\r\n+100\r\n+200\r\n";
    const QString clc = dir.filePath("tape.Clc");
    ASSERT_TRUE(writeFile(clc, calcBytes));
    ASSERT_TRUE(writeFile(dir.filePath("fake.pdf"), calcBytes));
    ASSERT_TRUE(QFile::link(clc, dir.filePath("link.pdf")));
    const struct { QString name; QString says; } cases[] = {
        {clc, "\"%1\" already exists and is not a PDF file, so it is not replaced."},
        {dir.filePath("fake.pdf"), "\"%1\" already exists and is not a PDF file, so it is not replaced."},
        {dir.filePath("link.pdf"), "\"%1\" is a link to \"" + clc + "\", which is not a PDF file, so it is not replaced."},
        {dir.filePath("notes.txt"), "\"%1\" does not end in \".pdf\"; a PDF file is written only under such a name."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pdfTargetRefusal(c.name), c.says.arg(c.name));
    // Through the dialog: the refusal is said, and nothing is written.
    MessageCatcher catcher;
    QuestionAnswerer yes(QMessageBox::Yes);   // the file dialog's "replace?"
    onDialog<QFileDialog>([&](QFileDialog* d) {
        d->selectFile(clc);
        static_cast<QDialog*>(d)->accept();
    });
    const PrintResult r = exportTapePdf(&window, Mixed, 25, English, totalOf(Mixed, 25, English));
    EXPECT_FALSE(r.printed);
    EXPECT_EQ(r.reason, cases[0].says.arg(clc));
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(readFile(clc), calcBytes);
    EXPECT_EQ(readFile(dir.filePath("fake.pdf")), calcBytes);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("notes.txt")));
}

TEST_F(PrintPdf, FailuresAreReportedWithAReason)
{
    const QString pdf = dir.filePath("missing-folder/out.pdf");
    const PrintResult r = printTapeToPdf(pdf, tapeOf({{'+', dec("1")}}), 2, English, "1.00");
    EXPECT_FALSE(r.printed);
    EXPECT_TRUE(r.reason.contains("cannot be written")) << r.reason.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_FALSE(printTapeToPdf(QString(), Tape{}, 2, English, "0").printed);

    // An existing file is replaced whole; a folder in the way is left as it was.
    const QString old = dir.filePath("old.pdf");
    ASSERT_TRUE(writeFile(old, QByteArray(100000, 'x')));
    ASSERT_TRUE(printTapeToPdf(old, tapeOf({{'+', dec("1")}}), 2, English, "1.00").printed);
    EXPECT_TRUE(readFile(old).startsWith("%PDF"));
    EXPECT_LT(QFileInfo(old).size(), 100000);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pdf"));
    EXPECT_FALSE(printTapeToPdf(dir.filePath("folder.pdf"), Tape{}, 2, English, "0").printed);
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.pdf")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.pdf"}) << "no temporary left";

    // The message box carries the window's title; success and cancelling show
    // none (the box would block this test).
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quillmate 8.1    (Educational Version)"));
    MessageCatcher catcher;
    showPrintFailure(&window, r);
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.title, QStringLiteral("Quillmate"));
    EXPECT_EQ(catcher.text, printFailureText(r.reason));
    PrintResult ok;
    ok.printed = true;
    showPrintFailure(&window, ok);
    PrintResult cancelled;
    cancelled.cancelled = true;
    showPrintFailure(&window, cancelled);
    EXPECT_EQ(catcher.seen, 1);
}

// The window's "Export PDF..." prints the tape's own total, also while a game
// has the total box (and once it has shown its result there).
TEST_F(PrintPdf, WindowPrintsTheTapesTotalDuringAndAfterAGame)
{
    auto w = test::editingWindow();   // active: its first activation has cleared the tape
    Tape t;
    t.resize(74);
    t.TapeValue[0] = Value(*parseStrict("12.5"));
    t.TapeValue[1] = Value(*parseStrict("25"));
    test::setTape(*w, t);
    GameController* game = w->gameController();
    game->setNamePrompt([](QWidget*) { return QString(); });
    game->startGame(GameKind::Invaders);
    game->timer().stop();
    game->GameTimer_Timer();
    ASSERT_NE(test::total(*w), "37.5");
    QAction* exportAction = nullptr;
    for (QAction* a : w->menuBar()->findChildren<QAction*>())
        if (a->text().remove(QLatin1Char('&')) == QStringLiteral("Export PDF..."))
            exportAction = a;
    ASSERT_NE(exportAction, nullptr);
    for (const char* name : {"during.pdf", "after.pdf"}) {
        const QString pdf = dir.filePath(QString::fromLatin1(name));
        onDialog<QFileDialog>([&](QFileDialog* d) {
            // A dialog that has seen the folder before may still put its own
            // suggestion into the name box: the name is typed there too.
            d->selectFile(pdf);
            if (auto* nameBox = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                nameBox->setText(pdf);
            static_cast<QDialog*>(d)->accept();
        });
        exportAction->trigger();
        EXPECT_EQ(layoutText(pdf), QStringList({"+ 12.5", "+ 25", "= 37.5"})) << name;
        for (int ticks = 0; game->running() && ticks < 100; ++ticks)
            game->GameTimer_Timer();
        ASSERT_TRUE(test::total(*w).startsWith("Invaded"));
    }
}

} // namespace
} // namespace qm::ui

namespace qm::ui {
namespace {

// Notes print beside their amounts, a long one shortened before it reaches
// the amount; running totals, when asked for, in a column at the right.
TEST_F(PrintPdf, NotesBesideTheAmountsAndRunningTotalsAtTheRight)
{
    Tape tape = tapeOf({{'+', dec("12.5")}, {'x', dec("3")}, {'-', dec("-5")}});
    tape.setNote(0, "Lunch");
    tape.setNote(2, std::string(MaxNoteChars, 'W'));
    const QString total = totalOf(tape, 2, English);
    const std::vector<std::string> totals{"12.50", "37.50", "42.50"};
    const QString pdf = dir.filePath("notes.pdf");
    ASSERT_TRUE(printTapeToPdf(pdf, tape, 2, English, total, &totals).printed);

    const QStringList lines = layoutText(pdf);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].simplified(), "+ Lunch 12.50 12.50");
    EXPECT_EQ(lines[1].simplified(), "x 3.00 37.50");
    EXPECT_TRUE(lines[2].simplified().startsWith("- WWW")) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].simplified().endsWith(QString::fromUtf8("\xE2\x80\xA6 -5.00 42.50"))) << lines[2].toStdString();
    EXPECT_EQ(lines[3].simplified(), "= 42.50");

    // Every amount still ends on one edge, inside the page.
    const std::vector<PdfWord> words = pdfWords(pdf);
    std::vector<double> amountEnds;   // the first of each: the amount, not the running total
    for (const QString amount : {"12.50", "3.00", "-5.00"}) {
        const auto w = std::find_if(words.begin(), words.end(), [&](const PdfWord& p) { return p.text == amount; });
        ASSERT_NE(w, words.end()) << amount.toStdString();
        amountEnds.push_back(w->xMax);
    }
    EXPECT_NEAR(amountEnds[0], amountEnds[1], 0.5);
    EXPECT_NEAR(amountEnds[1], amountEnds[2], 0.5);
}

} // namespace
} // namespace qm::ui
