// Input reaching the tape through the window: typing, keys, buttons, menus and
// Undo, as steps of tests/data/ui_window_script.tsv run on fresh windows.
// The editing rules themselves are tested in core.

#include "ui/UiTestSupport.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMenu>

namespace qm::ui {
namespace {

using namespace test;

// Two quick taps as the window system delivers them: press, release, then
// a double click in place of the second press, and its release.
void quickPair(QWidget* target)
{
    const QPointF at(10, 10);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
}

QString hex(quint32 colour) { return QStringLiteral("%1").arg(colour, 6, 16, QLatin1Char('0')).toUpper(); }
QString yesNo(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

// What an expectation step reads from the window.
QString got(MainWindow& w, const std::string& what, const QString& a)
{
    const int n = a.toInt();
    const auto number = [](long long v) { return QString::number(v); };
    if (what == "line") return QString::fromStdString(lineText(w, static_cast<std::size_t>(n)));
    if (what == "op") return QString(QChar(w.editor().tape().TapeOp.at(static_cast<std::size_t>(n))));
    if (what == "row") return row(w, n)->text();
    if (what == "total") return total(w);
    if (what == "clipboard") return QApplication::clipboard()->text();
    if (what == "focused") {
        auto* box = qobject_cast<TapeLineBox*>(QApplication::focusWidget());
        return number(box && w.isAncestorOf(box) ? box->row() : -1);
    }
    if (what == "caption") return part<SuperButton>(w, a)->caption();
    if (what == "colour") return hex(part<SuperButton>(w, a)->renderColor());
    if (what == "shade") return hex(w.editor().row(n).background) + " " + row(w, n)->palette().color(QPalette::Base).name();
    if (what == "textcolour") return row(w, n)->palette().color(QPalette::Text).name();
    if (what == "totalcolour") return hex(totalBox(w)->foreColor());
    if (what == "totalfocused") return yesNo(w.editor().totalFocused());
    if (what == "accname" || what == "accdesc")
        return QAccessible::queryAccessibleInterface(part<QWidget>(w, a))->text(what == "accname" ? QAccessible::Name : QAccessible::Description);
    if (what == "lastrow") return number(w.editor().lastRow());
    if (what == "barsize") {
        auto* bar = part<EzyVerticalScroll>(w, "tapeScrollBar");
        return number(bar->height()) + " " + number(bar->valueLargeChange());
    }
    if (what == "place") {
        const QPoint p = part<QWidget>(w, a)->mapTo(w.centralWidget(), QPoint(0, 0));
        return number(p.x()) + "," + number(p.y());
    }
    if (what == "shows") {
        const auto* shown = w.findChild<QWidget*>(a);
        return yesNo(shown && shown->isVisible());
    }
    if (what == "label") return part<QLabel>(w, a)->text();
    if (what == "cursor") return number(row(w, n)->cursorPosition());
    if (what == "selection") return number(w.editor().caret()) + " " + number(w.editor().selectionAnchor());
    if (what == "first") return number(w.editor().firstLine());
    if (what == "current") return number(w.editor().currentLine());
    if (what == "bar") return number(part<EzyVerticalScroll>(w, "tapeScrollBar")->value());
    if (what == "size") return number(static_cast<long long>(w.editor().tape().size()));
    if (what == "scrollmax") return number(w.editor().scrollMax());
    if (what == "places") return number(w.editor().settings().DecimalPlaces);
    if (what == "enabled") return yesNo(menuItem(w, a)->isEnabled());
    if (what == "checked") return yesNo(menuItem(w, a)->isChecked());
    if (what == "keys") return QKeySequence::listToString(menuItem(w, a)->shortcuts());
    if (what == "menubar") return w.menuBar()->actions().value(n)->text();
    if (what == "popup") {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QString title = menu ? menu->title() : QStringLiteral("none");
        if (menu)
            menu->close();
        return title;
    }
    ADD_FAILURE() << "unknown step " << what;
    return {};
}

TEST(WindowScript, InputFromKeysButtonsAndMenusReachesTheTape)
{
    std::unique_ptr<MainWindow> w;
    MessageAnswerer boxes;
    QStringList menuItems;
    for (const auto& step : qm::test::caseFile("ui_window_script.tsv", 0)) {
        SCOPED_TRACE(step.where);
        const std::string& verb = step[0];
        const QString a = step.fields.size() > 1 ? QString::fromStdString(step[1]) : QString();
        if (verb == "window") {
            w.reset();
            w = editingWindow();
        } else if (verb == "type") {
            typeText(step[1]);
        } else if (verb == "key") {
            const QKeyCombination k = QKeySequence::fromString(a, QKeySequence::PortableText)[0];
            const bool plain = !(k.keyboardModifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
            pressKey(k.key(), plain && k.key() < 0x7F ? QString(QChar(k.key())) : QString(), k.keyboardModifiers());
        } else if (verb == "click") {
            click(part<QWidget>(*w, a));
        } else if (verb == "context") {   // the part's own menu, choosing the item captioned so
            QWidget* target = part<QWidget>(*w, a);
            QTimer::singleShot(0, [&menuItems, item = QString::fromStdString(step[2])] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                ASSERT_NE(menu, nullptr);
                menuItems.clear();
                for (QAction* x : menu->actions())
                    if (!x->isSeparator())
                        menuItems << x->text();
                for (QAction* x : menu->actions())
                    if (x->text() == item)
                        x->trigger();
                menu->close();
            });
            QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(target, &e);
        } else if (verb == "quick") {
            quickPair(part<QWidget>(*w, a));
        } else if (verb == "press") {   // a click at x, y (y < 0: from the bottom)
            QWidget* target = part<QWidget>(*w, a);
            const int y = step.number(3);
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(step.number(2), y < 0 ? target->height() + y : y));
        } else if (verb == "wheel") {
            turnWheel(part<QWidget>(*w, a), step.number(2), step.number(3));
        } else if (verb == "menu") {
            menuItem(*w, a)->trigger();
        } else if (verb == "clip") {
            QApplication::clipboard()->setText(a);
        } else if (verb == "clipcount") {   // 1, 2, ... n, a line each
            QStringList lines;
            for (int i = 1; i <= a.toInt(); ++i)
                lines << QString::number(i);
            QApplication::clipboard()->setText(lines.join(QStringLiteral("\r\n")));
        } else if (verb == "focus") {
            QWidget* target = part<QWidget>(*w, a);
            target->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            ASSERT_TRUE(target->hasFocus());
        } else if (verb == "totaltext") {
            totalBox(*w)->setText(a);
        } else if (verb == "unlock") {   // as during a game
            totalBox(*w)->setReadOnly(false);
        } else if (verb == "scroll") {
            part<EzyVerticalScroll>(*w, "tapeScrollBar")->setValue(a.toInt());
        } else if (verb == "interior") {   // from 30 pixels higher, as a user drags the edge
            for (int extra : {30, 0})
                w->resize(671, a.toInt() + extra + w->menuBar()->height());
            QCoreApplication::processEvents();
            ASSERT_EQ(w->centralWidget()->height(), a.toInt());
        } else if (verb == "setcursor") {
            row(*w, 0)->setCursorPosition(a.toInt());
        } else if (verb == "tape") {   // lines as written, then empty ones up to the given size
            Tape t = qm::test::tapeOfLines(step[1]);
            if (step.fields.size() > 2)
                t.resize(static_cast<std::size_t>(step.number(2)));
            setTape(*w, t);
        } else if (verb == "count") {   // 1, 2, ... n
            Tape t;
            t.resize(static_cast<std::size_t>(a.toInt()));
            for (std::size_t i = 0; i < t.size(); ++i)
                t.TapeValue[i] = dec(std::to_string(i + 1));
            setTape(*w, t);
        } else {
            ASSERT_EQ(step.fields.size(), 3u);
            const QString want = QString::fromStdString(step[2])
                                     .replace("{version}", QLatin1String(ProgramVersion))
                                     .replace("{qt}", QLatin1String(qVersion()));
            const QString is = verb == "menuitems" ? menuItems.join(' ')
                             : verb == "message"   ? QString::number(boxes.seen) + " " + boxes.title + ": " + boxes.text
                                                   : got(*w, verb, a);
            QStringList parts = want.split(QLatin1Char('*'));
            for (QString& p : parts)
                p = QRegularExpression::escape(p);
            const QRegularExpression pattern(QRegularExpression::anchoredPattern(parts.join(".*")),
                                             QRegularExpression::DotMatchesEverythingOption);
            EXPECT_TRUE(pattern.match(is).hasMatch()) << is.toStdString() << "\n  is not " << want.toStdString();
        }
    }
}

} // namespace
} // namespace qm::ui
