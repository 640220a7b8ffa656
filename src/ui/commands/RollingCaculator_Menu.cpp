// The menu bar and the commands that act on the whole tape: Clear All, Copy
// and Paste Numbers, Sort Numbers, the number of decimals and the total mode.

#include "ui/tape/RollingCaculator.h"

#include "core/commands/TapeCommands.h"
#include "core/tape/Selectionsort.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/platform/Clipboard.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace qm::ui {

namespace {

constexpr int VariableDecimals = 25;

} // namespace

void Rolling_Caculator::buildMenus()
{
    QMenuBar* bar = menuBar();

    E_m = bar->addMenu(QStringLiteral("Options"));
    Clear_Total = E_m->addAction(QStringLiteral("Clear All..."), this, [this] { Clear_Total_Click(); });
    E_m->addSeparator();
    LD.append(E_m->addAction(QStringLiteral("Open Calculation..."), this, [this] { LD_Click(0); }));
    LD[0]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    LD.append(E_m->addAction(QStringLiteral("Save Calculation..."), this, [this] { LD_Click(1); }));
    LD[1]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    E_m->addSeparator();
    C_m = E_m->addAction(QStringLiteral("Copy Numbers..."), this, [this] { C_m_Click(); });
    P_m = E_m->addAction(QStringLiteral("Paste Numbers..."), this, [this] { P_m_Click(); });
    E_m->addSeparator();
    SortNm = E_m->addAction(QStringLiteral("Sort Numbers..."), this, [this] { SortNm_Click(); });
    E_m->addSeparator();
    PrintCalc = E_m->addAction(QStringLiteral("Print Calculation..."), this, [this] { PrintCalc_Click(); });
    PrintCalc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));

    dp = bar->addMenu(QStringLiteral("Decimals"));
    auto* decimals = new QActionGroup(this);
    dp1.fill(nullptr, VariableDecimals + 1);
    const char* decimalCaptions[] = {"0", "0.0", "0.00", "0.000", "0.0000", "0.00000", "0.000000"};
    for (int i = 0; i <= 6; ++i) {
        QAction* a = dp->addAction(QString::fromLatin1(decimalCaptions[i]), this,
                                   [this, i] { dp1_Click(i); });
        a->setCheckable(true);
        decimals->addAction(a);
        dp1[i] = a;
    }
    QAction* variable = dp->addAction(QStringLiteral("Variable"), this,
                                      [this] { dp1_Click(VariableDecimals); });
    variable->setCheckable(true);
    variable->setChecked(true);
    decimals->addAction(variable);
    dp1[VariableDecimals] = variable;

    OtherFeatures = bar->addMenu(QStringLiteral("Total"));
    auto* modes = new QActionGroup(this);
    const char* modeCaptions[] = {"Numbers...", "Average...", "Mean...", "Mode..."};
    for (int i = 0; i < 4; ++i) {
        QAction* a = OtherFeatures->addAction(QString::fromLatin1(modeCaptions[i]), this,
                                              [this, i] { CalcFuntions_Click(i); });
        a->setCheckable(true);
        a->setChecked(i == 0);
        modes->addAction(a);
        CalcFuntions.append(a);
    }

    Games = bar->addMenu(QStringLiteral("Games"));
    Nixie_Invaders_Go.append(Games->addAction(QStringLiteral("Start Nixie Invaders..."), this,
                                              [this] { Nixie_Invaders_Go_Click(0); }));
    Nixie_Invaders_Go.append(Games->addAction(QStringLiteral("Start Nixie Blaster..."), this,
                                              [this] { Nixie_Invaders_Go_Click(1); }));
}

void Rolling_Caculator::Clear_Total_Click()
{
    ScrollNum->setValue(0);   // redraws the rows from the old tape first
    ScrollNum->setValueMax(0);
    clearAllLines(tape, LastLoadedRow);
    const QString plus = QStringLiteral("+");
    for (int i = 0; i <= LastLoadedRow && i < CalAmount.size(); ++i) {
        // A button renders its faces on every change: unchanged ones are left.
        if (Op[i]->caption() != plus)
            Op[i]->setCaption(plus);
        if (Op[i]->renderColor() != OpColourPlus)
            Op[i]->setRenderColor(OpColourPlus);
        CalAmount[i]->setText(QString());
    }
    TotalAmount->setText(QString());
    if (isVisible())
        CalAmount[0]->setFocus(Qt::OtherFocusReason);
}

void Rolling_Caculator::C_m_Click()
{
    setClipboardText(toQ(copyNumbersText(tape, DecimalSep())));
}

void Rolling_Caculator::P_m_Click()
{
    Clear_Total_Click();
    const std::string text = toStd(clipboardText());
    const int max = pasteNumbers(tape, text, settings.regional, LastRow, scrollMax());
    if (max != scrollMax())
        ScrollNum->setValueMax(max);
    ScrollNum_Change();
    MailCalc();
}

void Rolling_Caculator::SortNm_Click()
{
    Selectionsort(tape.TapeValue);
    ScrollNum_Change();
}

void Rolling_Caculator::dp1_Click(int Index)
{
    if (Index < 0 || Index >= dp1.size() || !dp1[Index])
        return;
    if (settings.DecimalPlaces >= 0 && settings.DecimalPlaces < dp1.size()
        && dp1[settings.DecimalPlaces])
        dp1[settings.DecimalPlaces]->setChecked(false);
    settings.DecimalPlaces = Index;
    dp1[Index]->setChecked(true);
    ScrollNum_Change();
}

void Rolling_Caculator::CalcFuntions_Click(int Index)
{
    if (Index < 0 || Index >= CalcFuntions.size())
        return;
    if (settings.StatMode >= 0 && settings.StatMode < CalcFuntions.size())
        CalcFuntions[settings.StatMode]->setChecked(false);
    settings.StatMode = Index;
    CalcFuntions[Index]->setChecked(true);
    MailCalc();
}

} // namespace qm::ui
