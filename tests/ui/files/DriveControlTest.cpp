// The drive, folder and file browser on a real folder tree: what it lists
// and draws, and what taps, keys and the scroll bar do.

#include "FilesTestSupport.h"

#include "ui/files/DriveIcons.h"

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
    QColor inkRightOf(const QString& text)
    {
        const QRect band = list.rowRect(indexOf(list, text));
        return list.grab().toImage().pixelColor(band.right() - 2, band.center().y());
    }

    DriveControl list;
};

TEST_F(DriveControlTest, ListsTheFolderAndDrawsEachKindInItsColour)
{
    // Drives first ("/" always among them), then the user's folder.
    EXPECT_EQ(list.entry(1).path, "/");
    EXPECT_EQ(list.entry(indexOf(list, "ann")).kind, 110);
    EXPECT_EQ(folderRows(list), (QStringList{"..", "sub", "a.Clc", "b.CLC", "locked.Clc"}));
    EXPECT_EQ(list.entry(indexOf(list, "locked.Clc")).kind, 3);
    EXPECT_EQ(list.FileExtention(".TXT"), QString());
    EXPECT_EQ(folderRows(list), (QStringList{"..", "sub", "notes.txt"}));
    list.FileExtention(".Clc");

    // Each kind in its own ink and in no other kind's.
    const QImage image = list.grab().toImage();
    const struct { const char* text; QRgb ink; } cases[] = {
        {"a.Clc", 0xFF000000}, {"locked.Clc", 0xFF808080}, {"sub", 0xFF0000FF}, {"ann", 0xFF008000}};
    for (const auto& c : cases) {
        const QRect band = list.rowRect(indexOf(list, c.text));
        ASSERT_FALSE(band.isNull()) << c.text;
        QSet<QRgb> inks;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                inks.insert(image.pixel(x, y));
        for (const auto& other : cases)
            EXPECT_EQ(inks.contains(other.ink), other.ink == c.ink) << c.text << " in " << other.text << "'s ink";
    }
}

// Where a tap leads is the core list's business; here: what the control does
// with it, and what it raises when.
TEST_F(DriveControlTest, TapsSelectFilesAndOpenFoldersAndDrives)
{
    QSignalSpy ups(&list, &DriveControl::MouseUp);
    QSignalSpy downs(&list, &DriveControl::MouseDown);
    int selectedDuringMouseUp = 0;
    QObject::connect(&list, &DriveControl::MouseUp, &list, [&] { selectedDuringMouseUp = list.selectedIndex(); });
    list.FileExtention(".xyz");   // few rows: below the last entry only the press is reported
    QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(100, list.height() - 2));
    EXPECT_EQ(ups.count(), 0);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(list.selectedIndex(), -1);
    list.FileExtention(".Clc");

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

TEST_F(DriveControlTest, DoubleTapOnAFolderOpensItOnce)
{
    // Whatever the rebuilt list shows under the pointer is not tapped again.
    ASSERT_TRUE(QDir().mkpath(calc + "/sub/deeper/deepest"));
    QSignalSpy doubles(&list, &DriveControl::DblClick);
    tap(list, "sub", true);
    EXPECT_EQ(QDir::currentPath(), calc + "/sub");
    EXPECT_EQ(doubles.count(), 1);
}

TEST_F(DriveControlTest, HoverAndPressHighlightTheRow)
{
    const QRect band = list.rowRect(indexOf(list, "b.CLC"));
    const QRect other = list.rowRect(indexOf(list, "a.Clc"));
    for (const QPoint at : {band.center(), other.center()}) {
        QMouseEvent move(QEvent::MouseMove, at, list.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&list, &move);
        EXPECT_EQ(inkRightOf("b.CLC"), at == band.center() ? QColor(0xED, 0xED, 0xFF) : QColor(Qt::white));
    }
    QTest::mousePress(&list, Qt::LeftButton, {}, band.center());
    EXPECT_EQ(inkRightOf("b.CLC"), QColor(0xFF, 0, 0));
    QTest::mouseRelease(&list, Qt::LeftButton, {}, band.center());
    EXPECT_EQ(inkRightOf("b.CLC"), QColor(Qt::white));
    EXPECT_EQ(list.FileName(), "b.CLC");
}

TEST_F(DriveControlTest, KeysAndTapsOnAScrolledList)
{
    for (int i = 0; i < 60; ++i)
        ASSERT_TRUE(writeFile(calc + QStringLiteral("/f%1.Clc").arg(i, 2, 10, QChar('0')), "x"));
    list.FileExtention(".Clc");
    ASSERT_TRUE(list.scrollBar()->isVisible());
    const int rows = list.height() / list.rowHeight();
    int topWhenRaised = 0;
    QObject::connect(&list, &DriveControl::KeyDown, &list, [&] { topWhenRaised = list.topIndex(); });
    list.setFocus();
    const struct { Qt::Key key; int top; } keys[] = {
        {Qt::Key_Down, 2}, {Qt::Key_PageDown, 2 + rows}, {Qt::Key_Up, 1 + rows},
        {Qt::Key_PageUp, 1}, {Qt::Key_PageUp, 1}, {Qt::Key_A, 1},   // clamped at the first entry
    };
    for (const auto& k : keys) {
        QTest::keyClick(&list, k.key);
        EXPECT_EQ(list.topIndex(), k.top) << k.key;
        EXPECT_EQ(topWhenRaised, k.top) << "raised after the scroll";
    }
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(&list, Qt::Key_PageDown);
    // At the end the last entry sits wholly on the bottom row.
    EXPECT_EQ(list.topIndex(), list.entryCount() - rows + 1);
    EXPECT_LE(list.rowRect(list.entryCount()).bottom(), list.height() - 1);

    list.scrollBar()->setValue(10);   // taps count from the scrolled top
    QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(100, list.rowHeight() / 2));
    EXPECT_EQ(list.selectedIndex(), 10);
    EXPECT_EQ(list.FileName().toStdString(), list.entry(10).text);
    tap(list, "sub");   // everything fits: the bar goes, the list starts at the top
    EXPECT_FALSE(list.scrollBar()->isVisible());
    EXPECT_EQ(list.topIndex(), 1);
}

TEST(DriveIcons, SevenDistinctPictures)
{
    QList<QImage> seen;
    for (int i = 0; i < DriveIconCount; ++i) {
        const QImage icon = driveIcon(i);
        ASSERT_EQ(icon.size(), QSize(16, 16)) << i;
        EXPECT_FALSE(seen.contains(icon)) << i;
        seen << icon;
    }
    EXPECT_TRUE(driveIcon(7).isNull());
    EXPECT_TRUE(driveIcon(-1).isNull());
}

} // namespace
} // namespace qm::ui
