#include "command.h"

#include <algorithm>
#include <vector>

namespace velunta::cli {
namespace {

std::vector<CommandRegistration>& Registry() {
  static std::vector<CommandRegistration> registry;
  return registry;
}

}  // namespace

bool RegisterCommand(const CommandRegistration& registration) {
  auto& registry = Registry();
  registry.push_back(registration);
  std::sort(registry.begin(), registry.end(), [](const auto& a, const auto& b) {
    return a.parent != b.parent ? a.parent < b.parent : a.order < b.order;
  });
  return true;
}

std::span<const CommandRegistration> RegisteredCommands() {
  return Registry();
}

}  // namespace velunta::cli
