#pragma once
// Shared by the main-window benchmarks: a window shown at a given interior
// height, and a main that runs the benchmarks on a fixed 1920 x 1080
// offscreen screen (74 rows, whatever the machine).

#include "ui/mainwindow/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QMenuBar>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace qm::bench {

inline std::unique_ptr<qm::ui::MainWindow> shownWindow(int interiorHeight)
{
    auto w = std::make_unique<qm::ui::MainWindow>();
    w->show();
    QCoreApplication::processEvents();
    w->resize(671, interiorHeight + w->menuBar()->height());
    QCoreApplication::processEvents();
    return w;
}

inline int runOnFixedScreen(int argc, char** argv, const char* name)
{
    std::string config;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        config = (QDir::tempPath() + QStringLiteral("/quillmate-bench-%1-screen.json").arg(QString::fromUtf8(name)))
                     .toStdString();
        std::ofstream(config) << R"({"windowFrameMargins": false, "screens": [{"name": "bench",)"
                                 R"( "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                                 R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.c_str());
    }
    {
        QApplication app(argc, argv);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    if (!config.empty())
        std::remove(config.c_str());
    return 0;
}

} // namespace qm::bench
