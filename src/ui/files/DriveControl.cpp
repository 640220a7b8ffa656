#include "ui/files/DriveControl.h"

#include "core/controls/ControlMath.h"
#include "ui/platform/FilePath.h"

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/KeyCodes.h"
#include "ui/controls/SuperButton.h"
#include "ui/controls/PixelImage.h"
#include "ui/files/DriveIcons.h"
#include "ui/platform/Drives.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace qm::ui {

namespace {

const QColor HoverBand = toQColor(0xFFEDED);    // 0x00BBGGRR: pale blue
const QColor PressedBand = toQColor(0x0000FF);  // red

} // namespace

DriveControl::DriveControl(QWidget* parent) : QWidget(parent)
{
    font_ = QFont(SuperButton::captionFontFamily());   // Arial, or its metric twin
    font_.setPixelSize(15);
    setFont(font_);
    rowHeight_ = std::max(QFontMetrics(font_).height(), DriveIconSize + 2);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);

    sFiles = new EzyVerticalScroll(this);
    sFiles->setObjectName(QStringLiteral("sFiles"));
    sFiles->hide();
    connect(sFiles, &EzyVerticalScroll::Change, this, [this] { update(); });
    connect(sFiles, &EzyVerticalScroll::KeyDown, this, [this](qint16& code, qint16&) { scrollByKey(code); });
    sFiles->installEventFilter(this);   // the wheel over the bar scrolls the list

    showFolder();
}

const qm::DriveEntry& DriveControl::entry(int index) const
{
    static const qm::DriveEntry none;
    if (index < 1 || index > entryCount())
        return none;
    return entries_[static_cast<std::size_t>(index - 1)];
}

void DriveControl::showFolder(const QString& folder)
{
    if (!folder.isEmpty())
        setCurrentFolder(folder);   // a folder that cannot be entered is skipped
    rebuild(currentFolder());
}

void DriveControl::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    showFolder();
}

void DriveControl::rebuild(const QString& folder)
{
    qm::ListingInput in;
    in.style = nativePathStyle();
    in.drives = listDrives();
    // The listing keeps names as the file system's bytes.
    in.userFolder = fileNameToBytes(userFolder());
    in.currentFolder = fileNameToBytes(folder);
    in.items = listFolderItems(folder);
    in.pattern = pattern_.toStdString();
    entries_ = qm::buildListing(in);

    selectedIndex_ = -1;
    hoverIndex_ = 0;
    pressedIndex_ = 0;
    layoutScrollBar();
    update();
}

int DriveControl::fullRows() const
{
    return std::max(1, height() / std::max(1, rowHeight_));
}

int DriveControl::topIndex() const
{
    return qm::clampTopIndex(sFiles->value(), entryCount(), fullRows());
}

void DriveControl::layoutScrollBar()
{
    const int barWidth = std::max(twipsToPixels(450, logicalDpiX()), 20);
    sFiles->setGeometry(width() - barWidth, 0, barWidth, height());

    const qm::ScrollLayout s = qm::scrollLayout(entryCount(), fullRows());
    pageSize_ = s.pageSize;
    sFiles->setValueMin(s.valueMin);
    sFiles->setValueLargeChange(s.largeChange);
    sFiles->setValueMax(s.valueMax);
    sFiles->setValue(s.value);
    sFiles->setVisible(s.visible);
}

QRect DriveControl::rowRect(int index) const
{
    const int top = topIndex();
    if (index < top || index > entryCount())
        return {};
    const int row = index - top;
    const int y = row * rowHeight_;
    if (y >= height())
        return {};
    const int left = twipsToPixels(500, logicalDpiX());
    const int right = width() - twipsToPixels(60, logicalDpiX());
    return QRect(left, y, std::max(0, right - left), rowHeight_);
}

void DriveControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    p.setFont(font_);
    const QFontMetrics fm(font_);
    const int top = topIndex();
    const int textLeft = twipsToPixels(500, logicalDpiX());
    for (int index = top; index <= entryCount(); ++index) {
        const QRect band = rowRect(index);
        if (band.isNull())
            break;
        if (index == pressedIndex_)
            p.fillRect(band, PressedBand);
        else if (index == hoverIndex_)
            p.fillRect(band, HoverBand);
        const qm::DriveEntry& e = entry(index);
        const QImage icon = driveIcon(qm::entryIcon(e.kind));
        const int iconX = textLeft - DriveIconSize - 6;
        p.drawImage(QPoint(iconX, band.top() + (rowHeight_ - DriveIconSize) / 2), icon);
        p.setPen(toQColor(qm::entryColour(e.kind)));
        const int baseline = band.top() + (rowHeight_ - fm.height()) / 2 + fm.ascent();
        p.drawText(QPoint(textLeft, baseline), displayFileName(fileNameFromBytes(e.text)));
    }
}

void DriveControl::resizeEvent(QResizeEvent*)
{
    layoutScrollBar();
}

int DriveControl::entryIndexAt(double y) const
{
    return qm::entryAt(y, rowHeight_, topIndex(), entryCount()).value_or(0);
}

void DriveControl::mouseMoveEvent(QMouseEvent* event)
{
    const int index = entryIndexAt(event->position().y());
    if (index != hoverIndex_) {
        hoverIndex_ = index;
        update();
    }
}

void DriveControl::leaveEvent(QEvent*)
{
    if (hoverIndex_ != 0) {
        hoverIndex_ = 0;
        update();
    }
}

void DriveControl::mousePressEvent(QMouseEvent* event)
{
    releaseEndsDoubleClick_ = false;
    pressedIndex_ = entryIndexAt(event->position().y());
    hoverIndex_ = 0;
    update();
}

void DriveControl::mouseDoubleClickEvent(QMouseEvent*)
{
    // The press of a double click already tapped once; its release must not
    // tap again on whatever the rebuilt list now shows under the pointer.
    releaseEndsDoubleClick_ = true;
    emit doubleTapped();
}

void DriveControl::mouseReleaseEvent(QMouseEvent* event)
{
    pressedIndex_ = 0;
    update();
    if (releaseEndsDoubleClick_) {
        releaseEndsDoubleClick_ = false;
        return;
    }
    const QPointF pos = event->position();
    if (!rect().contains(pos.toPoint()))
        return;
    const int index = entryIndexAt(pos.y());
    if (index == 0)
        return;   // below the last entry: nothing happens
    tap(index);
    emit tapped();
}

void DriveControl::tap(int index)
{
    const qm::DriveEntry tapped = entry(index);
    const qm::TapResult r = qm::resolveTap(tapped, fileNameToBytes(currentFolder()), nativePathStyle());
    drivePathFile_ = fileNameFromBytes(r.drivePathFile);
    selectedIndex_ = index;
    lastTapWasFile_ = r.fileName.has_value();
    if (r.fileName)
        fileName_ = fileNameFromBytes(*r.fileName);
    if (r.selectPath)
        selectPath_ = fileNameFromBytes(*r.selectPath);
    if (r.openFolder) {
        showFolder(fileNameFromBytes(*r.openFolder));
    }
    hoverIndex_ = 0;
    update();
}

void DriveControl::scrollByKey(qint16 virtualKey)
{
    // When every entry fits the bar is hidden and the list does not move.
    if (!sFiles->isVisibleTo(this))
        return;
    switch (virtualKey) {
    case VirtualKey::PageUp: sFiles->setValue(sFiles->value() - pageSize_); break;
    case VirtualKey::PageDown: sFiles->setValue(sFiles->value() + pageSize_); break;
    case VirtualKey::Up: sFiles->setValue(sFiles->value() - 1); break;
    case VirtualKey::Down: sFiles->setValue(sFiles->value() + 1); break;
    default: break;
    }
}

void DriveControl::keyPressEvent(QKeyEvent* event)
{
    scrollByKey(virtualKeyCode(*event));
}

bool DriveControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sFiles && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Three rows per notch (120 eighths of a degree); the small steps of a
// high-resolution wheel add up to whole rows.
void DriveControl::wheelEvent(QWheelEvent* event)
{
    const int rows = wheel_.lines(event->angleDelta().y());
    if (rows != 0 && sFiles->isVisibleTo(this))
        sFiles->setValue(sFiles->value() - rows);
    event->accept();
}

} // namespace qm::ui
