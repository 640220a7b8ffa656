#pragma once
// Shared by the widget tests: a fixed offscreen screen, tapes and files, a
// host for one control, a shown main window, and a message-box answerer.

#include "core/CoreTestSupport.h"
#include "core/Version.h"
#include "core/number/TextForm.h"
#include "ui/mainwindow/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace qm::ui::test {

inline constexpr int ScreenWidth = 1920;
inline constexpr int ScreenHeight = 1080;

// Runs the tests in a QApplication on an offscreen screen of 1920 x 1080 at
// 96 dpi without window frames (outer size = window size).
inline int runWindowTests(int argc, char** argv)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    std::string config;
    if (platform.isEmpty() || platform == "offscreen") {
        config = (QDir::tempPath() + QStringLiteral("/quillmate-test-screen-%1.json")
                                         .arg(QCoreApplication::applicationPid()))
                     .toStdString();
        std::ofstream(config) << R"({"windowFrameMargins": false, "screens": [{"name": "test",)"
                              << R"( "x": 0, "y": 0, "width": )" << ScreenWidth
                              << R"(, "height": )" << ScreenHeight
                              << R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.c_str());
    }
    // The windows keep their recovery copies in a data folder of this run's
    // own, never in the user's.
    const QString dataHome = QDir::tempPath() + QStringLiteral("/quillmate-test-data-%1").arg(QCoreApplication::applicationPid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        // A window writes its settings beside the program when the function
        // buttons change: every test starts from the built-in settings.
        struct FreshSettings : ::testing::EmptyTestEventListener {
            void OnTestStart(const ::testing::TestInfo&) override
            {
                QFile::remove(QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("Custom %1.cal")
                                                .arg(QFileInfo(QCoreApplication::applicationFilePath())
                                                         .completeBaseName())));
            }
        };
        ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
        result = RUN_ALL_TESTS();
    }
    QDir(dataHome).removeRecursively();
    if (!config.empty())
        std::remove(config.c_str());
    return result;
}

using qm::test::dec;

// The window's title: the program's name and version, four blanks, the edition.
inline QString windowTitle(const QString& edition)
{
    return QStringLiteral("Quillmate %1    ").arg(QLatin1String(ProgramVersion)) + edition;
}
using qm::test::tapeOf;

inline std::string shown(const Value& v) { return plainText(v, '.'); }

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A host window for a control at (10, 10), the pointer far away.
inline void makeHost(QWidget& window, int width, int height)
{
    QCursor::setPos(-500, -500);
    window.setGeometry(100, 100, width, height);
}

// `times` wheel notches of `delta` eighths of a degree over `target`.
inline void turnWheel(QWidget* target, int delta, int times)
{
    for (int i = 0; i < times; ++i) {
        QWheelEvent e(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &e);
    }
}

// A shown main window with English separators whose interior (below the
// menu bar) is `height` pixels high: 466 is the design size, 15 rows.
inline std::unique_ptr<MainWindow> shownWindow(int height = 466, const QString& argument = QString())
{
    auto w = std::make_unique<MainWindow>(argument);
    w->editor().setRegional(Regional{'.', ',', 3});
    w->refresh();
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->resize(671, height + w->menuBar()->height());
    QCoreApplication::processEvents();
    return w;
}

// Answers every message box that shows while it lives with `answer` (a box
// without that button is left alone), keeping the last one's title and text
// and every box's details.
struct MessageAnswerer {
    QString title, text;
    QStringList details;
    int seen = 0;
    QTimer timer;
    explicit MessageAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this, answer] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (QAbstractButton* b = box && box->isVisible() ? box->button(answer) : nullptr) {
                    title = box->windowTitle();
                    text = box->text();
                    details << box->informativeText();
                    ++seen;
                    b->click();
                }
            }
        });
        timer.start(10);
    }
};

} // namespace qm::ui::test
