// The command's answers on a corpus of command lines (every subcommand and format, both rule
// sets, bad input) are byte for byte the recorded ones: a reshaping of the code must not change
// what a script reads.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << "cannot open " << path;
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TEST(Corpus, AnswersAreTheRecordedOnes) {
  const std::string dir = VELUNTA_CORPUS_DIR;
  std::ifstream commands(dir + "/commands.txt");
  ASSERT_TRUE(commands);
  int lineNumber = 0;
  int checked = 0;
  for (std::string line; std::getline(commands, line);) {
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    SCOPED_TRACE(std::to_string(lineNumber) + ": " + line);
    char stem[16];
    std::snprintf(stem, sizeof stem, "%03d", lineNumber);
    const auto result = RunVelunta(Words(line));
    EXPECT_EQ(result.out, ReadFile(dir + "/expected/" + stem + ".out"));
    EXPECT_EQ(std::to_string(result.status) + "\n",
              ReadFile(dir + "/expected/" + stem + ".status"));
    if (result.status == 2) {
      EXPECT_EQ(Lines(result.err).size(), 1U) << result.err;
    }
    ++checked;
  }
  EXPECT_GT(checked, 70);
}

}  // namespace
}  // namespace velunta::cli::testing
