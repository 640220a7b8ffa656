// The file dialog: the name box, the browser inside it (on a real folder
// tree: what it lists and what taps do), and how open and save run it.

#include "ui/UiTestSupport.h"

#include "ui/files/CalculationFiles.h"
#include "ui/files/FileDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalSpy>

#include <functional>

namespace qm::ui {
namespace {

using namespace test;

class LoadSaveTest : public FolderFixture {
protected:
    void SetUp() override
    {
        FolderFixture::SetUp();
        dialog = std::make_unique<FileDialog>();
        show();
    }
    void show()
    {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void type(const QString& text)
    {
        dialog->nameBox()->clear();
        QTest::keyClicks(dialog->nameBox(), text);
    }
    void click(SuperButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    std::unique_ptr<FileDialog> dialog;
};

TEST_F(LoadSaveTest, TypedNamesGetTheExtension)
{
    EXPECT_EQ(folderRows(*dialog->driveList()), (QStringList{"..", "sub", "a.Clc", "b.CLC", "locked.Clc"}));
    // First use: the bare extension, and typing goes before it.
    EXPECT_EQ(dialog->nameBox()->text(), ".Clc");
    QTest::keyClicks(dialog->nameBox(), "rent");
    click(dialog->acceptButton());
    EXPECT_EQ(dialog->filePath(), "rent.Clc");
    // Another extension is replaced (how is the core's business); refused
    // characters are dropped as they are typed.
    const struct { const char* typed; const char* path; } cases[] = {
        {"my.budget.txt", "my.budget.Clc"}, {"a?b\\c|*\"/:<>d.clc", "abcd.Clc"}};
    for (const auto& c : cases) {
        show();
        type(c.typed);
        click(dialog->acceptButton());
        EXPECT_FALSE(dialog->isVisible()) << c.typed;
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->filePath(), c.path) << c.typed;
    }
    show();
    type("good");
    dialog->nameBox()->insert("../../etc/passwd");   // nor pasted
    EXPECT_EQ(dialog->nameBox()->text(), "good");
    // No name, no file: never a hidden ".Clc". The emptied box asks for a name.
    for (const char* nameless : {"", ".Clc", ".txt", "  .Clc"}) {
        type(nameless);
        click(dialog->acceptButton());
        EXPECT_TRUE(dialog->isVisible()) << nameless;
        EXPECT_EQ(dialog->nameBox()->text(), "") << nameless;
        EXPECT_EQ(dialog->nameBox()->placeholderText(), "Type a name for the file");
    }
}

TEST_F(LoadSaveTest, ATypedNameSurvivesFolderTapsAndOnlyAFileReplacesIt)
{
    DriveControl& list = *dialog->driveList();
    EXPECT_EQ(dialog->folderLabel()->toolTip(), calc);   // the folder shown, in full
    tap(list, "a.Clc");
    EXPECT_EQ(dialog->nameBox()->text(), "a.Clc");
    type("my own");
    tap(list, "sub");
    EXPECT_EQ(dialog->nameBox()->text(), "my own");
    EXPECT_EQ(dialog->folderLabel()->toolTip(), calc + "/sub");
    tap(list, "..");
    EXPECT_EQ(dialog->nameBox()->text(), "my own");
    EXPECT_EQ(dialog->folderLabel()->toolTip(), calc);
    EXPECT_FALSE(dialog->folderLabel()->text().isEmpty());
    tap(list, "b.CLC");
    EXPECT_EQ(dialog->nameBox()->text(), "b.Clc");
}

// chooseCalculationFile runs the dialog modally; `script` acts on it from
// inside its event loop.
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

TEST_F(ChooseTest, CaptionsFollowTheCommandAndNamesResolveAgainstTheFolderShown)
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
}

TEST_F(ChooseTest, SavingOverAnotherFileAsks)
{
    QMainWindow window;
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
}

// Keys as users expect them: Enter in the name box is the main action (once),
// Escape cancels, a focused button is pressed only by Space or Enter, and
// Alt with a caption's underlined letter presses that button.
TEST_F(ChooseTest, DialogKeys)
{
    QMainWindow window;
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

TEST_F(DriveControlTest, ListsTheFolderByKind)
{
    // Drives first ("/" always among them), then the user's folder.
    EXPECT_EQ(list.entry(1).path, "/");
    EXPECT_EQ(list.entry(indexOf(list, "ann")).kind, 110);
    EXPECT_EQ(folderRows(list), (QStringList{"..", "sub", "a.Clc", "b.CLC", "locked.Clc"}));
    EXPECT_EQ(list.entry(indexOf(list, "locked.Clc")).kind, 3);
    list.setPattern(".TXT");
    EXPECT_EQ(folderRows(list), (QStringList{"..", "sub", "notes.txt"}));
}

// Where a tap leads is the core list's business; here: what the control does
// with it, and what it raises when.
TEST_F(DriveControlTest, TapsSelectFilesAndOpenFoldersAndDrives)
{
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

    // A folder that cannot be entered keeps the list.
    const QStringList before = folderRows(list);
    list.showFolder("/no-such-folder-here");
    EXPECT_EQ(QDir::currentPath(), "/");
    EXPECT_EQ(folderRows(list), before);
}

// A list longer than the control: its bar steps at once (an arrow by a row,
// the track by a page) and the wheel scrolls three rows a notch.
TEST_F(DriveControlTest, ItsBarAndTheWheelScrollAtOnce)
{
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
}

} // namespace
} // namespace qm::ui
