#include "ui/mainwindow/AboutText.h"

#include "core/Version.h"

#include <QCoreApplication>

namespace qm::ui {

QString programVersion() { return QString::fromLatin1(ProgramVersion); }

QString aboutText()
{
    const QString what = QCoreApplication::translate(
        "AboutText", "An adding-machine calculator with a rolling tape: every line can be corrected "
                     "at any time, and the grand total follows at once.");
    const QString licence =
        QCoreApplication::translate("AboutText", "Free software under the MIT licence (Expat).");
    const QString qt = QCoreApplication::translate("AboutText", "Qt version %1 (built with %2).")
                           .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
    return QStringLiteral("<h3>Quillmate %1</h3><p>%2</p><p>%3</p><p>%4</p>")
        .arg(programVersion().toHtmlEscaped(), what.toHtmlEscaped(), licence.toHtmlEscaped(),
             qt.toHtmlEscaped());
}

} // namespace qm::ui
