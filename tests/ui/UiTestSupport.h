#pragma once
// Shared by the widget tests: a fixed screen, files, a main window and its
// parts by name, keys as a keyboard sends them, a message-box answerer and
// PDF text.

#include "core/CoreTestSupport.h"
#include "core/Version.h"
#include "core/number/TextForm.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/game/GameController.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TapeLineBox.h"
#include "ui/tape/EntryBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace qm::ui::test {

inline constexpr int ScreenWidth = 1920;
inline constexpr int ScreenHeight = 1080;

// A QApplication on an offscreen screen of 1920 x 1080 at 96 dpi without
// window frames (outer size = window size).
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
    // Recovery copies go to a data folder of this run's own, never the user's.
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
using qm::test::tapeOf;

inline QString windowTitle(const QString& edition)
{
    return QStringLiteral("Quillmate %1    ").arg(QLatin1String(ProgramVersion)) + edition;
}

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

inline std::unique_ptr<MainWindow> editingWindow(int height = 466)
{
    auto w = shownWindow(height);
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    EXPECT_EQ(w->editor().lastRow(), 14);
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

template <class T>
T* part(const MainWindow& w, const QString& name)
{
    T* found = w.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

inline TapeLineBox* row(const MainWindow& w, int j) { return part<TapeLineBox>(w, QStringLiteral("row%1").arg(j)); }
inline SuperButton* key(const MainWindow& w, KeypadKey k)
{
    return part<SuperButton>(w, QStringLiteral("keypad%1").arg(static_cast<int>(k)));
}
inline SuperButton* digit(const MainWindow& w, int d) { return key(w, static_cast<KeypadKey>(d)); }
inline SuperButton* functionButton(const MainWindow& w, int k)
{
    return part<SuperButton>(w, QStringLiteral("function%1").arg(k));
}
inline EntryBox* totalBox(const MainWindow& w) { return part<EntryBox>(w, QStringLiteral("total")); }
inline QString total(const MainWindow& w) { return totalBox(w)->text(); }

// One key: down and up to whichever widget has the focus at that moment.
inline void pressKey(Qt::Key k, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    for (auto action : {QTest::Press, QTest::Release}) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::sendKeyEvent(action, target, k, text, mods);
    }
}

inline void typeText(const std::string& s)
{
    for (char c : s) {
        Qt::Key k = Qt::Key_unknown;
        if (c >= '0' && c <= '9')
            k = static_cast<Qt::Key>(Qt::Key_0 + (c - '0'));
        else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z')
            k = static_cast<Qt::Key>(Qt::Key_A + ((c | 0x20) - 'a'));
        else if (c == '\r')
            k = Qt::Key_Return;
        else
            k = static_cast<Qt::Key>(static_cast<unsigned char>(c));   // Qt's keys for ASCII marks are their codes
        pressKey(k, QString(QChar::fromLatin1(c)));
    }
}

inline void click(QWidget* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10)); }

inline std::string lineText(const MainWindow& w, std::size_t line)
{
    return shown(w.editor().tape().TapeValue.at(line));
}

// A tape for the window, as opening a file gives one.
inline void setTape(MainWindow& w, const Tape& t)
{
    w.editor().replaceTape(t);
    w.refresh();
}

// Nixie Invaders started in the window, asking no name, its clock stopped
// after the first tick: the test plays the clock.
inline GameController* startedGame(MainWindow& w)
{
    GameController* game = w.gameController();
    game->setNamePrompt([](QWidget*) { return QString(); });
    game->startGame(GameKind::Invaders);
    game->timer().stop();
    game->tick();
    return game;
}

// The menu item with this caption, without its access key and key column.
inline QAction* menuItem(const MainWindow& w, const QString& caption)
{
    for (QAction* a : w.menuBar()->findChildren<QAction*>()) {
        if (a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')) == caption)
            return a;
    }
    ADD_FAILURE() << "no menu item " << caption.toStdString();
    return nullptr;
}

inline bool haveTool(const QString& name) { return !QStandardPaths::findExecutable(name).isEmpty(); }

// The non-empty lines of pdftotext's layout text, runs of blanks as one,
// without the form feeds between pages ("" when the tool fails).
inline QStringList layoutText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QString words = QString(line).remove(QLatin1Char('\f')).simplified();
        if (!words.isEmpty())
            lines << words;
    }
    return lines;
}

} // namespace qm::ui::test
