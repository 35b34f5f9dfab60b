// The law as data from the command's side: --law and VELUNTA_LAW change every answer with no
// rebuild, -V says which data answered, a bad file is refused with its line before any answer,
// and the installed calendars are found by name.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

const std::string kLawFile = VELUNTA_LAW_FILE;

std::string LawText() {
  std::ifstream in(kLawFile, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// Writes a law file for one test into the test's temporary folder.
std::string WriteLaw(const std::string& name, const std::string& text) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("velunta-law-" + std::to_string(::getpid()) + "-" + name + ".toml");
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

// The issue's example: a special-act day added, 海の日 2027 moved from Monday 07-19 to Friday
// 07-23, and the equinox days of 2028 announced.
std::string UpdatedLaw() {
  std::string text = Replaced(LawText(), "version = \"2026-12-08\"", "version = \"2027-02-01\"");
  text = Replaced(text, "last_announced_equinox_year = 2027", "last_announced_equinox_year = 2028");
  text = Replaced(text, "monday = 3\nfirst = 2022\n", "monday = 3\nfirst = 2028\n");
  text += R"(
[[holiday]]
name = "海の日"
name_en = "Marine Day"
kind = "national"
month = 7
monday = 3
first = 2022
last = 2026

[[holiday]]
name = "海の日"
name_en = "Marine Day"
kind = "national"
month = 7
day = 23
first = 2027
last = 2027

[[holiday]]
name = "臨時休日"
name_en = "Extra Holiday"
kind = "special-act"
month = 6
day = 1
first = 2027
last = 2027
)";
  return text;
}

TEST(LawData, AFileChangesEveryAnswer) {
  const std::string law = WriteLaw("updated", UpdatedLaw());
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string builtIn;  // what the built-in law answers on standard output
    std::string updated;
  } kCases[] = {
      {"special-act day", {"check", "2027/06/01"}, "2027/06/01(火)\n", "2027/06/01(火) 臨時休日\n"},
      {"moved holiday, old day",
       {"check", "2027/07/19"},
       "2027/07/19(月) 海の日\n",
       "2027/07/19(月)\n"},
      {"moved holiday, new day",
       {"check", "2027/07/23"},
       "2027/07/23(金)\n",
       "2027/07/23(金) 海の日\n"},
      {"business calendar",
       {"business", "is", "2027/06/01"},
       "2027/06/01(火)（営業日）\n",
       "2027/06/01(火) 臨時休日（休業日）\n"},
      {"predicted mark cleared",
       {"check", "2028/03/20", "--format=json"},
       "\"predicted\": true",
       "\"predicted\": false"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto builtIn = RunVelunta(row.args);
    auto withOption = row.args;
    withOption.push_back("--law=" + law);
    const auto byOption = RunVelunta(withOption);
    const auto byEnvironment = RunVelunta(row.args, {"VELUNTA_LAW=" + law});
    EXPECT_NE(builtIn.out.find(row.builtIn), std::string::npos) << builtIn.out;
    EXPECT_NE(byOption.out.find(row.updated), std::string::npos) << byOption.out << byOption.err;
    EXPECT_EQ(byEnvironment.out, byOption.out);
    EXPECT_EQ(byEnvironment.status, byOption.status);
  }
}

TEST(LawData, VersionSaysWhichDataAnswered) {
  const std::string law = WriteLaw("version", UpdatedLaw());
  const auto builtIn = RunVelunta({"-V"});
  EXPECT_NE(builtIn.out.find("\nlaw: built in, version 2026-12-08\n"), std::string::npos);
  EXPECT_NE(builtIn.out.find("announced to 2027, predicted from 2028"), std::string::npos);
  const auto fromFile = RunVelunta({"-V"}, {"VELUNTA_LAW=" + law});
  EXPECT_NE(fromFile.out.find("\nlaw: " + law + ", version 2027-02-01\n"), std::string::npos)
      << fromFile.out;
  EXPECT_NE(fromFile.out.find("announced to 2028, predicted from 2029"), std::string::npos);
  // --law wins over the environment.
  const auto both = RunVelunta({"--law", kLawFile, "-V"}, {"VELUNTA_LAW=" + law});
  EXPECT_NE(both.out.find("\nlaw: " + kLawFile + ", version 2026-12-08\n"), std::string::npos);
}

TEST(LawData, BadFilesAreRefusedBeforeAnyAnswer) {
  const struct {
    const char* name;
    std::string text;
    std::string says;
    std::string onLine;  // the text that starts `below` lines above the line the error names
    int below = 0;
  } kCases[] = {
      {"unknown key", Replaced(LawText(), "day = 11\nfirst = 1967", "day = 11\nfrist = 1967"),
       "unknown key 'frist'", "frist = 1967"},
      {"no such day", Replaced(LawText(), "day = 11\nfirst = 1967", "day = 31\nfirst = 1967"),
       "no such day: month 2, day 31", "day = 31"},
      {"overlap",
       Replaced(LawText(), "day = 15\nfirst = 1966\nlast = 2002",
                "day = 15\nfirst = 1966\nlast = 2003"),
       "overlaps another row of it in 2003", "month = 9\nmonday = 3\nfirst = 2003", 2},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const std::string law = WriteLaw("bad", row.text);
    const auto at = row.text.find(row.onLine);
    const auto line =
        std::count(row.text.begin(), row.text.begin() + static_cast<std::ptrdiff_t>(at), '\n') + 1 +
        row.below;
    for (const auto& args : {std::vector<std::string>{"--law", law, "list", "2026"},
                             std::vector<std::string>{"--law", law, "-V"}}) {
      const auto result = RunVelunta(args);
      EXPECT_EQ(result.status, 2);
      EXPECT_EQ(result.out, "");
      EXPECT_TRUE(result.err.starts_with("velunta: bad law file: " + law + ":" +
                                         std::to_string(line) + ": "))
          << result.err;
      EXPECT_NE(result.err.find(row.says), std::string::npos) << result.err;
      EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
    }
  }
  const auto missing = RunVelunta({"check", "2026/05/06"}, {"VELUNTA_LAW=/nonexistent.toml"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
}

TEST(LawData, InstalledCalendarsByName) {
  const struct {
    const char* calendar;
    const char* date;
    int status;  // 0 business day, 1 closed
  } kCases[] = {
      {"banks", "2026/12/31", 1},      {"banks", "2026/12/29", 0}, {"government", "2026/12/29", 1},
      {"government", "2027/01/04", 0}, {"tse", "2020/10/01", 1},   {"banks", "2020/10/01", 0},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(std::string(row.calendar) + " " + row.date);
    EXPECT_EQ(RunVelunta({"business", "is", row.date, "--calendar", row.calendar}).status,
              row.status);
  }
  const auto unknown = RunVelunta({"business", "is", "--calendar", "bank"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("bank: cannot read the file"), std::string::npos) << unknown.err;
}

}  // namespace
}  // namespace velunta::cli::testing
