// Starts the main window the way the program does, for the end-to-end tests
// and the start-up measurement.

#include "ui/mainwindow/RunMainWindow.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    return qm::ui::runMainWindow(app, args.size() > 1 ? args.at(1) : QString());
}
