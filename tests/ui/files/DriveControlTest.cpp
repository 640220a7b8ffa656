// The drive, folder and file browser on a real folder tree: what it lists
// and what taps do.

#include "ui/UiTestSupport.h"

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
