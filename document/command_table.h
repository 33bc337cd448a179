#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantaro {

class CVantaroCEDoc;

// One menu, command-bar or key command: what it does and when it is enabled
// and checked. The shell binds these to its menus and buttons.
struct Command {
  int id;
  std::string_view menuText;   // with '&' for the mnemonic and "\t" before the shortcut
  std::string_view keys = {};  // accelerators and hardware keys, e.g. "Ctrl+Z, Alt+Backspace"
  std::function<void()> run = {};
  std::function<bool()> enabled = {};  // empty: always enabled
  std::function<bool()> checked = {};  // empty: never checked

  bool IsEnabled() const { return !enabled || enabled(); }
  bool IsChecked() const { return checked && checked(); }
};

// Every command of the document, menu by menu.
class CommandTable {
 public:
  explicit CommandTable(CVantaroCEDoc& document);

  const std::vector<Command>& commands() const { return commands_; }
  const Command* Find(int id) const;
  // By the menu text without '&', without the part from the tab on and
  // without a trailing "...": "Next", "Save As", "To Move Number".
  const Command* FindByName(std::string_view name) const;

  // Runs the command if it is enabled; false when it is not.
  bool Run(int id) const;

 private:
  std::vector<Command> commands_;
};

// The name FindByName knows a menu text by.
std::string CommandName(std::string_view menuText);

}  // namespace vantaro
