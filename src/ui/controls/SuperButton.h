#pragma once
// Owner-drawn push button: a gradient face from one render colour, one of four
// edge styles and a centred white caption. The faces are rendered anew after a
// property that shapes them changes or the button is resized, once, when the
// button is next painted or its looks are asked for; hovering, focusing and
// pressing just show one of the stored looks. A left click, and
// every typed character, gives Click, unless the button is a dialog's
// (setDialogKeys): then only Space and Enter press it, and other keys go on
// to the window.

#include "core/controls/ButtonFaces.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

namespace qm::ui {

class SuperButton : public QWidget {
    Q_OBJECT

public:
    enum class Look { Normal, Highlighted, Pressed };

    static constexpr quint32 DefaultRenderColor = 0xC0C0C0;

    explicit SuperButton(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption); // renders

    quint32 backColor() const { return backColor_; }
    void setBackColor(quint32 colour); // does not render

    qint32 border() const { return border_; }
    // Renders; false (and nothing changes) for a value outside 16 bits.
    bool setBorder(qint32 style);

    quint32 renderColor() const { return renderColor_; }
    // Stores the colour and renders; false when its components do not fit
    // (bit 24 set): the colour is kept but the faces stay as they were.
    bool setRenderColor(quint32 colour);
    // Both at once with a single render (rows redrawn while scrolling change both).
    bool setCaptionAndRenderColor(const QString& caption, quint32 colour);

    // Size in points, rounded halves to even; the exact single-precision size
    // is fontSizeF. Setting it does not render. Sizes outside (0, 2048] are
    // refused.
    int fontSize() const;
    float fontSizeF() const { return fontSize_; }
    bool setFontSize(double points);

    // A dialog's button: only Space and Enter press it while it has the
    // focus; every other key (Escape above all) goes on to the dialog.
    void setDialogKeys(bool on) { dialogKeys_ = on; }
    bool dialogKeys() const { return dialogKeys_; }
    // The caption with an access key marked by "&" ("&Open"): the caption
    // shows the text without it, its letter underlined, and Alt with that
    // letter presses the button. setCaption takes the key away again.
    void setCaptionWithAccessKey(const QString& text);

    // A press by other means than the pointer or the keys (assistive
    // technology): Click, as a mouse click gives it; nothing when disabled.
    void click();

    Look look() const { return look_; }
    bool hovering() const { return hover_; }
    QPoint captionPos() const { return {faces().captionPos.x, faces().captionPos.y}; }
    quint32 lightColor() const { return faces().light; }
    quint32 darkColor() const { return faces().dark; }
    // The look as shown, its see-through pixels transparent.
    QImage lookImage(Look look) const;
    QFont captionFont() const;

    // "Arial" where installed, else the metric-compatible "Liberation Sans".
    static QString captionFontFamily();

signals:
    void Click();
    void DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The three looks and what rendering them decided; rendered when first
    // needed after a change, also by the const accessors, hence mutable. The
    // hover and pressed looks get their caption only when first shown: most
    // buttons are never hovered or pressed, and start-up shows dozens.
    struct Faces {
        QImage normal;
        QImage highlighted;                // null until first needed
        QImage pressed;                    // null until first needed
        qm::PixelBuffer highlightedPixels; // those two without caption until then
        qm::PixelBuffer pressedPixels;
        qm::CaptionPos captionPos{};
        quint32 light = 0;
        quint32 dark = 0;
        bool seeThrough = false;           // the normal look has pixels of the mask colour
    };
    const Faces& faces() const;
    void renderFaces() const;
    void applyMaskOfFaces();
    void requestRender();
    void showLook(Look look);
    const QImage& imageOf(Look look) const;
    const QImage& captionedLook(QImage& image, qm::PixelBuffer& pixels, quint32 captionColour) const;
    void press(QMouseEvent* event);
    void dropAccessKey();

    QString caption_;
    bool dialogKeys_ = false;
    int accessKeyAt_ = -1;     // index in caption_ of the underlined letter
    int accessShortcut_ = 0;   // the grabbed shortcut's id, 0 for none
    quint32 backColor_ = 0xE0E0E0;
    qint16 border_ = 0;
    quint32 renderColor_ = DefaultRenderColor;
    qm::ButtonRgb rgb_{};
    float fontSize_ = 9.75f;

    bool hover_ = false;
    bool clickArmed_ = false;
    Look look_ = Look::Normal;
    mutable Faces faces_;
    mutable bool renderPending_ = false;
    mutable bool maskStale_ = false;   // faces rendered since the mask was set
};

} // namespace qm::ui
