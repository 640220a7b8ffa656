#include "ui/mainwindow/RunMainWindow.h"

#include "ui/mainwindow/MainWindow.h"
#include "ui/platform/DeferredIconStyle.h"
#include "ui/platform/TerminationSignals.h"
#include "ui/platform/Translations.h"

#include <QApplication>

namespace qm::ui {

int runMainWindow(QApplication& app, const QString& argument)
{
    installTranslations(app);
    QApplication::setStyle(new DeferredIconStyle);
    MainWindow window(argument);
    // A termination signal closes as the window's close button does; any
    // dialog open at that moment is closed with it.
    TerminationSignals termination([&window] {
        window.close();
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
    window.show();
    return app.exec();
}

} // namespace qm::ui
