#pragma once
// The parser's refusals in the command's voice: "<what is wrong>; accepted: <what is>
// (see velunta <command> --help)". CLI11's own messages are read here and nowhere else, against
// the CLI11 versions whose wording parser_messages.cpp pins.

#include <string>

#include <CLI/CLI.hpp>

namespace velunta::cli {

// Returns the innermost command given ("velunta business add" -> add), or the tool itself.
const CLI::App* InnermostCommand(const CLI::App& app);

// Returns "velunta business add": the command line that reaches a command.
std::string CommandPath(const CLI::App* command);

// Returns the refusal of the first word the parser could not place (an unknown option, command
// or an extra argument), or "" when it placed them all.
std::string LeftoverRefusal(const CLI::App& app);

// Returns the refusal of a command that needs one of its commands and was given none:
// "no command given; accepted: check, list, ... (see velunta --help)" for the tool,
// "no business command given; ..." for business.
std::string NoCommandRefusal(const CLI::App* command);

// Returns the refusal for an error the parser threw (help and version excepted): that of the
// leftovers when there are some, else the parser's message in the command's words, e.g.
// "NAME: At Most 1 required but received 2" ->
// "option given more than once: '--lang'; accepted: --lang once (see velunta check --help)".
// A message not known here keeps the parser's words, on one line with what was typed escaped.
std::string ParseErrorRefusal(const CLI::ParseError& error, const CLI::App& app);

}  // namespace velunta::cli
