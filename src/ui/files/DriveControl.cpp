#include "ui/files/DriveControl.h"

#include "ui/platform/FilePath.h"

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/KeyCodes.h"
#include "ui/controls/SuperButton.h"
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

// Virtual-key codes of the keys that scroll the list.
constexpr qint16 KeyCodePageUp = 33;
constexpr qint16 KeyCodePageDown = 34;
constexpr qint16 KeyCodeUp = 38;
constexpr qint16 KeyCodeDown = 40;

QColor fromBgr(std::uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

const QColor HoverBand = fromBgr(0xFFEDED);    // pale blue
const QColor PressedBand = fromBgr(0x0000FF);  // red

int twipsToPixels(int twips, int dpi)
{
    return qRound(twips * dpi / 1440.0);
}

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
    connect(sFiles, &EzyVerticalScroll::KeyDown, this, [this](qint16& code, qint16& shift) { handleKey(code, shift); });
    sFiles->installEventFilter(this);   // the wheel over the bar scrolls the list

    GetDir();
}

const qm::DriveEntry& DriveControl::entry(int index) const
{
    static const qm::DriveEntry none;
    if (index < 1 || index > entryCount())
        return none;
    return entries_[static_cast<std::size_t>(index - 1)];
}

void DriveControl::GetDir()
{
    QString here;
    GetDir(here);
}

void DriveControl::GetDir(QString& PathDir)
{
    if (PathDir.isEmpty())
        PathDir = currentFolder();
    else
        setCurrentFolder(PathDir);   // a folder that cannot be entered is skipped
    rebuild(currentFolder());
}

QString DriveControl::FileExtention(const QString& Pattern)
{
    pattern_ = Pattern;
    GetDir();
    return QString();
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
        p.setPen(fromBgr(qm::entryColour(e.kind)));
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
    emit MouseMove(mouseButtonCode(event->buttons()), shiftState(event->modifiers()),
                   static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
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
    emit MouseDown(mouseButtonCode(event->button()), shiftState(event->modifiers()),
                   static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void DriveControl::mouseDoubleClickEvent(QMouseEvent*)
{
    // The press of a double click already tapped once; its release must not
    // tap again on whatever the rebuilt list now shows under the pointer.
    releaseEndsDoubleClick_ = true;
    emit DblClick();
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
    emit MouseUp(mouseButtonCode(event->button()), shiftState(event->modifiers()),
                 static_cast<float>(pos.x()), static_cast<float>(pos.y()));
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
        QString folder = fileNameFromBytes(*r.openFolder);
        GetDir(folder);
    }
    hoverIndex_ = 0;
    update();
}

void DriveControl::handleKey(qint16 keyCode, qint16 shift)
{
    // When every entry fits the bar is hidden and the list does not move.
    if (sFiles->isVisibleTo(this)) {
        switch (keyCode) {
        case KeyCodePageUp: sFiles->setValue(sFiles->value() - pageSize_); break;
        case KeyCodePageDown: sFiles->setValue(sFiles->value() + pageSize_); break;
        case KeyCodeUp: sFiles->setValue(sFiles->value() - 1); break;
        case KeyCodeDown: sFiles->setValue(sFiles->value() + 1); break;
        default: break;
        }
    }
    emit KeyDown(keyCode, shift);
}

void DriveControl::keyPressEvent(QKeyEvent* event)
{
    handleKey(virtualKeyCode(*event), shiftState(event->modifiers()));
    if (std::optional<qint16> ascii = keyAscii(*event))
        emit KeyPress(*ascii);
}

void DriveControl::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    qint16 code = virtualKeyCode(*event);
    qint16 shift = shiftState(event->modifiers());
    emit KeyUp(code, shift);
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
    constexpr int PerRow = 120 / 3;
    wheelRemainder_ += event->angleDelta().y();
    const int rows = wheelRemainder_ / PerRow;
    wheelRemainder_ -= rows * PerRow;
    if (rows != 0 && sFiles->isVisibleTo(this))
        sFiles->setValue(sFiles->value() - rows);
    event->accept();
}

} // namespace qm::ui
