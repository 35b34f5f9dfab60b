// The parser's refusals reach the user in the command's words, never in CLI11's: each message
// the parser throws is checked word for word, as CLI11's wording is pinned to one version.

#include <gtest/gtest.h>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

struct MessageCase {
  const char* name;
  std::vector<std::string> args;
  bool needsServe;
  std::string line;  // the whole of stderr
};

TEST(ParserMessages, EachInTheCommandsWords) {
  const MessageCase kCases[] = {
      {"group without its command",
       {"business"},
       false,
       "velunta: no business command given; accepted: is, add, count, next, previous, roll, "
       "closed (see velunta business --help)\n"},
      {"option given twice",
       {"list", "2026", "--format=csv", "--format=json"},
       false,
       "velunta: option given more than once: '--format'; accepted: --format once (see velunta "
       "list --help)\n"},
      {"option last without its value",
       {"check", "--lang"},
       false,
       "velunta: missing value: '--lang'; accepted: --lang followed by its value (see velunta "
       "check --help)\n"},
      {"option with an empty value",
       {"check", "--format="},
       false,
       "velunta: missing value: '--format'; accepted: --format followed by its value (see "
       "velunta check --help)\n"},
      {"flag given a value",
       {"list", "2026", "--bom=maybe"},
       false,
       "velunta: unknown value 'maybe' for --bom; accepted: --bom alone, or =true or =false (see "
       "velunta list --help)\n"},
      {"flag given a control character",
       {"list", "--sundays=a\x1b[2Jb"},
       false,
       "velunta: unknown value 'a\\x1b[2Jb' for --sundays; accepted: --sundays alone, or =true "
       "or =false (see velunta list --help)\n"},
      {"the command's own check, option before the command",
       {"--format=x\x7fml", "list", "2026"},
       false,
       "velunta: --format: unknown value 'x\\x7fml'; accepted: text, csv, json, ics (see velunta "
       "list --help)\n"},
      {"an unknown option goes before the parser's complaint",
       {"list", "2026", "--foo", "--lang"},
       false,
       "velunta: unknown option: '--foo'; accepted: --help, --sundays, --version, --rules, "
       "--lang, --format, --labels, --bom, --law (see velunta list --help)\n"},
      {"business's flag before business",
       {"--saturday-workday", "business", "is", "2026/05/09"},
       false,
       "velunta: '--saturday-workday' belongs after 'business'; accepted: velunta business is "
       "--saturday-workday (see velunta business --help)\n"},
      {"business's option with its value before business",
       {"--closed=2026-05-01", "business", "next"},
       false,
       "velunta: '--closed' belongs after 'business'; accepted: velunta business next --closed "
       "DATE,... (see velunta business --help)\n"},
      {"roll's option before roll",
       {"business", "--convention", "preceding", "roll", "2026/05/03"},
       false,
       "velunta: '--convention' belongs after 'roll'; accepted: velunta business roll "
       "--convention following|preceding|modified-following|modified-preceding (see velunta "
       "business roll --help)\n"},
      {"no thread",
       {"serve", "--threads", "0"},
       true,
       "velunta: bad value for --threads: '0'; accepted: a whole number from 1 to 256 (see "
       "velunta serve --help)\n"},
      {"a host name",
       {"serve", "--host", "localhost"},
       true,
       "velunta: --host: not a numeric address: 'localhost'; accepted: an IPv4 or IPv6 address "
       "such as 127.0.0.1, ::1 or 0.0.0.0 (names such as localhost are not resolved) (see "
       "velunta serve --help)\n"},
      {"number out of a range",
       {"serve", "--port", "70000"},
       true,
       "velunta: bad value for --port: '70000'; accepted: a whole number from 0 to 65535 (see "
       "velunta serve --help)\n"},
      {"no number for a range",
       {"serve", "--threads", "many"},
       true,
       "velunta: bad value for --threads: 'many'; accepted: a whole number from 1 to 256 (see "
       "velunta serve --help)\n"},
      {"serve's own check",
       {"serve", "--calendar", "tokyo"},
       true,
       "velunta: --calendar: no '=' in 'tokyo' and no installed calendar of that name; accepted: "
       "NAME=FILE, or one of: banks, government, tse (see velunta serve --help)\n"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    if (row.needsServe && !VELUNTA_HAS_SERVE) continue;
    const auto result = RunVelunta(row.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, row.line);
  }
}

// An IPv6 address is written in brackets in the address serve prints: http://[::1]:PORT/.
TEST(ParserMessages, ServeNamesAnIpv6AddressAsAUrl) {
  if (!VELUNTA_HAS_SERVE) GTEST_SKIP() << "built without serve";
  RunOptions options;
  options.limit = std::chrono::milliseconds(1500);
  const auto result = RunVeluntaWith({"serve", "--host", "::1", "--port", "0"}, options);
  if (result.err.find("cannot listen") != std::string::npos) {
    GTEST_SKIP() << "no IPv6 loopback here: " << result.err;
  }
  EXPECT_TRUE(result.err.starts_with("velunta serve: listening on http://[::1]:")) << result.err;
}

}  // namespace
}  // namespace velunta::cli::testing
