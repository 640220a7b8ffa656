#include "ui/mainwindow/TapeView.h"

#include "core/commands/TapeCommands.h"
#include "core/tape/MainWindowDesign.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/mainwindow/DesignFont.h"
#include "ui/mainwindow/TapeLineBox.h"
#include "ui/platform/RegionalSettings.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>

namespace qm::ui {

namespace {

constexpr double RowFontSize = 12;
constexpr double OperatorFontSize = 12;

int rowTop(int row) { return design::FirstRowValueBox.top - TapeView::Top + row * design::FirstRowValueBox.height; }

} // namespace

TapeView::TapeView(TapeEditor& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    setObjectName(QStringLiteral("tapeView"));
    // From the rows' left edge to the keypad, below the total's frame.
    setGeometry(0, Top, design::Keypad[static_cast<std::size_t>(KeypadKey::ClearAll)].rect.left,
                design::InteriorHeight - Top);
    // The rows take the font on as they are made, instead of laying out their
    // text once more for a font of their own.
    setFont(designFont(RowFontSize, false));
    const design::Rect bar = design::TapeScrollBar;
    scrollBar_ = new EzyVerticalScroll(this);
    scrollBar_->setObjectName(QStringLiteral("tapeScrollBar"));
    scrollBar_->setAccessibleName(tr("Tape scroll bar"));
    scrollBar_->setGeometry(bar.left, bar.top - Top, bar.width, bar.height);
    scrollBar_->setBackColor(design::TapeScrollBarBackColor);
    scrollBar_->setValueMax(0);
    scrollBar_->installEventFilter(this);
    connect(scrollBar_, &EzyVerticalScroll::Change, this, [this] {
        if (syncing_)
            return;
        editor_.scrollTo(scrollBar_->value());
        finish();
    });
    // Any key on the bar sends the typing back to the tape.
    connect(scrollBar_, &EzyVerticalScroll::KeyDown, this, [this](qint16&, qint16&) {
        if (TapeLineBox* first = box(0))
            first->setFocus(Qt::OtherFocusReason);
    });
}

void TapeView::setDecimalSeparator(char sep)
{
    for (TapeLineBox* b : boxes_)
        b->setDecimalSeparator(sep);
}

TapeLineBox* TapeView::box(int row) const
{
    return row >= 0 && row < boxes_.size() ? boxes_[row] : nullptr;
}

SuperButton* TapeView::operatorButton(int row) const
{
    return row >= 0 && row < operators_.size() ? operators_[row] : nullptr;
}

void TapeView::makeRow(int row)
{
    const design::Rect entry = design::FirstRowValueBox;
    auto* op = new SuperButton(this);
    op->setObjectName(QStringLiteral("operator%1").arg(row));
    op->setFocusPolicy(Qt::TabFocus);   // a click leaves the typing on the tape
    op->setFontSize(OperatorFontSize);
    op->setGeometry(design::FirstRowOperator.left, rowTop(row) + 1, design::FirstRowOperator.width, design::FirstRowOperator.height);
    op->installEventFilter(this);
    auto cycle = [this, row] {
        editor_.cycleOperator(row);
        finish();
    };
    connect(op, &SuperButton::Click, this, cycle);
    connect(op, &SuperButton::DblClick, this, cycle);   // the second press of a quick pair

    auto* b = new TapeLineBox(row, editor_.settings().regional.decimalSep, this);
    b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    b->setGeometry(entry.left, rowTop(row), design::ShownRowWidth, entry.height);
    b->installEventFilter(this);   // the wheel over a row scrolls the tape
    connect(b, &TapeLineBox::noteRequested, this, [this](int r) { emit noteRequested(editor_.firstLine() + static_cast<long long>(r)); });
    connect(b, &TapeLineBox::focused, this, [this](int r) {
        editor_.focusRow(r);
        finish();
    });
    connect(b, &TapeLineBox::typed, this, [this](char c) {
        editor_.typeCharacter(c);
        finish();
    });
    connect(b, &TapeLineBox::backspacePressed, this, [this] { apply(&TapeEditor::backspace); });
    connect(b, &TapeLineBox::deletePressed, this, [this] { apply(&TapeEditor::deleteForward); });
    connect(b, &TapeLineBox::upPressed, this, [this] { apply(&TapeEditor::moveUp); });
    connect(b, &TapeLineBox::downPressed, this, [this] { apply(&TapeEditor::moveDown); });
    connect(b, &TapeLineBox::pageUpPressed, this, [this] { apply(&TapeEditor::pageUp); });
    connect(b, &TapeLineBox::pageDownPressed, this, [this] { apply(&TapeEditor::pageDown); });
    connect(b, &TapeLineBox::selectAllRequested, this, [this] { apply(&TapeEditor::selectAll); });
    connect(b, &TapeLineBox::cutRequested, this, [this] { apply(&TapeEditor::cutSelection); });
    connect(b, &TapeLineBox::pasteRequested, this, [this](const QString& text) {
        editor_.insertText(toStd(text));
        finish();
    });
    connect(b, &TapeLineBox::caretMoved, this, [this, b, row](int caret, int anchor) {
        if (row != editor_.currentRow())
            return;
        // The box counts UTF-16 units, the session the bytes of its UTF-8 text.
        const QString text = b->text();
        editor_.setCaret(static_cast<int>(text.left(caret).toUtf8().size()),
                         static_cast<int>(text.left(anchor).toUtf8().size()));
    });

    operators_.append(op);
    boxes_.append(b);
    op->show();
    b->show();
    op->raise();
    b->raise();
    drawRow(row);
}

void TapeView::apply(void (TapeEditor::*op)())
{
    (editor_.*op)();
    finish();
}

// After every input: draw what changed and let the window follow.
void TapeView::finish() { emit edited(); }

void TapeView::setShownRows(int lastRow)
{
    lastRow = std::clamp(lastRow, 0, editor_.lastLoadedRow());
    while (boxes_.size() <= lastRow)
        makeRow(static_cast<int>(boxes_.size()));
    for (int j = 0; j < boxes_.size(); ++j) {
        const bool shown = j <= lastRow;
        boxes_[j]->setVisible(shown);
        operators_[j]->setVisible(shown);
    }
    shownRows_ = lastRow + 1;
    editor_.setShownRows(lastRow);
    // Down to the last shown row's lowest part, so that the view never
    // reaches beyond the rows it shows.
    resize(width(), design::Row0Bottom - Top + lastRow * design::RowPitch);

    const int h = design::FirstRowValueBox.height;
    scrollBar_->move(design::FirstRowValueBox.left + design::ShownRowWidth, scrollBar_->y());
    scrollBar_->resize(scrollBar_->width(), h + rowTop(lastRow) - rowTop(0));
    // A press on the track pages by the rows shown, as Page Up and Down do.
    scrollBar_->setValueLargeChange(shownRows_);
    syncScrollBar();
}

void TapeView::syncScrollBar()
{
    syncing_ = true;
    if (scrollBar_->valueMax() != editor_.scrollMax())
        scrollBar_->setValueMax(editor_.scrollMax());
    if (scrollBar_->value() != editor_.firstLine())
        scrollBar_->setValue(editor_.firstLine());
    syncing_ = false;
}

void TapeView::drawRow(int row)
{
    TapeLineBox* b = box(row);
    SuperButton* op = operatorButton(row);
    if (!b || !op)
        return;
    const RowView v = editor_.row(row);
    const QString caption = v.op == BlankOp ? QString() : QString(QChar(v.op));
    if (op->caption() != caption || op->renderColor() != v.opColour)
        op->setCaptionAndRenderColor(caption, v.opColour);
    // Named by the tape line they show, which moves as the tape scrolls.
    const long long line = static_cast<long long>(editor_.firstLine()) + row + 1;
    const QString lineName = tr("Line %1").arg(line);
    if (b->accessibleName() != lineName)
        b->setAccessibleName(lineName);
    const QString operatorName = tr("Operator of line %1").arg(line);
    if (op->accessibleDescription() != operatorName) {
        op->setAccessibleName(operatorName);   // the name while the line has no operator
        op->setAccessibleDescription(operatorName);
    }
    b->showText(toQ(v.text));
    b->setColours(v.textColour, v.background);
    b->setNote(toQ(v.note));
    describeRow(row);
}

void TapeView::describeRow(int row)
{
    TapeLineBox* b = box(row);
    if (!b)
        return;
    // The whole note and the running total after the line, for the pointer
    // and for screen readers.
    const long long line = static_cast<long long>(editor_.firstLine()) + row;
    QString about;
    const std::string& note = editor_.note(line);
    if (!note.empty())
        about = toQ(note) + QLatin1Char('\n');
    const std::string total = editor_.runningTotalText(line);
    if (!total.empty())
        about += tr("Running total: %1").arg(toQ(total));
    if (b->toolTip() != about)
        b->setToolTip(about);
    if (b->accessibleDescription() != about)
        b->setAccessibleDescription(about);
}

void TapeView::drawCurrentCaret()
{
    TapeLineBox* b = box(editor_.currentRow());
    if (!b)
        return;
    const std::string& text = editor_.editText();
    auto units = [&text](int bytes) {
        const auto n = std::min(static_cast<std::size_t>(std::max(bytes, 0)), text.size());
        return static_cast<int>(QString::fromUtf8(text.data(), static_cast<qsizetype>(n)).size());
    };
    b->showCaret(units(editor_.caret()), units(editor_.selectionAnchor()));
}

void TapeView::redraw(const EditorChanges& changes)
{
    if (changes.scroll || changes.allRows)
        syncScrollBar();
    const int shown = std::min<int>(shownRows_, static_cast<int>(boxes_.size()));
    if (changes.allRows) {
        for (int j = 0; j < shown; ++j)
            drawRow(j);
    } else {
        for (long long line : changes.lines) {
            const long long row = line - editor_.firstLine();
            if (row >= 0 && row < shown)
                drawRow(static_cast<int>(row));
        }
        // The line the caret left is among the changed lines; only the
        // current row's text, caret or shading remain to be drawn.
        if (changes.current || changes.memory)
            drawRow(editor_.currentRow());
        // A changed line moves the running totals of every line after it.
        if (changes.total || !changes.lines.empty()) {
            for (int j = 0; j < shown; ++j)
                describeRow(j);
        }
    }
    if (changes.current || changes.allRows) {
        drawCurrentCaret();
        // The keyboard follows the current line while the typing is on the tape.
        if (ownsFocus())
            focusCurrentRow();
    }
}

void TapeView::focusCurrentRow()
{
    TapeLineBox* b = box(editor_.currentRow());
    if (b && !b->hasFocus())
        b->setFocus(Qt::OtherFocusReason);
}

bool TapeView::ownsFocus() const
{
    const QWidget* f = focusWidget();
    return f && isAncestorOf(f);
}

// A digit, separator or operator typed on a focused operator button goes to
// the tape; Space and Enter still press the button.
bool TapeView::eventFilter(QObject* watched, QEvent* event)
{
    const bool ownPart = watched == scrollBar_ || qobject_cast<TapeLineBox*>(watched);
    if (event->type() == QEvent::Wheel && ownPart) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    if (event->type() != QEvent::KeyPress || ownPart)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
        || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return QWidget::eventFilter(watched, event);
    focusCurrentRow();
    // Any box passes the key on to the line being edited, shown or not.
    TapeLineBox* b = box(editor_.currentRow());
    if (!b)
        b = box(0);
    if (b)
        QCoreApplication::sendEvent(b, event);
    return true;
}

void TapeView::wheelEvent(QWheelEvent* event)
{
    const int lines = wheel_.lines(event->angleDelta().y());
    if (lines != 0) {
        editor_.scrollBy(-lines);
        finish();
    }
    event->accept();
}

} // namespace qm::ui
