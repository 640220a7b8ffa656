#include "ui/game/GameController.h"

#include "ui/game/HighScorePanel.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/Translations.h"

#include <QCoreApplication>

#include <QInputDialog>
#include <QLineEdit>

namespace qm::ui {

GameController::GameController(GameSession& session, GameHost& host, HighScorePanel& panel,
                               QObject* parent)
    : QObject(parent), session_(session), host_(host), panel_(panel)
{
    clock_.setObjectName(QStringLiteral("gameClock"));
    connect(&clock_, &QTimer::timeout, this, &GameController::tick);
}

bool GameController::startGame(GameKind kind)
{
    if (!session_.start(static_cast<int>(kind), host_.nowMs()))
        return false;
    host_.setTotalAlignment(Qt::AlignRight | Qt::AlignVCenter);
    clock_.setInterval(session_.interval());
    clock_.start();
    host_.setTotalLocked(false);
    host_.focusTotal();
    panel_.showTable(host_.highScoreNames(), host_.highScores(), session_.tableBase());
    panel_.show();
    panel_.raise();
    return true;
}

void GameController::tick()
{
    const GameTick tick = session_.tick(host_.nowMs());
    switch (tick.kind) {
    case GameTick::Kind::Idle:
        clock_.stop();
        return;
    case GameTick::Kind::Grew:
        if (clock_.interval() != session_.interval())
            clock_.setInterval(session_.interval());
        host_.setTotalText(toQ(tick.text));
        return;
    case GameTick::Kind::Invaded:
        endGame(tick);
        return;
    }
}

void GameController::endGame(const GameTick& tick)
{
    clock_.stop();
    host_.setTotalAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    host_.setTotalText(shownGameText(tick.text));

    const std::optional<int> place =
        makeRoomForScore(host_.highScoreNames(), host_.highScores(), tick.tableBase, tick.finalScore);
    if (place) {
        const QString name = prompt_ ? prompt_(panel_.window()) : QString();
        enterHighScore(host_.highScoreNames(), host_.highScores(), *place, toStd(name),
                       tick.finalScore);
        // The name entry may have taken a while; the pause follows it.
        session_.restartPause(host_.nowMs());
    }
    panel_.hide();
    host_.setTotalLocked(true);
    emit gameOver(tick.finalScore, place.value_or(-1));
}

bool GameController::keyOnTotal(int virtualKey)
{
    if (!session_.keyDown(virtualKey, host_.nowMs()))
        return false;
    host_.setTotalText(toQ(session_.targets()));
    return true;
}

bool GameController::keypadKey(int key)
{
    if (!session_.running())
        return false;
    session_.keypadButton(key, host_.nowMs());
    host_.setTotalText(toQ(session_.targets()));
    return true;
}

QString GameController::shownGameText(const std::string& text)
{
    const QString shown = toQ(text);
    const QString invaded = QString::fromLatin1(GameInvadedText);
    if (!shown.startsWith(invaded))
        return shown;
    return QCoreApplication::translate("DesignTexts", GameInvadedText) + shown.mid(invaded.size());
}

QString GameController::askName(QWidget* parent)
{
    // Enter takes the name, Escape or Cancel leaves it empty; the label's
    // access key leads to the name box. The question is the box's text,
    // which wraps; its title stays short.
    QInputDialog dialog(parent);
    dialog.setWindowTitle(messageTitle());
    dialog.setLabelText(tr(PromptTitle) + QLatin1Char('\n') + tr(PromptLabel));
    dialog.setOkButtonText(tr("&OK"));
    dialog.setCancelButtonText(tr("&Cancel"));
    dialog.setInputMode(QInputDialog::TextInput);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

} // namespace qm::ui
