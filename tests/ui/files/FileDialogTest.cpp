// The file dialog: the name box, the browser inside it, and how the open and
// save commands run it.

#include "ui/UiTestSupport.h"

#include "ui/controls/SuperButton.h"
#include "ui/files/CalculationFiles.h"
#include "ui/files/FileDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>

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

} // namespace
} // namespace qm::ui
