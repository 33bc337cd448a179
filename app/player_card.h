#pragma once

#include <QFrame>

#include "editor/update_sink.h"

namespace vantaro::app {

class TextLine;

// One player's card in the side panel: the name, rank and team the record
// gives, the stones the player has captured on the current path, komi on
// White's card, and a mark while it is the player's turn. It follows every
// change of the record and of the cursor through the notifications.
class PlayerCard : public QFrame, public UpdateSink {
  Q_OBJECT

 public:
  enum class Side { Black, White };

  explicit PlayerCard(Side side, QWidget* parent = nullptr);

  void SetEditor(GoEditor* editor) override;
  void OnStatusChanged() override;
  void OnBoardChanged() override;
  void OnCurrentNodeChanged(int reason, Node* current, Node* previous) override;

 private:
  // Each text is set only when it changes: a step changes the captures or
  // the turn, rarely anything else.
  void Refresh();
  TextLine* AddLine(const char* name, Qt::Alignment alignment = Qt::AlignLeft);

  Side side_;
  TextLine* name_;
  TextLine* rank_;
  TextLine* team_;
  TextLine* captures_;
  TextLine* komi_;
  TextLine* toPlay_;
};

}  // namespace vantaro::app
