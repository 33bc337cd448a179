#include "app/command_binder.h"

#include <QAction>
#include <QKeySequence>

#include "document/command_table.h"

namespace vantaro::app {
namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Every key of a command ("Ctrl+Z, Alt+Backspace", "Left", "Return, Enter").
QList<QKeySequence> Shortcuts(std::string_view keys) {
  QList<QKeySequence> sequences;
  for (const QString& key : Utf8(keys).split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
    sequences.append(QKeySequence::fromString(key));
  }
  return sequences;
}

}  // namespace

CommandBinder::CommandBinder(const CommandTable& table, QObject* parent)
    : QObject(parent), table_(table) {}

QAction* CommandBinder::Action(int id) {
  if (auto found = actions_.find(id); found != actions_.end()) return found->second;
  const Command* command = table_.Find(id);
  auto* action = new QAction(Utf8(command->menuText), this);
  action->setCheckable(static_cast<bool>(command->checked));
  action->setShortcuts(Shortcuts(command->keys));
  connect(action, &QAction::triggered, this, [this, id] { Run(id); });
  actions_.emplace(id, action);
  return action;
}

bool CommandBinder::Run(int id) {
  const bool ran = table_.Run(id);
  ScheduleRefresh();
  HoldRepeatsUntilShown(id);
  return ran;
}

// Only the action that ran can be repeating: turning the repeats of every
// action off and on again would make Qt grab all their shortcuts afresh,
// twice a step, which costs more than the step.
void CommandBinder::HoldRepeatsUntilShown(int id) {
  const auto found = actions_.find(id);
  if (found == actions_.end() || !found->second->autoRepeat()) return;
  found->second->setAutoRepeat(false);
  held_.push_back(found->second);
  if (held_.size() > 1) return;
  // Twice queued: the repaints the command asked for come first.
  QMetaObject::invokeMethod(
      this,
      [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
              for (QAction* action : held_) action->setAutoRepeat(true);
              held_.clear();
            },
            Qt::QueuedConnection);
      },
      Qt::QueuedConnection);
}

void CommandBinder::Refresh() {
  for (const auto& [id, action] : actions_) {
    const Command* command = table_.Find(id);
    action->setEnabled(command->IsEnabled());
    if (action->isCheckable()) action->setChecked(command->IsChecked());
  }
  emit refreshed();
}

void CommandBinder::ScheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        refreshPending_ = false;
        Refresh();
      },
      Qt::QueuedConnection);
}

}  // namespace vantaro::app
