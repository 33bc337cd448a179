#include "app/side_panel.h"

#include <QSplitter>
#include <QVBoxLayout>

#include "app/player_card.h"
#include "app/position_line.h"
#include "app/repair_notice.h"
#include "app/window_settings.h"

namespace vantaro::app {

SidePanel::SidePanel(const Options& options, WindowSettings& settings, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      white_(new PlayerCard(PlayerCard::Side::White, this)),
      black_(new PlayerCard(PlayerCard::Side::Black, this)),
      position_(new PositionLine(options, this)),
      notice_(new RepairNotice(this)),
      splitter_(new QSplitter(Qt::Vertical, this)) {
  setObjectName(QStringLiteral("sidePanel"));
  splitter_->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(white_);
  layout->addWidget(black_);
  layout->addWidget(position_);
  layout->addWidget(notice_);
  layout->addWidget(splitter_, 1);
  connect(splitter_, &QSplitter::splitterMoved, this,
          [this] { settings_.sidePanelSplit = splitter_->sizes(); });
}

std::vector<UpdateSink*> SidePanel::Panes() const {
  return {white_, black_, position_, notice_};
}

void SidePanel::HoldCommentPane(QWidget& pane) {
  splitter_->insertWidget(0, &pane);
  pane.show();
  RestoreSplit();
}

void SidePanel::SetTreePane(QWidget* pane) {
  if (treePane_ != nullptr && treePane_ != pane) {
    // Out of the splitter but alive: the document may still have it attached.
    treePane_->hide();
    treePane_->setParent(this);
  }
  treePane_ = pane;
  if (pane == nullptr) return;
  splitter_->addWidget(pane);
  pane->show();
  RestoreSplit();
}

void SidePanel::RestoreSplit() {
  if (settings_.sidePanelSplit.size() == splitter_->count()) {
    splitter_->setSizes(settings_.sidePanelSplit);
  }
}

}  // namespace vantaro::app
