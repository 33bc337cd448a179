#pragma once

#include <QDialog>

#include <string_view>
#include <vector>

#include "game/game_info.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vantaro::app {

// Edit > Game Information: a field for every game-information property of
// the record's first node, in the groups a player thinks of (game,
// players, rules and result, source), each showing the value as the record
// holds it. What the user types is checked at once, with the reason beside
// the field: a warned value may be kept, a refused one keeps OK disabled.
// A stored value outside its syntax is shown as it is and stays untouched
// unless the user edits that field. Read-only, every field is too and
// there is only Close.
class GameInfoDialog : public QDialog {
  Q_OBJECT

 public:
  // node must outlive the dialog.
  GameInfoDialog(const Node& node, bool readOnly, QWidget* parent = nullptr);

  // The fields whose text the user changed, with what they hold (line
  // breaks as CR LF).
  std::vector<GameInfoEdit> Edits() const;

  // Each field is named by its identifier ("KM"), its reason by the
  // identifier and " reason"; OK is named "ok".
  static QString ReasonName(std::string_view identifier);

 private:
  struct Field {
    std::string_view identifier;
    QLineEdit* line = nullptr;       // every field but the game comment
    QPlainTextEdit* text = nullptr;  // the game comment, which runs over lines
    QLabel* reason = nullptr;
    QString shownAtStart;  // the value as the record holds it
  };

  QWidget* AddGroup(const char* title, std::initializer_list<std::string_view> identifiers);
  void AddField(std::string_view identifier, QGridLayout& grid, int row);
  static QString Shown(const Field& field);
  static bool Changed(const Field& field) { return Shown(field) != field.shownAtStart; }
  static std::u16string TextOf(const Field& field);
  void Check(Field& field);
  void FollowChecks();

  const Node& node_;
  bool readOnly_;
  std::vector<Field> fields_;
  QPushButton* ok_ = nullptr;
};

}  // namespace vantaro::app
