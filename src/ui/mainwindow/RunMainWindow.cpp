#include "ui/mainwindow/RunMainWindow.h"

#include "ui/mainwindow/MainWindow.h"
#include "ui/platform/Translations.h"

#include <QApplication>

namespace qm::ui {

int runMainWindow(QApplication& app, const QString& argument)
{
    installTranslations(app);
    MainWindow window(argument);
    window.show();
    return app.exec();
}

} // namespace qm::ui
