// Start-up, activation and shutdown of the main window, and the grand-total
// box's own events.

#include "ui/tape/RollingCaculator.h"

#include "core/tape/DefaultButtons.h"
#include "core/tape/FmNo.h"
#include "core/tape/MailCalc.h"
#include "core/tape/MainWindowDesign.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/SettingsLocation.h"
#include "ui/tape/EntryBox.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>

namespace qm::ui {

Rolling_Caculator::Rolling_Caculator(const QString& argument, QWidget* parent)
    : QMainWindow(parent), CommandLine(stripQuotes(argument))
{
    clock_.start();
    functionButtons = defaultFunctionButtons();
    buildWindow();   // the window exists before its layout runs
    Form_Resize();
    readSettingsFile();
}

Rolling_Caculator::~Rolling_Caculator() = default;

void Rolling_Caculator::buildWindow()
{
    setWindowTitle(QString::fromLatin1(design::TitleText) + QString::fromLatin1(design::TitleEdition));

    settings.regional = systemRegional();
    settings.DecimalPlaces = 25;
    settings.StatMode = 0;

    auto* interior = new QWidget(this);
    setCentralWidget(interior);
    buildMenus();
    buildControls(interior);
    CalC_Button[design::DecimalKey]->setCaption(QString(QChar(DecimalSep())));
    buildRows(interior);

    TotalAmount->raise();
    ScrollNum->raise();
    if (All_Timers)
        All_Timers->raise();

    resize(design::InteriorWidth, design::InteriorHeight + menuBarHeight());
    Clear_Total_Click();
}

void Rolling_Caculator::readSettingsFile()
{
    const SettingsChoice choice = chooseSettingsFile(CommandLine);
    CustomFile = choice.path;
    readCustomFileAtStart = choice.read;
    if (!CommandLine.isEmpty())
        setWindowTitle(windowTitle() + CommandLine);
    if (!choice.read)
        return;
    const SettingsLoad load = loadSettingsFile(QFile::encodeName(CustomFile).toStdString());
    if (load.ok)
        applySettingsData(load.data);
}

SettingsData Rolling_Caculator::settingsData() const
{
    SettingsData data;
    data.buttons = functionButtons;
    for (int k = 0; k < HighScoreCount; ++k) {
        data.HighScoreNames[static_cast<std::size_t>(k)] = HighScoreNames[static_cast<std::size_t>(k)];
        data.HighScores[static_cast<std::size_t>(k)] = HighScores[static_cast<std::size_t>(k)];
    }
    return data;
}

void Rolling_Caculator::applySettingsData(const SettingsData& data)
{
    functionButtons = data.buttons;
    for (int k = 0; k < HighScoreCount; ++k) {
        HighScoreNames[static_cast<std::size_t>(k)] = data.HighScoreNames[static_cast<std::size_t>(k)];
        HighScores[static_cast<std::size_t>(k)] = data.HighScores[static_cast<std::size_t>(k)];
    }
    applyFunctionButtons();
}

void Rolling_Caculator::applyFunctionButtons()
{
    for (int k = 0; k < FunctionButtonCount && k < Stific.size(); ++k) {
        const FunctionButton& b = functionButtons[static_cast<std::size_t>(k)];
        Stific[k]->setCaption(toQ(b.Caption));
        Stific[k]->setToolTip(toQ(b.ToolTip));
    }
}

void Rolling_Caculator::writeSettingsFile()
{
    if (CustomFile.isEmpty())
        return;
    // A read-only file is made writable first: the new settings replace it.
    const QFileInfo info(CustomFile);
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.isFile() && (!info.isWritable() || !(info.permissions() & anyWrite)))
        QFile::setPermissions(CustomFile, info.permissions() | QFile::WriteOwner | QFile::WriteUser);
    // Failures are not reported: closing is never refused.
    saveSettingsFile(QFile::encodeName(CustomFile).toStdString(), settingsData());
}

bool Rolling_Caculator::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(e);
}

void Rolling_Caculator::Form_Activate()
{
    if (!Activated) {
        Clear_Total_Click();
        Activated = true;
        CalAmount[0]->setFocus(Qt::ActiveWindowFocusReason);
        openStartupCalculation();
    }
    ScrollNum->Refresh();
}

void Rolling_Caculator::openStartupCalculation()
{
    if (!namesCalculation(CommandLine))
        return;
    FilePath = CommandLine;
    LD_Click(5);
}

void Rolling_Caculator::closeEvent(QCloseEvent* e)
{
    if (!settingsWritten_) {
        settingsWritten_ = true;
        writeSettingsFile();
    }
    e->accept();
}

void Rolling_Caculator::MailCalc()
{
    const TotalResult r = qm::MailCalc(tape, settings, functionButtons,
                                       toStd(TotalAmount->text()), evaluator);
    TotalAmount->setText(toQ(r.text));
    TotalAmount->setForeColor(r.colour);
}

void Rolling_Caculator::fmNo()
{
    if (CurrentRow < 0 || CurrentRow >= CalAmount.size())
        return;
    EntryBox* box = CalAmount[CurrentRow];
    if (box->text().isEmpty())
        return;
    const int line = lineOfRow(CurrentRow);
    if (line < 0 || static_cast<std::size_t>(line) >= tape.size()) {
        box->clear();
        return;
    }
    box->setText(toQ(fmNoText(tape.TapeValue[static_cast<std::size_t>(line)],
                              settings.DecimalPlaces, settings.regional)));
}

int Rolling_Caculator::lineOfRow(int row) const { return scrollValue() + row; }

void Rolling_Caculator::TotalAmount_GotFocus() { TotalFocused = 1; }

void Rolling_Caculator::TotalAmount_KeyPress(int& KeyAscii) { KeyAscii = 0; }

void Rolling_Caculator::TotalAmount_KeyDown(int& KeyCode, int /*Shift*/)
{
    if (!game.running())
        return;
    if (game.keyDown(KeyCode, nowMs()))
        TotalAmount->setText(toQ(game.targets()));
}

void Rolling_Caculator::ScrollNum_KeyDown(int& /*KeyCode*/, int /*Shift*/)
{
    if (!CalAmount.isEmpty())
        CalAmount[0]->setFocus(Qt::OtherFocusReason);
}

QWidget* Rolling_Caculator::allTimers()
{
    if (!All_Timers) {
        const design::Rect r = design::AllTimers;
        All_Timers = new QWidget(centralWidget());
        All_Timers->setGeometry(r.left, r.top, r.width, r.height);
        All_Timers->setAutoFillBackground(true);
        All_Timers->hide();
        All_Timers->raise();
    }
    return All_Timers;
}

} // namespace qm::ui
