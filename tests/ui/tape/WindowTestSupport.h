#pragma once
// Shared by the main window's widget tests: a fixed offscreen screen, so that
// row counts and sizes do not depend on the machine, and a window made for one
// test.

#include <QApplication>
#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

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
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (!config.empty())
        std::remove(config.c_str());
    return result;
}

} // namespace qm::ui::test
