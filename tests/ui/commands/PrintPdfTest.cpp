// Printing the tape into a PDF and reading it back. Layout is core's.

#include "ui/UiTestSupport.h"

#include "core/commands/PrintLayout.h"
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"
#include "ui/commands/PrintTape.h"
#include "ui/platform/RegionalSettings.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <functional>

namespace qm::ui {
namespace {

using namespace test;

using qm::test::English;
using qm::test::German;

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

// A dialog that has seen the folder before may put its own suggestion into
// the name box: the name is typed there too.
void chooseInFileDialog(const QString& file)
{
    onDialog<QFileDialog>([file](QFileDialog* d) {
        d->selectFile(file);
        if (auto* nameBox = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            nameBox->setText(file);
        static_cast<QDialog*>(d)->accept();   // public there
    });
}

class PrintPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!haveTool(QStringLiteral("pdftotext")))
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        ASSERT_TRUE(dir.isValid());
        window.setWindowTitle(windowTitle(QStringLiteral("(Educational Version)")));
    }
    QTemporaryDir dir;
    QWidget window;
};

const Tape Mixed = tapeOf({{'+', dec("0.5")}, {'+', dec("-3")}, {'-', dec("-4")},
                           {'+', Value("Sin(30)")}, {'+', dec("1234567.891")}, {'+', dec("0")},
                           {'+', Value("50%")}, {'/', dec("2")}, {'+', Value()}});

Tape withNotes()
{
    Tape tape = tapeOf({{'+', dec("12.5")}, {'x', dec("3")}, {'-', dec("-5")}});
    tape.setNote(0, "Lunch");
    tape.setNote(2, std::string(MaxNoteChars, 'W'));
    return tape;
}

// Long notes and texts shortened with an ellipsis; running totals at the
// right. "*" stands for any text.
TEST_F(PrintPdf, EveryLineThatCountsUnderTheTotal)
{
    const std::vector<std::string> running{"12.50", "37.50", "42.50"};
    const QString cut = QString(QChar(0x2026));   // the ellipsis of a shortened line
    const struct { Tape tape; int decimals; Regional regional; const std::vector<std::string>* totals; QStringList lines; } cases[] = {
        // ((0.5 - 3 + 4 + sin 30) + 1234567.891) * 1.5 / 2 = 925926.3022...
        {Mixed, 2, English, nullptr,
         {"+ .50", "+ -3.00", "- -4.00", "+ Sin(30)", "+ 1,234,567.89", "+ 50%", "/ 2.00", "= 925,926.30"}},
        {Mixed, VariableDecimals, English, nullptr,
         {"+ 0.5", "+ -3", "- -4", "+ Sin(30)", "+ 1234567.891", "+ 50%", "/ 2", "= 925926.302226*"}},
        {withNotes(), 2, English, &running,
         {"+ Lunch 12.50 12.50", "x 3.00 37.50", "- WWW*" + cut + " -5.00 42.50", "= 42.50"}},
        {tapeOf({{'+', dec("100")}, {'-', dec("25.5")}, {'+', Value("Sqr(1." + std::string(10000, '2') + ")")},
                 {'+', dec("7")}}),
         VariableDecimals, English, nullptr, {"+ 100", "- 25.5", "+ Sqr(1.222*" + cut, "+ 7", "= *"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.join(" | ").toStdString());
        const QString pdf = dir.filePath("strip.pdf");
        const PrintResult r = printTapeToPdf(pdf, c.tape, c.decimals, c.regional,
                                             totalOf(c.tape, c.decimals, c.regional), c.totals);
        ASSERT_TRUE(r.printed) << r.reason.toStdString();
        EXPECT_EQ(r.lines, c.lines.size());
        const QStringList lines = layoutText(pdf);
        ASSERT_EQ(lines.size(), c.lines.size()) << lines.join(" | ").toStdString();
        for (int i = 0; i < lines.size(); ++i) {
            const QRegularExpression want(QRegularExpression::wildcardToRegularExpression(c.lines[i]));
            EXPECT_TRUE(want.match(lines[i]).hasMatch()) << lines[i].toStdString();
        }
    }
}

TEST_F(PrintPdf, PreviewExportAndDialogPrintTheSameStrip)
{
    const QString total = totalOf(Mixed, VariableDecimals, German);
    const QString direct = dir.filePath("direct.pdf");
    ASSERT_TRUE(printTapeToPdf(direct, Mixed, VariableDecimals, German, total).printed);
    const QStringList strip = layoutText(direct);
    ASSERT_EQ(strip.size(), 8);
    EXPECT_EQ(strip.front(), "+ 0,5");
    MessageAnswerer answerer;

    const QString exported = dir.filePath("exported.pdf");
    chooseInFileDialog(exported);
    EXPECT_TRUE(exportTapePdf(&window, Mixed, VariableDecimals, German, total).printed);
    EXPECT_EQ(layoutText(exported), strip);
    onDialog<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_TRUE(exportTapePdf(&window, Mixed, VariableDecimals, German, total).cancelled);

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
    EXPECT_TRUE(previewTape(&window, Mixed, VariableDecimals, German, total).cancelled) << "closed without printing";
    EXPECT_EQ(previewPages, 1);
    EXPECT_EQ(layoutText(previewed), strip);

    // Qt's own printer dialog: its printer list and file name box.
    const QString chosen = dir.filePath("chosen.pdf");
    onDialog<QPrintDialog>([&](QPrintDialog* d) {
        EXPECT_FALSE(d->testOption(QAbstractPrintDialog::PrintPageRange)) << "the strip prints whole";
        auto* printers = d->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("filename"));
        const int toFile = printers ? printers->findText(QStringLiteral("PDF"), Qt::MatchContains) : -1;
        if (toFile < 0 || !name) {
            ADD_FAILURE() << "no \"Print to File (PDF)\" in the printer dialog";
            return d->reject();
        }
        printers->setCurrentIndex(toFile);
        name->setText(chosen);
        d->accept();
    });
    EXPECT_TRUE(printTapeWithDialog(&window, Mixed, VariableDecimals, German, total).printed);
    EXPECT_EQ(layoutText(chosen), strip);
    onDialog<QPrintDialog>([](QPrintDialog* d) { d->reject(); });
    EXPECT_TRUE(printTapeWithDialog(&window, Mixed, VariableDecimals, German, total).cancelled);
    EXPECT_EQ(answerer.seen, 0);
}

// "Export PDF..." never replaces a calculation; failures keep files and say why.
TEST_F(PrintPdf, ExportRefusesEverythingButAPdfAndFailuresSayWhy)
{
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
    MessageAnswerer answerer;
    MessageAnswerer yes(QMessageBox::Yes);   // the file dialog's "replace?"
    chooseInFileDialog(clc);
    const PrintResult r = exportTapePdf(&window, Mixed, 25, English, totalOf(Mixed, 25, English));
    EXPECT_FALSE(r.printed);
    EXPECT_EQ(r.reason, cases[0].says.arg(clc));
    EXPECT_EQ(answerer.seen, 1);
    EXPECT_EQ(readFile(clc), calcBytes);
    EXPECT_EQ(readFile(dir.filePath("fake.pdf")), calcBytes);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("notes.txt")));

    // Failures are reported with a reason.
    const QString pdf = dir.filePath("missing-folder/out.pdf");
    const PrintResult failed = printTapeToPdf(pdf, tapeOf({{'+', dec("1")}}), 2, English, "1.00");
    EXPECT_FALSE(failed.printed);
    EXPECT_TRUE(failed.reason.contains("cannot be written")) << failed.reason.toStdString();
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
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"fake.pdf", "link.pdf", "old.pdf", "tape.Clc"}))
        << "no temporary left";

    // Success and cancelling show no box.
    showPrintFailure(&window, failed);
    EXPECT_EQ(answerer.seen, 2);
    EXPECT_EQ(answerer.title, QStringLiteral("Quillmate"));
    EXPECT_EQ(answerer.text, printFailureText(failed.reason));
    for (const bool printed : {true, false}) {
        PrintResult quiet;
        (printed ? quiet.printed : quiet.cancelled) = true;
        showPrintFailure(&window, quiet);
    }
    EXPECT_EQ(answerer.seen, 2);
}

// The tape's own total, also while a game has the total box and after it.
TEST_F(PrintPdf, WindowPrintsTheTapesTotalDuringAndAfterAGame)
{
    auto w = editingWindow();   // active: its first activation has cleared the tape
    Tape t = tapeOf({{'+', dec("12.5")}, {'+', dec("25")}});
    t.resize(74);
    setTape(*w, t);
    GameController* game = startedGame(*w);
    ASSERT_NE(total(*w), "37.5");
    for (const char* name : {"during.pdf", "after.pdf"}) {
        const QString pdf = dir.filePath(QString::fromLatin1(name));
        chooseInFileDialog(pdf);
        menuItem(*w, "Export PDF...")->trigger();
        EXPECT_EQ(layoutText(pdf), QStringList({"+ 12.5", "+ 25", "= 37.5"})) << name;
        for (int ticks = 0; game->running() && ticks < 100; ++ticks)
            game->tick();
        ASSERT_TRUE(total(*w).startsWith("Invaded"));
    }
}

} // namespace
} // namespace qm::ui
