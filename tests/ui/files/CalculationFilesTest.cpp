// Calculation files: the file dialog (its name box, the browser inside it on a
// real folder tree), opening and saving from a window, the main window's menu
// and its command line; failures leave tape and file as they were.

#include "ui/UiTestSupport.h"

#include "core/files/CalcFile.h"
#include "ui/files/CalculationFiles.h"
#include "ui/files/DriveControl.h"
#include "ui/files/FileDialog.h"
#include "ui/platform/FilePath.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTranslator>

#include <functional>
#include <iterator>

#include <sys/stat.h>

namespace qm::ui {
namespace {

using namespace test;

// calc/ (the current folder): a.Clc, b.CLC, notes.txt, locked.Clc (read-only),
// sub/inner.Clc; ann/ is HOME. Both are put back afterwards.
class FolderFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        root = QDir(tmp.path()).canonicalPath();
        calc = root + "/calc";
        ASSERT_TRUE(QDir().mkpath(calc + "/sub"));
        ASSERT_TRUE(QDir().mkpath(root + "/ann"));
        for (const char* name : {"a.Clc", "b.CLC", "notes.txt", "locked.Clc", "sub/inner.Clc"})
            ASSERT_TRUE(writeFile(calc + "/" + name, "Ferrowick 6\r\n+1\r\n"));
        ASSERT_TRUE(QFile::setPermissions(calc + "/locked.Clc", QFile::ReadOwner | QFile::ReadGroup));
        qputenv("HOME", QFile::encodeName(root + "/ann"));
        ASSERT_TRUE(QDir::setCurrent(calc));
    }
    void TearDown() override
    {
        QDir::setCurrent(savedCurrent);
        qputenv("HOME", savedHome);
    }

    QTemporaryDir tmp;
    QString root, calc;
    const QString savedCurrent = QDir::currentPath();
    const QByteArray savedHome = qgetenv("HOME");
};

QStringList folderRows(const DriveControl& list)
{
    QStringList out;
    for (int i = 1; i <= list.entryCount(); ++i) {
        if (list.entry(i).kind >= 1 && list.entry(i).kind <= 9)
            out << QString::fromStdString(list.entry(i).text);
    }
    return out;
}

int indexOf(const DriveControl& list, const QString& text)
{
    for (int i = 1; i <= list.entryCount(); ++i) {
        if (QString::fromStdString(list.entry(i).text) == text)
            return i;
    }
    return 0;
}

QPoint rowCentre(DriveControl& list, int index)
{
    if (list.rowRect(index).isNull() && list.scrollBar()->isVisibleTo(&list))
        list.scrollBar()->setValue(index);
    return list.rowRect(index).center();
}

void tap(DriveControl& list, const QString& text)
{
    QTest::mouseClick(&list, Qt::LeftButton, {}, rowCentre(list, indexOf(list, text)));
}

using LoadSaveTest = FolderFixture;

// A typed name gets the extension, survives folder taps, and only a file
// tapped replaces it.
TEST_F(LoadSaveTest, TypedNamesGetTheExtensionAndOnlyATappedFileReplacesThem)
{
    FileDialog dialog;
    const auto show = [&dialog] {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    };
    const auto type = [&dialog](const QString& text) {
        dialog.nameBox()->clear();
        QTest::keyClicks(dialog.nameBox(), text);
    };
    const auto click = [](SuperButton* b) { QTest::mouseClick(b, Qt::LeftButton); };
    show();
    EXPECT_EQ(folderRows(*dialog.driveList()), (QStringList{"..", "sub", "a.Clc", "b.CLC", "locked.Clc"}));
    // First use: the bare extension, and typing goes before it.
    EXPECT_EQ(dialog.nameBox()->text(), ".Clc");
    QTest::keyClicks(dialog.nameBox(), "rent");
    click(dialog.acceptButton());
    EXPECT_EQ(dialog.filePath(), "rent.Clc");
    // Another extension is replaced (how is the core's business); refused
    // characters are dropped as they are typed.
    const struct { const char* typed; const char* path; } cases[] = {
        {"my.budget.txt", "my.budget.Clc"}, {"a?b\\c|*\"/:<>d.clc", "abcd.Clc"}};
    for (const auto& c : cases) {
        show();
        type(c.typed);
        click(dialog.acceptButton());
        EXPECT_FALSE(dialog.isVisible()) << c.typed;
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.filePath(), c.path) << c.typed;
    }
    show();
    type("good");
    dialog.nameBox()->insert("../../etc/passwd");   // nor pasted
    EXPECT_EQ(dialog.nameBox()->text(), "good");
    // No name, no file: never a hidden ".Clc". The emptied box asks for a name.
    for (const char* nameless : {"", ".Clc", ".txt", "  .Clc"}) {
        type(nameless);
        click(dialog.acceptButton());
        EXPECT_TRUE(dialog.isVisible()) << nameless;
        EXPECT_EQ(dialog.nameBox()->text(), "") << nameless;
        EXPECT_EQ(dialog.nameBox()->placeholderText(), "Type a name for the file");
    }

    DriveControl& list = *dialog.driveList();
    EXPECT_EQ(dialog.folderLabel()->toolTip(), calc);   // the folder shown, in full
    tap(list, "a.Clc");
    EXPECT_EQ(dialog.nameBox()->text(), "a.Clc");
    type("my own");
    tap(list, "sub");
    EXPECT_EQ(dialog.nameBox()->text(), "my own");
    EXPECT_EQ(dialog.folderLabel()->toolTip(), calc + "/sub");
    tap(list, "..");
    EXPECT_EQ(dialog.nameBox()->text(), "my own");
    EXPECT_EQ(dialog.folderLabel()->toolTip(), calc);
    EXPECT_FALSE(dialog.folderLabel()->text().isEmpty());
    tap(list, "b.CLC");
    EXPECT_EQ(dialog.nameBox()->text(), "b.Clc");
}

// `script` acts on the modal dialog from inside its event loop.
QString choose(QWidget* parent, int index, std::function<void(FileDialog&)> script, const QString& tapeFile = {})
{
    QTimer::singleShot(0, [parent, script] {
        FileDialog* d = parent->findChild<FileDialog*>();
        ASSERT_NE(d, nullptr);
        script(*d);
    });
    return chooseCalculationFile(parent, index, tapeFile);
}

using ChooseTest = FolderFixture;

TEST_F(ChooseTest, CaptionsNamesReplaceQuestionsAndKeys)
{
    QMainWindow window;
    QStringList captions;
    auto accept = [&](const char* name, const char* folder) {
        return [&captions, name, folder](FileDialog& d) {
            captions << d.windowTitle() << d.acceptButton()->caption();
            EXPECT_TRUE(d.isModal());
            if (folder)
                tap(*d.driveList(), folder);
            d.nameBox()->setText(name);
            QTest::mouseClick(d.acceptButton(), Qt::LeftButton);
        };
    };
    EXPECT_EQ(choose(&window, 0, accept("first", nullptr)), calc + "/first.Clc");
    EXPECT_EQ(choose(&window, 1, accept("first", "sub")), calc + "/sub/first.Clc");
    EXPECT_EQ(captions, (QStringList{"Open Calculation...", "Open", "Save Calculation...", "Save"}));
    EXPECT_EQ(window.findChildren<FileDialog*>().size(), 1);   // the same dialog again

    // Cancel gives nothing; the close box discards the dialog, the next starts afresh.
    EXPECT_EQ(choose(&window, 0, [](FileDialog& d) { QTest::mouseClick(d.cancelButton(), Qt::LeftButton); }), "");
    EXPECT_EQ(choose(&window, 0, [](FileDialog& d) { d.close(); }), "");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.findChildren<FileDialog*>().isEmpty());
    QString shown;
    bool refused = false;
    EXPECT_EQ(choose(&window, 1, [&](FileDialog& d) {
                  shown = d.nameBox()->text();
                  QTest::mouseClick(d.acceptButton(), Qt::LeftButton);   // no name: refused
                  refused = d.isVisible();
                  QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
              }),
              "");
    EXPECT_EQ(shown, ".Clc");
    EXPECT_TRUE(refused);
    EXPECT_FALSE(QFileInfo::exists(calc + "/sub/.Clc"));
    EXPECT_EQ(chooseCalculationFile(&window, 5), "");   // no dialog for other commands

    // Saving over another file asks (in calc/ again, left for sub/ above).
    ASSERT_TRUE(QDir::setCurrent(calc));
    const auto saveAs = [](const char* name) {
        return [name](FileDialog& d) {
            d.nameBox()->setText(name);
            QTest::mouseClick(d.acceptButton(), Qt::LeftButton);
            if (d.isVisible())   // answered No: the dialog stays for another name
                QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
        };
    };
    {
        MessageAnswerer no(QMessageBox::No);
        EXPECT_EQ(choose(&window, 1, saveAs("a")), "");
        EXPECT_EQ(no.seen, 1);
        EXPECT_EQ(no.text, "Replace a.Clc?");
    }
    {
        // A typed extension is not replaced without asking.
        MessageAnswerer no(QMessageBox::No);
        EXPECT_EQ(choose(&window, 1, saveAs("x.txt")), "");
        EXPECT_EQ(no.text, "Calculation files end in .Clc. Save \"x.txt\" as \"x.Clc\"?");
    }
    {
        MessageAnswerer yes(QMessageBox::Yes);
        EXPECT_EQ(choose(&window, 1, saveAs("a.txt")), calc + "/a.Clc");
        EXPECT_EQ(yes.text, "Replace a.Clc?");
        EXPECT_EQ(yes.seen, 2);
        // A new name, opening, and saving over the tape's own file ask nothing.
        EXPECT_EQ(choose(&window, 1, saveAs("new")), calc + "/new.Clc");
        EXPECT_EQ(choose(&window, 0, saveAs("a")), calc + "/a.Clc");
        EXPECT_EQ(choose(&window, 1, saveAs("a"), calc + "/a.Clc"), calc + "/a.Clc");
        EXPECT_EQ(yes.seen, 2);
    }

    // Keys as users expect them: Enter in the name box is the main action
    // (once), Escape cancels, a focused button is pressed only by Space or
    // Enter, and Alt with a caption's underlined letter presses that button.
    MessageAnswerer no(QMessageBox::No);
    EXPECT_EQ(choose(&window, 1, [](FileDialog& d) {
                  d.nameBox()->clear();
                  QTest::keyClicks(d.nameBox(), "bud");
                  QTest::keyClick(d.nameBox(), Qt::Key_Return);
                  if (d.isVisible()) {   // a second Enter would type "get" into nothing
                      ADD_FAILURE() << "one Enter did not save";
                      d.reject();
                  }
              }),
              calc + "/bud.Clc");
    EXPECT_EQ(choose(&window, 1, [](FileDialog& d) { QTest::keyClick(d.nameBox(), Qt::Key_Escape); }), "");
    // Typing on a focused button types and presses nothing; Escape there cancels.
    EXPECT_EQ(choose(&window, 1, [](FileDialog& d) {
                  d.nameBox()->setText("a");
                  d.acceptButton()->setFocus();
                  QTest::keyClicks(d.acceptButton(), "get");
                  EXPECT_TRUE(d.isVisible());
                  EXPECT_EQ(d.nameBox()->text(), "a");
                  QTest::keyClick(d.acceptButton(), Qt::Key_Escape);
              }),
              "");
    EXPECT_EQ(no.seen, 0) << "no replace question came up";
    EXPECT_EQ(choose(&window, 1, [](FileDialog& d) {
                  d.nameBox()->setText("spaced");
                  d.acceptButton()->setFocus();
                  QTest::keyClick(d.acceptButton(), Qt::Key_Space);
              }),
              calc + "/spaced.Clc");
    EXPECT_EQ(choose(&window, 0, [](FileDialog& d) {
                  d.nameBox()->setText("b");
                  QTest::keyClick(&d, Qt::Key_O, Qt::AltModifier);
              }),
              calc + "/b.Clc");
    // A refused character says why it was not taken.
    QString hint;
    choose(&window, 1, [&hint](FileDialog& d) {
        QTest::keyClicks(d.nameBox(), "x/");
        hint = d.hintLabel()->text();
        d.reject();
    });
    EXPECT_EQ(hint, "A file name cannot contain \"/\".");
}

class DriveControlTest : public FolderFixture {
protected:
    void SetUp() override
    {
        FolderFixture::SetUp();
        list.resize(460, 214);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        list.setPattern(".Clc");
    }
    DriveControl list;
};

// Drives first ("/" always among them), the user's folder, then the folder by
// kind. A list longer than the control: its bar steps at once (an arrow by a
// row, the track by a page), the wheel scrolls three rows a notch. Where a tap
// leads is the core list's business; here what the control does with it.
TEST_F(DriveControlTest, ListsByKindScrollsAtOnceAndTapsSelectOrOpen)
{
    EXPECT_EQ(list.entry(1).path, "/");
    EXPECT_EQ(list.entry(indexOf(list, "ann")).kind, 110);
    EXPECT_EQ(folderRows(list), (QStringList{"..", "sub", "a.Clc", "b.CLC", "locked.Clc"}));
    EXPECT_EQ(list.entry(indexOf(list, "locked.Clc")).kind, 3);
    list.setPattern(".TXT");
    EXPECT_EQ(folderRows(list), (QStringList{"..", "sub", "notes.txt"}));

    // The row under the pointer is lit until the pointer leaves the list.
    const QImage plain = list.grab().toImage();
    QMouseEvent move(QEvent::MouseMove, rowCentre(list, 2), list.mapToGlobal(rowCentre(list, 2)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&list, &move);
    EXPECT_NE(list.grab().toImage(), plain);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&list, &leave);
    EXPECT_EQ(list.grab().toImage(), plain);
    QApplication::sendEvent(&list, &leave);   // nothing lit: nothing to undo
    EXPECT_EQ(list.grab().toImage(), plain);

    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(writeFile(calc + QStringLiteral("/many%1.Clc").arg(i, 2, 10, QChar('0')), "Ferrowick 6\r\n"));
    list.setPattern(".Clc");
    EzyVerticalScroll* bar = list.scrollBar();
    ASSERT_TRUE(bar->isVisible());
    const int page = list.pageSize();
    ASSERT_GT(page, 3);
    EXPECT_EQ(list.topIndex(), 1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 5));
    EXPECT_EQ(list.topIndex(), 2);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 40));
    EXPECT_EQ(list.topIndex(), 2 + page);
    const struct { bool overBar; int delta, times, top; } wheels[] = {
        {false, -120, 1, 5 + page}, {true, -40, 3, 8 + page}, {false, 60, 2, 5 + page}, {true, 120, 20, 1},
    };
    for (const auto& r : wheels) {
        turnWheel(r.overBar ? static_cast<QWidget*>(bar) : &list, r.delta, r.times);
        EXPECT_EQ(list.topIndex(), r.top) << (r.overBar ? "bar " : "list ") << r.delta;
    }

    QSignalSpy ups(&list, &DriveControl::tapped);
    int selectedDuringMouseUp = 0;
    QObject::connect(&list, &DriveControl::tapped, &list, [&] { selectedDuringMouseUp = list.selectedIndex(); });
    tap(list, "locked.Clc");   // read-only: still selected
    EXPECT_EQ(list.FileName(), "locked.Clc");
    EXPECT_EQ(list.DrivePathFile(), calc + "/locked.Clc");
    EXPECT_EQ(selectedDuringMouseUp, indexOf(list, "locked.Clc"));   // raised after the tap
    tap(list, "..");
    EXPECT_EQ(QDir::currentPath(), root);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(folderRows(list), (QStringList{"..", "ann", "calc"}));
    EXPECT_EQ(list.FileName(), "locked.Clc");   // the last tapped file stays
    EXPECT_FALSE(list.lastTapSelectedFile());
    QTest::mouseClick(&list, Qt::LeftButton, {}, rowCentre(list, 1));   // a drive opens its mount point
    EXPECT_EQ(QDir::currentPath(), "/");
    EXPECT_EQ(indexOf(list, ".."), 0);
    EXPECT_EQ(ups.count(), 3);
    const QStringList before = folderRows(list);   // a folder that cannot be entered keeps the list
    list.showFolder("/no-such-folder-here");
    EXPECT_EQ(QDir::currentPath(), "/");
    EXPECT_EQ(folderRows(list), before);
}

using qm::test::fileBytes;
using qm::test::putFile;
using qm::test::tapeText;

class CalculationFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        window.setWindowTitle(windowTitle(QStringLiteral("(Educational Version)")));
    }
    QString path(const QString& name) const { return tmp.filePath(name); }

    QTemporaryDir tmp;
    QMainWindow window;
    MessageAnswerer catcher;
    const Regional regional{'.', ',', 3};
    const Tape five = tapeOf({{'+', dec("5")}});
};

TEST_F(CalculationFilesTest, FailedOpeningKeepsTheOldTapeAndSaysWhy)
{
    const Tape old = tapeOf({{'+', dec("1")}, {'x', Value("Cos(0)")}});
    ASSERT_TRUE(QDir().mkpath(path("folder.Clc")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.Clc")).constData(), 0600), 0);
    int messages = 0;
    for (const auto& c : qm::test::caseFile("ui_calcfile_open_failures.tsv", 3)) {
        SCOPED_TRACE(c.where);
        const QString name = QString::fromStdString(c.fields[1]);
        const bool big = c.fields[0] == "BIG";
        const bool written = c.fields[0] == "-"
                             || writeFile(path(name), big ? QByteArray("Ferrowick 6\r\n") : QByteArray::fromStdString(c.fields[0]));
        ASSERT_TRUE(written && (!big || QFile::resize(path(name), qint64(qm::MaxCalcFileBytes) + 1)));   // sparse: no disk used
        Tape tape = old;
        QString error;
        EXPECT_FALSE(openCalculation(&window, path(name), regional, tape, &error));
        const QString says = QStringLiteral("\"%1\" could not be opened.\n").arg(name) + QString::fromStdString(c.fields[2]);
        EXPECT_EQ(catcher.seen, ++messages);
        EXPECT_EQ(catcher.text, says);
        EXPECT_EQ(catcher.title, QStringLiteral("Quillmate"));
        EXPECT_EQ(error, says);
        EXPECT_EQ(tapeText(tape), tapeText(old));
    }

    Tape tape = old;
    QString error = "stale";
    EXPECT_FALSE(openCalculation(&window, QString(), regional, tape, &error));
    QTest::qWait(40);
    EXPECT_EQ(catcher.seen, messages);
    EXPECT_TRUE(error.isEmpty());
}

TEST_F(CalculationFilesTest, FailedSavingKeepsTheOldFileAndSaysSoInTheUsersLanguage)
{
    const QByteArray old = "Ferrowick 6\r\n+9\r\n";
    ASSERT_TRUE(writeFile(path("ro.Clc"), old));
    ASSERT_TRUE(QFile::setPermissions(path("ro.Clc"), QFile::ReadOwner | QFile::ReadGroup));
    QString error;
    EXPECT_FALSE(saveCalculation(&window, path("ro.Clc"), five, regional, &error));
    EXPECT_EQ(error, "\"ro.Clc\" was not saved: File is read-only.");
    EXPECT_EQ(readFile(path("ro.Clc")), old);
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.text, "Cannot write to read only file or drive...");
    EXPECT_EQ(catcher.title, QStringLiteral("Quillmate"));
    EXPECT_FALSE(saveCalculation(&window, path("ro.Clc") + "/x.Clc", five, regional));
    EXPECT_EQ(catcher.seen, 2);
    EXPECT_EQ(catcher.details, (QStringList{"\"ro.Clc\" was not saved: File is read-only.",
                                            "\"x.Clc\" was not saved: The folder does not exist."}));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"ro.Clc"});

    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(":/i18n/quillmate_de.qm")));
    QCoreApplication::installTranslator(&german);
    EXPECT_FALSE(saveCalculation(&window, path("ro.Clc"), five, regional, &error));
    EXPECT_EQ(error, QString::fromUtf8("\"ro.Clc\" wurde nicht gespeichert: Die Datei ist schreibgesch\u00fctzt."));
    ASSERT_TRUE(writeFile(path("bad.Clc"), "Ferrowick 6\r\n+1\r\n5\r\n"));
    Tape tape = five;
    EXPECT_FALSE(openCalculation(&window, path("bad.Clc"), regional, tape, &error));
    EXPECT_EQ(error, QString::fromUtf8("\"bad.Clc\" konnte nicht ge\u00f6ffnet werden.\n"
                                       "Zeile 3: \"5\" beginnt nicht mit einem Rechenzeichen (+ - x / ^)."));
    QCoreApplication::removeTranslator(&german);
}

// Line i holds i + 1, under "x" when i is a positive multiple of 5.
QString numberedLine(int i) { return (i % 5 == 0 && i > 0 ? "x" : "+") + QString::number(i + 1); }

QByteArray numberedFile(int lines)
{
    QByteArray bytes = "Ferrowick 6\r\n";
    for (int i = 0; i < lines; ++i)
        bytes += numberedLine(i).toLatin1() + "\r\n";
    return bytes;
}

class MainWindowFiles : public FolderFixture {
protected:
    QString path(const QString& name) const { return calc + "/" + name; }

    static void open(MainWindow& w, const QString& file) { withDialog(w, 0, file); }

    // Runs command `index` while the file dialog, once it shows, gets `name`
    // typed and is answered with its accept (or cancel) button.
    static void withDialog(MainWindow& w, int index, const QString& name, bool accept = true)
    {
        QTimer::singleShot(0, &w, [&w, name, accept] {
            auto* dialog = w.findChild<FileDialog*>();
            ASSERT_TRUE(dialog && dialog->isVisible()) << "the file dialog never showed";
            dialog->nameBox()->setText(name);
            QTest::mouseClick(accept ? dialog->acceptButton() : dialog->cancelButton(), Qt::LeftButton);
        });
        menuItem(w, index == 1 ? "Save Calculation..." : "Open Calculation...")->trigger();
    }

    MessageAnswerer catcher;
};

TEST_F(MainWindowFiles, OpeningSetsTheRangeKeepsTheScrollPositionAndPadsShortTapesOrFailsWhole)
{
    auto w = shownWindow();
    const int rows = w->editor().lastLoadedRow() + 1;
    const struct { const char* what; int lines, scrolled; } cases[] = {
        {"long tape keeps the position", 300, 7},
        {"short tape while scrolled", 3, 7},
        {"one line more than the shown rows", w->editor().lastRow() + 2, 1},
        {"tape ending above the position", rows + 10, 250},
        {"tape ending at the position", rows + 10, rows + 9 - w->editor().lastRow()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeFile(path("tall.Clc"), numberedFile(400)));
        open(*w, path("tall.Clc"));
        part<EzyVerticalScroll>(*w, "tapeScrollBar")->setValue(c.scrolled);
        ASSERT_TRUE(writeFile(path("case.Clc"), numberedFile(c.lines)));
        open(*w, path("case.Clc"));

        const int size = std::max(c.lines, rows);
        ASSERT_EQ(w->editor().tape().size(), static_cast<std::size_t>(size));
        const int max = std::max(0, size - 1 - w->editor().lastRow());
        EXPECT_EQ(w->editor().scrollMax(), max);
        EXPECT_EQ(w->editor().firstLine(), c.scrolled <= max ? c.scrolled : 0);   // else the first line
        QStringList want;
        for (int i = 0; i < size; ++i)
            want << (i < c.lines ? numberedLine(i) : "+0");
        EXPECT_EQ(QString::fromStdString(tapeText(w->editor().tape())), want.join('|'));
        // Every shown row shows its line: padded lines empty under "+".
        for (int j = 0; j <= w->editor().lastRow(); ++j) {
            const int line = w->editor().firstLine() + j;
            EXPECT_EQ(row(*w, j)->text(), line < c.lines ? QString::number(line + 1) : QString()) << j;
            EXPECT_EQ(part<SuperButton>(*w, QStringLiteral("operator%1").arg(j))->caption(), line < c.lines ? numberedLine(line).left(1) : "+") << j;
        }
    }
    EXPECT_EQ(catcher.seen, 0);

    // A file that does not open says so once and leaves the whole tape where it was.
    const std::string lines = tapeText(w->editor().tape());
    const int first = w->editor().firstLine();
    const QString before = total(*w), row0 = row(*w, 0)->text();
    ASSERT_TRUE(writeFile(path("value.Clc"), "Ferrowick 6\r\n+1\r\n+abc\r\n"));
    open(*w, path("value.Clc"));
    QTRY_COMPARE(catcher.seen, 1);
    EXPECT_EQ(catcher.text, "\"value.Clc\" could not be opened.\nLine 3: \"abc\" is not a number.");
    EXPECT_EQ(tapeText(w->editor().tape()), lines);
    EXPECT_EQ(w->editor().firstLine(), first);
    EXPECT_EQ(row(*w, 0)->text(), row0);
    EXPECT_EQ(total(*w), before);

    // (12.5 x 3) - (-5) + sin 0: the total is recalculated.
    ASSERT_TRUE(writeFile(path("t.Clc"), "Ferrowick 6\r\n+12.5\r\nx3\r\n--5\r\n+Sin(0)\r\n"));
    open(*w, path("t.Clc"));
    EXPECT_EQ(total(*w), "42.5");
    EXPECT_EQ(row(*w, 3)->text(), "Sin(0)");
}

// The calculation named on the command line, quoted, its name not UTF-8,
// opens at the first activation only; the dialog lists it, and saving over
// it asks nothing and keeps its name's bytes.
TEST_F(MainWindowFiles, CommandLineCalculationOpensAtTheFirstActivationOnly)
{
    const std::string bytes = QFile::encodeName(calc).toStdString() + "/start up caf\xE9.Clc";
    putFile(bytes, "Ferrowick 6\r\n+2\r\nx21\r\n");
    const QString file = fileNameFromBytes(bytes);
    MainWindow w(QStringLiteral("\"") + file + QStringLiteral("\""));
    EXPECT_EQ(shown(w.editor().tape().TapeValue[0]), "0");   // not before the window is activated
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_TRUE(w.windowTitle().endsWith(QString::fromUtf8("start up caf\uFFFD.Clc"))) << w.windowTitle().toStdString();
    EXPECT_NE(w.settingsFile(), file);
    EXPECT_EQ(tapeText(w.editor().tape()).substr(0, 7), "+2|x21|");
    EXPECT_EQ(total(w), "42");
    // A later activation neither clears the tape nor opens the file again.
    putFile(bytes, "Ferrowick 6\r\n+7\r\n");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    EXPECT_EQ(tapeText(w.editor().tape()).substr(0, 7), "+2|x21|");

    bool listed = false;
    QTimer::singleShot(0, &w, [&w, &listed] {
        auto* dialog = w.findChild<FileDialog*>();
        ASSERT_TRUE(dialog);
        const DriveControl& list = *dialog->driveList();
        for (int i = 1; i <= list.entryCount(); ++i)
            listed = listed || list.entry(i).text == "start up caf\xE9.Clc";
        QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    });
    menuItem(w, "Open Calculation...")->trigger();
    EXPECT_TRUE(listed);
    withDialog(w, 1, QFileInfo(file).fileName());   // over its own file: no question
    const std::string saved = fileBytes(bytes);
    EXPECT_EQ(saved.substr(0, 22), "Ferrowick 6\r\n+2\r\nx21\r\n");
    EXPECT_EQ(catcher.seen, 0);
    // The settings written at quit go elsewhere.
    menuItem(w, "Quit")->trigger();
    EXPECT_TRUE(QFile::exists(w.settingsFile()));
    EXPECT_EQ(fileBytes(bytes), saved);
}

// A named file that cannot be opened says why at the first activation, and
// the title then names no file.
TEST_F(MainWindowFiles, AStartUpFailureIsShownWithAPlainTitle)
{
    const QString plain = shownWindow()->windowTitle();
    MainWindow w(path("x.Clc"));
    w.show();
    w.activateWindow();
    QTRY_COMPARE(catcher.seen, 1);
    EXPECT_EQ(catcher.text, "\"x.Clc\" could not be opened.\nFile not found.");
    EXPECT_EQ(w.windowTitle(), plain);
}

TEST_F(MainWindowFiles, SavingStartsBesideTheTapesFileAndAsksBeforeReplacingAnother)
{
    auto w = shownWindow();
    open(*w, path("a.Clc"));
    ASSERT_TRUE(writeFile(path("other.Clc"), "Ferrowick 6\r\n+5\r\n"));
    QDir::setCurrent(root);   // the browser was left elsewhere
    MessageAnswerer yes(QMessageBox::Yes);
    withDialog(*w, 1, "a");   // the tape's own file: no question
    EXPECT_EQ(yes.seen, 0);
    EXPECT_EQ(readFile(path("a.Clc")), "Ferrowick 6\r\n+1\r\n");   // as it was: not the rows' padding
    withDialog(*w, 1, "other", false);   // cancelled: nothing written
    EXPECT_EQ(readFile(path("other.Clc")), "Ferrowick 6\r\n+5\r\n");
    withDialog(*w, 1, "other");
    EXPECT_EQ(yes.seen, 1);
    EXPECT_EQ(yes.text, "Replace other.Clc?");
    EXPECT_EQ(readFile(path("other.Clc")), "Ferrowick 6\r\n+1\r\n");
    // Saved there, the tape now comes from other.Clc: saving again asks nothing.
    withDialog(*w, 1, "other");
    EXPECT_EQ(yes.seen, 1);
    EXPECT_EQ(catcher.seen, 0);
}

} // namespace
} // namespace qm::ui
