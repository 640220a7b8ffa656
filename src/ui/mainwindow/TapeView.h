#pragma once
// The tape on screen: a column of rows (operator button and text box) and the
// scroll bar beside them. It draws from the editing session and forwards every
// input of its rows, buttons and bar to it; it keeps no tape data.
//
// Row widgets are made when a row is first shown, so a small window does not
// pay for the rows a maximized one would need.

#include "core/controls/ControlMath.h"
#include "core/editing/TapeEditor.h"

#include <QVector>
#include <QWidget>

namespace qm::ui {

class EzyVerticalScroll;
class SuperButton;
class TapeLineBox;

class TapeView : public QWidget {
    Q_OBJECT
public:
    // Top of the view in the window's interior: the rows and the bar start here.
    static constexpr int Top = 72;

    TapeView(TapeEditor& editor, QWidget* parent);

    // Shows rows 0..lastRow and sizes the bar to span them (the layout's rule).
    void setShownRows(int lastRow);
    int shownRows() const { return shownRows_; }
    // Redraws what the session reports as changed.
    void redraw(const EditorChanges& changes);
    // Gives the keyboard focus to the current row's box.
    void focusCurrentRow();
    bool ownsFocus() const;
    void setDecimalSeparator(char sep);

    TapeLineBox* box(int row) const;
    SuperButton* operatorButton(int row) const;
    EzyVerticalScroll* scrollBar() const { return scrollBar_; }

signals:
    // The session changed through an input of this view.
    void edited();
    // "Note..." was chosen on the row showing tape line `line`.
    void noteRequested(long long line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void makeRow(int row);
    void drawRow(int row);
    void describeRow(int row);   // tooltip and accessible description
    void drawCurrentCaret();
    void syncScrollBar();
    void apply(void (TapeEditor::*op)());
    void finish();

    TapeEditor& editor_;
    QVector<TapeLineBox*> boxes_;
    QVector<SuperButton*> operators_;
    EzyVerticalScroll* scrollBar_ = nullptr;
    int shownRows_ = 0;
    bool syncing_ = false;
    WheelSteps wheel_;
};

} // namespace qm::ui
