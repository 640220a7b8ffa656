#pragma once
// A self-drawn list for walking drives and folders and picking a file with
// single taps: drives, the user's folder, "..", the folders, then the files
// whose names contain the pattern. Browsing changes the process's current
// folder, so a bare file name picked here resolves against the folder shown.

#include "core/controls/ControlMath.h"
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

    // Rebuilds the list for `folder`, which becomes the current folder; an
    // empty one means the current folder. A folder that cannot be entered
    // leaves the current folder, and the list shows it.
    void showFolder(const QString& folder = QString());
    // Stores the pattern (".Clc", ".*", or empty for every file) and rebuilds
    // the list for the current folder.
    void setPattern(const QString& pattern);

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
    // After the list's own handling: a release on an entry, a double click.
    void tapped();
    void doubleTapped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void rebuild(const QString& pathDir);
    void layoutScrollBar();
    void scrollByKey(qint16 virtualKey);
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
    WheelSteps wheel_;
    QFont font_;
    EzyVerticalScroll* sFiles = nullptr;
};

} // namespace qm::ui
