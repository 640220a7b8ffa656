#include "BatchMode.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>

#include <iostream>

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// The window, for now a placeholder titled with the path argument, if any.
int runWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Qt has taken its own options (-platform, -style, ...) out by now.
    const qm::app::CommandLine commandLine = qm::app::parseCommandLine(app.arguments());
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Quillmate 8.1") + commandLine.argument);
    w.resize(671, 466);
    w.show();
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (!qm::app::isBatchCommandLine(argumentsOf(argc, argv)))
        return runWindow(argc, argv);

    // Batch modes print a result and need no display.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillmate"));
    QCoreApplication::setApplicationVersion(QStringLiteral("8.1"));
    const qm::app::CommandLine commandLine = qm::app::parseCommandLine(QCoreApplication::arguments());
    const int code = qm::app::runBatch(commandLine, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
