// An empty main window started the way the program starts its own, at the
// same size: the yardstick for the program's start-up time and memory
// (bench/startup.sh).

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty window"));
    window.menuBar()->addMenu(QStringLiteral("Options"));
    window.resize(671, 485);
    window.show();
    return app.exec();
}
