// Building the main window's controls at their design places.

#include "ui/tape/RollingCaculator.h"

#include "core/commands/TapeCommands.h"
#include "core/tape/MailCalc.h"
#include "core/tape/MainWindowDesign.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace qm::ui {

namespace {

QFont designFont(double points, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void place(QWidget* w, const design::Rect& r) { w->setGeometry(r.left, r.top, r.width, r.height); }

SuperButton* makeButton(QWidget* parent, const design::ButtonDesign& d, double fontSize)
{
    auto* b = new SuperButton(parent);
    place(b, d.rect);
    b->setBackColor(d.backColor);
    b->setFontSize(fontSize);
    b->setRenderColor(d.renderColor);
    b->setCaption(QString::fromLatin1(d.caption));
    if (d.toolTip)
        b->setToolTip(QString::fromLatin1(d.toolTip));
    return b;
}

constexpr double KeypadFontSize = 15.75;
constexpr double SideFontSize = 9.75;
constexpr double OpFontSize = 12;
constexpr double EntryFontSize = 12;
constexpr double TotalFontSize = 15.75;
constexpr double MemoryFontSize = 9;

} // namespace

void Rolling_Caculator::buildControls(QWidget* interior)
{
    interior->setAutoFillBackground(true);

    Dzx = new QFrame(interior);
    Dzx->setFrameShape(QFrame::Box);
    Dzx->setFrameShadow(QFrame::Plain);
    Dzx->setLineWidth(1);
    place(Dzx, design::Dzx);

    TotalAmount = new EntryBox(-1, interior);
    place(TotalAmount, design::TotalAmount);
    TotalAmount->setFont(designFont(TotalFontSize, true));
    TotalAmount->setAlignment(Qt::AlignCenter);
    TotalAmount->setReadOnly(true);   // only the games unlock it
    TotalAmount->onGotFocus = [this](int) { TotalAmount_GotFocus(); };
    TotalAmount->onKeyPress = [this](int, int& ascii) { TotalAmount_KeyPress(ascii); };
    TotalAmount->onKeyDown = [this](int, int& code, int shift) { TotalAmount_KeyDown(code, shift); };
    connect(TotalAmount, &QLineEdit::textChanged, this, [this](const QString& text) {
        TotalAmount->setForeColor(totalColour(toStd(text.left(1))));
    });

    M_Buff = new QLabel(interior);
    place(M_Buff, design::MBuff);
    M_Buff->setFont(designFont(MemoryFontSize, true));
    M_Buff->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    const design::Rect entry = design::CalAmount0;
    auto* box = new EntryBox(0, interior);
    place(box, entry);
    CalAmount.append(box);
    auto* op = new SuperButton(interior);
    place(op, design::Op0);
    Op.append(op);

    ScrollNum = new EzyVerticalScroll(interior);
    place(ScrollNum, design::ScrollNum);
    ScrollNum->setBackColor(design::ScrollNumBackColor);
    ScrollNum->setValueLargeChange(design::ScrollNumLargeChange);
    connect(ScrollNum, &EzyVerticalScroll::Change, this, [this] { ScrollNum_Change(); });
    connect(ScrollNum, &EzyVerticalScroll::KeyDown, this, [this](qint16& code, qint16& shift) {
        int c = code;
        ScrollNum_KeyDown(c, shift);
    });

    for (int i = 0; i < static_cast<int>(design::Keypad.size()); ++i) {
        SuperButton* b = makeButton(interior, design::Keypad[static_cast<std::size_t>(i)],
                                    KeypadFontSize);
        connect(b, &SuperButton::Click, this, [this, i] { CalC_Button_Click(i); });
        CalC_Button.append(b);
    }
    for (int i = 0; i < static_cast<int>(design::MemoryButtons.size()); ++i) {
        SuperButton* b = makeButton(interior, design::MemoryButtons[static_cast<std::size_t>(i)],
                                    SideFontSize);
        connect(b, &SuperButton::Click, this, [this, i] { MemoryRc_Click(i); });
        MemoryRc.append(b);
    }
    PieValue = makeButton(interior, design::PiButton, SideFontSize);
    connect(PieValue, &SuperButton::Click, this, [this] { PieValue_Click(); });

    for (int k = 0; k < design::StificCount; ++k) {
        const bool edit = k == design::EditButton;
        const FunctionButton* fb =
            edit ? nullptr : &functionButtons[static_cast<std::size_t>(k)];
        const design::ButtonDesign d{edit ? design::EditCaption : fb->Caption.c_str(),
                                     edit ? design::EditToolTip : nullptr,
                                     design::stificColor(k), design::SideButtonBack,
                                     design::stificRect(k)};
        SuperButton* b = makeButton(interior, d, SideFontSize);
        if (!edit)
            b->setToolTip(toQ(fb->ToolTip));
        connect(b, &SuperButton::Click, this, [this, k] { Stific_Click(k); });
        Stific.append(b);
    }
}

void Rolling_Caculator::addRow(QWidget* interior, int n)
{
    const design::Rect entry = design::CalAmount0;
    const int y = entry.top + n * entry.height;

    auto* op = new SuperButton(interior);
    op->hide();
    op->setGeometry(design::Op0.left, y + 1, design::Op0.width, design::Op0.height);
    op->raise();

    auto* box = new EntryBox(n, interior);
    box->hide();
    box->setGeometry(entry.left, y, entry.width, entry.height);
    box->raise();

    Op.append(op);
    CalAmount.append(box);
}

void Rolling_Caculator::buildRows(QWidget* interior)
{
    const int h = design::CalAmount0.height;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize s = screen ? screen->size() : QSize(design::InteriorWidth, design::InteriorHeight);
    const int d = std::max(s.width(), s.height());

    // One row per row height of the screen's larger side, so that a window
    // within the screen never needs more; the tape has one line per row.
    LastLoadedRow = 0;
    for (long long y = h + 5; y <= d && LastLoadedRow < MaxTapeIndex; y += h) {
        ++LastLoadedRow;
        addRow(interior, LastLoadedRow);
    }
    tape.resize(static_cast<std::size_t>(LastLoadedRow) + 1);
    LastRow = LastLoadedRow;

    const QFont entryFont = designFont(EntryFontSize, false);
    for (int j = 0; j <= LastLoadedRow; ++j) {
        EntryBox* box = CalAmount[j];
        box->setFont(entryFont);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->onGotFocus = [this](int i) { CalAmount_GotFocus(i); };
        box->onMouseDown = [this](int i, int button, int shift, int x, int y) {
            CalAmount_MouseDown(i, button, shift, x, y);
        };
        box->onKeyDown = [this](int i, int& code, int shift) { CalAmount_KeyDown(i, code, shift); };
        box->onKeyPress = [this](int i, int& ascii) { CalAmount_KeyPress(i, ascii); };
        box->onKeyUp = [this](int i, int& code, int shift) { CalAmount_KeyUp(i, code, shift); };

        SuperButton* op = Op[j];
        op->setFontSize(OpFontSize);
        if (op->renderColor() != OpColourPlus)
            op->setRenderColor(OpColourPlus);
        op->setCaption(QStringLiteral("+"));
        connect(op, &SuperButton::Click, this, [this, j] { Op_Click(j); });
    }
}

} // namespace qm::ui
