#include "ui/input/EFbutton.h"

#include "core/tape/MainWindowDesign.h"
#include "ui/controls/SuperButton.h"
#include "ui/mainwindow/DesignTexts.h"
#include "ui/platform/RegionalSettings.h"

#include <QComboBox>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace qm::ui {

namespace {

const char* const Caption = QT_TRANSLATE_NOOP("qm::ui::EFbutton", "Edit Function Button...");

// The editor's function buttons, in twips: two blocks of three columns.
constexpr int StificWidth = 810;
constexpr int StificHeight = 690;
constexpr std::array<int, 6> StificLefts{90, 945, 1800, 2745, 3600, 4455};
constexpr std::array<int, 4> StificTops{495, 1215, 1935, 2655};
// "Use" and "Cancel".
constexpr int OkWidth = 1590;
constexpr int OkHeight = 555;
constexpr std::array<int, 2> OkLefts{9630, 7965};
constexpr int OkTop = 2790;
const std::array<const char*, 2> OkCaptions{QT_TRANSLATE_NOOP("qm::ui::EFbutton", "&Use"),
                                            QT_TRANSLATE_NOOP("qm::ui::EFbutton", "&Cancel")};
// Readable on white captions: green for taking the changes, red for dropping them.
constexpr std::array<quint32, 2> OkColours{0x01B207, 0x0000FF};
constexpr double ButtonFontSize = 9.75;

const std::array<const char*, EFbutton::LabelCount> LabelTexts{
    QT_TRANSLATE_NOOP("qm::ui::EFbutton", "&Function :"),
    QT_TRANSLATE_NOOP("qm::ui::EFbutton", " Function F&ormula :"),
    QT_TRANSLATE_NOOP("qm::ui::EFbutton", "Select &button to edit:"),
    QT_TRANSLATE_NOOP("qm::ui::EFbutton", "X - Represent Input(x) value to pass to the function."),
    QT_TRANSLATE_NOOP("qm::ui::EFbutton", "T - Represent current total value pass to the function."),
    QT_TRANSLATE_NOOP("qm::ui::EFbutton", "Formula Fix Values :"),
    QT_TRANSLATE_NOOP("qm::ui::EFbutton", "Function Tool &Tip Text :"),
};
// Fields and labels, in pixels (their places are this window's own).
constexpr int WindowWidth = 760;
constexpr int WindowHeight = 234;
constexpr int LabelLeft = 362;
constexpr int FieldLeft = 500;
constexpr int FieldWidth = 250;
constexpr int NameWidth = 140;
constexpr int FieldHeight = 22;
constexpr std::array<QPoint, EFbutton::LabelCount> LabelPlaces{{
    {LabelLeft, 14},
    {LabelLeft, 44},
    {6, 12},
    {LabelLeft + 10, 130},
    {LabelLeft + 10, 150},
    {LabelLeft, 108},
    {LabelLeft, 74},
}};
constexpr int NameTop = 10;
constexpr int FormulaTop = 40;
constexpr int TipTop = 70;

const char* const NameTip = QT_TRANSLATE_NOOP("qm::ui::EFbutton", "Select the function to use or create a new one...");
const char* const FormulaTip = QT_TRANSLATE_NOOP("qm::ui::EFbutton", "Enter the Function Formula... Example (T/10+X+1)");
const char* const TipTextTip = QT_TRANSLATE_NOOP("qm::ui::EFbutton", "Enter the text to show when the pointer rests on the button...");

int twips(int t) { return static_cast<int>(std::lround(static_cast<double>(t) / EFbutton::TwipsPerPixel)); }

} // namespace

const QStringList& EFbutton::builtInNames()
{
    static const QStringList names{"Exp", "Log", "Sqr", "Sin", "Cos", "Tan", "Cot", "Csc",
                                   "Sec", "Asin", "Acos", "Atan", "Fix", "Int", "Roun"};
    return names;
}

QRect EFbutton::twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

EFbutton::EFbutton(const FunctionButtons& buttons, QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("EFbutton"));
    setWindowTitle(tr(Caption));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(WindowWidth, WindowHeight);
    QFont font(QStringLiteral("Arial"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    for (int i = 0; i < LabelCount; ++i) {
        auto* label = new QLabel(tr(LabelTexts[static_cast<std::size_t>(i)]), this);
        label->setObjectName(QStringLiteral("L(%1)").arg(i));
        label->move(LabelPlaces[static_cast<std::size_t>(i)]);
        label->adjustSize();
        L[static_cast<std::size_t>(i)] = label;
    }

    F_But_name = new QComboBox(this);
    F_But_name->setObjectName(QStringLiteral("F_But_name"));
    F_But_name->setEditable(true);
    // A typed name is the button's name, not a new item of the list, and is
    // never completed to a built-in name behind the user's back.
    F_But_name->setInsertPolicy(QComboBox::NoInsert);
    F_But_name->setCompleter(nullptr);
    F_But_name->addItems(builtInNames());
    F_But_name->setGeometry(FieldLeft, NameTop, NameWidth, FieldHeight);
    F_But_name->setToolTip(tr(NameTip));

    F_But_Formula = new QLineEdit(this);
    F_But_Formula->setObjectName(QStringLiteral("F_But_Formula"));
    F_But_Formula->setGeometry(FieldLeft, FormulaTop, FieldWidth, FieldHeight);
    F_But_Formula->setToolTip(tr(FormulaTip));

    F_Tip_Text = new QLineEdit(this);
    F_Tip_Text->setObjectName(QStringLiteral("F_Tip_Text"));
    F_Tip_Text->setGeometry(FieldLeft, TipTop, FieldWidth, FieldHeight);
    F_Tip_Text->setToolTip(tr(TipTextTip));

    for (int k = 0; k < FunctionButtonCount; ++k) {
        auto* b = new SuperButton(this);
        b->setObjectName(QStringLiteral("Stific(%1)").arg(k));
        const int block = k < 12 ? 0 : 3;
        const int n = k < 12 ? k : k - 12;
        b->setGeometry(twipsRect(StificLefts[static_cast<std::size_t>(block + n % 3)],
                                 StificTops[static_cast<std::size_t>(n / 3)], StificWidth,
                                 StificHeight));
        b->setBackColor(design::SideButtonBack);
        b->setFontSize(ButtonFontSize);
        b->setRenderColor(design::stificColor(k));
        b->setAccessibleName(tr("Function button %1").arg(k + 1));   // while it has no caption
        b->setDialogKeys(true);
        connect(b, &SuperButton::Click, this, [this, k] { Stific_Click(k); });
        Stific[static_cast<std::size_t>(k)] = b;
    }
    for (int i = 0; i < 2; ++i) {
        auto* b = new SuperButton(this);
        b->setObjectName(QStringLiteral("OK(%1)").arg(i));
        b->setGeometry(twipsRect(OkLefts[static_cast<std::size_t>(i)], OkTop, OkWidth, OkHeight));
        b->setFontSize(ButtonFontSize);
        b->setRenderColor(OkColours[static_cast<std::size_t>(i)]);
        b->setCaptionWithAccessKey(tr(OkCaptions[static_cast<std::size_t>(i)]));
        b->setDialogKeys(true);
        connect(b, &SuperButton::Click, this, [this, i] { OK_Click(i); });
        OK[static_cast<std::size_t>(i)] = b;
    }

    connect(F_But_name, &QComboBox::editTextChanged, this, [this] { F_But_name_Change(); });
    connect(F_But_name, &QComboBox::textActivated, this, [this] { F_But_name_Click(); });
    connect(F_But_Formula, &QLineEdit::textChanged, this, [this] { F_But_Formula_Change(); });
    connect(F_Tip_Text, &QLineEdit::textChanged, this, [this] { F_Tip_Text_Change(); });

    // Access keys of the labels lead to their fields.
    L[0]->setBuddy(F_But_name);
    L[1]->setBuddy(F_But_Formula);
    L[2]->setBuddy(Stific[0]);
    L[6]->setBuddy(F_Tip_Text);

    loadButtons(buttons);
}

void EFbutton::keyPressEvent(QKeyEvent* event)
{
    // Enter in a field is the main action, Use; Escape is Cancel.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        OK_Click(0);
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        OK_Click(1);
        return;
    }
    QDialog::keyPressEvent(event);
}

EFbutton::~EFbutton()
{
    // The fields outlive this object's own part while the base class deletes
    // them, and may still signal (a losing focus, an activated item): their
    // handlers must not run on a half-destroyed editor.
    for (QObject* child : children())
        disconnect(child, nullptr, this, nullptr);
}

void EFbutton::loadButtons(const FunctionButtons& buttons)
{
    buttons_ = buttons;
    for (int k = 0; k < FunctionButtonCount; ++k) {
        const FunctionButton& fb = buttons_[static_cast<std::size_t>(k)];
        SuperButton* b = Stific[static_cast<std::size_t>(k)];
        b->setCaption(toQ(fb.Caption));
        b->setToolTip(designText(fb.ToolTip.c_str()));
    }
    editIndex_ = 0;
    fillFields();
}

void EFbutton::fillFields()
{
    const FunctionButton fb = buttons_[static_cast<std::size_t>(editIndex_)];
    // Each assignment runs its change handler, which writes the same text back.
    F_But_name->setEditText(toQ(fb.Caption));
    F_But_Formula->setText(toQ(fb.Formula));
    F_Tip_Text->setText(designText(fb.ToolTip.c_str()));
    // setEditText does not report a text that did not change; the formula's
    // visibility must still follow the new button's name.
    F_But_name_Change();
}

void EFbutton::Stific_Click(int Index)
{
    if (Index < 0 || Index >= FunctionButtonCount)
        return;
    editIndex_ = Index;
    fillFields();
    F_But_name->setFocus();
}

void EFbutton::F_But_name_Change()
{
    const QString text = F_But_name->currentText();
    buttons_[static_cast<std::size_t>(editIndex_)].Caption = toStd(text);
    Stific[static_cast<std::size_t>(editIndex_)]->setCaption(text);
    const bool builtIn = builtInNames().contains(text, Qt::CaseSensitive);
    F_But_Formula->setVisible(!builtIn);
    L[1]->setVisible(!builtIn);
}

void EFbutton::F_But_name_Click() { F_But_name_Change(); }

void EFbutton::F_But_Formula_Change()
{
    buttons_[static_cast<std::size_t>(editIndex_)].Formula = toStd(F_But_Formula->text());
}

void EFbutton::F_Tip_Text_Change()
{
    const QString text = F_Tip_Text->text();
    // A built-in tooltip shown in the user's language stays stored in English
    // until the user changes it.
    std::string& stored = buttons_[static_cast<std::size_t>(editIndex_)].ToolTip;
    if (text != designText(stored.c_str()))
        stored = toStd(text);
    Stific[static_cast<std::size_t>(editIndex_)]->setToolTip(text);
}

void EFbutton::OK_Click(int Index)
{
    if (Index == 0) {
        FunctionButtons out = buttons_;
        for (FunctionButton& fb : out)
            fb.Formula = toStd(toQ(fb.Formula).toUpper());
        emit used(out);
    }
    close();
}

} // namespace qm::ui
