// Help, manual page and README tell one story: the same working-day idiom, which does not run
// the job on a closed day, and a manual page that keeps the help's Japanese in any UTF-8 locale.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "command.h"
#include "run_binary.h"
#include "tool_help.h"

namespace velunta::cli::testing {
namespace {

constexpr std::string_view kIdiom =
    "velunta business is --bank-closing-days >/dev/null && run-the-job";

std::string ReadFile(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Returns "velunta check", "velunta business is", ...: every command of the parser.
std::vector<std::string> CommandPaths(const CLI::App& command, const std::string& path) {
  std::vector<std::string> paths;
  for (const CLI::App* sub : command.get_subcommands({})) {
    const std::string subPath = path + " " + sub->get_name();
    paths.push_back(subPath);
    for (auto& below : CommandPaths(*sub, subPath)) paths.push_back(std::move(below));
  }
  return paths;
}

TEST(OneTruth, HelpManualAndReadmeGiveTheSameIdiom) {
  const auto help = RunVelunta({"--help"}).out;
  EXPECT_NE(help.find(kIdiom), std::string::npos) << help;
  EXPECT_EQ(help.find("$? -eq 1"), std::string::npos);
  EXPECT_NE(ReadFile(VELUNTA_README).find(kIdiom), std::string::npos);
  if (!std::filesystem::exists(VELUNTA_MANUAL_PAGE)) GTEST_SKIP() << "built without the manual";
  EXPECT_NE(ReadFile(VELUNTA_MANUAL_PAGE).find("velunta business is \\-\\-bank\\-closing\\-days"),
            std::string::npos);
}

// The idiom under faketime, as cron runs it at 10:00 in Japan: the job runs on a business day
// only.
TEST(OneTruth, IdiomSkipsTheJobOnClosedDays) {
  if (RunShell("command -v faketime").status != 0) GTEST_SKIP() << "faketime is not installed";
  const struct {
    const char* when;
    bool runs;
  } kCases[] = {
      {"2026-12-11 10:00:00", true},   // a Friday
      {"2026-12-12 10:00:00", false},  // a Saturday
      {"2026-12-31 10:00:00", false},  // a Thursday the banks close
      {"2027-01-04 10:00:00", true},   // the first business day of 2027
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.when);
    const auto result = RunShell(
        std::string("faketime '") + row.when +
            "' \"$VELUNTA\" business is --bank-closing-days >/dev/null && echo ran-the-job",
        // faketime is preloaded before a sanitizer build's runtime, which ASan must be told to
        // accept; a release build ignores the variable.
        {"TZ=Asia/Tokyo", "ASAN_OPTIONS=verify_asan_link_order=0"});
    EXPECT_EQ(result.out, row.runs ? "ran-the-job\n" : "") << result.err;
    EXPECT_EQ(result.err, "");
  }
}

TEST(OneTruth, DateCommandsSayHowTheyReadDates) {
  const std::vector<std::string> kCommands[] = {{"check"},
                                                {"business", "is"},
                                                {"business", "next"},
                                                {"business", "previous"},
                                                {"business", "roll"}};
  for (const auto& command : kCommands) {
    SCOPED_TRACE(command.back());
    auto args = command;
    args.push_back("--help");
    const auto help = RunVelunta(args).out;
    for (const char* said : {"today", "tomorrow", "YYYYMMDD", "- reads dates from standard input",
                             "piped in without - are refused", "[DATE...]"}) {
      EXPECT_NE(help.find(said), std::string::npos) << said << "\n" << help;
    }
  }
}

// Returns the page as man renders it in a locale, 100 columns wide.
Outcome RenderedPage(const std::string& locale) {
  return RunShell(
      std::string("man -l '") + VELUNTA_MANUAL_PAGE + "'",
      {"LANG=" + locale, "LC_ALL=" + locale, "MANWIDTH=100", "MANPAGER=cat", "PAGER=cat"});
}

TEST(OneTruth, ManualPageKeepsTheJapaneseAndEveryCommand) {
  if (RunShell("command -v man").status != 0) GTEST_SKIP() << "man-db is not installed";
  if (!std::filesystem::exists(VELUNTA_MANUAL_PAGE)) GTEST_SKIP() << "built without the manual";
  Commands commands;
  CLI::App app{"", "velunta"};
  BuildParser(app, commands);
  const auto paths = CommandPaths(app, "velunta");
  ASSERT_GT(paths.size(), 10U);
  for (const std::string locale : {"C.UTF-8", "ja_JP.UTF-8"}) {
    SCOPED_TRACE(locale);
    if (locale != "C.UTF-8" && RunShell("locale -a | grep -qix ja_JP.utf8").status != 0) {
      ADD_FAILURE() << "no ja_JP.UTF-8 locale: scripts/setup.sh test makes it";
      continue;
    }
    const auto page = RenderedPage(locale);
    ASSERT_EQ(page.status, 0) << page.err;
    for (const char* japanese : {"振替休日", "令和8年5月6日", "行政機関の休日"}) {
      EXPECT_NE(page.out.find(japanese), std::string::npos) << japanese;
    }
    EXPECT_EQ(page.out.find("??"), std::string::npos);
    for (const auto& path : paths) {
      EXPECT_NE(page.out.find("   " + path + " "), std::string::npos) << path;
    }
    // One example a line, as the help gives them.
    for (const auto& example : ToolExamples()) {
      EXPECT_NE(page.out.find(example.command), std::string::npos) << example.command;
    }
  }
}

}  // namespace
}  // namespace velunta::cli::testing
