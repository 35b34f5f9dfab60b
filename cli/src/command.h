#pragma once
// How a subcommand joins the command: one file per subcommand adds itself to the parser and says
// what runs when it is the command given. Adding a subcommand is adding one such file.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "run.h"
#include "shared_options.h"

namespace velunta::cli {

// What runs once the whole command line is read and checked.
using Action = std::function<int(const Environment&)>;

// What the parser knows while it is being built: the shared options and each command's action.
class Commands {
 public:
  // The command itself, for what speaks of the whole (help, completion).
  const CLI::App* root() const noexcept { return root_; }
  void set_root(const CLI::App* root) noexcept { root_ = root; }

  const SharedOptions& shared() const noexcept { return shared_; }
  SharedOptions& shared() noexcept { return shared_; }

  // Marks a command that reads none of the shared options (serve, help), so completion offers it
  // only its own. The parser still lets them stand there, as after any command.
  void TakesNoSharedOptions(const CLI::App* command) { noShared_.insert(command); }
  bool TakesSharedOptions(const CLI::App* command) const { return !noShared_.contains(command); }

  // Runs `action` when `command` is the innermost command given; `positionals` receives the
  // command's words, those after "--" included.
  void OnRun(const CLI::App* command, std::vector<std::string>* positionals, Action action) {
    actions_[command] = {positionals, std::move(action)};
  }

  struct Entry {
    std::vector<std::string>* positionals;
    Action action;
  };
  const Entry* EntryOf(const CLI::App* command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : &found->second;
  }

  // The options a group of commands shares (those of `business` for its subcommands), made on
  // first use: the group's file and each subcommand's file ask for the same T by name.
  template <class T>
  T& Group(const std::string& name) {
    auto& slot = groups_[name];
    if (!slot) slot = std::make_shared<T>();
    return *static_cast<T*>(slot.get());
  }

 private:
  const CLI::App* root_ = nullptr;
  SharedOptions shared_;
  std::map<const CLI::App*, Entry> actions_;
  std::set<const CLI::App*> noShared_;
  std::map<std::string, std::shared_ptr<void>> groups_;
};

struct CommandRegistration {
  std::string_view parent;  // "" for a command of velunta itself, else its parent's name
  int order;                // its place among its parent's commands in --help
  void (*add)(CLI::App& parent, Commands& commands);
};

// Adds a registration; each subcommand's file calls it once, at start-up:
//   const bool kRegistered = RegisterCommand({"", 10, AddCheck});
bool RegisterCommand(const CommandRegistration& registration);

// Every registration, in (parent, order) order.
std::span<const CommandRegistration> RegisteredCommands();

}  // namespace velunta::cli
