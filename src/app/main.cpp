#include "BatchMode.h"
#include "CommandLine.h"

#include "core/Version.h"
#include "ui/mainwindow/RunMainWindow.h"
#include "ui/platform/FontConfigurationPreload.h"
#include "ui/platform/FilePath.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

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
    QCoreApplication::setApplicationVersion(QString::fromLatin1(qm::ProgramVersion));
}

// The main window with the command line's one optional argument. Qt takes
// its own options (-platform, -style, ...) out of argv itself.
int runWindow(int argc, char** argv, const qm::app::CommandLine& commandLine)
{
    qm::ui::FontConfigurationPreload fontConfiguration;
    QApplication app(argc, argv);
    nameProgram();
    fontConfiguration.wait();
    // The argument keeps its bytes: a file name that is not UTF-8 still opens.
    return qm::ui::runMainWindow(app, qm::ui::fileNameFromBytes(commandLine.argument));
}

} // namespace

int main(int argc, char** argv)
{
    // The arguments as the system gives them: a file name's bytes are kept,
    // whatever their encoding.
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const qm::app::CommandLine commandLine = qm::app::parseCommandLine(arguments);
    if (commandLine.mode == qm::app::Mode::Window)
        return runWindow(argc, argv, commandLine);

    // Checked before any Qt object exists: a wrong command line opens no
    // window and creates no file.
    const bool textOnly = commandLine.mode == qm::app::Mode::UsageError
        || commandLine.mode == qm::app::Mode::Help || commandLine.mode == qm::app::Mode::Version;

    // Batch modes print a result and need no display. Printing needs fonts
    // and the printer system, which come with a GUI application; the
    // offscreen platform gives them without a display.
    std::unique_ptr<QCoreApplication> app;
    if (textOnly) {
        // nothing: the text needs no Qt at all
    } else if (qm::app::needsGuiApplication(commandLine)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtNotices);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    if (app)
        nameProgram();
    const int code = qm::app::runBatch(commandLine, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
