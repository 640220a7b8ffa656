#include "FilesTestSupport.h"

#include "ui/files/DriveIcons.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>

namespace qm::ui {
namespace {

using testing::FolderFixture;
using testing::folderRows;
using testing::indexOf;
using testing::rowCentre;
using testing::rowTexts;

class DriveControlTest : public FolderFixture {
protected:
    void SetUp() override
    {
        FolderFixture::SetUp();
        list = std::make_unique<DriveControl>();
        list->resize(460, 214);
        list->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    }
    void TearDown() override
    {
        list.reset();
        FolderFixture::TearDown();
    }

    void tap(const QString& text)
    {
        const int index = indexOf(*list, text);
        ASSERT_GT(index, 0) << text.toStdString();
        QTest::mouseClick(list.get(), Qt::LeftButton, {}, rowCentre(*list, index));
    }

    std::unique_ptr<DriveControl> list;
};

// Counts the pixels of exactly `colour` inside `area` of `image`.
int countColour(const QImage& image, const QRect& area, QColor colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                ++n;
    return n;
}

TEST_F(DriveControlTest, ListsDrivesUserFolderParentFoldersThenMatchingFiles)
{
    list->FileExtention(".Clc");
    const QStringList rows = rowTexts(*list);
    // Drives come first: "/" is always one of them.
    ASSERT_GE(list->entryCount(), 6);
    EXPECT_EQ(list->entry(1).path, "/");
    EXPECT_EQ(list->entry(1).text.front(), '/');   // a volume label may follow
    EXPECT_GE(list->entry(1).kind, 11);
    int k = 1;
    while (k <= list->entryCount() && list->entry(k).kind >= 11 && list->entry(k).kind != 110)
        ++k;
    ASSERT_LE(k, list->entryCount());
    EXPECT_EQ(list->entry(k).text, "ann");
    EXPECT_EQ(list->entry(k).kind, 110);
    EXPECT_EQ(folderRows(*list), (QStringList{"..", "sub", "a.Clc", "b.CLC", "locked.Clc"}));
    EXPECT_EQ(list->entry(indexOf(*list, "locked.Clc")).kind, 3);
    EXPECT_EQ(list->entry(indexOf(*list, "a.Clc")).kind, 2);
    EXPECT_EQ(list->selectedIndex(), -1);
    EXPECT_EQ(QDir::currentPath(), calc);
}

TEST_F(DriveControlTest, PatternsChooseTheFiles)
{
    const struct {
        const char* pattern;
        QStringList rows;
    } cases[] = {
        {".Clc", {"..", "sub", "a.Clc", "b.CLC", "locked.Clc"}},
        {".*", {"..", "sub", "a.Clc", "b.CLC", "locked.Clc", "notes.txt"}},
        {"", {"..", "sub", "a.Clc", "b.CLC", "locked.Clc", "notes.txt"}},
        {".TXT", {"..", "sub", "notes.txt"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(list->FileExtention(c.pattern), QString());
        EXPECT_EQ(folderRows(*list), c.rows) << c.pattern;
    }
}

TEST_F(DriveControlTest, DrawsEachKindInItsColour)
{
    list->FileExtention(".Clc");
    const QImage image = list->grab().toImage();
    const QColor black(0, 0, 0), grey(0x80, 0x80, 0x80), blue(0, 0, 0xFF), green(0, 0x80, 0);
    const struct {
        const char* text;
        QColor ink;
        QList<QColor> absent;
    } cases[] = {
        {"a.Clc", black, {grey, blue, green}},
        {"locked.Clc", grey, {black, blue, green}},
        {"sub", blue, {black, grey, green}},
        {"ann", green, {black, grey, blue}},
    };
    for (const auto& c : cases) {
        const QRect band = list->rowRect(indexOf(*list, c.text));
        ASSERT_FALSE(band.isNull()) << c.text;
        EXPECT_GT(countColour(image, band, c.ink), 0) << c.text;
        for (const QColor& other : c.absent)
            EXPECT_EQ(countColour(image, band, other), 0) << c.text << " " << other.name().toStdString();
        // The icon sits left of the text, inside the row.
        const QRect iconArea(0, band.top(), band.left(), band.height());
        EXPECT_LT(countColour(image, iconArea, QColor(Qt::white)), iconArea.width() * iconArea.height());
    }
}

TEST_F(DriveControlTest, NoParentEntryAtTheRoot)
{
    QString root = "/";
    list->GetDir(root);
    EXPECT_EQ(QDir::currentPath(), "/");
    EXPECT_EQ(indexOf(*list, ".."), 0);
    QString empty;
    list->GetDir(empty);   // an empty path is the current folder, and is set to it
    EXPECT_EQ(empty, "/");
}

TEST_F(DriveControlTest, TappingTheParentOpensItAndResetsTheSelection)
{
    list->FileExtention(".Clc");
    tap("a.Clc");
    EXPECT_EQ(list->selectedIndex(), indexOf(*list, "a.Clc"));
    QSignalSpy ups(list.get(), &DriveControl::MouseUp);
    tap("..");
    EXPECT_EQ(ups.count(), 1);
    EXPECT_EQ(QDir::currentPath(), root);
    EXPECT_EQ(list->selectedIndex(), -1);
    EXPECT_EQ(list->SelectPath(), calc + "/..");
    EXPECT_EQ(list->DrivePathFile(), calc + "/..");
    EXPECT_EQ(folderRows(*list), (QStringList{"..", "ann", "calc"}));
    EXPECT_EQ(list->FileName(), "a.Clc");   // the last tapped file stays
}

TEST_F(DriveControlTest, TappingFilesSelectsThemAndFoldersOpenThem)
{
    list->FileExtention(".Clc");
    QSignalSpy ups(list.get(), &DriveControl::MouseUp);
    int selectedDuringMouseUp = 0;
    QObject::connect(list.get(), &DriveControl::MouseUp, list.get(),
            [&] { selectedDuringMouseUp = list->selectedIndex(); });

    tap("locked.Clc");   // read-only: still selected
    EXPECT_EQ(list->FileName(), "locked.Clc");
    EXPECT_EQ(list->DrivePathFile(), calc + "/locked.Clc");
    EXPECT_TRUE(list->lastTapSelectedFile());
    EXPECT_EQ(selectedDuringMouseUp, indexOf(*list, "locked.Clc"));   // raised after the tap
    EXPECT_EQ(QDir::currentPath(), calc);

    tap("sub");
    EXPECT_EQ(QDir::currentPath(), calc + "/sub");
    EXPECT_EQ(list->SelectPath(), calc + "/sub");
    EXPECT_FALSE(list->lastTapSelectedFile());
    EXPECT_EQ(folderRows(*list), (QStringList{"..", "inner.Clc"}));

    tap("ann");   // the user's folder
    EXPECT_EQ(QDir::currentPath(), root + "/ann");
    ASSERT_EQ(list->entry(1).path, "/");
    QTest::mouseClick(list.get(), Qt::LeftButton, {}, rowCentre(*list, 1));   // a drive opens its mount point
    EXPECT_EQ(QDir::currentPath(), "/");
    EXPECT_EQ(list->DrivePathFile().toStdString(), list->entry(1).text);
    EXPECT_EQ(ups.count(), 4);
    // Each MouseUp carries the release point.
    const QList<QVariant> last = ups.takeLast();
    EXPECT_EQ(last.at(0).value<qint16>(), 1);
}

TEST_F(DriveControlTest, TapBelowTheLastEntryDoesNothing)
{
    list->FileExtention(".xyz");   // few rows: drives, user folder, "..", sub
    ASSERT_LT(list->entryCount() * list->rowHeight(), list->height());
    QSignalSpy ups(list.get(), &DriveControl::MouseUp);
    QSignalSpy downs(list.get(), &DriveControl::MouseDown);
    const QString before = QDir::currentPath();
    QTest::mouseClick(list.get(), Qt::LeftButton, {}, QPoint(100, list->height() - 2));
    EXPECT_EQ(ups.count(), 0);
    EXPECT_EQ(downs.count(), 1);   // the press itself is still reported
    EXPECT_EQ(list->selectedIndex(), -1);
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(DriveControlTest, FolderThatCannotBeEnteredKeepsTheList)
{
    list->FileExtention(".Clc");
    const QStringList before = rowTexts(*list);
    QString missing = calc + "/no-such-folder";
    list->GetDir(missing);
    EXPECT_EQ(QDir::currentPath(), calc);
    EXPECT_EQ(rowTexts(*list), before);
}

TEST_F(DriveControlTest, DoubleTapOnAFolderOpensItOnce)
{
    ASSERT_TRUE(QDir().mkpath(calc + "/sub/deeper/deepest"));
    list->FileExtention(".Clc");
    QSignalSpy doubles(list.get(), &DriveControl::DblClick);
    const QPoint at = rowCentre(*list, indexOf(*list, "sub"));
    testing::doubleTap(list.get(), at);
    // Whatever the rebuilt list shows under the pointer is not tapped again.
    EXPECT_EQ(QDir::currentPath(), calc + "/sub");
    EXPECT_EQ(doubles.count(), 1);
}

TEST_F(DriveControlTest, HoverAndPressHighlightTheRow)
{
    list->FileExtention(".Clc");
    const int index = indexOf(*list, "b.CLC");
    const QRect band = list->rowRect(index);
    const QPoint probe(band.right() - 2, band.center().y());   // right of the text
    QSignalSpy moves(list.get(), &DriveControl::MouseMove);

    QMouseEvent move(QEvent::MouseMove, band.center(), list->mapToGlobal(band.center()), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list.get(), &move);
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(list->grab().toImage().pixelColor(probe), QColor(0xED, 0xED, 0xFF));
    // Moving to another row clears the first.
    const QRect other = list->rowRect(indexOf(*list, "a.Clc"));
    QMouseEvent move2(QEvent::MouseMove, other.center(), list->mapToGlobal(other.center()), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list.get(), &move2);
    EXPECT_EQ(list->grab().toImage().pixelColor(probe), QColor(Qt::white));

    QTest::mousePress(list.get(), Qt::LeftButton, {}, band.center());
    EXPECT_EQ(list->grab().toImage().pixelColor(probe), QColor(0xFF, 0, 0));
    QTest::mouseRelease(list.get(), Qt::LeftButton, {}, band.center());
    EXPECT_EQ(list->grab().toImage().pixelColor(probe), QColor(Qt::white));
    EXPECT_EQ(list->FileName(), "b.CLC");
}

class DriveControlScrollTest : public DriveControlTest {
protected:
    void SetUp() override
    {
        DriveControlTest::SetUp();
        for (int i = 0; i < 60; ++i)
            ASSERT_TRUE(testing::writeFile(calc + QStringLiteral("/f%1.Clc").arg(i, 2, 10, QChar('0')), "x"));
        list->FileExtention(".Clc");
    }
};

TEST_F(DriveControlScrollTest, KeysScrollByRowAndPageWithinTheRange)
{
    EzyVerticalScroll* bar = list->scrollBar();
    ASSERT_TRUE(bar->isVisible());
    const int rows = list->height() / list->rowHeight();
    EXPECT_EQ(list->pageSize(), rows);
    EXPECT_EQ(bar->valueLargeChange(), rows);
    EXPECT_EQ(list->topIndex(), 1);

    int topWhenRaised = 0;
    int keys = 0;
    QObject::connect(list.get(), &DriveControl::KeyDown, list.get(), [&] {
        topWhenRaised = list->topIndex();
        ++keys;
    });

    list->setFocus();
    QTest::keyClick(list.get(), Qt::Key_Down);
    EXPECT_EQ(list->topIndex(), 2);
    EXPECT_EQ(topWhenRaised, 2);   // raised after the scroll
    QTest::keyClick(list.get(), Qt::Key_PageDown);
    EXPECT_EQ(list->topIndex(), 2 + rows);
    QTest::keyClick(list.get(), Qt::Key_Up);
    EXPECT_EQ(list->topIndex(), 1 + rows);
    QTest::keyClick(list.get(), Qt::Key_PageUp);
    QTest::keyClick(list.get(), Qt::Key_PageUp);
    EXPECT_EQ(list->topIndex(), 1);   // clamped at the first entry
    QTest::keyClick(list.get(), Qt::Key_A);
    EXPECT_EQ(list->topIndex(), 1);
    EXPECT_EQ(keys, 6);

    for (int i = 0; i < 20; ++i)
        QTest::keyClick(list.get(), Qt::Key_PageDown);
    // At the end the last entry sits on the bottom row, wholly inside.
    const int last = list->entryCount();
    EXPECT_EQ(list->topIndex(), last - rows + 1);
    const QRect lastRow = list->rowRect(last);
    ASSERT_FALSE(lastRow.isNull());
    EXPECT_LE(lastRow.bottom(), list->height() - 1);
    EXPECT_EQ(list->entry(last).text, "locked.Clc");
}

TEST_F(DriveControlScrollTest, TapsCountFromTheScrolledTop)
{
    list->scrollBar()->setValue(10);
    ASSERT_EQ(list->topIndex(), 10);
    QTest::mouseClick(list.get(), Qt::LeftButton, {}, QPoint(100, list->rowHeight() / 2));
    EXPECT_EQ(list->selectedIndex(), 10);
    EXPECT_EQ(list->FileName().toStdString(), list->entry(10).text);
}

TEST_F(DriveControlScrollTest, BarHidesWhenEverythingFits)
{
    EXPECT_TRUE(list->scrollBar()->isVisible());
    list->scrollBar()->setValue(20);
    tap("sub");   // two rows below the drives: the bar goes, the list starts at the top
    EXPECT_FALSE(list->scrollBar()->isVisible());
    EXPECT_EQ(list->topIndex(), 1);
    QTest::keyClick(list.get(), Qt::Key_Down);
    EXPECT_EQ(list->topIndex(), 1);
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
    // A strip of all seven, enlarged, for looking over by eye.
    QImage strip(DriveIconCount * 20, 20, QImage::Format_ARGB32);
    strip.fill(Qt::white);
    QPainter p(&strip);
    for (int i = 0; i < DriveIconCount; ++i)
        p.drawImage(i * 20 + 2, 2, seen[i]);
    p.end();
    QDir().mkpath(QStringLiteral(QM_BUILD_DIR "/gallery"));
    EXPECT_TRUE(strip.scaled(strip.size() * 4).save(QStringLiteral(QM_BUILD_DIR "/gallery/drive_icons_x4.png")));
}

} // namespace
} // namespace qm::ui
