#pragma once
// A self-drawn list for walking drives and folders and picking a file with
// single taps: drives, the user's folder, "..", the folders, then the files
// whose names contain the pattern. Browsing changes the process's current
// folder, so a bare file name picked here resolves against the folder shown.

#include "core/files/DriveList.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <vector>

namespace qm::ui {

class EzyVerticalScroll;

class DriveControl : public QWidget {
    Q_OBJECT

public:
    explicit DriveControl(QWidget* parent = nullptr);

    // Rebuilds the list for folder PathDir, which becomes the current folder;
    // an empty PathDir means the current folder and is set to it. A folder
    // that cannot be entered leaves the current folder, and the list shows it.
    void GetDir(QString& PathDir);
    void GetDir();
    // Stores the pattern (".Clc", ".*", or empty for every file) and rebuilds
    // the list for the current folder. Returns an empty text.
    QString FileExtention(const QString& Pattern);

    QString FileName() const { return fileName_; }            // last tapped file's bare name
    QString DrivePathFile() const { return drivePathFile_; }  // last tapped entry as a path
    QString SelectPath() const { return selectPath_; }        // last folder opened by a tap
    QString pattern() const { return pattern_; }

    // The rows, 1-based as the user counts them: entry(1) is the top of the list.
    int entryCount() const { return static_cast<int>(entries_.size()); }
    const qm::DriveEntry& entry(int index) const;
    // Index of the entry last tapped; -1 after every rebuild.
    int selectedIndex() const { return selectedIndex_; }
    // Whether the last tap selected a file (rather than opening something).
    bool lastTapSelectedFile() const { return lastTapWasFile_; }
    // The entry shown on the top row.
    int topIndex() const;
    int rowHeight() const { return rowHeight_; }
    int pageSize() const { return pageSize_; }
    // The first row's band (left, top, width, height) for entry `index`, or
    // an empty rectangle when it is not shown.
    QRect rowRect(int index) const;
    EzyVerticalScroll* scrollBar() const { return sFiles; }

signals:
    // Raised after the control's own handling of the same event, with the
    // arguments of ui/controls/KeyCodes.h; X and Y in pixels of the control.
    void DblClick();
    void KeyDown(qint16& KeyCode, qint16& Shift);
    void KeyPress(qint16& KeyAscii);
    void KeyUp(qint16& KeyCode, qint16& Shift);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void rebuild(const QString& pathDir);
    void layoutScrollBar();
    void handleKey(qint16 keyCode, qint16 shift);
    int fullRows() const;
    int entryIndexAt(double y) const;   // 0 when none
    void tap(int index);

    std::vector<qm::DriveEntry> entries_;
    QString pattern_;
    QString drivePathFile_;
    QString fileName_;
    QString selectPath_;
    int selectedIndex_ = -1;
    int pageSize_ = 1;
    int rowHeight_ = 18;
    int hoverIndex_ = 0;     // entry under the pointer, 0 for none
    int pressedIndex_ = 0;   // entry under a held button, 0 for none
    bool lastTapWasFile_ = false;
    bool releaseEndsDoubleClick_ = false;
    int wheelRemainder_ = 0;  // eighths of a degree short of a whole row
    QFont font_;
    EzyVerticalScroll* sFiles = nullptr;
};

} // namespace qm::ui
