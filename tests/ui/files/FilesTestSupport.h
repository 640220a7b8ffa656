#pragma once
// Folder fixtures and helpers shared by the file browser, dialog and
// calculation-file tests.

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/files/DriveControl.h"

#include <QAbstractButton>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <ostream>

#include <gtest/gtest.h>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace qm::ui::testing {

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// A temporary tree:
//   <root>/calc/   a.Clc, b.CLC, notes.txt, locked.Clc (read-only), sub/, sub/inner.Clc
//   <root>/ann/    the user's folder (HOME while the fixture lives)
// The current folder and HOME are put back afterwards.
class FolderFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        savedCurrent = QDir::currentPath();
        savedHome = qgetenv("HOME");
        root = QDir(tmp.path()).canonicalPath();
        calc = root + "/calc";
        ASSERT_TRUE(QDir().mkpath(calc + "/sub"));
        ASSERT_TRUE(QDir().mkpath(root + "/ann"));
        for (const char* name : {"a.Clc", "b.CLC", "notes.txt", "locked.Clc", "sub/inner.Clc"})
            ASSERT_TRUE(writeFile(calc + "/" + name, "Ferrowick 6\r\n+1\r\n"));
        ASSERT_TRUE(QFile::setPermissions(calc + "/locked.Clc",
                                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        qputenv("HOME", QFile::encodeName(root + "/ann"));
        ASSERT_TRUE(QDir::setCurrent(calc));
    }

    void TearDown() override
    {
        QDir::setCurrent(savedCurrent);
        qputenv("HOME", savedHome);
    }

    QTemporaryDir tmp;
    QString root;
    QString calc;
    QString savedCurrent;
    QByteArray savedHome;
};

// The texts of the rows, top to bottom.
inline QStringList rowTexts(const DriveControl& list)
{
    QStringList out;
    for (int i = 1; i <= list.entryCount(); ++i)
        out << QString::fromStdString(list.entry(i).text);
    return out;
}

// The rows after the drives and the user's folder.
inline QStringList folderRows(const DriveControl& list)
{
    QStringList out;
    for (int i = 1; i <= list.entryCount(); ++i) {
        const int kind = list.entry(i).kind;
        if (kind >= 1 && kind <= 9)
            out << QString::fromStdString(list.entry(i).text);
    }
    return out;
}

inline int indexOf(const DriveControl& list, const QString& text)
{
    for (int i = 1; i <= list.entryCount(); ++i)
        if (QString::fromStdString(list.entry(i).text) == text)
            return i;
    return 0;
}

// A double tap as the window system delivers it: press, release, press,
// release, the second press reported as a double click.
inline void doubleTap(QWidget* widget, QPoint pos)
{
    QWindow* window = widget->window()->windowHandle();
    QTest::mouseDClick(window, Qt::LeftButton, {}, widget->mapTo(widget->window(), pos));
}

// Scrolls the entry into view and returns the centre of its row.
inline QPoint rowCentre(DriveControl& list, int index)
{
    if (list.rowRect(index).isNull() && list.scrollBar()->isVisibleTo(&list))
        list.scrollBar()->setValue(index);
    return list.rowRect(index).center();
}

// Closes every message box that appears while it is armed with OK, and
// records the last one's title and text.
struct MessageCatcher {
    QString title;
    QString text;
    int seen = 0;
    QTimer timer;

    void arm()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box && box->isVisible()) {
                    title = box->windowTitle();
                    text = box->text();
                    ++seen;
                    box->button(QMessageBox::Ok)->click();
                }
            }
        });
        timer.start();
    }
};

} // namespace qm::ui::testing
