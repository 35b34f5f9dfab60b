// velunta_manual: writes velunta(1) to standard output, for the build (cmake/VeluntaDocs.cmake).

#include <iostream>

#include "command.h"
#include "manual_page.h"
#include "tool_help.h"

int main() {
  velunta::cli::Commands commands;
  CLI::App app{"", "velunta"};
  velunta::cli::BuildParser(app, commands);
  velunta::cli::WriteManualPage(app, std::cout);
  std::cout.flush();
  return std::cout ? 0 : 74;
}
