#include "run.h"

#include <algorithm>
#include <vector>

#include <velunta/records/records_error.h>
#include <velunta/version.h>
#include <CLI/CLI.hpp>

#include "arguments.h"
#include "command.h"
#include "command_failure.h"
#include "law_in_use.h"
#include "parser_messages.h"
#include "tool_help.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

// Returns what -V prints: the version, which law data answers and how far it reaches.
std::string VersionText(const Law& law) {
  const int lastOfficial = static_cast<int>(law.LastAnnouncedEquinoxYear());
  std::string text = "velunta ";
  text.append(VELUNTA_VERSION_STRING)
      .append("\n")
      .append(LawLine(law))
      .append(
          "\nholidays: the Act on National Holidays as in force on each day from 1948-07-20, "
          "and the special acts, as the law data gives them\nequinox days: announced to ")
      .append(std::to_string(lastOfficial))
      .append(", predicted from ")
      .append(std::to_string(lastOfficial + 1))
      .append(" to ")
      .append(std::to_string(static_cast<int>(kLastYear)))
      .append("\n");
  return text;
}

int RunOrThrow(std::span<const std::string> args, const Environment& env) {
  Commands commands;
  CLI::App app{"", "velunta"};
  BuildParser(app, commands);

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
    throw UsageError(ParseErrorRefusal(error, app));
  }
  if (std::string leftover = LeftoverRefusal(app); !leftover.empty()) throw UsageError(leftover);
  // The law is in use before any answer is sought, and before a business calendar is made.
  SharedOptions& shared = commands.shared();
  if (shared.law.empty()) shared.law = env.lawFile;
  const Law& law = UseLawOf(shared.law);
  if (shared.showVersion) {
    env.out << VersionText(law);
    return kStatusOk;
  }
  const CLI::App* command = InnermostCommand(app);
  const auto* entry = commands.EntryOf(command);
  if (entry == nullptr) throw UsageError(NoCommandRefusal(command));
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
      // Whatever the command meant to say, a script must not take a cut answer for a whole one.
      // A reader that has gone (velunta list | head -1) wanted no more: the status alone says
      // it, as a tool in a pipeline ends quietly. (The command works on to its end, writing
      // nothing more: every answer is bounded by the calendar's years.)
      if (env.outputGone == nullptr || !env.outputGone()) {
        env.err << "velunta: cannot write the answer to standard output" << std::endl;
      }
      return kStatusWriteFailed;
    }
    return status;
  } catch (const UsageError& error) {
    env.err << "velunta: " << error.what() << std::endl;
  } catch (const CommandFailure& failure) {
    env.err << "velunta: " << failure.what() << std::endl;
    return failure.status();
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
