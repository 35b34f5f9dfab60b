// velunta help [COMMAND...]: the same text as velunta [COMMAND...] --help

#include <memory>

#include "arguments.h"
#include "command.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

int RunHelp(const std::vector<std::string>& path, const Commands& commands,
            const Environment& env) {
  const CLI::App* command = commands.root();
  std::string reached = "velunta";
  for (const auto& name : path) {
    const CLI::App* sub = nullptr;
    for (const CLI::App* candidate : command->get_subcommands({})) {
      if (candidate->get_name() == name) sub = candidate;
    }
    if (sub == nullptr) {
      std::string accepted;
      for (const CLI::App* candidate : command->get_subcommands({})) {
        accepted += (accepted.empty() ? "" : ", ") + candidate->get_name();
      }
      throw UsageError("unknown command " + Quoted(name) + " for " + Quoted(reached) +
                       "; accepted: " + accepted + " (see velunta help)");
    }
    command = sub;
    reached += " " + name;
  }
  // The formatter, not help(): help() shows the command given, which here is `help` itself.
  env.out << command->get_formatter()->make_help(command, reached, CLI::AppFormatMode::Normal);
  return kStatusOk;
}

void AddHelp(CLI::App& parent, Commands& commands) {
  auto* help = parent.add_subcommand("help", "Describe the command or one of its commands");
  auto path = std::make_shared<std::vector<std::string>>();
  help->add_option("COMMAND", *path, "a command, e.g. check or business add")->type_name("");
  commands.TakesNoSharedOptions(help);
  commands.OnRun(help, path.get(), [path, &commands](const Environment& env) {
    return RunHelp(*path, commands, env);
  });
}

const bool kRegistered = RegisterCommand({"", 90, AddHelp});

}  // namespace
}  // namespace velunta::cli
