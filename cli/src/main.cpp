#include <iostream>
#include <string>
#include <vector>

#include "run.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return velunta::cli::Run(args, {velunta::cli::TodayInJapan(), std::cin, std::cout, std::cerr,
                                  velunta::cli::StandardInputWaiting});
}
