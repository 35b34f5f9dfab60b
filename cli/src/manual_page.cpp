#include "manual_page.h"

#include <string>
#include <string_view>

#include <velunta/version.h>

#include "parser_messages.h"
#include "tool_help.h"

namespace velunta::cli {
namespace {

// Returns text as roff reads it literally: a backslash escaped, a line that would start with a
// control character ('.' or '\'') guarded, and every hyphen written as the minus that man pages
// render as an ASCII hyphen-minus, so that options and commands copied from the page still run.
std::string Roff(std::string_view text) {
  std::string out;
  bool lineStart = true;
  for (const char c : text) {
    if (lineStart && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
    lineStart = c == '\n';
  }
  return out;
}

// Returns the first line of CLI11's usage of a command, without "Usage: ":
// "velunta business is [OPTIONS] [DATE...]".
std::string Usage(const CLI::App& command) {
  const auto formatter = std::dynamic_pointer_cast<CLI::Formatter>(command.get_formatter());
  if (formatter == nullptr) return CommandPath(&command);
  std::string usage = formatter->make_usage(&command, CommandPath(&command));
  constexpr std::string_view kPrefix = "Usage: ";
  if (const auto at = usage.find(kPrefix); at != std::string::npos)
    usage.erase(0, at + kPrefix.size());
  if (const auto end = usage.find('\n'); end != std::string::npos) usage.resize(end);
  return usage;
}

// Writes each line of a help text as a paragraph of its own: one example a line.
void WriteLines(std::string_view text, std::ostream& out) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (!line.empty()) out << ".PP\n" << Roff(line) << '\n';
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

// Writes a command's positionals and options (not its --help) as tagged paragraphs.
void WriteOptions(const CLI::App& command, std::ostream& out) {
  for (const CLI::Option* option : command.get_options()) {
    if (option == command.get_help_ptr()) continue;
    std::string name;
    if (option->get_lnames().empty() && option->get_snames().empty()) {
      name = "\\fI" + Roff(option->get_name()) + "\\fR";
      if (!option->get_type_name().empty()) name += " " + Roff(option->get_type_name());
    } else {
      for (const auto& s : option->get_snames()) name += "\\fB\\-" + Roff(s) + "\\fR, ";
      for (const auto& l : option->get_lnames()) name += "\\fB\\-\\-" + Roff(l) + "\\fR, ";
      name.resize(name.size() - 2);
      if (option->get_expected_min() > 0) {
        name += " \\fI" + Roff(option->get_type_name()) + "\\fR";
      }
    }
    out << ".TP\n" << name << '\n' << Roff(option->get_description()) << '\n';
  }
}

// Writes a section for the command and for each command below it, in the order of --help.
void WriteCommand(const CLI::App& command, std::ostream& out) {
  out << ".SS \"" << Roff(Usage(command)) << "\"\n";
  out << Roff(command.get_description()) << '\n';
  WriteOptions(command, out);
  WriteLines(command.get_footer(), out);
  for (const CLI::App* sub : command.get_subcommands({})) WriteCommand(*sub, out);
}

}  // namespace

void WriteManualPage(const CLI::App& app, std::ostream& out) {
  out << ".\\\" -*- coding: UTF-8 -*-\n"
         ".\\\" Written by velunta_manual from the parser that velunta --help prints: change the\n"
         ".\\\" help, and this page follows.\n"
         ".TH VELUNTA 1 \"\" \"velunta "
      << VELUNTA_VERSION_STRING
      << "\" \"User Commands\"\n"
         // Option names are long words: neither hyphenated nor stretched to fill a line.
         ".nh\n"
         ".ad l\n"
         ".SH NAME\n"
         "velunta \\- tell whether a date is a day off in Japan\n"
         ".SH SYNOPSIS\n"
         ".B velunta\n"
         ".I COMMAND\n"
         ".RI [ ARGUMENTS ]\n"
         ".RI [ OPTIONS ]\n"
         ".SH DESCRIPTION\n"
      << Roff(app.get_description())
      << "\n.PP\nThe options below may stand after any command. Each command has its own help: "
         "\\fBvelunta help\\fR \\fICOMMAND\\fR or \\fBvelunta\\fR \\fICOMMAND\\fR "
         "\\fB\\-\\-help\\fR.\n"
         ".SH OPTIONS\n";
  WriteOptions(app, out);
  out << ".SH COMMANDS\n";
  for (const CLI::App* command : app.get_subcommands({})) WriteCommand(*command, out);
  out << ".SH \"EXIT STATUS\"\n";
  for (const auto& [status, meaning] : ExitStatuses(Serves(app))) {
    out << ".TP\n.B " << status << '\n' << Roff(meaning) << '\n';
  }
  out << ".SH EXAMPLES\n";
  for (const auto& example : ToolExamples()) {
    out << ".TP\n\\fB" << Roff(example.command) << "\\fR\n";
    out << (example.answer.empty() ? "" : Roff(example.answer)) << '\n';
  }
  out << ".SH \"SEE ALSO\"\n"
         "\\fBcron\\fR(8), \\fBsystemd.timer\\fR(5), \\fBcrontab\\fR(5)\n";
}

}  // namespace velunta::cli
