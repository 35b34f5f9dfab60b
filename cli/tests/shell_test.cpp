// What a shell user reaches for: help as a command, the version, and completion scripts that a
// real bash runs.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

// Returns what a shell ("bash --noprofile --norc") prints for a script.
std::string Run(const std::string& shell, const std::string& script) {
  const auto file = std::filesystem::temp_directory_path() /
                    ("velunta-completion-" + std::to_string(::getpid()) + ".sh");
  std::ofstream(file) << script;
  std::string out;
  if (FILE* pipe = ::popen((shell + " " + file.string()).c_str(), "r")) {
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

std::string Bash(const std::string& script) {
  return Run("bash --noprofile --norc", script);
}

// Returns what the completion function offers for the words, the last being completed, as
// COMP_WORDS holds them: bash splits "--format=c" into "--format", "=" and "c", zsh does not.
std::string Offered(const std::string& shell, const std::string& script,
                    const std::vector<std::string>& words) {
  std::string array;
  for (const auto& word : words) array.append(" '").append(word).append("'");
  const std::string call = "COMP_WORDS=(" + array +
                           ")\nCOMP_CWORD=" + std::to_string(words.size() - 1) +
                           "\n_velunta\necho \"${COMPREPLY[*]}\"\n";
  if (shell == "bash") return Bash(script + call);
  // zsh runs the function as its bash layer does (_bash_complete): with arrays from 0. Its
  // compgen offers every word and leaves matching to zsh's own completion.
  return Run("zsh -f",
             "autoload -U compinit && compinit -u\n" + script + "\nsetopt ksharrays\n" + call);
}

TEST(Shell, BashCompletesCommandsOptionsAndValues) {
  const auto script = RunVelunta({"completion", "bash"});
  ASSERT_EQ(script.status, 0) << script.err;
  const struct {
    std::vector<std::string> words;  // the last one is being completed
    std::string offered;
  } kCases[] = {
      {{"velunta", "ch"}, "check"},
      {{"velunta", "business", "r"}, "roll"},
      {{"velunta", "business", "roll", "2026/05/03", "--convention", "modified-"},
       "modified-following modified-preceding"},
      {{"velunta", "list", "2026", "--format", ""}, "text csv json ics"},
      {{"velunta", "list", "--format", "=", "c"}, "csv"},
      {{"velunta", "list", "--format", "="}, "text csv json ics"},
      {{"velunta", "list", "--format=j"}, "--format=json"},
      {{"velunta", "--lang", "e"}, "en"},
      {{"velunta", "business", "is", "--gov"}, "--government-closing-days"},
      {{"velunta", "completion", ""}, "bash zsh fish --help"},
      {{"velunta", "help", "b"}, "business"},
      {{"velunta", "help", "business", "c"}, "count closed"},
      {{"velunta", "check", "--c"}, ""},  // --calendar is business's
      {{"velunta", "list", "--sa"}, ""},  // --saturday-workday too
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.words.back());
    EXPECT_EQ(Offered("bash", script.out, row.words), row.offered + "\n");
  }
}

TEST(Shell, ServeAndHelpOfferOnlyTheirOwnOptions) {
  const auto script = RunVelunta({"completion", "bash"}).out;
  for (const char* command : {"serve", "help", "completion"}) {
    SCOPED_TRACE(command);
    if (std::string(command) == "serve" && !VELUNTA_HAS_SERVE) continue;
    const auto offered = Offered("bash", script, {"velunta", command, "--"});
    EXPECT_NE(offered.find("--help"), std::string::npos) << offered;
    EXPECT_EQ(offered.find("--format"), std::string::npos) << offered;
    EXPECT_EQ(offered.find("--rules"), std::string::npos) << offered;
  }
  EXPECT_NE(Offered("bash", script, {"velunta", "business", "is", "--"}).find("--format"),
            std::string::npos);
}

TEST(Shell, ZshCompletesValuesAfterTheEqualsSign) {
  if (Bash("command -v zsh\n").empty()) GTEST_SKIP() << "zsh is not installed";
  const auto script = RunVelunta({"completion", "zsh"}).out;
  const struct {
    std::vector<std::string> words;
    std::string offered;
  } kCases[] = {
      {{"velunta", "list", "--format=c"}, "--format=text --format=csv --format=json --format=ics"},
      {{"velunta", "business", "roll", "--convention", ""},
       "following preceding modified-following modified-preceding"},
      {{"velunta", "completion", ""}, "bash zsh fish --help"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.words.back());
    EXPECT_EQ(Offered("zsh", script, row.words), row.offered + "\n");
  }
}

TEST(Shell, EveryShellGetsAScript) {
  EXPECT_TRUE(RunVelunta({"completion", "zsh"}).out.starts_with("#compdef velunta\n"));
  const auto fish = RunVelunta({"completion", "fish"}).out;
  EXPECT_NE(fish.find("complete -c velunta -n '__velunta_at \"list\"' -l format -xa 'text csv "
                      "json ics'"),
            std::string::npos);
  EXPECT_NE(fish.find("-n '__velunta_at \"business\"' -a roll"), std::string::npos);
  EXPECT_NE(fish.find("-n '__velunta_at \"completion\"' -xa 'bash zsh fish'"), std::string::npos);
  EXPECT_EQ(fish.find("-n '__velunta_at \"check\"' -l calendar"), std::string::npos);
  EXPECT_EQ(RunVelunta({"completion", "tcsh"}).status, 2);
}

}  // namespace
}  // namespace velunta::cli::testing
