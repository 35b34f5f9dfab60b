// How dates reach the command: words and compact dates, standard input, "--", and how a message
// repeats what was typed.

#include <gtest/gtest.h>

#include <chrono>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

using namespace std::chrono;

std::string SlashDate(sys_days day) {
  const year_month_day date{day};
  char text[16];
  std::snprintf(text, sizeof text, "%04d/%02u/%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

TEST(Input, WordsAndCompactDates) {
  const auto today = floor<days>(system_clock::now() + hours{9});
  const struct {
    const char* word;
    sys_days day;
  } kCases[] = {{"today", today},
                {"tomorrow", today + days{1}},
                {"yesterday", today - days{1}},
                {"20260506", sys_days{2026y / May / 6}}};
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.word);
    const auto result = RunVelunta({"check", row.word});
    ASSERT_NE(result.status, 2) << result.err;
    EXPECT_TRUE(result.out.starts_with(SlashDate(row.day))) << result.out;
  }
  EXPECT_EQ(RunVelunta({"check", "20260230"}).status, 2);
  EXPECT_EQ(RunVelunta({"business", "add", "20260502", "1"}).out,
            RunVelunta({"business", "add", "2026/05/02", "1"}).out);
}

TEST(Input, DatesFromStandardInput) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    int status;
    std::string err;  // a part of the message, when status is 2
  } kCases[] = {
      {"one a line, blank lines skipped",
       {"check", "-"},
       "2026/05/06\n\n  2026-05-10 \r\n",
       "2026/05/06(水) 振替休日\n2026/05/10(日) 日曜日\n",
       0,
       ""},
      {"with arguments, in order",
       {"check", "2026/05/07", "-"},
       "2026/05/06\n",
       "2026/05/07(木)\n2026/05/06(水) 振替休日\n",
       1,
       ""},
      {"a bad line names its number", {"check", "-"}, "2026/05/06\nxx\n", "", 2, "line 2"},
      {"piped into a bare check is refused", {"check"}, "2026/05/06\n", "", 2, "velunta check -"},
      {"business is reads them too",
       {"business", "is", "-"},
       "2026/12/11\n2026/12/14\n",
       "2026/12/11(金)（営業日）\n2026/12/14(月)（営業日）\n",
       0,
       ""},
      {"a single -", {"check", "-", "-"}, "2026/05/06\n", "", 2, "'-'"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVeluntaWithInput(row.args, row.input);
    EXPECT_EQ(result.status, row.status) << result.err;
    EXPECT_EQ(result.out, row.out);
    if (row.status == 2) {
      EXPECT_NE(result.err.find(row.err), std::string::npos) << result.err;
      EXPECT_EQ(Lines(result.err).size(), 1U);
    }
  }
}

// Dates piped into a command whose missing DATE means today were meant to be read: refused
// whenever they arrive, not only when they are already waiting.
TEST(Input, PipedDatesAreRefusedEvenWhenTheyComeLate) {
  const char* kCommands[] = {"check", "business is", "business next", "business previous",
                             "business roll"};
  for (const std::string command : kCommands) {
    SCOPED_TRACE(command);
    const auto result =
        RunShell("(sleep 0.3; echo 2026-05-06) | \"$VELUNTA\" " + command + "; echo $? >&2");
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("accepted: velunta " + command + " - to read them"),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(result.err.ends_with("\n2\n")) << result.err;
  }
}

// An ssh session's standard input stays open and says nothing: after the bound the answer is
// about today, and the command says so rather than succeed silently.
TEST(Input, AnOpenSilentInputIsAnsweredForTodaySayingSo) {
  const auto today = floor<days>(system_clock::now() + hours{9});
  const auto result = RunShell("sleep 2.5 | \"$VELUNTA\" business is");
  EXPECT_NE(result.status, 2) << result.err;
  EXPECT_TRUE(result.out.starts_with(SlashDate(today))) << result.out;
  EXPECT_EQ(Lines(result.err).size(), 1U);
  EXPECT_NE(result.err.find("nothing arrived on standard input in 2 s; the answer is about today"),
            std::string::npos)
      << result.err;
}

TEST(Input, ByteOrderMarkSkippedAndInvisibleCharactersNamed) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;  // a part of the one line, when refused
  } kCases[] = {
      {"a byte-order mark before the first date",
       {"check", "-"},
       "\uFEFF2026/05/06\r\n2026/05/07\r\n",
       "2026/05/06(水) 振替休日\n2026/05/07(木)\n",
       ""},
      {"one on a later line is no date",
       {"check", "-"},
       "2026/05/06\n\uFEFF2026/05/07\n",
       "",
       "line 2 of standard input: not a date: '\\ufeff2026/05/07'"},
      {"a zero-width space is named",
       {"business", "is", "-"},
       "2026/05/06\u200B\n",
       "",
       "'2026/05/06\\u200b'"},
      {"in an argument too", {"check", "\u202E2026/05/06"}, "", "", "'\\u202e2026/05/06'"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVeluntaWithInput(row.args, row.input);
    EXPECT_EQ(result.out, row.out) << result.err;
    if (!row.err.empty()) {
      EXPECT_EQ(result.status, 2);
      EXPECT_NE(result.err.find(row.err), std::string::npos) << result.err;
      EXPECT_EQ(Lines(result.err).size(), 1U);
    }
  }
}

TEST(Input, BusinessStepsTakeTodayAndStandardInput) {
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> same;  // the command that must answer the same
    std::string input;
  } kCases[] = {
      {{"business", "next"}, {"business", "next", "today"}, ""},
      {{"business", "previous"}, {"business", "previous", "today"}, ""},
      {{"business", "roll"}, {"business", "roll", "today"}, ""},
      {{"business", "next", "-"},
       {"business", "next", "2026/12/30", "2027/05/01"},
       "2026/12/30\n2027/05/01\n"},
      {{"business", "roll", "-", "--convention", "preceding"},
       {"business", "roll", "2026/05/03", "--convention", "preceding"},
       "2026/05/03\n"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.args.back());
    const auto result = RunVeluntaWithInput(row.args, row.input);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_FALSE(result.out.empty());
    EXPECT_EQ(result.out, RunVelunta(row.same).out);
  }
  EXPECT_EQ(RunVeluntaWithInput({"business", "next", "-"}, "2026/12/30\n").out, "2026/12/31(木)\n");
}

TEST(Input, CronsClosedStandardInputMeansToday) {
  const auto today = floor<days>(system_clock::now() + hours{9});
  for (const auto& args : std::vector<std::vector<std::string>>{{"check"}, {"business", "is"}}) {
    const auto result = RunVeluntaWithInput(args, "");
    EXPECT_NE(result.status, 2) << result.err;
    EXPECT_TRUE(result.out.starts_with(SlashDate(today))) << result.out;
  }
}

TEST(Input, DoubleDashEndsTheOptions) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } kCases[] = {
      {{"check", "--", "2026/05/06"}, "2026/05/06(水) 振替休日\n"},
      {{"business", "add", "2026/05/07", "--", "-1"}, "2026/05/01(金)\n"},
      {{"business", "add", "2026/05/07", "-3"}, "2026/04/28(火)\n"},
      {{"--lang=en", "check", "--", "2026/05/10"}, "2026/05/10(Sun) Sunday\n"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.args.back());
    const auto result = RunVelunta(row.args);
    EXPECT_EQ(result.out, row.out) << result.err;
  }
  // After "--" an option is a word like any other: not a date.
  const auto literal = RunVelunta({"check", "--", "--lang=en"});
  EXPECT_EQ(literal.status, 2);
  EXPECT_NE(literal.err.find("not a date: '--lang=en'"), std::string::npos) << literal.err;
}

TEST(Input, MessagesQuoteWhatWasTypedOnOneLine) {
  const struct {
    const char* name;
    std::string typed;
    std::string quoted;
  } kCases[] = {
      {"line feed", "a\nb", "'a\\nb'"},
      {"escape sequence", "\r\x1b[31mred", "'\\r\\x1b[31mred'"},
      {"invalid UTF-8", "ab\xff\xfe", "'ab\\xff\\xfe'"},
      {"overlong UTF-8", "\xc0\xaf", "'\\xc0\\xaf'"},
      {"line separator", "a\u2028b", "'a\\xe2\\x80\\xa8b'"},
      {"Japanese stays", "令和九十九年", "'令和九十九年'"},
      {"long", std::string(100000, 'x'), "'" + std::string(64, 'x') + "…'"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVelunta({"check", row.typed});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Lines(result.err).size(), 1U);
    EXPECT_NE(result.err.find("not a date: " + row.quoted), std::string::npos) << result.err;
    EXPECT_LT(result.err.size(), 400U);
  }
}

TEST(Input, EveryMessageNamesTheWrongWordAndWhereToLook) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } kCases[] = {
      {{"business", "check", "2026/05/09"},
       "velunta: unknown command 'check' for 'velunta business'; accepted: is, add, count, next, "
       "previous, roll, closed (see velunta business --help)\n"},
      {{"business", "list", "2026/05/01", "2026/05/06"},
       "velunta: unknown command 'list' for 'velunta business'; accepted: is, add, count, next, "
       "previous, roll, closed (see velunta business --help)\n"},
      {{"--lang=en", "--lang=ja", "check", "2026/05/06"},
       "velunta: option given more than once: '--lang'; accepted: --lang once (see velunta check "
       "--help)\n"},
      {{"check", "list", "2026"},
       "velunta: not a date: 'list'; accepted: a real date such as 2026-05-06, 2026/5/6, "
       "20260506, 2026年5月6日 or 令和8年5月6日, today, tomorrow or yesterday (see velunta check "
       "--help)\n"},
      {{"check", "--lang=xx"},
       "velunta: --lang: unknown value 'xx'; accepted: ja, en (see velunta check --help)\n"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.args[1]);
    const auto result = RunVelunta(row.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, row.message);
  }
}

}  // namespace
}  // namespace velunta::cli::testing
