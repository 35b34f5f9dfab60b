// velunta completion bash|zsh|fish: a completion script made from the parser itself, so the
// commands, options and values it offers are always the ones the command accepts.

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>

#include "arguments.h"
#include "command.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

// The shells a script is written for: the words `completion` takes.
constexpr std::string_view kShells[] = {"bash", "zsh", "fish"};

struct CommandInfo {
  std::string path;  // "" for velunta itself, "business add" for a subcommand
  std::string description;
  std::vector<std::string> commands;        // its subcommands' names
  std::vector<std::string> choices;         // the words its positional takes, if a choice
  std::vector<const CLI::Option*> options;  // the long options it reads, inherited ones too
};

// Returns the values an option or a positional takes, from its type name "text|csv|json|ics";
// empty when it takes a free value or none.
std::vector<std::string> ChoicesOf(const CLI::Option& option) {
  std::vector<std::string> choices;
  const std::string type = option.get_type_name();
  if (type.find('|') == std::string::npos) return choices;
  std::istringstream words(type);
  for (std::string word; std::getline(words, word, '|');) choices.push_back(word);
  return choices;
}

// Returns the first long name of an option, "--format"; empty for a positional.
std::string LongName(const CLI::Option& option) {
  const auto& names = option.get_lnames();
  return names.empty() ? std::string() : "--" + names.front();
}

// Adds the command and those below it. `handed` are the options its parents hand on to it: those
// of `business` to its commands, and the shared ones to each command that reads them.
void Collect(const CLI::App& command, const std::string& path,
             const std::vector<const CLI::Option*>& handed, const Commands& commands,
             std::vector<CommandInfo>& into) {
  CommandInfo info{path, command.get_description(), {}, {}, {}};
  std::vector<const CLI::Option*> handOn;
  for (const CLI::Option* option : command.get_options()) {
    if (LongName(*option).empty()) {
      for (auto& choice : ChoicesOf(*option)) info.choices.push_back(std::move(choice));
      continue;
    }
    info.options.push_back(option);
    // Help is each command's own; the version is the tool's alone.
    const bool own = option == command.get_help_ptr() || option == command.get_version_ptr();
    if (!own) handOn.push_back(option);
  }
  if (commands.TakesSharedOptions(&command) || path.empty()) {
    info.options.insert(info.options.end(), handed.begin(), handed.end());
    handOn.insert(handOn.end(), handed.begin(), handed.end());
  }
  for (const CLI::App* sub : command.get_subcommands({})) info.commands.push_back(sub->get_name());
  into.push_back(info);
  for (const CLI::App* sub : command.get_subcommands({})) {
    const std::string subPath = path.empty() ? sub->get_name() : path + " " + sub->get_name();
    Collect(*sub, subPath, handOn, commands, into);
  }
}

// Returns every command, and for `help` the commands it describes: "help business" offers
// business's commands.
std::vector<CommandInfo> Tree(const Commands& commands) {
  std::vector<CommandInfo> tree;
  Collect(*commands.root(), "", {}, commands, tree);
  std::vector<CommandInfo> described;
  for (const auto& command : tree) {
    if (command.path == "help") continue;
    const std::string path = command.path.empty() ? "help" : "help " + command.path;
    described.push_back({path, command.description, command.commands, {}, {}});
  }
  // `help` itself is a command with its --help, and takes velunta's commands.
  for (auto& command : tree) {
    if (command.path == "help") command.commands = described.front().commands;
  }
  tree.insert(tree.end(), described.begin() + 1, described.end());
  return tree;
}

// Returns each option by its long name, once: the values to offer after it.
std::map<std::string, const CLI::Option*> OptionsByName(const std::vector<CommandInfo>& tree) {
  std::map<std::string, const CLI::Option*> options;
  for (const auto& command : tree) {
    for (const CLI::Option* option : command.options) options.emplace(LongName(*option), option);
  }
  return options;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& word : words) text.append(text.empty() ? "" : " ").append(word);
  return text;
}

// Returns what a command offers in place of a word: its commands or choices, then its options.
std::string Offered(const CommandInfo& command) {
  std::vector<std::string> words = command.commands;
  words.insert(words.end(), command.choices.begin(), command.choices.end());
  for (const CLI::Option* option : command.options) words.push_back(LongName(*option));
  return Joined(words);
}

// Returns a description fit for a single-quoted shell word, cut at its first sentence's end.
std::string ShortDescription(std::string text) {
  for (auto& c : text) {
    if (c == '\'' || c == '\n') c = ' ';
  }
  if (const auto stop = text.find(". "); stop != std::string::npos) text.resize(stop);
  return text;
}

void WriteBash(const std::vector<CommandInfo>& tree, std::ostream& out) {
  out << "# bash completion for velunta (velunta completion bash)\n"
         "_velunta() {\n"
         "  local cur=\"${COMP_WORDS[COMP_CWORD]}\" prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
         "  local path=\"\" word i\n"
         "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
         "    word=\"${COMP_WORDS[i]}\"\n"
         "    case \"${path:+$path }$word\" in\n";
  for (const auto& command : tree) {
    if (!command.path.empty())
      out << "      \"" << command.path << "\") path=\"" << command.path << "\" ;;\n";
  }
  // bash splits --format=cs at '=' (COMP_WORDBREAKS) into --format, = and cs; zsh's bash layer
  // keeps it one word, whose completions then carry the --format= back.
  out << "    esac\n"
         "  done\n"
         "  local option=\"$prev\" value=\"$cur\" prefix=\"\"\n"
         "  if [[ \"$cur\" == --*=* ]]; then\n"
         "    option=\"${cur%%=*}\" value=\"${cur#*=}\" prefix=\"${cur%%=*}=\"\n"
         "  elif [[ \"$cur\" == \"=\" ]]; then\n"
         "    value=\"\"\n"
         "  elif [[ \"$prev\" == \"=\" ]]; then\n"
         "    option=\"${COMP_WORDS[COMP_CWORD-2]}\"\n"
         "  fi\n"
         "  local values=\"\"\n"
         "  case \"$option\" in\n";
  for (const auto& [name, option] : OptionsByName(tree)) {
    const auto choices = ChoicesOf(*option);
    if (!choices.empty()) {
      out << "    " << name << ") values=\"" << Joined(choices) << "\" ;;\n";
    } else if (name == "--calendar") {
      out << "    " << name << ") COMPREPLY=($(compgen -f -- \"$value\")); return ;;\n";
    }
  }
  out << "  esac\n"
         "  if [[ -n \"$values\" ]]; then\n"
         "    COMPREPLY=($(compgen -P \"$prefix\" -W \"$values\" -- \"$value\"))\n"
         "    return\n"
         "  fi\n"
         "  local words=\"\"\n"
         "  case \"$path\" in\n";
  for (const auto& command : tree) {
    out << "    \"" << command.path << "\") words=\"" << Offered(command) << "\" ;;\n";
  }
  out << "  esac\n"
         "  COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
         "}\n"
         "complete -F _velunta velunta\n";
}

// fish names no path of commands itself, and `next` is both velunta's and business's: the
// script finds the path as the bash one does.
void WriteFish(const std::vector<CommandInfo>& tree, std::ostream& out) {
  out << "# fish completion for velunta (velunta completion fish)\n"
         "function __velunta_path\n"
         "    set -l path ''\n"
         "    for word in (commandline -opc)[2..-1]\n"
         "        set -l next (string trim -- \"$path $word\")\n"
         "        switch $next\n"
         "            case";
  for (const auto& command : tree) {
    if (!command.path.empty()) out << " '" << command.path << "'";
  }
  out << "\n"
         "                set path $next\n"
         "        end\n"
         "    end\n"
         "    echo $path\n"
         "end\n"
         "function __velunta_at\n"
         "    test (__velunta_path) = \"$argv[1]\"\n"
         "end\n"
         "complete -c velunta -f\n";
  std::map<std::string, std::string> descriptions;
  for (const auto& command : tree) descriptions[command.path] = command.description;
  for (const auto& command : tree) {
    const std::string at = "-n '__velunta_at \"" + command.path + "\"'";
    const std::string prefix = command.path.empty() ? "" : command.path + " ";
    // help's words are the commands it describes, named as velunta's own.
    const std::string described = command.path == "help"              ? ""
                                  : command.path.starts_with("help ") ? command.path.substr(5) + " "
                                                                      : prefix;
    for (const auto& name : command.commands) {
      out << "complete -c velunta " << at << " -a " << name << " -d '"
          << ShortDescription(descriptions[described + name]) << "'\n";
    }
    if (!command.choices.empty()) {
      out << "complete -c velunta " << at << " -xa '" << Joined(command.choices) << "'\n";
    }
    for (const CLI::Option* option : command.options) {
      out << "complete -c velunta " << at << " -l " << LongName(*option).substr(2);
      const auto choices = ChoicesOf(*option);
      if (!choices.empty()) {
        out << " -xa '" << Joined(choices) << "'";
      } else if (LongName(*option) == "--calendar") {
        out << " -rF";
      } else if (option->get_expected_min() > 0) {
        out << " -x";
      }
      out << " -d '" << ShortDescription(option->get_description()) << "'\n";
    }
  }
}

int RunCompletion(const std::vector<std::string>& args, const Commands& commands,
                  const Environment& env) {
  const bool known = args.size() == 1 && std::find(std::begin(kShells), std::end(kShells),
                                                   args[0]) != std::end(kShells);
  if (!known) {
    std::string message = args.empty() ? "no shell given" : "unknown shell: " + Quoted(args[0]);
    message.append("; accepted: completion bash, completion zsh or completion fish");
    throw UsageError(message);
  }
  const auto tree = Tree(commands);
  if (args[0] == "fish") {
    WriteFish(tree, env.out);
  } else {
    if (args[0] == "zsh") {
      // zsh runs the bash function through its bash-completion layer.
      env.out << "#compdef velunta\nautoload -U +X bashcompinit && bashcompinit\n";
    }
    WriteBash(tree, env.out);
  }
  return kStatusOk;
}

void AddCompletion(CLI::App& parent, Commands& commands) {
  auto* completion =
      parent.add_subcommand("completion", "Print a completion script for bash, zsh or fish");
  auto args = std::make_shared<std::vector<std::string>>();
  std::string shells;
  for (const auto shell : kShells) shells.append(shells.empty() ? "" : "|").append(shell);
  completion->add_option("SHELL", *args, "bash, zsh or fish")->type_name(shells);
  completion->footer(
      "Examples: velunta completion bash > ~/.local/share/bash-completion/completions/velunta\n"
      "          velunta completion fish > ~/.config/fish/completions/velunta.fish");
  commands.TakesNoSharedOptions(completion);
  commands.OnRun(completion, args.get(), [args, &commands](const Environment& env) {
    return RunCompletion(*args, commands, env);
  });
}

const bool kRegistered = RegisterCommand({"", 95, AddCompletion});

}  // namespace
}  // namespace velunta::cli
