#include "parser_messages.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include <velunta/runtime/utf8.h>

// The messages read below are worded as CLI11 2.1 words them ("--lang: At Most 1 required but
// received 2", "Could not convert: --bom = maybe", "--port: Value 70000 not in range 0 to
// 65535"). Another CLI11 may word them otherwise, and they would reach the user untranslated:
// widen this range only once parser_messages_test passes against the new version.
static_assert(CLI11_VERSION_MAJOR == 2 && CLI11_VERSION_MINOR == 1,
              "the parser's messages are translated for CLI11 2.1; check parser_messages.cpp "
              "against this version's wording");

namespace velunta::cli {
namespace {

using runtime::Quoted;

// Returns "add, count, next, previous": the commands a command accepts.
std::string CommandNames(const CLI::App* command) {
  std::string names;
  for (const CLI::App* sub : command->get_subcommands({})) {
    names += (names.empty() ? "" : ", ") + sub->get_name();
  }
  return names;
}

// Returns the long options a command accepts, its own first, then those it hands on to its parents.
std::string AcceptedOptions(const CLI::App* command) {
  std::vector<std::string> names;
  for (; command != nullptr; command = command->get_parent()) {
    for (const CLI::Option* option : command->get_options()) {
      for (const auto& name : option->get_lnames()) {
        const std::string flag = "--" + name;
        if (std::find(names.begin(), names.end(), flag) == names.end()) names.push_back(flag);
      }
    }
  }
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// Returns whether a command or one of the commands above it has the option, as a flag.
bool IsFlag(const CLI::App* command, const std::string& option) {
  for (; command != nullptr; command = command->get_parent()) {
    if (const CLI::Option* found = command->get_option_no_throw(option)) {
      return found->get_expected_min() == 0;
    }
  }
  return false;
}

// Returns the command between the tool and `command` that has the option, or none. An option
// the parser could not place although a command given has it was typed before that command:
// velunta --saturday-workday business is.
const CLI::App* OwnerOnPath(const CLI::App* command, const std::string& typed) {
  const std::string option = typed.substr(0, typed.find('='));
  const CLI::App* owner = nullptr;
  for (; command != nullptr && command->get_parent() != nullptr; command = command->get_parent()) {
    if (command->get_option_no_throw(option) != nullptr) owner = command;
  }
  return owner;
}

// Returns the parser's message on one line.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Returns the refusal of a value outside a CLI::Range, "NAME: Value V not in range A to B"
// (a value that is no number reads the same), or "" for another check's message.
std::string RangeRefusal(const std::string& text) {
  constexpr std::string_view kValue = ": Value ";
  constexpr std::string_view kRange = " not in range ";
  constexpr std::string_view kTo = " to ";
  const auto name = text.find(kValue);
  const auto range = text.rfind(kRange);
  if (name == std::string::npos || range == std::string::npos || range < name + kValue.size()) {
    return {};
  }
  const auto to = text.find(kTo, range + kRange.size());
  if (to == std::string::npos) return {};
  const std::string option = text.substr(0, name);
  const std::string_view value =
      std::string_view(text).substr(name + kValue.size(), range - name - kValue.size());
  const auto from = range + kRange.size();
  return "bad value for " + runtime::EscapedOnOneLine(option, 64) + ": " + Quoted(value) +
         "; accepted: a whole number from " + text.substr(from, to - from) + " to " +
         text.substr(to + kTo.size());
}

}  // namespace

const CLI::App* InnermostCommand(const CLI::App& app) {
  const CLI::App* command = &app;
  for (;;) {
    const auto selected = command->get_subcommands();
    if (selected.empty()) return command;
    command = selected.front();
  }
}

std::string CommandPath(const CLI::App* command) {
  std::string path;
  for (; command != nullptr; command = command->get_parent()) {
    path.insert(0, (command->get_parent() ? " " : "") + command->get_name());
  }
  return path;
}

std::string LeftoverRefusal(const CLI::App& app) {
  auto leftovers = app.remaining(true);
  // The parser keeps the "--" that ends the options among what it could not place.
  std::erase(leftovers, "--");
  if (leftovers.empty()) return {};
  const std::string& first = leftovers.front();
  const CLI::App* command = InnermostCommand(app);
  const std::string path = CommandPath(command);
  if (!first.empty() && first.front() == '-') {
    if (const CLI::App* owner = OwnerOnPath(command, first)) {
      std::string option = first.substr(0, first.find('='));
      std::string example = path + " " + option;
      const CLI::Option* found = owner->get_option_no_throw(option);
      if (found->get_expected_min() > 0) example += " " + found->get_type_name();
      return Quoted(option) + " belongs after " + Quoted(owner->get_name()) +
             "; accepted: " + example + " (see " + CommandPath(owner) + " --help)";
    }
    return "unknown option: " + Quoted(first) + "; accepted: " + AcceptedOptions(command) +
           " (see " + path + " --help)";
  }
  if (!command->get_subcommands({}).empty()) {
    return "unknown command " + Quoted(first) + " for " + Quoted(path) +
           "; accepted: " + CommandNames(command) + " (see " + path + " --help)";
  }
  return "unexpected argument: " + Quoted(first) + " (see " + path + " --help)";
}

std::string NoCommandRefusal(const CLI::App* command) {
  const std::string which = command->get_parent() ? command->get_name() + " " : "";
  return "no " + which + "command given; accepted: " + CommandNames(command) + " (see " +
         CommandPath(command) + " --help)";
}

std::string ParseErrorRefusal(const CLI::ParseError& error, const CLI::App& app) {
  if (std::string leftover = LeftoverRefusal(app); !leftover.empty()) return leftover;
  const CLI::App* command = InnermostCommand(app);
  if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr &&
      !command->get_subcommands({}).empty()) {
    return NoCommandRefusal(command);
  }
  const std::string see = " (see " + CommandPath(command) + " --help)";
  const std::string text = error.what();
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
    // "NAME: At Most 1 required but received 2" for an option given twice, "NAME: 1 required
    // TEXT missing" for one given last without its value.
    const std::string option = text.substr(0, text.find(':'));
    if (text.find(": At Most ") != std::string::npos) {
      return "option given more than once: " + Quoted(option) + "; accepted: " + option + " once" +
             see;
    }
    return "missing value: " + Quoted(option) + "; accepted: " + option + " followed by its value" +
           see;
  }
  if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr) {
    // "Could not convert: NAME = VALUE": a flag given a value that is not a truth value.
    constexpr std::string_view kPrefix = "Could not convert: ";
    const auto equals = text.find(" = ");
    if (text.starts_with(kPrefix) && equals != std::string::npos) {
      const std::string option = text.substr(kPrefix.size(), equals - kPrefix.size());
      if (IsFlag(command, option)) {
        const std::string shown = runtime::EscapedOnOneLine(option, 64);
        return "unknown value " + Quoted(text.substr(equals + 3)) + " for " + shown +
               "; accepted: " + shown + " alone, or =true or =false" + see;
      }
    }
  }
  if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
    // "NAME: MESSAGE": the command's own checks word MESSAGE already; CLI::Range's is reworded.
    if (std::string range = RangeRefusal(text); !range.empty()) return range + see;
  }
  // Anything else in the parser's words, on one line and with what the user typed escaped.
  return runtime::EscapedOnOneLine(OneLine(text), 512) + see;
}

}  // namespace velunta::cli
