// The drive, folder and file browser on a real folder tree: what it lists
// and what taps do.

#include "FilesTestSupport.h"

#include <QSignalSpy>

namespace qm::ui {
namespace {

using namespace test;

class DriveControlTest : public FolderFixture {
protected:
    void SetUp() override
    {
        FolderFixture::SetUp();
        list.resize(460, 214);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        list.FileExtention(".Clc");
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
    EXPECT_EQ(list.FileExtention(".TXT"), QString());
    EXPECT_EQ(folderRows(list), (QStringList{"..", "sub", "notes.txt"}));
    list.FileExtention(".Clc");
}

// Where a tap leads is the core list's business; here: what the control does
// with it, and what it raises when.
TEST_F(DriveControlTest, TapsSelectFilesAndOpenFoldersAndDrives)
{
    QSignalSpy ups(&list, &DriveControl::MouseUp);
    int selectedDuringMouseUp = 0;
    QObject::connect(&list, &DriveControl::MouseUp, &list, [&] { selectedDuringMouseUp = list.selectedIndex(); });
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
    QString missing = "/no-such-folder-here";
    list.GetDir(missing);
    EXPECT_EQ(QDir::currentPath(), "/");
    EXPECT_EQ(folderRows(list), before);
}

} // namespace
} // namespace qm::ui
