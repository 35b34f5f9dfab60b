#include "run.h"

#include <sstream>

#include <CLI/CLI.hpp>

#include "arguments.h"
#include "commands.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

constexpr const char* kCommands = "check, list, equinox, business";
constexpr const char* kBusinessCommands = "add, count, next, previous";

// What the parser fills in; read and checked once parsing is done.
struct Parsed {
  std::string rules = "law";
  std::string lang = "ja";
  std::string format = "text";
  std::vector<std::string> args;  // the positional arguments of whichever command ran
  bool sundays = false;
  BusinessArgs business;
};

GlobalOptions ReadGlobalOptions(const Parsed& parsed) {
  GlobalOptions options;
  if (parsed.rules == "law") {
    options.rules = Rules::law;
  } else if (parsed.rules == "classic") {
    options.rules = Rules::classic;
  } else {
    throw UsageError("unknown rules: " + Quoted(parsed.rules) + "; accepted: law, classic");
  }
  if (parsed.lang == "ja") {
    options.lang = Lang::ja;
  } else if (parsed.lang == "en") {
    options.lang = Lang::en;
  } else {
    throw UsageError("unknown language: " + Quoted(parsed.lang) + "; accepted: ja, en");
  }
  if (parsed.format == "text") {
    options.format = Format::text;
  } else if (parsed.format == "csv") {
    options.format = Format::csv;
  } else if (parsed.format == "json") {
    options.format = Format::json;
  } else if (parsed.format == "ics") {
    options.format = Format::ics;
  } else {
    throw UsageError("unknown format: " + Quoted(parsed.format) +
                     "; accepted: text, csv, json, ics");
  }
  return options;
}

// Returns the innermost command that ran ("velunta business add" -> add), or the tool itself.
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
  const auto leftovers = app.remaining(true);
  if (leftovers.empty()) return;
  const std::string& first = leftovers.front();
  const CLI::App* command = InnermostCommand(app);
  const std::string path = CommandPath(command);
  if (!first.empty() && first.front() == '-') {
    throw UsageError("unknown option: " + Quoted(first) +
                     "; accepted: " + AcceptedOptions(command) + " (see " + path + " --help)");
  }
  if (command == &app) {
    throw UsageError("unknown command: " + Quoted(first) + "; accepted: " + kCommands);
  }
  if (command->get_name() == "business") {
    throw UsageError("unknown command: " + Quoted(first) + "; accepted: " + kBusinessCommands);
  }
  throw UsageError("unexpected argument: " + Quoted(first) + " (see " + path + " --help)");
}

// Returns the parser's message on one line.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

int RunOrThrow(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  Parsed parsed;
  CLI::App app{"Days off in Japan: check dates, list holidays, equinox days and business days.",
               "velunta"};
  app.set_version_flag("--version", std::string("velunta ") + VELUNTA_VERSION);
  app.allow_extras();  // refused by RefuseLeftovers, with a message that says what is accepted
  app.add_option("--rules", parsed.rules,
                 "law (default): the days off Japan observes; classic: the module's fixed table "
                 "(check, list, equinox)")
      ->type_name("law|classic");
  app.add_option("--lang", parsed.lang, "ja (default) or en: names and weekdays in text and ics")
      ->type_name("ja|en");
  app.add_option("--format", parsed.format, "text (default), csv, json; ics for list")
      ->type_name("text|csv|json|ics");
  auto* check = app.add_subcommand(
      "check",
      "Tell whether dates are days off (a holiday or a Sunday). Exit status 0 when every "
      "date is, 1 when one is not");
  check
      ->add_option("DATE", parsed.args,
                   "2026/05/06, 2026/5/6, 2026-05-06, 2026年5月6日, 令和8年5月6日 or full-width "
                   "digits; default: today in Japan Standard Time")
      ->type_name("");

  auto* list = app.add_subcommand("list", "List the days off of a year or of a range");
  list->add_option("RANGE", parsed.args,
                   "YEAR, or FROM TO: two dates or years, both included (2026 2027, "
                   "2026/04/29 2026/05/06)")
      ->type_name("");
  list->add_flag("--sundays", parsed.sundays, "list the Sundays with no holiday too");

  auto* equinox = app.add_subcommand(
      "equinox",
      "The vernal and autumnal equinox days of years: the instants in JST and whether "
      "each day is official or predicted");
  equinox->add_option("YEAR", parsed.args, "one or more years")->type_name("");

  auto* business = app.add_subcommand(
      "business", "Business days on the law calendar: neither holiday nor weekend");
  business->require_subcommand(0, 1);
  business->add_flag("--saturday-workday", parsed.business.saturdayWorkday,
                     "count Saturdays as business days");
  business->add_flag("--bank-closing-days", parsed.business.bankClosingDays,
                     "close on December 31, January 2 and January 3 too");
  business->add_option("--closed", parsed.business.closed, "own closing dates, comma-separated")
      ->delimiter(',')
      ->allow_extra_args(false)
      ->type_name("DATE,...");
  auto* add = business->add_subcommand(
      "add", "The date N business days after DATE (before it for a negative N)");
  add->add_option("ARGS", parsed.args, "DATE N")->type_name("");
  auto* count = business->add_subcommand(
      "count", "The number of business days from FROM to TO, both included");
  count->add_option("ARGS", parsed.args, "FROM TO")->type_name("");
  auto* next = business->add_subcommand("next", "The first business day after DATE");
  next->add_option("DATE", parsed.args, "a date")->type_name("");
  auto* previous = business->add_subcommand("previous", "The last business day before DATE");
  previous->add_option("DATE", parsed.args, "a date")->type_name("");

  app.footer(
      "Examples:\n"
      "  velunta check 2026/05/06       2026/05/06(水) 振替休日, exit status 0\n"
      "  velunta list 2026 --format=ics > holidays-2026.ics\n"
      "  velunta equinox 2026 2027\n"
      "  velunta business add 2026/04/30 3 --bank-closing-days\n"
      "  velunta check >/dev/null; [ $? -eq 1 ] && run-the-job   run it on working days only\n"
      "Exit status: 0 done (check: every date is a day off), 1 check: a date is no day off,\n"
      "2 bad input. Each command has its own --help.");
  const std::string shared =
      "The shared options --rules, --lang and --format may follow the command.";
  check->footer("Example: velunta check 2026/05/06 令和8年5月7日 --lang=en\n" + shared);
  list->footer(
      "Examples: velunta list 2026 --sundays; velunta list 2026/04/29 2026/05/06 "
      "--format=csv\n" +
      shared);
  equinox->footer("Example: velunta equinox 2026 2030 --format=json\n" + shared);
  const std::string businessShared =
      "The options of business (--saturday-workday, --bank-closing-days, --closed) and the shared "
      "options may follow the command.";
  business->footer(
      "Examples: velunta business next 2026/12/30 --bank-closing-days; velunta "
      "business count 2026/05/01 2026/05/31\n" +
      businessShared);
  add->footer("Example: velunta business add 2026/04/30 3 --closed 2026/05/07\n" + businessShared);
  count->footer("Example: velunta business count 2026/05/01 2026/05/31\n" + businessShared);
  next->footer("Example: velunta business next 2026/12/30 --bank-closing-days\n" + businessShared);
  previous->footer("Example: velunta business previous 2027/01/04\n" + businessShared);

  // The shared options may follow any command: velunta list 2026 --format=ics.
  for (auto* command : {check, list, equinox, business, add, count, next, previous}) {
    command->fallthrough();
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error, out, err);  // --help, --version
    throw UsageError(OneLine(error.what()) + " (see velunta --help)");
  }
  RefuseLeftovers(app);
  const GlobalOptions options = ReadGlobalOptions(parsed);

  if (check->parsed()) return RunCheck(parsed.args, options, out);
  if (list->parsed()) return RunList(parsed.args, parsed.sundays, options, out);
  if (equinox->parsed()) return RunEquinox(parsed.args, options, out);
  if (business->parsed()) {
    const std::pair<CLI::App*, BusinessAction> actions[] = {{add, BusinessAction::add},
                                                            {count, BusinessAction::count},
                                                            {next, BusinessAction::next},
                                                            {previous, BusinessAction::previous}};
    for (const auto& [command, action] : actions) {
      if (command->parsed()) return RunBusiness(action, parsed.args, parsed.business, options, out);
    }
    throw UsageError(std::string("no business command given; accepted: ") + kBusinessCommands);
  }
  throw UsageError(std::string("no command given; accepted: ") + kCommands +
                   " (see velunta --help)");
}

}  // namespace

int Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) noexcept {
  try {
    // The answer is written only once complete: bad input found late leaves out untouched.
    std::ostringstream answer;
    const int status = RunOrThrow(argc, argv, answer, err);
    out << answer.str() << std::flush;
    if (!out) {
      err << "velunta: cannot write the answer to standard output" << std::endl;
      return kStatusBadInput;
    }
    return status;
  } catch (const UsageError& error) {
    err << "velunta: " << error.what() << std::endl;
  } catch (const std::exception& error) {
    err << "velunta: failed: " << error.what() << std::endl;
  } catch (...) {
    err << "velunta: failed" << std::endl;
  }
  return kStatusBadInput;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) noexcept {
  std::vector<const char*> argv{"velunta"};
  for (const auto& arg : args) argv.push_back(arg.c_str());
  return Run(static_cast<int>(argv.size()), argv.data(), out, err);
}

}  // namespace velunta::cli
