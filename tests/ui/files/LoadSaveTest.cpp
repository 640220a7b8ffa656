// The file dialog: the name box, the browser inside it, and how the open and
// save commands run it.

#include "FilesTestSupport.h"

#include "ui/controls/SuperButton.h"
#include "ui/files/CalculationFiles.h"
#include "ui/files/LoadSave.h"

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
        dialog = std::make_unique<LoadSave>();
        show();
    }
    void TearDown() override
    {
        dialog.reset();
        FolderFixture::TearDown();
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

    std::unique_ptr<LoadSave> dialog;
};

TEST_F(LoadSaveTest, TypedNamesGetTheExtension)
{
    EXPECT_EQ(dialog->nameBox()->text(), ".Clc");   // first use: the bare extension
    EXPECT_EQ(folderRows(*dialog->driveList()), (QStringList{"..", "sub", "a.Clc", "b.CLC", "locked.Clc"}));
    const struct { const char* typed; const char* path; } cases[] = {
        {nullptr, ".Clc"},
        {"my.budget.txt", "my.budget.Clc"},
        {"a?b\\c|*\"/:<>d.clc", "abcd.Clc"},   // refused characters are dropped as they are typed
    };
    for (const auto& c : cases) {
        show();
        if (c.typed)
            type(c.typed);
        click(dialog->acceptButton());
        EXPECT_FALSE(dialog->isVisible()) << c.typed;
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->FilePath(), c.path) << c.typed;
    }
    show();
    type("good");
    dialog->nameBox()->insert("../../etc/passwd");   // nor pasted
    EXPECT_EQ(dialog->nameBox()->text(), "good");
    dialog->nameBox()->clear();
    click(dialog->acceptButton());   // an empty name is not accepted
    EXPECT_TRUE(dialog->isVisible());
}

// chooseCalculationFile runs the dialog modally; `script` acts on it from
// inside its event loop.
QString choose(QWidget* parent, int index, std::function<void(LoadSave&)> script)
{
    QTimer::singleShot(0, [parent, script] {
        LoadSave* d = parent->findChild<LoadSave*>();
        ASSERT_NE(d, nullptr);
        script(*d);
    });
    return chooseCalculationFile(parent, index);
}

using ChooseTest = FolderFixture;

TEST_F(ChooseTest, CaptionsFollowTheCommandAndNamesResolveAgainstTheFolderShown)
{
    QMainWindow window;
    QStringList captions;
    auto accept = [&](const char* name, const char* folder) {
        return [&captions, name, folder](LoadSave& d) {
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
    EXPECT_EQ(window.findChildren<LoadSave*>().size(), 1);   // the same dialog again

    // Cancel gives nothing; the close box discards the dialog, the next starts afresh.
    EXPECT_EQ(choose(&window, 0, [](LoadSave& d) { QTest::mouseClick(d.cancelButton(), Qt::LeftButton); }), "");
    EXPECT_EQ(choose(&window, 0, [](LoadSave& d) { d.close(); }), "");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.findChildren<LoadSave*>().isEmpty());
    QString shown;
    EXPECT_EQ(choose(&window, 1, [&](LoadSave& d) {
                  shown = d.nameBox()->text();
                  QTest::mouseClick(d.acceptButton(), Qt::LeftButton);
              }),
              calc + "/sub/.Clc");
    EXPECT_EQ(shown, ".Clc");
    EXPECT_EQ(chooseCalculationFile(&window, 5), "");   // no dialog for other commands
}

} // namespace
} // namespace qm::ui
