#include "app/player_card.h"

#include <QGridLayout>
#include <QLabel>

#include "app/text_line.h"
#include "editor/go_editor.h"

namespace vantaro::app {
namespace {

struct SideInfo {
  const char* colour;
  const char* stone;
  std::string_view player;
  std::string_view rank;
  std::string_view team;
};

SideInfo InfoOf(PlayerCard::Side side) {
  if (side == PlayerCard::Side::Black) return {"Black", "\u25CF", "PB", "BR", "BT"};
  return {"White", "\u25CB", "PW", "WR", "WT"};
}

QString ValueOf(const Node* node, std::string_view identifier) {
  if (node == nullptr) return {};
  const auto value = GameInfoValue(*node, identifier);
  return value ? QString::fromStdU16String(*value).simplified() : QString();
}

}  // namespace

PlayerCard::PlayerCard(Side side, QWidget* parent)
    : QFrame(parent),
      side_(side),
      name_(AddLine("name")),
      rank_(AddLine("rank", Qt::AlignRight)),
      team_(AddLine("team")),
      captures_(AddLine("captures")),
      komi_(AddLine("komi", Qt::AlignRight)),
      toPlay_(AddLine("toPlay")) {
  setObjectName(QString::fromUtf8(InfoOf(side).colour));
  setFrameShape(QFrame::StyledPanel);
  QFont bold = name_->font();
  bold.setBold(true);
  name_->setFont(bold);
  toPlay_->setFont(bold);
  komi_->setVisible(side == Side::White);
  rank_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  komi_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* stone = new QLabel(QString::fromUtf8(InfoOf(side).stone), this);
  auto* layout = new QGridLayout(this);
  layout->addWidget(stone, 0, 0);
  layout->addWidget(name_, 0, 1);
  layout->addWidget(rank_, 0, 2);
  layout->addWidget(team_, 1, 1, 1, 2);
  layout->addWidget(captures_, 2, 1);
  layout->addWidget(komi_, 2, 2);
  layout->addWidget(toPlay_, 3, 1, 1, 2);
  layout->setColumnStretch(1, 1);
  Refresh();
}

TextLine* PlayerCard::AddLine(const char* name, Qt::Alignment alignment) {
  auto* line = new TextLine(this, alignment);
  line->setObjectName(QString::fromUtf8(name));
  return line;
}

void PlayerCard::SetEditor(GoEditor* editor) {
  UpdateSink::SetEditor(editor);
  Refresh();
}

void PlayerCard::OnStatusChanged() {
  Refresh();
}

void PlayerCard::OnBoardChanged() {
  Refresh();
}

void PlayerCard::OnCurrentNodeChanged(int, Node*, Node*) {
  Refresh();
}

void PlayerCard::Refresh() {
  const SideInfo info = InfoOf(side_);
  const GoEditor* shown = editor();
  const Node* game = shown != nullptr ? shown->GameInfoNode() : nullptr;
  const QString name = ValueOf(game, info.player);
  name_->setText(name.isEmpty() ? QString::fromUtf8(info.colour) : name);
  rank_->setText(ValueOf(game, info.rank));
  team_->setText(ValueOf(game, info.team));
  team_->setVisible(!team_->text().isEmpty());
  const bool white = side_ == Side::White;
  const int captured =
      shown == nullptr ? 0 : (white ? shown->capturesByWhite() : shown->capturesByBlack());
  captures_->setText(QStringLiteral("Captures: %1").arg(captured));
  const QString komi = white ? ValueOf(game, "KM") : QString();
  komi_->setText(komi.isEmpty() ? QString() : QStringLiteral("Komi: %1").arg(komi));
  const bool toPlay = shown != nullptr && shown->blackToPlay() != white;
  toPlay_->setText(toPlay ? QStringLiteral("\u25B6 to play") : QString());
}

}  // namespace vantaro::app
