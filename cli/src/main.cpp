#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "run.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // A reader that goes away (velunta list 1600 2399 | head -1) fails the next write with EPIPE
  // instead of killing the process, so Run ends it with kStatusWriteFailed, whatever signal
  // disposition the parent left.
  std::signal(SIGPIPE, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const char* law = std::getenv("VELUNTA_LAW");
  return velunta::cli::Run(args, {velunta::cli::TodayInJapan(), std::cin, std::cout, std::cerr,
                                  velunta::cli::StandardInputState,
                                  velunta::cli::StandardOutputGone, law == nullptr ? "" : law});
}
