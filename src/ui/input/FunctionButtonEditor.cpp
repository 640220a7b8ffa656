#include "ui/input/FunctionButtonEditor.h"

#include "core/tape/MainWindowDesign.h"
#include "ui/controls/SuperButton.h"
#include "ui/mainwindow/DesignTexts.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/Twips.h"

#include <QComboBox>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>


namespace qm::ui {

namespace {

const char* const Caption = QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "Edit Function Button...");

// The editor's function buttons, in twips: two blocks of three columns.
constexpr int KeyWidth = 810;
constexpr int KeyHeight = 690;
constexpr std::array<int, 6> KeyLefts{90, 945, 1800, 2745, 3600, 4455};
constexpr std::array<int, 4> KeyTops{495, 1215, 1935, 2655};
// "Use" and "Cancel".
constexpr int ActionWidth = 1590;
constexpr int ActionHeight = 555;
constexpr std::array<int, 2> ActionLefts{9630, 7965};
constexpr int ActionTop = 2790;
const std::array<const char*, 2> ActionCaptions{QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "&Use"),
                                            QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "&Cancel")};
// Readable on white captions: green for taking the changes, red for dropping them.
constexpr std::array<quint32, 2> ActionColours{0x01B207, 0x0000FF};
constexpr double ButtonFontSize = 9.75;

const std::array<const char*, FunctionButtonEditor::LabelCount> LabelTexts{
    QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "&Function :"),
    QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", " Function F&ormula :"),
    QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "Select &button to edit:"),
    QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "X - Represent Input(x) value to pass to the function."),
    QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "T - Represent current total value pass to the function."),
    QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "Formula Fix Values :"),
    QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "Function Tool &Tip Text :"),
};
// Fields and labels, in pixels (their places are this window's own).
constexpr int WindowWidth = 760;
constexpr int WindowHeight = 234;
constexpr int LabelLeft = 362;
constexpr int FieldLeft = 500;
constexpr int FieldWidth = 250;
constexpr int NameWidth = 140;
constexpr int FieldHeight = 22;
constexpr std::array<QPoint, FunctionButtonEditor::LabelCount> LabelPlaces{{
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

const char* const NameTip = QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "Select the function to use or create a new one...");
const char* const FormulaTip = QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "Enter the Function Formula... Example (T/10+X+1)");
const char* const TipTextTip = QT_TRANSLATE_NOOP("qm::ui::FunctionButtonEditor", "Enter the text to show when the pointer rests on the button...");

} // namespace

const QStringList& FunctionButtonEditor::builtInNames()
{
    static const QStringList names{"Exp", "Log", "Sqr", "Sin", "Cos", "Tan", "Cot", "Csc",
                                   "Sec", "Asin", "Acos", "Atan", "Fix", "Int", "Roun"};
    return names;
}

FunctionButtonEditor::FunctionButtonEditor(const FunctionButtons& buttons, QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("functionButtonEditor"));
    setWindowTitle(tr(Caption));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(WindowWidth, WindowHeight);
    QFont font(QStringLiteral("Arial"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    std::array<QLabel*, LabelCount> labels{};
    for (int i = 0; i < LabelCount; ++i) {
        auto* label = labels[static_cast<std::size_t>(i)] = new QLabel(tr(LabelTexts[static_cast<std::size_t>(i)]), this);
        label->setObjectName(QStringLiteral("label%1").arg(i));
        label->move(LabelPlaces[static_cast<std::size_t>(i)]);
        label->adjustSize();
        if (i == 1)
            formulaLabel_ = label;
    }

    name_ = new QComboBox(this);
    name_->setObjectName(QStringLiteral("name"));
    name_->setEditable(true);
    // A typed name is the button's name, not a new item of the list, and is
    // never completed to a built-in name behind the user's back.
    name_->setInsertPolicy(QComboBox::NoInsert);
    name_->setCompleter(nullptr);
    name_->addItems(builtInNames());
    name_->setGeometry(FieldLeft, NameTop, NameWidth, FieldHeight);
    name_->setToolTip(tr(NameTip));

    formula_ = new QLineEdit(this);
    formula_->setObjectName(QStringLiteral("formula"));
    formula_->setGeometry(FieldLeft, FormulaTop, FieldWidth, FieldHeight);
    formula_->setToolTip(tr(FormulaTip));

    tip_ = new QLineEdit(this);
    tip_->setObjectName(QStringLiteral("tip"));
    tip_->setGeometry(FieldLeft, TipTop, FieldWidth, FieldHeight);
    tip_->setToolTip(tr(TipTextTip));

    for (int k = 0; k < FunctionButtonCount; ++k) {
        auto* b = new SuperButton(this);
        b->setObjectName(QStringLiteral("key%1").arg(k));
        const int block = k < 12 ? 0 : 3;
        const int n = k < 12 ? k : k - 12;
        b->setGeometry(twipsRect(KeyLefts[static_cast<std::size_t>(block + n % 3)],
                                 KeyTops[static_cast<std::size_t>(n / 3)], KeyWidth,
                                 KeyHeight));
        b->setBackColor(design::SideButtonBack);
        b->setFontSize(ButtonFontSize);
        b->setRenderColor(design::functionPadColor(k));
        b->setAccessibleName(tr("Function button %1").arg(k + 1));   // while it has no caption
        b->setDialogKeys(true);
        connect(b, &SuperButton::Click, this, [this, k] { chooseButton(k); });
        keys_[static_cast<std::size_t>(k)] = b;
    }
    for (int i = 0; i < 2; ++i) {
        auto* b = new SuperButton(this);
        b->setObjectName(QStringLiteral("action%1").arg(i));
        b->setGeometry(twipsRect(ActionLefts[static_cast<std::size_t>(i)], ActionTop, ActionWidth, ActionHeight));
        b->setFontSize(ButtonFontSize);
        b->setRenderColor(ActionColours[static_cast<std::size_t>(i)]);
        b->setCaptionWithAccessKey(tr(ActionCaptions[static_cast<std::size_t>(i)]));
        b->setDialogKeys(true);
        connect(b, &SuperButton::Click, this, [this, i] { finish(i); });
        actions_[static_cast<std::size_t>(i)] = b;
    }

    connect(name_, &QComboBox::editTextChanged, this, [this] { nameChanged(); });
    connect(name_, &QComboBox::textActivated, this, [this] { nameChanged(); });
    connect(formula_, &QLineEdit::textChanged, this, [this] { formulaChanged(); });
    connect(tip_, &QLineEdit::textChanged, this, [this] { tipChanged(); });

    // Access keys of the labels lead to their fields.
    labels[0]->setBuddy(name_);
    labels[1]->setBuddy(formula_);
    labels[2]->setBuddy(keys_[0]);
    labels[6]->setBuddy(tip_);

    loadButtons(buttons);
}

void FunctionButtonEditor::keyPressEvent(QKeyEvent* event)
{
    // Enter in a field is the main action, Use; Escape is Cancel.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        finish(0);
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        finish(1);
        return;
    }
    QDialog::keyPressEvent(event);
}

FunctionButtonEditor::~FunctionButtonEditor()
{
    // The fields outlive this object's own part while the base class deletes
    // them, and may still signal (a losing focus, an activated item): their
    // handlers must not run on a half-destroyed editor.
    for (QObject* child : children())
        disconnect(child, nullptr, this, nullptr);
}

void FunctionButtonEditor::loadButtons(const FunctionButtons& buttons)
{
    buttons_ = buttons;
    for (int k = 0; k < FunctionButtonCount; ++k) {
        const FunctionButton& fb = buttons_[static_cast<std::size_t>(k)];
        SuperButton* b = keys_[static_cast<std::size_t>(k)];
        b->setCaption(toQ(fb.Caption));
        b->setToolTip(designText(fb.ToolTip.c_str()));
    }
    editIndex_ = 0;
    fillFields();
}

void FunctionButtonEditor::fillFields()
{
    const FunctionButton fb = buttons_[static_cast<std::size_t>(editIndex_)];
    // Each assignment runs its change handler, which writes the same text back.
    name_->setEditText(toQ(fb.Caption));
    formula_->setText(toQ(fb.Formula));
    tip_->setText(designText(fb.ToolTip.c_str()));
    // setEditText does not report a text that did not change; the formula's
    // visibility must still follow the new button's name.
    nameChanged();
}

void FunctionButtonEditor::chooseButton(int index)
{
    if (index < 0 || index >= FunctionButtonCount)
        return;
    editIndex_ = index;
    fillFields();
    name_->setFocus();
}

void FunctionButtonEditor::nameChanged()
{
    const QString text = name_->currentText();
    buttons_[static_cast<std::size_t>(editIndex_)].Caption = toStd(text);
    keys_[static_cast<std::size_t>(editIndex_)]->setCaption(text);
    const bool builtIn = builtInNames().contains(text, Qt::CaseSensitive);
    formula_->setVisible(!builtIn);
    formulaLabel_->setVisible(!builtIn);
}

void FunctionButtonEditor::formulaChanged()
{
    buttons_[static_cast<std::size_t>(editIndex_)].Formula = toStd(formula_->text());
}

void FunctionButtonEditor::tipChanged()
{
    const QString text = tip_->text();
    // A built-in tooltip shown in the user's language stays stored in English
    // until the user changes it.
    std::string& stored = buttons_[static_cast<std::size_t>(editIndex_)].ToolTip;
    if (text != designText(stored.c_str()))
        stored = toStd(text);
    keys_[static_cast<std::size_t>(editIndex_)]->setToolTip(text);
}

void FunctionButtonEditor::finish(int action)
{
    if (action == 0) {
        FunctionButtons out = buttons_;
        for (FunctionButton& fb : out)
            fb.Formula = toStd(toQ(fb.Formula).toUpper());
        emit used(out);
    }
    close();
}

} // namespace qm::ui
