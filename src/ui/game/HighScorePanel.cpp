#include "ui/game/HighScorePanel.h"

#include "core/tape/MainWindowDesign.h"
#include "ui/controls/PixelImage.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/Twips.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>


namespace qm::ui {

namespace {

// Places of the labels, in twips of the panel.
constexpr int BestLeft = 45;
constexpr int BestTop = 45;
constexpr int NameLeft = 45;
constexpr int NameWidth = 2800;
constexpr int ScoreLeft = 2925;
constexpr int ScoreWidth = 1005;
constexpr int FirstRowTop = 405;
constexpr int RowStep = 270;
constexpr int RowHeight = 285;

} // namespace

HighScorePanel::HighScorePanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("HighScorePanel"));
    const design::Rect r = design::HighScoreArea;
    setGeometry(r.left, r.top, r.width, r.height);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(BackColor));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    QFont font(QStringLiteral("Arial"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    heading_ = new QLabel(tr("Top 20 Scores"), this);
    heading_->setObjectName(QStringLiteral("heading_"));
    heading_->move(twipsRect(BestLeft, BestTop, 0, 0).topLeft());
    heading_->adjustSize();

    for (int j = 0; j < GameTableSize; ++j) {
        const int top = FirstRowTop + RowStep * j;
        auto* name = new QLabel(this);
        name->setObjectName(QStringLiteral("names_(%1)").arg(j));
        name->setGeometry(twipsRect(NameLeft, top, NameWidth, RowHeight));
        auto* score = new QLabel(this);
        score->setObjectName(QStringLiteral("scores_(%1)").arg(j));
        score->setGeometry(twipsRect(ScoreLeft, top, ScoreWidth, RowHeight));
        names_[static_cast<std::size_t>(j)] = name;
        scores_[static_cast<std::size_t>(j)] = score;
    }
    hide();
}

void HighScorePanel::showTable(HighScoreNames names, HighScoreList scores, int base)
{
    for (int j = 0; j < GameTableSize; ++j) {
        const auto at = static_cast<std::size_t>(j);
        const long long entry = static_cast<long long>(base) + j;
        const bool inNames = entry >= 0 && static_cast<std::size_t>(entry) < names.size();
        const bool inScores = entry >= 0 && static_cast<std::size_t>(entry) < scores.size();
        names_[at]->setText(inNames ? toQ(nameText(names[static_cast<std::size_t>(entry)]))
                                     : QString());
        scores_[at]->setText(inScores ? toQ(scoreText(scores[static_cast<std::size_t>(entry)]))
                                         : QString());
    }
}

} // namespace qm::ui
