// The function buttons, which turn the current line into a function line
// such as Sin(30) (button 23 opens the editor of the user-defined ones), the
// memory buttons and the pi button.

#include "ui/tape/RollingCaculator.h"

#include "core/editing/EntryEditing.h"
#include "ui/controls/SuperButton.h"
#include "ui/input/EFbutton.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"

#include <QEvent>
#include <QLabel>

namespace qm::ui {

namespace {

constexpr int EditIndex = 23;
constexpr int MemoryPlus = 0;
constexpr int MemoryRecall = 1;
constexpr int MemoryTotal = 2;

// Reports a memory button losing the focus to the window. While the window
// is being destroyed it is no longer a Rolling_Caculator: nothing is reported.
class MemoryFocusWatch final : public QObject {
public:
    explicit MemoryFocusWatch(Rolling_Caculator& window) : QObject(&window)
    {
        setObjectName(QStringLiteral("MemoryFocusWatch"));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusOut)
            return false;
        if (auto* window = qobject_cast<Rolling_Caculator*>(parent())) {
            const int index = window->MemoryRc.indexOf(qobject_cast<SuperButton*>(watched));
            if (index >= 0)
                window->MemoryRc_LostFocus(index);
        }
        return false;
    }
};

// The editor window if it is open (a closed one deletes itself).
EFbutton* openEditor(Rolling_Caculator& window)
{
    const QList<EFbutton*> editors = window.findChildren<EFbutton*>(QString(), Qt::FindDirectChildrenOnly);
    for (EFbutton* e : editors)
        if (e->isVisible())
            return e;
    return nullptr;
}

} // namespace

void Rolling_Caculator::Stific_Click(int Index)
{
    if (Index == EditIndex) {
        EFbutton* editor = openEditor(*this);
        if (editor) {
            editor->loadButtons(functionButtons);
        } else {
            editor = new EFbutton(functionButtons, this);
            connect(editor, &EFbutton::used, this, [this](const FunctionButtons& buttons) {
                functionButtons = buttons;
                applyFunctionButtons();
            });
        }
        editor->show();
        editor->raise();
        editor->activateWindow();
        return;
    }
    if (Index < 0 || Index >= FunctionButtonCount || CurrentRow < 0 || CurrentRow >= CalAmount.size())
        return;
    EntryBox* box = CalAmount[CurrentRow];
    const std::string s = functionLineText(functionButtons[static_cast<std::size_t>(Index)].Caption,
                                           toStd(box->text()), DecimalSep());
    if (Value* stored = lineValue(lineOfRow(CurrentRow)))
        *stored = Value(s);
    box->setText(toQ(s));
    box->setCursorPosition(static_cast<int>(box->text().size()) - 1);   // before ")"
    box->setFocus(Qt::OtherFocusReason);
    MailCalc();
}

void Rolling_Caculator::MemoryRc_Click(int Index)
{
    // The shading M+ gives the grand total goes when the button loses the focus.
    if (!findChild<QObject*>(QStringLiteral("MemoryFocusWatch"), Qt::FindDirectChildrenOnly)) {
        auto* watch = new MemoryFocusWatch(*this);
        for (SuperButton* b : MemoryRc)
            b->installEventFilter(watch);
    }

    const Regional& regional = settings.regional;
    const bool onLine = CurrentRow >= 0 && CurrentRow < CalAmount.size();
    Value* stored = onLine ? lineValue(lineOfRow(CurrentRow)) : nullptr;

    if (Index == MemoryPlus) {
        if (TotalFocused != 0) {
            TotalAmount->setBackColor(EntryBackMemory);
            if (std::optional<Value> v = totalMemoryValue(toStd(TotalAmount->text()), regional))
                MemoryValue = std::move(*v);
        } else {
            if (stored)
                MemoryValue = *stored;
            if (onLine)
                CalAmount[CurrentRow]->setBackColor(EntryBackMemory);
        }
        M_Buff->setText(toQ(memoryText(MemoryValue, DecimalPlaces(), regional)));
    } else if (Index == MemoryRecall) {
        if (stored)
            *stored = MemoryValue;
        if (onLine)
            CalAmount[CurrentRow]->setText(toQ(memoryText(MemoryValue, DecimalPlaces(), regional)));
        MailCalc();
    } else if (Index == MemoryTotal) {
        if (Result<Decimal> d = parseRegional(toStd(TotalAmount->text()), regional))
            MemoryValue = Value(*d);
        M_Buff->setText(toQ(plainText(MemoryValue, regional.decimalSep)));
    }
}

void Rolling_Caculator::MemoryRc_LostFocus(int)
{
    TotalAmount->setBackColor(EntryBackPlain);
}

void Rolling_Caculator::PieValue_Click()
{
    if (CurrentRow < 0 || CurrentRow >= CalAmount.size())
        return;
    const double pi = piValue();
    if (Value* stored = lineValue(lineOfRow(CurrentRow)))
        *stored = Value(pi);
    CalAmount[CurrentRow]->setText(toQ(doubleText(pi, DecimalSep())));
    MailCalc();
}

} // namespace qm::ui
