// velunta completion bash|zsh|fish: a completion script made from the parser itself, so the
// commands, options and values it offers are always the ones the command accepts.

#include <map>
#include <memory>
#include <sstream>

#include "arguments.h"
#include "command.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

struct CommandInfo {
  std::string path;  // "" for velunta itself, "business add" for a subcommand
  std::string description;
  std::vector<std::string> commands;  // its subcommands' names
  std::vector<std::string> options;   // its long options and those it inherits, "--format"
};

// Returns the values an option takes, from its type name "text|csv|json|ics"; empty when it
// takes a free value or none.
std::vector<std::string> ChoicesOf(const CLI::Option& option) {
  std::vector<std::string> choices;
  const std::string type = option.get_type_name();
  if (type.find('|') == std::string::npos) return choices;
  std::istringstream words(type);
  for (std::string word; std::getline(words, word, '|');) choices.push_back(word);
  return choices;
}

void Collect(const CLI::App& command, const std::string& path, std::vector<std::string> inherited,
             std::vector<CommandInfo>& into, std::map<std::string, const CLI::Option*>& options) {
  CommandInfo info{path, command.get_description(), {}, std::move(inherited)};
  for (const CLI::Option* option : command.get_options()) {
    for (const auto& name : option->get_lnames()) {
      info.options.push_back("--" + name);
      options.emplace("--" + name, option);
    }
  }
  for (const CLI::App* sub : command.get_subcommands({})) info.commands.push_back(sub->get_name());
  into.push_back(info);
  for (const CLI::App* sub : command.get_subcommands({})) {
    Collect(*sub, path.empty() ? sub->get_name() : path + " " + sub->get_name(), info.options, into,
            options);
  }
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

void WriteBash(const std::vector<CommandInfo>& commands,
               const std::map<std::string, const CLI::Option*>& options, std::ostream& out) {
  out << "# bash completion for velunta (velunta completion bash)\n"
         "_velunta() {\n"
         "  local cur=\"${COMP_WORDS[COMP_CWORD]}\" prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
         "  local path=\"\" word i\n"
         "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
         "    word=\"${COMP_WORDS[i]}\"\n"
         "    case \"${path:+$path }$word\" in\n";
  for (const auto& command : commands) {
    if (!command.path.empty())
      out << "      \"" << command.path << "\") path=\"" << command.path << "\" ;;\n";
  }
  out << "    esac\n"
         "  done\n"
         "  case \"$prev\" in\n";
  for (const auto& [name, option] : options) {
    const auto choices = ChoicesOf(*option);
    if (!choices.empty()) {
      out << "    " << name << ") COMPREPLY=($(compgen -W \"" << Joined(choices)
          << "\" -- \"$cur\")); return ;;\n";
    } else if (name == "--calendar") {
      out << "    " << name << ") COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n";
    }
  }
  out << "  esac\n"
         "  local words\n"
         "  case \"$path\" in\n";
  for (const auto& command : commands) {
    std::vector<std::string> words = command.commands;
    words.insert(words.end(), command.options.begin(), command.options.end());
    out << "    \"" << command.path << "\") words=\"" << Joined(words) << "\" ;;\n";
  }
  out << "  esac\n"
         "  COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
         "}\n"
         "complete -F _velunta velunta\n";
}

void WriteFish(const std::vector<CommandInfo>& commands,
               const std::map<std::string, const CLI::Option*>& options, std::ostream& out) {
  out << "# fish completion for velunta (velunta completion fish)\n"
         "complete -c velunta -f\n";
  for (const auto& command : commands) {
    for (const CommandInfo& sub : commands) {
      const auto parentEnd = sub.path.rfind(' ');
      const std::string parent =
          parentEnd == std::string::npos ? "" : sub.path.substr(0, parentEnd);
      if (sub.path.empty() || parent != command.path) continue;
      const std::string name = sub.path.substr(parentEnd == std::string::npos ? 0 : parentEnd + 1);
      std::string condition;
      if (command.path.empty()) {
        condition = "__fish_use_subcommand";
      } else {
        const std::string last = command.path.substr(command.path.rfind(' ') + 1);
        condition = "__fish_seen_subcommand_from " + last +
                    "; and not __fish_seen_subcommand_from " + Joined(command.commands);
      }
      std::string description = sub.description;
      for (auto& c : description) {
        if (c == '\'') c = ' ';
      }
      out << "complete -c velunta -n '" << condition << "' -a " << name << " -d '"
          << description.substr(0, 60) << "'\n";
    }
  }
  for (const auto& [name, option] : options) {
    const auto choices = ChoicesOf(*option);
    out << "complete -c velunta -l " << name.substr(2);
    if (!choices.empty()) out << " -xa '" << Joined(choices) << "'";
    if (name == "--calendar") out << " -rF";
    out << '\n';
  }
}

int RunCompletion(const std::vector<std::string>& args, const Commands& commands,
                  const Environment& env) {
  if (args.size() != 1 || (args[0] != "bash" && args[0] != "zsh" && args[0] != "fish")) {
    throw UsageError(
        std::string(args.empty() ? "no shell given" : "unknown shell: " + Quoted(args[0])) +
        "; accepted: completion bash, completion zsh or completion fish");
  }
  std::vector<CommandInfo> tree;
  std::map<std::string, const CLI::Option*> options;
  Collect(*commands.root(), "", {}, tree, options);
  if (args[0] == "fish") {
    WriteFish(tree, options, env.out);
  } else {
    if (args[0] == "zsh") {
      // zsh runs the bash function through its bash-completion layer.
      env.out << "#compdef velunta\nautoload -U +X bashcompinit && bashcompinit\n";
    }
    WriteBash(tree, options, env.out);
  }
  return kStatusOk;
}

void AddCompletion(CLI::App& parent, Commands& commands) {
  auto* completion =
      parent.add_subcommand("completion", "Print a completion script for bash, zsh or fish");
  auto args = std::make_shared<std::vector<std::string>>();
  completion->add_option("SHELL", *args, "bash, zsh or fish")->type_name("");
  completion->footer(
      "Examples: velunta completion bash > ~/.local/share/bash-completion/completions/velunta\n"
      "          velunta completion fish > ~/.config/fish/completions/velunta.fish");
  commands.OnRun(completion, args.get(), [args, &commands](const Environment& env) {
    return RunCompletion(*args, commands, env);
  });
}

const bool kRegistered = RegisterCommand({"", 95, AddCompletion});

}  // namespace
}  // namespace velunta::cli
