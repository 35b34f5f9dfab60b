#include "tool_help.h"

#include <velunta/calendar.h>
#include <velunta/version.h>

#include "run.h"

namespace velunta::cli {
namespace {

constexpr Example kExamples[] = {
    {"velunta check 2026/05/06", "2026/05/06(水) 振替休日, exit status 0"},
    {"velunta list 2026 --format=ics > holidays-2026.ics", "the days off of 2026, for a calendar"},
    {"velunta equinox 2026 2027", "both equinox days of each year, with their instants in JST"},
    {"velunta business add 2026/04/30 3 --bank-closing-days", "2026/05/08(金): over Golden Week"},
    {"velunta business is --bank-closing-days >/dev/null && run-the-job",
     "run the job on business days only (today in Japan): for cron"},
    {"printf '2026/05/06\\n2026/05/07\\n' | velunta check -", "dates from standard input"},
};

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

// Returns the footer of `velunta --help`: the examples, then the exit statuses.
std::string ToolFooter(bool serves) {
  std::string footer = "Examples:\n";
  for (const auto& example : kExamples) {
    footer.append("  ").append(example.command).append("\n");
    if (!example.answer.empty()) footer.append("      ").append(example.answer).append("\n");
  }
  footer.append("Exit status:\n");
  for (const auto& [status, meaning] : ExitStatuses(serves)) {
    footer.append("  ").append(std::to_string(status)).append(status < 10 ? "   " : "  ");
    footer.append(meaning).append("\n");
  }
  footer.append("Each command has its own --help (velunta help COMMAND).");
  return footer;
}

}  // namespace

std::span<const Example> ToolExamples() noexcept {
  return kExamples;
}

std::vector<ExitStatusMeaning> ExitStatuses(bool serves) {
  std::vector<ExitStatusMeaning> statuses = {
      {kStatusOk,
       "done; check: every date is a day off; business is: every date is a business day"},
      {kStatusNotDayOff, "check: a date is no day off; business is: a date is closed"},
      {kStatusBadInput, "bad input: one line on stderr, nothing on stdout"},
  };
  // 69 and 74 are sysexits.h's EX_UNAVAILABLE and EX_IOERR (see run.h).
  if (serves) statuses.push_back({kStatusUnavailable, "serve: cannot listen on its address"});
  statuses.push_back({kStatusWriteFailed,
                      "the answer could not be written (no message for a closed pipe: velunta "
                      "list | head -1)"});
  return statuses;
}

bool Serves(const CLI::App& app) {
  return !app.get_subcommands(
                 [](const CLI::App* command) { return command->get_name() == "serve"; })
              .empty();
}

void BuildParser(CLI::App& app, Commands& commands) {
  commands.set_root(&app);
  app.description("Days off in Japan: check dates, list holidays, equinox days and business days.");
  app.add_flag("-V,--version", commands.shared().showVersion,
               "print the version, which law data answers and how far it reaches");
  app.allow_extras();  // refused by LeftoverRefusal, with a message that says what is accepted
  app.require_subcommand(0, 1);
  AddSharedOptions(app, commands.shared());
  AddCommands(app, commands);
  app.footer(ToolFooter(Serves(app)));
}

}  // namespace velunta::cli
