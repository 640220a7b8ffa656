#pragma once
// The score panel shown over the tape while a game runs: the heading "Top 20
// Scores" and the names and scores of the running game's table, black on
// light red.

#include "core/game/GameScores.h"

#include <QFrame>
#include <QRect>

#include <array>

class QLabel;

namespace qm::ui {

class HighScorePanel : public QFrame {
    Q_OBJECT
public:
    static constexpr unsigned BackColor = 0xC0C0FF;   // 0x00BBGGRR

    // Placed at the design place over the tape area of `parent`; hidden.
    explicit HighScorePanel(QWidget* parent = nullptr);


    // Shows entries base..base + 19: names as text, scores in decimal.
    // Entries beyond the arrays show empty.
    void showTable(HighScoreNames names, HighScoreList scores, int base);

    // Row `row`'s name and score labels.
    QLabel* nameLabel(int row) const { return names_.at(static_cast<std::size_t>(row)); }
    QLabel* scoreLabel(int row) const { return scores_.at(static_cast<std::size_t>(row)); }

private:
    QLabel* heading_ = nullptr;
    std::array<QLabel*, GameTableSize> names_{};
    std::array<QLabel*, GameTableSize> scores_{};
};

} // namespace qm::ui
