#pragma once

#include <QObject>

#include <map>
#include <vector>

class QAction;

namespace vantaro {
class CommandTable;
}

namespace vantaro::app {

// Binds the document's commands to actions: one action per command id,
// shared by the menus and the command bar, with the command's menu text and
// keys as its shortcuts. A command runs only while its enable rule holds;
// after it ran, every action takes its enabled and checked state afresh,
// once the events the command caused have been handled.
// A held key repeats faster than a large record may be stepped through: a
// repeat that comes before the last command's result was shown is dropped,
// so that steps never queue up behind the screen.
class CommandBinder : public QObject {
  Q_OBJECT

 public:
  // table must outlive the binder.
  CommandBinder(const CommandTable& table, QObject* parent);

  // The action of a command of the table, made on first use.
  QAction* Action(int id);
  // Runs the command when it is enabled (false when it is not), then
  // schedules a refresh.
  bool Run(int id);
  // Every action's enabled and checked state from the command's rules.
  void Refresh();
  // Refresh once the events being handled now are done: the changes of one
  // step (the command, its notifications, a pane's own) cost one refresh.
  void ScheduleRefresh();

 signals:
  // The states are fresh: what follows a command's state may follow too.
  void refreshed();

 private:
  void HoldRepeatsUntilShown(int id);

  const CommandTable& table_;
  std::map<int, QAction*> actions_;  // owned as children of the binder
  std::vector<QAction*> held_;       // actions whose repeats wait for the screen
  bool refreshPending_ = false;
};

}  // namespace vantaro::app
