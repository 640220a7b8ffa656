#include "ui/controls/ControlsAccessible.h"

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"

#include <QAccessibleWidget>
#include <QCoreApplication>

namespace qm::ui {

namespace {

class SuperButtonAccessible : public QAccessibleWidget {
public:
    explicit SuperButtonAccessible(SuperButton* b) : QAccessibleWidget(b, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        const SuperButton* b = button();
        switch (t) {
        case QAccessible::Name:
            // A button without a caption (an unused function button, an empty
            // operator) still says what it is.
            return b->caption().isEmpty() ? b->accessibleName() : b->caption();
        case QAccessible::Description:
            return b->accessibleDescription().isEmpty() ? b->toolTip() : b->accessibleDescription();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    SuperButton* button() const { return static_cast<SuperButton*>(widget()); }
};

class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ScrollBarAccessible(EzyVerticalScroll* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QVariant currentValue() const override { return bar()->value(); }
    void setCurrentValue(const QVariant& value) override { bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return bar()->valueMax(); }
    QVariant minimumValue() const override { return bar()->valueMin(); }
    QVariant minimumStepSize() const override { return bar()->valueSmallChange(); }

private:
    EzyVerticalScroll* bar() const { return static_cast<EzyVerticalScroll*>(widget()); }
};

QAccessibleInterface* controlsFactory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String(SuperButton::staticMetaObject.className()))
        return new SuperButtonAccessible(static_cast<SuperButton*>(object));
    if (className == QLatin1String(EzyVerticalScroll::staticMetaObject.className()))
        return new ScrollBarAccessible(static_cast<EzyVerticalScroll*>(object));
    return nullptr;
}

} // namespace

void installControlsAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlsFactory);
        return true;
    }();
    (void)installed;
}

} // namespace qm::ui

namespace {

// Before any window exists, so that no control is ever described generically.
void installAtStartup() { qm::ui::installControlsAccessibility(); }

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installAtStartup)
