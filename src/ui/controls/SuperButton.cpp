#include "ui/controls/SuperButton.h"

#include "core/controls/ControlMath.h"
#include "ui/controls/ControlsAccessible.h"
#include "ui/controls/KeyCodes.h"
#include "ui/controls/PixelImage.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QKeySequence>
#include <QShortcutEvent>
#include <QPointer>

#include <algorithm>

namespace qm::ui {

namespace {

constexpr quint32 White = 0xFFFFFF;

// Focus that moves because the whole window is (de)activated or a menu pops
// up is not a change of focus between the window's controls.
bool windowLevelFocus(const QFocusEvent* e)
{
    return e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
}

// `underlined`: the index of the access key's letter, -1 for none.
void printCaption(QImage& image, const QFont& font, const QString& text, QPoint topLeft,
                  quint32 colour, int underlined)
{
    if (image.isNull() || text.isEmpty())
        return;
    QPainter p(&image);
    p.setFont(font);
    p.setPen(toQColor(colour));
    const QFontMetrics fm(font);
    const int baseline = topLeft.y() + fm.ascent();
    p.drawText(QPoint(topLeft.x(), baseline), text);
    if (underlined >= 0 && underlined < text.size()) {
        const int x = topLeft.x() + fm.horizontalAdvance(text.left(underlined));
        const int y = baseline + std::max(1, fm.underlinePos());
        p.drawLine(x, y, x + fm.horizontalAdvance(text.at(underlined)) - 1, y);
    }
}

} // namespace

SuperButton::SuperButton(QWidget* parent) : QWidget(parent)
{
    installControlsAccessibility();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString SuperButton::captionFontFamily()
{
    static const QString family = QFontDatabase::families().contains(QStringLiteral("Arial"))
        ? QStringLiteral("Arial")
        : QStringLiteral("Liberation Sans");
    return family;
}

QFont SuperButton::captionFont() const
{
    QFont f(captionFontFamily());
    f.setBold(true);
    // Sizes are points at 96 dots per inch, as the pixel layout assumes:
    // 9.75 pt is 13 pixels.
    const double px = qm::roundHalfEven(static_cast<double>(fontSize_) * 96.0 / 72.0);
    f.setPixelSize(std::max(1, static_cast<int>(px)));
    return f;
}

void SuperButton::dropAccessKey()
{
    if (accessShortcut_ != 0)
        releaseShortcut(accessShortcut_);
    accessShortcut_ = 0;
    accessKeyAt_ = -1;
}

void SuperButton::setCaptionWithAccessKey(const QString& text)
{
    QString shown;
    int at = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text.at(i) != QLatin1Char('&') && at < 0)
                at = static_cast<int>(shown.size());
        }
        shown.append(text.at(i));
    }
    setCaption(shown);
    if (at >= 0) {
        accessKeyAt_ = at;
        accessShortcut_ = grabShortcut(QKeySequence::mnemonic(text));
    }
}

bool SuperButton::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut && accessShortcut_ != 0
        && static_cast<QShortcutEvent*>(e)->shortcutId() == accessShortcut_) {
        if (isEnabled() && isVisible()) {
            setFocus(Qt::ShortcutFocusReason);
            click();
        }
        return true;
    }
    return QWidget::event(e);
}

void SuperButton::setCaption(const QString& caption)
{
    dropAccessKey();
    const bool renamed = caption != caption_;
    caption_ = caption;
    requestRender();
    if (renamed && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void SuperButton::click()
{
    if (isEnabled())
        emit Click();
}

bool SuperButton::setCaptionAndRenderColor(const QString& caption, quint32 colour)
{
    caption_ = caption;
    renderColor_ = colour;
    const auto split = qm::splitRenderColor(colour);
    if (split)
        rgb_ = *split;
    requestRender();
    return split.ok();
}

void SuperButton::setBackColor(quint32 colour) { backColor_ = colour; }

bool SuperButton::setBorder(qint32 style)
{
    const auto s = qm::toInt16(style);
    if (!s)
        return false;
    border_ = *s;
    requestRender();
    return true;
}

bool SuperButton::setRenderColor(quint32 colour)
{
    renderColor_ = colour;
    const auto split = qm::splitRenderColor(colour);
    if (!split)
        return false;
    rgb_ = *split;
    requestRender();
    return true;
}

int SuperButton::fontSize() const
{
    return static_cast<int>(qm::roundHalfEven(static_cast<double>(fontSize_)));
}

bool SuperButton::setFontSize(double points)
{
    if (!(points > 0.0 && points <= 2048.0))
        return false;
    fontSize_ = static_cast<float>(points);
    return true;
}

void SuperButton::renderFaces() const
{
    renderPending_ = false;
    const QFont font = captionFont();
    const QFontMetrics fm(font);
    // A caption place beyond 16 bits keeps the previous one.
    if (const auto pos = qm::captionPosition(width(), height(), fm.horizontalAdvance(caption_),
                                             fm.height()))
        faces_.captionPos = *pos;

    auto rendered = qm::renderButtonFaces(width(), height(), rgb_, border_);
    if (!rendered)
        return;
    faces_.light = rendered->light;
    faces_.dark = rendered->dark;
    const QPoint at(faces_.captionPos.x, faces_.captionPos.y);
    faces_.normal = toQImage(rendered->normal);
    printCaption(faces_.normal, font, caption_, at, White, accessKeyAt_);
    faces_.highlighted = QImage();
    faces_.highlightedPixels = std::move(rendered->highlighted);
    faces_.pressed = QImage();
    faces_.pressedPixels = std::move(rendered->pressed);
    faces_.seeThrough = hasMaskColour(faces_.normal);
    maskStale_ = true;
}

const SuperButton::Faces& SuperButton::faces() const
{
    if (renderPending_)
        renderFaces();
    return faces_;
}

// The normal look, caption included, decides what is see-through.
void SuperButton::applyMaskOfFaces()
{
    if (!maskStale_)
        return;
    maskStale_ = false;
    // Setting an unchanged mask would still repaint the window behind.
    if (faces_.seeThrough) {
        const QRegion region = maskRegion(faces_.normal);
        if (region != mask())
            setMask(region);
    } else if (!mask().isEmpty()) {
        clearMask();
    }
}

const QImage& SuperButton::imageOf(Look look) const
{
    const Faces& f = faces();
    switch (look) {
    case Look::Highlighted: return captionedLook(faces_.highlighted, faces_.highlightedPixels, White);
    case Look::Pressed: return captionedLook(faces_.pressed, faces_.pressedPixels, f.dark);
    case Look::Normal: break;
    }
    return f.normal;
}

const QImage& SuperButton::captionedLook(QImage& image, qm::PixelBuffer& pixels,
                                         quint32 captionColour) const
{
    if (image.isNull() && !pixels.empty()) {
        image = toQImage(pixels);
        printCaption(image, captionFont(), caption_, QPoint(faces_.captionPos.x, faces_.captionPos.y),
                     captionColour, accessKeyAt_);
        pixels = qm::PixelBuffer();
    }
    return image;
}

QImage SuperButton::lookImage(Look look) const
{
    return applyMask(imageOf(look), faces().normal);
}

void SuperButton::showLook(Look look)
{
    look_ = look;
    update();
}

void SuperButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QImage& image = imageOf(look_);   // renders the faces after a change
    // A mask set while the window paints would change what is being
    // painted; it follows right after this paint, and until then the
    // see-through pixels show the colour around the button.
    if (maskStale_) {
        QMetaObject::invokeMethod(this, &SuperButton::applyMaskOfFaces, Qt::QueuedConnection);
        if (faces_.seeThrough) {
            p.fillRect(rect(), toQColor(backColor_));
            p.drawImage(0, 0, lookImage(look_));
            return;
        }
    }
    if (image.size() != size())
        p.fillRect(rect(), toQColor(backColor_));
    if (!image.isNull())
        p.drawImage(0, 0, image);
}

void SuperButton::resizeEvent(QResizeEvent*) { requestRender(); }

// Faces are rendered once, when next painted: a window sets several
// properties of each button, and a window that starts shows itself before its
// dozens of buttons are drawn, not after.
void SuperButton::requestRender()
{
    renderPending_ = true;
    if (isVisible()) {
        look_ = Look::Normal;
        update();
    }
}

void SuperButton::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (renderPending_)
        look_ = Look::Normal;   // changed while hidden: shown afresh
    else
        applyMaskOfFaces();     // faces a const accessor rendered while hidden
}

// Hover starts at the first move without a button held (so a drag that
// comes in does not light the button) and ends when the pointer leaves.
void SuperButton::mouseMoveEvent(QMouseEvent* e)
{
    if (e->buttons() == Qt::NoButton && !hover_) {
        hover_ = true;
        showLook(Look::Highlighted);
    }
}

void SuperButton::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    if (hover_) {
        hover_ = false;
        showLook(Look::Normal);
    }
}

void SuperButton::press(QMouseEvent* e)
{
    showLook(Look::Pressed);
    if (e->button() == Qt::LeftButton)
        clickArmed_ = true;
}

void SuperButton::mousePressEvent(QMouseEvent* e) { press(e); }

// Qt reports the second press of a double click as this event instead of a
// press: it raises DblClick and draws no pressed look.
void SuperButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        press(e);
        return;
    }
    clickArmed_ = false;
    emit DblClick();
}

void SuperButton::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = clickArmed_ && e->button() == Qt::LeftButton;
    if (e->button() == Qt::LeftButton)
        clickArmed_ = false;
    // Strictly inside: a release on column 0 or row 0 counts as outside.
    const QPointF p = e->position();
    if (!(p.x() > 0 && p.x() < width() && p.y() > 0 && p.y() < height()))
        return;
    showLook(Look::Highlighted);
    if (click)
        emit Click();
}

// Every key that types a character presses the button (a dialog's button
// only Space and Enter).
void SuperButton::keyPressEvent(QKeyEvent* e)
{
    if (dialogKeys_) {
        const int key = e->key();
        const bool presses = (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
            && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (!presses) {
            e->ignore();   // Escape and the rest are the dialog's
            return;
        }
        if (!e->isAutoRepeat())
            click();
        return;
    }
    if (keyAscii(*e))
        emit Click();
}

void SuperButton::focusInEvent(QFocusEvent* e)
{
    if (windowLevelFocus(e))
        return;
    if (!hover_)
        showLook(Look::Highlighted);
}

void SuperButton::focusOutEvent(QFocusEvent* e)
{
    if (windowLevelFocus(e))
        return;
    showLook(Look::Normal);
}

} // namespace qm::ui
