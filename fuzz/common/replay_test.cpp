// Replays every seed and every kept regression input of one fuzz target through the target's
// own function, so the ordinary test suite (and its sanitizer run) checks what the fuzzers
// once found. A violated property aborts the test, naming the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Returns the files of a folder in name order; dot files (such as .gitkeep) are no inputs.
std::vector<std::filesystem::path> InputsIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(folder)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file() && entry.path().filename().string().front() != '.') {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::size_t ReplayAll(const std::filesystem::path& folder) {
  const auto files = InputsIn(folder);
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    velunta::fuzz::currentInputName = file.string();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  velunta::fuzz::currentInputName.clear();
  return files.size();
}

TEST(FuzzReplay, VELUNTA_FUZZ_TARGET) {
  const std::filesystem::path folder = VELUNTA_FUZZ_TARGET_DIR;
  EXPECT_GE(ReplayAll(folder / "corpus"), 10U) << "the seed corpus of " << folder << " is missing";
  ReplayAll(folder / "regressions");
}

}  // namespace
