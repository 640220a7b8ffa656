#pragma once
// The application's style, with the menu bar's overflow arrow read from its
// image files only when it is first drawn. Every menu bar asks for that icon
// when it is made, and its first image read scans all image-format plug-ins:
// a cost at every start for an arrow that shows only when the window is too
// narrow for its menus.

#include <QProxyStyle>

namespace qm::ui {

class DeferredIconStyle : public QProxyStyle {
public:
    // Wraps a new instance of the application's current style: the
    // platform's default, or the one chosen with -style or QT_STYLE_OVERRIDE.
    DeferredIconStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace qm::ui
