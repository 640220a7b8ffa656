#include "FilesTestSupport.h"

#include "ui/controls/SuperButton.h"
#include "ui/files/CalculationFiles.h"
#include "ui/files/LoadSave.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>

#include <functional>

namespace qm::ui {
namespace {

using testing::FolderFixture;
using testing::indexOf;
using testing::rowCentre;

class LoadSaveTest : public FolderFixture {
protected:
    void SetUp() override
    {
        FolderFixture::SetUp();
        dialog = std::make_unique<LoadSave>();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void TearDown() override
    {
        dialog.reset();
        FolderFixture::TearDown();
    }

    void type(const QString& text)
    {
        dialog->nameBox()->clear();
        QTest::keyClicks(dialog->nameBox(), text);
    }
    void clickAccept() { QTest::mouseClick(dialog->acceptButton(), Qt::LeftButton); }
    void clickCancel() { QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton); }
    void showAgain()
    {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    std::unique_ptr<LoadSave> dialog;
};

TEST_F(LoadSaveTest, FirstUseShowsTheBareExtensionAndAcceptsIt)
{
    EXPECT_EQ(dialog->nameBox()->text(), ".Clc");
    EXPECT_EQ(dialog->FilePath(), ".Clc");   // the name box's changes are mirrored
    clickAccept();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->FilePath(), ".Clc");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    // The browser lists only calculation files.
    EXPECT_EQ(testing::folderRows(*dialog->driveList()),
              (QStringList{"..", "sub", "a.Clc", "b.CLC", "locked.Clc"}));
}

TEST_F(LoadSaveTest, TypedNamesGetTheExtension)
{
    const struct {
        const char* typed;
        const char* path;
    } cases[] = {
        {"budget.txt", "budget.Clc"},
        {"budget", "budget.Clc"},
        {"my.budget.txt", "my.budget.Clc"},
        {"a?b\\c", "abc.Clc"},            // "?" and "\" are dropped as they are typed
        {"x|*\"/:<>y.clc", "xy.Clc"},
    };
    for (const auto& c : cases) {
        showAgain();
        type(c.typed);
        clickAccept();
        EXPECT_FALSE(dialog->isVisible()) << c.typed;
        EXPECT_EQ(dialog->FilePath(), c.path) << c.typed;
    }
}

TEST_F(LoadSaveTest, RefusedCharactersCannotBePastedEither)
{
    type("good");
    dialog->nameBox()->insert("../../etc/passwd");
    dialog->nameBox()->insert("C:\\x");
    EXPECT_EQ(dialog->nameBox()->text(), "good");
    dialog->nameBox()->insert("-2");
    EXPECT_EQ(dialog->nameBox()->text(), "good-2");
}

TEST_F(LoadSaveTest, EmptyNameIsNotAccepted)
{
    dialog->nameBox()->clear();
    EXPECT_EQ(dialog->FilePath(), "");
    clickAccept();
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(LoadSaveTest, EnterMovesToTheAcceptButtonWithoutPressingIt)
{
    type("plan");
    dialog->nameBox()->setFocus();
    QTest::keyClick(dialog->nameBox(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->acceptButton()->hasFocus());
    EXPECT_EQ(dialog->nameBox()->text(), "plan");
    QTest::keyClick(dialog->acceptButton(), Qt::Key_Return);   // a key typed on the button clicks it
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->FilePath(), "plan.Clc");
}

TEST_F(LoadSaveTest, ArrowAndPageKeysMoveToTheList)
{
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown}) {
        dialog->nameBox()->setFocus();
        ASSERT_TRUE(dialog->nameBox()->hasFocus());
        QTest::keyClick(dialog->nameBox(), key);
        EXPECT_TRUE(dialog->driveList()->hasFocus()) << key;
    }
}

TEST_F(LoadSaveTest, TappingAFileReplacesItsExtension)
{
    ASSERT_TRUE(testing::writeFile(calc + "/report.clc", "Ferrowick 6\r\n+1\r\n"));
    dialog->driveList()->GetDir();
    DriveControl& list = *dialog->driveList();
    QTest::mouseClick(&list, Qt::LeftButton, {}, rowCentre(list, indexOf(list, "report.clc")));
    EXPECT_EQ(dialog->nameBox()->text(), "report.Clc");
    EXPECT_TRUE(dialog->isVisible());
    // Tapping a folder opens it and leaves the last file's name in the box.
    QTest::mouseClick(&list, Qt::LeftButton, {}, rowCentre(list, indexOf(list, "sub")));
    EXPECT_EQ(QDir::currentPath(), calc + "/sub");
    EXPECT_EQ(dialog->nameBox()->text(), "report.Clc");
}

TEST_F(LoadSaveTest, DoubleTapOnAFileAcceptsIt)
{
    DriveControl& list = *dialog->driveList();
    testing::doubleTap(&list, rowCentre(list, indexOf(list, "b.CLC")));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->FilePath(), "b.Clc");
}

TEST_F(LoadSaveTest, DoubleTapOnAFolderOnlyOpensIt)
{
    DriveControl& list = *dialog->driveList();
    // An earlier tap on a file, whose name the folder below also holds.
    QTest::mouseClick(&list, Qt::LeftButton, {}, rowCentre(list, indexOf(list, "a.Clc")));
    ASSERT_TRUE(testing::writeFile(calc + "/sub/a.Clc", "Ferrowick 6\r\n+1\r\n"));
    testing::doubleTap(&list, rowCentre(list, indexOf(list, "sub")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(QDir::currentPath(), calc + "/sub");
}

TEST_F(LoadSaveTest, CancelThenAcceptTakesTheNameShown)
{
    type("kept");
    clickCancel();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->FilePath(), "");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    showAgain();
    EXPECT_EQ(dialog->nameBox()->text(), "kept.Clc");
    clickAccept();
    EXPECT_EQ(dialog->FilePath(), "kept.Clc");
    // Escape cancels too, and keeps the dialog.
    showAgain();
    QTest::keyClick(dialog->nameBox(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->FilePath(), "");
    EXPECT_FALSE(dialog->isDiscarded());
}

TEST_F(LoadSaveTest, ClosingTheWindowDiscardsTheChoice)
{
    type("gone");
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->FilePath(), "");
    EXPECT_TRUE(dialog->isDiscarded());
}

TEST_F(LoadSaveTest, LaidOutInTwips)
{
    const auto px = [&](int twips, Qt::Orientation o) {
        const int dpi = o == Qt::Horizontal ? dialog->logicalDpiX() : dialog->logicalDpiY();
        return qRound(twips * dpi / 1440.0);
    };
    const auto rect = [&](int l, int t, int w, int h) {
        return QRect(px(l, Qt::Horizontal), px(t, Qt::Vertical), px(w, Qt::Horizontal), px(h, Qt::Vertical));
    };
    EXPECT_EQ(dialog->size(), QSize(px(7095, Qt::Horizontal), px(4665, Qt::Vertical)));
    EXPECT_EQ(dialog->driveList()->geometry(), rect(90, 135, 6855, 3210));
    EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->geometry(), rect(405, 3555, 1110, 270));
    EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->text(), "File Name:");
    EXPECT_EQ(dialog->nameBox()->geometry(), rect(1575, 3480, 5355, 420));
    EXPECT_EQ(dialog->cancelButton()->geometry(), rect(3825, 4005, 1545, 555));
    EXPECT_EQ(dialog->acceptButton()->geometry(), rect(5400, 4005, 1545, 555));
    EXPECT_EQ(dialog->cancelButton()->caption(), "Cancel");
}

// chooseCalculationFile runs the dialog modally; `script` acts on it from
// inside its event loop.
QString choose(QWidget* parent, int index, std::function<void(LoadSave&)> script)
{
    QTimer::singleShot(0, [parent, script] {
        LoadSave* d = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* candidate = qobject_cast<LoadSave*>(w); candidate && candidate->isVisible())
                d = candidate;
        if (!d && parent)
            d = parent->findChild<LoadSave*>();
        ASSERT_NE(d, nullptr);
        script(*d);
    });
    return chooseCalculationFile(parent, index);
}

class ChooseTest : public FolderFixture {
protected:
    QMainWindow window;
};

TEST_F(ChooseTest, CaptionsFollowTheCommandAndNamesResolveAgainstTheFolderShown)
{
    window.setWindowTitle("Quillmate");
    QString title, accept;
    QString chosen = choose(&window, 0, [&](LoadSave& d) {
        title = d.windowTitle();
        accept = d.acceptButton()->caption();
        EXPECT_TRUE(d.isModal());
        d.nameBox()->setText("first");
        QTest::mouseClick(d.acceptButton(), Qt::LeftButton);
    });
    EXPECT_EQ(title, "Open Calculation...");
    EXPECT_EQ(accept, "Open");
    EXPECT_EQ(chosen, calc + "/first.Clc");

    // Second use: the same dialog, the name kept; browsing moves the folder
    // (and a tap puts the last tapped file's name, none yet, in the box).
    chosen = choose(&window, 1, [&](LoadSave& d) {
        title = d.windowTitle();
        accept = d.acceptButton()->caption();
        EXPECT_EQ(d.nameBox()->text(), "first.Clc");
        DriveControl& list = *d.driveList();
        QTest::mouseClick(&list, Qt::LeftButton, {}, rowCentre(list, indexOf(list, "sub")));
        EXPECT_EQ(d.nameBox()->text(), ".Clc");
        d.nameBox()->setText("first");
        QTest::mouseClick(d.acceptButton(), Qt::LeftButton);
    });
    EXPECT_EQ(title, "Save Calculation...");
    EXPECT_EQ(accept, "Save");
    EXPECT_EQ(chosen, calc + "/sub/first.Clc");
    EXPECT_EQ(window.findChildren<LoadSave*>().size(), 1);
}

TEST_F(ChooseTest, CancelGivesNothingAndTheCloseBoxStartsAfresh)
{
    EXPECT_EQ(choose(&window, 0, [](LoadSave& d) {
                  d.nameBox()->setText("draft");
                  QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
              }),
              "");
    EXPECT_EQ(choose(&window, 0, [](LoadSave& d) { d.close(); }), "");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.findChildren<LoadSave*>().isEmpty());
    QString shown;
    EXPECT_EQ(choose(&window, 1, [&](LoadSave& d) {
                  shown = d.nameBox()->text();
                  QTest::mouseClick(d.acceptButton(), Qt::LeftButton);
              }),
              calc + "/.Clc");
    EXPECT_EQ(shown, ".Clc");
    EXPECT_EQ(chooseCalculationFile(&window, 5), "");   // no dialog for other commands
}

TEST_F(ChooseTest, GalleryPicture)
{
    // The dialog as the user sees it, for looking over by eye.
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(testing::writeFile(calc + QStringLiteral("/Budget %1.Clc").arg(2000 + i), "x"));
    LoadSave d(&window);
    d.setWindowTitle("Save Calculation...");
    d.setAcceptCaption("Save");
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    d.nameBox()->setText("Budget 2031.Clc");
    DriveControl& list = *d.driveList();
    const QRect hover = list.rowRect(indexOf(list, "a.Clc"));
    QMouseEvent move(QEvent::MouseMove, hover.center(), list.mapToGlobal(hover.center()), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&list, &move);
    const QImage image = d.grab().toImage();
    QDir().mkpath(QStringLiteral(QM_BUILD_DIR "/gallery"));
    EXPECT_TRUE(image.save(QStringLiteral(QM_BUILD_DIR "/gallery/loadsave.png")));
    EXPECT_EQ(image.size(), d.size() * d.devicePixelRatio());
}

} // namespace
} // namespace qm::ui
