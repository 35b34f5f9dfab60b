// What a shell user reaches for: help as a command, the version, and completion scripts that a
// real bash runs.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

// Returns what bash prints for a script.
std::string Bash(const std::string& script) {
  const auto file = std::filesystem::temp_directory_path() /
                    ("velunta-completion-" + std::to_string(::getpid()) + ".sh");
  std::ofstream(file) << script;
  std::string out;
  if (FILE* pipe = ::popen(("bash --noprofile --norc " + file.string()).c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      out.append(buffer, n);
    ::pclose(pipe);
  }
  std::filesystem::remove(file);
  return out;
}

TEST(Shell, HelpCommandSaysWhatHelpOptionSays) {
  for (const auto& path :
       std::vector<std::vector<std::string>>{{}, {"check"}, {"business", "roll"}}) {
    auto asCommand = std::vector<std::string>{"help"};
    asCommand.insert(asCommand.end(), path.begin(), path.end());
    auto asOption = path;
    asOption.push_back("--help");
    const auto help = RunVelunta(asCommand);
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out, RunVelunta(asOption).out);
  }
  EXPECT_EQ(RunVelunta({"help", "nothing"}).status, 2);
}

TEST(Shell, BashCompletesCommandsOptionsAndValues) {
  const auto script = RunVelunta({"completion", "bash"});
  ASSERT_EQ(script.status, 0) << script.err;
  const struct {
    const char* line;  // the words typed, the last one being completed
    std::string offered;
  } kCases[] = {
      {"velunta ch", "check"},
      {"velunta business r", "roll"},
      {"velunta business roll 2026/05/03 --convention modified-",
       "modified-following modified-preceding"},
      {"velunta list 2026 --format ", "text csv json ics"},
      {"velunta --lang e", "en"},
      {"velunta business is --gov", "--government-closing-days"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.line);
    const std::string line = row.line;
    const std::string words = line.back() == ' ' ? line + "''" : line;
    const auto out = Bash(script.out + "COMP_WORDS=(" + words +
                          ")\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n_velunta\n"
                          "echo \"${COMPREPLY[*]}\"\n");
    EXPECT_EQ(out, row.offered + "\n");
  }
}

TEST(Shell, EveryShellGetsAScript) {
  EXPECT_TRUE(RunVelunta({"completion", "zsh"}).out.starts_with("#compdef velunta\n"));
  const auto fish = RunVelunta({"completion", "fish"}).out;
  EXPECT_NE(fish.find("complete -c velunta -l format -xa 'text csv json ics'"), std::string::npos);
  EXPECT_NE(fish.find("-a roll"), std::string::npos);
  EXPECT_EQ(RunVelunta({"completion", "tcsh"}).status, 2);
}

}  // namespace
}  // namespace velunta::cli::testing
