#include <iostream>

#include "run.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return velunta::cli::Run(argc, argv, std::cout, std::cerr);
}
