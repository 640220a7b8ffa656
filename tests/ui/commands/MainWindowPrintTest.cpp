// "Print Calculation..." of the main window where no printer can be reached:
// the user is told, and the tape and its total stay as they were.

#include "ui/tape/RollingCaculator.h"

#include "ui/commands/PrintTape.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace qm::ui {
namespace {

TEST(MainWindowPrint, MissingPrinterIsReportedAndChangesNothing)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is set up here; the command would really print";

    Rolling_Caculator w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.tape.TapeValue[0] = Value(Decimal::fromInt(12));
    w.tape.TapeOp[1] = 'x';
    w.tape.TapeValue[1] = Value(Decimal::fromInt(3));
    w.MailCalc();
    ASSERT_EQ(w.TotalAmount->text(), QStringLiteral("36"));

    QStringList seen;
    QString title;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, &closer, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(top);
            if (box && box->isVisible()) {
                seen << box->text();
                title = box->windowTitle();
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    closer.start();
    w.PrintCalc->trigger();   // the menu item, as the user chooses it
    closer.stop();

    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen.front(), printFailureText(QStringLiteral("no default printer is set up.")));
    EXPECT_EQ(title, w.windowTitle());
    EXPECT_EQ(w.TotalAmount->text(), QStringLiteral("36"));
    EXPECT_EQ(w.tape.TapeOp[1], 'x');
    EXPECT_TRUE(w.isVisible());
}

} // namespace
} // namespace qm::ui
