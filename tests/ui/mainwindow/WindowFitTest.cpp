// The window fits every screen and scale in each of its forms, and the last
// of 200 lines scrolls onto a shown row. Pictures go to gallery/.

#include "ui/UiTestSupport.h"

#include "core/tape/MainWindowDesign.h"

#include <QIcon>
#include <QScreen>

#include <functional>

namespace qm::ui {
namespace {

using namespace test;

// The first screen is the test program's own; each other one runs in a run
// of this program of its own, as Qt takes the scale once per process.
constexpr struct TrialScreen { const char* name; int width, height; const char* scale; } Screens[] = {
    {"1920x1080_x1", ScreenWidth, ScreenHeight, "1"},
    {"1280x1024_x1", 1280, 1024, "1"},
    {"1280x1024_x1.25", 1280, 1024, "1.25"},
    {"1280x1024_x1.5", 1280, 1024, "1.5"},
    {"1920x1080_x2", 1920, 1080, "2"},
    {"1280x1024_x2", 1280, 1024, "2"},
    {"1024x768_x2", 1024, 768, "2"},
};
constexpr const char* TrialVariable = "QM_WINDOW_FIT_SCREEN";
constexpr const char* TestName = "WindowFit.EveryPartInsideOnEveryScreenAndScale";

std::string text(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

// What one case checks. A button may reach beyond the interior only where the
// screen is too small for the design, and then only over the window's right
// or bottom edge, which cuts it or hides it.
void expectFits(MainWindow& w, const std::string& where)
{
    SCOPED_TRACE(where);
    const QRect area = w.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(w.frameGeometry())) << "window " << text(w.frameGeometry()) << " on " << text(area);
    EXPECT_TRUE(w.rect().contains(w.menuBar()->geometry()));

    const QWidget* interior = w.centralWidget();
    const QRect inside = interior->rect();
    const bool designFits = inside.width() >= design::InteriorWidth && inside.height() >= design::InteriorHeight;
    const QSize chrome = w.frameGeometry().size() - w.geometry().size() + QSize(0, w.menuBar()->height());
    EXPECT_EQ(designFits, area.width() >= design::InteriorWidth + chrome.width()
                              && area.height() >= design::InteriorHeight + chrome.height())
        << "interior " << inside.width() << "x" << inside.height();
    const QWidget* tape = part<QWidget>(w, "tapeView");
    int checked = 0;
    for (const QWidget* child : interior->findChildren<QWidget*>()) {
        if (child->isWindow() || !child->isVisibleTo(&w))
            continue;
        ++checked;
        const QRect r(child->mapTo(interior, QPoint(0, 0)), child->size());
        if (inside.contains(r))
            continue;
        // A pad, or one of its buttons (the tape's own parts always fit).
        const bool button = qobject_cast<const SuperButton*>(child) || child->findChild<SuperButton*>();
        const bool cutByTheEdge = !designFits && button && !tape->isAncestorOf(child) && child != tape
                                  && r.left() >= 0 && r.top() >= 0
                                  && (r.right() > inside.right() || r.bottom() > inside.bottom());
        EXPECT_TRUE(cutByTheEdge) << child->objectName().toStdString() << " at " << text(r) << " in "
                                  << inside.width() << "x" << inside.height();
    }
    EXPECT_GT(checked, 60);   // rows, pads, total and bar

    // 200 lines scrolled to the end: line 200 on the last shown row.
    std::string lines = "+1";
    for (int i = 2; i <= 200; ++i)
        lines += "|+" + std::to_string(i);
    setTape(w, qm::test::tapeOfLines(lines));
    part<EzyVerticalScroll>(w, "tapeScrollBar")->setValue(w.editor().scrollMax());
    EXPECT_EQ(row(w, w.editor().lastRow())->text(), "200");
}

void fitOnThisScreen(const std::string& screen)
{
    auto w = std::make_unique<MainWindow>();
    w->editor().setRegional(Regional{'.', ',', 3});
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QTest::qWait(60);
    const QRect area = w->screen()->availableGeometry();
    const QSize chrome = w->frameGeometry().size() - w->geometry().size() + QSize(0, w->menuBar()->height());
    const QSize design(design::InteriorWidth, design::InteriorHeight);
    const bool designFits = area.width() >= design.width() + chrome.width() && area.height() >= design.height() + chrome.height();
    const QSize least = (design + chrome).boundedTo(area.size());
    // The tall form: 10335 twips wide, 0.96 of the screen high; the normal
    // window 10335 by 8730 twips; both within the area.
    const QSize tall = QSize(689, qRound(0.96 * w->screen()->size().height())).expandedTo(design + chrome).boundedTo(area.size());
    const QSize normal = QSize(689, 582).expandedTo(design + chrome).boundedTo(area.size());
    const auto maximize = [&] {
        w->setWindowState(Qt::WindowMaximized);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w->isMaximized(); }, 5000));
    };
    const struct { const char* form; std::function<void()> act, check; } steps[] = {
        // Opened: the design's interior where the screen holds it, else the whole area.
        {"opened", [] {}, [&] {
             if (designFits)
                 EXPECT_EQ(w->centralWidget()->size(), design);
             else
                 EXPECT_EQ(w->frameGeometry().size(), least);
         }},
        {"smallest", [&] { w->resize(1, 1); }, [&] { EXPECT_EQ(w->frameGeometry().size(), least); }},
        {"largest", [&] { w->resize(4000, 4000); }, [&] { EXPECT_EQ(w->frameGeometry().height(), area.height()); }},
        // Maximizing gives the tall form at the area's top left (a window
        // whose left edge is 0 would keep the tall form) ...
        {"tall", [&] { w->move(area.topLeft() + QPoint(40, 30)); QTest::qWait(60); maximize(); },
         [&] { EXPECT_EQ(w->frameGeometry(), QRect(area.topLeft(), tall)); }},
        // ... and maximizing again the normal window at its left edge.
        {"restored", maximize, [&] {
             const int left = std::min(area.left() + 40, area.left() + area.width() - normal.width());
             EXPECT_EQ(w->frameGeometry(), QRect(QPoint(left, area.top()), normal));
         }},
    };
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(QM_BUILD_DIR "/gallery")));
    for (const auto& step : steps) {
        SCOPED_TRACE(step.form);
        step.act();
        QTest::qWait(60);
        step.check();
        expectFits(*w, screen + " " + step.form);
        const QString shot = QStringLiteral(QM_BUILD_DIR "/gallery/window_%1_%2.png")
                                 .arg(QString::fromStdString(screen), QString::fromLatin1(step.form));
        EXPECT_TRUE(w->grab().save(shot)) << shot.toStdString();
    }
}

void fitOnScreenOfItsOwn(const TrialScreen& s)
{
    const QString config = QDir::temp().filePath(QStringLiteral("quillmate-fit-%1-%2.json")
                                                     .arg(QCoreApplication::applicationPid())
                                                     .arg(QString::fromLatin1(s.name)));
    // With window frames, so that a title bar has to find room too.
    ASSERT_TRUE(writeFile(config, QStringLiteral(R"({"windowFrameMargins": true, "screens": [{"name": "fit",)"
                                                 R"( "x": 0, "y": 0, "width": %1, "height": %2,)"
                                                 R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                                      .arg(s.width)
                                      .arg(s.height)
                                      .toUtf8()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
    env.insert("QT_SCALE_FACTOR", s.scale);
    env.insert(TrialVariable, s.name);
    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + TestName});
    const bool finished = run.waitForFinished(120000);
    const QString output = QString::fromLocal8Bit(run.readAll());
    QFile::remove(config);
    ASSERT_TRUE(finished) << s.name;
    EXPECT_EQ(run.exitCode(), 0) << s.name << ":\n" << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << s.name << ":\n" << output.toStdString();
}

TEST(WindowFit, EveryPartInsideOnEveryScreenAndScale)
{
    const QByteArray trial = qgetenv(TrialVariable);
    if (!trial.isEmpty()) {
        fitOnThisScreen(trial.toStdString());
        return;
    }
    fitOnThisScreen(Screens[0].name);
    for (const TrialScreen& s : Screens)
        if (&s != &Screens[0])
            fitOnScreenOfItsOwn(s);
}

// The program's picture: a blue-grey calculator body on a see-through ground.
TEST(WindowFit, TheWindowShowsTheProgramsIcon)
{
    const QImage icon = MainWindow().windowIcon().pixmap(32, 32).toImage();
    ASSERT_FALSE(icon.isNull());
    const QColor body = icon.pixelColor(5, 25);
    EXPECT_EQ(body.alpha(), 255);
    EXPECT_GT(body.blue(), body.red() + 20);
    EXPECT_EQ(icon.pixelColor(1, 1).alpha(), 0);
}

} // namespace
} // namespace qm::ui
