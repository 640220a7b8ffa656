#include "ui/tape/RunMainWindow.h"

#include "ui/tape/RollingCaculator.h"

#include <QApplication>

namespace qm::ui {

int runMainWindow(QApplication& app, const QString& argument)
{
    Rolling_Caculator window(argument);
    window.show();
    return app.exec();
}

} // namespace qm::ui
