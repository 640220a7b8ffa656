#include "ui/mainwindow/TotalDisplay.h"

#include "core/tape/MailCalc.h"
#include "core/tape/MainWindowDesign.h"
#include "ui/mainwindow/DesignFont.h"
#include "ui/mainwindow/DesignTexts.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"

namespace qm::ui {

namespace {

constexpr double TotalFontSize = 15.75;

} // namespace

TotalDisplay::TotalDisplay(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("totalFrame"));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    const design::Rect frame = design::TotalArea;
    setGeometry(frame.left, frame.top, frame.width, frame.height);

    // Set before the box exists, which then lays out its text once, in it.
    setFont(designFont(TotalFontSize, true));
    const design::Rect r = design::TotalBox;
    box_ = new EntryBox(-1, this);
    box_->setObjectName(QStringLiteral("total"));
    box_->setAccessibleName(tr("Grand total"));
    box_->setGeometry(r.left - frame.left, r.top - frame.top, r.width, r.height);
    box_->setAlignment(Qt::AlignCenter);
    box_->setReadOnly(true);   // only the games unlock it
    box_->setContextMenuPolicy(Qt::NoContextMenu);
    box_->onGotFocus = [this](int) { emit focused(); };
    box_->onKeyPress = [](int, int& ascii) { ascii = 0; };   // nothing is typed into the total
    box_->onKeyDown = [this](int, int& code, int) { emit keyDown(code); };
    connect(box_, &QLineEdit::textChanged, this, [this](const QString& text) {
        box_->setForeColor(totalColour(toStd(text.left(1))));
    });
}

void TotalDisplay::showResult(const QString& result, std::uint32_t colour)
{
    const QString text = shownResultText(result);
    if (box_->text() != text)
        box_->setText(text);
    box_->setForeColor(colour);
}

void TotalDisplay::setBackground(std::uint32_t colour) { box_->setBackColor(colour); }

QString TotalDisplay::text() const { return box_->text(); }

void TotalDisplay::fitWidth(int interiorWidth)
{
    // A minimized window has no interior: its widths are not applied.
    if (interiorWidth - design::TotalAreaWidthMargin > 0)
        resize(interiorWidth - design::TotalAreaWidthMargin, height());
    if (interiorWidth - design::TotalWidthMargin > 0)
        box_->resize(interiorWidth - design::TotalWidthMargin, box_->height());
}

} // namespace qm::ui
