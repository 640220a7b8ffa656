#pragma once
// Shared by the file browser, dialog and calculation-file tests: a folder
// tree to browse and the rows the browser shows of it.

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/files/DriveControl.h"
#include "ui/tape/WindowTestSupport.h"

#include <QTemporaryDir>

namespace qm::ui::test {

// A temporary tree, the current folder its calc/ and HOME its ann/:
//   calc/   a.Clc, b.CLC, notes.txt, locked.Clc (read-only), sub/, sub/inner.Clc
// The current folder and HOME are put back afterwards.
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

// The rows after the drives and the user's folder.
inline QStringList folderRows(const DriveControl& list)
{
    QStringList out;
    for (int i = 1; i <= list.entryCount(); ++i) {
        if (list.entry(i).kind >= 1 && list.entry(i).kind <= 9)
            out << QString::fromStdString(list.entry(i).text);
    }
    return out;
}

inline int indexOf(const DriveControl& list, const QString& text)
{
    for (int i = 1; i <= list.entryCount(); ++i) {
        if (QString::fromStdString(list.entry(i).text) == text)
            return i;
    }
    return 0;
}

// Scrolls the entry into view and returns the centre of its row.
inline QPoint rowCentre(DriveControl& list, int index)
{
    if (list.rowRect(index).isNull() && list.scrollBar()->isVisibleTo(&list))
        list.scrollBar()->setValue(index);
    return list.rowRect(index).center();
}

// A tap on the row showing `text`.
inline void tap(DriveControl& list, const QString& text)
{
    QTest::mouseClick(&list, Qt::LeftButton, {}, rowCentre(list, indexOf(list, text)));
}

} // namespace qm::ui::test
