// Bad input: one line on stderr naming the bad value and what is accepted, status 2, nothing on
// stdout. Help and version: stdout, status 0.

#include <gtest/gtest.h>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

struct BadCase {
  const char* name;
  std::vector<std::string> args;
  std::string named;     // the bad value as the message quotes it
  std::string accepted;  // what the message offers instead
};

TEST(BadInput, OneLineStatusTwoNothingOnStdout) {
  const BadCase kCases[] = {
      // impossible dates and dates out of range
      {"February 30", {"check", "2026/02/30"}, "'2026/02/30'", "accepted: a real date such as"},
      {"not leap", {"check", "2025/02/29"}, "'2025/02/29'", "accepted: a real date"},
      {"letters", {"check", "abc"}, "'abc'", "accepted: a real date"},
      {"empty", {"check", ""}, "''", "accepted: a real date"},
      {"bad date among good", {"check", "2026/05/06", "2026/13/01"}, "'2026/13/01'", "accepted:"},
      {"era out of its span", {"check", "平成31年5月1日"}, "'平成31年5月1日'", "accepted:"},
      {"date after the calendar",
       {"check", "2400/01/01"},
       "'2400/01/01'",
       "accepted: 1600/01/01 to 2399/12/31"},
      {"date before the calendar",
       {"check", "1599/12/31"},
       "'1599/12/31'",
       "accepted: 1600/01/01 to 2399/12/31"},
      {"list to a bad date", {"list", "2026/01/01", "2026/02/30"}, "'2026/02/30'", "accepted:"},
      {"closing date",
       {"business", "next", "2026/01/05", "--closed", "2026/01/32"},
       "'2026/01/32'",
       "accepted: a real date"},
      {"closing date among good ones",
       {"business", "next", "2026/01/05", "--closed", "2026/01/06,2026/02/30,2026/01/07"},
       "'2026/02/30'",
       "accepted: a real date"},
      {"empty closing date",
       {"business", "next", "2026/01/05", "--closed", ""},
       "''",
       "accepted: a real date"},
      // options given wrongly
      {"flag given a value", {"list", "2026", "--bom=maybe"}, "'maybe'", "accepted: --bom alone"},
      {"flag given a control character",
       {"list", "--bom=csv\x02--bom"},
       "'csv\\x02--bom'",
       "accepted: --bom alone"},
      {"option last without its value",
       {"check", "--lang"},
       "missing value: '--lang'",
       "accepted:"},
      // years out of range
      {"year after", {"list", "2400"}, "'2400'", "accepted: 1600 to 2399"},
      {"year before", {"list", "1599"}, "'1599'", "accepted: 1600 to 2399"},
      {"year zero", {"list", "0"}, "'0'", "accepted: 1600 to 2399"},
      {"negative year", {"list", "-5"}, "'-5'", "accepted: 1600 to 2399"},
      {"year beyond 16 bits", {"list", "99999"}, "'99999'", "accepted: 1600 to 2399"},
      {"classic year zero", {"--rules=classic", "list", "0"}, "'0'", "accepted: 1 to 9999"},
      {"classic year after",
       {"--rules=classic", "list", "10000"},
       "'10000'",
       "accepted: 1 to 9999"},
      {"fractional year", {"list", "2026.5"}, "'2026.5'", "accepted: a whole year from 1600"},
      {"equinox year", {"equinox", "2026", "2400"}, "'2400'", "accepted: 1600 to 2399"},
      {"classic equinox year",
       {"--rules=classic", "equinox", "1899"},
       "'1899'",
       "accepted: 1900 to 2099"},
      {"list range year", {"list", "2026", "2400"}, "'2400'", "accepted: 1600 to 2399"},
      // unknown options, values and commands
      {"unknown option", {"list", "2026", "--foo"}, "'--foo'", "accepted: --help, --sundays"},
      {"unknown short option", {"check", "-x"}, "'-x'", "accepted: --help"},
      {"option of another command", {"check", "--sundays"}, "'--sundays'", "accepted:"},
      {"unknown tool option", {"--colour", "check"}, "'--colour'", "accepted:"},
      {"unknown format",
       {"--format=xml", "list", "2026"},
       "'xml'",
       "accepted: text, csv, json, ics"},
      {"unknown format after command",
       {"list", "2026", "--format", "yaml"},
       "'yaml'",
       "accepted: text, csv, json, ics"},
      {"ics for check",
       {"check", "2026/05/06", "--format=ics"},
       "'ics'",
       "accepted: text, csv, json"},
      {"ics for equinox",
       {"equinox", "2026", "--format=ics"},
       "'ics'",
       "accepted: text, csv, json"},
      {"ics for business",
       {"business", "next", "2026/05/06", "--format=ics"},
       "'ics'",
       "accepted: text, csv, json"},
      {"unknown rules", {"--rules=modern", "check"}, "'modern'", "accepted: law, classic"},
      {"unknown language", {"--lang=fr", "check"}, "'fr'", "accepted: ja, en"},
      {"classic business days",
       {"--rules=classic", "business", "next", "2026/05/06"},
       "'classic'",
       "accepted: law"},
      {"unknown command",
       {"holidays"},
       "'holidays'",
       "accepted: check, list, next, previous, equinox, business"},
      {"no command", {}, "no command", "accepted: check, list, next, previous, equinox, business"},
      {"unknown business command",
       {"business", "skip", "2026/05/06"},
       "'skip'",
       "accepted: is, add, count, next, previous, roll"},
      {"no business command",
       {"business"},
       "no business command",
       "accepted: is, add, count, next, previous, roll"},
      // FROM after TO
      {"list years reversed",
       {"list", "2027", "2026"},
       "'2027' is after '2026'",
       "accepted: FROM on or before TO"},
      {"list dates reversed",
       {"list", "2026/05/06", "2026/05/05"},
       "'2026/05/06' is after",
       "accepted: FROM on or before TO"},
      {"year after date",
       {"list", "2026/12/31", "2025"},
       "'2026/12/31' is after '2025'",
       "accepted: FROM on or before TO"},
      {"count reversed",
       {"business", "count", "2026/05/31", "2026/05/01"},
       "'2026/05/31' is after",
       "accepted: FROM on or before TO"},
      // counts
      {"count overflows int",
       {"business", "add", "2026/01/05", "2147483648"},
       "'2147483648'",
       "accepted: -1000000 to 1000000"},
      {"count underflows int",
       {"business", "add", "2026/01/05", "-99999999999999999999"},
       "'-99999999999999999999'",
       "accepted: -1000000 to 1000000"},
      {"count beyond the calendar",
       {"business", "add", "2026/01/05", "1000000"},
       "business add 2026/01/05 1000000",
       "accepted: requests answered within 1600/01/01 to 2399/12/31"},
      {"next beyond the calendar",
       {"business", "next", "2399/12/31"},
       "business next 2399/12/31",
       "accepted: requests answered within"},
      {"previous before the calendar",
       {"business", "previous", "1600/01/03"},
       "business previous 1600/01/03",
       "accepted: requests answered within"},
      {"count not a number",
       {"business", "add", "2026/01/05", "three"},
       "'three'",
       "accepted: a whole number"},
      {"count with a fraction",
       {"business", "add", "2026/01/05", "1.5"},
       "'1.5'",
       "accepted: a whole number"},
      {"count with two signs",
       {"business", "add", "2026/01/05", "+-1"},
       "'+-1'",
       "accepted: a whole number"},
      // argument counts
      {"month outside the calendar", {"list", "1599-12"}, "'1599-12'", "accepted: months of 1600"},
      {"list with three",
       {"list", "2024", "2025", "2026"},
       "3",
       "accepted: list, list YEAR, list MONTH or list FROM TO"},
      {"list of one date",
       {"list", "2026/05/06"},
       "'2026/05/06'",
       "accepted: list YEAR (2026), list MONTH (2026-05)"},
      {"equinox without year", {"equinox"}, "no year", "accepted: equinox YEAR..."},
      {"add without count",
       {"business", "add", "2026/01/05"},
       "1",
       "accepted: business add DATE N"},
      {"next from no date",
       {"business", "next", "2026/01/05", "2026/01/32"},
       "'2026/01/32'",
       "accepted: a real date"},
      {"option without value", {"list", "2026", "--format"}, "--format", "see velunta list --help"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVelunta(row.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    ASSERT_TRUE(result.err.starts_with("velunta: ")) << result.err;
    ASSERT_TRUE(result.err.ends_with("\n")) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "more than one line: " << result.err;
    EXPECT_NE(result.err.find(row.named), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(row.accepted), std::string::npos) << result.err;
  }
}

TEST(BadInput, HelpForTheToolAndEachCommand) {
  const struct {
    std::vector<std::string> args;
    std::string mentions;
  } kCases[] = {
      {{"--help"}, "check"},
      {{"-h"}, "business"},
      {{"check", "--help"}, "DATE"},
      {{"list", "--help"}, "--sundays"},
      {{"equinox", "--help"}, "YEAR"},
      {{"business", "--help"}, "--bank-closing-days"},
      {{"business", "add", "--help"}, "DATE N"},
      {{"business", "count", "--help"}, "FROM TO"},
      {{"business", "next", "--help"}, "DATE"},
      {{"business", "previous", "--help"}, "DATE"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.args[0] + (row.args.size() > 1 ? " " + row.args[1] : ""));
    const auto result = RunVelunta(row.args);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_NE(result.out.find("Usage"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(row.mentions), std::string::npos) << result.out;
  }
}

TEST(BadInput, Version) {
  const auto result = RunVelunta({"--version"});
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.starts_with("velunta " VELUNTA_VERSION "\n")) << result.out;
  // How far the data reaches: the last announced equinox year and the predicted ones.
  EXPECT_NE(result.out.find("announced to 2027, predicted from 2028 to 2399"), std::string::npos);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(RunVelunta({"-V"}).out, result.out);
}

}  // namespace
}  // namespace velunta::cli::testing
