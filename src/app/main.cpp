#include "BatchMode.h"

#include "ui/mainwindow/RunMainWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// A batch mode says what went wrong in one line of its own; Qt's notices on
// the way (such as a missing runtime folder of the offscreen platform) would
// only bury it.
void quietQtNotices(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toLocal8Bit().constData() << '\n';
}

void nameProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("quillmate"));
    QCoreApplication::setApplicationVersion(QStringLiteral("8.1"));
}

// The main window with the command line's one optional argument.
int runWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    nameProgram();
    // Qt has taken its own options (-platform, -style, ...) out by now.
    const qm::app::CommandLine commandLine = qm::app::parseCommandLine(app.arguments());
    return qm::ui::runMainWindow(app, commandLine.argument);
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList arguments = argumentsOf(argc, argv);
    if (!qm::app::isBatchCommandLine(arguments))
        return runWindow(argc, argv);

    // Batch modes print a result and need no display. Printing needs fonts
    // and the printer system, which come with a GUI application; the
    // offscreen platform gives them without a display.
    std::unique_ptr<QCoreApplication> app;
    if (qm::app::needsGuiApplication(qm::app::parseCommandLine(arguments))) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtNotices);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    nameProgram();
    const qm::app::CommandLine commandLine = qm::app::parseCommandLine(QCoreApplication::arguments());
    const int code = qm::app::runBatch(commandLine, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
