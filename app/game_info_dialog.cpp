#include "app/game_info_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/comment_view.h"
#include "property/game_info_syntax.h"

namespace vantaro::app {
namespace {

QString Latin(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ReasonColour(ValueVerdict verdict) {
  return verdict == ValueVerdict::Refused ? QColor(0xB0, 0x00, 0x20) : QColor(0x9A, 0x5B, 0x00);
}

}  // namespace

GameInfoDialog::GameInfoDialog(const Node& node, bool readOnly, QWidget* parent)
    : QDialog(parent), node_(node), readOnly_(readOnly) {
  setObjectName(QStringLiteral("gameInformation"));
  setWindowTitle(readOnly ? QStringLiteral("Game Information (read-only)")
                          : QStringLiteral("Game Information"));
  fields_.reserve(GameInfoIdentifiers().size());
  auto* columns = new QGridLayout;
  columns->addWidget(AddGroup("Game", {"GN", "EV", "RO", "DT", "PC", "GC"}), 0, 0, 2, 1);
  columns->addWidget(AddGroup("Players", {"PB", "BR", "BT", "PW", "WR", "WT"}), 0, 1);
  columns->addWidget(AddGroup("Rules and Result", {"RU", "KM", "HA", "TM", "OT", "RE"}), 1, 1);
  columns->addWidget(AddGroup("Source", {"SO", "US", "AN", "CP", "ON"}), 2, 0, 1, 2);
  auto* buttons = new QDialogButtonBox(
      readOnly ? QDialogButtonBox::Close : QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  if (ok_ != nullptr) ok_->setObjectName(QStringLiteral("ok"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(buttons);
  for (Field& field : fields_) Check(field);
}

QString GameInfoDialog::ReasonName(std::string_view identifier) {
  return Latin(identifier) + QStringLiteral(" reason");
}

QWidget* GameInfoDialog::AddGroup(const char* title,
                                  std::initializer_list<std::string_view> identifiers) {
  auto* group = new QGroupBox(QString::fromUtf8(title), this);
  auto* grid = new QGridLayout(group);
  grid->setColumnStretch(1, 1);
  int row = 0;
  for (const std::string_view identifier : identifiers) AddField(identifier, *grid, row++);
  return group;
}

void GameInfoDialog::AddField(std::string_view identifier, QGridLayout& grid, int row) {
  // The identifiers come from the game-information list, which outlives every dialog.
  Field& field = fields_.emplace_back();
  field.identifier = *FindGameInfoIdentifier(identifier);
  const std::u16string value = GameInfoValue(node_, identifier).value_or(u"");
  QWidget* editor = nullptr;
  if (identifier == "GC") {
    field.text = new QPlainTextEdit(this);
    field.text->setPlainText(CCommentView::DisplayText(value));
    field.text->setReadOnly(readOnly_);
    field.text->setTabChangesFocus(true);
    field.text->setFixedHeight(field.text->fontMetrics().lineSpacing() * 5);
    connect(field.text, &QPlainTextEdit::textChanged, this,
            [this, index = fields_.size() - 1] { Check(fields_[index]); });
    editor = field.text;
  } else {
    field.line = new QLineEdit(QString::fromStdU16String(value), this);
    field.line->setReadOnly(readOnly_);
    field.line->setCursorPosition(0);
    connect(field.line, &QLineEdit::textEdited, this,
            [this, index = fields_.size() - 1] { Check(fields_[index]); });
    editor = field.line;
  }
  editor->setObjectName(Latin(identifier));
  field.shownAtStart = Shown(field);
  field.reason = new QLabel(this);
  field.reason->setObjectName(ReasonName(identifier));
  field.reason->setWordWrap(true);
  field.reason->setMaximumWidth(260);
  auto* label = new QLabel(Latin(GameInfoLabel(identifier)) + u':', this);
  label->setBuddy(editor);
  grid.addWidget(label, row, 0, Qt::AlignTop);
  grid.addWidget(editor, row, 1);
  grid.addWidget(field.reason, row, 2);
}

QString GameInfoDialog::Shown(const Field& field) {
  return field.text != nullptr ? field.text->document()->toRawText() : field.line->text();
}

std::u16string GameInfoDialog::TextOf(const Field& field) {
  if (field.text != nullptr) return CCommentView::StoredText(Shown(field));
  return Shown(field).toStdU16String();
}

void GameInfoDialog::Check(Field& field) {
  const ValueCheck check = CheckGameInfoValue(field.identifier, TextOf(field));
  QString reason = QString::fromStdU16String(std::u16string(check.reason));
  // A value the record already held stays as it is until the user edits it.
  if (!Changed(field) && !reason.isEmpty()) reason += QStringLiteral(" (kept as it is)");
  field.reason->setText(reason);
  QPalette colours = field.reason->palette();
  colours.setColor(QPalette::WindowText, ReasonColour(check.verdict));
  field.reason->setPalette(colours);
  FollowChecks();
}

void GameInfoDialog::FollowChecks() {
  if (ok_ == nullptr) return;
  bool refused = false;
  for (const Field& field : fields_) {
    refused =
        refused || (Changed(field) && CheckGameInfoValue(field.identifier, TextOf(field)).verdict ==
                                          ValueVerdict::Refused);
  }
  ok_->setEnabled(!refused);
}

std::vector<GameInfoEdit> GameInfoDialog::Edits() const {
  std::vector<GameInfoEdit> edits;
  for (const Field& field : fields_) {
    if (Changed(field)) edits.push_back({field.identifier, TextOf(field)});
  }
  return edits;
}

}  // namespace vantaro::app
