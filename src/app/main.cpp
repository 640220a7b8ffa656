#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Quillmate 8.1"));
    w.resize(671, 466);
    w.show();
    return app.exec();
}
