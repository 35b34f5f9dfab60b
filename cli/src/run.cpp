#include "run.h"

#include <algorithm>
#include <vector>

#include <velunta/records/records_error.h>
#include <velunta/runtime/utf8.h>
#include <velunta/version.h>
#include <CLI/CLI.hpp>

#include "arguments.h"
#include "command.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

// Returns what -V prints: the version and how far the data reaches.
std::string VersionText() {
  const int lastOfficial = static_cast<int>(kLastOfficialEquinoxYear);
  return std::string("velunta ") + VELUNTA_VERSION_STRING +
         "\nholidays: the Act on National Holidays as in force on each day from 1948-07-20, "
         "with its changes up to the moves of 2020 and 2021 for the Tokyo Olympics\n"
         "equinox days: announced to " +
         std::to_string(lastOfficial) + ", predicted from " + std::to_string(lastOfficial + 1) +
         " to " + std::to_string(static_cast<int>(kLastYear));
}

// Returns the innermost command given ("velunta business add" -> add), or the tool itself.
const CLI::App* InnermostCommand(const CLI::App& app) {
  const CLI::App* command = &app;
  for (;;) {
    const auto selected = command->get_subcommands();
    if (selected.empty()) return command;
    command = selected.front();
  }
}

// Returns "velunta business add": the command line that reaches a command.
std::string CommandPath(const CLI::App* command) {
  std::string path;
  for (; command != nullptr; command = command->get_parent()) {
    path.insert(0, (command->get_parent() ? " " : "") + command->get_name());
  }
  return path;
}

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

// Refuses what the parser could not place: unknown options, commands and extra arguments.
void RefuseLeftovers(const CLI::App& app) {
  auto leftovers = app.remaining(true);
  // The parser keeps the "--" that ends the options among what it could not place.
  std::erase(leftovers, "--");
  if (leftovers.empty()) return;
  const std::string& first = leftovers.front();
  const CLI::App* command = InnermostCommand(app);
  const std::string path = CommandPath(command);
  if (!first.empty() && first.front() == '-') {
    throw UsageError("unknown option: " + Quoted(first) +
                     "; accepted: " + AcceptedOptions(command) + " (see " + path + " --help)");
  }
  if (!command->get_subcommands({}).empty()) {
    throw UsageError("unknown command " + Quoted(first) + " for " + Quoted(path) +
                     "; accepted: " + CommandNames(command) + " (see " + path + " --help)");
  }
  throw UsageError("unexpected argument: " + Quoted(first) + " (see " + path + " --help)");
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

// Returns the parser's message on one line.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Adds every registered command under its parent.
void AddCommands(CLI::App& app, Commands& commands) {
  for (const auto& registration : RegisteredCommands()) {
    CLI::App* parent = &app;
    if (!registration.parent.empty()) {
      parent = app.get_subcommand(std::string(registration.parent));
    }
    registration.add(*parent, commands);
  }
  // The shared options may follow any command: velunta list 2026 --format=ics.
  std::vector<CLI::App*> pending = app.get_subcommands({});
  while (!pending.empty()) {
    CLI::App* command = pending.back();
    pending.pop_back();
    command->fallthrough();
    for (CLI::App* sub : command->get_subcommands({})) pending.push_back(sub);
  }
}

int RunOrThrow(std::span<const std::string> args, const Environment& env) {
  Commands commands;
  CLI::App app{"Days off in Japan: check dates, list holidays, equinox days and business days.",
               "velunta"};
  commands.set_root(&app);
  app.set_version_flag("-V,--version", VersionText());
  app.allow_extras();  // refused by RefuseLeftovers, with a message that says what is accepted
  app.require_subcommand(0, 1);
  AddSharedOptions(app, commands.shared());
  AddCommands(app, commands);
  app.footer(
      "Examples:\n"
      "  velunta check 2026/05/06       2026/05/06(水) 振替休日, exit status 0\n"
      "  velunta list 2026 --format=ics > holidays-2026.ics\n"
      "  velunta equinox 2026 2027\n"
      "  velunta business add 2026/04/30 3 --bank-closing-days\n"
      "  velunta check >/dev/null; [ $? -eq 1 ] && run-the-job   run it on working days only\n"
      "Exit status: 0 done (check: every date is a day off), 1 check: a date is no day off,\n"
      "2 bad input. Each command has its own --help.");

  // "--" ends the options: the parser reads what comes before it, and the words after it join
  // the given command's own words as they are.
  const auto mark = std::find(args.begin(), args.end(), "--");
  const std::span<const std::string> words(mark == args.end() ? mark : mark + 1, args.end());
  // CLI11 reads its arguments from the back of a vector.
  std::vector<std::string> reversed(std::make_reverse_iterator(mark), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error, env.out, env.err);  // --help, --version
    RefuseLeftovers(app);
    const CLI::App* command = InnermostCommand(app);
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr &&
        !command->get_subcommands({}).empty()) {
      throw UsageError("no " + command->get_name() + " command given; accepted: " +
                       CommandNames(command) + " (see " + CommandPath(command) + " --help)");
    }
    const std::string see = " (see " + CommandPath(command) + " --help)";
    const std::string text = error.what();
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
      // "NAME: At Most 1 required but received 2" for an option given twice, "NAME: 1 required
      // TEXT missing" for one given last without its value.
      const std::string option = text.substr(0, text.find(':'));
      if (text.find("At Most") != std::string::npos) {
        throw UsageError("option given more than once: " + Quoted(option) +
                         "; accepted: " + option + " once" + see);
      }
      throw UsageError("missing value: " + Quoted(option) + "; accepted: " + option +
                       " followed by its value" + see);
    }
    if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr) {
      // "Could not convert: NAME = VALUE": a flag given a value that is not a truth value.
      constexpr std::string_view kPrefix = "Could not convert: ";
      const auto equals = text.find(" = ");
      const std::string option = equals == std::string::npos
                                     ? std::string()
                                     : text.substr(kPrefix.size(), equals - kPrefix.size());
      if (text.starts_with(kPrefix) && IsFlag(command, option)) {
        throw UsageError("unknown value " + Quoted(text.substr(equals + 3)) + " for " +
                         runtime::EscapedOnOneLine(option, 64) +
                         "; accepted: " + runtime::EscapedOnOneLine(option, 64) +
                         " alone, or =true or =false" + see);
      }
    }
    // Anything else in the parser's words, on one line and with what the user typed escaped.
    throw UsageError(runtime::EscapedOnOneLine(OneLine(text), 512) + see);
  }
  RefuseLeftovers(app);
  const CLI::App* command = InnermostCommand(app);
  const auto* entry = commands.EntryOf(command);
  if (entry == nullptr) {
    throw UsageError("no command given; accepted: " + CommandNames(command) +
                     " (see velunta --help)");
  }
  entry->positionals->insert(entry->positionals->end(), words.begin(), words.end());
  try {
    commands.shared().Check();
    return entry->action(env);
  } catch (const UsageError& error) {
    // Every refusal ends with where to read more.
    const std::string message = error.what();
    if (message.find("(see ") != std::string::npos) throw;
    throw UsageError(message + " (see " + CommandPath(command) + " --help)");
  }
}

}  // namespace

std::chrono::year_month_day TodayInJapan() {
  using namespace std::chrono;
  return year_month_day{floor<days>(system_clock::now() + velunta::kJstOffset)};
}

int Run(std::span<const std::string> args, const Environment& env) noexcept {
  try {
    const int status = RunOrThrow(args, env);
    env.out.flush();
    if (!env.out) {
      env.err << "velunta: cannot write the answer to standard output" << std::endl;
      return kStatusBadInput;
    }
    return status;
  } catch (const UsageError& error) {
    env.err << "velunta: " << error.what() << std::endl;
  } catch (const records::RecordsError& error) {
    env.err << "velunta: " << error.what() << std::endl;
  } catch (const std::exception& error) {
    env.err << "velunta: failed: " << error.what() << std::endl;
  } catch (...) {
    env.err << "velunta: failed" << std::endl;
  }
  return kStatusBadInput;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) noexcept {
  std::istringstream none;
  return Run(args, {TodayInJapan(), none, out, err});
}

}  // namespace velunta::cli
